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
    // Device pixels per layout pixel of the screen the bitmaps are shown on.
    double PixelRatio = 1;
};

// The window fills the work area; its contents scale by the tighter of the two ratios.
double SessionScale(QSize workArea);
// Scales the design layout (632 x 447 client) by factor and fits it to a client area
// of the given size. Uses Margin and ScaleFactor.
SessionGeometry ComputeSessionGeometry(QSize client, double factor);
// Sets LineHeight, PictureWidth, PictureHeight, RefFontSize and CharWidth for paint boxes
// of this geometry, and sizes the two bitmaps (at the geometry's pixel ratio).
void ApplySessionMetrics(const SessionGeometry& g, Bitmap& textBitmap, Bitmap& pictureBitmap);
// Everything the session needs from a screen of this size, without windows: sets
// ScaleFactor and Margin as the main menu does, then the session metrics and bitmaps.
// For the driver, the tools and the tests. The layout is the same at every pixel ratio.
SessionGeometry UseScreenLayout(QSize screen, Bitmap& textBitmap, Bitmap& pictureBitmap, double pixelRatio = 1);
// The same for an exercise: its bitmaps, and where ContinueButton appears after marking.
SessionGeometry UseScreenLayout(QSize screen, Exercise& exercise, double pixelRatio = 1);
void ApplySessionMetrics(const SessionGeometry& g, Exercise& exercise);
// The level glyph of NivoButton: "NIVEAU" and the level name, at a device pixel ratio.
QImage DrawLevelGlyph(int levelIndex, int fontPixels, double pixelRatio = 1);

}  // namespace velmora
