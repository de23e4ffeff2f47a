#pragma once
// What the session model needs from its window. Implemented by TTestForm and by a
// headless view used in tests, benchmarks, the driver and the gallery.
#include <QString>

#include <functional>

namespace velmora {

// The answer field as a generator hands it over.
struct AnswerFieldSetup {
    QString Label;  // InvoerLabel caption, e.g. "Som: "
    int Kind = 1;   // 1 integer, 2 decimal, 3 fraction, 4 fraction or integer
    QString Hint;   // "|" + long part shown in the status line
    QString Text = QStringLiteral("?");
    int PanelTop = 0;  // Round(AnswerLine x LineHeight)
};

class SessionView {
public:
    virtual ~SessionView() = default;
    // Copy TextBitmap and PictureBitmap to the paint boxes.
    virtual void ShowBitmaps() = 0;
    // Show InvoerPanel and GebruikPanel at the given place and focus the answer field.
    virtual void OpenAnswerField(const AnswerFieldSetup& setup) = 0;
    // Let the window handle pending events during an animation.
    virtual void ProcessEvents() = 0;
    // One animation frame is on screen: wait ms milliseconds while handling events, and stop
    // waiting as soon as running() turns false (Einde during the animation).
    virtual void Pause(int ms, const std::function<bool()>& running);
    // Milliseconds from a steady clock; tests replace it to wait without sleeping.
    virtual qint64 NowMs() const;
    // Show a named face bitmap ("smile" or "sad") in KopImage.
    virtual void ShowFace(const QString& name) = 0;

    // The answer field's text as the session corrected it (the decimal separator).
    virtual void ShowAnswerText(const QString& text) { (void)text; }
    // The answer was read: InvoerPanel and GebruikPanel go away.
    virtual void HideAnswerField() {}
    // ContinueButton appears just above the score panel and takes the focus, or hides.
    virtual void ShowContinueButton(bool visible) { (void)visible; }
    // The calculator advice of a new exercise: InfoLabel's text and top, CalcButton shown
    // (and an open calculator shown again) or hidden (and an open calculator hidden).
    virtual void ShowCalculatorAdvice(const QString& info, int infoTop, bool useCalculator)
    {
        (void)info, (void)infoTop, (void)useCalculator;
    }
    // The window hint: the long part (after "|") that the status line shows.
    virtual void SetStatusHint(const QString& text) { (void)text; }
    virtual void SetCaption(const QString& caption) { (void)caption; }
    // ScoreLabel, e.g. "012 uit 003".
    virtual void SetScore(const QString& score) { (void)score; }
    // The setup screen was drawn: show the setup controls and take ticks, level and the
    // state of START from the model.
    virtual void ShowSetupScreen() {}
    // START became enabled or disabled after the ticks changed.
    virtual void SetStartEnabled(bool enabled) { (void)enabled; }
};

}  // namespace velmora
