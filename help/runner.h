#pragma once
// The presentation interpreter: reads a help script into its line queue and executes it
// run by run. A run ends at "[toets]" (wait for Doorgaan), at "[end]" (close the window)
// or at a malformed line (one error message; the window stays usable).
#include "help/script.h"
#include "session/drawntexts.h"
#include "toolkit/canvas.h"

#include <QSize>

namespace velmora {

// What the runner needs from its window; the help window implements it, tests use a
// headless one.
class HelpView {
public:
    virtual ~HelpView() = default;
    // Show or hide ContinueButton; focus gives it the keyboard focus as well.
    virtual void SetContinueVisible(bool visible, bool focus) = 0;
    // Copy both drawing surfaces to the screen now.
    virtual void Paint() = 0;
    // Handle pending window events during a wait.
    virtual void ProcessEvents() = 0;
    // Close the window as EindButton does.
    virtual void PressEindButton() = 0;
    // Milliseconds from a steady clock; tests replace it to wait without sleeping.
    virtual qint64 NowMs();
};

class HelpRunner {
public:
    enum class RunEnd { Toets, End, Error, Stopped, Busy };

    explicit HelpRunner(HelpView& view) : view_(view)
    {
        ScratchTexts.Listen(ScratchBitmap);
        ScratchTexts2.Listen(ScratchBitmap2);
    }

    int HelpTopic = 0;          // lines numbered HelpTopic x 100 .. + 99 are shown
    bool HelpFromMenu = false;  // the main menu's presentation stops at line 100
    Bitmap ScratchBitmap;       // left drawing surface (text area)
    Bitmap ScratchBitmap2;      // right drawing surface (picture area)
    double PixelRatio = 1;      // device pixels per layout pixel of both surfaces
    // What each surface shows as text, for screen readers.
    DrawnTexts ScratchTexts, ScratchTexts2;

    // "demo" + (tag mod 5) + ".txt"
    static QString ScriptFileName(int tag);

    // Face-coloured surfaces of the given (layout) sizes at PixelRatio, the right one framed in black.
    void PrepareSurfaces(QSize textSize, QSize pictureSize);
    // Prepares the surfaces, loads the tag's script and plays the first run.
    RunEnd Start(int tag, QSize textSize, QSize pictureSize);
    bool LeesFile(const QString& name);
    void LoadScript(const QString& script, const QString& name = QStringLiteral("(tekst)"));
    // One run: executes lines until "[toets]", "[end]", an error or a stop request.
    RunEnd Doorgaan();
    // Ends a run in progress at its next line or wait (Einde pressed during a wait).
    void RequestStop() { stopRequested_ = true; }
    bool Running() const { return running_; }

    const ScriptLine& Line() const { return line_; }
    QColor PenColour = clr::Black;
    const LineQueue& Queue() const { return queue_; }
    // The last error message shown, for the window's own bookkeeping and for tests.
    const QString& LastError() const { return lastError_; }

private:
    RunEnd RunLines();
    void ForgetPaintedOver(const ScriptLine& line, const Bitmap& target);
    void Wait(double seconds);

    HelpView& view_;
    LineQueue queue_;
    ScriptLine line_;
    QString fileName_;
    QString lastError_;
    bool running_ = false;
    bool stopRequested_ = false;
};

}  // namespace velmora
