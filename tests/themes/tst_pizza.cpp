// Theme 14: which slices are posed, what is expected, and where slice and name are drawn.
#include "support/themerig.h"
#include "themes/percentages/pizza.h"
#include "toolkit/layout.h"
#include "toolkit/text.h"

#include <QtTest>

#include <algorithm>
#include <cmath>
#include <numbers>

using namespace velmora;
using velmora::test::ThemeRig;

namespace {

// Dark ink of black text, also where it is smoothed into red, maroon or the face colour.
bool Ink(const QColor& c)
{
    return c.red() < 100 && c.green() < 100 && c.blue() < 100;
}

// Bounding box of the ink in a band of rows, inside the picture's frame.
QRect InkBox(const Bitmap& b, int top, int bottom)
{
    QRect box;
    for (int y = top; y < bottom; ++y)
        for (int x = 1; x < b.Width() - 1; ++x)
            if (Ink(b.Pixel(x, y)))
                box |= QRect(x, y, 1, 1);
    return box;
}

// Share of one colour along a ray from (cx, cy), radius 5 to `radius`; the name's ink
// is left out, since the name may be written on the slice.
double ShareAlongRay(const Bitmap& b, double cx, double cy, double radius, double degrees, const QColor& colour)
{
    const double a = degrees * std::numbers::pi / 180;
    int hits = 0, total = 0;
    for (double t = 5; t < radius; t += 1) {
        const QColor pixel = b.Pixel(Round(cx + t * std::cos(a)), Round(cy - t * std::sin(a)));
        if (Ink(pixel) || (pixel.green() > 0 && pixel.green() < 192))
            continue;  // the name and its smoothed edge
        ++total;
        hits += pixel == colour;
    }
    return total ? double(hits) / total : 0;
}

}  // namespace

class TestPizza : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void slicesPosed_data();
    void slicesPosed();
    void sliceAndRestDrawn();
    void namePlacement_data();
    void namePlacement();
    void pointsTableMatchesMarking_data();
    void pointsTableMatchesMarking();
};

void TestPizza::slicesPosed_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("tolerance");
    QTest::newRow("Starter") << 1 << 4;
    QTest::newRow("Durver") << 2 << 3;
}

void TestPizza::slicesPosed()
{
    QFETCH(int, level);
    QFETCH(int, tolerance);
    for (const std::uint32_t seed : {3u, 31337u, 2024u}) {
        ThemeRig rig(PizzaEstimate, 14, level, seed);
        for (int run = 0; run < 30; ++run) {
            rig.Start();
            int previous = 0;
            for (int i = 0; i < 60; ++i) {
                rig.Next();
                const int p = rig.s.ExpectedInt;
                QVERIFY2(p >= 6 && p <= 93, qPrintable(QString::number(p)));
                QVERIFY2(p % 25 != 0, "never a quarter, a half or three quarters");
                QVERIFY2(p < 47 || p > 53, "never close to a half");
                QVERIFY2(std::abs(p - previous) >= 15, "never close to the previous pizza");
                if (i == 0)
                    QVERIFY2(p >= 15, "the first pizza after START");
                previous = p;
                QCOMPARE(rig.s.IntTolerance, tolerance);
            }
        }
        QCOMPARE(rig.view.Field.Kind, 1);
        QCOMPARE(rig.view.Field.Label, QStringLiteral("Femke krijgt: "));
        QCOMPARE(rig.view.Field.Hint, QStringLiteral("|Hoeveel procent krijgt Femke ?"));
        QCOMPARE(rig.view.Field.PanelTop, 6 * LineHeight);
        QCOMPARE(rig.s.AnswerUnit, QStringLiteral(" %"));
    }
}

// The slice's middle ray is red to the rim; the rest, moved out along its own middle, is maroon.
void TestPizza::sliceAndRestDrawn()
{
    ThemeRig rig(PizzaEstimate, 14, 1, 8);
    for (int i = 0; i < 40; ++i) {
        rig.Next();
        const Bitmap& b = rig.s.PictureBitmap;
        const int p = rig.s.ExpectedInt;
        const double c = PctX(50), r = PctX(25), d = PctX(4);
        const double middle = 180 + p * 1.8;
        const double rx = c + d * std::cos(middle * std::numbers::pi / 180);
        const double ry = c - d * std::sin(middle * std::numbers::pi / 180);
        QVERIFY2(ShareAlongRay(b, c, c, r - 2, p * 1.8, clr::Red) > 0.75, qPrintable(QString::number(p)));
        QVERIFY2(ShareAlongRay(b, rx, ry, r - 2, middle, clr::Maroon) > 0.75, qPrintable(QString::number(p)));
        // Beyond the rim nothing is painted.
        QCOMPARE(b.Pixel(Round(c + (r + 4) * std::cos(p * 1.8 * std::numbers::pi / 180)),
                         Round(c - (r + 4) * std::sin(p * 1.8 * std::numbers::pi / 180))),
                 clr::BtnFace);
    }
}

