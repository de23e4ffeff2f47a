// Theme 11: a chocolate bar shared by Ellen, Esther and the pupil; the pupil's rest in grams.
#include "bar.h"

#include "session/exercise.h"
#include "toolkit/figures.h"
#include "toolkit/layout.h"
#include "toolkit/text.h"

namespace velmora {

namespace {

const QString Question = QStringLiteral("Hoeveel gram krijg jij ?");

// One share of the bar: a labelled box over its part, 0.8 % of the picture per percent.
void DrawShare(Bitmap& b, const QString& name, double left, double right, const QColor& fill)
{
    DrawLabelBox(QStringLiteral(" "), name, QStringLiteral(" "), Rect{PctX(left), PctY(15), PctX(right), PctY(30)}, 4,
                 clr::Maroon, b, fill, 0.75, clr::Maroon, 2);
}

void DrawPicture(Exercise& s)
{
    Bitmap& b = s.PictureBitmap;
    const int w = s.Param[bar::Weight], e = s.Param[bar::Ellen], st = s.Param[bar::Esther], r = s.Param[bar::Rest];

    b.Pen = PenState{clr::Maroon, Round(4 * ScaleFactor), false};
    b.Brush = BrushState{clr::Maroon, false};
    b.Rectangle(PctX(10), PctY(15), PctX(90), PctY(30));
    DrawText(QStringLiteral("Een chocolade-reep delen"), clr::Maroon, false, -1, 1, 1.75, b);
    DrawShare(b, QStringLiteral("Ellen"), 10, 10 + 0.8 * e, clr::Yellow);
    DrawShare(b, QStringLiteral("Esther"), 90 - 0.8 * st, 90, clr::Aqua);

    DrawText(QStringLiteral("De hele reep weegt %1 gram.").arg(w), clr::Black, false, Margin, 12, 1, b);
    DrawText(QStringLiteral("Ellen krijgt %1 % van de reep.").arg(e), clr::Black, false, Margin, 13.5, 1, b);
    DrawText(QStringLiteral("Esther krijgt %1 % van de reep.").arg(st), clr::Black, false, Margin, 15, 1, b);
    DrawText(QStringLiteral("De rest is voor jou."), clr::Black, false, Margin, 16.5, 1, b);
    DrawText(Question, clr::Red, false, Margin, 18, 1, b);

    // The arrow points at the middle of the pupil's part.
    const double middle = e + r / 2.0;
    DrawArrowUp(Rect{PctX(7.5 + 0.8 * middle), PctY(30.5), PctX(12.5 + 0.8 * middle), PctY(40)}, b, clr::Red);
    const QString mine = QStringLiteral("voor jou");
    DrawText(QString(), clr::Red, false, 0, 0, 1, b);  // the size-1 font to measure with
    DrawText(mine, clr::Red, false, PctX(10 + 0.8 * middle) - b.TextWidth(mine) / 2.0, PctY(40.5) / double(LineHeight),
             1, b);
}

}  // namespace

int BarDecimals(int weight, int rest)
{
    const int hundredths = weight * rest;
    return hundredths % 100 == 0 ? 0 : hundredths % 10 == 0 ? 1 : 2;
}

void PoseBar(Exercise& s)
{
    // Both draws happen at every level; only Durver and up add the odd grams.
    const int level = s.CurrentLevel();
    const int odd = 1 + s.Random(9);
    const int w = (level / 2) * odd + 410 + 10 * s.Random(26);
    const int e = 21 + s.Random(30);
    const int st = 21 + s.Random(25);
    const int r = 100 - e - st;
    s.Param[bar::Weight] = w;
    s.Param[bar::Ellen] = e;
    s.Param[bar::Esther] = st;
    s.Param[bar::Rest] = r;
    s.ExpectedReal = w * r / 100.0;
    s.RealTolerance = 0.0001;
    s.AnswerDecimals = BarDecimals(w, r);
}

void ShareBar(Exercise& s)
{
    if (s.Attempt == 0) {
        PoseBar(s);
        DrawPicture(s);
    }

    Bitmap& t = s.TextBitmap;
    DrawText(QStringLiteral("De hele reep weegt %1 gram.").arg(s.Param[bar::Weight]), clr::Black, false, Margin, 1, 1,
             t);
    DrawText(QStringLiteral("Ellen krijgt %1 %.").arg(s.Param[bar::Ellen]), clr::Black, false, Margin, 2, 1, t);
    DrawText(QStringLiteral("Esther krijgt %1 %.").arg(s.Param[bar::Esther]), clr::Black, false, Margin, 3, 1, t);
    DrawText(QStringLiteral("De rest is voor jou."), clr::Black, false, Margin, 4, 1, t);
    DrawText(Question, clr::Red, false, Margin, 5.5, 1, t);

    s.AnswerLine = 8;
    s.AnswerUnit = QStringLiteral(" gr.");
    s.OpenAnswer(QStringLiteral("jij krijgt: "), 2, QStringLiteral("|") + Question);
}

void ExplainBar(Exercise& s, double line)
{
    Bitmap& t = s.TextBitmap;
    const QString grams = FormatFixed(s.ExpectedReal, s.AnswerDecimals) + QStringLiteral(" gram");
    if (!s.PracticeMode() || s.MixedMode()) {
        DrawText(grams, clr::Red, false, Margin, line, 1, t);
        return;
    }
    const int r = s.Param[bar::Rest];
    DrawText(QStringLiteral("Jij krijgt %1 % van de reep.").arg(r), clr::Blue, false, Margin, line, 1, t);
    DrawText(QStringLiteral("Dat is %1 x ").arg(s.Param[bar::Weight]) + FormatFixed(r / 100.0, 2), clr::Blue, false,
             Margin, line + 1.25, 1, t);
    DrawText(QStringLiteral(" = ") + grams, clr::Red, false, -2, line + 2.5, 1, t);
}

const ThemeDescriptor BarTheme{
    .Code = 11,
    .Title = "Een reep delen met Ellen en Esther",
    .Generator = ShareBar,
    .Explain = ExplainBar,
    .Help = {2, 1},
};

}  // namespace velmora
