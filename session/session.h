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
#include "toolkit/canvas.h"
#include "toolkit/numbers.h"

namespace velmora {

class Session : public ExerciseState {
public:
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
    bool PracticeMode() const { return practiceMode_; }
    // Test seams: pick the category and the NivoBox item without the setup screen.
    void SetCategory(int tag, bool practiceMode)
    {
        tag_ = tag;
        practiceMode_ = practiceMode;
    }
    void SetLevelIndex(int index) { levelIndex_ = index; }

    void SetView(SessionView* view) { view_ = view; }
    SessionView* View() const { return view_; }

    // Copies both bitmaps to the paint boxes and opens the answer field at AnswerLine.
    void OpenAnswer(const QString& label, int kind, const QString& hint, const QString& text = QStringLiteral("?"));
    void ShowBitmaps();
    // Lets the window breathe during an animation; animations stop when Running is false.
    void ProcessEvents();

private:
    velmora::Random rng_;
    SessionView* view_ = nullptr;
    int tag_ = 0;
    bool practiceMode_ = true;
    int levelIndex_ = 0;  // NivoBox item index
};

}  // namespace velmora
