#include "canvas.h"

#include "numbers.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

namespace velmora {

namespace {

constexpr int DotsPerMeter96 = 3780;  // 96 dpi

// Boxes may be given right-to-left or bottom-to-top (a bar that shrinks from a mark);
// they are drawn as the same box with its corners in order.
void Normalise(int& left, int& top, int& right, int& bottom)
{
    if (right < left)
        std::swap(left, right);
    if (bottom < top)
        std::swap(top, bottom);
}

// A ratio that is not a positive number means no scaling.
double SaneRatio(double ratio)
{
    return std::isfinite(ratio) && ratio > 0 ? ratio : 1.0;
}

// Device pixels that cover a layout length (the last one partly, at a fractional ratio).
int DevicePixels(int layout, double ratio)
{
    return static_cast<int>(std::ceil(layout * ratio - 1e-9));
}

// An opaque picture of the bitmap's own format copied row by row to a device position, cut
// off at the edges: the pixels a painter would give, without starting a painter for each of
// the two copies an animation frame makes.
void CopyRows(QImage& target, const QImage& source, int left, int top)
{
    const int x0 = std::max(0, left), y0 = std::max(0, top);
    const int x1 = std::min(target.width(), left + source.width());
    const int y1 = std::min(target.height(), top + source.height());
    if (x0 >= x1 || y0 >= y1)
        return;
    for (int row = y0; row < y1; ++row)
        std::memcpy(reinterpret_cast<QRgb*>(target.scanLine(row)) + x0,
                    reinterpret_cast<const QRgb*>(source.constScanLine(row - top)) + (x0 - left),
                    static_cast<std::size_t>(x1 - x0) * sizeof(QRgb));
}

QRectF HalfPixelBox(int left, int top, int right, int bottom)
{
    return QRectF(left + 0.5, top + 0.5, right - left - 1, bottom - top - 1);
}

// Qt measures angles on an ellipse parametrically; a radial point must be converted.
double RadialAngleDegrees(int left, int top, int right, int bottom, int x, int y)
{
    const double cx = (left + right) / 2.0;
    const double cy = (top + bottom) / 2.0;
    const double rx = std::max(0.5, (right - left) / 2.0);
    const double ry = std::max(0.5, (bottom - top) / 2.0);
    return std::atan2(-(y - cy) / ry, (x - cx) / rx) * 180.0 / M_PI;
}

int SpanSixteenths(double a1, double a2)
{
    double span = std::fmod(a2 - a1, 360.0);
    if (span <= 0)
        span += 360.0;
    return static_cast<int>(std::lround(span * 16));
}

class Painter : public QPainter {
public:
    Painter(QImage& image, const PenState& pen, const BrushState& brush) : QPainter(&image)
    {
        setRenderHint(QPainter::Antialiasing, false);
        if (pen.Clear) {
            setPen(Qt::NoPen);
        } else {
            QPen p(pen.Color);
            p.setWidth(std::max(1, pen.Width));
            p.setCapStyle(pen.Width <= 1 ? Qt::FlatCap : Qt::RoundCap);
            p.setJoinStyle(Qt::MiterJoin);
            setPen(p);
        }
        if (brush.Clear)
            setBrush(Qt::NoBrush);
        else
            setBrush(QBrush(brush.Color));
    }
};

// A line that leaves out its last pixel.
void DrawSegment(QPainter& p, QPoint from, QPoint to, int penWidth)
{
    if (from == to)
        return;
    if (penWidth > 1) {
        p.drawLine(QPointF(from.x() + 0.5, from.y() + 0.5), QPointF(to.x() + 0.5, to.y() + 0.5));
        return;
    }
    // Qt fills the pixels whose centres lie on the segment; shifting the segment by the
    // direction makes it cover the first pixel and leave out the last, in every direction.
    auto shift = [](int d) { return d > 0 ? 0.0 : (d < 0 ? 1.0 : 0.5); };
    const double sx = shift(to.x() - from.x());
    const double sy = shift(to.y() - from.y());
    p.drawLine(QPointF(from.x() + sx, from.y() + sy), QPointF(to.x() + sx, to.y() + sy));
}

// The pixels a wide segment covers, as offsets from its start. At ratio 1 a segment moved by
// whole pixels covers the same pixels moved, so the dashes of a dashed line need stroking
// once per length (Qt builds a curve for every round end of a wide pen). A 2 px pen's round
// end has pixel centres exactly on its edge, which Qt's rounding puts in or out depending on
// the position; stamped, every dash gets the same end.
std::vector<QPoint> SegmentCover(int penWidth, QPoint delta)
{
    const int margin = penWidth + 1;
    const QPoint start(margin - std::min(0, delta.x()), margin - std::min(0, delta.y()));
    QImage mask(std::abs(delta.x()) + 2 * margin + 1, std::abs(delta.y()) + 2 * margin + 1,
                QImage::Format_ARGB32_Premultiplied);
    mask.fill(Qt::transparent);
    {
        Painter p(mask, PenState{Qt::black, penWidth, false}, BrushState{Qt::black, true});
        DrawSegment(p, start, start + delta, penWidth);
    }
    std::vector<QPoint> cover;
    for (int y = 0; y < mask.height(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(mask.constScanLine(y));
        for (int x = 0; x < mask.width(); ++x)
            if (qAlpha(row[x]) != 0)
                cover.emplace_back(x - start.x(), y - start.y());
    }
    return cover;
}

}  // namespace

QFont MakeFont(const FontState& font)
{
    QFont f(font.Name);
    f.setPixelSize(std::max(1, MulDiv(font.Size, 96, 72)));
    f.setBold(font.Bold);
    f.setItalic(font.Italic);
    return f;
}

Bitmap::MadeFont& Bitmap::CurrentFont() const
{
    constexpr std::size_t MostFonts = 8;
    const auto same = [this](const MadeFont& made) {
        return made.From.Name == Font.Name && made.From.Size == Font.Size && made.From.Bold == Font.Bold &&
               made.From.Italic == Font.Italic;
    };
    const auto found = std::find_if(fonts_.begin(), fonts_.end(), same);
    if (found != fonts_.end())
        return *found;
    if (fonts_.size() == MostFonts)
        fonts_.erase(fonts_.begin());
    return fonts_.emplace_back(MadeFont{Font, MakeFont(Font), {}});
}

Bitmap::Bitmap(int width, int height, double devicePixelRatio)
{
    ratio_ = SaneRatio(devicePixelRatio);
    SetSize(width, height);
}

void Bitmap::SetSize(int width, int height)
{
    width_ = std::max(0, width);
    height_ = std::max(0, height);
    image_ = QImage(DevicePixels(width_, ratio_), DevicePixels(height_, ratio_), QImage::Format_RGB32);
    image_.setDotsPerMeterX(DotsPerMeter96);
    image_.setDotsPerMeterY(DotsPerMeter96);
    image_.setDevicePixelRatio(ratio_);
    image_.fill(Qt::white);
}

void Bitmap::SetDevicePixelRatio(double ratio)
{
    ratio = SaneRatio(ratio);
    if (ratio == ratio_)
        return;
    ratio_ = ratio;
    if (image_.isNull())
        return;
    // The picture so far is resampled without blending, so it keeps its exact colours (code
    // that reads pixels back compares colours) until it is drawn again.
    const QImage old = image_;
    SetSize(width_, height_);
    QPainter p(&image_);
    p.drawImage(QRect(0, 0, width_, height_), old);
}

void Bitmap::Assign(const QImage& image)
{
    const QSizeF layout = image.deviceIndependentSize();
    if (image.isNull() || image.devicePixelRatio() == ratio_) {
        image_ = image.convertToFormat(QImage::Format_RGB32);
        image_.setDotsPerMeterX(DotsPerMeter96);
        image_.setDotsPerMeterY(DotsPerMeter96);
        width_ = static_cast<int>(std::lround(layout.width()));
        height_ = static_cast<int>(std::lround(layout.height()));
        return;
    }
    // Another ratio: the same layout size, resampled to ours without blending colours.
    SetSize(static_cast<int>(std::lround(layout.width())), static_cast<int>(std::lround(layout.height())));
    QPainter p(&image_);
    p.drawImage(QRect(0, 0, width_, height_), image);
}

QColor Bitmap::Pixel(int x, int y) const
{
    if (image_.isNull() || x < 0 || y < 0 || x >= width_ || y >= height_)
        return QColor();
    const int dx = std::min(image_.width() - 1, static_cast<int>((x + 0.5) * ratio_));
    const int dy = std::min(image_.height() - 1, static_cast<int>((y + 0.5) * ratio_));
    return QColor(image_.pixel(dx, dy));
}

QImage Bitmap::Copy(int x, int y, int width, int height) const
{
    if (ratio_ == 1)
        return image_.copy(x, y, width, height);
    const int left = static_cast<int>(std::floor(x * ratio_));
    const int top = static_cast<int>(std::floor(y * ratio_));
    QImage part =
        image_.copy(left, top, DevicePixels(x + width, ratio_) - left, DevicePixels(y + height, ratio_) - top);
    part.setDevicePixelRatio(ratio_);
    return part;
}

void Bitmap::TextOut(int x, int y, const QString& text)
{
    if (image_.isNull() || text.isEmpty())
        return;
    if (TextObserver)
        TextObserver(TextEvent{text, Font.Color, Font.Bold, x, y, Font.Size});
    QPainter p(&image_);
    const QFont& f = CurrentFont().Font;
    p.setFont(f);
    p.setPen(Font.Color);
    p.drawText(x, y + QFontMetrics(f).ascent(), text);
}

int Bitmap::TextWidth(const QString& text) const
{
    constexpr qsizetype MostWidths = 512;  // amounts differ every exercise
    MadeFont& made = CurrentFont();
    if (const auto known = made.Widths.constFind(text); known != made.Widths.cend())
        return *known;
    if (made.Widths.size() == MostWidths)
        made.Widths.clear();
    return made.Widths[text] = QFontMetrics(made.Font).horizontalAdvance(text);
}

int Bitmap::TextHeight(const QString&) const
{
    return QFontMetrics(CurrentFont().Font).height();
}

int Bitmap::Ascent() const
{
    return QFontMetrics(CurrentFont().Font).ascent();
}

void Bitmap::Rectangle(int left, int top, int right, int bottom)
{
    if (image_.isNull())
        return;
    Normalise(left, top, right, bottom);
    if (!Brush.Clear)
        FillRect(left, top, right, bottom);
    if (Pen.Clear || right - left < 1 || bottom - top < 1)
        return;
    BrushState none;
    none.Clear = true;
    Painter p(image_, Pen, none);
    if (right - left == 1 || bottom - top == 1)
        p.fillRect(QRect(left, top, right - left, bottom - top), Pen.Color);
    else
        p.drawRect(HalfPixelBox(left, top, right, bottom));
}

void Bitmap::FillRect(int left, int top, int right, int bottom)
{
    if (image_.isNull() || right <= left || bottom <= top)
        return;
    QPainter p(&image_);
    p.fillRect(QRect(left, top, right - left, bottom - top), Brush.Color);
}

void Bitmap::Ellipse(int left, int top, int right, int bottom)
{
    if (image_.isNull())
        return;
    Normalise(left, top, right, bottom);
    Painter p(image_, Pen, Brush);
    p.drawEllipse(HalfPixelBox(left, top, right, bottom));
}

void Bitmap::Polygon(const std::vector<QPoint>& points)
{
    if (image_.isNull() || points.empty())
        return;
    Painter p(image_, Pen, Brush);
    QPolygonF poly;
    for (const QPoint& pt : points)
        poly << QPointF(pt.x() + 0.5, pt.y() + 0.5);
    p.drawPolygon(poly);
}

void Bitmap::Pie(int left, int top, int right, int bottom, int x3, int y3, int x4, int y4)
{
    PieAngles(left, top, right, bottom, RadialAngleDegrees(left, top, right, bottom, x3, y3),
              RadialAngleDegrees(left, top, right, bottom, x4, y4));
}

void Bitmap::Arc(int left, int top, int right, int bottom, int x3, int y3, int x4, int y4)
{
    ArcAngles(left, top, right, bottom, RadialAngleDegrees(left, top, right, bottom, x3, y3),
              RadialAngleDegrees(left, top, right, bottom, x4, y4));
}

void Bitmap::PieAngles(int left, int top, int right, int bottom, double a1, double a2)
{
    if (image_.isNull())
        return;
    Painter p(image_, Pen, Brush);
    p.drawPie(HalfPixelBox(left, top, right, bottom), static_cast<int>(std::lround(a1 * 16)), SpanSixteenths(a1, a2));
}

void Bitmap::ArcAngles(int left, int top, int right, int bottom, double a1, double a2)
{
    if (image_.isNull() || Pen.Clear)
        return;
    Painter p(image_, Pen, Brush);
    p.drawArc(HalfPixelBox(left, top, right, bottom), static_cast<int>(std::lround(a1 * 16)), SpanSixteenths(a1, a2));
}

void Bitmap::MoveTo(int x, int y)
{
    penPos_ = QPoint(x, y);
}

void Bitmap::LineTo(int x, int y)
{
    if (penPos_ == QPoint(x, y))
        return;
    Segments({{penPos_, QPoint(x, y)}});
}

void Bitmap::Segments(const std::vector<std::pair<QPoint, QPoint>>& lines)
{
    if (lines.empty())
        return;
    penPos_ = lines.back().second;
    if (image_.isNull() || Pen.Clear)
        return;
    if (lines.size() > 1 && Pen.Width > 1 && ratio_ == 1 && Pen.Color.alpha() == 255) {
        StampSegments(lines);
        return;
    }
    Painter p(image_, Pen, Brush);
    for (const auto& [from, to] : lines)
        DrawSegment(p, from, to, Pen.Width);
}

void Bitmap::StampSegments(const std::vector<std::pair<QPoint, QPoint>>& lines)
{
    std::vector<std::pair<QPoint, std::vector<QPoint>>> covers;  // per length and direction
    const QRgb colour = Pen.Color.rgb();
    QRgb* const pixels = reinterpret_cast<QRgb*>(image_.bits());
    const qsizetype stride = image_.bytesPerLine() / qsizetype(sizeof(QRgb));
    for (const auto& [from, to] : lines) {
        const QPoint delta = to - from;
        if (delta.isNull())
            continue;
        auto known = std::find_if(covers.begin(), covers.end(), [&](const auto& c) { return c.first == delta; });
        if (known == covers.end())
            known = covers.insert(covers.end(), {delta, SegmentCover(Pen.Width, delta)});
        for (const QPoint& offset : known->second) {
            const QPoint at = from + offset;
            if (image_.rect().contains(at))
                pixels[at.y() * stride + at.x()] = colour;
        }
    }
}

void Bitmap::Draw(int x, int y, const QImage& source)
{
    if (image_.isNull() || source.isNull())
        return;
    if (source.format() == QImage::Format_RGB32 && image_.format() == QImage::Format_RGB32 &&
        source.devicePixelRatio() == ratio_) {
        CopyRows(image_, source, static_cast<int>(std::floor(x * ratio_)), static_cast<int>(std::floor(y * ratio_)));
        return;
    }
    if (ratio_ != 1 && source.devicePixelRatio() == ratio_) {
        // Device pixel for device pixel at the corner Copy took it from: at a fractional ratio
        // a scaled painter would place it half a device pixel off and resample it.
        QImage plain = source;
        plain.setDevicePixelRatio(1);
        image_.setDevicePixelRatio(1);
        {
            QPainter p(&image_);
            p.drawImage(static_cast<int>(std::floor(x * ratio_)), static_cast<int>(std::floor(y * ratio_)), plain);
        }
        image_.setDevicePixelRatio(ratio_);
        return;
    }
    QPainter p(&image_);
    p.drawImage(x, y, source);
}

void Bitmap::StretchDraw(int left, int top, int right, int bottom, const QImage& source)
{
    if (image_.isNull() || source.isNull() || right <= left || bottom <= top)
        return;
    QPainter p(&image_);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    p.drawImage(QRect(left, top, right - left, bottom - top), source);
}

void Bitmap::DrawTransparent(int x, int y, const QImage& source, const QColor& transparent)
{
    if (image_.isNull() || source.isNull())
        return;
    QImage masked = source.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = transparent.rgb() & 0xFFFFFF;
    for (int row = 0; row < masked.height(); ++row) {
        auto* line = reinterpret_cast<QRgb*>(masked.scanLine(row));
        for (int col = 0; col < masked.width(); ++col)
            if ((line[col] & 0xFFFFFF) == key)
                line[col] = 0;
    }
    QPainter p(&image_);
    p.drawImage(x, y, masked);
}

}  // namespace velmora
