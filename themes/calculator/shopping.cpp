// Theme 21: a shopping list with one wrong multiplication; the pupil finds the right total.
#include "shopping.h"

#include "session/exercise.h"
#include "toolkit/figures.h"
#include "toolkit/layout.h"
#include "toolkit/text.h"

#include <cstdlib>

namespace velmora {

namespace {

struct Item {
    const char* Name;
    int Price;  // cents
};

constexpr Item Items[ShoppingItemCount] = {
    {"limonade", 190}, {"chips", 160}, {"spaghetti", 210}, {"tomaten", 340},   {"gehakt", 550}, {"uien", 110},
    {"sla", 150},      {"drop", 60},   {"toetje", 90},     {"pleisters", 220}, {"jam", 290},    {"vleeswaren", 190},
};

// The shown line total of the wrong row, by error kind 0..5.
int WrongLineTotal(int kind, int price, int quantity)
{
    switch (kind) {
        case 0:
            return Round(price * quantity * 0.1);  // a factor 10 too small
        case 1:
            return price * (quantity - 1);
        case 2:
            return price * (quantity + 1);
        case 3:
            return price * quantity * 10;
        case 4:
            return (price - 100) * quantity;  // one euro too little per item
        default:
            return (price + 100) * quantity;  // one euro too much per item
    }
}

// Right-aligned so that the amount ends at the given percentage of the picture.
void DrawAmountEndingAt(double pct, long long cents, const QColor& colour, double line, Bitmap& b)
{
    const QString text = FormatCents(cents);
    b.Font.Size = Round(RefFontSize * 1.0);
    b.Font.Bold = false;
    DrawText(text, colour, false, PctX(pct) - b.TextWidth(text), line, 1, b);
}

void DrawHeading(Bitmap& b)
{
    DrawText(QStringLiteral("Boodschappen voor brugklaskamp"), clr::Red, true, Margin, 0.25, 1.5, b);
    DrawText(QStringLiteral("De mentor van een brugklas doet inkopen voor 't kamp."), clr::Blue, false, Margin, 2, 1,
             b);
    DrawText(QStringLiteral("Hieronder staan zijn boodschappen."), clr::Blue, false, Margin, 3, 1, b);
    DrawText(QStringLiteral("Eén vermenigvuldiging is fout. De anderen zijn goed."), clr::Red, false, Margin, 4.5, 1,
             b);
    DrawText(QStringLiteral("De optelling klopt !"), clr::Red, false, Margin, 5.5, 1, b);
    DrawText(QStringLiteral("Zoek de fout op zonder rekenmachine en bereken daarna"), clr::Blue, false, Margin, 7, 1,
             b);
    DrawText(QStringLiteral("met de machine het juiste totaal."), clr::Blue, false, Margin, 8, 1, b);
}

// A row up to its "= " and euro sign; the amount follows on its own.
void DrawRowItems(Bitmap& b, int row, int quantity, const QColor& colour)
{
    const double line = row + 9;
    DrawText(ShoppingItemName(row), colour, false, Margin, line, 1, b);
    DrawText(QString::number(quantity), colour, false, PctX(35), line, 1, b);
    DrawText(QStringLiteral("x   "), colour, false, PctX(40), line, 1, b);
    DrawEuroText(QStringLiteral("  ") + FormatCents(ShoppingItemPrice(row)), colour, false, TextEndX, line, 1, b);
    DrawText(QStringLiteral("= "), colour, false, PctX(64), line, 1, b);
    DrawEuroText(QString(), colour, false, TextEndX, line, 1, b);
}

void DrawRow(Bitmap& b, int row, int quantity, int lineTotal)
{
    DrawRowItems(b, row, quantity, clr::Black);
    DrawAmountEndingAt(83, lineTotal, clr::Black, row + 9, b);
}

void DrawTotalRow(Bitmap& b, int rows, int shownTotal)
{
    const double line = rows + 11;
    b.Font.Size = Round(RefFontSize * 1.0);
    b.Font.Bold = false;
    const int x = PctX(73) - b.TextWidth(QStringLiteral("Totaal  C  "));
    DrawText(QStringLiteral("Totaal "), clr::Blue, false, x, line, 1, b);
    DrawEuroText(QString(), clr::Blue, false, TextEndX, line, 1, b);
    DrawAmountEndingAt(83, shownTotal, clr::Blue, line, b);
}

void NewList(Exercise& s)
{
    Bitmap& b = s.PictureBitmap;
    const int rows = ShoppingRowCount(s.CurrentLevel());
    const int wrongRow = 2 + s.Random(rows - 1);
    s.Param[shopping::WrongRow] = wrongRow;
    s.Param[shopping::WrongAmount] = 0;
    s.ExpectedInt = 0;
    int shownTotal = 0;

    DrawHeading(b);
    for (int row = 1; row <= rows; ++row) {
        const int quantity = 3 + s.Random(rows - 1);
        const int price = ShoppingItemPrice(row);
        int lineTotal = price * quantity;
        if (row == wrongRow) {
            const int kind = s.Random(6);
            lineTotal = WrongLineTotal(kind, price, quantity);
            s.Param[shopping::WrongAmount] = lineTotal;
            s.Param[shopping::WrongQuantity] = quantity;
            s.Param[shopping::SlipKind] = kind;
        }
        DrawRow(b, row, quantity, lineTotal);
        s.ExpectedInt += price * quantity;
        shownTotal += lineTotal;
    }
    DrawTotalRow(b, rows, shownTotal);
}

}  // namespace

QString ShoppingItemName(int row)
{
    if (row < 1 || row > ShoppingItemCount)
        return QString();
    return QString::fromUtf8(Items[row - 1].Name);
}

int ShoppingItemPrice(int row)
{
    if (row < 1 || row > ShoppingItemCount)
        return 0;
    return Items[row - 1].Price;
}

int ShoppingRowCount(int level)
{
    return level <= 1 ? 7 : level == 2 ? 9 : 12;
}

QString FormatCents(long long cents)
{
    const long long magnitude = std::llabs(cents);
    return (cents < 0 ? QStringLiteral("-") : QString()) + QString::number(magnitude / 100) + DecSep +
           QStringLiteral("%1").arg(magnitude % 100, 2, 10, QLatin1Char('0'));
}

void ShoppingError(Exercise& s)
{
    if (s.Attempt == 0)
        NewList(s);

    Bitmap& t = s.TextBitmap;
    DrawText(QStringLiteral("Bij het berekenen van het totaal-"), clr::Blue, false, Margin, 1.5, 1, t);
    DrawText(QStringLiteral("bedrag bij de boodschappen"), clr::Blue, false, Margin, 2.5, 1, t);
    DrawText(QStringLiteral("is één fout gemaakt."), clr::Blue, false, Margin, 3.5, 1, t);
    DrawText(QStringLiteral("Wat is het juiste totaalbedrag ?"), clr::Red, false, Margin, 5, 1, t);
    DrawText(QStringLiteral("(2 decimalen)"), clr::Blue, false, Margin, 6.5, 1, t);

    s.ExpectedReal = s.ExpectedInt * 0.01;
    s.AnswerDecimals = 2;
    s.RealTolerance = 0.0049;
    s.AnswerLine = 8.5;
    s.AnswerUnit = QStringLiteral(" Euro");
    s.OpenAnswer(QStringLiteral("Totaalbedrag: "), 2, QStringLiteral("|Geef het juiste totaalbedrag in"));
}

// The right total, the wrong row named, and in the picture that row in red with its
// amount and the total crossed out and corrected.
void ExplainShoppingError(Exercise& s, double line)
{
    Bitmap& t = s.TextBitmap;
    Bitmap& b = s.PictureBitmap;
    const int row = s.Param[shopping::WrongRow];
    const int quantity = s.Param[shopping::WrongQuantity];
    const int rows = ShoppingRowCount(s.CurrentLevel());

    DrawEuroText(FormatCents(s.ExpectedInt) + QLatin1Char(' '), clr::Red, false, Margin, line, 1, t);
    line += 2;
    DrawText(QStringLiteral("De fout zat bij: "), clr::Blue, false, Margin, line, 1, t);
    DrawText(ShoppingItemName(row), clr::Red, false, TextEndX, line, 1, t);

    // Over the black row, so that the red covers it letter for letter.
    DrawRowItems(b, row, quantity, clr::Red);
    for (const double top : {row + 9.0, rows + 11.0}) {
        DrawLineLines(clr::Red, b, 73, top, 84, top + 1, 1);
        DrawLineLines(clr::Red, b, 73, top + 1, 84, top, 1);
    }
    DrawAmountEndingAt(96, static_cast<long long>(ShoppingItemPrice(row)) * quantity, clr::Red, row + 9, b);
    DrawAmountEndingAt(96, s.ExpectedInt, clr::Red, rows + 11, b);
}

const ThemeDescriptor ShoppingTheme{
    .Code = 21,
    .Title = "Een foutje bij de boodschappen",
    .Generator = ShoppingError,
    .Explain = ExplainShoppingError,
    .Help = {3, 1},
};

}  // namespace velmora
