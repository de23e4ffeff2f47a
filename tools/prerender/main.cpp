// velmora-prerender SVG PNG: renders a drawing at its own size exactly as the program would,
// so the resource library can carry it ready to show.
#include "platform/resources.h"

#include <QGuiApplication>
#include <QImage>
#include <QTextStream>

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        QTextStream(stderr) << "usage: velmora-prerender SVG PNG\n";
        return 2;
    }
    const QImage image = velmora::RenderDrawing(args[1], 1.0);
    if (image.isNull()) {
        QTextStream(stderr) << "velmora-prerender: cannot render " << args[1] << '\n';
        return 1;
    }
    if (!image.save(args[2])) {
        QTextStream(stderr) << "velmora-prerender: cannot write " << args[2] << '\n';
        return 1;
    }
    return 0;
}
