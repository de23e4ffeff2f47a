#pragma once
// Theme 27: Suzanne buys or sells foreign money at the rates of an exchange office.
#include "session/theme.h"

#include <QString>

namespace velmora {

class Random;

namespace exchange {
// Param slots: the first amount (foreign units, or euros in the variants that spend a
// euro amount) and its currency, the second amount and currency (two-currency stories).
enum Slot { Amount = 1, Currency = 2, Amount2 = 3, Currency2 = 4 };
inline constexpr int VariantCount = 8;
}  // namespace exchange

inline constexpr int CurrencyCount = 8;

// The rate table by currency 1..8: names, the number of units a rate is for, the rate at
// which the office buys the money back ("verkoop", Suzanne sells) and sells it ("aankoop",
// Suzanne buys), in euro per unit count, and the decimals the rates are shown with.
QString CurrencyName(int k);
QString CurrencyPlural(int k);
int CurrencyUnits(int k);
double SellRate(int k);
double BuyRate(int k);
int RateDecimals(int k);

// The numbers of one story, drawn in the order the story needs them.
struct ExchangePose {
    int Variant = 1;
    int Amount = 0;
    int Currency = 1;
    int Amount2 = 0;    // 0 in the one-currency stories
    int Currency2 = 0;  // 0 in the one-currency stories
};

// Draws a variant the level allows (never the previous one) and its numbers.
ExchangePose PoseExchange(Random& random, int level, int previousVariant);
// The exact answer of a story, from the table's rates.
double ExchangeAnswer(const ExchangePose& pose);
// " Euro", or a space and the last word of the currency's plural when the answer is
// foreign money.
QString ExchangeUnit(const ExchangePose& pose);

void CurrencyExchange(Exercise& s);
void ExplainExchange(Exercise& s, double line);

extern const ThemeDescriptor ExchangeTheme;  // 27

}  // namespace velmora
