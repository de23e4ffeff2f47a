// Theme 8: the terrace's sides, the variant cycle, the yellow area and what the pupil sees.
#include "support/textrecorder.h"
#include "support/themerig.h"
#include "themes/fractions/tiles.h"
#include "toolkit/fraction.h"
#include "toolkit/layout.h"
#include "toolkit/text.h"

#include <QtTest>

#include <set>
#include <vector>

using namespace velmora;
using velmora::test::TextRecorder;
using velmora::test::ThemeRig;

namespace {

Fraction Ratio(int p, int q)
{
    return FracDiv(IntToFraction(p), IntToFraction(q));
}

Fraction Int(int k)
{
    return IntToFraction(k);
}

// A rectangle of the terrace plan, in tile units.
struct Part {
    Fraction U1, V1, U2, V2;
};

// The yellow part of each variant as rectangles on the tile grid (u along the width, v along
// the height); its area is summed from these, independent of any formula.
std::vector<Part> Yellow(int variant, int n, int m, const Fraction& w, const Fraction& h)
{
    switch (variant) {
        case 0:
            return {{Int(n - 1), Int(0), w, Int(m - 1)}};
        case 1:
            return {{Int(0), Int(m - 1), Int(n - 1), h}};
        case 2:
            return {{Int(n - 1), Int(m - 1), w, h}};
        case 3:
            return {{w, Int(0), Int(n), Int(m - 1)}};
        case 4:
            return {{Int(0), h, Int(n - 1), Int(m)}};
        case 5:  // two rectangles that share the cut-off corner piece
            return {{w, Int(m - 1), Int(n), h}, {Int(n - 1), h, Int(n), Int(m)}};
        case 6:
            return {{Int(0), Int(0), w, h}};
        default:
            return {{w, Int(0), Int(n), h}, {Int(0), h, Int(n), Int(m)}};
    }
}

Fraction YellowArea(int variant, int n, int m, const Fraction& w, const Fraction& h)
{
    Fraction area = Int(0);
    for (const Part& p : Yellow(variant, n, m, w, h))
        area = FracAdd(area, FracMul(FracSub(p.U2, p.U1), FracSub(p.V2, p.V1)));
    return area;
}

std::pair<int, int> LimitRange(int level)
{
    return level == 1 ? std::pair{3, 5} : level == 2 ? std::pair{4, 7} : std::pair{5, 9};
}

}  // namespace

class TestTiles : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void numbersAndAnswer_data();
    void numbersAndAnswer();
    void exactAreas_data();
    void exactAreas();
    void pictureShowsTheVariant();
    void questionAndField();
};

void TestTiles::numbersAndAnswer_data()
{
    QTest::addColumn<int>("level");
    for (const int level : {1, 2, 3})
        QTest::addRow("level %d", level) << level;
}

// Thousands of terraces: sides neither whole nor below 2, the size limit never twice in a
// row, the variants in turn, and the area summed from the yellow rectangles.
void TestTiles::numbersAndAnswer()
{
    QFETCH(int, level);
    const int variants = level == 1 ? 6 : 8;
    const auto [low, high] = LimitRange(level);
    std::set<int> limits, denominators;
    for (const std::uint32_t seed : {2u, 424243u}) {
        ThemeRig rig(TerraceTiles, 8, level, seed);
        Session& s = rig.s;
        int previous = 0;
        for (int i = 0; i < 2000; ++i) {
            PoseTiles(s);
            const int variant = s.ThemeMemory[8];
            QCOMPARE(variant, i % variants);
            const int limit = s.ThemeCycle[3];
            QVERIFY(limit >= low && limit <= high);
            QVERIFY2(limit != previous, "the same size limit twice in a row");
            previous = limit;
            limits.insert(limit);

            const Fraction w = Ratio(s.Param[3], s.Param[4]);
            const Fraction h = Ratio(s.Param[5], s.Param[6]);
            QCOMPARE(w.Den, s.Param[4]);  // stored in lowest terms
            QCOMPARE(h.Den, s.Param[6]);
            for (const Fraction& side : {w, h}) {
                QVERIFY2(side.Num != 0, "a side is never whole");
                QVERIFY2(side.Whole >= 2, "a side is at least 2");
                QVERIFY(side.Den >= 2 && side.Den <= 8);
                QVERIFY2(FractionToReal(side) < limit, "a side stays below the size limit");
                denominators.insert(side.Den);
            }
            const int n = s.Param[1], m = s.Param[2];
            QCOMPARE(n, w.Whole + 1);
            QCOMPARE(m, h.Whole + 1);
            QCOMPARE(s.ExpectedFraction, YellowArea(variant, n, m, w, h));
            QCOMPARE(s.ExpectedFraction, Simplify(s.ExpectedFraction));
        }
    }
    QCOMPARE(int(limits.size()), high - low + 1);
    QCOMPARE(denominators, (std::set<int>{2, 3, 4, 5, 6, 7, 8}));
}

