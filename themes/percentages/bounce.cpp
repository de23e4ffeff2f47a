// Themes 16 and 17: a height that changes by the same percentage at every jump or bounce,
// with the jumps or bounces animated on the picture.
#include "bounce.h"

#include "platform/resources.h"
#include "session/exercise.h"
#include "toolkit/figures.h"
#include "toolkit/layout.h"
#include "toolkit/text.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace velmora {

namespace {

using bounce::Basketball;
using bounce::Trampoline;

bool Rising(int code)
{
    return code == Trampoline;
}

// The growth factor per step in hundredths.
int FactorPercent(int code, int percent)
{
    return Rising(code) ? 100 + percent : 100 - percent;
}

int PenWidth2()
{
    return Round(2 * ScaleFactor);
}

int TextWidthAt(Bitmap& b, const QString& text, bool bold = false)
{
    b.Font.Size = Round(RefFontSize * 1.0);
    b.Font.Bold = bold;
    return b.TextWidth(text);
}

// The sprite is drawn over a copy of what lies under it, which is put back before it moves.
class Sprite {
public:
    explicit Sprite(const QImage& image) : image_(image) {}
    void Show(Bitmap& b, int x, int y)
    {
        const QSizeF size = image_.deviceIndependentSize();
        under_ = b.Copy(x, y, static_cast<int>(std::ceil(size.width())), static_cast<int>(std::ceil(size.height())));
        at_ = QPoint(x, y);
        b.Draw(x, y, image_);
        shown_ = true;
    }
    void Hide(Bitmap& b)
    {
        if (shown_)
            b.Draw(at_.x(), at_.y(), under_);
        shown_ = false;
    }

private:
    QImage image_;
    QImage under_;
    QPoint at_;
    bool shown_ = false;
};

// A horizontal dashed line between two pixel points of the picture.
void DashedLinePx(Bitmap& b, const QColor& colour, int x1, int x2, int y, double width)
{
    const double w = b.Width(), h = b.Height();
    DrawDashedLinePct(b, colour, x1 * 100.0 / w, y * 100.0 / h, x2 * 100.0 / w, y * 100.0 / h, width);
}

// A height bar from the bed or the ground up to the top of a jump or bounce.
void DrawBar(Bitmap& b, const QColor& colour, int x, int foot, int height)
{
    b.Pen = PenState{colour, PenWidth2(), false};
    b.MoveTo(x, foot - height);
    b.LineTo(x, foot);
}

void DrawBarWithCap(Bitmap& b, const QColor& colour, int x, int foot, int height)
{
    DrawBar(b, colour, x, foot, height);
    const int pen = PenWidth2();
    b.MoveTo(x - 2 * pen, foot - height);
    b.LineTo(x + 2 * pen, foot - height);
}

void DrawStory(Bitmap& b, int code, int percent, int startHeight)
{
    const auto line = [&b](const QString& text, double l) { DrawText(text, clr::Black, false, Margin, l, 1, b); };
    if (Rising(code)) {
        line(QStringLiteral("Luuk springt op de trampoline."), 21);
        line(QStringLiteral("Hij komt elke keer %1 % hoger dan de vorige keer.").arg(percent), 22);
        line(QStringLiteral("Hij springt de eerste keer %1 cm hoog.").arg(startHeight), 23);
    } else {
        line(QStringLiteral("Youri laat zijn basketbal vallen."), 20.5);
        line(QStringLiteral("De bal komt na elke stuit %1 % minder hoog dan de keer").arg(percent), 21.5);
        line(QStringLiteral("daarvoor."), 22.5);
        line(QStringLiteral("Hij laat de bal los op een hoogte van %1 cm.").arg(startHeight), 23.5);
    }
}

void DrawTrampoline(Bitmap& b, const BounceStage& st)
{
    const int xs = st.Left, sw = st.SpriteWidth, bed = st.Rest + st.SpriteHeight + 1;
    const int pen = PenWidth2();
    b.Pen = PenState{clr::Blue, pen, false};
    b.Brush = BrushState{clr::Blue, false};
    b.Rectangle(xs - sw, bed, xs + 2 * sw, st.Rest + st.SpriteHeight + 4 * pen);
    b.MoveTo(xs - 9 * sw / 10, bed);
    b.LineTo(Round(xs - 1.5 * sw), bed - 1 + 2 * LineHeight);
    b.MoveTo(xs + sw + 9 * sw / 10, bed);
    b.LineTo(Round(xs + 2.5 * sw), bed - 1 + 2 * LineHeight);
    DashedLinePx(b, clr::Blue, xs + b.Width() / 3, xs, bed, 1.5);
}

// The top of jump j: its height bar (red for the one asked), the dashed line to the scale
// left of Luuk, and the jump number under the bar; the first jump also gets its height.
void MarkJump(Bitmap& b, const BounceStage& st, int t, int height, int j, int asked, int startHeight)
{
    const QColor colour = j == asked ? clr::Red : clr::Black;
    const int x = st.Left + (b.Width() + t) / 3;
    const int foot = st.Rest + st.SpriteHeight;
    const int top = foot - height;
    const int scale = st.Left - 2 * st.SpriteWidth;
    DrawBar(b, colour, x, foot, height);
    DashedLinePx(b, colour, x, scale, top, 1.5);
    const QString number = QString::number(j + 1);
    DrawText(number, clr::Black, false, x - TextWidthAt(b, number) / 2, 18.25, 1, b);
    if (j == 0) {
        const QString h0 = QString::number(startHeight);
        DrawText(h0, clr::Black, false, scale - TextWidthAt(b, h0 + QLatin1Char(' ')), double(top) / LineHeight - 0.5,
                 1, b);
    }
}

// Luuk jumps in place, every jump higher; the pixel height is rounded at every jump.
// False when the run ended (or another exercise began) during the animation.
bool AnimateJumps(Exercise& s, const QImage& image, const BounceStage& st, int percent, int asked, int startHeight)
{
    Bitmap& b = s.PictureBitmap;
    Sprite sprite(image);
    const int step = st.Step, v = st.Speed, rest = st.Rest;
    int t = -step, j = 0, height = st.FirstJump, marked = -1;
    double a = double(height) / (double(step) * step);
    for (;;) {
        sprite.Hide(b);
        t += v;
        const int fromTop = t - 2 * j * step;
        const int y = std::min(rest, Round(a * fromTop * fromTop + rest - height));
        if (std::abs(fromTop) < v && marked != j) {
            MarkJump(b, st, t, height, j, asked, startHeight);
            marked = j;
        }
        if (y == rest && fromTop > 0) {
            ++j;
            height = Round(height * (100.0 + percent) / 100.0);
            a = double(height) / (double(step) * step);
        }
        sprite.Show(b, st.Left, y);
        if (!s.Pause(bounce::FrameMs))
            return false;
        if (t >= 2 * asked * step)
            return true;
    }
}

void FinishJumps(Bitmap& b, const BounceStage& st, int asked)
{
    const int x = st.Left - 2 * st.SpriteWidth - TextWidthAt(b, QStringLiteral("? "), true);
    DrawText(QStringLiteral("?"), clr::Red, true, x, double(st.SpriteHeight + Margin) / LineHeight + 1.5, 1, b);
    DrawText(BounceQuestion(Trampoline, asked), clr::Red, false, Margin, 24.5, 1, b);
}

// The ground, the drop bar with h0 above it.
void DrawGround(Bitmap& b, const BounceStage& st, int startHeight)
{
    const int ground = st.Rest + st.SpriteHeight;
    b.Pen = PenState{clr::Blue, PenWidth2(), false};
    b.MoveTo(Margin, ground);
    b.LineTo(b.Width() - Margin, ground);
    DrawBarWithCap(b, clr::Black, Margin + st.SpriteWidth / 2, ground, st.FirstJump);
    const int x = (st.SpriteWidth - TextWidthAt(b, QStringLiteral("000"))) / 2 + Margin;
    DrawText(QString::number(startHeight), clr::Black, false, x,
             double(ground - st.FirstJump - LineHeight) / LineHeight, 1, b);
}

// The ball bounces from left to right, every bounce less high; the pixel height is rounded
// at every landing. False when the run ended (or another exercise began) meanwhile.
bool AnimateBounces(Exercise& s, const QImage& image, const BounceStage& st, int percent, int asked)
{
    Bitmap& b = s.PictureBitmap;
    Sprite sprite(image);
    const int step = st.Step, v = st.Speed, rest = st.Rest, ground = st.Rest + st.SpriteHeight;
    const double end = Margin + (asked + 0.75) * 2 * step;
    int x = st.Left, i = 0, height = st.FirstJump, marked = 0;  // the drop bar marks bounce 0
    double a = double(height) / (double(step) * step);
    for (;;) {
        sprite.Hide(b);
        x += v;
        const int fromTop = x - Margin - 2 * i * step;
        const int y = std::min(rest, Round(a * fromTop * fromTop + rest - height));
        if (std::abs(fromTop) < v && marked != i) {
            DrawBarWithCap(b, i == asked ? clr::Red : clr::Black, x + st.SpriteWidth / 2, ground, height);
            marked = i;
        }
        if (y == rest && fromTop > 0) {
            ++i;
            height = Round(height * (100.0 - percent) / 100.0);
            a = double(height) / (double(step) * step);
            const QString number = QString::number(i);
            DrawText(number, clr::Black, false,
                     Margin + 2 * i * step + st.SpriteWidth / 2 - step - TextWidthAt(b, QStringLiteral("0")) / 2, 19.25,
                     1, b);
        }
        sprite.Show(b, x, y);
        if (!s.Pause(bounce::FrameMs))
            return false;
        if (x >= end)
            return true;
    }
}

void FinishBounces(Exercise& s, const BounceStage& st)
{
    Bitmap& b = s.PictureBitmap;
    const int n = s.Param[bounce::Steps];
    const int h0 = s.Param[bounce::StartHeight];
    const int rest = st.Rest, sh = st.SpriteHeight;
    const int x = Margin + 2 * n * st.Step + st.SpriteWidth / 2 - TextWidthAt(b, QStringLiteral("0"), true) / 2;
    const double top = rest - s.ExpectedReal / h0 * (rest - Margin - sh) + sh;
    DrawText(QStringLiteral("?"), clr::Red, true, x, (top - LineHeight) / LineHeight, 1, b);
    DrawText(BounceQuestion(Basketball, n), clr::Red, false, Margin, 24.75, 1, b);
}

// The picture of a new exercise, animated. False when the animation was cut short.
bool DrawAnimatedPicture(Exercise& s)
{
    Bitmap& b = s.PictureBitmap;
    const int code = s.ThemeCode;
    const int h0 = s.Param[bounce::StartHeight], p = s.Param[bounce::Percent], n = s.Param[bounce::Steps];
    DrawStory(b, code, p, h0);
    const QImage sprite = BounceSprite(code, b.DevicePixelRatio());
    const BounceStage st = StageFor(code, sprite.deviceIndependentSize().toSize(), h0, s.ExpectedReal);
    DrawText(Rising(code) ? QStringLiteral("Luuk springt trampoline") : QStringLiteral("Youri met zijn basketbal"),
             clr::Red, false, -1, 0.25, 1.75, b);
    if (Rising(code)) {
        DrawTrampoline(b, st);
        if (!AnimateJumps(s, sprite, st, p, n, h0))
            return false;
        FinishJumps(b, st, n);
    } else {
        DrawGround(b, st, h0);
        if (!AnimateBounces(s, sprite, st, p, n))
            return false;
        FinishBounces(s, st);
    }
    return true;
}

void DrawQuestionText(Exercise& s)
{
    Bitmap& t = s.TextBitmap;
    const int n = s.Param[bounce::Steps];
    const bool rising = Rising(s.ThemeCode);
    DrawText(rising ? QStringLiteral("Hoe hoog komt Luuk") : QStringLiteral("Hoe hoog komt de bal"), clr::Red, false,
             Margin, 1.5, 1, t);
    DrawText(rising ? QStringLiteral("bij de %1e sprong ?").arg(n + 1) : QStringLiteral("na de %1e stuit ?").arg(n),
             clr::Red, false, Margin, 2.5, 1, t);
    DrawText(QStringLiteral("(afronden op 2 decimalen !)"), clr::Blue, false, Margin, 4, 1, t);
}

}  // namespace

