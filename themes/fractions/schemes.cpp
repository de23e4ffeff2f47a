// Themes 6, 20 and 22: household waste processed in up to four stages, drawn as a scheme of
// coloured boxes; the pupil works out the kilograms in one box.
#include "schemes.h"

#include "session/exercise.h"
#include "toolkit/figures.h"
#include "toolkit/fraction.h"
#include "toolkit/layout.h"
#include "toolkit/text.h"

#include <array>

namespace velmora {

namespace {

constexpr int FractionCode = 6;
constexpr int CompostCode = 22;

// The two boxes of every stage: step 2k - 1 goes on (left), step 2k leaves (right).
struct Box {
    const char* Line1;
    const char* Line2;
    const char* Name;
};

constexpr Box Boxes[2 * schemes::StageCount] = {
    {"eerste", "sortering", "eerste sortering"},
    {"grof", "vuil", "grof vuil"},
    {"nieuwe", "rest", "nieuwe rest"},
    {"broei-", "verlies", "broeiverlies"},
    {"mest", " ", "mest"},
    {"fijne", "stort", "fijne stort"},
    {"tuin-", "mest", "tuinmest"},
    {"edel-", "mest", "edelmest"},
};

QColor BoxFill(int step)
{
    static const QColor fills[2 * schemes::StageCount] = {clr::Fuchsia, clr::Purple, clr::Lime, clr::Green,
                                                          clr::Yellow,  clr::Olive,  clr::Aqua, clr::Teal};
    return fills[step - 1];
}

int StagesOf(int step)
{
    return (step + 1) / 2;
}

Fraction Ratio(int p, int q)
{
    return FracDiv(IntToFraction(p), IntToFraction(q));
}

struct Shares {
    std::array<int, schemes::StageCount> Num{};
    std::array<int, schemes::StageCount> Den{};
    Fraction Share(int stage) const { return Ratio(Num[stage - 1], Den[stage - 1]); }
};

Shares SharesOf(const std::array<int, 13>& param)
{
    Shares shares;
    for (int k = 0; k < schemes::StageCount; ++k) {
        shares.Den[k] = param[schemes::Den1 + k];
        shares.Num[k] = param[schemes::Num1 + k];
    }
    return shares;
}

// Two steps in a row of any of the three themes are never the same.
int DrawStep(Exercise& s)
{
    int& previous = s.ThemeCycle[schemes::PreviousStepCounter];
    const int level = s.CurrentLevel();
    int step = 0;
    do {
        if (level == 1)
            step = s.ThemeCode == FractionCode ? 1 + s.Random(3) : 2 + s.Random(3);
        else if (level == 2)
            step = 3 + s.Random(4);
        else
            step = 5 + s.Random(4);
    } while (step == previous);
    previous = step;
    return step;
}

// Every share is at least one half and below one.
Shares DrawFractionShares(Exercise& s)
{
    const int level = s.CurrentLevel();
    const int ranges[schemes::StageCount] = {9, level + 8, 2 * level + 7, 3 * level + 6};
    Shares shares;
    for (int k = 0; k < schemes::StageCount; ++k)
        shares.Den[k] = 2 + s.Random(ranges[k]);
    for (int k = 0; k < schemes::StageCount; ++k) {
        const int b = shares.Den[k];
        do {
            shares.Num[k] = 1 + s.Random(b - 1);
        } while (2 * shares.Num[k] < b);
    }
    return shares;
}

Shares DrawPercentShares(Exercise& s)
{
    Shares shares;
    shares.Den.fill(100);
    if (s.ThemeCode == CompostCode) {
        for (int& a : shares.Num)
            a = 50 + s.Random(40);
        return shares;
    }
    shares.Num[0] = 50 + 5 * s.Random(10);
    shares.Num[1] = 50 + 5 * s.Random(10);
    shares.Num[2] = 50 + 2 * s.Random(25);
    shares.Num[3] = 50 + s.Random(50);
    return shares;
}

// The kilograms in the box of a step: A x P(k) on the left, A x P(k-1) x (1 - f(k)) on the right.
Fraction Amount(int waste, const Shares& shares, int step)
{
    if (step < 1 || step > 2 * schemes::StageCount)
        return Fraction{1, 0, 0, 0};
    const int stage = StagesOf(step);
    Fraction before = IntToFraction(waste);
    for (int k = 1; k < stage; ++k)
        before = FracMul(before, shares.Share(k));
    const Fraction share = shares.Share(stage);
    return FracMul(before, step % 2 == 1 ? share : FracSub(IntToFraction(1), share));
}

Rect PctRect(double x1, double y1, double x2, double y2)
{
    return Rect{PctX(x1), PctY(y1), PctX(x2), PctY(y2)};
}

// One stage: the two boxes, the share that goes on, the "+" between them and the two arrows.
// before and after are the running products P(k-1) and P(k).
void DrawStage(Exercise& s, const Shares& shares, int stage, double before, double after, int h)
{
    Bitmap& b = s.PictureBitmap;
    const double y0 = 25 + 20 * (stage - 1);
    const int leftStep = 2 * stage - 1, rightStep = 2 * stage;
    const Box& left = Boxes[leftStep - 1];
    const Box& right = Boxes[rightStep - 1];
    const QString kg = QStringLiteral(".. kg");
    DrawLabelBox(kg, QString::fromUtf8(left.Line1), QString::fromUtf8(left.Line2),
                 PctRect(10, y0, 10 + 70 * after, y0 + 10), 2, clr::Black, b, BoxFill(leftStep), 0.5, clr::Black, 2);
    const double rightEnd = stage == 1 ? 95 : 20 + 70 * before;
    DrawLabelBox(kg, QString::fromUtf8(right.Line1), QString::fromUtf8(right.Line2),
                 PctRect(20 + 70 * after, y0, rightEnd, y0 + 10), 2, clr::Black, b, BoxFill(rightStep), 0.5, clr::Black,
                 stage == 1 ? 2 : 1);

    DrawText(QString(), clr::Red, false, Margin, 0, 1, b);  // the size-1 font DrawFraction measures with
    const int labelY = PctY(y0 - 5) - h;
    const double labelLine = labelY / double(LineHeight);
    if (s.ThemeCode == FractionCode) {
        // DrawFraction leaves TextEndX alone: the label goes where the fraction ends.
        const int x = DrawFraction(shares.Share(stage), b, Margin, labelY, clr::Red);
        DrawText(QStringLiteral(" deel"), clr::Red, false, x, labelLine, 1, b);
    } else {
        DrawText(QString::number(shares.Num[stage - 1]) + QStringLiteral(" %"), clr::Red, false, Margin, labelLine, 1,
                 b);
    }
    DrawText(QStringLiteral("+"), clr::Red, false, PctX(14 + 70 * after), (PctY(y0 + 5) - h) / double(LineHeight), 1,
             b);

    DrawArrowDown(PctRect(12, y0 - 9.5, 17, y0 - 0.5), b, clr::Red);
    const double share = double(shares.Num[stage - 1]) / shares.Den[stage - 1];
    if (stage == 1)
        DrawArrowLine(b, clr::Red, PctX(47.5), PctY(15.5), PctX(57.5 + 35 * after), PctY(22.5), 1.5);
    else
        DrawArrowLine(b, clr::Red, PctX(10 + 35 * before), PctY(y0 - 9.5),
                      PctX(20 + 70 * after + 30 * before * (1 - share)), PctY(y0 - 2.5), 1.5);
}

void DrawPicture(Exercise& s)
{
    Bitmap& b = s.PictureBitmap;
    const Shares shares = SharesOf(s.Param);
    b.Pen = PenState{clr::Black, Round(2 * ScaleFactor), false};
    DrawText(QString(), clr::Black, false, 0, 0, 1, b);
    const int h = b.TextHeight(QStringLiteral("ablp")) / 2;

    b.Brush = BrushState{clr::Gray, false};
    b.Rectangle(PctX(10), PctY(5), PctX(85), PctY(15));
    DrawText(QString::number(s.Param[schemes::Waste]) + QStringLiteral(" kg huisvuil wordt verwerkt"), clr::Black,
             false, PctX(12), (PctY(10) - h) / double(LineHeight), 1, b);

    double before = 1;
    for (int stage = 1; stage <= StagesOf(s.Param[schemes::Step]); ++stage) {
        const double after = before * shares.Num[stage - 1] / shares.Den[stage - 1];
        DrawStage(s, shares, stage, before, after, h);
        before = after;
    }
}

void DrawQuestion(Exercise& s)
{
    Bitmap& t = s.TextBitmap;
    const int step = s.Param[schemes::Step];
    const QString waste = QString::number(s.Param[schemes::Waste]);
    DrawText(QStringLiteral("Bij een vuilnisverwerkings-"), clr::Blue, false, Margin, 1, 1, t);
    DrawText(QStringLiteral("bedrijf wordt ") + waste + QStringLiteral(" kg huis-"), clr::Blue, false, Margin, 2, 1, t);
    DrawText(QStringLiteral("vuil in ") + QString::number(StagesOf(step)) + s.WorkText + QStringLiteral(" verwerkt."),
             clr::Blue, false, Margin, 3, 1, t);
    DrawText(QStringLiteral("Zie het schema."), clr::Black, false, Margin, 4, 1, t);
    DrawText(QStringLiteral("Gevraagd:"), clr::Red, false, Margin, 5.85, 1, t);
    // A sample of the asked box's colour, so the pupil finds it in the scheme.
    t.Pen = PenState{clr::Black, Round(2 * ScaleFactor), false};
    t.Brush = BrushState{BoxFill(step), false};
    t.Rectangle(TextEndX + Margin, Round(5.5 * LineHeight), t.Width() - Margin, Round(7.25 * LineHeight));
    DrawText(QStringLiteral("Hoeveel kg ") + s.FeedbackText, clr::Red, false, Margin, 7.5, 1, t);
    DrawText(QStringLiteral("is er in dit schema ?"), clr::Red, false, Margin, 8.5, 1, t);
    if (s.ThemeCode == CompostCode)
        DrawText(QStringLiteral("(afronden op 2 decimalen)"), clr::Blue, false, Margin, 9.5, 1, t);
}

}  // namespace

Fraction SchemeAmount(const std::array<int, 13>& param)
{
    return Amount(param[schemes::Waste], SharesOf(param), param[schemes::Step]);
}

QString SchemeBoxName(int step)
{
    if (step < 1 || step > 2 * schemes::StageCount)
        return QString();
    return QString::fromUtf8(Boxes[step - 1].Name);
}

void PoseScheme(Exercise& s)
{
    int& counter = s.ThemeMemory[s.ThemeCode];
    counter = ((counter + 1) % 9 + 9) % 9;
    const int step = DrawStep(s);

    // Themes 6 and 20 make A a multiple of the denominators of the drawn stages, so every
    // box holds whole kilograms.
    Shares shares;
    long long waste = 0;
    do {
        shares = s.ThemeCode == FractionCode ? DrawFractionShares(s) : DrawPercentShares(s);
        if (s.ThemeCode == CompostCode) {
            waste = 5000 + 100 * s.Random(40);
        } else {
            waste = 1 + s.Random(25);
            for (int k = 1; k <= StagesOf(step); ++k)
                waste *= shares.Share(k).Den;
        }
    } while (waste >= 1000000);
    while (waste < 500)
        waste *= 10;

    s.Param[schemes::Waste] = static_cast<int>(waste);
    for (int k = 0; k < schemes::StageCount; ++k) {
        s.Param[schemes::Den1 + k] = shares.Den[k];
        s.Param[schemes::Num1 + k] = shares.Num[k];
    }
    s.Param[schemes::Step] = step;
    s.FeedbackText = SchemeBoxName(step);
    s.WorkText = step < 3 ? QStringLiteral(" stap") : QStringLiteral(" stappen");
    s.ExpectedReal = FractionToReal(SchemeAmount(s.Param));
    s.ExpectedInt = Round(s.ExpectedReal);
}

void ProcessingScheme(Exercise& s)
{
    s.IntTolerance = 0;
    if (s.Attempt == 0) {
        PoseScheme(s);
        DrawPicture(s);
    }
    DrawQuestion(s);

    const bool compost = s.ThemeCode == CompostCode;
    if (compost) {
        s.RealTolerance = 0.0049;
        s.AnswerDecimals = 2;
    }
    s.AnswerLine = 11;
    s.AnswerUnit = QStringLiteral(" kg");
    s.OpenAnswer(QStringLiteral("Aantal kg: "), compost ? 2 : 1,
                 QStringLiteral("|") + s.FeedbackText + QStringLiteral(" = ? kg"));
}

const ThemeDescriptor WasteFractionTheme{
    .Code = 6,
    .Title = "Huisvuil verwerken. Hoeveel kg ?",
    .Generator = ProcessingScheme,
    .Use = Advice::PenAndPaper,
    .Help = {1, 6},
    .Cycle = {schemes::PreviousStepCounter, 1, 0},
};

const ThemeDescriptor WastePercentTheme{
    .Code = 20,
    .Title = "Huisvuil verwerken. Hoeveel kg ?",
    .Generator = ProcessingScheme,
    .Help = {2, 10},
    .Cycle = {schemes::PreviousStepCounter, 1, 0},
};

const ThemeDescriptor CompostTheme{
    .Code = 22,
    .Title = "Compost maken. Hoeveel % ?",
    .Generator = ProcessingScheme,
    .Help = {2, 10},
    .Cycle = {schemes::PreviousStepCounter, 1, 0},
};

}  // namespace velmora
