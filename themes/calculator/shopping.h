#pragma once
// The shopping list of theme 21; the worked explanation reads the same items.
#include "session/theme.h"

#include <QString>

namespace velmora {

namespace shopping {
// Param slots: the wrong row k, its shown (wrong) amount in cents, its quantity, and which
// slip was made (0..5).
enum Slot { WrongRow = 0, WrongAmount = 1, WrongQuantity = 2, SlipKind = 3 };
}  // namespace shopping

inline constexpr int ShoppingItemCount = 12;

// Item name and unit price in cents of row 1..12; empty and 0 outside.
QString ShoppingItemName(int row);
int ShoppingItemPrice(int row);
// Rows on the list at level 1..3: 7, 9 or 12.
int ShoppingRowCount(int level);
// An amount in whole cents as euros with two decimals and the pupil's separator, exact
// to the cent at any size (so the printed totals always add up).
QString FormatCents(long long cents);

void ShoppingError(Exercise& s);
void ExplainShoppingError(Exercise& s, double line);

extern const ThemeDescriptor ShoppingTheme;  // 21

}  // namespace velmora
