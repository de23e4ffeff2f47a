// Themes 7 and 24: Stefanie's trip, speed, time and distance.
#include "speed.h"

#include "platform/resources.h"
#include "session/exercise.h"
#include "toolkit/figures.h"
#include "toolkit/fraction.h"
#include "toolkit/layout.h"
#include "toolkit/numbers.h"
#include "toolkit/text.h"

#include <algorithm>

namespace velmora {

namespace {

using namespace speed;

constexpr int FractionTheme = 7;

Fraction Ratio(int p, int q)
{
    return FracDiv(IntToFraction(p), IntToFraction(q));
}

QString Num(int n)
{
    return QString::number(n);
}

// Exact decimal values of the trip: the division of integers rounds once.
double Kilometres(int metres)
{
    return metres / 1000.0;
}

double KilometresPerHour(int metresPerMinute)
{
    return metresPerMinute * 6 / 100.0;
}

// The bicycle, Round(7 x Margin) wide, with its top-left corner at (x, y).
void DrawBike(Bitmap& b, int x, int y)
{
    const QImage bike = LoadNamedBitmapAtRatio(QStringLiteral("fiets"), 1, b.DevicePixelRatio());
    if (bike.isNull() || bike.width() == 0)
        return;
    const int w = Round(7.0 * Margin);
    const int h = Round(double(w) * bike.height() / bike.width());
    b.StretchDraw(x, y, x + w, y + h, bike);
}

// A picture label at size 0.9; x in pixels, line in text lines.
void Label(Bitmap& b, const QString& text, double x, double line)
{
    DrawText(text, clr::Black, false, x, line, 0.9, b);
}

// The vertical scale at x percent: a thick line from 10 to 90 % with a tick every 10 km.
void DrawScale(Bitmap& b, double x)
{
    DrawLinePct(b, clr::Black, x, 10, x, 90, 2);
    for (int i = 1; i <= 10; ++i)
        DrawLinePct(b, clr::Black, x - 0.5, 90 - 8 * i, x + 0.5, 90 - 8 * i, 1);
}

// One hour is 36 % of the width, 100 km 80 % of the height; the origin is at (10, 90).
void DrawGraph(Exercise& s, int level)
{
    Bitmap& b = s.PictureBitmap;
    const int t = s.Param[Minutes], d = s.Param[Metres], v = s.Param[MetresPerMinute];
    Label(b, QString(), 0, 0);
    const double h = b.TextHeight(QStringLiteral("abqt")) * 0.5;
    const auto lineAt = [](double pct, double shift) { return (PctY(pct) + shift) / LineHeight; };

    DrawScale(b, 10);
    DrawLinePct(b, clr::Black, 10, 90, 85, 90, 2);
    for (int i = 1; i <= 12; ++i)
        DrawLinePct(b, clr::Black, 10 + 6 * i, 89.5, 10 + 6 * i, 90.5, 1);
    if (level <= 2) {
        // The distance after one hour is the speed: a second scale there reads it off.
        DrawScale(b, 46);
        Label(b, QStringLiteral("snelheid"), PctX(40), lineAt(9, -2.0 * LineHeight));
        Label(b, QStringLiteral("(km/uur)"), PctX(40), lineAt(8.5, -LineHeight));
        Label(b, QStringLiteral("100"), PctX(46) - b.TextWidth(QStringLiteral("100 ")), lineAt(10, -h));
    }

    const double endX = 10 + 0.6 * t, endY = 90 - 0.0008 * d;
    if (level == 1)
        DrawDashedLinePct(b, clr::Yellow, endX, endY, 46, 90 - 0.8 * KilometresPerHour(v), 1);
    DrawLinePct(b, clr::Blue, 10, 90, endX, endY, 2);
    DrawDashedLinePct(b, clr::Blue, endX, endY, 10, endY, 1);
    DrawDashedLinePct(b, clr::Blue, endX, endY, endX, 90, 1);
    DrawDot(PctX(endX), PctY(endY), QLatin1Char('.'), b, clr::Blue);

    Label(b, QString(), 0, 0);
    Label(b, QStringLiteral("100"), PctX(10) - b.TextWidth(QStringLiteral("100 ")), lineAt(10, -h));
    Label(b, QStringLiteral("50"), PctX(10) - b.TextWidth(QStringLiteral("50 ")), lineAt(50, -h));
    Label(b, QStringLiteral("1"), PctX(46) - b.TextWidth(QStringLiteral("1")) / 2, lineAt(90, h));
    Label(b, QStringLiteral("2"), PctX(82) - b.TextWidth(QStringLiteral("2")) / 2, lineAt(90, h));
    Label(b, QStringLiteral("afstand (km)"), PctX(1), lineAt(8.5, -LineHeight));
    DrawBike(b, TextEndX + Margin, LineHeight);
    Label(b, QStringLiteral("tijd  "), -2, lineAt(90, -h));
    Label(b, QStringLiteral("(uur)"), -2, lineAt(90, h));
}

void DrawQuestion(Exercise& s, int theme, int q)
{
    Bitmap& b = s.TextBitmap;
    const int t = s.Param[Minutes], d = s.Param[Metres];
    const QString speed = FormatFixed(KilometresPerHour(s.Param[MetresPerMinute]), 2);
    DrawText(QStringLiteral("Stefanie rijdt "), clr::Blue, false, Margin, 1, 1, b);
    if (theme == FractionTheme)
        TextEndX = DrawFraction(Ratio(d / 100, 10), b, TextEndX, LineHeight, clr::Blue);
    else if (q == AskDistance)
        DrawText(Num(t) + QStringLiteral(" minuten"), clr::Blue, false, TextEndX, 1, 1, b);
    else
        DrawText(FormatFixed(Kilometres(d), 2), clr::Blue, false, TextEndX, 1, 1, b);
    if (q != AskDistance)
        DrawText(QStringLiteral(" km"), clr::Blue, false, TextEndX, 1, 1, b);
    DrawBike(b, TextEndX + Margin, LineHeight / 2);

    if (q == AskSpeed) {
        if (theme == FractionTheme) {
            DrawText(QStringLiteral("in "), clr::Blue, false, Margin, 3, 1, b);
            TextEndX = DrawFraction(Ratio(t, 60), b, TextEndX, 3 * LineHeight, clr::Blue);
            DrawText(QStringLiteral(" uur (= %1 minuten).").arg(t), clr::Blue, false, TextEndX, 3, 1, b);
        } else {
            DrawText(QStringLiteral("in %1 minuten.").arg(t), clr::Blue, false, Margin, 2.25, 1, b);
        }
        DrawText(QStringLiteral("Wat was haar gemiddelde"), clr::Red, false, Margin, 5, 1, b);
        DrawText(QStringLiteral("snelheid ?  "), clr::Red, false, Margin, 6, 1, b);
        DrawText(QStringLiteral("(in km/uur)"), clr::Black, false, TextEndX, 6, 1, b);
    } else {
        DrawText(QStringLiteral("met een snelheid van ") + speed + QStringLiteral(" km/u."), clr::Blue, false, Margin,
                 2.25, 1, b);
        if (q == AskTime) {
            DrawText(QStringLiteral("Hoe lang duurde dat ?"), clr::Red, false, Margin, 4.5, 1, b);
            DrawText(QStringLiteral("(aantal minuten)"), clr::Black, false, Margin, 5.5, 1, b);
        } else {
            DrawText(QStringLiteral("Hoeveel km legde zij af ?"), clr::Red, false, Margin, 4.5, 1, b);
        }
    }
    if (theme != FractionTheme)
        DrawText(QStringLiteral("(afronden op 2 decimalen)"), clr::Blue, false, Margin, 7.25, 1, b);
}

void NewTrip(Exercise& s, int theme, int level)
{
    int& previous = s.ThemeCycle[DurationCounter];
    const Trip trip = PoseTrip(theme, level, previous, s.Rng());
    previous = trip.Minutes;
    int& q = s.ThemeMemory[theme];
    q = theme == FractionTheme ? AskSpeed : ((q + 1) % 3 + 3) % 3;
    s.Param[Minutes] = trip.Minutes;
    s.Param[Metres] = trip.Metres();
    s.Param[MetresPerMinute] = trip.MetresPerMinute;
    switch (q) {
        case AskSpeed:
            s.ExpectedReal = KilometresPerHour(trip.MetresPerMinute);
            s.ExpectedInt = Round(s.ExpectedReal);
            break;
        case AskTime:
            s.ExpectedReal = trip.Minutes;
            break;
        default:
            s.ExpectedReal = Kilometres(trip.Metres());
            break;
    }
}

// Theme 7: distance over time, two fractions over one long bar.
void ExplainFractions(Exercise& s, double line)
{
    Bitmap& b = s.TextBitmap;
    DrawText(QString(), clr::Blue, false, Margin, line, 1, b);
    const int endA = DrawFraction(Ratio(s.Param[Metres] / 100, 10), b, 2 * Margin, Round(line * LineHeight), clr::Blue);
    const int endB =
        DrawFraction(Ratio(s.Param[Minutes], 60), b, 2 * Margin, Round((line + 2.5) * LineHeight), clr::Blue);
    const int right = std::max(endA, endB) + Margin;
    b.Pen = PenState{clr::Red, Round(ScaleFactor), false};
    b.MoveTo(Margin, Round((line + 1.75) * LineHeight));
    b.LineTo(right, Round((line + 1.75) * LineHeight));
    DrawText(QStringLiteral("  = ") + Num(s.ExpectedInt) + QLatin1Char(' ') + s.AnswerUnit, clr::Red, false, right,
             line + 1.25, 1, b);
}

// Theme 24: minutes to hours, then the formula of the question, unrounded to the end.
void ExplainDecimals(Exercise& s, double line)
{
    Bitmap& b = s.TextBitmap;
    const int t = s.Param[Minutes], q = s.ThemeMemory[s.ThemeCode];
    const QString hours = FormatFixed(t / 60.0, 2) + QStringLiteral(" uur");
    // Written as in the question, so the pupil recognises it.
    const QString distance = FormatFixed(Kilometres(s.Param[Metres]), 2);
    const QString speed = FormatFixed(KilometresPerHour(s.Param[MetresPerMinute]), 2);
    if (q == AskSpeed || q == AskDistance) {
        DrawText(Num(t) + QStringLiteral(" min. = "), clr::Blue, false, Margin, line, 1, b);
        TextEndX = DrawFractionText(Num(t), QStringLiteral("60"), b, TextEndX, Round(line * LineHeight), clr::Blue);
        DrawText(QStringLiteral(" uur"), clr::Blue, false, TextEndX, line, 1, b);
        DrawApproxText(hours, clr::Blue, b, TextEndX, line, 1);
        line += 2;
    }
    if (q == AskSpeed) {
        DrawText(QStringLiteral("snelheid = "), clr::Blue, false, Margin, line, 1, b);
        TextEndX = DrawFractionText(distance, hours, b, TextEndX, Round(line * LineHeight), clr::Blue);
        line += 1;
    } else if (q == AskTime) {
        DrawText(QStringLiteral("tijd = "), clr::Blue, false, Margin, line, 1, b);
        TextEndX = DrawFractionText(distance, speed, b, TextEndX, Round(line * LineHeight), clr::Blue);
        DrawApproxText(hours + QLatin1Char('.'), clr::Blue, b, TextEndX, line, 1);
        DrawText(QStringLiteral("Ofwel ") + hours + QStringLiteral(" x 60 "), clr::Blue, false, Margin, line + 2, 1, b);
        line += 2;
    } else {
        DrawText(QStringLiteral("afstand = ") + hours + QStringLiteral(" x ") + speed, clr::Blue, false, Margin, line,
                 1, b);
    }
    DrawApproxText(FormatFixed(s.ExpectedReal, 2) + QLatin1Char(' ') + s.AnswerUnit, clr::Red, b, 5 * Margin, line + 1,
                   1);
    const double top = double(s.ContinueButtonTop()) / LineHeight;
    DrawText(QStringLiteral("Let op:"), clr::Red, false, Margin, top - 2.5, 1, b);
    DrawText(QStringLiteral("  NIET tussentijds afronden!"), clr::Red, false, Margin, top - 1.5, 1, b);
}

}  // namespace

Trip PoseTrip(int theme, int level, int previousMinutes, Random& random)
{
    Trip trip;
    int& t = trip.Minutes;
    if (theme == FractionTheme) {
        // Whole km/u from fractions: tens of minutes (never one hour) at 3 km/u steps.
        const auto unfit = [&] {
            return t == 60 || t == previousMinutes || (level == 1 && (t > 60 || t == 50)) ||
                   (level == 2 && (t == 70 || t == 110)) || (level == 3 && t < 40);
        };
        do
            t = 10 * (1 + random(11));
        while (unfit());
        trip.MetresPerMinute = 50 * (8 + random(11));
    } else {
        do
            t = 10 + random(78);
        while (t == 60 || t == 30 || t == previousMinutes || (level == 1 && t > 60));
        trip.MetresPerMinute = 10 * (40 + random(55));
    }
    return trip;
}

void StefanieTrip(Exercise& s)
{
    const int theme = s.ThemeCode;
    s.IntTolerance = 0;
    if (s.Attempt == 0) {
        NewTrip(s, theme, s.CurrentLevel());
        DrawGraph(s, s.CurrentLevel());
    }
    const int q = s.ThemeMemory[theme];
    DrawQuestion(s, theme, q);

    s.RealTolerance = 0.0049;
    s.AnswerDecimals = 2;
    s.AnswerLine = 9;
    const int kind = theme == FractionTheme ? 1 : 2;
    if (q == AskSpeed) {
        s.AnswerUnit = QStringLiteral(" km/u");
        s.OpenAnswer(QStringLiteral("Snelheid (km/u): "), kind, QStringLiteral("|snelheid = ? km/uur"));
    } else if (q == AskTime) {
        s.AnswerUnit = QStringLiteral(" minuten");
        s.OpenAnswer(QStringLiteral("Tijd (minuten): "), kind, QStringLiteral("|tijdsduur = ? minuten"));
    } else {
        s.AnswerUnit = QStringLiteral(" km");
        s.OpenAnswer(QStringLiteral("Afstand (km): "), kind, QStringLiteral("|Afgelegde afstand = ? km"));
    }
}

void ExplainSpeed(Exercise& s, double line)
{
    const bool fractions = s.ThemeCode == FractionTheme;
    if (!s.PracticeMode()) {
        // Theme 24 sets ExpectedInt only for a speed; its answer is always ExpectedReal.
        const QString answer = fractions ? Num(s.ExpectedInt) : FormatFixed(s.ExpectedReal, 2);
        DrawText(answer + QLatin1Char(' ') + s.AnswerUnit, clr::Red, false, Margin, line, 1, s.TextBitmap);
    } else if (fractions) {
        ExplainFractions(s, line);
    } else {
        ExplainDecimals(s, line);
    }
}

const ThemeDescriptor SpeedFractionTheme{
    .Code = 7,
    .Title = "Hoe hard rijdt Stefanie ?",
    .Generator = StefanieTrip,
    .Explain = ExplainSpeed,
    .Use = Advice::PenAndPaper,
    .Help = {1, 7},
    .Cycle = {DurationCounter, 1, DurationAtStart},
};

const ThemeDescriptor SpeedDecimalTheme{
    .Code = 24,
    .Title = "Stefanie op de fiets",
    .Generator = StefanieTrip,
    .Explain = ExplainSpeed,
    .Help = {3, 4},
    .Cycle = {DurationCounter, 1, DurationAtStart},
};

}  // namespace velmora
