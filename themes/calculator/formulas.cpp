// Theme 29: substituting values in a formula. This source chooses the story, asks the
// question and builds the arbitrary formulas in x; formulastories.cpp tells the stories.
#include "formulas.h"

#include "session/exercise.h"
#include "toolkit/layout.h"
#include "toolkit/text.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace velmora {

namespace {

using formulas::StoryText;

// One drawn piece of a formula: text, or the raised "2" of a square.
struct Piece {
    QString Text;
    bool Square = false;
};
using Pieces = std::vector<Piece>;

QString Sign(bool when, const char* text)
{
    return when ? QString::fromUtf8(text) : QString();
}

// A coefficient's text; the coefficients of x-terms lose a size of 1.
QString Term(int tenths, bool dropOne)
{
    return dropOne && std::abs(tenths) == 10 ? QString() : CoefficientText(tenths);
}

Pieces RightHandSide(const FormulaNumbers& n)
{
    const auto [c1, c2, c3, c4] = n.C;
    const Piece square{QString(), true};
    switch (n.Form) {
        case 0:
            return {{Sign(c1 < 0, "- ") + Term(c1, true) + QStringLiteral(" x")},
                    square,
                    {(c2 > 0 ? QStringLiteral(" + ") : QStringLiteral(" - ")) + Term(c2, true) + QStringLiteral(" x ")},
                    {(c3 > 0 ? QStringLiteral(" + ") : QStringLiteral(" - ")) + Term(c3, false)}};
        case 1:
            return {{Sign(c1 < 0, "- ") + Term(c1, true) + QStringLiteral(" ( x ")},
                    {(c2 > 0 ? QStringLiteral(" - ") : QStringLiteral(" + ")) + Term(c2, false) + QStringLiteral(" )")},
                    square,
                    {(c3 > 0 ? QStringLiteral(" - ") : QStringLiteral(" + ")) + Term(c3, true) + QStringLiteral(" x ")},
                    {(c4 > 0 ? QStringLiteral(" + ") : QStringLiteral(" - ")) + Term(c4, false)}};
        case 2:
            return {{Sign(c1 < 0, "-") + Term(c1, true) + QStringLiteral(" ( ")},
                    {Sign(c2 < 0, "-") + Term(c2, false) + QStringLiteral(" - x )")},
                    square,
                    {(c3 > 0 ? QStringLiteral(" - ") : QStringLiteral(" + ")) + Term(c3, true) + QStringLiteral(" x ")},
                    {(c4 > 0 ? QStringLiteral(" + ") : QStringLiteral(" - ")) + Term(c4, false)}};
        default:
            return {{Sign(c4 < 0, " -") + Term(c4, false)},
                    {(c3 >= 0 ? QStringLiteral(" + ") : QStringLiteral(" - ")) + Term(c3, true) + QStringLiteral(" x")},
                    {(c2 > 0 ? QStringLiteral(" - ") : QStringLiteral(" + ")) + Term(c2, true) + QStringLiteral(" x")},
                    square};
    }
}

// Numerator (a = c2, b = c1) or denominator (a = c4, b = c3) of form 4: a x - b x².
Pieces QuotientPart(int a, int b)
{
    return {{Sign(a < 0, "- ") + Term(a, true) + QStringLiteral(" x ")},
            {(b >= 0 ? QStringLiteral(" - ") : QStringLiteral(" + ")) + Term(b, true) + QStringLiteral(" x")},
            {QString(), true}};
}

// Draws the pieces from x on and returns the x after them.
int DrawPieces(Bitmap& b, const Pieces& pieces, int x, double line)
{
    TextEndX = x;
    for (const Piece& p : pieces) {
        if (p.Square)
            DrawText(QStringLiteral("2"), clr::Red, false, TextEndX, line - 0.5, 0.8, b);
        else
            DrawText(p.Text, clr::Red, false, TextEndX, line, 1, b);
    }
    return TextEndX;
}

void DrawFormula(Bitmap& b, const FormulaNumbers& n)
{
    if (n.Form != 4) {
        DrawText(QStringLiteral("y = "), clr::Red, false, PctX(15), 11, 1, b);
        DrawPieces(b, RightHandSide(n), TextEndX, 11);
        return;
    }
    DrawText(QStringLiteral("y = "), clr::Red, false, PctX(15), 11.75, 1, b);
    const int start = TextEndX;
    const int top = DrawPieces(b, QuotientPart(n.C[1], n.C[0]), start, 11);
    const int bottom = DrawPieces(b, QuotientPart(n.C[3], n.C[2]), start, 13);
    b.Pen.Width = Round(ScaleFactor);
    b.Pen.Color = clr::Red;
    b.MoveTo(start, Round(12.25 * LineHeight));
    b.LineTo(std::max(top, bottom), Round(12.25 * LineHeight));
}

// x as the story writes it: a whole number plainly, otherwise with 2 decimals.
QString XText(int tenths)
{
    return tenths % 10 == 0 ? QString::number(tenths / 10) : FormatFixed(tenths / 10.0, 2);
}

void PoseArbitrary(Exercise& s, int form)
{
    Bitmap& b = s.PictureBitmap;
    formulas::DrawStoryTitle(b, "Zomaar een willekeurige formule");
    formulas::DrawStoryTexts(b, {
                                    {3, "Je zult in jouw wiskundeboek nog vaak allerlei moeilijke"},
                                    {4, "formules tegenkomen."},
                                    {5.5, "Soms worden daarvoor zomaar formules 'verzonnen':"},
                                    {6.5, "dat zijn formules zonder dat er een praktijkvoorbeeld bij"},
                                    {7.5, "gegeven wordt."},
                                    {9, "Neem bijvoorbeeld deze formule:", clr::Blue},
                                });
    s.Param[formulas::Form] = form;
    const FormulaNumbers n = PoseFormula(s.Rng(), s.CurrentLevel(), form);
    s.Param[formulas::XTenths] = n.X;
    DrawFormula(b, n);

    const ExactValue y = FormulaValue(n);
    s.ExpectedReal = y.Value();
    s.ExpectedInt = y.Whole() ? int(y.Num / y.Den) : Round(s.ExpectedReal);
    DrawText(QStringLiteral("Bekend is dat "), clr::Black, false, Margin, 15.5, 1, b);
    DrawText(QStringLiteral("x = ") + XText(n.X) + Sign(n.X % 10 == 0, "."), clr::Black, false, TextEndX, 15.5, 1, b);
    DrawText(QStringLiteral("Hoe groot is y ?"), clr::Blue, false, Margin, 17, 1, b);
    s.AnswerUnit.clear();
    s.FeedbackText = QStringLiteral("y = ");
    s.WorkText = QStringLiteral("Wat is de waarde van y");
}

void AskArbitrary(Exercise& s)
{
    Bitmap& t = s.TextBitmap;
    DrawText(QStringLiteral("x = "), clr::Black, false, Margin, 1, 1, t);
    DrawText(XText(s.Param[formulas::XTenths]) + QLatin1Char('.'), clr::Black, false, TextEndX, 1, 1, t);
    DrawText(QStringLiteral("Hoe groot is y ?"), clr::Blue, false, Margin, 3, 1, t);
    s.AnswerLine = 5;
}

// Whole answers are asked as integers, except for the quotient form.
int AnswerKind(const Exercise& s, int variant)
{
    if (variant == formulas::Cinema)
        return s.Param[formulas::SubQuestion] == 0 ? 1 : 2;
    const bool quotient = variant == formulas::LastForm;
    if (variant >= formulas::FirstForm && !quotient && variant <= formulas::LastForm)
        return s.ExpectedReal == s.ExpectedInt ? 1 : 2;
    return 2;
}

// One value of k x 0.1, k never 0 (at Starter never rounding to 0 either).
int DrawTenths(Random& random, int level)
{
    int k = 0;
    do {
        k = -100 * level + random(200 * level);
    } while (k == 0 || (level == 1 && Round(k / 10.0) == 0));
    return k;
}

int RoundToWhole(int tenths)
{
    return 10 * Round(tenths / 10.0);
}

}  // namespace

