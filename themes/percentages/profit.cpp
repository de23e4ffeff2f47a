// Theme 18: a price table of four articles; the pupil finds the highest profit percentage.
#include "profit.h"

#include "session/exercise.h"
#include "toolkit/figures.h"
#include "toolkit/layout.h"
#include "toolkit/text.h"

#include <cmath>

namespace velmora {

namespace {

using namespace profit;

constexpr const char* Articles[ArticleCount] = {"Chocobar", "Zakje drop", "Chips", "Zakje gemengd snoep"};

double RowLine(int row)
{
    return 10.5 + row;
}

QString Cents(int cents)
{
    return FormatFixed(cents * 0.01, 2);
}

// A sale price above the purchase price and at most half as much again.
void DrawPair(Exercise& s, int& purchase, int& sale)
{
    purchase = 25 + s.Random(40);
    sale = 2 * purchase;
    while (2 * sale > 3 * purchase)
        sale = (purchase - purchase % 5) + 5 * (2 + s.Random(8));
}

void DrawStory(Bitmap& b)
{
    DrawText(QStringLiteral("Hester maakt reclame"), clr::Red, false, -1, 0.5, 1.5, b);
    const auto blue = [&b](const char* text, double line) {
        DrawText(QString::fromUtf8(text), clr::Blue, false, Margin, line, 1, b);
    };
    blue("Hester staat achter de toonbank in de kantine van haar", 3);
    blue("sportclub. De winst is voor een reisje van de jeugdteams.", 4);
    blue("Ze wil daarom reclame maken voor het artikel met het", 5.5);
    blue("hoogste winstpercentage.", 6.5);
    DrawText(QStringLiteral("Wat is het hoogste winstpercentage ?"), clr::Red, false, Margin, 8, 1, b);
    b.Pen = PenState{clr::Black, 1, false};
    b.Brush = BrushState{clr::Green, false};
    b.Rectangle(PctX(5), 18 * LineHeight, PctX(95), 25 * LineHeight);
    b.Brush = BrushState{clr::Yellow, false};
    b.Rectangle(PctX(7.5), 19 * LineHeight, PctX(92.5), 24 * LineHeight);
    DrawText(QStringLiteral("TIP van de DAG:"), clr::Black, false, -1, 19.5, 2, b);
}

void DrawTable(Exercise& s)
{
    Bitmap& b = s.PictureBitmap;
    DrawText(QStringLiteral("Artikel"), clr::Black, false, Margin, 10, 1, b);
    DrawText(QStringLiteral("Inkoop"), clr::Black, false, PctX(48.5), 10, 1, b);
    DrawText(QStringLiteral("Verkoop"), clr::Black, false, PctX(67), 10, 1, b);
    DrawLineLines(clr::Black, b, 1, 11.25, 99, 11.25, 1);
    for (int row = 1; row <= ArticleCount; ++row) {
        DrawText(ProfitArticleName(row), clr::Black, false, Margin, RowLine(row), 1, b);
        DrawText(Cents(s.Param[PurchaseSlot(row)]), clr::Black, false, PctX(50), RowLine(row), 1, b);
        DrawText(Cents(s.Param[SaleSlot(row)]), clr::Black, false, PctX(70), RowLine(row), 1, b);
    }
}

// The table's profit column, the best article in red, and the tip filled in.
void MarkPicture(Exercise& s)
{
    Bitmap& b = s.PictureBitmap;
    const int best = s.Param[BestRow];
    DrawText(s.WorkText, clr::Red, false, -1, 21.5, 2, b);
    DrawText(QStringLiteral("Winst(%)"), clr::Red, false, PctX(84), 10, 1, b);
    for (int row = 1; row <= ArticleCount; ++row) {
        if (row == best)
            continue;
        const double q = ProfitPercentage(s.Param[PurchaseSlot(row)], s.Param[SaleSlot(row)]);
        DrawText(FormatFixed(q, 2) + QLatin1Char('%'), clr::Black, false, PctX(85), RowLine(row), 1, b);
    }
    if (best < 1 || best > ArticleCount)
        return;
    // The best row is written again in red; its black text goes first so no dark rim stays.
    const double line = RowLine(best);
    b.Pen = PenState{clr::BtnFace, 1, false};
    b.Brush = BrushState{clr::BtnFace, false};
    b.Rectangle(Margin, Round(line * LineHeight), PctX(84), Round((line + 1) * LineHeight));
    DrawText(s.WorkText, clr::Red, false, Margin, line, 1, b);
    DrawText(Cents(s.Param[BestPurchase]), clr::Red, false, PctX(50), line, 1, b);
    DrawText(Cents(s.Param[BestSale]), clr::Red, false, PctX(70), line, 1, b);
    DrawText(FormatFixed(s.ExpectedReal, 2) + QLatin1Char('%'), clr::Red, false, PctX(85), line, 1, b);
}

}  // namespace

QString ProfitArticleName(int row)
{
    if (row < 1 || row > ArticleCount)
        return QString();
    return QString::fromUtf8(Articles[row - 1]);
}

double ProfitPercentage(int purchase, int sale)
{
    return purchase > 0 ? 100.0 * sale / purchase - 100 : 0;
}

void PoseProfit(Exercise& s)
{
    s.Param[BestRow] = 0;
    s.ExpectedReal = 0;
    for (int row = 1; row <= ArticleCount; ++row) {
        int a = 0, sale = 0;
        double q = 0;
        // No article may tie with the highest so far.
        do {
            DrawPair(s, a, sale);
            q = ProfitPercentage(a, sale);
        } while (std::fabs(q - s.ExpectedReal) <= 0.01);
        s.Param[PurchaseSlot(row)] = a;
        s.Param[SaleSlot(row)] = sale;
        if (q > s.ExpectedReal) {
            s.ExpectedReal = q;
            s.Param[BestRow] = row;
            s.Param[BestPurchase] = a;
            s.Param[BestSale] = sale;
            s.WorkText = ProfitArticleName(row);
        }
    }
    s.RealTolerance = 0.0049;
    s.AnswerDecimals = 2;
}

void HighestProfit(Exercise& s)
{
    if (s.Attempt == 0) {
        DrawStory(s.PictureBitmap);
        PoseProfit(s);
        DrawTable(s);
    }
    Bitmap& t = s.TextBitmap;
    DrawText(QStringLiteral("Hester berekent de vier"), clr::Blue, false, Margin, 1, 1, t);
    DrawText(QStringLiteral("winstpercentages."), clr::Blue, false, Margin, 2, 1, t);
    DrawText(QStringLiteral("Wat is daarbij de"), clr::Red, false, Margin, 3.5, 1, t);
    DrawText(QStringLiteral("hoogste uitkomst ?"), clr::Red, false, Margin, 4.5, 1, t);
    DrawText(QStringLiteral("(afronden op 2 decimalen)"), clr::Blue, false, Margin, 7, 1, t);
    s.AnswerLine = 9;
    s.AnswerUnit = QStringLiteral(" %");
    s.OpenAnswer(QStringLiteral("Hoogste %: "), 2, QStringLiteral("|Wat is het hoogste winstpercentage ?"));
}

void ExplainProfit(Exercise& s, double line)
{
    Bitmap& t = s.TextBitmap;
    if (s.PracticeMode() && !s.MixedMode()) {
        DrawText(QStringLiteral("Grootste verhouding "), clr::Blue, false, Margin, line, 1, t);
        // The quotient stands under its fraction: beside it the line would run off the text.
        DrawFractionText(Cents(s.Param[BestSale]), Cents(s.Param[BestPurchase]), t, TextEndX, Round(line * LineHeight),
                         clr::Blue);
        DrawApproxText(FormatFixed(s.ExpectedReal * 0.01 + 1, 4), clr::Blue, t, TextEndX, line + 2, 1);
        DrawText(QStringLiteral("Dus winstpercentage "), clr::Blue, false, Margin, line + 3.25, 1, t);
        line += 3.25;
    } else {
        DrawText(QStringLiteral("Hoogste winstpercentage "), clr::Blue, false, Margin, line, 1, t);
        line += 1.5;
        DrawText(QString(), clr::Red, false, -1, line, 1, t);
    }
    DrawApproxText(FormatFixed(s.ExpectedReal, 2), clr::Red, t, TextEndX, line, 1);
    DrawText(QStringLiteral("%"), clr::Red, false, TextEndX, line, 1, t);
    line += 1.5;
    DrawText(QStringLiteral("Ze maakt reclame voor:"), clr::Blue, false, Margin, line, 1, t);
    DrawText(s.WorkText, clr::Red, false, -1, line + 1, 1, t);
    MarkPicture(s);
}

const ThemeDescriptor ProfitTheme{
    .Code = 18,
    .Title = "Hester wil reclame maken",
    .Generator = HighestProfit,
    .Explain = ExplainProfit,
    .Help = {2, 8},
};

}  // namespace velmora
