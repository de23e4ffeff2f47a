// velmora-icons SVG OUTDIR SIZE...: renders the application icon to OUTDIR/SIZE.png for each
// size, for the hicolor icon theme.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTextStream>

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    QSvgRenderer svg(args.value(1));
    if (args.size() < 4 || !svg.isValid() || !QDir().mkpath(args[2])) {
        QTextStream(stderr) << "usage: velmora-icons SVG OUTDIR SIZE...\n";
        return 2;
    }
    for (const QString& arg : args.mid(3)) {
        const int size = arg.toInt();
        if (size < 16 || size > 1024) {
            QTextStream(stderr) << "velmora-icons: bad size " << arg << '\n';
            return 2;
        }
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        svg.render(&painter);
        painter.end();
        if (!image.save(QDir(args[2]).filePath(arg + QStringLiteral(".png")))) {
            QTextStream(stderr) << "velmora-icons: cannot write " << arg << ".png\n";
            return 1;
        }
    }
    return 0;
}
