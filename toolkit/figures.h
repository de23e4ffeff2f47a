#pragma once
// Figure helpers in picture-relative coordinates: percentages of a bitmap, or text lines.
#include "canvas.h"

namespace velmora {

struct Rect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
};

void DrawLinePct(Bitmap& bitmap, const QColor& colour, double x1, double y1, double x2, double y2, double width);
void DrawDashedLinePct(Bitmap& bitmap, const QColor& colour, double x1, double y1, double x2, double y2, double width);
// x in percent of PictureWidth (also on the text bitmap), y in lines.
void DrawLineLines(const QColor& colour, Bitmap& target, double x1, double line1, double x2, double line2,
                   double width);
// A filled circle; letter '.' is a plain dot of radius Round(4 x ScaleFactor).
void DrawDot(int x, int y, QChar letter, Bitmap& bitmap, const QColor& colour);
// mode 1: lines beside a too-narrow box; mode 2: one line under it.
void DrawLabelBox(const QString& text1, const QString& text2, const QString& text3, const Rect& rect, int penWidth,
                  const QColor& penColour, Bitmap& bitmap, const QColor& brushColour, double size,
                  const QColor& fontColour, int mode);
void DrawArrowDown(const Rect& rect, Bitmap& bitmap, const QColor& colour);
void DrawArrowUp(const Rect& rect, Bitmap& bitmap, const QColor& colour);
void DrawArrowLine(Bitmap& bitmap, const QColor& colour, double x1, double y1, double x2, double y2, double width);

}  // namespace velmora
