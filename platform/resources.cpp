#include "resources.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QResource>
#include <QSvgRenderer>

namespace velmora {

namespace {
QString& LoadedPath()
{
    static QString path;
    return path;
}
}  // namespace

bool LoadResourceLibrary(const QString& folder)
{
    UnloadResourceLibrary();
    const QString path = QDir(folder).filePath(QString::fromLatin1(ResourceLibraryName));
    if (!QFile::exists(path) || !QResource::registerResource(path))
        return false;
    LoadedPath() = path;
    return true;
}

void UnloadResourceLibrary()
{
    if (LoadedPath().isEmpty())
        return;
    QResource::unregisterResource(LoadedPath());
    LoadedPath().clear();
}

bool ResourceLibraryLoaded()
{
    return !LoadedPath().isEmpty();
}

QImage LoadNamedBitmap(const QString& name)
{
    if (!ResourceLibraryLoaded())
        return {};
    const QString base = QStringLiteral(":/bitmaps/") + name;
    if (QFile::exists(base + QStringLiteral(".png"))) {
        QImage image(base + QStringLiteral(".png"));
        return image.convertToFormat(QImage::Format_RGB32);
    }
    QSvgRenderer svg(base + QStringLiteral(".svg"));
    if (!svg.isValid())
        return {};
    const QSize size = svg.defaultSize().isEmpty() ? QSize(64, 64) : svg.defaultSize();
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(192, 192, 192));
    QPainter painter(&image);
    svg.render(&painter);
    return image;
}

}  // namespace velmora
