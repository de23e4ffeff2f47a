#pragma once
// An off-screen bitmap with the raster conventions the drawing code is written in:
// rectangles exclude their right and bottom edge, LineTo excludes its last pixel,
// angles run counter-clockwise, text is positioned by its top.
#include <QColor>
#include <QFont>
#include <QHash>
#include <QImage>
#include <QPoint>
#include <QSize>
#include <QString>

#include <functional>
#include <utility>
#include <vector>

namespace velmora {

// Standard named colours.
namespace clr {
inline const QColor Black{0, 0, 0};
inline const QColor White{255, 255, 255};
inline const QColor Red{255, 0, 0};
inline const QColor Blue{0, 0, 255};
inline const QColor Green{0, 128, 0};
inline const QColor Lime{0, 255, 0};
inline const QColor Yellow{255, 255, 0};
inline const QColor Olive{128, 128, 0};
inline const QColor Aqua{0, 255, 255};
inline const QColor Teal{0, 128, 128};
inline const QColor Purple{128, 0, 128};
inline const QColor Fuchsia{255, 0, 255};
inline const QColor Gray{128, 128, 128};
inline const QColor Silver{192, 192, 192};
inline const QColor Maroon{128, 0, 0};
inline const QColor Navy{0, 0, 128};
// The face colour of the program's own windows.
inline const QColor BtnFace{192, 192, 192};
}  // namespace clr

struct PenState {
    QColor Color = clr::Black;
    int Width = 1;
    bool Clear = false;  // no outline at all
};

struct BrushState {
    QColor Color = clr::White;
    bool Clear = false;  // figures are not filled
};

struct FontState {
    QString Name = QStringLiteral("Arial");
    int Size = 10;  // points at 96 dpi
    QColor Color = clr::Black;
    bool Bold = false;
    bool Italic = false;
};

// One TextOut call as a recording tool sees it: the text, its colour and style, the top-left
// position and the font size in points.
struct TextEvent {
    QString Text;
    QColor Colour;
    bool Bold = false;
    int X = 0;
    int Y = 0;
    int Size = 0;
};

// Every coordinate and size is in layout pixels. On a high-DPI screen the image holds
// DevicePixelRatio() device pixels per layout pixel (and carries that ratio), so a window
// shows it at its layout size with sharp text and lines; at ratio 1 both are the same.
class Bitmap {
public:
    Bitmap() = default;
    Bitmap(int width, int height, double devicePixelRatio = 1);

    void SetSize(int width, int height);  // new contents are white
    int Width() const { return width_; }
    int Height() const { return height_; }
    QSize Size() const { return QSize(width_, height_); }
    bool IsEmpty() const { return image_.isNull(); }
    // Device pixels per layout pixel; a new ratio redraws the present picture at it.
    void SetDevicePixelRatio(double ratio);
    double DevicePixelRatio() const { return ratio_; }
    // The image in device pixels, carrying the ratio (QPainter then draws it at Size()).
    const QImage& Image() const { return image_; }
    // Copies an image, which is shown at its own layout size; keeps pen, brush, font and ratio.
    void Assign(const QImage& image);
    // The colour of the layout pixel (x, y): the device pixel at its centre.
    QColor Pixel(int x, int y) const;
    // A layout rectangle of the picture, for drawing back with Draw.
    QImage Copy(int x, int y, int width, int height) const;

    PenState Pen;
    BrushState Brush;
    FontState Font;
    // Optional: told about every text drawn (the headless driver logs them).
    std::function<void(const TextEvent&)> TextObserver;

    // Text: drawn with a transparent background, y is the top of the text.
    void TextOut(int x, int y, const QString& text);
    int TextWidth(const QString& text) const;
    int TextHeight(const QString& text) const;
    int Ascent() const;

    // Figures in (Left, Top, Right, Bottom) boxes; right and bottom excluded. Rectangle and
    // Ellipse take the corners in either order; FillRect fills nothing for a reversed box.
    void Rectangle(int left, int top, int right, int bottom);
    void FillRect(int left, int top, int right, int bottom);  // brush only, no outline
    void Ellipse(int left, int top, int right, int bottom);
    void Polygon(const std::vector<QPoint>& points);
    // Counter-clockwise from the ray through (x3, y3) to the ray through (x4, y4).
    void Pie(int left, int top, int right, int bottom, int x3, int y3, int x4, int y4);
    void Arc(int left, int top, int right, int bottom, int x3, int y3, int x4, int y4);
    // Same with angles in degrees, 0 at three o'clock, counter-clockwise on screen.
    void PieAngles(int left, int top, int right, int bottom, double a1, double a2);
    void ArcAngles(int left, int top, int right, int bottom, double a1, double a2);
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    // Separate lines, each drawn as MoveTo(from) LineTo(to) would draw it, with one painter
    // (a dashed line has dozens); the pen ends at the last one's end.
    void Segments(const std::vector<std::pair<QPoint, QPoint>>& lines);
    QPoint PenPos() const { return penPos_; }

    // Copies, placed and sized in layout pixels (a source carrying a ratio is drawn at its
    // layout size, so a source rendered at the device ratio stays sharp).
    void Draw(int x, int y, const QImage& source);
    void StretchDraw(int left, int top, int right, int bottom, const QImage& source);
    // Draws source leaving out every pixel of the transparent colour.
    void DrawTransparent(int x, int y, const QImage& source, const QColor& transparent);

private:
    // Building a QFont looks it up in the font database and measuring a text shapes it; texts
    // come in runs of a few fonts and repeat, so the fonts in use and their widths are kept.
    struct MadeFont {
        FontState From;
        QFont Font;
        QHash<QString, int> Widths;
    };
    MadeFont& CurrentFont() const;
    void StampSegments(const std::vector<std::pair<QPoint, QPoint>>& lines);

    QImage image_;
    mutable std::vector<MadeFont> fonts_;
    int width_ = 0;
    int height_ = 0;
    double ratio_ = 1;
    QPoint penPos_{0, 0};
};

// Builds the font a Bitmap draws with (also for widgets that must match it).
QFont MakeFont(const FontState& font);

}  // namespace velmora
