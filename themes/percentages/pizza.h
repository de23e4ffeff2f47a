#pragma once
// Theme 14: a round pizza with one red slice; the pupil estimates the slice in percent.
#include "session/theme.h"

namespace velmora {

namespace pizza {
enum Slot { Slice = 0 };                        // Param: the slice in percent
inline constexpr int PreviousSliceCounter = 5;  // ThemeCycle slot: the previous pizza's slice
}  // namespace pizza

void PizzaEstimate(Exercise& s);
// Points for an estimate d percent off; the table on the picture is printed from it.
int PizzaPoints(int level, int attempt, long long d);

extern const ThemeDescriptor PizzaTheme;  // 14

}  // namespace velmora
