#pragma once
// Themes 4 and 5: the sum or the difference of two fractions, as bars and as a formula.
#include "session/theme.h"

namespace velmora {

namespace sums {
// Param slots of an exercise: the two fractions p1/d1 and p2/d2 as shown (simplified), and
// the unsimplified result n/d.
enum Slot { Den1 = 1, Den2 = 2, Num1 = 3, Num2 = 4, ResultNum = 5, ResultDen = 6 };
}  // namespace sums

void FractionSums(Exercise& s);

extern const ThemeDescriptor FractionSumTheme;         // 4
extern const ThemeDescriptor FractionDifferenceTheme;  // 5

}  // namespace velmora
