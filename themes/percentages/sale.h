#pragma once
// Theme 15: a store sale; Eva buys one article and the pupil works out its new price.
#include "session/theme.h"

namespace velmora {

namespace sale {
// Param slots: the old price in whole euros, the discount in percent.
enum Slot { Price = 0, Discount = 1 };
// ThemeCycle slots: the previous discount and the previous price index (price / 10), so
// neither comes twice in a row.
inline constexpr int PreviousDiscountCounter = 6;
inline constexpr int PreviousIndexCounter = 7;
}  // namespace sale

// Draws the numbers of a new exercise into Param, remembers them and sets the expected
// answer; no drawing.
void PoseSale(Exercise& s);
// The new price of an article of 10 x k euros in the table's first column, as the table
// prints it: whole euros, followed by ",50" for half a euro.
struct TablePrice {
    int Whole = 0;
    bool Half = false;
};
TablePrice SaleTablePrice(int k, int discount);

void StoreSale(Exercise& s);

extern const ThemeDescriptor SaleTheme;  // 15

}  // namespace velmora
