#pragma once
// Themes 12 and 13: the "meer" model (money grows by the interest) and the "minder" model
// (a price drops by the discount), drawn as an old, a change and a new bar.
#include "session/theme.h"

#include <QString>

namespace velmora {

namespace growth {
// Param slots: the old amount in whole euros, the rate or discount in tenths of a percent.
enum Slot { Amount = 0, Rate = 1 };
inline constexpr int MoreTheme = 12;
}  // namespace growth

// Draws the numbers of a new exercise into Param and sets the expected answer and the
// story's words; no drawing.
void PoseGrowth(Exercise& s);
// The new amount in thousandths of a euro, exactly.
long long GrowthThousandths(bool more, int amount, int rate);
// An amount in thousandths as euros with two decimals, a half cent rounded up.
QString FormatEuroThousandths(long long thousandths);

void GrowthModels(Exercise& s);
void ExplainGrowth(Exercise& s, double line);

extern const ThemeDescriptor MoreTheme;  // 12
extern const ThemeDescriptor LessTheme;  // 13

}  // namespace velmora