void TestTiles::exactAreas_data()
{
    QTest::addColumn<int>("variant");
    QTest::addColumn<Fraction>("area");
    // W = 3 2/5, H = 2 3/4: n = 4, m = 3.
    QTest::newRow("used part of the last column") << 0 << Ratio(4, 5);
    QTest::newRow("used part of the last row") << 1 << Ratio(9, 4);
    QTest::newRow("used part of the corner tile") << 2 << Ratio(3, 10);
    QTest::newRow("cut off the last column") << 3 << Ratio(6, 5);
    QTest::newRow("cut off the last row") << 4 << Ratio(3, 4);
    QTest::newRow("cut off the corner tile") << 5 << Ratio(7, 10);
    QTest::newRow("the whole terrace") << 6 << Ratio(187, 20);
    QTest::newRow("everything cut off") << 7 << Ratio(53, 20);
}

void TestTiles::exactAreas()
{
    QFETCH(int, variant);
    QFETCH(Fraction, area);
    const Fraction w = Ratio(17, 5), h = Ratio(11, 4);
    QCOMPARE(TileArea(variant, w, h), area);
    QCOMPARE(YellowArea(variant, 4, 3, w, h), area);
}

// The yellow tiles are where the variant says: inside every yellow rectangle the picture is
// yellow, and the first whole tile is grey unless the whole terrace is yellow.
void TestTiles::pictureShowsTheVariant()
{
    ThemeRig rig(TerraceTiles, 8, 3, 77);
    for (int i = 0; i < 16; ++i) {
        rig.Next();
        const Session& s = rig.s;
        const int n = s.Param[1], m = s.Param[2];
        const double grid = 70.0 / std::max(n, m);
        const auto x = [&](double u) { return PctX(15 + u * Trunc(grid * n) / n); };
        const auto y = [&](double v) { return PctY(15 + v * Trunc(grid * m) / m); };
        // Half a tile in, or the middle of a narrower strip: off the grid lines and the outline.
        const auto inside = [](const Fraction& a, const Fraction& b) {
            const double from = FractionToReal(a), to = FractionToReal(b);
            return to - from >= 1 ? from + 0.5 : (from + to) / 2;
        };
        const Fraction w = Ratio(s.Param[3], s.Param[4]), h = Ratio(s.Param[5], s.Param[6]);
        const int variant = s.ThemeMemory[8];
        for (const Part& p : Yellow(variant, n, m, w, h)) {
            const int px = x(inside(p.U1, p.U2)), py = y(inside(p.V1, p.V2));
            QVERIFY2(s.PictureBitmap.Pixel(px, py) == clr::Yellow,
                     qPrintable(QStringLiteral("variant %1").arg(variant)));
        }
        const QColor first = s.PictureBitmap.Pixel(x(0.5), y(0.5));
        QCOMPARE(first, variant == 6 ? clr::Yellow : clr::Gray);
    }
}

void TestTiles::questionAndField()
{
    ThemeRig rig(TerraceTiles, 8, 2, 9);
    TextRecorder text, picture;
    text.Attach(rig.s.TextBitmap);
    picture.Attach(rig.s.PictureBitmap);
    for (int i = 0; i < 8; ++i) {
        text.Clear();
        picture.Clear();
        rig.Next();
        const Session& s = rig.s;
        const QString size = QStringLiteral("%1 bij %2.").arg(s.Param[1]).arg(s.Param[2]);
        QVERIFY(text.Find(size));
        QVERIFY(picture.Find(QStringLiteral("Het totale terras is ") + size));
        QCOMPARE(text.Find(QStringLiteral("van het geel gekleurde deel ?"))->Colour, clr::Red);
        // The sides are written as mixed numbers in blue beside the dimension lines.
        const Fraction w = Ratio(s.Param[3], s.Param[4]);
        const auto whole = picture.Find(QString::number(w.Whole));
        QVERIFY(whole);
        QCOMPARE(whole->Colour, clr::Blue);
        QCOMPARE(rig.view.Field.Kind, 4);
        QCOMPARE(rig.view.Field.Label, QStringLiteral("Oppervlakte: "));
        QCOMPARE(rig.view.Field.Hint, QStringLiteral("|Oppervlakte van het geel gekleurde deel ?"));
        QCOMPARE(rig.view.Field.PanelTop, 10 * LineHeight);
    }
}

QTEST_MAIN(TestTiles)
#include "tst_tiles.moc"
