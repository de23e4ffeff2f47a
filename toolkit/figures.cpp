#include "figures.h"

#include "layout.h"
#include "numbers.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace velmora {

namespace {

void SetPen(Bitmap& bitmap, const QColor& colour, int width)
{
    bitmap.Pen.Color = colour;
    bitmap.Pen.Width = width;
    bitmap.Pen.Clear = false;
}

QPoint RoundPoint(double x, double y)
{
    return QPoint(Round(x), Round(y));
}

void Segment(Bitmap& bitmap, double x1, double y1, double x2, double y2)
{
    bitmap.MoveTo(Round(x1), Round(y1));
    bitmap.LineTo(Round(x2), Round(y2));
}

void FilledPolygon(Bitmap& bitmap, const QColor& colour, const std::vector<QPoint>& points)
{
    SetPen(bitmap, colour, 1);
    bitmap.Brush.Color = colour;
    bitmap.Brush.Clear = false;
    bitmap.Polygon(points);
}

void DrawCentred(Bitmap& bitmap, const QString& text, int cx, int y)
{
    bitmap.TextOut(cx - bitmap.TextWidth(text) / 2, y, text);
}

}  // namespace

void DrawLinePct(Bitmap& bitmap, const QColor& colour, double x1, double y1, double x2, double y2, double width)
{
    SetPen(bitmap, colour, Round(width * ScaleFactor));
    const double w = bitmap.Width() * 0.01;
    const double h = bitmap.Height() * 0.01;
    Segment(bitmap, x1 * w, y1 * h, x2 * w, y2 * h);
}

void DrawDashedLinePct(Bitmap& bitmap, const QColor& colour, double x1, double y1, double x2, double y2, double width)
{
    double X1 = x1 * 0.01 * bitmap.Width(), X2 = x2 * 0.01 * bitmap.Width();
    double Y1 = y1 * 0.01 * bitmap.Height(), Y2 = y2 * 0.01 * bitmap.Height();
    if (X2 < X1) {
        std::swap(X1, X2);
        std::swap(Y1, Y2);
    }
    const bool vertical = X1 == X2;
    if (vertical && Y1 > Y2)
        std::swap(Y1, Y2);
    SetPen(bitmap, colour, Round(width * ScaleFactor));
    const double dash = 2 * width * ScaleFactor;
    const double m = vertical ? 0 : (Y2 - Y1) / (X2 - X1);
    double dx = vertical ? 0 : dash;
    double dy = vertical ? dash : 0;
    double ox = 0, oy = 0;
    std::vector<std::pair<QPoint, QPoint>> dashes;
    for (int n = 0; n <= 10000; ++n) {
        if (!vertical && X1 + ox + dx > X2)
            dx = X2 - X1 - ox;
        if (vertical && Y1 + oy + dy > Y2)
            dy = Y2 - Y1 - oy;
        dashes.emplace_back(RoundPoint(X1 + ox, Y1 + ox * m + oy),
                            RoundPoint(X1 + ox + dx, Y1 + (ox + dx) * m + oy + dy));
        ox += 2.5 * dx;
        oy += 2.5 * dy;
        if (vertical ? Y1 + oy >= Y2 : X1 + ox >= X2)
            break;
        if (dx <= 0 && dy <= 0)  // a zero-width pen would never advance
            break;
    }
    bitmap.Segments(dashes);
}

void DrawLineLines(const QColor& colour, Bitmap& target, double x1, double line1, double x2, double line2, double width)
{
    SetPen(target, colour, Round(width * ScaleFactor));
    Segment(target, x1 * 0.01 * PictureWidth, line1 * LineHeight, x2 * 0.01 * PictureWidth, line2 * LineHeight);
}

void DrawDot(int x, int y, QChar letter, Bitmap& bitmap, const QColor& colour)
{
    bitmap.Brush.Clear = false;
    bitmap.Brush.Color = colour;
    SetPen(bitmap, colour, 1);
    const bool plain = letter == QLatin1Char('.');
    const QString text(letter);
    const int r =
        plain ? Round(4 * ScaleFactor) : Round(0.5 * std::max(bitmap.TextHeight(text), bitmap.TextWidth(text)));
    bitmap.Ellipse(x - r, y - r, x + r, y + r);
    bitmap.Brush.Clear = true;
    if (!plain) {
        bitmap.Font.Color = clr::Black;
        bitmap.TextOut(x - Round(0.5 * bitmap.TextWidth(text)), y - Round(0.5 * bitmap.TextHeight(text)), text);
    }
}

