// Theme 8: a terrace of W by H tile units laid with whole tiles, the last column and row cut;
// the pupil gives the area of the yellow part as a fraction or a whole number.
#include "tiles.h"

#include "session/exercise.h"
#include "toolkit/figures.h"
#include "toolkit/layout.h"
#include "toolkit/text.h"

#include <algorithm>
#include <vector>

namespace velmora {

namespace {

constexpr int TilesCode = 8;

Fraction Ratio(int p, int q)
{
    return FracDiv(IntToFraction(p), IntToFraction(q));
}

// A side a/b is usable when it is at least 2 and not whole; with b <= 8 every fractional
// part is then at least 1/8, above the 0.1 the picture needs to show the cut.
bool Usable(int a, int b)
{
    return a >= 2 * b && 10 * (a % b) >= b;
}

// Picture coordinates: the tile grid from (15, 15) percent, scaled so the longer side is
// 70 percent.
struct Grid {
    int N, M;
    int Wp, Hp;
    Grid(int n, int m) : N(n), M(m), Wp(Trunc(70.0 * n / std::max(n, m))), Hp(Trunc(70.0 * m / std::max(n, m))) {}
    double X(double u) const { return 15 + u * Wp / N; }
    double Y(double v) const { return 15 + v * Hp / M; }
    void Box(Bitmap& b, double u1, double v1, double u2, double v2) const
    {
        b.Rectangle(PctX(X(u1)), PctY(Y(v1)), PctX(X(u2)), PctY(Y(v2)));
    }
};

struct Area {
    double U1, V1, U2, V2;
};

// The yellow rectangles of a variant, in tile units.
std::vector<Area> YellowParts(int variant, int n, int m, double w, double h)
{
    switch (variant) {
        case 0:
            return {{n - 1.0, 0, w, m - 1.0}};
        case 1:
            return {{0, m - 1.0, n - 1.0, h}};
        case 2:
            return {{n - 1.0, m - 1.0, w, h}};
        case 3:
            return {{w, 0, double(n), m - 1.0}};
        case 4:
            return {{0, h, n - 1.0, double(m)}};
        case 5:
            return {{w, m - 1.0, double(n), double(m)}, {n - 1.0, h, double(n), double(m)}};
        case 6:
            return {{0, 0, w, h}};
        default:
            return {{w, 0, double(n), double(m)}, {0, h, double(n), double(m)}};
    }
}

void DrawDimensions(Bitmap& b, const Grid& g, const Fraction& width, const Fraction& height)
{
    const double w = FractionToReal(width), h = FractionToReal(height);
    DrawLinePct(b, clr::Blue, 15, 7.5, g.X(w), 7.5, 1);
    DrawLinePct(b, clr::Blue, 15, 7, 15, 8, 1);
    DrawLinePct(b, clr::Blue, g.X(w), 7, g.X(w), 8, 1);
    DrawLinePct(b, clr::Blue, 7.5, 15, 7.5, g.Y(h), 1);
    DrawLinePct(b, clr::Blue, 7, 15, 8, 15, 1);
    DrawLinePct(b, clr::Blue, 7, g.Y(h), 8, g.Y(h), 1);

    // The labels interrupt the dimension lines.
    DrawText(QString(), clr::Blue, false, 0, 0, 0.9, b);
    b.Pen = PenState{clr::BtnFace, 1, false};
    b.Brush = BrushState{clr::BtnFace, false};
    const int heightY = PctY(g.Y(0.5 * h));
    const int top = heightY - LineHeight / 2;
    b.Rectangle(PctX(7), top, PctX(8), top + 2 * LineHeight);
    const int widthX = PctX(g.X(0.5 * w));
    const int left = widthX - b.TextWidth(QStringLiteral("4"));
    b.Rectangle(left, PctY(7), left + b.TextWidth(QStringLiteral("4 40")), PctY(8));

    DrawFraction(width, b, widthX, PctY(5), clr::Blue);
    DrawFraction(height, b, PctX(5), heightY, clr::Blue);
}

void DrawPicture(Exercise& s, const Fraction& width, const Fraction& height)
{
    Bitmap& b = s.PictureBitmap;
    const int n = s.Param[tiles::Columns], m = s.Param[tiles::Rows];
    const Grid g(n, m);
    const double w = FractionToReal(width), h = FractionToReal(height);

    b.Pen = PenState{clr::Black, Round(ScaleFactor), false};
    b.Brush = BrushState{clr::Gray, false};
    g.Box(b, 0, 0, n, m);
    b.Pen.Color = clr::Yellow;
    b.Brush.Color = clr::Yellow;
    for (const Area& a : YellowParts(s.ThemeMemory[TilesCode], n, m, w, h))
        g.Box(b, a.U1, a.V1, a.U2, a.V2);

    b.Pen.Color = clr::Black;
    b.Brush.Clear = true;
    g.Box(b, 0, 0, n, m);
    for (int u = 1; u < n; ++u) {
        b.MoveTo(PctX(g.X(u)), PctY(g.Y(0)));
        b.LineTo(PctX(g.X(u)), PctY(g.Y(m)));
    }
    for (int v = 1; v < m; ++v) {
        b.MoveTo(PctX(g.X(0)), PctY(g.Y(v)));
        b.LineTo(PctX(g.X(n)), PctY(g.Y(v)));
    }
    b.Pen = PenState{clr::Blue, Round(1.5 * ScaleFactor), false};
    g.Box(b, 0, 0, w, h);

    DrawDimensions(b, g, width, height);

    const QString size = QString::number(n) + QStringLiteral(" bij ") + QString::number(m) + QLatin1Char('.');
    DrawText(QStringLiteral("Het totale terras is ") + size, clr::Black, false, -1, 24, 1, b);
    DrawText(QStringLiteral("Hoe groot is de oppervlakte van het geel gekleurde deel ?"), clr::Red, false, -1, 25, 1,
             b);
}

void DrawQuestion(Exercise& s)
{
    Bitmap& t = s.TextBitmap;
    DrawText(QStringLiteral("Het totale terras is"), clr::Black, false, Margin, 1, 1, t);
    DrawText(QString::number(s.Param[tiles::Columns]) + QStringLiteral(" bij ") +
                 QString::number(s.Param[tiles::Rows]) + QLatin1Char('.'),
             clr::Black, false, Margin, 2, 1, t);
    DrawText(QStringLiteral("Hoe groot is de oppervlakte"), clr::Red, false, Margin, 4, 1, t);
    DrawText(QStringLiteral("van het geel gekleurde deel ?"), clr::Red, false, Margin, 5, 1, t);
    DrawText(QStringLiteral("(Geef een breuk of"), clr::Black, false, -1, 6.5, 0.9, t);
    DrawText(QStringLiteral("geheel getal in.)"), clr::Black, false, -1, 7.5, 0.9, t);
}

Fraction SideOf(const Exercise& s, int numSlot, int denSlot)
{
    return Ratio(s.Param[numSlot], s.Param[denSlot]);
}

}  // namespace

Fraction TileArea(int variant, const Fraction& width, const Fraction& height)
{
    const int n = width.Whole + 1, m = height.Whole + 1;
    const Fraction usedWidth = FracSub(width, IntToFraction(n - 1));
    const Fraction usedHeight = FracSub(height, IntToFraction(m - 1));
    switch (variant) {
        case 0:
            return IntMulFrac(m - 1, usedWidth);
        case 1:
            return IntMulFrac(n - 1, usedHeight);
        case 2:
            return FracMul(usedWidth, usedHeight);
        case 3:
            return IntMulFrac(m - 1, FracSub(IntToFraction(n), width));
        case 4:
            return IntMulFrac(n - 1, FracSub(IntToFraction(m), height));
        case 5:
            return FracSub(IntToFraction(1), FracMul(usedWidth, usedHeight));
        case 6:
            return FracMul(width, height);
        default:
            return FracSub(IntToFraction(n * m), FracMul(width, height));
    }
}

void PoseTiles(Exercise& s)
{
    const int level = s.CurrentLevel();
    // Starter leaves out the whole terrace and everything cut off.
    const int variants = level == 1 ? 6 : tiles::VariantCount;
    int& variant = s.ThemeMemory[TilesCode];
    variant = ((variant + 1) % variants + variants) % variants;

    int& previous = s.ThemeCycle[tiles::PreviousLimitCounter];
    int limit = 0;
    do {
        limit = Trunc((s.RandomReal() + 0.5) * 1.5 * level + 3);
    } while (limit == previous);
    previous = limit;

    int a1 = 0, b1 = 0, a2 = 0, b2 = 0;
    do {
        b1 = 2 + s.Random(7);
        b2 = 2 + s.Random(7);
        a1 = 1 + s.Random(limit * b1);
        a2 = 1 + s.Random(limit * b2);
    } while (!Usable(a1, b1) || !Usable(a2, b2));

    const Fraction width = Ratio(a1, b1), height = Ratio(a2, b2);
    s.Param[tiles::Columns] = width.Whole + 1;
    s.Param[tiles::Rows] = height.Whole + 1;
    s.Param[tiles::WidthNum] = static_cast<int>(ImproperNumerator(width));
    s.Param[tiles::WidthDen] = width.Den;
    s.Param[tiles::HeightNum] = static_cast<int>(ImproperNumerator(height));
    s.Param[tiles::HeightDen] = height.Den;
    s.ExpectedFraction = TileArea(variant, width, height);
    s.ExpectedReal = FractionToReal(s.ExpectedFraction);
}

void TerraceTiles(Exercise& s)
{
    if (s.Attempt == 0) {
        PoseTiles(s);
        DrawPicture(s, SideOf(s, tiles::WidthNum, tiles::WidthDen), SideOf(s, tiles::HeightNum, tiles::HeightDen));
    }
    DrawQuestion(s);

    s.AnswerLine = 10;
    s.AnswerUnit.clear();
    s.OpenAnswer(QStringLiteral("Oppervlakte: "), 4, QStringLiteral("|Oppervlakte van het geel gekleurde deel ?"));
}

const ThemeDescriptor TilesTheme{
    .Code = 8,
    .Title = "Terras met tegels. Oppervlakte ?",
    .Generator = TerraceTiles,
    .Use = Advice::PenAndPaper,
    .Help = {1, 8},
    .Cycle = {tiles::PreviousLimitCounter, 1, 0},
};

}  // namespace velmora
