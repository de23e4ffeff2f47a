// Theme 28: Diana rides part of a lap on a round track, shown as a dot moving from START;
// from one counter of her dashboard the pupil works out another.
#include "bicycle.h"

#include "session/exercise.h"
#include "toolkit/figures.h"
#include "toolkit/layout.h"
#include "toolkit/text.h"

#include <cmath>
#include <numbers>

namespace velmora {

namespace {

constexpr int ThemeCode = 28;
constexpr double Pi = std::numbers::pi;
constexpr int StepMs = 2;  // the shortest wait per step of the ride

using namespace bicycle;

// Where each counter sits on the dashboard, in percent of the picture width.
double CounterCentre(int counter)
{
    switch (counter) {
        case Ronden:
            return 16.25;
        case Afstand:
            return 38.75;
        case Straal:
            return 61.25;
        default:
            return 83.75;
    }
}

QString CounterLabel(int counter)
{
    switch (counter) {
        case Ronden:
            return QStringLiteral("ronden");
        case Afstand:
            return QStringLiteral("afstand");
        case Straal:
            return QStringLiteral("straal");
        default:
            return QStringLiteral("graad");
    }
}

// The asked counter by the given one, in the order a draw chooses from.
int AskedChoice(int given, int choice)
{
    static constexpr int Choices[5][3] = {
        {},
        {Afstand, Straal, Graad},   // ronden given
        {Afstand, Ronden, Graad},   // straal given
        {Afstand, Ronden, Straal},  // graad given
        {Graad, Ronden, Straal},    // afstand given
    };
    return Choices[given][choice];
}

// Text centred on x percent of the picture, at the normal size.
void DrawCentred(const QString& text, const QColor& colour, double xPct, double line, Bitmap& b)
{
    b.Font.Size = Round(RefFontSize * 1.0);
    b.Font.Bold = false;
    DrawText(text, colour, false, PctX(xPct) - b.TextWidth(text) * 0.5, line, 1, b);
}

void DrawDashboard(Bitmap& b)
{
    const int left = PctX(5), right = PctX(95), top = Round(19.5 * LineHeight);
    DrawLabelBox(QString(), QString(), QString(), {left, top, right, Round(25 * LineHeight)}, 2, clr::Black, b,
                 clr::Gray, 1, clr::Black, 0);
    DrawLabelBox(QString(), QStringLiteral("Dashboard SUPERBIKE"), QString(),
                 {left, top, right, Round(21 * LineHeight)}, 1, clr::Black, b, clr::Black, 1, clr::White, 0);
    DrawText(QString(), clr::Black, false, Margin, 0, 1, b);
    for (const int counter : {Ronden, Afstand, Straal, Graad}) {
        DrawCentred(CounterLabel(counter), clr::Blue, CounterCentre(counter), 21, b);
        DrawCentred(QStringLiteral("teller"), clr::Blue, CounterCentre(counter), 21.9, b);
    }
    DrawLineLines(clr::Black, b, 5, 23, 95, 23, 1);
    for (const double x : {27.5, 50.0, 72.5})
        DrawLineLines(clr::Black, b, x, 21, x, 25, 1);
}

// The track: a circle of radius R pixels around (Cx, Cy).
struct Track {
    int Cx = 0;
    int Cy = 0;
    int R = 0;
    QPoint At(double degrees) const
    {
        const double a = degrees * Pi / 180;
        return {Round(Cx + R * std::cos(a)), Round(Cy - R * std::sin(a))};
    }
};

Track DrawTrack(Bitmap& b, int radius)
{
    const Track track{PctX(50), PctX(32), (PctX(80) - PctX(20)) / 2};
    b.Pen = PenState{clr::Black, Round(3 * ScaleFactor), false};
    b.Brush.Clear = true;
    b.Ellipse(PctX(20), PctX(2), PctX(80), PctX(62));
    b.Pen.Color = clr::Red;
    b.MoveTo(track.Cx, track.Cy);
    b.LineTo(PctX(80), PctX(32));
    const double centreLine = double(PctX(32)) / LineHeight;
    DrawText(QStringLiteral("START"), clr::Blue, false, PctX(82), centreLine - 0.5, 1, b);
    DrawText(QStringLiteral("straal = %1 m.").arg(radius), clr::Red, false, PctX(53), centreLine + 0.25, 1, b);
    DrawText(QStringLiteral("Cirkelvormige"), clr::Black, false, Margin, 0.5, 1, b);
    DrawText(QStringLiteral("wielerbaan"), clr::Black, false, Margin, 1.5, 1, b);
    DrawText(QStringLiteral("met straal"), clr::Black, false, Margin, 2.5, 1, b);
    DrawText(QStringLiteral("van %1 m.").arg(radius), clr::Black, false, Margin, 3.5, 1, b);
    return track;
}

// Diana as a dot moving counter-clockwise from START, one step per frame; false when the
// run ended (or another exercise took over) during the ride.
bool Ride(Exercise& s, const Track& track, int hundredths)
{
    Bitmap& b = s.PictureBitmap;
    const double end = 3.6 * hundredths;
    const double step = ArcSin(8 * ScaleFactor / track.R) * 180 / Pi;
    for (double theta = 0; theta < end; theta += step) {
        const QPoint p = track.At(theta);
        DrawDot(p.x(), p.y(), QLatin1Char('.'), b, clr::Red);
        if (!s.Pause(StepMs))
            return false;
    }
    const QPoint p = track.At(end);
    DrawDot(p.x(), p.y(), QLatin1Char('.'), b, clr::Red);
    b.Pen = PenState{clr::Red, Round(ScaleFactor), false};
    b.MoveTo(track.Cx, track.Cy);
    b.LineTo(p.x(), p.y());
    return true;
}

void DrawQuestionInPicture(Exercise& s, const RidePose& p)
{
    Bitmap& b = s.PictureBitmap;
    DrawText(QStringLiteral("Bekend:"), clr::Red, false, Margin, 17, 1, b);
    DrawCentred(CounterText(p.Given, p.Radius, p.Hundredths), clr::Blue, CounterCentre(p.Given), 23.5, b);
    DrawText(QStringLiteral("?"), clr::Yellow, false, PctX(CounterCentre(p.Asked) - 0.15), 23.5, 1, b);
    if (s.CurrentLevel() == 1 && p.Given != Ronden && p.Asked != Ronden)
        DrawText(QStringLiteral("Tip: soms is het handig eerst de ronden-teller te doen."), clr::Red, false, -1, 25.25,
                 1, b);
    DrawText(s.WorkText, clr::Blue, false, PctX(20), 17, 1, b);
    DrawText(QStringLiteral("Vraag:"), clr::Red, false, Margin, 18, 1, b);
    DrawText(QStringLiteral("Wat staat er op de ") + s.FeedbackText + QStringLiteral(" ?"), clr::Blue, false, PctX(20),
             18, 1, b);
    s.ShowBitmaps();
}

RidePose PoseOf(const Exercise& s)
{
    return {s.Param[Radius], s.Param[Hundredths], s.Param[Given], s.Param[Asked]};
}

// False when the ride was cut short: the exercise is then no longer shown.
bool NewRide(Exercise& s)
{
    DrawDashboard(s.PictureBitmap);
    const RidePose p = PoseRide(s.Rng(), s.CurrentLevel(), s.ThemeMemory[ThemeCode]);
    s.ThemeMemory[ThemeCode] = p.Given;
    s.Param[Radius] = p.Radius;
    s.Param[Hundredths] = p.Hundredths;
    s.Param[Given] = p.Given;
    s.Param[Asked] = p.Asked;
    const Track track = DrawTrack(s.PictureBitmap, p.Radius);
    if (!Ride(s, track, p.Hundredths))
        return false;
    s.FeedbackText = CounterName(p.Asked);
    s.WorkText = QStringLiteral("Op de ") + CounterName(p.Given) + QStringLiteral(" staat ") +
                 CounterText(p.Given, p.Radius, p.Hundredths) + QLatin1Char('.');
    DrawQuestionInPicture(s, p);
    return true;
}

}  // namespace

RidePose PoseRide(Random& random, int level, int previousGiven)
{
    RidePose p;
    p.Radius = 5 * (5 + random(11));
    p.Hundredths = 15 + random(70);
    do
        p.Given = 1 + random(level + 1);
    while (p.Given == previousGiven);
    // Below Prof ! the straal-teller leads to afstand or ronden only.
    const int choices = p.Given == Straal && level < 3 ? 2 : 3;
    p.Asked = AskedChoice(p.Given, random(choices));
    return p;
}

long long CounterHundredths(int counter, int radius, int hundredths)
{
    const long long s = Round(2 * Pi * hundredths);
    switch (counter) {
        case Ronden:
            return hundredths;
        case Straal:
            return s;
        case Graad:
            return 360LL * hundredths;
        default:
            return s * radius;
    }
}

QString CounterText(int counter, int radius, int hundredths)
{
    return FormatFixed(CounterHundredths(counter, radius, hundredths) / 100.0, 2);
}

double RideAnswer(const RidePose& p)
{
    const double v = CounterHundredths(p.Given, p.Radius, p.Hundredths) / 100.0;
    const double r = p.Radius;
    switch (p.Given * 10 + p.Asked) {
        case Ronden * 10 + Afstand:
            return 2 * Pi * r * v;
        case Ronden * 10 + Straal:
            return 2 * Pi * v;
        case Ronden * 10 + Graad:
            return 360 * v;
        case Straal * 10 + Afstand:
            return r * v;
        case Straal * 10 + Ronden:
            return v / (2 * Pi);
        case Straal * 10 + Graad:
            return 360 * v / (2 * Pi);
        case Graad * 10 + Afstand:
            return 2 * Pi * r * v / 360;
        case Graad * 10 + Ronden:
            return v / 360;
        case Graad * 10 + Straal:
            return 2 * Pi * v / 360;
        case Afstand * 10 + Graad:
            return 360 * v / (2 * Pi * r);
        case Afstand * 10 + Ronden:
            return v / (2 * Pi * r);
        default:
            return v / r;
    }
}

QString CounterName(int counter)
{
    return CounterLabel(counter) + QStringLiteral("-teller");
}

void BicycleCounters(Exercise& s)
{
    if (s.Attempt == 0 && !NewRide(s))
        return;
    // Einde during the ride: no question is asked.
    if (!s.Running)
        return;

    Bitmap& t = s.TextBitmap;
    DrawText(QStringLiteral("Diana rijdt op haar SUPERBIKE"), clr::Blue, false, Margin, 0.5, 1, t);
    DrawText(QStringLiteral("over de cirkelvormige baan."), clr::Blue, false, Margin, 1.5, 1, t);
    DrawText(s.WorkText, clr::Blue, false, Margin, 3, 1, t);
    DrawText(QStringLiteral("Wat staat er op de ") + s.FeedbackText + QLatin1Char('?'), clr::Red, false, Margin, 4.5, 1,
             t);
    DrawText(QStringLiteral("(2 decimalen)"), clr::Blue, false, Margin, 6.5, 1, t);

    s.ExpectedReal = RideAnswer(PoseOf(s));
    s.RealTolerance = 0.0049;
    s.AnswerDecimals = 2;
    s.AnswerLine = 8.5;
    s.OpenAnswer(s.FeedbackText + QStringLiteral(" : "), 2,
                 QStringLiteral("|Wat staat er op de ") + s.FeedbackText + QStringLiteral(" ?"));
}

const ThemeDescriptor BicycleTheme{
    .Code = ThemeCode,
    .Title = "Diana op haar superbike",
    .Generator = BicycleCounters,
    .Help = {3, 8},
};

}  // namespace velmora
