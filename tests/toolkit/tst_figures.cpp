#include "support/pixels.h"
#include "toolkit/figures.h"
#include "toolkit/layout.h"
#include "toolkit/numbers.h"
#include "toolkit/text.h"

#include <QtTest>

using namespace velmora;
using namespace velmora::testing;

namespace {
Bitmap Blank(int w, int h)
{
    Bitmap b(w, h);
    FillBitmap(b, clr::White);
    return b;
}

// Device pixels of a high-DPI image that differ from the layout pixel they belong to at
// ratio 1, i.e. how far the image is from a pixel-doubled copy of the ratio-1 one.
int DifferencesFromDoubled(const QImage& one, const QImage& two)
{
    int differences = 0;
    for (int y = 0; y < two.height(); ++y)
        for (int x = 0; x < two.width(); ++x)
            if (two.pixel(x, y) != one.pixel(x / 2, y / 2))
                ++differences;
    return differences;
}

// Bounding box of the non-white device pixels.
QRect DeviceInk(const QImage& image)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != clr::White.rgb())
                box = box.united(QRect(x, y, 1, 1));
    return box;
}
}  // namespace

class TestFigures : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { UseLayout1024(); }

    void canvasRectangleExcludesRightAndBottom()
    {
        Bitmap b = Blank(20, 20);
        b.Brush.Color = clr::Red;
        b.Pen.Color = clr::Black;
        b.Rectangle(2, 3, 10, 12);
        QCOMPARE(b.Pixel(2, 3), clr::Black);
        QCOMPARE(b.Pixel(9, 11), clr::Black);
        QCOMPARE(b.Pixel(10, 11), clr::White);
        QCOMPARE(b.Pixel(9, 12), clr::White);
        QCOMPARE(b.Pixel(5, 6), clr::Red);
        b.MoveTo(0, 18);
        b.LineTo(5, 18);
        QCOMPARE(b.Pixel(4, 18), clr::Black);
        QCOMPARE(b.Pixel(5, 18), clr::White);  // the last pixel stays free
    }

    // A box given right-to-left or bottom-to-top (a bar shrinking from a mark) is the same box.
    void canvasRectangleTakesCornersInEitherOrder()
    {
        Bitmap ordered = Blank(20, 20);
        ordered.Brush.Color = clr::Yellow;
        ordered.Pen = PenState{clr::Black, 2, false};
        ordered.Rectangle(3, 4, 15, 12);
        QCOMPARE(ordered.Pixel(9, 8), clr::Yellow);
        const int corners[3][4] = {{15, 4, 3, 12}, {3, 12, 15, 4}, {15, 12, 3, 4}};
        for (const auto& c : corners) {
            Bitmap reversed = Blank(20, 20);
            reversed.Brush.Color = clr::Yellow;
            reversed.Pen = PenState{clr::Black, 2, false};
            reversed.Rectangle(c[0], c[1], c[2], c[3]);
            QCOMPARE(reversed.Image(), ordered.Image());
        }

        Bitmap ellipse = Blank(20, 20);
        ellipse.Brush.Color = clr::Aqua;
        ellipse.Ellipse(16, 16, 4, 4);
        QCOMPARE(ellipse.Pixel(10, 10), clr::Aqua);

        // FillRect keeps its plain meaning: a reversed box is empty, so a clamped band past the
        // bottom edge clears nothing.
        Bitmap fill = Blank(20, 20);
        fill.Brush.Color = clr::Red;
        fill.FillRect(2, 15, 18, 10);
        QCOMPARE(InkCount(fill, QRect(0, 0, 20, 20), clr::White), 0);
    }

    // At a device pixel ratio of 2 a bitmap keeps its layout: boxes and straight lines (thin
    // pens, every direction, aliased) cover exactly the device pixels of the layout pixels
    // they cover at ratio 1; round figures reach the same outer pixels; Width, Height, Pixel and
    // Copy speak layout pixels.
    void highDpiBitmapKeepsTheLayout()
    {
        const auto boxes = [](double ratio) {
            Bitmap b(40, 30, ratio);
            b.Brush.Color = clr::Yellow;
            b.Rectangle(2, 3, 10, 12);
            b.Rectangle(12, 3, 13, 20);  // one pixel wide
            b.Brush.Clear = true;
            b.Rectangle(30, 9, 15, 2);
            const int lines[4][4] = {{5, 25, 35, 25}, {35, 27, 5, 27}, {37, 2, 37, 20}, {39, 20, 39, 2}};
            for (const auto& l : lines) {
                b.MoveTo(l[0], l[1]);
                b.LineTo(l[2], l[3]);
            }
            b.Brush = BrushState{clr::Blue, false};
            b.FillRect(20, 12, 26, 18);
            return b;
        };
        const Bitmap one = boxes(1), two = boxes(2);
        QCOMPARE(two.Size(), QSize(40, 30));
        QCOMPARE(two.Image().size(), QSize(80, 60));
        QCOMPARE(two.Image().devicePixelRatio(), 2.0);
        QCOMPARE(DifferencesFromDoubled(one.Image(), two.Image()), 0);
        QCOMPARE(two.Pixel(9, 11), clr::Black);
        QCOMPARE(two.Pixel(10, 11), clr::White);
        QCOMPARE(two.Pixel(5, 6), clr::Yellow);
        QCOMPARE(two.Pixel(39, 2), clr::White);  // LineTo leaves its last pixel free
        QCOMPARE(two.Pixel(39, 3), clr::Black);
        QVERIFY(!two.Pixel(40, 0).isValid());

        // Round figures reach exactly the same outer pixels; a slanted line of a thin pen may
        // touch its left-out end pixel by one device pixel (its width stands across it).
        const auto round = [](double ratio, bool slant) {
            Bitmap b(60, 40, ratio);
            b.Brush.Color = clr::Aqua;
            if (slant) {
                b.MoveTo(46, 2);
                b.LineTo(58, 37);
                return b;
            }
            b.Ellipse(4, 4, 20, 16);
            b.PieAngles(24, 4, 44, 24, 0, 90);
            return b;
        };
        for (const bool slant : {false, true}) {
            const Bitmap rOne = round(1, slant), rTwo = round(2, slant);
            const QRect inkOne = DeviceInk(rOne.Image()), inkTwo = DeviceInk(rTwo.Image());
            const QRect doubled(2 * inkOne.topLeft(), 2 * inkOne.size());
            if (slant)
                QVERIFY2(
                    inkTwo.contains(doubled.adjusted(1, 1, -1, -1)) && doubled.adjusted(-1, -1, 1, 1).contains(inkTwo),
                    qPrintable(QStringLiteral("%1 %2").arg(inkTwo.right()).arg(doubled.right())));
            else
                QCOMPARE(inkTwo, doubled);
            QVERIFY2(DifferencesFromDoubled(rOne.Image(), rTwo.Image()) > 0, "edges are drawn at device resolution");
        }

        // A copy of a layout rectangle goes back where it came from (a sprite's background),
        // device pixel for device pixel, also at a fractional ratio.
        for (const double ratio : {2.0, 1.5}) {
            Bitmap sprite = boxes(ratio);
            const QImage before = sprite.Image();
            const QImage under = sprite.Copy(1, 2, 12, 11);
            const QSizeF size = under.deviceIndependentSize();  // covers the rectangle, less a pixel more
            QVERIFY(size.width() >= 12 && size.width() < 13 && size.height() >= 11 && size.height() < 12);
            sprite.Brush.Color = clr::Green;
            sprite.FillRect(1, 2, 13, 13);
            QCOMPARE(sprite.Pixel(5, 6), clr::Green);
            sprite.Draw(1, 2, under);
            QCOMPARE(sprite.Image(), before);
            QCOMPARE(sprite.Image().devicePixelRatio(), ratio);
        }

        // A new ratio keeps the layout size and the picture.
        Bitmap moved = boxes(1);
        moved.SetDevicePixelRatio(2);
        QCOMPARE(moved.Size(), QSize(40, 30));
        QCOMPARE(moved.Image().size(), QSize(80, 60));
        QCOMPARE(DifferencesFromDoubled(one.Image(), moved.Image()), 0);
        moved.SetDevicePixelRatio(0);  // nonsense means no scaling
        QCOMPARE(moved.Image().size(), QSize(40, 30));
        // An image of another ratio is taken at its layout size.
        Bitmap assigned(10, 10, 2);
        assigned.Assign(one.Image());
        QCOMPARE(assigned.Size(), QSize(40, 30));
        QCOMPARE(assigned.Pixel(5, 6), clr::Yellow);
    }

    // Text at ratio 2 is laid out as at ratio 1 (same measures, same place) but drawn with the
    // device's detail, not enlarged.
    void highDpiTextIsSharp()
    {
        const auto text = [](double ratio) {
            Bitmap b(120, 30, ratio);
            b.Font.Size = 12;
            b.TextOut(10, 5, QStringLiteral("Breuk 3/4"));
            return b;
        };
        const Bitmap one = text(1), two = text(2);
        QCOMPARE(two.TextWidth(QStringLiteral("Breuk 3/4")), one.TextWidth(QStringLiteral("Breuk 3/4")));
        const QRect inkOne = DeviceInk(one.Image()), inkTwo = DeviceInk(two.Image());
        QVERIFY2(std::abs(inkTwo.left() - 2 * inkOne.left()) <= 2 && std::abs(inkTwo.top() - 2 * inkOne.top()) <= 2 &&
                     std::abs(inkTwo.right() - 2 * inkOne.right() - 1) <= 4 &&
                     std::abs(inkTwo.bottom() - 2 * inkOne.bottom() - 1) <= 2,
                 qPrintable(QStringLiteral("ink %1,%2 %3x%4 at 1, %5,%6 %7x%8 at 2")
                                .arg(inkOne.x())
                                .arg(inkOne.y())
                                .arg(inkOne.width())
                                .arg(inkOne.height())
                                .arg(inkTwo.x())
                                .arg(inkTwo.y())
                                .arg(inkTwo.width())
                                .arg(inkTwo.height())));
        QVERIFY(DifferencesFromDoubled(one.Image(), two.Image()) > inkOne.width() * inkOne.height() / 4);
    }

    void dashedLineIsTheSameBothWays()
    {
        ScaleFactor = 1;
        Bitmap ltr = Blank(200, 100);
        Bitmap rtl = Blank(200, 100);
        DrawDashedLinePct(ltr, clr::Black, 10, 20, 90, 70, 1.5);
        DrawDashedLinePct(rtl, clr::Black, 90, 70, 10, 20, 1.5);
        QCOMPARE(ltr.Image(), rtl.Image());
        QVERIFY(InkCount(ltr, QRect(0, 0, 200, 100), clr::White) > 0);

        Bitmap down = Blank(100, 200);
        Bitmap up = Blank(100, 200);
        DrawDashedLinePct(down, clr::Black, 50, 10, 50, 90, 1);
        DrawDashedLinePct(up, clr::Black, 50, 90, 50, 10, 1);
        QCOMPARE(down.Image(), up.Image());
        // Dashes of 2 px with gaps of 3 px: some pixels on the line are empty.
        const int ink = ColourCount(down, QRect(50, 20, 1, 160), clr::Black);
        QVERIFY(ink > 40 && ink < 120);
    }

    // Many wide segments at once are stamped from one stroked shape: every pixel must be the
    // one the segment gets drawn on its own, also half off the edge of the bitmap.
    void segmentsMatchLinesDrawnOneByOne()
    {
        for (int width : {2, 3, 4, 5, 6}) {
            std::vector<std::pair<QPoint, QPoint>> lines;
            for (int i = 0; i < 120; ++i) {
                const QPoint from(-4 + 9 * i, 3 + 7 * (i % 4));
                lines.emplace_back(from, from + QPoint(i % 3 == 0 ? 4 : -3, (i % 4) * 2 - 3));
                lines.emplace_back(from, from + QPoint(4, 0));
            }
            Bitmap together = Blank(1000, 30), single = Blank(1000, 30);
            together.Pen = single.Pen = PenState{clr::Red, width, false};
            together.Segments(lines);
            for (const auto& [from, to] : lines) {
                single.MoveTo(from.x(), from.y());
                single.LineTo(to.x(), to.y());
            }
            int differences = 0;
            for (int y = 0; y < 30; ++y)
                for (int x = 0; x < 1000; ++x)
                    differences += together.Pixel(x, y) != single.Pixel(x, y);
            // A 2 px pen's round end has pixel centres exactly on its edge: at most one per line.
            const int ties = width == 2 ? int(lines.size()) : 0;
            QVERIFY2(differences <= ties, qPrintable(QStringLiteral("%1 px at width %2").arg(differences).arg(width)));
            QCOMPARE(together.PenPos(), lines.back().second);
        }
    }

    void shortDashedLineIsOneClippedDash()
    {
        ScaleFactor = 4;  // a dash of 8 px
        Bitmap b = Blank(100, 20);
        DrawDashedLinePct(b, clr::Black, 10, 50, 13, 50, 1);  // 3 px long
        const QRect ink = InkBox(b, clr::White);
        QVERIFY(!ink.isNull());
        QVERIFY(ink.left() >= 9 && ink.right() <= 14);
    }

    void blockArrowsPointTheRightWay()
    {
        Bitmap down = Blank(30, 40);
        DrawArrowDown({0, 0, 30, 40}, down, clr::Blue);
        QCOMPARE(down.Pixel(15, 2), clr::Blue);   // shaft in the middle third
        QCOMPARE(down.Pixel(2, 2), clr::White);   // not beside it
        QCOMPARE(down.Pixel(15, 38), clr::Blue);  // the point at the bottom
        QCOMPARE(down.Pixel(3, 32), clr::Blue);   // head is full width

        Bitmap up = Blank(30, 40);
        DrawArrowUp({0, 0, 30, 40}, up, clr::Blue);
        QCOMPARE(up.Pixel(15, 38), clr::Blue);
        QCOMPARE(up.Pixel(2, 38), clr::White);
        QCOMPARE(up.Pixel(15, 2), clr::Blue);
        QCOMPARE(up.Pixel(3, 8), clr::Blue);
    }

    void arrowLineHasHeadAtTheEnd()
    {
        ScaleFactor = 1;
        Bitmap b = Blank(120, 60);
        DrawArrowLine(b, clr::Red, 10, 30, 100, 30, 2);  // pen 2, head 10
        QCOMPARE(b.Pixel(50, 30), clr::Red);
        QCOMPARE(b.Pixel(92, 24), clr::Red);  // the head is wider than the shaft
        QCOMPARE(b.Pixel(20, 24), clr::White);

        Bitmap v = Blank(60, 120);
        DrawArrowLine(v, clr::Red, 30, 10, 30, 100, 2);
        // Vertical: a block arrow of width 10 pointing down.
        QCOMPARE(v.Pixel(30, 20), clr::Red);
        QCOMPARE(v.Pixel(26, 80), clr::Red);  // the head is full width
        QCOMPARE(v.Pixel(20, 20), clr::White);
    }

    void dotRadius()
    {
        ScaleFactor = 1.6;
        Bitmap b = Blank(40, 40);
        DrawDot(20, 20, QLatin1Char('.'), b, clr::Green);
        const QRect ink = InkBox(b, clr::White);
        QCOMPARE(ink.width(), 2 * Round(4 * 1.6));
    }

    void labelBoxModes()
    {
        ScaleFactor = 1;
        MenuStatusFontSize = 10;
        const Rect box{20, 20, 60, 80};
        Bitmap inside = Blank(300, 150);
        DrawLabelBox(QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), box, 1, clr::Black, inside,
                     clr::Yellow, 1, clr::Blue, 1);
        QVERIFY(ColourCount(inside, QRect(21, 21, 38, 58), clr::Blue) > 0);  // short texts stay inside

        Bitmap beside = Blank(300, 150);
        DrawLabelBox(QStringLiteral("Groente"), QStringLiteral("en fruit"), QStringLiteral("afval"), box, 1, clr::Black,
                     beside, clr::Yellow, 1, clr::Blue, 1);
        QCOMPARE(ColourCount(beside, QRect(21, 21, 38, 58), clr::Blue), 0);
        QVERIFY(ColourCount(beside, QRect(60, 0, 240, 150), clr::Blue) > 0);

        Bitmap under = Blank(300, 150);
        DrawLabelBox(QStringLiteral("Groente"), QStringLiteral("tuin-"), QStringLiteral("mest"), {120, 20, 160, 80}, 1,
                     clr::Black, under, clr::Yellow, 1, clr::Blue, 2);
        QCOMPARE(ColourCount(under, QRect(0, 0, 300, 80), clr::Blue), 0);
        QVERIFY(ColourCount(under, QRect(0, 81, 300, 69), clr::Blue) > 0);
        // Joined into one word: no hyphen, so the line is narrower than with it.
        under.Font.Size = 10;
        const int joined = under.TextWidth(QStringLiteral("Groente tuinmest "));
        const QRect ink = InkBox(under, clr::White).intersected(QRect(0, 81, 300, 69));
        QVERIFY(ink.width() <= joined);
        QVERIFY(ink.width() > joined - 12);
    }
};

QTEST_MAIN(TestFigures)
#include "tst_figures.moc"
