#include "support/pixels.h"
#include "toolkit/layout.h"
#include "toolkit/numbers.h"
#include "toolkit/text.h"

#include <QtTest>

using namespace velmora;
using namespace velmora::testing;

class TestText : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { UseLayout1024(); }

    void drawTextPlacesAndAdvances()
    {
        Bitmap b(228, 200);
        const QString longText = QStringLiteral("Dit is een erg lange zin die niet past");
        b.Font.Size = RefFontSize;
        const int w = b.TextWidth(longText);
        QVERIFY(w > 228);
        DrawText(longText, clr::Black, false, -1, 1, 1, b);
        QCOMPARE(TextEndX, w);  // centred but never left of the edge
        QVERIFY(InkCount(b, QRect(0, LineHeight, 3, LineHeight), clr::White) > 0);

        Bitmap c(400, 100);
        DrawText(QStringLiteral("Ok"), clr::Black, false, -2, 0, 1, c);
        QCOMPARE(TextEndX, 400 - Margin);

        Bitmap d(400, 100);
        DrawText(QStringLiteral("Ok"), clr::Black, false, 10, 0, 1, d);
        const int afterOk = TextEndX;
        QCOMPARE(afterOk, 10 + d.TextWidth(QStringLiteral("Ok")));
        DrawText(QStringLiteral("!"), clr::Red, true, TextEndX, 0, 1, d);
        QCOMPARE(TextEndX, afterOk + d.TextWidth(QStringLiteral("!")));
        QVERIFY(ColourCount(d, QRect(afterOk, 0, 20, LineHeight), clr::Red) > 0);
        QCOMPARE(ColourCount(d, QRect(0, 0, afterOk, LineHeight), clr::Red), 0);
    }

    void euroAndApproximateAdvance()
    {
        Bitmap b(400, 100);
        DrawEuroText(QStringLiteral("12,50"), clr::Black, false, 20, 1, 1, b);
        Bitmap probe(10, 10);
        probe.Font.Size = Round(RefFontSize * 1.2);
        const int cWidth = probe.TextWidth(QStringLiteral("C"));
        probe.Font.Size = RefFontSize;
        QCOMPARE(TextEndX, 20 + cWidth + probe.TextWidth(QStringLiteral("12,50")));

        TextEndX = 50;
        DrawApproxText(QStringLiteral("3,14"), clr::Black, b, TextEndX, 3, 1);
        QCOMPARE(TextEndX, 50 + probe.TextWidth(QStringLiteral(" = 3,14")));
    }

    // The search starts from a guess; it must find what counting up one size at a time finds,
    // for short and long texts, plain and bold, widths too narrow for any size and wide enough
    // for every size.
    void largestFittingSizeIsWhatCountingUpFinds()
    {
        Bitmap b(10, 10);
        for (const bool bold : {false, true})
            for (const QString& text : {QStringLiteral("De Dorvelse Vuziror"), QStringLiteral("7"),
                                        QStringLiteral("Alles door elkaar"), QStringLiteral("1/6")}) {
                b.Font.Bold = bold;
                for (double width = 2; width < 1500; width *= 1.07) {
                    int counted = 13;
                    b.Font.Size = counted;
                    while (b.TextWidth(text) <= width && counted < 120)
                        b.Font.Size = ++counted;
                    QCOMPARE(LargestFittingSize(b, text, width, 13, 120), counted - 1);
                }
            }
    }

    void euroStrokesHeavierWhenBold()
    {
        auto strokeInk = [](bool bold) {
            Bitmap b(200, 80);
            DrawEuroText(QString(), clr::Blue, bold, 10, 1, 1, b);
            return ColourCount(b, QRect(0, 0, 200, 80), clr::Blue);
        };
        QVERIFY(strokeInk(true) > strokeInk(false));
        QCOMPARE(Round(2.0 * ScaleFactor), 3);
        QCOMPARE(Round(1.5 * ScaleFactor), 2);
    }

    void fractionForms()
    {
        Bitmap b(300, 100);
        b.Font.Size = RefFontSize;
        const int minus = b.TextWidth(QStringLiteral("-"));
        const int four = b.TextWidth(QStringLiteral("4"));
        const int h = b.TextHeight(QStringLiteral("0"));

        QCOMPARE(DrawFraction(Fraction{-1, 0, 3, 4}, b, 10, 40, clr::Red), 10 + 2 * minus + four);
        // The bar sits 0.6 of a text height below the top.
        QVERIFY(ColourCount(b, QRect(10 + 2 * minus, 40 + Round(0.6 * h), four, 1), clr::Red) >= four - 1);

        Bitmap w(300, 100);
        w.Font.Size = RefFontSize;
        QCOMPARE(DrawFraction(Fraction{1, 2, 0, 1}, w, 10, 40, clr::Red), 10 + Round(1.25 * w.TextWidth("2")));
        QCOMPARE(ColourCount(w, QRect(0, 40 + Round(0.6 * h), 300, 1), clr::Red) < w.TextWidth("2"), true);

        Bitmap z(300, 100);
        z.Font.Size = RefFontSize;
        QCOMPARE(DrawFraction(Fraction{1, 0, 0, 1}, z, 10, 40, clr::Black), 10 + z.TextWidth(QStringLiteral("0")));

        Bitmap e(300, 100);
        e.Font.Size = RefFontSize;
        QCOMPARE(DrawFraction(Fraction{1, 5, 1, 0}, e, 10, 40, clr::Black), 10);
        QVERIFY(InkCount(e, QRect(10, 40, 120, h), clr::White) > 20);  // "Error /0"
    }

    void timesTermWithoutBarForDenominatorOne()
    {
        Bitmap b(300, 100);
        b.Font.Size = RefFontSize;
        int x = 10;
        DrawTimesTerm(x, QStringLiteral("3"), QStringLiteral("1"), 40, QStringLiteral("kg"), b, clr::Black);
        QCOMPARE(x, 10 + b.TextWidth(QStringLiteral("3")) + b.TextWidth(QStringLiteral(" * kg")));
        int y = 10;
        Bitmap f(300, 100);
        f.Font.Size = RefFontSize;
        DrawTimesTerm(y, QStringLiteral("3"), QStringLiteral("4"), 40, QStringLiteral("kg"), f, clr::Black);
        const int h = f.TextHeight(QStringLiteral("34"));
        QVERIFY(ColourCount(f, QRect(10, 40 + Round(0.6 * h), 5, 1), clr::Black) > 0);
        QCOMPARE(ColourCount(b, QRect(10, 40 + Round(0.6 * h), 1, 1), clr::Black), 0);
    }

    void percentages()
    {
        PictureWidth = 403;
        PictureHeight = 403;
        QCOMPARE(PctX(50), 202);
        QCOMPARE(PctY(25), 101);
        QCOMPARE(PctX(0), 0);
    }

    void clearLinesKeepsBorder()
    {
        LineHeight = 10;
        Bitmap b(50, 40);
        FillBitmap(b, clr::Red);
        ClearLines(b, 0, 100);
        QCOMPARE(b.Pixel(0, 20), clr::Red);
        QCOMPARE(b.Pixel(49, 20), clr::Red);
        QCOMPARE(b.Pixel(20, 39), clr::Red);
        QCOMPARE(b.Pixel(20, 0), clr::Red);
        QCOMPARE(b.Pixel(1, 1), clr::BtnFace);
        QCOMPARE(b.Pixel(48, 38), clr::BtnFace);

        Bitmap band(50, 40);
        FillBitmap(band, clr::Red);
        ClearLines(band, 1, 2);  // rows 11..20
        QCOMPARE(band.Pixel(5, 10), clr::Red);
        QCOMPARE(band.Pixel(5, 11), clr::BtnFace);
        QCOMPARE(band.Pixel(5, 20), clr::BtnFace);
        QCOMPARE(band.Pixel(5, 21), clr::Red);
    }

    void frameFollowsTheEdge()
    {
        Bitmap b(30, 20);
        b.Pen.Color = clr::Blue;
        DrawFrame(b, clr::Black);
        QCOMPARE(ColourCount(b, QRect(0, 0, 30, 20), clr::Black), 2 * 30 + 2 * 18);
        QCOMPARE(b.Pen.Color, clr::Blue);
    }
};

QTEST_MAIN(TestText)
#include "tst_text.moc"
