#include "system.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLocale>
#include <QPalette>
#include <QScreen>

namespace velmora {

qint64 SteadyClockMs()
{
    static const QElapsedTimer clock = [] {
        QElapsedTimer timer;
        timer.start();
        return timer;
    }();
    return clock.elapsed();
}

QRect WorkArea()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return QRect(0, 0, 640, 480);
    return screen->availableGeometry();
}

QChar SystemDecimalSeparator()
{
    const QLocale locale = QLocale::system();
    if (locale.language() == QLocale::C)
        return QLatin1Char(',');
    const QString point = locale.decimalPoint();
    if (point == QLatin1String("."))
        return QLatin1Char('.');
    return QLatin1Char(',');
}

FaceColourScope::FaceColourScope()
{
    QPalette palette = QGuiApplication::palette();
    savedWindow_ = palette.color(QPalette::Window);
    savedButton_ = palette.color(QPalette::Button);
    const QColor face(192, 192, 192);
    palette.setColor(QPalette::Window, face);
    palette.setColor(QPalette::Button, face);
    QGuiApplication::setPalette(palette);
}

FaceColourScope::~FaceColourScope()
{
    QPalette palette = QGuiApplication::palette();
    palette.setColor(QPalette::Window, savedWindow_);
    palette.setColor(QPalette::Button, savedButton_);
    QGuiApplication::setPalette(palette);
}

}  // namespace velmora