void DrawLabelBox(const QString& text1, const QString& text2, const QString& text3, const Rect& rect, int penWidth,
                  const QColor& penColour, Bitmap& bitmap, const QColor& brushColour, double size,
                  const QColor& fontColour, int mode)
{
    bitmap.Font.Size = Round(MenuStatusFontSize * size);
    bitmap.Font.Bold = false;
    bitmap.Font.Italic = false;
    SetPen(bitmap, penColour, Round(ScaleFactor * penWidth));
    bitmap.Brush.Color = brushColour;
    bitmap.Brush.Clear = false;
    const int h = Round(0.9 * bitmap.TextHeight(text1 + text2 + text3));
    bitmap.Font.Color = fontColour;
    bitmap.Rectangle(rect.Left, rect.Top, rect.Right, rect.Bottom);
    const int y0 = Round(rect.Top + (rect.Bottom - rect.Top) * 0.5 - 1.5 * h);
    const QString gap = QStringLiteral("  ");
    const int wmax =
        std::max({bitmap.TextWidth(text1 + gap), bitmap.TextWidth(text2 + gap), bitmap.TextWidth(text3 + gap)});
    bitmap.Brush.Clear = true;
    int cx = (rect.Left + rect.Right) / 2;
    const bool narrow = rect.Right - rect.Left < wmax;
    if (narrow && mode == 1)
        cx = rect.Right + wmax - bitmap.TextWidth(gap);
    if (narrow && mode == 2) {
        QString second = text2;
        QString third = text3;
        if (second.endsWith(QLatin1Char('-'))) {
            second.chop(1);
            second += third;
            third.clear();
        }
        DrawCentred(bitmap, text1 + QLatin1Char(' ') + second + QLatin1Char(' ') + third, cx, rect.Bottom + penWidth);
        return;
    }
    DrawCentred(bitmap, text1, cx, y0);
    DrawCentred(bitmap, text2, cx, Round(y0 + h));
    DrawCentred(bitmap, text3, cx, Round(y0 + 2.0 * h));
}

void DrawArrowDown(const Rect& rect, Bitmap& bitmap, const QColor& colour)
{
    const int L = rect.Left, T = rect.Top, R = rect.Right, B = rect.Bottom;
    const int e = (R - L) / 3, f = (B - T) / 4;
    FilledPolygon(bitmap, colour,
                  {{L + e, T},
                   {R - e, T},
                   {R - e, B - f},
                   {R, B - f},
                   {L + (R - L) / 2, B},
                   {L, T + 3 * (B - T) / 4},
                   {L + e, B - f}});
}

void DrawArrowUp(const Rect& rect, Bitmap& bitmap, const QColor& colour)
{
    const int L = rect.Left, T = rect.Top, R = rect.Right, B = rect.Bottom;
    const int e = (R - L) / 3, f = (B - T) / 4;
    FilledPolygon(
        bitmap, colour,
        {{L + e, B}, {R - e, B}, {R - e, T + f}, {R, T + f}, {L + (R - L) / 2, T}, {L, T + f}, {L + e, T + f}});
}

void DrawArrowLine(Bitmap& bitmap, const QColor& colour, double x1, double y1, double x2, double y2, double width)
{
    const int penWidth = Round(width * ScaleFactor);
    const double s = std::max(1, 5 * penWidth);
    if (x1 == x2) {
        if (y1 <= y2)
            DrawArrowDown({Round(x1 - 0.5 * s), Round(y1), Round(x1 + 0.5 * s), Round(y2)}, bitmap, colour);
        else
            DrawArrowUp({Round(x1 - 0.5 * s), Round(y2), Round(x1 + 0.5 * s), Round(y1)}, bitmap, colour);
        return;
    }
    SetPen(bitmap, colour, penWidth);
    bitmap.Brush.Color = colour;
    bitmap.Brush.Clear = false;
    const double len = std::hypot(x2 - x1, y2 - y1);
    const double a = std::max(1.0, len - s);
    double t = std::atan((y2 - y1) / (x2 - x1));
    if (x2 < x1)
        t += M_PI;
    const double c = std::cos(t), sn = std::sin(t);
    Segment(bitmap, x1, y1, x1 + c * (len - s), y1 + sn * (len - s));
    FilledPolygon(bitmap, colour,
                  {{Round(x1 + c * len), Round(y1 + sn * len)},
                   {Round(x1 + c * a - sn * s), Round(y1 + sn * a + c * s)},
                   {Round(x1 + c * a + sn * s), Round(y1 + sn * a - c * s)}});
}

}  // namespace velmora
