#pragma once
// Screen metrics, the window face colour and the decimal separator of this machine.
#include <QChar>
#include <QColor>
#include <QPalette>
#include <QRect>
#include <QtGlobal>

#include <thread>

namespace velmora {

// The work area of the primary screen, without task bars.
QRect WorkArea();
// Milliseconds from a monotonic clock (for waits inside a handler; never wraps).
qint64 SteadyClockMs();
// The pupil's decimal separator from the system locale; "," when the locale says nothing.
QChar SystemDecimalSeparator();

// Gives the program's own windows the face colour RGB (192, 192, 192) for the run and
// puts the earlier palette back on exit. Nothing outside the program changes.
class FaceColourScope {
public:
    FaceColourScope();
    ~FaceColourScope();
    FaceColourScope(const FaceColourScope&) = delete;
    FaceColourScope& operator=(const FaceColourScope&) = delete;

private:
    QPalette saved_;
};

// Reads the system's font configuration on a thread of its own while the program connects to
// the window system, which takes as long; Wait() before the first text is measured, so the
// main menu finds it read. Does nothing where fonts are not configured with fontconfig.
class FontConfigWarmUp {
public:
    FontConfigWarmUp();
    ~FontConfigWarmUp() { Wait(); }
    void Wait();
    FontConfigWarmUp(const FontConfigWarmUp&) = delete;
    FontConfigWarmUp& operator=(const FontConfigWarmUp&) = delete;

private:
    std::thread reading_;
};

}  // namespace velmora
