// Themes 12 and 13: the "meer" model (money grows by the interest) and the "minder" model
// (a price drops by the discount), drawn as an old, a change and a new bar.
#include "growth.h"

#include "session/exercise.h"
#include "toolkit/figures.h"
#include "toolkit/layout.h"
#include "toolkit/text.h"

#include <cmath>

namespace velmora {

namespace {

bool More(const Exercise& s)
{
    return s.ThemeCode == growth::MoreTheme;
}

// The rate as the story prints it: tenths of a percent with one decimal.
QString RateText(int rate)
{
    return FormatFixed(rate / 10.0, 1);
}

// The growth factor with three decimals, exact.
QString FactorText(bool more, int rate)
{
    return FormatFixed((1000 + (more ? rate : -rate)) / 1000.0, 3);
}

QString NewAmountText(const Exercise& s)
{
    return FormatEuroThousandths(GrowthThousandths(More(s), s.Param[growth::Amount], s.Param[growth::Rate]));
}

// The text line whose top is the given pixel row.
double LineOfRow(double row)
{
    return row / LineHeight;
}

void DrawBars(Exercise& s, bool more, int level)
{
    Bitmap& b = s.PictureBitmap;
    const int amount = s.Param[growth::Amount];
    const double factor = 1 + (more ? 1 : -1) * s.Param[growth::Rate] * 0.001;
    b.Pen = PenState{clr::Black, Round(2 * ScaleFactor), false};
    b.Brush = BrushState{clr::Green, false};
    b.Rectangle(PctX(20), PctY(15), PctX(75), PctY(25));
    // The change bar starts at the end of the old amount; a discount runs to the left of it.
    b.Brush.Color = clr::Yellow;
    b.Rectangle(PctX(75), PctY(35), PctX(75 + 55 * (std::pow(factor, level) - 1)), PctY(45));
    b.Brush.Color = clr::Aqua;
    b.Rectangle(PctX(20), PctY(55), PctX(20 + 55 * s.ExpectedReal / amount), PctY(65));
    DrawDashedLinePct(b, clr::Blue, 75, 25, 75, 66, 2);
}

void DrawLabels(Exercise& s)
{
    Bitmap& b = s.PictureBitmap;
    const double half = LineHeight / 2.0;
    const QString& word = s.FeedbackText;
    DrawText(QStringLiteral("Oude"), clr::Blue, false, Margin, LineOfRow(PctY(20)) - 1, 1, b);
    DrawText(word + QLatin1Char(':'), clr::Blue, false, Margin, LineOfRow(PctY(20)), 1, b);
    DrawText(QString::number(s.Param[growth::Amount]), clr::Blue, false, -2, LineOfRow(PctY(20) - half), 1, b);
    DrawText(s.WorkText, clr::Blue, false, Margin, LineOfRow(PctY(40) - half), 1, b);
    DrawText(RateText(s.Param[growth::Rate]) + QLatin1Char('%'), clr::Blue, false, -2, LineOfRow(PctY(40) - half), 1,
             b);
    DrawText(QStringLiteral("Nieuwe"), clr::Red, false, Margin, LineOfRow(PctY(60)) - 1, 1, b);
    DrawText(word + QLatin1Char(':'), clr::Red, false, Margin, LineOfRow(PctY(60)), 1, b);
    DrawText(QStringLiteral("?"), clr::Red, false, -2, LineOfRow(PctY(60) - half), 1.25, b);
}

void DrawPicture(Exercise& s)
{
    const bool more = More(s);
    const QString title =
        more ? QStringLiteral("Bedrag op de bank met rente") : QStringLiteral("Fiets kopen met korting");
    DrawText(title, clr::Red, false, -1, 1, 1.75, s.PictureBitmap);
    DrawBars(s, more, s.CurrentLevel());
    DrawLabels(s);
}

void DrawQuestion(Exercise& s)
{
    Bitmap& t = s.TextBitmap;
    const QString amount = QString::number(s.Param[growth::Amount]);
    const QString rate = RateText(s.Param[growth::Rate]);
    if (More(s)) {
        DrawText(QStringLiteral("Jorrit brengt "), clr::Black, false, Margin, 1, 1, t);
        DrawEuroText(QStringLiteral(" ") + amount + QStringLiteral(" naar de"), clr::Black, false, TextEndX, 1, 1, t);
        DrawText(QStringLiteral("bank."), clr::Black, false, Margin, 2, 1, t);
        DrawText(QStringLiteral("De bank geeft ") + rate + QStringLiteral(" % rente"), clr::Black, false, Margin, 3, 1,
                 t);
        DrawText(QStringLiteral("per jaar."), clr::Black, false, Margin, 4, 1, t);
        DrawText(QStringLiteral("Welk bedrag heeft Jorrit "), clr::Red, false, Margin, 5.5, 1, t);
        DrawText(QStringLiteral("na één jaar ?"), clr::Red, false, Margin, 6.5, 1, t);
    } else {
        DrawText(QStringLiteral("Kasper koopt een fiets van"), clr::Black, false, Margin, 1, 1, t);
        DrawEuroText(QStringLiteral(" ") + amount + QLatin1Char('.'), clr::Black, false, Margin, 2, 1, t);
        DrawText(QStringLiteral("Hij krijgt ") + rate + QStringLiteral(" % seizoens-"), clr::Black, false, Margin, 3, 1,
                 t);
        DrawText(QStringLiteral("korting."), clr::Black, false, Margin, 4.25, 1, t);
        DrawText(QStringLiteral("Wat moet Kasper betalen ?"), clr::Red, false, Margin, 6.5, 1, t);
    }
}

}  // namespace

long long GrowthThousandths(bool more, int amount, int rate)
{
    return static_cast<long long>(amount) * (1000 + (more ? rate : -rate));
}

QString FormatEuroThousandths(long long thousandths)
{
    const long long cents = thousandths >= 0 ? (thousandths + 5) / 10 : -((-thousandths + 5) / 10);
    return FormatFixed(cents / 100.0, 2);
}

void PoseGrowth(Exercise& s)
{
    const int level = s.CurrentLevel();
    const bool more = More(s);
    const int amount = more ? 300 + (100 * s.Random(5 * level)) / level : 300 + 10 * s.Random(30);
    const int rate = more ? 40 + s.Random(90) : (10 / level) * s.Random(25 * level) + 50;
    s.Param[growth::Amount] = amount;
    s.Param[growth::Rate] = rate;
    s.ExpectedReal = GrowthThousandths(more, amount, rate) / 1000.0;
    s.AnswerDecimals = 2;
    s.FeedbackText = more ? QStringLiteral("Bedrag") : QStringLiteral("Prijs");
    s.WorkText = more ? QStringLiteral("Rente:") : QStringLiteral("Korting:");
}

void GrowthModels(Exercise& s)
{
    if (s.Attempt == 0) {
        PoseGrowth(s);
        DrawPicture(s);
    }
    DrawQuestion(s);

    s.RealTolerance = 0.001;
    s.AnswerLine = 9;
    s.AnswerUnit = QStringLiteral(" Euro");
    if (More(s))
        s.OpenAnswer(s.FeedbackText + QStringLiteral(": "), 2, QStringLiteral("|Bedrag na één jaar ?"));
    else
        s.OpenAnswer(s.FeedbackText + QStringLiteral(": "), 2, QStringLiteral("|Prijs van de fiets ?"));
}

void ExplainGrowth(Exercise& s, double line)
{
    Bitmap& t = s.TextBitmap;
    const QString result = NewAmountText(s);
    if (!s.PracticeMode() || s.MixedMode()) {
        DrawEuroText(result, clr::Red, false, Margin, line, 1, t);
        return;
    }
    const QString factor = FactorText(More(s), s.Param[growth::Rate]);
    const QString& noun = s.FeedbackText;
    DrawText(QStringLiteral("De groeifactor is ") + factor + QLatin1Char('.'), clr::Blue, false, Margin, line, 1, t);
    DrawText(QStringLiteral("Dus: "), clr::Blue, false, Margin, line + 1.25, 1, t);
    DrawText(QStringLiteral("Nieuwe ") + noun + QStringLiteral(" ="), clr::Red, false, TextEndX, line + 1.25, 1, t);
    DrawText(QStringLiteral("Oude ") + noun + QStringLiteral(" x ") + factor + QStringLiteral(" =         "), clr::Blue,
             false, 2 * Margin, line + 2.5, 1, t);
    DrawText(QString::number(s.Param[growth::Amount]) + QStringLiteral(" x ") + factor + QStringLiteral(" = ") +
                 result + QLatin1Char(' '),
             clr::Red, false, 2 * Margin, line + 3.75, 1, t);
    DrawEuroText(QString(), clr::Red, false, TextEndX, line + 3.75, 1, t);
}

const ThemeDescriptor MoreTheme{
    .Code = 12,
    .Title = "Jorrit en het \"meer\"-model",
    .Generator = GrowthModels,
    .Explain = ExplainGrowth,
    .Help = {2, 2},
};

const ThemeDescriptor LessTheme{
    .Code = 13,
    .Title = "Kasper en het \"minder\"-model",
    .Generator = GrowthModels,
    .Explain = ExplainGrowth,
    .Help = {2, 3},
};

}  // namespace velmora
