// Themes 1, 2, 3 and 23: grass in the garden.
#include "grass.h"

#include "session/exercise.h"
#include "toolkit/fraction.h"
#include "toolkit/layout.h"
#include "toolkit/numbers.h"
#include "toolkit/text.h"

#include <algorithm>
#include <array>

namespace velmora {

namespace {

constexpr int PartTheme = 1;
constexpr int EstimateTheme = 3;
constexpr int DecimalTheme = 23;

// Garden sizes by size index; entry 0 is never used. Square gardens for theme 1, and the
// (width, height) pairs of themes 2 and 3: every area divides a whole percentage grid.
constexpr std::array<int, 8> Rand{0, 4, 6, 8, 9, 12, 18, 24};
constexpr std::array<int, 21> lm{0, 2, 2, 5, 2, 10, 2, 25, 4, 5, 5, 5, 10, 4, 10, 4, 25, 5, 20, 5, 8};
constexpr std::array<int, 21> hm{0, 2, 5, 2, 10, 2, 25, 2, 5, 4, 5, 10, 5, 10, 4, 25, 4, 20, 5, 8, 5};

const char* const Captions[grass::VariantCount] = {
    "Driehoekig grasveld",       "Rechthoekig grasveld",       "Gras op twee driehoeken",
    "Géén gras op een driehoek", "Géén gras op een rechthoek", "Géén gras op twee driehoeken",
};

// Variants 0 and 3 are one triangle, 1 and 4 a rectangle, 2 and 5 two triangles; from 3
// on the shape is the part without grass.
int ShapeOf(int variant)
{
    return variant % 3;
}

bool Inverse(int variant)
{
    return variant >= 3;
}

QString Num(int n)
{
    return QString::number(n);
}

void DrawShape(Bitmap& b, int variant, int Wp, int Hp, double u, double v)
{
    switch (ShapeOf(variant)) {
        case 1:
            b.Rectangle(PctX(10), PctY(10), PctX(10 + u), PctY(10 + v));
            break;
        case 2:
            b.Polygon({{PctX(10 + Wp), PctY(10 + Hp)},
                       {PctX(10 + Wp - u), PctY(10 + Hp)},
                       {PctX(10 + Wp), PctY(10 + Hp - v)}});
            [[fallthrough]];
        default:
            b.Polygon({{PctX(10), PctY(10)}, {PctX(10 + u), PctY(10)}, {PctX(10), PctY(10 + v)}});
            break;
    }
}

void DrawPicture(Exercise& s, int theme, int level)
{
    using namespace grass;
    Bitmap& b = s.PictureBitmap;
    const int c = s.ThemeMemory[theme];
    const int W = s.Param[GardenWidth], H = s.Param[GardenHeight];
    const int w = s.Param[ShapeWidth], h = s.Param[ShapeHeight];
    const int longest = std::max(W, H);
    const int Wp = 80 * W / longest, Hp = 80 * H / longest;

    b.Pen = PenState{clr::Black, Round(ScaleFactor), false};
    b.Brush = Inverse(c) ? BrushState{clr::Green, false} : BrushState{clr::White, true};
    b.Rectangle(PctX(10), PctY(10), PctX(10 + Wp), PctY(10 + Hp));
    b.Brush = BrushState{Inverse(c) ? clr::BtnFace : clr::Green, false};
    DrawShape(b, c, Wp, Hp, double(Wp) * w / W, double(Hp) * h / H);

    // The squares to count: gone at Prof !, and an estimate gets only columns, at Starter.
    if (level <= 2) {
        b.Pen = PenState{clr::White, 1, false};
        if (theme != EstimateTheme || level == 1)
            for (int i = 1; i < W; ++i) {
                b.MoveTo(PctX(10 + double(Wp) * i / W), PctY(10));
                b.LineTo(PctX(10 + double(Wp) * i / W), PctY(10 + Hp));
            }
        if (theme != EstimateTheme)
            for (int i = 1; i < H; ++i) {
                b.MoveTo(PctX(10), PctY(10 + double(Hp) * i / H));
                b.LineTo(PctX(10 + Wp), PctY(10 + double(Hp) * i / H));
            }
    }
    if (ShapeOf(c) != 1 && level == 1 && s.ExercisesDone < 15)
        DrawText(QStringLiteral("Oppervlakte driehoek = ½ * Oppervlakte rechthoek"), clr::Blue, false, Margin, 24.5, 1,
                 b);
}

// What a right estimate earns, as marking awards it, at the attempt the pupil is on.
void DrawPointsTable(Bitmap& t, int level, int attempt)
{
    const int k = attempt == 2 ? 2 : 1;
    const int p1 = level == 1 ? 6 : 4, p2 = level == 1 ? 4 : 2, p3 = level == 1 ? 2 : 0;
    const auto row = [&](const QString& text, double line, const QColor& colour) {
        DrawText(text, colour, false, Margin, line, 0.9, t);
    };
    row(QStringLiteral("Te verdienen punten: (%1e poging)").arg(k), 16, clr::Blue);
    row(QStringLiteral(" precies goed: %1 punten").arg(8 / k), 17, clr::Black);
    row(QStringLiteral(" 1% ernaast:   %1 punten").arg(p1 / k), 18, clr::Black);
    row(QStringLiteral(" 2% ernaast:   %1 punten").arg(p2 / k), 19, clr::Black);
    row(QStringLiteral(" 3% ernaast:   %1 punten").arg(p3 / k), 20, clr::Black);
    if (level == 3) {
        row(QStringLiteral(" Meer ernaast:   5 punten eraf !"), 21, clr::Red);
    } else {
        row(QStringLiteral(" 4% ernaast:   0 punten"), 21, clr::Black);
        row(QStringLiteral("Meer ernaast: "), 22, clr::Black);
        DrawText(QStringLiteral("5 punten eraf !"), clr::Red, false, TextEndX, 22, 0.9, t);
    }
}

void DrawQuestion(Exercise& s, int theme, int level)
{
    using namespace grass;
    Bitmap& t = s.TextBitmap;
    DrawText(QStringLiteral("Tuin"), clr::Blue, false, Margin, 1, 1, t);
    if (theme != EstimateTheme) {
        DrawText(QStringLiteral(" is %1 bij %2").arg(s.Param[GardenWidth]).arg(s.Param[GardenHeight]), clr::Blue, false,
                 TextEndX, 1, 1, t);
    }
    DrawText(GrassCaption(s.ThemeMemory[theme]) + QLatin1Char(':'), clr::Blue, false, Margin, 2, 1, t);
    if (theme != EstimateTheme) {
        DrawText(QStringLiteral("horizontaal ") + Num(s.Param[ShapeWidth]), clr::Blue, false, 3 * Margin, 3, 1, t);
        DrawText(QStringLiteral("vertikaal ") + Num(s.Param[ShapeHeight]), clr::Blue, false, 3 * Margin, 4, 1, t);
    }
    if (theme == PartTheme) {
        DrawText(QStringLiteral("Op welk deel van de tuin"), clr::Red, false, Margin, 6, 1, t);
        DrawText(QStringLiteral("groeit gras ?"), clr::Red, false, Margin, 7, 1, t);
    } else if (theme == EstimateTheme) {
        DrawText(QStringLiteral("Schat hoeveel procent van"), clr::Red, false, Margin, 4, 1, t);
        DrawText(QStringLiteral("de tuin bedekt is met gras."), clr::Red, false, Margin, 5, 1, t);
        DrawPointsTable(t, level, s.Attempt);
    } else {
        DrawText(QStringLiteral("Bereken hoeveel procent van"), clr::Red, false, Margin, 6, 1, t);
        DrawText(QStringLiteral("de tuin bedekt is met gras."), clr::Red, false, Margin, 7, 1, t);
        if (theme == DecimalTheme)
            DrawText(QStringLiteral("(afronden op 2 decimalen)"), clr::Blue, false, Margin, 8, 1, t);
    }
}

void NewGarden(Exercise& s, int theme, int level)
{
    using namespace grass;
    int& variant = s.ThemeMemory[theme];
    variant = NextGrassVariant(variant, level, s.ExercisesDone);
    int& sizeIndex = s.ThemeCycle[SizeIndexCounter];
    const GrassNumbers g = PoseGrass(theme, level, variant, sizeIndex, s.Rng());
    sizeIndex = g.SizeIndex;
    s.Param[GardenWidth] = g.W;
    s.Param[GardenHeight] = g.H;
    s.Param[ShapeWidth] = g.w;
    s.Param[ShapeHeight] = g.h;
    s.Param[Covered] = g.N;
    s.Param[Area] = g.D;
    s.ExpectedFraction = FracDiv(IntToFraction(g.N), IntToFraction(g.D));
    s.ExpectedReal = 100.0 * g.N / g.D;
    s.ExpectedInt = Round(100.0 * g.N / g.D);
}

}  // namespace

QString GrassCaption(int variant)
{
    if (variant < 0 || variant >= grass::VariantCount)
        return QString();
    return QString::fromUtf8(Captions[variant]);
}

int NextGrassVariant(int previous, int level, int exercisesDone)
{
    if (exercisesDone < 3)
        return 1;
    const int count = level == 1 ? 4 : 6;
    return ((previous + 1) % count + count) % count;
}

void GrassCoveredPart(int variant, int W, int H, int w, int h, int& N, int& D)
{
    // Areas in half squares for one triangle, in whole squares otherwise.
    const bool half = ShapeOf(variant) == 0;
    D = half ? 2 * W * H : W * H;
    N = Inverse(variant) ? D - w * h : w * h;
}

GrassNumbers PoseGrass(int theme, int level, int variant, int previousIndex, Random& random)
{
    GrassNumbers g;
    g.Variant = variant;
    g.SizeIndex = previousIndex;
    do {
        if (theme == PartTheme) {
            do
                g.SizeIndex = level == 1 ? 1 + random(3) : 2 + random(6);
            while (g.SizeIndex == previousIndex);
            g.W = g.H = Rand[g.SizeIndex];
            g.w = 2 + random(g.W - 2);
            g.h = 2 + random(g.W - 2);
        } else if (theme == DecimalTheme) {
            g.W = 10 + random(10);
            g.H = 10 + random(10);
            g.w = 1 + random(g.W - 1);
            g.h = 1 + random(g.H - 1);
        } else {
            // A 2 by 2 garden has no whole percentage for one triangle: take 5 by 2. The
            // swap comes before the comparison, so no index comes twice in a row.
            do {
                g.SizeIndex = 1 + random(20);
                if (ShapeOf(variant) == 0 && g.SizeIndex == 1)
                    g.SizeIndex = 3;
            } while (g.SizeIndex == previousIndex);
            g.W = lm[g.SizeIndex];
            g.H = hm[g.SizeIndex];
            g.w = 1 + random(g.W - 1);
            g.h = 1 + random(g.H - 1);
        }
        GrassCoveredPart(variant, g.W, g.H, g.w, g.h, g.N, g.D);
        if (theme != PartTheme && theme != DecimalTheme && 100 * g.N % g.D != 0)
            g.N = 0;  // no whole percentage: draw again
    } while (g.N == 0);
    return g;
}

int GrassEstimatePoints(int level, int attempt, long long d)
{
    attempt = std::max(attempt, 1);
    if (level == 1)
        return static_cast<int>(std::max(0LL, (8 - 2 * d) / attempt));
    const int table = d == 0 ? 8 : d == 1 ? 4 : d == 2 ? 2 : 0;
    return table / attempt;
}

void GrassGarden(Exercise& s)
{
    const int theme = s.ThemeCode;
    const int level = s.CurrentLevel();
    if (s.Attempt == 0) {
        NewGarden(s, theme, level);
        DrawPicture(s, theme, level);
    }
    // The window caption shows the shape.
    s.SessionTitle = GrassCaption(s.ThemeMemory[theme]);
    DrawQuestion(s, theme, level);

    s.IntTolerance = theme == EstimateTheme ? (level == 3 ? 3 : 4) : 0;
    s.RealTolerance = 0.0049;
    s.AnswerDecimals = 2;
    s.AnswerLine = 10;
    if (theme == PartTheme) {
        s.AnswerUnit.clear();
        s.OpenAnswer(QStringLiteral("Breuk: "), 3, QStringLiteral("|Welk deel is bedekt met gras ?"));
    } else {
        s.AnswerUnit = QStringLiteral(" %");
        s.OpenAnswer(QStringLiteral("Percentage: "), theme == DecimalTheme ? 2 : 1,
                     QStringLiteral("|Welk percentage is bedekt met gras ?"));
    }
}

void ExplainGrass(Exercise& s, double line)
{
    using namespace grass;
    Bitmap& t = s.TextBitmap;
    const int c = s.ThemeMemory[s.ThemeCode];
    const int y = Round(line * LineHeight);
    if (s.PracticeMode()) {
        // The part with grass is the product of the shape's fractions of width and height.
        DrawText(QString(), clr::Red, false, Margin, line, 1, t);
        if (Inverse(c))
            DrawText(QStringLiteral("1 - "), clr::Red, false, Margin, line, 1, t);
        const QString times = QStringLiteral("  x  ");
        TextEndX = DrawFractionText(Num(s.Param[ShapeWidth]), Num(s.Param[GardenWidth]), t, TextEndX, y, clr::Red);
        DrawText(times, clr::Red, false, TextEndX, line, 1, t);
        TextEndX = DrawFractionText(Num(s.Param[ShapeHeight]), Num(s.Param[GardenHeight]), t, TextEndX, y, clr::Red);
        if (ShapeOf(c) == 0) {
            DrawText(times, clr::Red, false, TextEndX, line, 1, t);
            TextEndX = DrawFractionText(QStringLiteral("1"), QStringLiteral("2"), t, TextEndX, y, clr::Red);
        }
        DrawText(QStringLiteral("  =  "), clr::Red, false, TextEndX, line, 1, t);
    }
    TextEndX = DrawFraction(s.ExpectedFraction, t, TextEndX, y, clr::Red);
    if (s.ThemeCode == PartTheme)
        return;
    DrawText(QStringLiteral("  deel."), clr::Red, false, TextEndX, line, 1, t);
    line += 2.5;
    DrawText(QStringLiteral("Dus:  "), clr::Red, false, Margin, line, 1, t);
    TextEndX = DrawFraction(s.ExpectedFraction, t, TextEndX, Round(line * LineHeight), clr::Red);
    DrawText(QStringLiteral(" x 100 %  =  ") + Num(s.ExpectedInt) + QStringLiteral(" %."), clr::Red, false, TextEndX,
             line, 1, t);
}

const ThemeDescriptor GrassPartTheme{
    .Code = 1,
    .Title = "Gras in de tuin. Welk deel ?",
    .Generator = GrassGarden,
    .Explain = ExplainGrass,
    .Use = Advice::PenAndPaper,
    .Help = {1, 1},
    .Cycle = {grass::SizeIndexCounter, 1, 0},
};

const ThemeDescriptor GrassPercentTheme{
    .Code = 2,
    .Title = "Gras in de tuin. Bereken het percentage",
    .Generator = GrassGarden,
    .Explain = ExplainGrass,
    .Use = Advice::PenAndPaper,
    .Help = {1, 2},
    .Cycle = {grass::SizeIndexCounter, 1, 0},
};

const ThemeDescriptor GrassEstimateTheme{
    .Code = 3,
    .Title = "Gras in de tuin. Schat het percentage",
    .Generator = GrassGarden,
    .Explain = ExplainGrass,
    .Use = Advice::PenAndPaper,
    .Estimate = GrassEstimatePoints,
    .EstimatePenalty = 5,
    .ClearFromLine = 15.5,
    .ClearToLine = 26,
    .Help = {1, 2},
    .Cycle = {grass::SizeIndexCounter, 1, 0},
};

// The calculator's variant: any garden of 10 to 19 squares a side, two decimals.
const ThemeDescriptor GrassDecimalTheme{
    .Code = 23,
    .Title = "Gras in de tuin. Hoeveel % ?",
    .Generator = GrassGarden,
    .Help = {1, 2},
    .Cycle = {grass::SizeIndexCounter, 1, 0},
};

}  // namespace velmora
