#pragma once
// The shopping list of theme 21; the worked explanation reads the same items.
#include <QString>

namespace velmora {

inline constexpr int ShoppingItemCount = 12;

// Item name and unit price in cents of row 1..12; empty and 0 outside.
QString ShoppingItemName(int row);
int ShoppingItemPrice(int row);
// Rows on the list at level 1..3: 7, 9 or 12.
int ShoppingRowCount(int level);
// An amount in whole cents as euros with two decimals and the pupil's separator, exact
// to the cent at any size (so the printed totals always add up).
QString FormatCents(long long cents);

}  // namespace velmora
