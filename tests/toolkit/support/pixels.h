#pragma once
// Small pixel queries for drawing tests.
#include "toolkit/canvas.h"

#include <QRect>

namespace velmora::testing {

// Number of pixels in the rectangle that differ from the background colour.
int InkCount(const Bitmap& bitmap, const QRect& area, const QColor& background);
// Bounding box of the pixels that differ from the background colour (null when none).
QRect InkBox(const Bitmap& bitmap, const QColor& background);
// Number of pixels of exactly this colour in the rectangle.
int ColourCount(const Bitmap& bitmap, const QRect& area, const QColor& colour);
// Sets the layout globals to the values of a 1024 x 768 screen.
void UseLayout1024();

}  // namespace velmora::testing
