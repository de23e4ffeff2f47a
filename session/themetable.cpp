#include "themetable.h"

#include "session/exercisestate.h"
#include "themes/calculator/chain.h"
#include "themes/calculator/formulas.h"
#include "themes/calculator/shopping.h"
#include "themes/calculator/skating.h"
#include "themes/fractions/grass.h"
#include "themes/fractions/sums.h"
#include "themes/percentages/pizza.h"

#include <QSet>

#include <algorithm>
#include <iterator>

namespace velmora {

namespace {

// One line per theme, in code order.
const ThemeDescriptor* const Themes[] = {
    &FractionSumTheme, &FractionDifferenceTheme, &PizzaTheme,   &ShoppingTheme,
    &SkatingTheme,     &SalesChainTheme,         &FormulaTheme,
};

// The themes still to be built: their check boxes show but cannot be ticked. A theme that
// gets its generator moves its descriptor from here into its own source.
const ThemeDescriptor Planned[] = {
    {.Code = 1, .Title = "Gras in de tuin. Welk deel ?", .Use = Advice::PenAndPaper, .Help = {1, 1}},
    {.Code = 2, .Title = "Gras in de tuin. Bereken het percentage", .Use = Advice::PenAndPaper, .Help = {1, 2}},
    {.Code = 3,
     .Title = "Gras in de tuin. Schat het percentage",
     .Use = Advice::PenAndPaper,
     .Estimate = GrassEstimatePoints,
     .EstimatePenalty = 5,
     .ClearFromLine = 15.5,
     .ClearToLine = 26,
     .Help = {1, 2}},
    {.Code = 6, .Title = "Huisvuil verwerken. Hoeveel kg ?", .Use = Advice::PenAndPaper, .Help = {1, 6}},
    {.Code = 7, .Title = "Hoe hard rijdt Stefanie ?", .Use = Advice::PenAndPaper, .Help = {1, 7}},
    {.Code = 8, .Title = "Terras met tegels. Oppervlakte ?", .Use = Advice::PenAndPaper, .Help = {1, 8}},
    {.Code = 9, .Title = "Rara met breuken !", .Use = Advice::PenAndPaper, .Help = {1, 9}},
    {.Code = 11, .Title = "Een reep delen met Ellen en Esther", .Help = {2, 1}},
    {.Code = 12, .Title = "Jorrit en het \"meer\"-model", .Help = {2, 2}},
    {.Code = 13, .Title = "Kasper en het \"minder\"-model", .Help = {2, 3}},
    {.Code = 15, .Title = "Eva gaat winkelen", .Use = Advice::PenAndPaper, .Help = {2, 5}},
    {.Code = 16, .Title = "Luuk springt trampoline", .Help = {2, 6}},
    {.Code = 17, .Title = "Youri met zijn basketbal", .Help = {2, 7}},
    {.Code = 18, .Title = "Hester wil reclame maken", .Help = {2, 8}},
    {.Code = 19, .Title = "Maik koopt groot, Jet koopt klein", .Help = {2, 9}},
    {.Code = 20, .Title = "Huisvuil verwerken. Hoeveel kg ?", .Help = {2, 10}},
    {.Code = 22, .Title = "Compost maken. Hoeveel % ?", .Help = {2, 10}},
    {.Code = 23, .Title = "Gras in de tuin. Hoeveel % ?", .Help = {1, 2}},
    {.Code = 24, .Title = "Stefanie op de fiets", .Help = {3, 4}},
    {.Code = 27, .Title = "Suzanne gaat geld wisselen", .Help = {3, 7}},
    {.Code = 28, .Title = "Diana op haar superbike", .Help = {3, 8}},
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
    if (const ThemeDescriptor* theme = FindTheme(code))
        return *theme;
    for (const ThemeDescriptor& planned : Planned)
        if (planned.Code == code)
            return planned;
    return ThemeDescriptor{};
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
        if (code < FirstThemeCode || code > LastThemeCode || code % 10 == 0)
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
    for (const ThemeDescriptor& planned : Planned)
        if (codes.contains(planned.Code))
            problems << QStringLiteral("theme %1: built, but still in the planned list").arg(planned.Code);
    return problems.join(QLatin1Char('\n'));
}

}  // namespace velmora
