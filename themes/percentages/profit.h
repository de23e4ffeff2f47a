#pragma once
// Theme 18: Hester sells four articles in the canteen; which one has the highest profit
// percentage?
#include "session/theme.h"

#include <QString>

namespace velmora {

namespace profit {
// Param slots: the row (1..4) of the article with the highest profit percentage and its
// purchase and sale price in cents; then purchase and sale price of row i in the slots
// 2i + 1 and 2i + 2.
enum Slot { BestRow = 0, BestPurchase = 1, BestSale = 2 };
inline constexpr int ArticleCount = 4;
inline constexpr int PurchaseSlot(int row)
{
    return 2 * row + 1;
}
inline constexpr int SaleSlot(int row)
{
    return 2 * row + 2;
}
}  // namespace profit

// "Chocobar", "Zakje drop", "Chips", "Zakje gemengd snoep" for rows 1..4; empty outside.
QString ProfitArticleName(int row);
// 100 s / a - 100.
double ProfitPercentage(int purchase, int sale);

// Draws the four price pairs into Param, picks the best article and sets the answer.
void PoseProfit(Exercise& s);
void HighestProfit(Exercise& s);
void ExplainProfit(Exercise& s, double line);

extern const ThemeDescriptor ProfitTheme;  // 18

}  // namespace velmora
