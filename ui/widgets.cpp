#include "widgets.h"

#include "platform/resources.h"
#include "toolkit/canvas.h"
#include "toolkit/numbers.h"

#include <QImage>
#include <QWidget>

#include <algorithm>

namespace velmora {

QFont ArialPx(int pixels, bool bold, bool italic)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(std::max(1, pixels));
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

void SetTextColour(QWidget* widget, const QColor& colour, const QColor& base)
{
    QPalette palette = widget->palette();
    // A disabled button or check box keeps the platform's greyed caption, so a pupil can
    // see that it cannot be pressed yet; a read-only memo keeps its text colour.
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::WindowText, colour);
        palette.setColor(group, QPalette::ButtonText, colour);
        palette.setColor(group, QPalette::Text, colour);
    }
    palette.setColor(QPalette::Disabled, QPalette::Text, colour);
    if (base.isValid()) {
        palette.setColor(QPalette::Base, base);
        palette.setColor(QPalette::Disabled, QPalette::Base, base);
    }
    widget->setPalette(palette);
}

QPixmap FittedGlyph(const QString& name, int width, double deviceRatio)
{
    const QImage source = LoadNamedBitmap(name);
    if (source.isNull() || width <= 0)
        return {};
    const int height = Round(static_cast<double>(width) * source.height() / source.width());
    if (deviceRatio == 1)
        return QPixmap::fromImage(
            source.scaled(width, std::max(1, height), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    const QSize device = (QSizeF(width, std::max(1, height)) * deviceRatio).toSize();
    QPixmap glyph = QPixmap::fromImage(
        LoadNamedBitmapScaled(name, deviceRatio).scaled(device, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    glyph.setDevicePixelRatio(deviceRatio);
    return glyph;
}

// White parts of the logo take the face colour: each channel is the logo's AND the face's.
// size is in layout pixels; the result keeps the logo's device pixel ratio.
QImage MergeWithFace(const QImage& logo, QSize size)
{
    const qreal ratio = logo.isNull() ? 1.0 : logo.devicePixelRatio();
    if (ratio != 1)
        size = (QSizeF(size) * ratio).toSize();
    QImage out(size, QImage::Format_RGB32);
    out.setDevicePixelRatio(ratio);
    out.fill(clr::BtnFace);
    if (logo.isNull() || size.isEmpty())
        return out;
    const QImage scaled =
        logo.size() == size
            ? logo.convertToFormat(QImage::Format_RGB32)
            : logo.convertToFormat(QImage::Format_RGB32).scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QRgb face = clr::BtnFace.rgb();
    for (int y = 0; y < out.height(); ++y) {
        const auto* src = reinterpret_cast<const QRgb*>(scaled.constScanLine(y));
        auto* dst = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            dst[x] = (src[x] & face) | 0xff000000u;
    }
    return out;
}

}  // namespace velmora
