#pragma once
// The model of a run: the shared exercise state, the two off-screen bitmaps, the random
// source, theme selection, dispatch and marking. No widgets: a SessionView shows it.
//
// Contract for theme generators (void Name(Session&), see themes/generators.h):
// when Attempt is 0 a generator draws new numbers (Param, ThemeMemory, ThemeCycle) and
// sets the expected answer; in every call it draws TextBitmap (and, for a new exercise,
// PictureBitmap), sets AnswerLine and AnswerUnit, and calls OpenAnswer().
#include "session/exercisestate.h"
#include "session/sessionview.h"
#include "session/themetable.h"
#include "toolkit/canvas.h"
#include "toolkit/numbers.h"

#include <array>

namespace velmora {

// What HelpButtonClick hands to the help window: its tag and the topic.
struct HelpTarget {
    int Tag = 1;
    int Topic = 0;
};

enum class AnswerOutcome {
    Ignored,   // no answer pending (not running, or already marked)
    Rejected,  // unreadable for the answer kind: message shown, nothing changed
    Marked,    // the verdict is drawn and ContinueButton is due
};

class Session : public ExerciseState {
public:
    Session();

    Bitmap PictureBitmap;
    Bitmap TextBitmap;

    // Uniform integer 0..k-1 and uniform real in [0, 1) from the session's one generator.
    int Random(int k) { return rng_(k); }
    double RandomReal() { return rng_.Real(); }
    velmora::Random& Rng() { return rng_; }

    // Level 1..3 of the running exercise (mixed mode: 2 for codes 11..20, else 3).
    int CurrentLevel() const;
    // Session category: 0 fractions, 10 percentages, 20 calculator, -10 mixed.
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }
    bool PracticeMode() const { return practiceMode_; }
    void SetPracticeMode(bool practice) { practiceMode_ = practice; }
    void SetCategory(int tag, bool practice)
    {
        tag_ = tag;
        practiceMode_ = practice;
    }
    bool MixedMode() const { return tag_ < 0; }
    // The level choice: item index into a list of LevelCount() items (2 or 3).
    int LevelIndex() const { return levelIndex_; }
    void SetLevelIndex(int index);
    int LevelCount() const { return levelCount_; }
    void SetLevelCount(int count);

    void SetView(SessionView* view) { view_ = view; }
    SessionView* View() const { return view_; }

    // Copies both bitmaps to the paint boxes and opens the answer field at AnswerLine.
    void OpenAnswer(const QString& label, int kind, const QString& hint, const QString& text = QStringLiteral("?"));
    void ShowBitmaps();
    // Lets the window breathe during an animation; animations stop when Running is false.
    void ProcessEvents();

    // --- theme table as this session sees it
    ThemeGenerator GeneratorFor(int code) const;
    bool HasGenerator(int code) const { return GeneratorFor(code) != nullptr; }
    // Test seam: replaces the generator of one code for this session only.
    void OverrideGenerator(int code, ThemeGenerator generator);

    // --- setup screen
    // The window is shown: seeds the random source from the clock and sets SessionTitle.
    void Activate();
    QString KeuzeCaption() const;
    QString KeuzeHint() const;  // long part
    QString CheckBoxCaption(int box) const;
    bool CheckBoxVisible(int box) const;
    // A theme without an exercise yet cannot be chosen; the mixed mode offers no choice.
    bool CheckBoxEnabled(int box) const { return !MixedMode() && HasGenerator(tag_ + box); }
    bool Ticked(int box) const;
    void SetTicked(int box, bool ticked);  // also recounts
    // Recounts TickedCount and ThemeMask and decides whether START may be pressed.
    void CountThemes();
    bool StartEnabled() const { return startEnabled_; }
    // Draws the setup screen and leaves the run (Running false).
    void ShowSetup();
    bool StartButtonVisible() const { return startVisible_; }

    // --- the run
    // START: resumes the interrupted exercise when the level is unchanged, else a new run.
    void Start();
    // Doorgaan: the next exercise, or the same one again after a wrong first answer.
    void Continue();
    // Calls the generator of ThemeCode.
    void Verdeler();
    // The level button: the run pauses until START; ignored (false) in the mixed mode.
    bool LevelButton();
    // Einde: true when the run ended and the setup screen is back; false when the window
    // should close (it was on the setup screen).
    bool End();
    // The window closes.
    void Close();
    HelpTarget HelpRequest();

    // --- answer entry and marking
    // The answer field got the focus.
    void EnterAnswerField();
    // The pupil left the field with this text: parses it by the answer kind and marks it.
    // A decimal answer's separator is normalised in text (the window writes it back).
    AnswerOutcome SubmitAnswer(QString& text);
    bool AnswerPending() const { return answerPending_; }
    bool ContinueShown() const { return continueShown_; }
    const AnswerFieldSetup& Field() const { return field_; }
    QString ScoreLine() const;

private:
    void MarkAnswer();
    void DrawSetupTexts();
    void PickTheme();
    int AvailableMask() const;
    bool AnyAvailable() const;
    void GiveCalculatorAdvice();
    void ShowScore();
    void SetStatus(const QString& text);

    velmora::Random rng_;
    SessionView* view_ = nullptr;
    int tag_ = 0;
    bool practiceMode_ = true;
    int levelIndex_ = 0;  // NivoBox item index
    int levelCount_ = 3;
    std::array<ThemeGenerator, 31> generators_{};
    std::array<bool, 11> ticked_{};
    bool startEnabled_ = false;
    bool startVisible_ = true;
    bool answerPending_ = false;
    bool continueShown_ = false;
    int helpTopic_ = 0;
    AnswerFieldSetup field_;
    QString answerText_;
};

// The score line: the last three digits of points and of exercises, "012 uit 003".
QString FormatScore(int points, int exercises);

}  // namespace velmora
