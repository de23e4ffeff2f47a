#include "themetable.h"

#include "session/exercisestate.h"
#include "themes/calculator/bicycle.h"
#include "themes/calculator/chain.h"
#include "themes/calculator/exchange.h"
#include "themes/calculator/formulas.h"
#include "themes/calculator/shopping.h"
#include "themes/calculator/skating.h"
#include "themes/fractions/grass.h"
#include "themes/fractions/riddle.h"
#include "themes/fractions/schemes.h"
#include "themes/fractions/speed.h"
#include "themes/fractions/sums.h"
#include "themes/fractions/tiles.h"
#include "themes/percentages/bar.h"
#include "themes/percentages/bounce.h"
#include "themes/percentages/growth.h"
#include "themes/percentages/pack.h"
#include "themes/percentages/pizza.h"
#include "themes/percentages/profit.h"
#include "themes/percentages/sale.h"

#include <QSet>

#include <algorithm>
#include <iterator>

namespace velmora {

namespace {

// One line per theme, in code order.
const ThemeDescriptor* const Themes[] = {
    &GrassPartTheme,           // 1
    &GrassPercentTheme,        // 2
    &GrassEstimateTheme,       // 3
    &FractionSumTheme,         // 4
    &FractionDifferenceTheme,  // 5
    &WasteFractionTheme,       // 6
    &SpeedFractionTheme,       // 7
    &TilesTheme,               // 8
    &RiddleTheme,              // 9
    &BarTheme,                 // 11
    &MoreTheme,                // 12
    &LessTheme,                // 13
    &PizzaTheme,               // 14
    &SaleTheme,                // 15
    &TrampolineTheme,          // 16
    &BasketballTheme,          // 17
    &ProfitTheme,              // 18
    &PackTheme,                // 19
    &WastePercentTheme,        // 20
    &ShoppingTheme,            // 21
    &CompostTheme,             // 22
    &GrassDecimalTheme,        // 23
    &SpeedDecimalTheme,        // 24
    &SkatingTheme,             // 25
    &SalesChainTheme,          // 26
    &ExchangeTheme,            // 27
    &BicycleTheme,             // 28
    &FormulaTheme,             // 29
};

}  // namespace

int CategoryTag(Category category)
{
    switch (category) {
        case Category::Fractions:
            return 0;
        case Category::Percentages:
            return 10;
        case Category::Calculator:
            return 20;
        case Category::Mixed:
            break;
    }
    return -10;
}

Category CategoryOfTag(int tag)
{
    switch (tag) {
        case 0:
            return Category::Fractions;
        case 10:
            return Category::Percentages;
        case 20:
            return Category::Calculator;
        default:
            return Category::Mixed;
    }
}

Category CategoryOfCode(int code)
{
    if (code < FirstThemeCode || code > LastThemeCode)
        return Category::Mixed;
    return CategoryOfTag((code - 1) / 10 * 10);
}

int LevelCount(Category category)
{
    return category == Category::Percentages ? 2 : 3;
}

std::span<const ThemeDescriptor* const> AllThemes()
{
    return Themes;
}

const ThemeDescriptor* FindTheme(int code)
{
    for (const ThemeDescriptor* theme : Themes)
        if (theme->Code == code)
            return theme;
    return nullptr;
}

ThemeDescriptor ThemeFacts(int code)
{
    const ThemeDescriptor* theme = FindTheme(code);
    return theme ? *theme : ThemeDescriptor{};
}

QString ThemeTitle(int code)
{
    const ThemeDescriptor facts = ThemeFacts(code);
    return facts.Code ? QString::fromUtf8(facts.Title) : QString();
}

QString CheckThemeTable(std::span<const ThemeDescriptor* const> themes)
{
    QStringList problems;
    QSet<int> codes;
    // Slot -> the generator that owns it; themes sharing a generator share its counters.
    ThemeGenerator owners[CycleSlotCount] = {};
    int previous = 0;
    for (const ThemeDescriptor* theme : themes) {
        const int code = theme->Code;
        const QString name = QStringLiteral("theme %1").arg(code);
        // 10 and 30 are the empty boxes of the fraction and calculator lists; 20 is a theme.
        if (code < FirstThemeCode || code > LastThemeCode || code == 10 || code == 30)
            problems << name + QStringLiteral(": no such code");
        if (codes.contains(code))
            problems << name + QStringLiteral(": listed twice");
        codes.insert(code);
        if (code < previous)
            problems << name + QStringLiteral(": out of code order");
        previous = code;
        if (!theme->Generator)
            problems << name + QStringLiteral(": no generator");
        if (QString::fromUtf8(theme->Title).isEmpty())
            problems << name + QStringLiteral(": no title");
        if (theme->AttemptsAllowed < 1 || theme->AttemptsAllowed > 2)
            problems << name + QStringLiteral(": attempts must be 1 or 2");
        if (theme->Help.File < 1 || theme->Help.File > 4 || theme->Help.Topic < 1 || theme->Help.Topic > 10)
            problems << name + QStringLiteral(": no help topic");
        const CycleSlots& cycle = theme->Cycle;
        if (cycle.First < 0)
            continue;
        if (cycle.Count < 1 || cycle.First + cycle.Count > int(std::size(owners))) {
            problems << name + QStringLiteral(": rotation counters out of range");
            continue;
        }
        for (int slot = cycle.First; slot < cycle.First + cycle.Count; ++slot) {
            if (owners[slot] && owners[slot] != theme->Generator)
                problems << name + QStringLiteral(": rotation counter %1 belongs to another generator").arg(slot);
            owners[slot] = theme->Generator;
        }
    }
    return problems.join(QLatin1Char('\n'));
}

}  // namespace velmora
