// What a screen reader gets from a bitmap: the texts drawn into it, in reading order, with
// fractions, mixed numbers and the drawn signs read as a pupil would type them.
#include "session/drawntexts.h"
#include "session/exercise.h"
#include "toolkit/layout.h"
#include "toolkit/text.h"

#include <QtTest>

using namespace velmora;

namespace {

Fraction Frac(int whole, int num, int den, int sign = 1)
{
    return Fraction{sign, whole, num, den};
}

}  // namespace

class TestDrawnTexts : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        LineHeight = 28;
        RefFontSize = 14;
        Margin = 13;
        TextEndX = 0;
    }

    // Rows top to bottom, each left to right, whatever order they were drawn in; pieces
    // of one sentence continued at TextEndX touch and need no extra space.
    void ReadingOrder()
    {
        Bitmap b(600, 400);
        DrawnTexts texts;
        texts.Listen(b);
        DrawText(QStringLiteral("en verder."), clr::Black, false, 200, 3, 1, b);
        DrawText(QStringLiteral("niveau"), clr::Blue, false, 300, 1, 1, b);
        DrawText(QStringLiteral("Kies het juiste "), clr::Black, false, Margin, 1, 1, b);
        DrawText(QStringLiteral("niveau"), clr::Blue, false, TextEndX, 1, 1, b);
        DrawText(QStringLiteral("Groot"), clr::Red, true, Margin, 2.9, 1.75, b);
        QCOMPARE(texts.Reading(), QStringLiteral("Kies het juiste niveau niveau\nGroot en verder."));
    }

    void Numbers_data()
    {
        QTest::addColumn<Fraction>("value");
        QTest::addColumn<QString>("read");
        QTest::newRow("fraction") << Frac(0, 3, 4) << QStringLiteral("Tel op: 3/4 + 2");
        QTest::newRow("mixed number") << Frac(1, 1, 6) << QStringLiteral("Tel op: 1 1/6 + 2");
        QTest::newRow("mixed, wide whole part") << Frac(12, 5, 18) << QStringLiteral("Tel op: 12 5/18 + 2");
        QTest::newRow("negative") << Frac(0, 3, 4, -1) << QStringLiteral("Tel op: -3/4 + 2");
        QTest::newRow("negative mixed") << Frac(2, 1, 3, -1) << QStringLiteral("Tel op: -2 1/3 + 2");
        QTest::newRow("whole number") << Frac(5, 0, 1) << QStringLiteral("Tel op: 5 + 2");
        QTest::newRow("zero") << Frac(0, 0, 1) << QStringLiteral("Tel op: 0 + 2");
    }
    void Numbers()
    {
        QFETCH(Fraction, value);
        QFETCH(QString, read);
        for (const int size : {8, 14, 30}) {
            RefFontSize = size;
            Bitmap b(600, 400);
            DrawnTexts texts;
            texts.Listen(b);
            DrawText(QStringLiteral("Tel op: "), clr::Black, false, Margin, 3, 1, b);
            b.Font.Size = size;
            TextEndX = DrawFraction(value, b, TextEndX, 3 * LineHeight, clr::Red);
            DrawText(QStringLiteral(" + 2"), clr::Black, false, TextEndX, 3, 1, b);
            QCOMPARE(texts.Reading(), read);
        }
    }

    void SignsAndFormulas()
    {
        Bitmap b(600, 400);
        DrawnTexts texts;
        texts.Listen(b);
        DrawEuroText(QStringLiteral("12,50 kost het."), clr::Black, false, Margin, 1, 1, b);
        DrawText(QStringLiteral("Snelheid "), clr::Black, false, Margin, 4, 1, b);
        TextEndX =
            DrawFractionText(QStringLiteral("8 V"), QStringLiteral("8 L + V²"), b, TextEndX, 4 * LineHeight, clr::Blue);
        DrawApproxText(QStringLiteral("3,5"), clr::Blue, b, TextEndX, 4, 1);
        DrawText(QStringLiteral("E = "), clr::Black, false, Margin, 7, 1, b);
        int x = TextEndX, y = 7 * LineHeight;
        DrawFractionPower(x, y, QStringLiteral("v"), QStringLiteral("3,6"), QStringLiteral("2"), b, clr::Red);
        DrawText(QStringLiteral("x 0,5"), clr::Black, false, x + Margin, 7, 1, b);
        QCOMPARE(texts.Reading(),
                 QStringLiteral("€12,50 kost het.\nSnelheid (8 V)/(8 L + V²) ≈ 3,5\nE = (v/3,6)^2 x 0,5"));
    }

    // Two lines of a small font stand 1.25 text heights apart, like a numerator and its
    // denominator: they stay two lines.
    void LinesAreNoFraction()
    {
        Bitmap b(300, 400);
        DrawnTexts texts;
        texts.Listen(b);
        b.Font.Size = 10;
        const int h = b.TextHeight(QStringLiteral("H"));
        LineHeight = Round(1.25 * h);
        for (const double size : {0.7, 0.8, 0.9, 1.0}) {
            texts.Clear();
            DrawText(QStringLiteral("(Geef een breuk of"), clr::Black, false, -1, 6.5, size, b);
            DrawText(QStringLiteral("geheel getal in.)"), clr::Black, false, -1, 7.5, size, b);
            QCOMPARE(texts.Reading(), QStringLiteral("(Geef een breuk of\ngeheel getal in.)"));
            // Lines of equal width leave TextEndX where it was.
            texts.Clear();
            DrawText(QStringLiteral("2% ernaast: 2 punten"), clr::Black, false, Margin, 6.5, size, b);
            DrawText(QStringLiteral("3% ernaast: 0 punten"), clr::Black, false, Margin, 7.5, size, b);
            QCOMPARE(texts.Reading(), QStringLiteral("2% ernaast: 2 punten\n3% ernaast: 0 punten"));
        }
    }

    // Painting over forgets: the whole bitmap, a band of lines, or a text drawn again at
    // the same place (a counter in an animation).
    void PaintedOverTextsAreGone()
    {
        Exercise s;
        s.TextBitmap.SetSize(600, 400);
        s.TextTexts.Listen(s.TextBitmap);
        DrawText(QStringLiteral("Vraag"), clr::Black, false, Margin, 1, 1, s.TextBitmap);
        DrawText(QStringLiteral("Jammer!"), clr::Black, false, Margin, 8, 1, s.TextBitmap);
        DrawText(QStringLiteral("Nog eens"), clr::Black, false, Margin, 9, 1, s.TextBitmap);
        DrawText(QStringLiteral("Onder"), clr::Black, false, Margin, 11, 1, s.TextBitmap);
        s.WipeLines(s.TextBitmap, 8, 10);
        DrawText(QStringLiteral("Goed zo!"), clr::Black, false, Margin, 8, 1, s.TextBitmap);
        QCOMPARE(s.TextTexts.Reading(), QStringLiteral("Vraag\nGoed zo!\nOnder"));

        DrawText(QStringLiteral("12"), clr::Black, false, 300, 1, 1, s.TextBitmap);
        DrawText(QStringLiteral("13"), clr::Black, false, 300, 1, 1, s.TextBitmap);
        QCOMPARE(s.TextTexts.Reading(), QStringLiteral("Vraag 13\nGoed zo!\nOnder"));

        s.Wipe(s.TextBitmap);
        QVERIFY(s.TextTexts.IsEmpty());
        QCOMPARE(s.TextTexts.Reading(), QString());
        QCOMPARE(s.TextBitmap.Pixel(10, 10), clr::BtnFace);
    }

    // A tool or test that watched the bitmap before keeps being told.
    void ListeningKeepsAnEarlierObserver()
    {
        Bitmap b(200, 100);
        QStringList seen;
        b.TextObserver = [&seen](const TextEvent& e) { seen << e.Text; };
        DrawnTexts texts;
        texts.Listen(b);
        b.TextOut(5, 5, QStringLiteral("hallo"));
        QCOMPARE(seen, QStringList{QStringLiteral("hallo")});
        QCOMPARE(texts.Reading(), QStringLiteral("hallo"));
    }
};

QTEST_MAIN(TestDrawnTexts)
#include "tst_drawntexts.moc"