QImage BounceSprite(int code, double deviceRatio)
{
    const QString name = Rising(code) ? QStringLiteral("jumpup") : QStringLiteral("bal");
    const QImage named = LoadNamedBitmap(name);
    if (named.isNull() || named.width() < 2 || named.height() < 2)
        return {};
    int w = 0, h = 0;
    if (Rising(code)) {
        w = Round(named.width() * ScaleFactor);
        h = Round(named.height() * ScaleFactor);
    } else {
        w = Round(5.0 * Margin);
        h = Round(double(named.height()) * w / named.width());
    }
    if (w < 1 || h < 1)
        return {};
    // On a high-DPI screen the drawing is rendered again at the device resolution.
    const QImage source = deviceRatio == 1 ? named : LoadNamedBitmapScaled(name, deviceRatio);
    const QRgb key = source.pixel(1, 1) & 0xFFFFFF;
    const auto device = [deviceRatio](int layout) { return static_cast<int>(std::ceil(layout * deviceRatio - 1e-9)); };
    QImage sprite = source.scaled(device(w), device(h), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                        .convertToFormat(QImage::Format_ARGB32);
    sprite.setDevicePixelRatio(deviceRatio);
    for (int row = 0; row < sprite.height(); ++row) {
        auto* line = reinterpret_cast<QRgb*>(sprite.scanLine(row));
        for (int col = 0; col < sprite.width(); ++col)
            if ((line[col] & 0xFFFFFF) == key)
                line[col] = 0;
    }
    // Premultiplied, the painter draws it frame after frame without converting it first.
    return sprite.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

BounceStage StageFor(int code, QSize sprite, int startHeight, double expected)
{
    BounceStage st;
    const int w = PictureWidth, m = Margin, h = LineHeight;
    st.SpriteWidth = sprite.width();
    st.SpriteHeight = sprite.height();
    st.Step = (w - 3 * m) / 16;
    st.Speed = std::max(1, Round(2 * ScaleFactor));
    if (Rising(code)) {
        st.Rest = 18 * h - st.SpriteHeight;
        st.Left = (w - 2 * m) / 3 + m;
        // Pixels per cm, so that the asked (highest) jump just fits under the title.
        const double perCm = expected > 0 ? (st.Rest - 2 * h - m) / expected : 0;
        st.FirstJump = Round(perCm * startHeight);
    } else {
        st.Rest = 19 * h - st.SpriteHeight;
        st.Left = m;
        st.FirstJump = 19 * h - m - 2 * st.SpriteHeight;
    }
    return st;
}

double BounceHeight(int code, int startHeight, int percent, int steps)
{
    // Extended precision keeps the power within a hair of the exact value at every size.
    long double height = startHeight;
    const int factor = FactorPercent(code, percent);
    for (int i = 0; i < steps; ++i)
        height = height * factor / 100;
    return static_cast<double>(height);
}

QString BounceQuestion(int code, int steps)
{
    return Rising(code) ? QStringLiteral("Hoe hoog komt Luuk bij de %1e sprong ?").arg(steps + 1)
                        : QStringLiteral("Hoe hoog komt de bal na de %1e stuit ?").arg(steps);
}

void PoseBounce(Exercise& s)
{
    const int code = s.ThemeCode;
    const int level = s.CurrentLevel();
    const int p = Rising(code) ? 20 + s.Random(30) : 10 + s.Random(20);
    const int n = (level + 1) + s.Random(2 * level + 1);
    const int h0 = Rising(code) ? 150 - 10 * s.Random(10) : 200 + 10 * s.Random(20);
    s.Param[bounce::StartHeight] = h0;
    s.Param[bounce::Percent] = p;
    s.Param[bounce::Steps] = n;
    s.ExpectedReal = BounceHeight(code, h0, p, n);
    s.RealTolerance = 0.0049;
    s.AnswerDecimals = 2;
    s.FeedbackText = BounceQuestion(code, n);
}

void Bounce(Exercise& s)
{
    if (s.Attempt == 0)
        PoseBounce(s);
    DrawQuestionText(s);
    s.AnswerLine = 6;
    s.AnswerUnit = QStringLiteral(" cm");
    // Only a new exercise is animated; a second attempt keeps the finished picture. When the
    // run ends during the animation nothing more is drawn and no answer is asked.
    if (s.Attempt == 0 && !DrawAnimatedPicture(s))
        return;
    const QString question = BounceQuestion(s.ThemeCode, s.Param[bounce::Steps]);
    s.OpenAnswer(QStringLiteral("Hoogte: "), 2, QStringLiteral("|") + question);
}

void ExplainBounce(Exercise& s, double line)
{
    Bitmap& t = s.TextBitmap;
    if (s.PracticeMode() && !s.MixedMode()) {
        const QString factor = FormatFixed(FactorPercent(s.ThemeCode, s.Param[bounce::Percent]) / 100.0, 2);
        DrawText(QStringLiteral("De groeifactor is ") + factor + QLatin1Char('.'), clr::Blue, false, Margin, line, 1,
                 t);
        DrawText(QStringLiteral("Dus: "), clr::Blue, false, Margin, line + 1.25, 1, t);
        DrawText(QStringLiteral(" Hoogte = %1 x ").arg(s.Param[bounce::StartHeight]) + factor + QLatin1Char(' '),
                 clr::Red, false, TextEndX, line + 1.25, 1, t);
        DrawText(QString::number(s.Param[bounce::Steps]), clr::Red, false, TextEndX, line + 0.75, 0.95, t);
        line += 2.5;
    }
    DrawApproxText(FormatFixed(s.ExpectedReal, s.AnswerDecimals) + s.AnswerUnit, clr::Red, t, -2, line, 1);
}

const ThemeDescriptor TrampolineTheme{
    .Code = Trampoline,
    .Title = "Luuk springt trampoline",
    .Generator = Bounce,
    .Explain = ExplainBounce,
    .Help = {2, 6},
};

const ThemeDescriptor BasketballTheme{
    .Code = Basketball,
    .Title = "Youri met zijn basketbal",
    .Generator = Bounce,
    .Explain = ExplainBounce,
    .Help = {2, 7},
};

}  // namespace velmora
