// Themes 4 and 5: the sum or the difference of two fractions, shown as bars and as a formula.
#include "sums.h"

#include "session/exercise.h"
#include "toolkit/fraction.h"
#include "toolkit/layout.h"
#include "toolkit/text.h"

#include <algorithm>

namespace velmora {

namespace {

constexpr int SumTheme = 4;

struct Denominators {
    int A;
    int B;
};

// Indexed by the variant counter; Prof ! gets the larger pairs.
constexpr Denominators LowerLevels[4] = {{12, 12}, {6, 6}, {6, 12}, {10, 10}};
constexpr Denominators ProfLevel[4] = {{24, 20}, {18, 12}, {10, 12}, {20, 12}};

Fraction Ratio(int p, int q)
{
    return FracDiv(IntToFraction(p), IntToFraction(q));
}

void Box(Bitmap& b, double x1, double y1, double x2, double y2)
{
    b.Rectangle(PctX(x1), PctY(y1), PctX(x2), PctY(y2));
}

void VerticalPct(Bitmap& b, double x, double y1, double y2)
{
    b.MoveTo(PctX(x), PctY(y1));
    b.LineTo(PctX(x), PctY(y2));
}

// A scale label centred on the x percentage.
void MarkLabel(Bitmap& b, const QString& text, double x, double line)
{
    b.Font.Size = Round(RefFontSize * 1.0);
    b.Font.Bold = false;
    DrawText(text, clr::Black, false, PctX(x) - b.TextWidth(text) / 2, line, 1, b);
}

void DrawPicture(Exercise& s, bool sum)
{
    Bitmap& b = s.PictureBitmap;
    using namespace sums;
    const int d1 = s.Param[Den1], d2 = s.Param[Den2], p1 = s.Param[Num1], p2 = s.Param[Num2];
    const int n = s.Param[ResultNum], d = s.Param[ResultDen];
    const double right = sum ? 55 : 95;  // one whole is 40 % wide: the sum bars hold one, the others two

    b.Pen = PenState{clr::Black, Round(2 * ScaleFactor), false};
    b.Brush.Clear = true;
    Box(b, 15, 5, right, 15);
    Box(b, 15, 25, right, 35);
    Box(b, 15, 50, 95, 60);

    b.Brush.Clear = false;
    b.Brush.Color = clr::Green;
    Box(b, 15, 5, 15 + 40.0 * p1 / d1, 15);
    b.Brush.Color = clr::Yellow;
    Box(b, 15, 25, 15 + 40.0 * p2 / d2, 35);
    b.Brush.Color = clr::Purple;
    Box(b, 15, 50, 15 + 40.0 * n / d, 60);

    b.MoveTo(PctX(15), PctY(45));
    b.LineTo(PctX(95), PctY(45));
    b.Pen.Width = std::max(1, b.Pen.Width / 2);

    if (!sum) {
        for (const double top : {14.0, 34.0}) {
            const double line = PctY(top + 3) / double(LineHeight);
            MarkLabel(b, QStringLiteral("1"), 55, line);
            MarkLabel(b, QStringLiteral("2"), 95, line);
            VerticalPct(b, 55, top, top + 2);
            VerticalPct(b, 95, top, top + 2);
        }
    }
    MarkLabel(b, QStringLiteral("1"), 55, PctY(62) / double(LineHeight));
    MarkLabel(b, QStringLiteral("2"), 95, PctY(62) / double(LineHeight));
    VerticalPct(b, 55, 59, 61);
    VerticalPct(b, 95, 59, 61);

    DrawText(s.FeedbackText, clr::Red, false, Margin, (PctY(45) - LineHeight / 2.0) / LineHeight, 1, b);
    DrawText(QStringLiteral("?"), clr::Red, false, Margin, PctY(53) / double(LineHeight), 1, b);
    DrawFraction(Ratio(p1, d1), b, Margin, PctY(7), clr::Red);
    DrawFraction(Ratio(p2, d2), b, Margin, PctY(27), clr::Red);

    if (s.CurrentLevel() == 1) {
        // White cuts show the pieces of one d-th at the first level only.
        b.Pen = PenState{clr::White, Round(ScaleFactor), false};
        const int k = sum ? 1 : 2;
        for (int i = 1; i <= k * d1 - 1; ++i)
            VerticalPct(b, 15 + 40.0 * i / d1, 4, 16);
        for (int i = 1; i <= k * d2 - 1; ++i)
            VerticalPct(b, 15 + 40.0 * i / d2, 24, 36);
    }

    DrawText(QStringLiteral("Breuken ") + s.WorkText, clr::Blue, false, Margin, 18, 1, b);
    DrawText(QStringLiteral("Je moet wel altijd vereenvoudigen !"), clr::Red, false, Margin, 19, 1, b);
    DrawText(QStringLiteral("Want een vereenvoudigd antwoord levert dubbel zoveel"), clr::Red, false, Margin, 20, 1, b);
    DrawText(QStringLiteral("punten op !"), clr::Red, false, Margin, 21, 1, b);
    DrawText(QStringLiteral("Voorbeeld:"), clr::Blue, false, Margin, 22, 1, b);

    DrawText(QStringLiteral("Tik ik  "), clr::Black, false, PctX(25), 22, 1, b);
    DrawText(QStringLiteral("1 1/6"), clr::Red, false, TextEndX, 22, 1, b);
    DrawText(QStringLiteral(" als je "), clr::Black, false, TextEndX, 22, 1, b);
    TextEndX = DrawFraction(Ratio(7, 6), b, TextEndX, 22 * LineHeight, clr::Red);
    DrawText(QStringLiteral("  bedoelt."), clr::Black, false, TextEndX, 22, 1, b);
    DrawText(QStringLiteral("En dus géén "), clr::Black, false, PctX(25), 23.5, 1, b);
    DrawText(QStringLiteral("7/6"), clr::Red, false, TextEndX, 23.5, 1, b);
}

void DrawQuestion(Exercise& s)
{
    Bitmap& t = s.TextBitmap;
    DrawText(QStringLiteral("Breuken ") + s.WorkText, clr::Blue, false, Margin, 1, 1, t);
    // An empty text sets the size-1 font that DrawFraction measures with.
    DrawText(QString(), clr::Red, false, Margin, 3, 1, t);
    TextEndX = DrawFraction(Ratio(s.Param[sums::Num1], s.Param[sums::Den1]), t, Margin, 3 * LineHeight, clr::Red);
    DrawText(QStringLiteral("  ") + s.FeedbackText + QStringLiteral("  "), clr::Red, false, TextEndX, 3, 1, t);
    TextEndX = DrawFraction(Ratio(s.Param[sums::Num2], s.Param[sums::Den2]), t, TextEndX, 3 * LineHeight, clr::Red);
    DrawText(QStringLiteral("  =  ?"), clr::Red, false, TextEndX, 3, 1, t);
}

void NewNumbers(Exercise& s, bool sum)
{
    int& counter = s.ThemeMemory[s.ThemeCode];
    counter = ((counter + 1) % 4 + 4) % 4;
    const Denominators pair = (s.CurrentLevel() == 3 ? ProfLevel : LowerLevels)[counter];
    const int a = pair.A, b = pair.B;

    int n1 = 0, n2 = 0, n = 0;
    if (sum) {
        do {
            n1 = 1 + s.Random(a - 1);
            n2 = 1 + s.Random(b - 1);
            n = n1 * b + n2 * a;
        } while (n == a * b);  // a sum of exactly one whole is too easy
    } else {
        do {
            n1 = 2 * (1 + s.Random(a - 1));
            n2 = 2 * (1 + s.Random(b - 1));
            n = n1 * b - n2 * a;
        } while (n <= 0 || n1 == a || n2 == b || n == a * b);
    }
    const int d = a * b;

    s.FeedbackText = sum ? QStringLiteral("+") : QStringLiteral("-");
    s.WorkText = sum ? QStringLiteral("optellen") : QStringLiteral("aftrekken");

    const Fraction f1 = Ratio(n1, a);
    const Fraction f2 = Ratio(n2, b);
    s.Param[sums::Den1] = f1.Den;
    s.Param[sums::Den2] = f2.Den;
    s.Param[sums::Num1] = static_cast<int>(ImproperNumerator(f1));
    s.Param[sums::Num2] = static_cast<int>(ImproperNumerator(f2));
    s.Param[sums::ResultNum] = n;
    s.Param[sums::ResultDen] = d;
    s.ExpectedFraction = Ratio(n, d);
    s.ExpectedReal = double(n) / d;
    s.ExpectedInt = Round(100.0 * n / d);
}

}  // namespace

void FractionSums(Exercise& s)
{
    const bool sum = s.ThemeCode == SumTheme;
    if (s.Attempt == 0) {
        NewNumbers(s, sum);
        DrawPicture(s, sum);
    }
    DrawQuestion(s);

    s.AnswerLine = 6;
    s.AnswerUnit.clear();
    if (sum)
        s.OpenAnswer(QStringLiteral("Som: "), 3, QStringLiteral("|Som = ?"));
    else
        s.OpenAnswer(QStringLiteral("Verschil: "), 3, QStringLiteral("|Verschil = ?"));
}

const ThemeDescriptor FractionSumTheme{
    .Code = 4,
    .Title = "Hoeveel zijn de breuken samen ?",
    .Generator = FractionSums,
    .Use = Advice::PenAndPaper,
    .Help = {1, 4},
};

const ThemeDescriptor FractionDifferenceTheme{
    .Code = 5,
    .Title = "Hoeveel verschillen die breuken ?",
    .Generator = FractionSums,
    .Use = Advice::PenAndPaper,
    .Help = {1, 5},
};

}  // namespace velmora
