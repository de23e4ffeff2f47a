#pragma once
// The session window's geometry, computed without widgets so that the window and the
// headless driver size their bitmaps alike.
#include "session/exercise.h"
#include "toolkit/canvas.h"

#include <QImage>
#include <QRect>
#include <QSize>

namespace velmora {

struct SessionGeometry {
    double Factor = 1;  // scale of controls and fonts
    QRect Tekst, Plaatje, KeuzeBox, ScorePanel, NivoBox, StartButton, InvoerPanel, GebruikPanel, ContinueButton,
        StatusBalk;
    int StatusFontPixels = 16;
};

// The window fills the work area; its contents scale by the tighter of the two ratios.
double SessionScale(QSize workArea);
// Scales the design layout (632 x 447 client) by factor and fits it to a client area
// of the given size. Uses Margin and ScaleFactor.
SessionGeometry ComputeSessionGeometry(QSize client, double factor);
// Sets LineHeight, PictureWidth, PictureHeight, RefFontSize and CharWidth for paint boxes
// of this geometry, and sizes the two bitmaps.
void ApplySessionMetrics(const SessionGeometry& g, Bitmap& textBitmap, Bitmap& pictureBitmap);
// Everything the session needs from a screen of this size, without windows: sets
// ScaleFactor and Margin as the main menu does, then the session metrics and bitmaps.
// For the driver, the tools and the tests.
SessionGeometry UseScreenLayout(QSize screen, Bitmap& textBitmap, Bitmap& pictureBitmap);
// The same for an exercise: its bitmaps, and where ContinueButton appears after marking.
SessionGeometry UseScreenLayout(QSize screen, Exercise& exercise);
void ApplySessionMetrics(const SessionGeometry& g, Exercise& exercise);
// The level glyph of NivoButton: "NIVEAU" and the level name.
QImage DrawLevelGlyph(int levelIndex, int fontPixels);

}  // namespace velmora
