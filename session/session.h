#pragma once
// The model of a run: the exercise (state, bitmaps, random source) plus theme selection,
// dispatch, marking and the setup screen. No widgets: a SessionView shows it.
//
// Contract for theme generators (see session/theme.h): when Attempt is 0 a generator draws
// new numbers (Param, ThemeMemory, ThemeCycle) and sets the expected answer; in every call
// it draws TextBitmap (and, for a new exercise, PictureBitmap), sets AnswerLine and
// AnswerUnit, and calls OpenAnswer().
#include "session/exercise.h"

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

class Session : public Exercise {
public:
    // The session category and practice or test, as the main menu button chose them.
    void SetCategory(Category category, bool practice);
    // Session tag: 0 fractions, 10 percentages, 20 calculator, -10 mixed; the code of
    // check box k is Tag() + k.
    int Tag() const { return CategoryTag(category_); }
    // The level choice: item index into a list of LevelCount() items (2 or 3).
    int LevelIndex() const { return levelIndex_; }
    void SetLevelIndex(int index);
    int LevelCount() const { return levelCount_; }

    void SetView(SessionView* view) { view_ = view; }
    SessionView* View() const { return view_; }

    bool HasGenerator(int code) const { return ThemeFor(code) != nullptr; }
    // Test seams: replace one theme (or only its generator) for this session.
    void OverrideTheme(const ThemeDescriptor& theme);
    void OverrideGenerator(int code, ThemeGenerator generator);

    // --- setup screen
    // The window is shown: seeds the random source from the clock and sets SessionTitle.
    void Activate();
    QString KeuzeCaption() const;
    QString KeuzeHint() const;  // long part
    QString CheckBoxCaption(int box) const;
    bool CheckBoxVisible(int box) const;
    // A theme without an exercise yet cannot be chosen; the mixed mode offers no choice.
    bool CheckBoxEnabled(int box) const { return !MixedMode() && HasGenerator(Tag() + box); }
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
    void ResetRotationCounters();
    void GiveCalculatorAdvice();
    void ShowScore();
    void SetStatus(const QString& text);

    std::array<bool, 11> ticked_{};
    bool startEnabled_ = false;
    bool startVisible_ = true;
    bool continueShown_ = false;
    int helpTopic_ = 0;
    QString answerText_;
};

// The score line: the last three digits of points and of exercises, "012 uit 003".
QString FormatScore(int points, int exercises);

}  // namespace velmora
