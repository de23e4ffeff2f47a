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
