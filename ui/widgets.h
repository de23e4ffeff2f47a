#pragma once
// Small helpers shared by the three windows: fonts in pixels, text colours, glyphs.
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPixmap>
#include <QSize>

class QWidget;

namespace velmora {

// Arial at a pixel height (control fonts are given in pixels).
QFont ArialPx(int pixels, bool bold = false, bool italic = false);
// Text colour of a label, button or memo while it is enabled (disabled controls look
// disabled); base, when valid, is the background of a memo.
void SetTextColour(QWidget* widget, const QColor& colour, const QColor& base = QColor());
// A named bitmap scaled to the given width, keeping its shape; null when it is missing.
// At a device pixel ratio above 1 it is rendered with that much more detail and carries the
// ratio, so its layout size (deviceIndependentSize) stays the same.
QPixmap FittedGlyph(const QString& name, int width, double deviceRatio = 1);

// White parts of the logo take the face colour: each channel is the logo's AND the face's.
// size is in layout pixels; the result keeps the logo's device pixel ratio.
QImage MergeWithFace(const QImage& logo, QSize size);

}  // namespace velmora
