#include "text.h"

#include "layout.h"
#include "numbers.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace velmora {

namespace {

void SetTextFont(Bitmap& target, double size, const QColor& colour, bool bold)
{
    target.Font.Size = Round(RefFontSize * size);
    target.Font.Color = colour;
    target.Font.Bold = bold;
    target.Font.Italic = false;
}

double ResolveX(double x, int width, const Bitmap& target, const QString& measured)
{
    if (x == -1)
        return std::max(0.0, (target.Width() - width) * 0.5);
    if (x == -2)
        return std::max(0, target.Width() - width - Margin);
    (void)measured;
    return x;
}

void DrawStackedAt(const QString& num, const QString& den, Bitmap& canvas, int x, int y, int w, int h,
                   const QColor& colour)
{
    canvas.Pen.Color = colour;
    canvas.Pen.Width = 1;
    canvas.Pen.Clear = false;
    canvas.MoveTo(x, y + Round(0.6 * h));
    canvas.LineTo(x + w, y + Round(0.6 * h));
    canvas.TextOut(x + Round((w - canvas.TextWidth(num)) * 0.5), y - Round(0.5 * h), num);
    canvas.TextOut(x + Round((w - canvas.TextWidth(den)) * 0.5), y + Round(0.75 * h), den);
}

}  // namespace

void DrawText(const QString& text, const QColor& colour, bool bold, double x, double line, double size, Bitmap& target)
{
    SetTextFont(target, size, colour, bold);
    const int width = target.TextWidth(text);
    x = ResolveX(x, width, target, text);
    target.TextOut(Round(x), Round(line * LineHeight), text);
    TextEndX = Round(x + width);
}

void DrawEuroText(const QString& text, const QColor& colour, bool bold, double x, double line, double size,
                  Bitmap& target)
{
    target.Font.Size = Round(RefFontSize * size * 1.2);
    const int d = std::abs(LineHeight - target.TextHeight(QStringLiteral("C"))) / 2;
    target.Font.Color = colour;
    target.Font.Bold = bold;
    target.Font.Italic = false;
    const double w0 = bold ? 2.0 : 1.5;
    target.TextOut(Round(x), Round(line * LineHeight - d), QStringLiteral("C"));
    target.Pen.Width = Round(w0 * ScaleFactor);
    target.Pen.Color = colour;
    target.Pen.Clear = false;
    const int p = target.Pen.Width;
    const int cWidth = target.TextWidth(QStringLiteral("C"));
    const auto bar = [&](int dy) {
        const int y = Round((line + 0.5) * LineHeight + dy);
        return std::pair(QPoint(Round(x), y), QPoint(Round(0.6 * cWidth + x), y));
    };
    target.Segments({bar(-p), bar(p)});
    x += cWidth;
    target.Font.Size = Round(RefFontSize * size);
    target.TextOut(Round(x), Round(line * LineHeight), text);
    TextEndX = Round(x + target.TextWidth(text));
}

void DrawApproxText(const QString& text, const QColor& colour, Bitmap& target, double x, double line, double size)
{
    const int y = Round(line * LineHeight);
    SetTextFont(target, size, colour, false);
    const int h = target.TextHeight(QStringLiteral("="));
    const QString whole = QStringLiteral(" = ") + text;
    const int wholeWidth = target.TextWidth(whole);
    x = ResolveX(x, wholeWidth, target, whole);
    target.TextOut(Round(x), Round(y - 0.125 * h), QStringLiteral(" ~"));
    target.TextOut(Round(x), Round(y + 0.125 * h), QStringLiteral(" ~"));
    target.TextOut(Round(x) + target.TextWidth(QStringLiteral(" = ")), y, text);
    TextEndX += wholeWidth;
}

int DrawFraction(const Fraction& f, Bitmap& canvas, int x, int y, const QColor& colour)
{
    const QString whole = QString::number(f.Whole);
    const QString num = QString::number(f.Num);
    const QString den = QString::number(f.Den);
    canvas.Font.Color = colour;
    const int h = canvas.TextHeight(whole);
    if (f.Den == 0) {
        canvas.TextOut(x, y, QStringLiteral("Error /0"));
        return x;
    }
    if (f.Sign < 0) {
        canvas.TextOut(x, y, QStringLiteral("-"));
        x += 2 * canvas.TextWidth(QStringLiteral("-"));
    }
    if (f.Whole != 0) {
        canvas.TextOut(x, y, whole);
        x += Round(1.25 * canvas.TextWidth(whole));
    }
    if (f.Num != 0) {
        const int w = std::max(canvas.TextWidth(num), canvas.TextWidth(den));
        DrawStackedAt(num, den, canvas, x, y, w, h, colour);
        x += w;
    } else if (f.Whole == 0) {
        canvas.TextOut(x, y, QStringLiteral("0"));
        x += canvas.TextWidth(QStringLiteral("0"));
    }
    return x;
}