namespace formulas {

void DrawStoryTexts(Bitmap& b, std::initializer_list<StoryText> texts)
{
    for (const StoryText& t : texts)
        DrawText(QString::fromUtf8(t.Text), t.Colour, false, t.AtPct < 0 ? Margin : PctX(t.AtPct), t.Line, 1, b);
}

void DrawStoryTitle(Bitmap& b, const char* title)
{
    DrawText(QString::fromUtf8(title), clr::Red, true, Margin, 0.5, 1.5, b);
}

}  // namespace formulas

int ChooseFormulaVariant(Random& random, int level, bool mixed, int& memory)
{
    memory = std::max(0, memory);
    const int beforeLast = memory / 10 % 10;
    const int last = memory % 10;
    int v = 0;
    do {
        v = random(formulas::VariantCount);
    } while ((v == formulas::Energy && level == 3 && !mixed) || v == beforeLast || v == last);
    memory = 10 * last + v;
    return v;
}

FormulaNumbers PoseFormula(Random& random, int level, int form)
{
    FormulaNumbers n;
    n.Form = form;
    for (int& c : n.C)
        c = DrawTenths(random, level);
    n.X = DrawTenths(random, level);
    if (level <= 1) {
        n.C[0] = 10;
        n.C[1] = RoundToWhole(n.C[1]);
        n.C[3] = RoundToWhole(n.C[3]);
        n.C[2] = std::abs(RoundToWhole(n.C[2]));
        n.X = std::abs(RoundToWhole(n.X));
    } else if (level == 2) {
        n.C[0] = RoundToWhole(n.C[0]);
        n.X = std::abs(n.X);
    }
    if (form == 4)
        n.X = FormFourX(n.C, n.X);
    return n;
}

