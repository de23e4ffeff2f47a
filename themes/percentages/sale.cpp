// Theme 15: a store sale; Eva buys one article and the pupil works out its new price.
#include "sale.h"

#include "session/exercise.h"
#include "toolkit/figures.h"
#include "toolkit/layout.h"
#include "toolkit/text.h"

namespace velmora {

namespace {

const QString Question = QStringLiteral("Hoeveel moet Eva betalen ?");

void UseTextFont(Bitmap& b)
{
    b.Font.Size = Round(RefFontSize * 1.0);
    b.Font.Bold = false;
}

// Size-1 text that ends at x.
void DrawRightAligned(Bitmap& b, const QString& text, const QColor& colour, int x, double line)
{
    UseTextFont(b);
    DrawText(text, colour, false, x - b.TextWidth(text), line, 1, b);
}

void DrawSegment(Bitmap& b, int x1, int y1, int x2, int y2)
{
    b.MoveTo(x1, y1);
    b.LineTo(x2, y2);
}

// Ten rows of one column group: the old prices 100 g + 10 .. 100 g + 100, the bought one in
// red; only the first group shows its new prices, the others leave them to the pupil.
void DrawGroupRows(Bitmap& b, int g, int gx, int cw, int tw, int price, int discount)
{
    const int newX = gx + cw / 3;
    for (int k = 1; k <= 10; ++k) {
        const double line = 13 + k;
        const int v = 100 * g + 10 * k;
        const QColor& c = v == price ? clr::Red : clr::Black;
        DrawRightAligned(b, QString::number(v), c, gx + tw, line);
        if (k == 1) {
            UseTextFont(b);
            const int x =
                g == 0 ? 4 * Margin - b.TextWidth(QStringLiteral("C")) : gx - b.TextWidth(QStringLiteral("C "));
            DrawEuroText(QString(), c, false, x, line, 1, b);
        }
        if (v == price) {
            DrawText(QStringLiteral("  ? "), clr::Red, false, newX, line, 1, b);
        } else if (g == 0) {
            const TablePrice p = SaleTablePrice(k, discount);
            DrawRightAligned(b, QString::number(p.Whole), clr::Blue, newX + tw, line);
            if (p.Half)
                DrawText(QStringLiteral(",50"), clr::Blue, false, TextEndX, line, 1, b);
        } else {
            DrawText(QStringLiteral("  ..."), clr::Blue, false, newX, line, 1, b);
        }
    }
}

void DrawPriceTable(Bitmap& b, int price, int discount)
{
    const int M = Margin, H = LineHeight, W = b.Width();
    const int cw = (W - 6 * M) / 3;
    UseTextFont(b);
    const int tw = b.TextWidth(QStringLiteral("400"));

    b.Pen = PenState{clr::Black, Round(ScaleFactor), false};
    b.Brush = BrushState{clr::Aqua, false};
    b.Rectangle(M, 12 * H, W - M, 25 * H);
    for (int g = 0; g < 3; ++g) {
        const int offset = (M + cw) * g;
        const int gx = 3 * M + offset;
        b.Pen = PenState{clr::Black, Round(2 * ScaleFactor), false};
        DrawSegment(b, Round(1.5 * M + offset), Round(13.75 * H), Round(2.5 * M + 0.8 * cw + offset), Round(13.75 * H));
        const int separator = 4 * M + tw + offset;
        DrawSegment(b, separator, Round(12.5 * H), separator, Round(24.5 * H));
        DrawRightAligned(b, QStringLiteral("Oud"), clr::Black, gx + tw, 12.5);
        DrawText(QStringLiteral("Nieuw"), clr::Blue, false, gx + cw / 3, 12.5, 1, b);
        DrawGroupRows(b, g, gx, cw, tw, price, discount);
    }
}

void DrawPicture(Exercise& s)
{
    Bitmap& b = s.PictureBitmap;
    const int M = Margin, H = LineHeight;
    const int discount = s.Param[sale::Discount];
    DrawText(QStringLiteral("Eva in het warenhuis"), clr::Red, false, -1, 0.5, 1.75, b);
    DrawLabelBox(QStringLiteral("!!  OPRUIMING  !!"), QStringLiteral("Vandaag"),
                 QString::number(discount) + QStringLiteral("% korting"), Rect{M, 5 * H, b.Width() - M, 10 * H}, 1,
                 clr::Red, b, clr::Yellow, 1, clr::Red, 0);
    DrawText(QStringLiteral("Het warenhuis houdt "), clr::Black, false, M, 3, 1, b);
    DrawText(QStringLiteral("OPRUIMING !"), clr::Blue, false, TextEndX, 3, 1, b);
    DrawPriceTable(b, s.Param[sale::Price], discount);
}

}  // namespace

TablePrice SaleTablePrice(int k, int discount)
{
    // 10 k (100 - D) / 100 euros: whole tenths of a euro times ten, so at most half a euro over.
    const int tenths = k * (100 - discount);
    return TablePrice{tenths / 10, tenths % 10 != 0};
}

void PoseSale(Exercise& s)
{
    const int level = s.CurrentLevel();
    int& previousDiscount = s.ThemeCycle[sale::PreviousDiscountCounter];
    int& previousIndex = s.ThemeCycle[sale::PreviousIndexCounter];
    int discount = 0;
    do {
        discount = 10 + 5 * (level - 1) + 10 * s.Random(9);
    } while (discount == previousDiscount);
    int n = 0;
    do {
        n = 11 + s.Random(20);
    } while (n == previousIndex || (level == 1 && n > 20));
    previousDiscount = discount;
    previousIndex = n;

    const int price = 10 * n;
    s.Param[sale::Price] = price;
    s.Param[sale::Discount] = discount;
    s.ExpectedReal = price * (100 - discount) / 100.0;
    s.RealTolerance = 0.0049;
    s.AnswerDecimals = price % 20 == 0 || discount % 10 == 0 ? 0 : 2;
}

void StoreSale(Exercise& s)
{
    if (s.Attempt == 0) {
        PoseSale(s);
        DrawPicture(s);
    }

    Bitmap& t = s.TextBitmap;
    DrawText(QStringLiteral("Vandaag op alle artikelen "), clr::Blue, false, Margin, 1, 1, t);
    DrawText(QString::number(s.Param[sale::Discount]) + QStringLiteral("% korting."), clr::Blue, false, Margin, 2, 1,
             t);
    DrawText(QStringLiteral("Eva wil iets kopen dat eerst"), clr::Black, false, Margin, 3.5, 1, t);
    DrawEuroText(QString::number(s.Param[sale::Price]) + QStringLiteral(" kostte."), clr::Black, false, Margin, 4.5, 1,
                 t);
    DrawText(Question, clr::Red, false, Margin, 6, 1, t);

    s.AnswerLine = 8;
    s.AnswerUnit = QStringLiteral(" Euro");
    s.OpenAnswer(QStringLiteral("Eva betaalt: "), 2, QStringLiteral("|") + Question);
}

const ThemeDescriptor SaleTheme{
    .Code = 15,
    .Title = "Eva gaat winkelen",
    .Generator = StoreSale,
    .Use = Advice::PenAndPaper,
    .Help = {2, 5},
    .Cycle = {sale::PreviousDiscountCounter, 2, 0},
};

}  // namespace velmora
