// Theme 8: the terrace's sides, the variant cycle and the yellow area.
#include "support/themerig.h"
#include "themes/fractions/tiles.h"
#include "toolkit/fraction.h"

#include <QtTest>

#include <set>

using namespace velmora;
using velmora::test::ThemeRig;

namespace {

Fraction Ratio(int p, int q)
{
    return FracDiv(IntToFraction(p), IntToFraction(q));
}

}  // namespace

class TestTiles : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void numbersAndAnswer_data();
    void numbersAndAnswer();
    void areasOfOneTerrace();
};

void TestTiles::numbersAndAnswer_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("low");
    QTest::addColumn<int>("high");
    QTest::newRow("Starter") << 1 << 3 << 5;
    QTest::newRow("Durver") << 2 << 4 << 7;
    QTest::newRow("Prof") << 3 << 5 << 9;
}

// Thousands of terraces: sides neither whole nor below 2 and below the size limit, the limit
// never twice in a row, the variants in turn, and the area of the shown sides in lowest terms.
void TestTiles::numbersAndAnswer()
{
    QFETCH(int, level);
    QFETCH(int, low);
    QFETCH(int, high);
    std::set<int> limits, denominators;
    ThemeRig rig(TerraceTiles, 8, level, 2);
    Session& s = rig.s;
    for (int i = 0; i < 4000; ++i) {
        const int previous = s.ThemeCycle[tiles::PreviousLimitCounter];
        PoseTiles(s);
        const int variant = s.ThemeMemory[8], limit = s.ThemeCycle[tiles::PreviousLimitCounter];
        QCOMPARE(variant, i % (level == 1 ? 6 : 8));
        QVERIFY2(limit >= low && limit <= high && limit != previous, "a new size limit of the level");
        limits.insert(limit);
        const Fraction w = Ratio(s.Param[3], s.Param[4]), h = Ratio(s.Param[5], s.Param[6]);
        QVERIFY2(w.Den == s.Param[4] && h.Den == s.Param[6], "stored in lowest terms");
        for (const Fraction& side : {w, h}) {
            QVERIFY2(side.Num != 0 && side.Whole >= 2 && side.Den <= 8, "not whole, at least 2, eighths at most");
            QVERIFY2(FractionToReal(side) < limit, "a side stays below the size limit");
            denominators.insert(side.Den);
        }
        QVERIFY(s.Param[1] == w.Whole + 1 && s.Param[2] == h.Whole + 1);
        QCOMPARE(s.ExpectedFraction, TileArea(variant, w, h));
        QCOMPARE(s.ExpectedFraction, Simplify(s.ExpectedFraction));
    }
    QCOMPARE(int(limits.size()), high - low + 1);
    QCOMPARE(denominators, (std::set<int>{2, 3, 4, 5, 6, 7, 8}));
}

// W = 3 2/5 and H = 2 3/4 on 4 by 3 tiles: the yellow area of every variant, worked out by
// hand (used part of the last column, of the last row, of the corner tile; the parts cut off
// there; the whole terrace; everything cut off).
void TestTiles::areasOfOneTerrace()
{
    const Fraction areas[tiles::VariantCount] = {Ratio(4, 5), Ratio(9, 4),  Ratio(3, 10),   Ratio(6, 5),
                                                 Ratio(3, 4), Ratio(7, 10), Ratio(187, 20), Ratio(53, 20)};
    for (int variant = 0; variant < tiles::VariantCount; ++variant)
        QCOMPARE(TileArea(variant, Ratio(17, 5), Ratio(11, 4)), areas[variant]);
}

QTEST_MAIN(TestTiles)
#include "tst_tiles.moc"