void TestPizza::namePlacement_data()
{
    QTest::addColumn<int>("lowest");
    QTest::addColumn<int>("highest");
    QTest::newRow("large slice: centred at 50 %") << 36 << 93;
    QTest::newRow("middle slice: ends at 70 %") << 16 << 35;
    QTest::newRow("small slice: ends at 75 %, lower") << 6 << 15;
}

void TestPizza::namePlacement()
{
    QFETCH(int, lowest);
    QFETCH(int, highest);
    ThemeRig rig(PizzaEstimate, 14, 2, 77);
    Bitmap probe(8, 8);
    probe.Font.Size = RefFontSize;
    const int w = probe.TextWidth(QStringLiteral("Femke"));
    int found = 0;
    for (int i = 0; i < 300 && found < 3; ++i) {
        rig.Next();
        const int p = rig.s.ExpectedInt;
        if (p < lowest || p > highest)
            continue;
        ++found;
        const int top = p > 15 ? PctX(40) : PctX(45);
        const QRect box = InkBox(rig.s.PictureBitmap, top, top + LineHeight);
        QVERIFY(!box.isEmpty());
        // Glyph side bearings keep the ink a pixel or two inside the advance width.
        const double centre = box.center().x() + 0.5;
        if (p > 35) {
            QVERIFY2(std::abs(centre - PctX(50)) <= 2, qPrintable(QString::number(centre)));
        } else if (p > 15) {
            QVERIFY2(std::abs(box.right() + 1 - PctX(70)) <= 2, qPrintable(QString::number(box.right())));
        } else {
            const int end = PctX(75) - probe.TextWidth(QStringLiteral("Femke ")) + w;
            QVERIFY2(std::abs(box.right() + 1 - end) <= 2, qPrintable(QString::number(box.right())));
        }
        QVERIFY2(std::abs(box.width() - w) <= 3, "the name is drawn once, at the reference size");
    }
    QVERIFY2(found > 0, "the seed never produced a slice of this size");
}

void TestPizza::pointsTableMatchesMarking_data()
{
    QTest::addColumn<int>("level");
    QTest::newRow("Starter") << 1;
    QTest::newRow("Durver") << 2;
}

// What the table on the picture promises for d percent off is what the marking awards.
void TestPizza::pointsTableMatchesMarking()
{
    QFETCH(int, level);
    ThemeRig rig(PizzaEstimate, 14, level, 21);
    QStringList texts;
    rig.s.PictureBitmap.TextObserver = [&texts](const TextEvent& e) { texts << e.Text; };
    for (int d = 0; d <= 5; ++d) {
        texts.clear();
        rig.Next();
        const QString row = d == 0 ? QStringLiteral(" precies goed: ") : QStringLiteral(" %1% ernaast:   ").arg(d);
        const auto it = std::find_if(texts.begin(), texts.end(), [&](const QString& t) { return t.startsWith(row); });
        int promised = -5;  // "Meer ernaast: 5 punten eraf !"
        if (it != texts.end()) {
            const QString points = it->mid(row.size()).section(QLatin1Char(' '), 0, 0);
            promised = points.toInt();
            QCOMPARE(*it, row + points + QStringLiteral(" punten"));
        }
        QVERIFY(texts.contains(QStringLiteral("5 punten eraf !")));
        rig.s.Points = 100;
        QString answer = QString::number(rig.s.ExpectedInt + (d % 2 ? d : -d));
        QCOMPARE(rig.s.SubmitAnswer(answer), AnswerOutcome::Marked);
        QVERIFY2(
            rig.s.Points - 100 == promised,
            qPrintable(QStringLiteral("%1 off: table %2, marking %3").arg(d).arg(promised).arg(rig.s.Points - 100)));
    }
}

QTEST_MAIN(TestPizza)
#include "tst_pizza.moc"
