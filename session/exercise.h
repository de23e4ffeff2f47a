#pragma once
// What a theme generator and its explanation work with: the exercise state, the two
// off-screen bitmaps, the random source, the level, the answer field and the pause of an
// animation. The Session adds the run around it (setup, selection, marking).
#include "session/drawntexts.h"
#include "session/exercisestate.h"
#include "session/sessionview.h"
#include "session/theme.h"
#include "toolkit/canvas.h"
#include "toolkit/numbers.h"

#include <array>

namespace velmora {

class Exercise : public ExerciseState {
public:
    Exercise();

    Bitmap PictureBitmap;
    Bitmap TextBitmap;
    // The texts in each bitmap, for screen readers; a window that wants them listens.
    DrawnTexts PictureTexts;
    DrawnTexts TextTexts;
    // Paints a bitmap over in the face colour, forgetting its texts.
    void Wipe(Bitmap& bitmap);
    // ClearLines on a bitmap, forgetting the texts in that band.
    void WipeLines(Bitmap& bitmap, double line1, double line2);
    // The texts of one of the two bitmaps; nullptr for any other bitmap.
    DrawnTexts* TextsOf(const Bitmap& bitmap);

    // Uniform integer 0..k-1 and uniform real in [0, 1) from the session's one generator.
    int Random(int k) { return rng_(k); }
    double RandomReal() { return rng_.Real(); }
    velmora::Random& Rng() { return rng_; }

    // Level 1..3 of the running exercise (mixed mode: 2 for percentage themes, else 3).
    int CurrentLevel() const;
    bool PracticeMode() const { return practiceMode_; }
    bool MixedMode() const { return category_ == Category::Mixed; }
    Category SessionCategory() const { return category_; }
    // The descriptor of ThemeCode as this session sees it; nullptr when there is none.
    const ThemeDescriptor* Theme() const { return ThemeFor(ThemeCode); }
    const ThemeDescriptor* ThemeFor(int code) const;

    // Copies both bitmaps to the paint boxes and opens the answer field at AnswerLine.
    void OpenAnswer(const QString& label, int kind, const QString& hint, const QString& text = QStringLiteral("?"));
    void ShowBitmaps();
    // One frame of an animation: the window waits ms milliseconds and keeps handling events;
    // headless views do not wait. False as soon as the run has ended, or once another
    // generator call began meanwhile (START after the level button): the animation stops.
    bool Pause(int ms);
    // The answer field got the focus: the first attempt begins.
    void EnterAnswerField();
    // Where ContinueButton appears after marking (just above the score panel), in pixels.
    int ContinueButtonTop() const { return continueTop_; }
    void SetContinueButtonTop(int top) { continueTop_ = top; }

protected:
    velmora::Random rng_;
    SessionView* view_ = nullptr;
    Category category_ = Category::Fractions;
    bool practiceMode_ = true;
    int levelIndex_ = 0;  // NivoBox item index
    int levelCount_ = 3;
    std::array<ThemeDescriptor, LastThemeCode + 1> themes_{};  // by code; Generator nullptr: none
    bool answerPending_ = false;
    AnswerFieldSetup field_;
    int continueTop_ = 0;
    int generatorCalls_ = 0;  // counted by the dispatcher; an animation belongs to one call
};

}  // namespace velmora
