#include "calculator.h"

#include "calculator_x11.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QThread>

#include <string>
#include <vector>

namespace velmora {

namespace {

// Desktop calculators in order of preference; the first one on PATH is started.
const char* const kPrograms[] = {"galculator", "gnome-calculator", "kcalc", "xcalc"};
// Their WM_CLASS names, to find a calculator that we did not start ourselves or whose
// window belongs to another process than the one we started.
const std::vector<std::string> kWindowClasses = {"galculator", "gnome-calculator", "org.gnome.Calculator", "kcalc",
                                                 "xcalc"};

constexpr int kWindowWaitMs = 5000;
// A launcher may hand over to another process and exit; its window can follow shortly.
constexpr int kAfterExitWaitMs = 1000;
constexpr int kPollStepMs = 20;

// The start time of a running process (field 22 of /proc/PID/stat), 0 when it does not
// run or is a zombie. Together with the pid it names one process, even after pid reuse.
unsigned long long ProcessStartTime(long long pid)
{
    if (pid <= 0)
        return 0;
    QFile file(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray text = file.readAll();
    // The command name in parentheses may itself hold spaces and parentheses.
    const qsizetype close = text.lastIndexOf(')');
    if (close < 0)
        return 0;
    const QList<QByteArray> fields = text.mid(close + 1).simplified().split(' ');
    // fields[0] is field 3 (state), so field 22 is fields[19].
    if (fields.size() < 20)
        return 0;
    if (fields[0] == "Z" || fields[0] == "X" || fields[0] == "x")
        return 0;
    bool ok = false;
    const unsigned long long start = fields[19].toULongLong(&ok);
    return ok ? start + 1 : 0;  // + 1: a valid start time is never 0 here
}

// Lets Qt handle pending events (the pupil may type, timers run), then sleeps a little.
void Pause(int ms)
{
    if (QCoreApplication::instance())
        QCoreApplication::processEvents(QEventLoop::AllEvents, ms);
    QThread::msleep(static_cast<unsigned long>(ms));
}

}  // namespace

struct Calculator::Impl {
    // Cleared by the destructor. A wait processes events, and an event handler may delete
    // the Calculator; the waiting code holds a copy and stops touching members then.
    std::shared_ptr<bool> alive = std::make_shared<bool>(true);
    bool opened = false;
    std::unique_ptr<X11Windows> x11;

    X11Windows::Window window = 0;
    std::string windowClass;
    long long pid = 0;
    unsigned long long pidStart = 0;
    bool topmost = false;

    // Set while ShowOrStart waits for a new window; calls made meanwhile (from events
    // processed by the wait) are remembered and settled when the window is there.
    bool busy = false;
    bool hideRequested = false;
    bool releaseRequested = false;

    X11Windows* Display()
    {
        if (!opened) {
            opened = true;
            x11 = X11Windows::Open();
        }
        return x11 && x11->Usable() ? x11.get() : nullptr;
    }

    bool OwnProcessRuns() const { return pid > 0 && pidStart != 0 && ProcessStartTime(pid) == pidStart; }

    // The known window when it still exists; forgets it when the pupil closed it.
    X11Windows::Window KnownWindow(X11Windows& x)
    {
        if (window != 0 && !x.Exists(window, windowClass)) {
            window = 0;
            windowClass.clear();
            topmost = false;
        }
        return window;
    }

    // The known window, else one found now: ours by process id, else any open calculator.
    X11Windows::Window Locate(X11Windows& x)
    {
        if (KnownWindow(x) != 0)
            return window;
        Take(x.Find(OwnProcessRuns() ? pid : 0, kWindowClasses));
        return window;
    }

    void Take(const X11Windows::Match& match)
    {
        window = match.window;
        windowClass = match.windowClass;
    }

    // Maps a hidden window; a withdrawn window carries the on-top state with it.
    void Show(X11Windows& x, X11Windows::Window w)
    {
        if (x.IsMapped(w))
            return;
        if (topmost)
            x.SetAbove(w, true);
        x.Map(w);
    }

    void Release(X11Windows& x, X11Windows::Window w)
    {
        topmost = false;
        x.SetAbove(w, false);
        Show(x, w);
    }