int FormFourX(const std::array<int, 4>& c, int x)
{
    // In thousandths: c4 x - c3 x² = (10 c4 X - c3 X²) / 1000 for x = X / 10, exact.
    const auto denominator = [&](long long X) { return 10LL * c[3] * X - c[2] * X * X; };
    while (denominator(x) == 0)
        x += 10;
    return x;
}

ExactValue FormulaValue(const FormulaNumbers& n)
{
    // Coefficients and x are tenths, so every term is a whole number of thousandths.
    const long long c1 = n.C[0], c2 = n.C[1], c3 = n.C[2], c4 = n.C[3], x = n.X;
    switch (n.Form) {
        case 0:
            return {c1 * x * x + 10 * c2 * x + 100 * c3, 1000};
        case 1:
            return {c1 * (x - c2) * (x - c2) - 10 * c3 * x + 100 * c4, 1000};
        case 2:
            return {c1 * (c2 - x) * (c2 - x) - 10 * c3 * x + 100 * c4, 1000};
        case 3:
            return {100 * c4 + 10 * c3 * x - c2 * x * x, 1000};
        default:
            return {10 * c2 * x - c1 * x * x, 10 * c4 * x - c3 * x * x};
    }
}

QString CoefficientText(int tenths)
{
    const int size = std::abs(tenths);
    return size % 10 == 0 ? QString::number(size / 10) : FormatFixed(size / 10.0, 2);
}

void FormulaSubstitution(Exercise& s)
{
    using Step = void (*)(Exercise&);
    static const Step ask[formulas::VariantCount] = {
        formulas::AskEnergy,   formulas::AskCinema, formulas::AskHelicopter,
        formulas::AskMedicine, AskArbitrary,        AskArbitrary,
        AskArbitrary,          AskArbitrary,        AskArbitrary,
        formulas::AskTraffic,
    };
    int& memory = s.ThemeMemory[29];
    if (s.Attempt == 0) {
        const int v = ChooseFormulaVariant(s.Rng(), s.CurrentLevel(), s.MixedMode(), memory);
        s.PictureBitmap.Pen.Width = Round(ScaleFactor);
        switch (v) {
            case formulas::Energy:
                formulas::PoseEnergy(s);
                break;
            case formulas::Cinema:
                formulas::PoseCinema(s);
                break;
            case formulas::Helicopter:
                formulas::PoseHelicopter(s);
                break;
            case formulas::Medicine:
                formulas::PoseMedicine(s);
                break;
            case formulas::Traffic:
                formulas::PoseTraffic(s);
                break;
            default:
                PoseArbitrary(s, v - formulas::FirstForm);
                break;
        }
    }
    const int v = std::max(0, memory) % 10;
    ask[v](s);
    const int kind = AnswerKind(s, v);
    DrawText(kind == 1 ? QStringLiteral("(Geef een geheel getal in)") : QStringLiteral("(2 decimalen)"), clr::Black,
             false, -1, s.AnswerLine, 1, s.TextBitmap);
    s.AnswerLine += 1.5;
    s.IntTolerance = 0;
    s.RealTolerance = 0.0049;
    s.AnswerDecimals = 2;
    s.OpenAnswer(s.FeedbackText + QStringLiteral(" : "), kind, QStringLiteral("|") + s.WorkText + QStringLiteral(" ?"));
}

const ThemeDescriptor FormulaTheme{
    .Code = 29,
    .Title = "Moeilijke formules invullen",
    .Generator = FormulaSubstitution,
    .Help = {3, 9},
};

}  // namespace velmora
