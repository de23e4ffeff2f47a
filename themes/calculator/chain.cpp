// Theme 26: the sales chain of coffee beans, drawn as boxes whose widths follow the price.
#include "chain.h"

#include "session/exercise.h"
#include "toolkit/figures.h"
#include "toolkit/layout.h"
#include "toolkit/text.h"

#include <cstdlib>

namespace velmora {

namespace {

struct Stage {
    const char* What;    // second line of the box
    const char* Who;     // third line of the box
    const char* Profit;  // the profit made on the step into this stage
    QColor Fill;
};

const Stage Stages[chain::Stages] = {
    {"productiekosten", "boer", "", clr::Fuchsia},         {"inkoop", "fabriek", " % winst boer", clr::Purple},
    {"inkoop", "grossier", " % winst fabriek", clr::Lime}, {"inkoop", "winkelier", " % winst grossier", clr::Yellow},
    {"winkelprijs", " ", " % winst winkelier", clr::Aqua},
};

// The factor that turns the production cost into quantity |k|, as an exact ratio: for odd
// |k| the markups up to its stage, for even |k| those before it times that step's profit.
struct Ratio {
    long long Num = 1;
    long long Den = 1;
};

Ratio FactorOf(int k, const std::array<int, 4>& markup)
{
    const int q = std::abs(k);
    const int j = (q + 1) / 2;
    Ratio f;
    for (int i = 0; i < j; ++i) {
        const bool profitOnly = q % 2 == 0 && i == j - 1;
        f.Num *= profitOnly ? markup[i] : 100 + markup[i];
        f.Den *= 100;
    }
    return f;
}

// The production cost behind the numbers, unrounded (the answer itself when backward).
double ProductionCost(const ChainNumbers& n)
{
    if (n.K > 0)
        return n.Base;
    const Ratio f = FactorOf(n.K, n.Markup);
    return double(n.Base) * f.Den / (100.0 * f.Num);
}

// The price at stage 0..4 for a given production cost.
double PriceAt(double cost, int stage, const std::array<int, 4>& markup)
{
    long long num = 1, den = 1;
    for (int i = 0; i < stage; ++i) {
        num *= 100 + markup[i];
        den *= 100;
    }
    return cost * num / den;
}

QString GivenAmount(const ChainNumbers& n)
{
    return FormatFixed(n.Base * 0.01, 2);
}

void DrawScheme(Exercise& s, const ChainNumbers& n, double answer)
{
    Bitmap& b = s.PictureBitmap;
    b.Pen.Width = Round(2 * ScaleFactor);
    b.Pen.Color = clr::Black;
    DrawText(QString(), clr::Black, false, 0, 0, 1, b);
    const int h = b.TextHeight(QStringLiteral("ablp")) / 2;

    const int steps = ChainSteps(n.K);
    // Widths follow the price; a backward scheme starts from the cost in whole dollars.
    const double shownCost = n.K > 0 ? n.Base : Round(answer);
    const double lastPrice = PriceAt(ProductionCost(n), steps, n.Markup);
    const QString dots = QStringLiteral("$ .....");
    for (int stage = 0; stage <= steps; ++stage) {
        if (stage > 0) {
            DrawArrowDown(Rect{PctX(15), PctY(20 * stage - 4.5), PctX(20), PctY(20 * stage + 4.5)}, b, clr::Red);
            const double line = double(PctY(20 * stage) - h) / LineHeight;
            DrawText(QString::number(n.Markup[stage - 1]) + QString::fromUtf8(Stages[stage].Profit), clr::Red, false,
                     PctX(25), line, 1, b);
            if (n.K == -2 * stage)
                DrawText(QStringLiteral(" (= $") + GivenAmount(n) + QLatin1Char(')'), clr::Red, false, TextEndX, line,
                         1, b);
        }
        QString amount = dots;
        if (stage == 0 && n.K > 0)
            amount = QStringLiteral("$ ") + QString::number(n.Base);
        else if (stage > 0 && n.K == -(2 * stage - 1))
            amount = QStringLiteral("$ ") + GivenAmount(n);
        const double right = 10 + 80 * PriceAt(shownCost, stage, n.Markup) / lastPrice;
        DrawLabelBox(amount, QString::fromUtf8(Stages[stage].What), QString::fromUtf8(Stages[stage].Who),
                     Rect{PctX(10), PctY(5 + 20 * stage), PctX(right), PctY(15 + 20 * stage)}, 2, clr::Black, b,
                     Stages[stage].Fill, 0.5, clr::Black, 0);
    }
}

void DrawQuestion(Exercise& s, const ChainNumbers& n, const QString& label)
{
    Bitmap& t = s.TextBitmap;
    const int steps = ChainSteps(n.K);
    double line = 2;
    DrawText(QStringLiteral("Een boer verbouwt koffiebonen."), clr::Blue, false, Margin, 1, 1, t);
    if (n.K > 0) {
        DrawText(QStringLiteral("De productiekosten zijn %1 dollar.").arg(n.Base), clr::Blue, false, Margin, line, 1,
                 t);
        line += 1;
    }
    DrawText(QStringLiteral("De koffie wordt in %1").arg(steps) +
                 (std::abs(n.K) < 3 ? QStringLiteral(" stap") : QStringLiteral(" stappen")),
             clr::Blue, false, Margin, line, 1, t);
    line += 1;
    DrawText(QStringLiteral("verhandeld. "), clr::Blue, false, Margin, line, 1, t);
    DrawText(QStringLiteral("Zie het schema."), clr::Black, false, TextEndX, line, 1, t);
    line += 1;
    if (n.K < 0) {
        DrawText(QStringLiteral("De ") + label, clr::Blue, false, Margin, line, 1, t);
        DrawText(QStringLiteral("bedraagt ") + GivenAmount(n) + QStringLiteral(" dollar."), clr::Blue, false, Margin,
                 line + 1, 1, t);
        line += 2;
    }
    line -= 0.5;
    DrawText(QStringLiteral("Gevraagd:"), clr::Red, false, Margin, line + 1, 1, t);
    if (n.K > 0) {
        DrawText(QStringLiteral("Hoeveel dollar bedraagt de "), clr::Red, false, Margin, line + 2, 1, t);
        DrawText(label, clr::Red, false, Margin, line + 3, 1, t);
    } else {
        DrawText(QStringLiteral("Hoeveel dollar bedragen de"), clr::Red, false, Margin, line + 2, 1, t);
        DrawText(QStringLiteral("productiekosten van de boer"), clr::Red, false, Margin, line + 3, 1, t);
        DrawText(QStringLiteral("volgens dit schema ?"), clr::Red, false, Margin, line + 4, 1, t);
    }
    DrawText(QStringLiteral("(afronden op 2 decimalen)"), clr::Blue, false, Margin, line + 5, 1, t);
    s.AnswerLine = line + 7;
}

}  // namespace

ChainNumbers PoseChain(Random& random, int level, int previousK)
{
    ChainNumbers n;
    int k = 0;
    do {
        if (level <= 1) {
            k = 2 + random(3);
        } else if (level == 2) {
            do {
                const int m = 1 + random(4);
                k = random(2) == 1 ? -m : m;
            } while (k >= 0 && k <= 2);
        } else {
            do {
                const int m = 2 + random(7);
                k = random(2) == 1 ? -m : m;
            } while (k >= -2 && k <= 4);
        }
    } while (k == previousK);
    n.K = k;
    if (k > 0)
        n.Base = 20 + random(40);
    else if (k % 2 != 0)
        n.Base = 4000 + random(6000);
    else
        n.Base = 1000 + random(3000);
    n.Markup = {10 + random(10), 50 + random(25), 10 + random(10), 20 + random(10)};
    return n;
}

QString ChainLabel(int k)
{
    static const char* const labels[] = {
        "inkoop voor de fabriek\"",
        "winst van de boer",
        "inkoop voor de grossier",
        "winst van de fabriek",
        "inkoop voor de winkelier",
        "winst van de grossier",
        "winkelprijs",
        "winst van de winkelier",
    };
    const int q = std::abs(k);
    return q >= 1 && q <= 8 ? QString::fromUtf8(labels[q - 1]) : QString();
}

double ChainAnswer(const ChainNumbers& n)
{
    const Ratio f = FactorOf(n.K, n.Markup);
    if (n.K > 0)
        return double(n.Base) * f.Num / f.Den;
    return ProductionCost(n);
}

int ChainSteps(int k)
{
    return (std::abs(k) + 1) / 2;
}

void SalesChain(Exercise& s)
{
    int& k = s.ThemeMemory[26];
    if (s.Attempt == 0) {
        const ChainNumbers posed = PoseChain(s.Rng(), s.CurrentLevel(), k);
        k = posed.K;
        s.Param[chain::Base] = posed.Base;
        for (int i = 0; i < 4; ++i)
            s.Param[chain::Markup1 + i] = posed.Markup[i];
        s.FeedbackText = ChainLabel(k);
        s.ExpectedReal = ChainAnswer(posed);
        DrawScheme(s, posed, s.ExpectedReal);
    }
    ChainNumbers n;
    n.K = k;
    n.Base = s.Param[chain::Base];
    DrawQuestion(s, n, s.FeedbackText);

    s.AnswerDecimals = 2;
    s.RealTolerance = 0.0049;
    s.AnswerUnit = QStringLiteral(" dollar");
    const QString asked = k < 0 ? QStringLiteral("productiekosten van de boer") : s.FeedbackText;
    s.OpenAnswer(QStringLiteral("Aantal dollar: "), 2, QStringLiteral("|") + asked + QStringLiteral(" = ? dollar"));
}

const ThemeDescriptor SalesChainTheme{
    .Code = 26,
    .Title = "Verkoopketting: prijzen en winst",
    .Generator = SalesChain,
    .Help = {3, 6},
};

}  // namespace velmora
