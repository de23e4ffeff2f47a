// Theme 9: the two inputs, the machine's outcome, the hidden "Rara" and the formula line.
#include "support/textrecorder.h"
#include "support/themerig.h"
#include "themes/fractions/riddle.h"
#include "toolkit/fraction.h"
#include "toolkit/layout.h"

#include <QtTest>

#include <map>
#include <set>

using namespace velmora;
using velmora::test::DrawnText;
using velmora::test::TextRecorder;
using velmora::test::ThemeRig;

namespace {

Fraction Ratio(int p, int q)
{
    return FracDiv(IntToFraction(p), IntToFraction(q));
}

}  // namespace

class TestRiddle : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void numbersAndAnswer_data();
    void numbersAndAnswer();
    void halfAndTwoThirds();
    void formulaContinuesAfterEachPiece();
};

void TestRiddle::numbersAndAnswer_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("low");
    QTest::addColumn<int>("high");
    QTest::newRow("Starter") << 1 << 3 << 4;
    QTest::newRow("Durver") << 2 << 5 << 6;
    QTest::newRow("Prof") << 3 << 6 << 9;
}

// Thousands of riddles: the inputs fit the level, the variant and the size limit never repeat,
// and the expected answer is the hidden one of X, Y and their sum or product.
void TestRiddle::numbersAndAnswer()
{
    QFETCH(int, level);
    QFETCH(int, low);
    QFETCH(int, high);
    std::set<int> variants, limits;
    ThemeRig rig(FractionRiddle, 9, level, 4);
    Session& s = rig.s;
    for (int i = 0; i < 6000; ++i) {
        const int previousVariant = s.ThemeMemory[9], previousLimit = s.ThemeCycle[riddle::PreviousLimitCounter];
        PoseRiddle(s);
        const int c = s.ThemeMemory[9], limit = s.ThemeCycle[riddle::PreviousLimitCounter];
        QVERIFY2(c != previousVariant && limit != previousLimit, "no variant or size limit twice in a row");
        QVERIFY(c >= 0 && c <= 5 && limit >= low && limit <= high);
        variants.insert(c);
        limits.insert(limit);

        const Fraction x = Ratio(s.Param[1], s.Param[2]), y = Ratio(s.Param[3], s.Param[4]),
                       z = Ratio(s.Param[5], s.Param[6]);
        QVERIFY2(x.Den == s.Param[2] && y.Den == s.Param[4] && z.Den == s.Param[6], "stored in lowest terms");
        for (const Fraction& input : {x, y})
            QVERIFY2(input.Num != 0 && input.Den <= 6 && input.Whole < level, "not whole, sixths at most, below L");
        QVERIFY(!FracEqual(x, y));
        QVERIFY2(FracSign(FracSub(IntToFraction(5), FracAdd(x, y))) >= 0, "the sum fits the number line");
        QCOMPARE(z, c < 3 ? FracAdd(x, y) : FracMul(x, y));
        QCOMPARE(s.ExpectedFraction, (std::array{z, x, y}[c % 3]));
        QCOMPARE(s.FeedbackText, c < 3 ? QStringLiteral("  +  ") : QStringLiteral("  x  "));
    }
    QCOMPARE(int(variants.size()), 6);
    QCOMPARE(int(limits.size()), high - low + 1);
}

// X = 1/2 and Y = 2/3: Rara is the sum 1 1/6 or the product 1/3, or the input hidden.
void TestRiddle::halfAndTwoThirds()
{
    ThemeRig rig(FractionRiddle, 9, 1, 11);
    const auto& p = rig.s.Param;
    std::map<int, Fraction> found;
    for (int i = 0; i < 400000 && found.size() < 6; ++i) {
        PoseRiddle(rig.s);
        if (Ratio(p[1], p[2]) == Ratio(1, 2) && Ratio(p[3], p[4]) == Ratio(2, 3))
            found[rig.s.ThemeMemory[9]] = rig.s.ExpectedFraction;
    }
    const std::map<int, Fraction> expected{{0, Fraction{1, 1, 1, 6}}, {1, Ratio(1, 2)}, {2, Ratio(2, 3)},
                                           {3, Ratio(1, 3)},          {4, Ratio(1, 2)}, {5, Ratio(2, 3)}};
    QVERIFY(found == expected);
}

// Line 3 reads X, the operator, Y, "  =  ", Z: every operator and "Rara" starts where the piece
// before it ended, and a fraction's glyphs come after it (none at a stale x over other drawing).
void TestRiddle::formulaContinuesAfterEachPiece()
{
    ThemeRig rig(FractionRiddle, 9, 3, 23);
    TextRecorder text;
    text.Attach(rig.s.TextBitmap);
    std::set<int> hiddenSeen;
    for (int i = 0; i < 30; ++i) {
        text.Clear();
        rig.Next();
        hiddenSeen.insert(rig.s.ThemeMemory[9] % 3);
        int pieceEnd = Margin, glyphsEnd = Margin, pieces = 0;
        for (const DrawnText& t : text.Texts) {
            if (t.Text.startsWith(QStringLiteral("Hoe groot")))
                break;
            if (t.Text.isEmpty() || t.Text == rig.s.WorkText)
                continue;
            if (t.Text == rig.s.FeedbackText || t.Text == QStringLiteral("  =  ") || t.Text == QStringLiteral("Rara")) {
                QCOMPARE(t.X, glyphsEnd);
                pieceEnd = glyphsEnd = t.Right;
                ++pieces;
            } else {
                QVERIFY(t.X >= pieceEnd);
                glyphsEnd = std::max(glyphsEnd, t.Right);
            }
        }
        QCOMPARE(pieces, 3);
    }
    QCOMPARE(int(hiddenSeen.size()), 3);
}

QTEST_MAIN(TestRiddle)
#include "tst_riddle.moc"
