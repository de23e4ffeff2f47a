#include "themetable.h"

#include "themes/generators.h"

#include <iterator>

namespace velmora {

namespace {

struct ThemeRow {
    int Code;
    const char* Title;  // UTF-8
    ThemeGenerator Generator;
};

// A theme without a generator yet is never picked: selection skips it.
const ThemeRow kThemes[] = {
    {1, "Gras in de tuin. Welk deel ?", nullptr},
    {2, "Gras in de tuin. Bereken het percentage", nullptr},
    {3, "Gras in de tuin. Schat het percentage", nullptr},
    {4, "Hoeveel zijn de breuken samen ?", FractionSums},
    {5, "Hoeveel verschillen die breuken ?", FractionSums},
    {6, "Huisvuil verwerken. Hoeveel kg ?", nullptr},
    {7, "Hoe hard rijdt Stefanie ?", nullptr},
    {8, "Terras met tegels. Oppervlakte ?", nullptr},
    {9, "Rara met breuken !", nullptr},
    {11, "Een reep delen met Ellen en Esther", nullptr},
    {12, "Jorrit en het \"meer\"-model", nullptr},
    {13, "Kasper en het \"minder\"-model", nullptr},
    {14, "Een stuk pizza voor Femke  (% raden)", PizzaEstimate},
    {15, "Eva gaat winkelen", nullptr},
    {16, "Luuk springt trampoline", nullptr},
    {17, "Youri met zijn basketbal", nullptr},
    {18, "Hester wil reclame maken", nullptr},
    {19, "Maik koopt groot, Jet koopt klein", nullptr},
    {20, "Huisvuil verwerken. Hoeveel kg ?", nullptr},
    {21, "Een foutje bij de boodschappen", ShoppingError},
    {22, "Compost maken. Hoeveel % ?", nullptr},
    {23, "Gras in de tuin. Hoeveel % ?", nullptr},
    {24, "Stefanie op de fiets", nullptr},
    {25, "Lange-baan wedstrijd schaatsen", nullptr},
    {26, "Verkoopketting: prijzen en winst", nullptr},
    {27, "Suzanne gaat geld wisselen", nullptr},
    {28, "Diana op haar superbike", nullptr},
    {29, "Moeilijke formules invullen", nullptr},
};

const ThemeRow* Find(int code)
{
    for (const ThemeRow& row : kThemes)
        if (row.Code == code)
            return &row;
    return nullptr;
}

}  // namespace

QString ThemeTitle(int code)
{
    const ThemeRow* row = Find(code);
    return row ? QString::fromUtf8(row->Title) : QString();
}

ThemeGenerator ThemeGeneratorFor(int code)
{
    const ThemeRow* row = Find(code);
    return row ? row->Generator : nullptr;
}

}  // namespace velmora
