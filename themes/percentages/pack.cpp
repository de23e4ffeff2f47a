// Theme 19: a big pack and a small pack of the same product; the pupil compares the prices
// per gram in percent.
#include "pack.h"

#include "session/exercise.h"
#include "toolkit/layout.h"
#include "toolkit/text.h"

#include <cmath>
#include <cstdlib>

namespace velmora {

namespace {

using namespace pack;

struct Packs {
    int G = 0, B = 0, W = 0, S = 0;
};

// previous: the small weight of the exercise before, never drawn again right after it.
Packs Draw(Exercise& s, int level, int previous)
{
    Packs p;
    p.G = level == 1 ? 1000 : 800 + 100 * s.Random(13);
    do
        p.W = level == 1 ? 100 + 100 * s.Random(8) : 250 + 25 * s.Random(11);
    while (p.W == previous);
    p.B = level == 1 ? 10 + 5 * s.Random(10) : 10 + 2 * s.Random(20);
    const int surcharge = 100 + s.Random(20);
    p.S = SmallPackPrice(surcharge, p.B, p.W, p.G);
    return p;
}

// The answer is not almost 0: |100 (S G - B w) / (B w)| > 0.01, in integers.
bool ClearDifference(const Packs& p)
{
    const long long bw = static_cast<long long>(p.B) * p.W;
    return std::llabs(10000LL * (static_cast<long long>(p.S) * p.G - bw)) > bw;
}

void DrawColumn(Bitmap& b, const QColor& colour, double x, const QString& heading, int weight, int price)
{
    DrawText(heading, colour, false, x, 3, 1, b);
    DrawText(QStringLiteral("Gewicht  %1 gram").arg(weight), colour, false, x, 15, 1, b);
    DrawText(QStringLiteral("Prijs    "), colour, false, x, 16, 1, b);
    DrawEuroText(QStringLiteral(" %1,-").arg(price), colour, false, TextEndX, 16, 1, b);
}

void DrawPicture(Exercise& s)
{
    Bitmap& b = s.PictureBitmap;
    const int G = s.Param[BigWeight], w = s.Param[SmallWeight];
    const double k = std::cbrt(double(w) / G);
    DrawText(QStringLiteral("Maik koopt groot, Jet koopt klein"), clr::Red, false, -1, 0.5, 1.75, b);
    DrawColumn(b, clr::Blue, Margin, QStringLiteral("Groot pak van Maik:"), G, s.Param[BigPrice]);
    DrawColumn(b, clr::Red, PctX(55), QStringLiteral("Klein pak van Jet:"), w, s.Param[SmallPrice]);
    DrawPack(b, clr::Blue, clr::Aqua, PctX(5), 13 * LineHeight, 1);
    DrawPack(b, clr::Red, clr::Yellow, PctX(57), 13 * LineHeight, k);
}

// The converted price P = w / G x B: what Jet's pack would cost at Maik's price per gram.
double ConvertedPrice(const Exercise& s)
{
    return double(s.Param[SmallWeight]) / s.Param[BigWeight] * s.Param[BigPrice];
}

void ExplainChain(Exercise& s, double& line)
{
    Bitmap& t = s.TextBitmap;
    const double P = ConvertedPrice(s);
    const QString share = FormatFixed(s.Param[SmallWeight] * 100.0 / s.Param[BigWeight], 1) + QLatin1Char('%');
    DrawText(QStringLiteral("De inhoud is ") + share, clr::Black, false, TextEndX, line, 1, t);
    DrawText(QStringLiteral("van Maik's pak."), clr::Black, false, Margin, line + 1, 1, t);
    line += 2.25;
    DrawText(QStringLiteral("Omgerekend in Euro's: "), clr::Blue, false, Margin, line, 1, t);
    line += 1;
    DrawText(share + QStringLiteral(" van "), clr::Black, false, Margin, line, 1, t);
    DrawEuroText(QString::number(s.Param[BigPrice]) + QStringLiteral(",00  =  "), clr::Black, false, TextEndX, line, 1,
                 t);
    DrawEuroText(FormatFixed(P, 2), clr::Black, false, TextEndX, line, 1, t);
    line += 1.25;
    DrawText(QStringLiteral("(dus per pakje "), clr::Black, false, Margin, line, 1, t);
    DrawEuroText(FormatFixed(s.Param[SmallPrice] - P, 2) + QStringLiteral(" duurder)"), clr::Black, false, TextEndX,
                 line, 1, t);
    line += 1.25;
    DrawText(QStringLiteral("In Euro-centen:"), clr::Blue, false, Margin, line, 1, t);
    line += 1.75;
    const int y = Round(line * LineHeight);
    t.Font.Size = RefFontSize;
    t.Font.Bold = false;
    TextEndX = DrawFractionText(QStringLiteral("Prijs die Jet betaalde"), QStringLiteral("Omgerekende prijs"), t,
                                Margin, y, clr::Black);
    DrawText(QStringLiteral(" = "), clr::Black, false, TextEndX, line, 1, t);
    TextEndX = DrawFractionText(QString::number(s.Param[SmallPrice] * 100), FormatFixed(P * 100, 0), t, TextEndX, y,
                                clr::Black);
    line += 2;
    DrawApproxText(FormatFixed(s.ExpectedReal * 0.01 + 1, 4), clr::Red, t, -2, line, 1);
    DrawText(QStringLiteral("Dus: "), clr::Blue, false, Margin, line + 1, 1, t);
    line += 1;
}

}  // namespace

int SmallPackPrice(int surcharge, int bigPrice, int smallWeight, int bigWeight)
{
    const long long numerator = 13LL * surcharge * bigPrice * smallWeight;
    return static_cast<int>(numerator / (1000LL * bigWeight));
}

double SmallPackExtra(int smallPrice, int bigPrice, int smallWeight, int bigWeight)
{
    const long long bw = static_cast<long long>(bigPrice) * smallWeight;
    return 100.0 * double(static_cast<long long>(smallPrice) * bigWeight - bw) / double(bw);
}

void DrawPack(Bitmap& b, const QColor& pen, const QColor& fill, int x, int y, double scale)
{
    const double a = PctX(10) * scale, bh = PctX(20) * scale, c = PctX(30) * scale, d = PctX(40) * scale;
    b.Pen = PenState{pen, Round(ScaleFactor), false};
    b.Brush = BrushState{fill, false};
    b.Rectangle(x, Round(y - bh), Round(x + c), y);
    b.Polygon({{x, Round(y - bh)},
               {Round(x + c), Round(y - bh)},
               {Round(x + d), Round(y - c)},
               {Round(x + a), Round(y - c)}});
    b.Polygon(
        {{Round(x + c), y}, {Round(x + d), Round(y - a)}, {Round(x + d), Round(y - c)}, {Round(x + c), Round(y - bh)}});
}

void PosePack(Exercise& s)
{
    const int level = s.CurrentLevel();
    // The weight memory changes only with an accepted draw: a draw repeated for an answer of
    // almost 0 must still differ from the previous exercise.
    int& previous = s.ThemeCycle[PreviousWeightCounter];
    Packs p;
    do
        p = Draw(s, level, previous);
    while (!ClearDifference(p));
    previous = p.W;
    s.Param[BigWeight] = p.G;
    s.Param[BigPrice] = p.B;
    s.Param[SmallWeight] = p.W;
    s.Param[SmallPrice] = p.S;
    s.ExpectedReal = SmallPackExtra(p.S, p.B, p.W, p.G);
    s.RealTolerance = 0.0049;
    s.AnswerDecimals = 2;
}

void BigOrSmallPack(Exercise& s)
{
    if (s.Attempt == 0) {
        PosePack(s);
        DrawPicture(s);
    }
    Bitmap& t = s.TextBitmap;
    DrawText(QStringLiteral("Hoeveel procent is het pakje"), clr::Red, false, Margin, 0.5, 1, t);
    DrawText(QStringLiteral("van Jet in verhouding duurder ?"), clr::Red, false, Margin, 1.5, 1, t);
    s.AnswerLine = 2.5;
    s.AnswerUnit = QStringLiteral(" %");
    s.OpenAnswer(QStringLiteral("% duurder: "), 2, QStringLiteral("|Hoeveel % is Jet in verhouding duurder uit ?"));
}

void ExplainUnitPrice(Exercise& s, double line)
{
    Bitmap& t = s.TextBitmap;
    if (s.PracticeMode() && !s.MixedMode())
        ExplainChain(s, line);
    DrawText(QStringLiteral("Het pakje is in verhouding"), clr::Blue, false, TextEndX, line, 1, t);
    DrawText(FormatFixed(s.ExpectedReal, s.AnswerDecimals) + QLatin1Char('%'), clr::Red, false, Margin, line + 1, 1, t);
    DrawText(QStringLiteral(" duurder."), clr::Blue, false, TextEndX, line + 1, 1, t);
}

const ThemeDescriptor PackTheme{
    .Code = 19,
    .Title = "Maik koopt groot, Jet koopt klein",
    .Generator = BigOrSmallPack,
    .Explain = ExplainUnitPrice,
    .Help = {2, 9},
    .Cycle = {pack::PreviousWeightCounter, 1, 0},
};

}  // namespace velmora
