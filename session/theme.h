#pragma once
// What makes a theme a theme. Each theme declares its descriptor in its own source, beside
// its generator; session/themetable.cpp lists them. Session, marking, help routing and the
// tools read the descriptor; nothing else switches on a theme code.
#include <array>

namespace velmora {

class Exercise;

inline constexpr int FirstThemeCode = 1;
inline constexpr int LastThemeCode = 30;

// Draws the exercise: new numbers when Attempt is 0, then text, picture and answer field.
using ThemeGenerator = void (*)(Exercise&);
// Draws the worked solution after a final wrong answer, from the given text line on.
using ThemeExplanation = void (*)(Exercise&, double line);
// Points of a right estimate that is d off, at a level and attempt (1 or 2).
using EstimatePoints = int (*)(int level, int attempt, long long d);

// The session categories and their theme codes: fractions 1-10, percentages 11-20,
// calculator 21-30; the mixed mode draws from all of them.
enum class Category { Fractions, Percentages, Calculator, Mixed };

inline constexpr std::array<Category, 3> ThemeCategories{Category::Fractions, Category::Percentages,
                                                         Category::Calculator};

// The session tag of the old window: 0, 10, 20, or -10 for the mixed mode. Theme code of
// check box k is tag + k in a category session.
int CategoryTag(Category category);
Category CategoryOfTag(int tag);
// The category a theme code belongs to (Mixed for codes outside 1..30).
Category CategoryOfCode(int code);
// Percentage sessions offer " Starter" and " Durver"; all others also " Prof !".
int LevelCount(Category category);

// What the pupil is advised to use, under the answer field.
enum class Advice { PenAndPaper, Calculator };

// The help script (demo<File>.txt) and topic the help button opens during a practice run.
struct HelpRoute {
    int File = 1;
    int Topic = 0;
};

// The rotation counters a generator keeps across exercises of a run (ThemeCycle slots).
struct CycleSlots {
    int First = -1;  // -1: none
    int Count = 0;
    int Start = 0;  // the value START gives them
};

struct ThemeDescriptor {
    int Code = 0;
    const char* Title = "";  // UTF-8, the check-box title
    ThemeGenerator Generator = nullptr;
    ThemeExplanation Explain = nullptr;  // nullptr: the bare answer follows "Het antwoord was: "
    int AttemptsAllowed = 2;
    Advice Use = Advice::Calculator;
    // Estimates are marked by their distance d: praise or "Bijna goed." ..., these points,
    // and a final miss costs EstimatePenalty points. nullptr: an exact answer.
    EstimatePoints Estimate = nullptr;
    int EstimatePenalty = 0;
    // Marking first clears this band of text lines (the hints an estimate theme draws there).
    double ClearFromLine = 0;
    double ClearToLine = 0;
    HelpRoute Help;
    CycleSlots Cycle;
};

}  // namespace velmora
