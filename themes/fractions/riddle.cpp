// Theme 9: a PLUS or KEER machine takes two fractions and gives a third; one of them is the
// hidden "Rara". A number line (sum) or an area (product) shows the same sum once more.
#include "riddle.h"

#include "session/exercise.h"
#include "toolkit/figures.h"
#include "toolkit/fraction.h"
#include "toolkit/layout.h"
#include "toolkit/text.h"

namespace velmora {

namespace {

constexpr int RiddleCode = 9;

enum Hidden { HiddenZ = 0, HiddenX = 1, HiddenY = 2 };

const QString Rara = QStringLiteral("Rara");

Fraction Ratio(int p, int q)
{
    return FracDiv(IntToFraction(p), IntToFraction(q));
}

struct Riddle {
    Fraction X, Y, Z;
    bool Sum;
    int Hidden;
};

Riddle RiddleOf(const Exercise& s)
{
    using namespace riddle;
    const int c = s.ThemeMemory[RiddleCode];
    return Riddle{Ratio(s.Param[XNum], s.Param[XDen]), Ratio(s.Param[YNum], s.Param[YDen]),
                  Ratio(s.Param[ZNum], s.Param[ZDen]), c < 3, c % 3};
}

// X = a1/b1 and Y = a2/b2 fit the level: not whole, at most L, different, and a sum that
// stays on the number line (at most 5).
bool Acceptable(int a1, int b1, int a2, int b2, int level)
{
    const bool fractionalParts = 10 * (a1 % b1) >= b1 && 10 * (a2 % b2) >= b2;
    return fractionalParts && a1 <= level * b1 && a2 <= level * b2 && a1 * b2 != a2 * b1 &&
           a1 * b2 + a2 * b1 <= 5 * b1 * b2;
}

Rect PctRect(double x1, double y1, double x2, double y2)
{
    return Rect{PctX(x1), PctY(y1), PctX(x2), PctY(y2)};
}

QPoint PctPoint(double x, double y)
{
    return QPoint(PctX(x), PctY(y));
}

// "Rara" in blue, centred on a percentage of the picture's width.
void RaraCentred(Bitmap& b, double x, double line)
{
    DrawText(QString(), clr::Blue, false, 0, 0, 1, b);
    DrawText(Rara, clr::Blue, false, PctX(x) - b.TextWidth(Rara) / 2, line, 1, b);
}

void DrawMachine(Bitmap& b, bool sum)
{
    b.Pen = PenState{clr::Yellow, 1, false};
    b.Brush = BrushState{clr::Yellow, false};
    b.Rectangle(PctX(50), PctY(18), PctX(84), PctY(30));
    b.Polygon({PctPoint(54, 10), PctPoint(64, 10), PctPoint(62, 18), PctPoint(56, 18)});
    b.Polygon({PctPoint(70, 10), PctPoint(80, 10), PctPoint(78, 18), PctPoint(72, 18)});
    b.Rectangle(PctX(62), PctY(30), PctX(72), PctY(34));

    static constexpr double outline[][4] = {
        {54, 10, 56, 18}, {64, 10, 62, 18}, {70, 10, 72, 18}, {80, 10, 78, 18}, {62, 30, 62, 34},
        {72, 30, 72, 34}, {62, 18, 72, 18}, {78, 18, 84, 18}, {84, 18, 84, 30}, {84, 30, 72, 30},
        {56, 18, 50, 18}, {50, 18, 50, 30}, {50, 30, 62, 30},
    };
    for (const auto& l : outline)
        DrawLinePct(b, clr::Black, l[0], l[1], l[2], l[3], 2);

    DrawArrowDown(PctRect(57, 12, 61, 20), b, clr::Red);
    DrawArrowDown(PctRect(73, 12, 77, 20), b, clr::Red);
    DrawArrowDown(PctRect(65, 27, 69, 35), b, clr::Red);

    const QString name = sum ? QStringLiteral("PLUS") : QStringLiteral("KEER");
    DrawText(QString(), clr::Red, false, 0, 0, 1.5, b);
    const double line = (PctY(24) - b.TextHeight(name) / 2.0) / LineHeight;
    DrawText(name, clr::Red, false, PctX(67) - b.TextWidth(name) / 2, line, 1.5, b);
}

// What goes in and comes out: the fractions at the funnels and the spout, one of them "Rara".
void DrawMachineValues(Bitmap& b, const Riddle& r)
{
    DrawText(QString(), clr::Blue, false, 0, 0, 1, b);
    const int four = b.TextWidth(QStringLiteral("4"));
    if (r.Hidden == HiddenZ)
        RaraCentred(b, 67, PctY(35) / double(LineHeight));
    else
        DrawFraction(r.Z, b, PctX(67) - four, PctY(33) + LineHeight, clr::Blue);
    if (r.Hidden == HiddenX)
        RaraCentred(b, 59, PctY(5) / double(LineHeight));
    else
        DrawFraction(r.X, b, PctX(59) - four, PctY(7) - LineHeight, clr::Blue);
    if (r.Hidden == HiddenY)
        RaraCentred(b, 75, PctY(5) / double(LineHeight));
    else
        DrawFraction(r.Y, b, PctX(75) - four, PctY(7) - LineHeight, clr::Blue);
}

// The sum as bars on a number line, written as a column sum on the left.
void DrawSumModel(Bitmap& b, const Riddle& r)
{
    DrawText(QStringLiteral("Een optelling"), clr::Blue, false, Margin, 2, 1.5, b);
    DrawText(QStringLiteral("Bekijk het PLUS-"), clr::Black, false, Margin, 4, 1, b);
    DrawText(QStringLiteral("machientje hiernaast:"), clr::Black, false, Margin, 5.25, 1, b);
    DrawText(QStringLiteral("Ander plaatje:"), clr::Black, false, Margin, 11, 1, b);

    DrawLinePct(b, clr::Black, 15, 53, 90, 53, 2);
    for (int i = 0; i <= 5; ++i) {
        DrawLinePct(b, clr::Black, 15 + 15 * i, 52.5, 15 + 15 * i, 53.5, 1);
        DrawText(QString::number(i), clr::Black, false, PctX(15 + 15 * i), PctY(52) / double(LineHeight), 1, b);
    }

    struct Bar {
        Fraction Value;
        double Top;
        QColor Fill;
        bool Hidden;
    };
    const Bar bars[] = {{r.X, 55, clr::Aqua, r.Hidden == HiddenX},
                        {r.Y, 70, clr::Aqua, r.Hidden == HiddenY},
                        {r.Z, 85, clr::Blue, r.Hidden == HiddenZ}};
    for (const Bar& bar : bars) {
        b.Pen = PenState{clr::Black, 1, false};
        b.Brush = BrushState{bar.Fill, false};
        b.Rectangle(PctX(15), PctY(bar.Top), PctX(15 + 15 * FractionToReal(bar.Value)), PctY(bar.Top + 10));
        // Each label stands level with its bar: the fraction bar (or the middle of "Rara") at
        // 6 % below the bar's top.
        DrawText(QString(), clr::Blue, false, 0, 0, 1, b);
        const int labelY = PctY(bar.Top + 6) - Round(0.6 * b.TextHeight(QStringLiteral("0")));
        if (bar.Hidden)
            DrawText(Rara, clr::Blue, false, PctX(3), labelY / double(LineHeight), 1, b);
        else
            DrawFraction(bar.Value, b, PctX(5), labelY, clr::Blue);
    }

    DrawLinePct(b, clr::Black, 4.5, 82, 15, 82, 2);
    DrawText(QStringLiteral("+"), clr::Red, false, PctX(1), PctY(81.5) / double(LineHeight), 1, b);
}

// The product as the area of a yellow rectangle in a square of three by three.
void DrawProductModel(Bitmap& b, const Riddle& r)
{
    DrawText(QStringLiteral("Een"), clr::Blue, false, Margin, 1, 1.5, b);
    DrawText(QStringLiteral("vermenigvuldiging"), clr::Blue, false, Margin, 2.5, 1.5, b);
    DrawText(QStringLiteral("Bekijk het KEER-"), clr::Black, false, Margin, 5, 1, b);
    DrawText(QStringLiteral("machientje hiernaast:"), clr::Black, false, Margin, 6.25, 1, b);

    const int x = PctX(70);
    DrawText(QStringLiteral("Ander plaatje:"), clr::Black, false, x, 15, 1, b);
    DrawText(QStringLiteral("met oppervlakte"), clr::Black, false, x, 16.25, 1, b);
    DrawText(Rara, clr::Blue, false, x, 18, 1, b);
    DrawText(QStringLiteral(" is"), clr::Black, false, TextEndX, 18, 1, b);
    DrawText(r.Hidden == HiddenZ ? QStringLiteral("de oppervlakte") : QStringLiteral("een zijde"), clr::Blue, false, x,
             19.25, 1, b);
    DrawText(QStringLiteral("van het gele"), clr::Black, false, x, 20.5, 1, b);
    DrawText(QStringLiteral("gebied."), clr::Black, false, x, 21.75, 1, b);

    const double xr = FractionToReal(r.X), yr = FractionToReal(r.Y);
    b.Pen = PenState{clr::Black, 1, false};
    b.Brush.Clear = true;
    b.Rectangle(PctX(20), PctY(50), PctX(65), PctY(95));
    b.Pen.Color = clr::Blue;
    b.Brush = BrushState{clr::Yellow, false};
    b.Rectangle(PctX(20), PctY(50), PctX(20 + 15 * xr), PctY(50 + 15 * yr));
    DrawDashedLinePct(b, clr::Black, 20 + 15 * xr, 50, 20 + 15 * xr, 95, 1);
    DrawDashedLinePct(b, clr::Black, 20, 50 + 15 * yr, 65, 50 + 15 * yr, 1);

    DrawText(QString(), clr::Blue, false, 0, 0, 1, b);
    const int rara = b.TextWidth(Rara);
    if (r.Hidden == HiddenX)
        DrawText(Rara, clr::Blue, false, PctX(20 + 7.5 * xr) - rara / 2, (PctY(49.5) - LineHeight) / double(LineHeight),
                 1, b);
    else
        DrawFraction(r.X, b, PctX(20 + 7.5 * xr) - b.TextWidth(QStringLiteral("4 4")) / 2, PctY(50) - 2 * LineHeight,
                     clr::Blue);
    if (r.Hidden == HiddenY)
        DrawText(Rara, clr::Blue, false, PctX(20) - b.TextWidth(Rara + QLatin1Char(' ')),
                 (PctY(50 + 7.5 * yr) - LineHeight / 2) / double(LineHeight), 1, b);
    else
        DrawFraction(r.Y, b, PctX(20) - b.TextWidth(QStringLiteral("4 4 ")), PctY(50 + 7.5 * yr) - LineHeight,
                     clr::Blue);
}

void DrawPicture(Exercise& s)
{
    Bitmap& b = s.PictureBitmap;
    const Riddle r = RiddleOf(s);
    DrawMachine(b, r.Sum);
    if (r.Sum)
        DrawSumModel(b, r);
    else
        DrawProductModel(b, r);
    DrawMachineValues(b, r);
}

// One piece of the formula: the fraction in red, or "Rara" in blue; returns the x after it.
int FormulaPiece(Bitmap& t, const Fraction& value, bool hidden, int x)
{
    if (hidden) {
        DrawText(Rara, clr::Blue, false, x, 3, 1, t);
        return TextEndX;
    }
    DrawText(QString(), clr::Red, false, x, 3, 1, t);
    return DrawFraction(value, t, x, 3 * LineHeight, clr::Red);
}

void DrawQuestion(Exercise& s)
{
    Bitmap& t = s.TextBitmap;
    const Riddle r = RiddleOf(s);
    DrawText(s.WorkText, clr::Blue, false, Margin, 1, 1, t);
    // DrawFraction returns the x after the fraction but leaves TextEndX alone, so every piece
    // continues at the x the previous one returned.
    int x = FormulaPiece(t, r.X, r.Hidden == HiddenX, Margin);
    DrawText(s.FeedbackText, clr::Red, false, x, 3, 1, t);
    x = FormulaPiece(t, r.Y, r.Hidden == HiddenY, TextEndX);
    DrawText(QStringLiteral("  =  "), clr::Red, false, x, 3, 1, t);
    FormulaPiece(t, r.Z, r.Hidden == HiddenZ, TextEndX);

    DrawText(QStringLiteral("Hoe groot is "), clr::Red, false, Margin, 5, 1, t);
    DrawText(Rara, clr::Blue, false, TextEndX, 5, 1, t);
    DrawText(QStringLiteral(" ?"), clr::Red, false, TextEndX, 5, 1, t);
}

}  // namespace

void PoseRiddle(Exercise& s)
{
    int& variant = s.ThemeMemory[RiddleCode];
    int c = 0;
    do {
        c = s.Random(riddle::VariantCount);
    } while (c == variant);
    variant = c;

    const int level = s.CurrentLevel();
    int& previous = s.ThemeCycle[riddle::PreviousLimitCounter];
    int limit = 0;
    do {
        limit = Trunc((s.RandomReal() + 0.5) * level + level + 2);
    } while (limit == previous);
    previous = limit;

    // Both numerators are drawn up to limit x b1: Y's range follows X's denominator.
    int a1 = 0, b1 = 0, a2 = 0, b2 = 0;
    do {
        b1 = 2 + s.Random(5);
        b2 = 2 + s.Random(5);
        a1 = 1 + s.Random(limit * b1);
        a2 = 1 + s.Random(limit * b1);
    } while (!Acceptable(a1, b1, a2, b2, level));

    const bool sum = c < 3;
    const Fraction x = Ratio(a1, b1), y = Ratio(a2, b2);
    const Fraction z = sum ? FracAdd(x, y) : FracMul(x, y);
    s.FeedbackText = sum ? QStringLiteral("  +  ") : QStringLiteral("  x  ");
    s.WorkText = sum ? QStringLiteral("Breuken optellen") : QStringLiteral("Breuken vermenigvuldigen");
    using namespace riddle;
    const Fraction* values[] = {&x, &y, &z};
    for (int i = 0; i < 3; ++i) {
        s.Param[XNum + 2 * i] = static_cast<int>(ImproperNumerator(*values[i]));
        s.Param[XDen + 2 * i] = values[i]->Den;
    }
    const int hidden = c % 3;
    s.ExpectedFraction = hidden == HiddenZ ? z : hidden == HiddenX ? x : y;
    s.ExpectedReal = FractionToReal(s.ExpectedFraction);
}

void FractionRiddle(Exercise& s)
{
    if (s.Attempt == 0) {
        PoseRiddle(s);
        DrawPicture(s);
    }
    DrawQuestion(s);

    s.AnswerLine = 8;
    s.AnswerUnit.clear();
    s.OpenAnswer(QStringLiteral("Rara: "), 4, QStringLiteral("|Rara = ?"));
}

const ThemeDescriptor RiddleTheme{
    .Code = 9,
    .Title = "Rara met breuken !",
    .Generator = FractionRiddle,
    .Use = Advice::PenAndPaper,
    .Help = {1, 9},
    .Cycle = {riddle::PreviousLimitCounter, 1, 0},
};

}  // namespace velmora
