// Theme 14: a round pizza with one red slice; the pupil estimates the slice in percent.
#include "pizza.h"

#include "session/exercise.h"
#include "toolkit/layout.h"
#include "toolkit/text.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace velmora {

namespace {

// Halves, quarters and slices near the previous one are too easy to guess.
int DrawSlice(Exercise& s)
{
    int& previous = s.ThemeCycle[pizza::PreviousSliceCounter];
    int p = 0;
    do {
        p = 6 + s.Random(88);
    } while (std::abs(p - 50) < 4 || std::abs(p - previous) < 15 || p % 25 == 0);
    previous = p;
    return p;
}

void DrawPointsTable(Bitmap& b, int level)
{
    DrawText(QStringLiteral("Te verdienen punten:"), clr::Blue, false, Margin, 20, 0.9, b);
    DrawText(QStringLiteral("Je krijgt maar één poging !"), clr::Red, false, -2, 20, 1, b);
    DrawText(QStringLiteral(" precies goed: 8 punten"), clr::Black, false, Margin, 21, 0.9, b);
    const int tolerance = 5 - level;
    for (int d = 1; d <= tolerance; ++d)
        DrawText(QStringLiteral(" %1% ernaast:   %2 punten").arg(d).arg(PizzaPoints(level, 1, d)), clr::Black, false,
                 Margin, 21 + d, 0.9, b);
    DrawText(QStringLiteral("Meer ernaast: "), clr::Black, false, PctX(50), 24, 0.9, b);
    DrawText(QStringLiteral("5 punten eraf !"), clr::Red, false, TextEndX, 24, 0.9, b);
}

void DrawPicture(Exercise& s, int p, int level)
{
    Bitmap& b = s.PictureBitmap;
    // PctX for both axes keeps the pizza round.
    const int c = PctX(50);
    const int r = PctX(25);

    b.Pen = PenState{clr::Red, 1, false};
    b.Brush = BrushState{clr::Red, false};
    b.PieAngles(c - r, c - r, c + r, c + r, 0, p * 3.6);

    // The rest moves out along the middle of its own sector.
    const double d = PctX(4);
    const int dx = Round(-d * std::cos(p * 0.01 * std::numbers::pi));
    const int dy = Round(d * std::sin(p * 0.01 * std::numbers::pi));
    b.Pen = PenState{clr::Maroon, 1, false};
    b.Brush = BrushState{clr::Maroon, false};
    b.PieAngles(c - r + dx, c - r + dy, c + r + dx, c + r + dy, p * 3.6, 360);

    DrawText(QStringLiteral("Pizza raden"), clr::Red, false, -1, 0.25, 1.75, b);
    DrawText(QString(), clr::Black, false, 0, 0, 1, b);

    const QString name = QStringLiteral("Femke");
    if (p > 35)
        DrawText(name, clr::Black, false, PctX(50) - b.TextWidth(name) / 2, PctX(40) / double(LineHeight), 1, b);
    else if (p > 15)
        DrawText(name, clr::Black, false, PctX(70) - b.TextWidth(name), PctX(40) / double(LineHeight), 1, b);
    else
        DrawText(name, clr::Black, false, PctX(75) - b.TextWidth(name + QLatin1Char(' ')),
                 PctX(45) / double(LineHeight), 1, b);

    DrawText(QStringLiteral("Femke krijgt het rood gekleurde deel van de pizza."), clr::Black, false, Margin, 2, 1, b);
    DrawText(QStringLiteral("Hoeveel procent krijgt Femke ?"), clr::Red, false, Margin, 3.5, 1, b);
    DrawPointsTable(b, level);
}

}  // namespace

void PizzaEstimate(Exercise& s)
{
    const int level = s.CurrentLevel();
    if (s.Attempt == 0) {
        const int p = DrawSlice(s);
        s.Param[pizza::Slice] = p;
        s.ExpectedInt = p;
        DrawPicture(s, p, level);
    }
    s.IntTolerance = 5 - level;

    Bitmap& t = s.TextBitmap;
    DrawText(QStringLiteral("Femke krijgt het rood ge-"), clr::Black, false, Margin, 1, 1, t);
    DrawText(QStringLiteral("kleurde deel van de pizza."), clr::Black, false, Margin, 2, 1, t);
    DrawText(QStringLiteral("Hoeveel procent krijgt zij ?"), clr::Red, false, Margin, 3.5, 1, t);

    s.AnswerLine = 6;
    s.AnswerUnit = QStringLiteral(" %");
    s.OpenAnswer(QStringLiteral("Femke krijgt: "), 1, QStringLiteral("|Hoeveel procent krijgt Femke ?"));
}

// One attempt only, so attempt plays no part; the tolerance of the level (5 - level) keeps
// d small enough that these never go below zero.
int PizzaPoints(int level, int attempt, long long d)
{
    (void)attempt;
    return static_cast<int>(std::max(0LL, 8 - (level == 1 ? 2 : 3) * d));
}

const ThemeDescriptor PizzaTheme{
    .Code = 14,
    .Title = "Een stuk pizza voor Femke  (% raden)",
    .Generator = PizzaEstimate,
    .AttemptsAllowed = 1,
    .Use = Advice::PenAndPaper,
    .Estimate = PizzaPoints,
    .EstimatePenalty = 5,
    .Help = {2, 4},
    .Cycle = {pizza::PreviousSliceCounter, 1, 0},
};

}  // namespace velmora