int DrawFractionText(const QString& num, const QString& den, Bitmap& canvas, int x, int y, const QColor& colour)
{
    canvas.Font.Color = colour;
    const int h = canvas.TextHeight(num + den);
    const int w = std::max(canvas.TextWidth(num), canvas.TextWidth(den));
    DrawStackedAt(num, den, canvas, x, y, w, h, colour);
    return x + w;
}

void DrawFractionPower(int& x, int& y, const QString& num, const QString& den, const QString& exponent, Bitmap& canvas,
                       const QColor& colour)
{
    canvas.Pen.Color = colour;
    canvas.Pen.Clear = false;
    canvas.Font.Color = colour;
    const int h = canvas.TextHeight(den);
    const int n = canvas.TextWidth(QStringLiteral("n"));
    const int t = n / 3;
    const int w = std::max(canvas.TextWidth(num), canvas.TextWidth(den));
    canvas.Arc(x + t, y - h / 2, x + t + 3 * n, y + 2 * h, x + n, y - h / 2, x + n, y + 2 * h);
    canvas.Arc(x + w, y - h / 2, x + w + 3 * n - t, y + 2 * h, x + w + 2 * n, y + 2 * h, x + w + 2 * n, y - h / 2);
    DrawFractionText(num, den, canvas, x + w / 2, y, colour);
    x += 2 * n + w;
    canvas.TextOut(x + t, y - h, exponent);
    x += n;
}

void DrawTimesTerm(int& x, const QString& num, const QString& den, double y, const QString& unit, Bitmap& canvas,
                   const QColor& colour)
{
    canvas.Pen.Color = colour;
    canvas.Font.Color = colour;
    const int yp = Round(y);
    if (den == QLatin1String("1")) {
        canvas.TextOut(x, yp, num);
        x += canvas.TextWidth(num);
    } else {
        x = DrawFractionText(num, den, canvas, x, yp, colour);
    }
    const QString tail = QStringLiteral(" * ") + unit;
    canvas.TextOut(x, yp, tail);
    x += canvas.TextWidth(tail);
}

int PctX(double p)
{
    return Round(p * 0.01 * PictureWidth);
}

int PctY(double p)
{
    return Round(p * 0.01 * PictureHeight);
}

void FillBitmap(Bitmap& bitmap, const QColor& colour)
{
    bitmap.Brush.Color = colour;
    bitmap.Brush.Clear = false;
    bitmap.FillRect(0, 0, bitmap.Width(), bitmap.Height());
}

void ClearLines(Bitmap& bitmap, double line1, double line2)
{
    bitmap.Pen.Color = clr::BtnFace;
    bitmap.Brush.Color = clr::BtnFace;
    bitmap.Brush.Clear = false;
    bitmap.FillRect(1, Round(line1 * LineHeight) + 1, bitmap.Width() - 1,
                    std::min(bitmap.Height() - 1, Round(line2 * LineHeight) + 1));
}

void DrawFrame(Bitmap& bitmap, const QColor& colour)
{
    const PenState saved = bitmap.Pen;
    bitmap.Pen.Color = colour;
    bitmap.Pen.Width = 1;
    bitmap.Pen.Clear = false;
    const int r = bitmap.Width() - 1;
    const int b = bitmap.Height() - 1;
    bitmap.MoveTo(0, 0);
    bitmap.LineTo(r, 0);
    bitmap.LineTo(r, b);
    bitmap.LineTo(0, b);
    bitmap.LineTo(0, 0);
    const QPoint end = bitmap.PenPos();
    bitmap.Pen = saved;
    bitmap.MoveTo(end.x(), end.y());
}

// What counting up one size at a time finds, but every size measured starts a font engine, so
// the count starts where the width, about proportional to the size, says it will end.
int LargestFittingSize(Bitmap& bitmap, const QString& text, double maxWidth, int from, int most)
{
    const auto fits = [&](int size) {
        bitmap.Font.Size = size;
        return bitmap.TextWidth(text) <= maxWidth;
    };
    if (!fits(from))
        return from - 1;
    const double widthAtFrom = std::max(1, bitmap.TextWidth(text));
    int size = std::clamp(static_cast<int>(from * maxWidth / widthAtFrom), from, most - 1);
    if (fits(size)) {
        while (size + 1 < most && fits(size + 1))
            ++size;
    } else {
        while (size > from && !fits(size))
            --size;
    }
    return size;
}

QString FormatFixed(double value, int decimals)
{
    QString s = QString::number(value, 'f', std::max(0, decimals));
    if (DecSep != QLatin1Char('.'))
        s.replace(QLatin1Char('.'), DecSep);
    return s;
}

}  // namespace velmora
