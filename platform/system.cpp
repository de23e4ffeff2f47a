#include "system.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLocale>
#include <QPalette>
#include <QScreen>

#ifdef VELMORA_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

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
    saved_ = QGuiApplication::palette();
    QPalette palette = saved_;
    const QColor face(192, 192, 192);
    palette.setColor(QPalette::Window, face);
    palette.setColor(QPalette::Button, face);
    // The classic grey of a control that cannot be used: readable on the face colour, where
    // the style's own light grey would vanish.
    const QColor grey(128, 128, 128);
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        palette.setColor(QPalette::Disabled, role, grey);
    QGuiApplication::setPalette(palette);
}

FaceColourScope::~FaceColourScope()
{
    QGuiApplication::setPalette(saved_);
}

FontConfigWarmUp::FontConfigWarmUp()
{
#ifdef VELMORA_HAVE_FONTCONFIG
    // fontconfig keeps one configuration per process and is safe to start from any thread.
    reading_ = std::thread([] { FcInit(); });
#endif
}

void FontConfigWarmUp::Wait()
{
    if (reading_.joinable())
        reading_.join();
}

}  // namespace velmora
