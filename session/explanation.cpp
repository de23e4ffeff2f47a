#include "explanation.h"

#include "session.h"
#include "toolkit/layout.h"
#include "toolkit/text.h"

namespace velmora {

void DrawBareAnswer(Session& s, double line)
{
    Bitmap& b = s.TextBitmap;
    switch (s.Field().Kind) {
        case 1:
            DrawText(QString::number(s.ExpectedInt) + s.AnswerUnit, clr::Red, false, Margin, line, 1, b);
            break;
        case 2:
            DrawText(FormatFixed(s.ExpectedReal, s.AnswerDecimals) + s.AnswerUnit, clr::Red, false, Margin, line, 1, b);
            break;
        default:
            DrawText(QString(), clr::Red, false, Margin, line, 1, b);
            TextEndX = DrawFraction(s.ExpectedFraction, b, Margin, Round(line * LineHeight), clr::Red);
            DrawText(s.AnswerUnit, clr::Red, false, TextEndX, line, 1, b);
            break;
    }
}

}  // namespace velmora
