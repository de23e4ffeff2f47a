#include "resources.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QResource>
#include <QSvgRenderer>

#include <cmath>
#include <map>
#include <mutex>
#include <utility>

namespace velmora {

namespace {
QString& LoadedPath()
{
    static QString path;
    return path;
}

// Rendered named bitmaps of the loaded library by name and factor. Animations and repeated
// exercises ask for the same few pictures again and again, and rendering an SVG costs more
// than drawing the rest of an exercise. QImage is shared on copy, so a hit costs nothing.
struct RenderedBitmaps {
    std::mutex lock;
    std::map<std::pair<QString, double>, QImage> images;
};

RenderedBitmaps& Rendered()
{
    static RenderedBitmaps rendered;
    return rendered;
}

QImage RenderNamedBitmap(const QString& name, double factor);
}  // namespace

QStringList DataFolders()
{
    const QDir program(QCoreApplication::applicationDirPath());
    return {program.absolutePath(), QDir::cleanPath(program.filePath(QStringLiteral(VELMORA_DATA_FROM_BIN)))};
}

QString FindDataFolder(const QString& fileName)
{
    const QStringList folders = DataFolders();
    for (const QString& folder : folders)
        if (QFileInfo::exists(QDir(folder).filePath(fileName)))
            return folder;
    return folders.first();
}

QString FindHelpScript(const QString& fileName)
{
    if (QFileInfo::exists(fileName))
        return fileName;
    for (const QString& folder : DataFolders())
        if (QFileInfo::exists(QDir(folder).filePath(fileName)))
            return QDir(folder).filePath(fileName);
    return fileName;
}

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
    const std::lock_guard<std::mutex> guard(Rendered().lock);
    Rendered().images.clear();
}

bool ResourceLibraryLoaded()
{
    return !LoadedPath().isEmpty();
}

std::vector<QImage> LoadAppIcons(const std::vector<int>& sizes)
{
    QSvgRenderer svg(QStringLiteral(":/bitmaps/appicon.svg"));
    if (!ResourceLibraryLoaded() || !svg.isValid())
        return {};
    std::vector<QImage> icons;
    for (const int size : sizes) {
        if (size <= 0)
            continue;
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        svg.render(&painter);
        icons.push_back(std::move(image));
    }
    return icons;
}

QImage LoadNamedBitmap(const QString& name)
{
    return LoadNamedBitmapScaled(name, 1.0);
}

QImage LoadNamedBitmapScaled(const QString& name, double factor)
{
    if (!ResourceLibraryLoaded())
        return {};
    RenderedBitmaps& rendered = Rendered();
    const std::lock_guard<std::mutex> guard(rendered.lock);
    const auto key = std::make_pair(name, factor);
    const auto found = rendered.images.find(key);
    if (found != rendered.images.end())
        return found->second;
    const QImage image = RenderNamedBitmap(name, factor);
    rendered.images.emplace(key, image);
    return image;
}

namespace {

QSize ScaledSize(const QSize& own, double factor)
{
    return QSize(static_cast<int>(std::nearbyint(factor * own.width())),
                 static_cast<int>(std::nearbyint(factor * own.height())));
}

QImage ScaledPng(const QString& path, double factor)
{
    // Named and not guessed: guessing the format loads every image format plugin.
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    const QImage image = reader.read();
    const QSize size = ScaledSize(image.size(), factor);
    if (size.isEmpty())
        return {};
    if (size != image.size())
        return image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
            .convertToFormat(QImage::Format_RGB32);
    return image.convertToFormat(QImage::Format_RGB32);
}

// A drawing may also come rendered at its own size (the logo, shown at every start, saves
// reading and drawing its SVG); any other size is rendered from the drawing itself.
QImage RenderNamedBitmap(const QString& name, double factor)
{
    const QString base = QStringLiteral(":/bitmaps/") + name;
    const QString png = base + QStringLiteral(".png"), svg = base + QStringLiteral(".svg");
    const bool hasPng = QFile::exists(png);
    if (hasPng && (factor == 1 || !QFile::exists(svg)))
        return ScaledPng(png, factor);
    return RenderDrawing(svg, factor);
}

}  // namespace

QImage RenderDrawing(const QString& svgPath, double factor)
{
    QSvgRenderer svg(svgPath);
    if (!svg.isValid())
        return {};
    const QSize size = ScaledSize(svg.defaultSize().isEmpty() ? QSize(64, 64) : svg.defaultSize(), factor);
    if (size.isEmpty())
        return {};
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(192, 192, 192));
    QPainter painter(&image);
    svg.render(&painter);
    return image;
}

QImage LoadNamedBitmapAtRatio(const QString& name, double factor, double deviceRatio)
{
    if (!(deviceRatio > 0) || deviceRatio == 1)
        return LoadNamedBitmapScaled(name, factor);
    // A copy: the kept image stays as it is.
    QImage image = LoadNamedBitmapScaled(name, factor * deviceRatio);
    image.setDevicePixelRatio(deviceRatio);
    return image;
}

}  // namespace velmora