    bool StartProgram()
    {
        QString path;
        for (const char* name : kPrograms) {
            path = QStandardPaths::findExecutable(QString::fromLatin1(name));
            if (!path.isEmpty())
                break;
        }
        if (path.isEmpty())
            return false;

        QProcess process;
        process.setProgram(path);
        // Not our folder: the calculator may outlive us and should not hold it.
        process.setWorkingDirectory(QDir::homePath());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        // Its window must appear on the X display we search, also in a Wayland session.
        environment.insert(QStringLiteral("GDK_BACKEND"), QStringLiteral("x11"));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        process.setProcessEnvironment(environment);
        process.setStandardInputFile(QProcess::nullDevice());
        process.setStandardOutputFile(QProcess::nullDevice());
        process.setStandardErrorFile(QProcess::nullDevice());
        // Detached: it is not our child, so it never lingers as a zombie and it stays
        // open when we exit.
        qint64 started = 0;
        if (!process.startDetached(&started) || started <= 0)
            return false;
        pid = started;
        pidStart = ProcessStartTime(pid);
        window = 0;
        windowClass.clear();
        return true;
    }
};

Calculator::Calculator() : impl_(std::make_unique<Impl>()) {}

Calculator::~Calculator()
{
    *impl_->alive = false;
}

void Calculator::ShowOrStart()
{
    Impl& d = *impl_;
    X11Windows* x = d.Display();
    if (!x)
        return;
    if (d.busy) {  // a second click while the first still waits for the window
        d.hideRequested = false;
        return;
    }
    X11Windows::Window w = d.Locate(*x);
    if (w == 0) {
        if (!d.OwnProcessRuns() && !d.StartProgram())
            return;  // no calculator program: nothing to do

        d.busy = true;
        d.hideRequested = false;
        d.releaseRequested = false;
        const std::shared_ptr<bool> alive = d.alive;
        QElapsedTimer clock;
        clock.start();
        qint64 exitedAt = -1;
        X11Windows::Match found;
        for (;;) {
            Pause(kPollStepMs);
            if (!*alive)
                return;  // deleted by an event handler: d and x are gone
            if (!x->Usable())
                break;
            const X11Windows::Match match = x->Find(d.OwnProcessRuns() ? d.pid : 0, kWindowClasses);
            if (match.window != 0)
                found = match;
            if (match.viewable)
                break;
            const qint64 now = clock.elapsed();
            if (now >= kWindowWaitMs)
                break;
            if (!d.OwnProcessRuns()) {
                if (exitedAt < 0)
                    exitedAt = now;
                if (now - exitedAt >= kAfterExitWaitMs)
                    break;
            }
        }
        d.busy = false;
        // A window that never became viewable may still be the calculator, just hidden.
        if (found.window == 0 || !x->Usable() || !x->Exists(found.window, found.windowClass))
            return;
        d.Take(found);
        w = found.window;
        if (d.hideRequested) {  // a pen-and-paper exercise came up meanwhile
            x->Unmap(w);
            return;
        }
        if (d.releaseRequested) {
            d.Release(*x, w);
            return;
        }
    }
    d.topmost = true;
    d.Show(*x, w);
    x->Activate(w);
    x->SetAbove(w, true);
}

void Calculator::ShowWithoutActivating()
{
    Impl& d = *impl_;
    X11Windows* x = d.Display();
    if (!x)
        return;
    if (d.busy) {
        d.hideRequested = false;
        return;
    }
    if (X11Windows::Window w = d.Locate(*x))
        d.Show(*x, w);
}

void Calculator::Hide()
{
    Impl& d = *impl_;
    X11Windows* x = d.Display();
    if (!x)
        return;
    if (d.busy) {
        d.hideRequested = true;
        return;
    }
    if (X11Windows::Window w = d.Locate(*x))
        x->Unmap(w);
}

void Calculator::ReleaseTopmost()
{
    Impl& d = *impl_;
    X11Windows* x = d.Display();
    if (!x)
        return;
    if (d.busy) {
        d.releaseRequested = true;
        return;
    }
    if (X11Windows::Window w = d.Locate(*x))
        d.Release(*x, w);
}

bool Calculator::HasWindow()
{
    return WindowId() != 0;
}

unsigned long Calculator::WindowId()
{
    Impl& d = *impl_;
    X11Windows* x = d.Display();
    return x ? d.KnownWindow(*x) : 0;
}

long long Calculator::ProcessId() const
{
    return impl_->OwnProcessRuns() ? impl_->pid : 0;
}

}  // namespace velmora
