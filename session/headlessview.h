#pragma once
// A view without windows: remembers what the session asked to show. Used by tests,
// benchmarks, the driver and the gallery.
#include "session/sessionview.h"

namespace velmora {

class HeadlessView : public SessionView {
public:
    void ShowBitmaps() override { ++BitmapCopies; }
    void OpenAnswerField(const AnswerFieldSetup& setup) override
    {
        Field = setup;
        FieldOpen = true;
    }
    void ProcessEvents() override {}
    // Frames are drawn but nobody waits for them.
    void Pause(int ms, const std::function<bool()>& running) override
    {
        (void)running;
        ++Pauses;
        PausedMs += ms;
    }
    void ShowFace(const QString& name) override { Face = name; }

    void HideAnswerField() override { FieldOpen = false; }
    void ShowContinueButton(bool visible) override { ContinueVisible = visible; }
    void ShowCalculatorAdvice(const QString& info, int infoTop, bool useCalculator) override
    {
        InfoText = info;
        InfoTop = infoTop;
        CalcButtonVisible = useCalculator;
    }
    void SetStatusHint(const QString& text) override { StatusHint = text; }
    void SetCaption(const QString& caption) override { Caption = caption; }
    void SetScore(const QString& score) override { Score = score; }
    void ShowSetupScreen() override
    {
        ++SetupShown;
        FieldOpen = false;
        ContinueVisible = false;
        CalcButtonVisible = false;
    }
    void SetStartEnabled(bool enabled) override { StartEnabled = enabled; }

    AnswerFieldSetup Field;
    bool FieldOpen = false;
    int BitmapCopies = 0;
    QString Face;
    bool ContinueVisible = false;
    QString InfoText;
    int InfoTop = 0;
    bool CalcButtonVisible = false;
    QString StatusHint;
    QString Caption;
    QString Score;
    int SetupShown = 0;
    bool StartEnabled = false;
    int Pauses = 0;
    long long PausedMs = 0;
};

}  // namespace velmora
