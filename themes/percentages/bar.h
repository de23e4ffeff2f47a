#pragma once
// Theme 11: a chocolate bar shared by Ellen, Esther and the pupil; the pupil's rest in grams.
#include "session/theme.h"

namespace velmora {

namespace bar {
// Param slots: the bar's weight in grams, Ellen's, Esther's and the pupil's percentage.
enum Slot { Weight = 0, Ellen = 1, Esther = 2, Rest = 3 };
}  // namespace bar

// Draws the numbers of a new exercise into Param and sets the expected answer; no drawing.
void PoseBar(Exercise& s);
// Decimals the pupil's share needs: weight x rest hundredths of a gram.
int BarDecimals(int weight, int rest);

void ShareBar(Exercise& s);
void ExplainBar(Exercise& s, double line);

extern const ThemeDescriptor BarTheme;  // 11

}  // namespace velmora
