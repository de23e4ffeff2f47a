#pragma once
// Text, amounts and fractions placed on a line grid; every text routine leaves TextEndX
// just right of what it drew, so a sentence can be continued in another colour.
#include "canvas.h"
#include "fraction.h"

namespace velmora {

// x: pixels, or -1 centred, -2 right-aligned Margin from the right edge.
// line: in units of LineHeight; size: factor on RefFontSize.
void DrawText(const QString& text, const QColor& colour, bool bold, double x, double line, double size, Bitmap& target);
void DrawEuroText(const QString& text, const QColor& colour, bool bold, double x, double line, double size,
                  Bitmap& target);
void DrawApproxText(const QString& text, const QColor& colour, Bitmap& target, double x, double line, double size);
// Returns the x after the drawn number.
int DrawFraction(const Fraction& f, Bitmap& canvas, int x, int y, const QColor& colour);
int DrawFractionText(const QString& num, const QString& den, Bitmap& canvas, int x, int y, const QColor& colour);
void DrawFractionPower(int& x, int& y, const QString& num, const QString& den, const QString& exponent, Bitmap& canvas,
                       const QColor& colour);
void DrawTimesTerm(int& x, const QString& num, const QString& den, double y, const QString& unit, Bitmap& canvas,
                   const QColor& colour);

// Percentages of the picture bitmap's width and height, rounded once.
int PctX(double p);
int PctY(double p);

void FillBitmap(Bitmap& bitmap, const QColor& colour);
// Clears the band between two lines to the face colour, keeping the 1-pixel border.
void ClearLines(Bitmap& bitmap, double line1, double line2);
void DrawFrame(Bitmap& bitmap, const QColor& colour);

// The largest font size from `from` up (and below `most`) at which the text is at most maxWidth
// wide in the bitmap's font (its size changed while measuring); from - 1 when not even `from` fits.
int LargestFittingSize(Bitmap& bitmap, const QString& text, double maxWidth, int from, int most);

// Fixed-point formatting with the pupil's decimal separator.
QString FormatFixed(double value, int decimals);

}  // namespace velmora
