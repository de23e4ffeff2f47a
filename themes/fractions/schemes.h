#pragma once
// Themes 6, 20 and 22: a waste plant splits household waste in up to four stages; the pupil
// works out how many kilograms end up in one box of the drawn scheme.
#include "session/theme.h"
#include "toolkit/fraction.h"

#include <QString>

#include <array>

namespace velmora {

namespace schemes {
// Param slots: the household waste A in kg, the denominators b1..b4 and numerators a1..a4 of
// the four shares that go on, and the asked step s (1..8).
enum Slot { Waste = 0, Den1 = 1, Num1 = 5, Step = 9 };
inline constexpr int StageCount = 4;
// ThemeCycle slot: the step asked by the previous exercise of any of the three themes.
inline constexpr int PreviousStepCounter = 1;
}  // namespace schemes

// The name of the box of step 1..8 as the question names it ("broeiverlies").
QString SchemeBoxName(int step);

// The exact kilograms in the box of the asked step, from the Param slots.
Fraction SchemeAmount(const std::array<int, 13>& param);

// Draws the numbers of a new exercise and sets the expected answer, without drawing.
void PoseScheme(Exercise& s);
void ProcessingScheme(Exercise& s);

extern const ThemeDescriptor WasteFractionTheme;  // 6
extern const ThemeDescriptor WastePercentTheme;   // 20
extern const ThemeDescriptor CompostTheme;        // 22

}  // namespace velmora
