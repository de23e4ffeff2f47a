// Theme 25: long-track skating results; the classification adds the 500 metre times.
#include "skating.h"

#include "platform/resources.h"
#include "session/exercise.h"
#include "toolkit/figures.h"
#include "toolkit/layout.h"
#include "toolkit/text.h"

#include <cmath>

namespace velmora {

namespace {

const char* const Names[2][3] = {
    {"Oene Valkstra", "Hidde Morsink", "Tjeerd Olderaan"},
    {"Marit Vosselaar", "Ineke Brasem", "Sanne Willering"},
};

// Men skate 5000 and 10000 metres, women 3000 and 5000, besides 500 and 1500.
const int Metres[2][skating::MaxDistances] = {{500, 5000, 1500, 10000}, {500, 3000, 1500, 5000}};

double RowLine(int row)
{
    return 3.5 + 1.5 * row;
}

QString TwoDigits(int value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

void DrawExplanation(Bitmap& b)
{
    const struct {
        double Line;
        const char* Text;
        bool Red;
    } lines[] = {
        {19, "Toelichting:", true},
        {20, "Tijden in hondersten van seconden.", false},
        {21, "Alle afstanden worden omgerekend naar 500 meter-tijden.", false},
        {22, "Voorbeeld:", true},
        {23, "5000 meter in 6 min 31,80 sec;", false},
        {24, "Ofwel 391,80 seconden voor deze afstand;", false},
        {25, "Delen door 10 geeft 39,18 punten voor de 5000 m.", false},
    };
    for (const auto& l : lines)
        DrawText(QString::fromUtf8(l.Text), l.Red ? clr::Red : clr::Black, false, Margin, l.Line, 1, b);
}

// The skater, scaled with the window and drawn without its background (the colour of its
// top-left pixel).
void DrawSkater(Bitmap& b)
{
    const QImage skater = LoadNamedBitmapAtRatio(QStringLiteral("schaats"), ScaleFactor, b.DevicePixelRatio());
    if (skater.isNull())
        return;
    const int width = static_cast<int>(std::lround(skater.deviceIndependentSize().width()));
    b.DrawTransparent(PctX(50) - width / 2, 12 * LineHeight, skater, QColor(skater.pixel(0, 0)));
}

void DrawRightAligned(Bitmap& b, const QString& text, double endPct, double line)
{
    DrawText(text, clr::Blue, false, PctX(endPct) - b.TextWidth(text), line, 1, b);
}

void DrawResults(Bitmap& b, const SkatingNumbers& n, int level)
{
    DrawText(QStringLiteral("Resultaten van "), clr::Blue, true, Margin, 1, 1.5, b);
    DrawText(SkaterName(n.Sex, n.Name), clr::Red, true, TextEndX, 1, 1.5, b);
    DrawText(QString(), clr::Black, false, 0, 0, 1, b);
    for (int row = 1; row <= n.Distances; ++row) {
        const int stretches = SkatingStretches(n.Sex, row);
        DrawRightAligned(b, QStringLiteral("%1 meter").arg(SkatingMetres(n.Sex, row)), 25, RowLine(row));
        DrawRightAligned(b, SkatingTime(n.Time[row - 1] * stretches), 60, RowLine(row));
    }
    DrawText(FormatFixed(n.Time[0] / 100.0, 2), clr::Black, false, PctX(80), RowLine(1), 1, b);
    for (int row = 1; row <= n.Distances; ++row)
        DrawText(QStringLiteral("  ..."), clr::Black, false, PctX(80), 5 + 1.5 * row, 1, b);
    DrawText(QStringLiteral("Totaal punten:"), clr::Blue, false,
             PctX(80) - b.TextWidth(QStringLiteral("Totaal punten: ")), 6.5 + 1.5 * level, 1, b);
    DrawText(QStringLiteral("Tijd"), clr::Black, false, PctX(45), 3.5, 1, b);
    DrawText(QStringLiteral("Punten"), clr::Black, false, PctX(80), 3.5, 1, b);
    DrawLineLines(clr::Blue, b, 2, 3.25, 95, 3.25, 1);
    DrawLineLines(clr::Blue, b, 2, 6.25 + 1.5 * level, 95, 6.25 + 1.5 * level, 1);
}

void NewResults(Exercise& s, int level)
{
    Bitmap& b = s.PictureBitmap;
    int& count = s.ThemeMemory[25];
    count = std::max(1, count + 1);
    if (count < 3)
        DrawExplanation(b);
    else
        s.WipeLines(b, 16, 24);
    DrawSkater(b);

    const SkatingNumbers n = PoseSkating(s.Rng(), level);
    s.FeedbackText = SkaterName(n.Sex, n.Name);
    s.Param[skating::Sum] = 0;
    for (int row = 1; row <= n.Distances; ++row) {
        s.Param[skating::FirstTime + row - 1] = n.Time[row - 1];
        s.Param[skating::Sum] += n.Time[row - 1];
    }
    DrawResults(b, n, level);
    s.WorkText = level == 3 ? QStringLiteral("in het eindklassement") : QStringLiteral("in het tussenklassement");
    s.ExpectedReal = s.Param[skating::Sum] * 0.01;
}

}  // namespace

SkatingNumbers PoseSkating(Random& random, int level)
{
    SkatingNumbers n;
    n.Distances = level + 1;
    n.Sex = random(2);
    n.Name = random(3);
    for (int row = 1; row <= n.Distances; ++row)
        n.Time[row - 1] = 3850 + 10 * SkatingStretches(n.Sex, row) + random(100 * level);
    return n;
}

QString SkaterName(int sex, int name)
{
    return QString::fromUtf8(Names[sex ? 1 : 0][name]);
}

int SkatingMetres(int sex, int row)
{
    return Metres[sex ? 1 : 0][row - 1];
}

int SkatingStretches(int sex, int row)
{
    return SkatingMetres(sex, row) / 500;
}

QString SkatingTime(int hundredths)
{
    const int minutes = hundredths / 6000;
    const int seconds = hundredths % 6000 / 100;
    QString text = minutes > 0 ? QString::number(minutes) + QStringLiteral(" min ") : QString();
    // Always a comma here, whatever the pupil's separator: this is how results lists read.
    return text + TwoDigits(seconds) + QLatin1Char(',') + TwoDigits(hundredths % 100) + QStringLiteral(" sec.");
}

void SkatingPoints(Exercise& s)
{
    const int level = s.CurrentLevel();
    if (s.Attempt == 0)
        NewResults(s, level);

    Bitmap& t = s.TextBitmap;
    DrawText(QStringLiteral("Hoeveel punten heeft"), clr::Blue, false, Margin, 1, 1, t);
    DrawText(s.FeedbackText, clr::Red, false, Margin, 2, 1, t);
    DrawText(s.WorkText, clr::Blue, false, Margin, 3, 1, t);
    DrawText(QStringLiteral("na %1 afstanden ?").arg(level + 1), clr::Blue, false, Margin, 4, 1, t);
    DrawText(QStringLiteral("(afronden op 3 decimalen)"), clr::Blue, false, Margin, 5.5, 1, t);

    s.AnswerDecimals = 3;
    s.RealTolerance = 0.00049;
    s.AnswerUnit = QStringLiteral(" punten");
    s.AnswerLine = 8;
    s.OpenAnswer(QStringLiteral("Aantal punten: "), 2,
                 QStringLiteral("|aantal punten ") + s.FeedbackText + QStringLiteral(" ?"));
}

const ThemeDescriptor SkatingTheme{
    .Code = 25,
    .Title = "Lange-baan wedstrijd schaatsen",
    .Generator = SkatingPoints,
    .Help = {3, 5},
};

}  // namespace velmora
