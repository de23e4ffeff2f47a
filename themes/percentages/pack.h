#pragma once
// Theme 19: Maik buys a big pack, Jet a small one; how many percent more does Jet pay per
// gram?
#include "session/theme.h"

#include <QColor>

namespace velmora {

class Bitmap;

namespace pack {
// Param slots: the big pack's weight G (grams) and price B (whole euros), the small pack's
// weight w and price S.
enum Slot { BigWeight = 0, BigPrice = 1, SmallWeight = 2, SmallPrice = 3 };
inline constexpr int PreviousWeightCounter = 8;  // ThemeCycle slot: the previous small weight
}  // namespace pack

// The small pack's price in whole euros for a surcharge of f percent: f% of the big pack's
// price per gram, times 1.3, for w grams, cut to whole euros. Computed in integers, so a
// whole result is never cut to one less.
int SmallPackPrice(int surcharge, int bigPrice, int smallWeight, int bigWeight);
// How many percent more the small pack costs per gram (negative when it is cheaper).
double SmallPackExtra(int smallPrice, int bigPrice, int smallWeight, int bigWeight);

// A box in perspective standing on (x, y), its front 30 % and its height 20 % of the picture
// width at scale 1.
void DrawPack(Bitmap& b, const QColor& pen, const QColor& fill, int x, int y, double scale);

// Draws the numbers into Param (and the weight memory) and sets the answer; draws nothing.
void PosePack(Exercise& s);
void BigOrSmallPack(Exercise& s);
void ExplainUnitPrice(Exercise& s, double line);

extern const ThemeDescriptor PackTheme;  // 19

}  // namespace velmora
