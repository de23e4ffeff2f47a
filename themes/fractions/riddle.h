#pragma once
// Theme 9: two fractions X and Y go into a PLUS or a KEER machine and Z comes out; one of the
// three is hidden as "Rara" and the pupil finds it.
#include "session/theme.h"

namespace velmora {

namespace riddle {
// Param slots: X, Y and Z as improper fractions in lowest terms (numerator, denominator).
enum Slot { XNum = 1, XDen = 2, YNum = 3, YDen = 4, ZNum = 5, ZDen = 6 };
// The variant c (ThemeMemory): 0..2 addition, 3..5 multiplication; c mod 3 is the hidden
// value: 0 Z, 1 X, 2 Y.
inline constexpr int VariantCount = 6;
// ThemeCycle slot: the size limit of the previous exercise.
inline constexpr int PreviousLimitCounter = 4;
}  // namespace riddle

// Draws the numbers of a new exercise and sets the expected answer, without drawing.
void PoseRiddle(Exercise& s);
void FractionRiddle(Exercise& s);

extern const ThemeDescriptor RiddleTheme;  // 9

}  // namespace velmora
