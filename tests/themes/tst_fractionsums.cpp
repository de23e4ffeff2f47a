// Themes 4 and 5: the numbers posed, the answer expected and what the pupil sees.
#include "support/themerig.h"
#include "themes/fractions/sums.h"
#include "toolkit/fraction.h"
#include "toolkit/layout.h"
#include "toolkit/text.h"

#include <QtTest>

#include <set>

using namespace velmora;
using velmora::test::ThemeRig;

namespace {

struct Pair {
    int A, B;
};
constexpr Pair LowerPairs[4] = {{12, 12}, {6, 6}, {6, 12}, {10, 10}};
constexpr Pair ProfPairs[4] = {{24, 20}, {18, 12}, {10, 12}, {20, 12}};

Fraction Ratio(int p, int q)
{
    return FracDiv(IntToFraction(p), IntToFraction(q));
}

// Number of runs of white pixels along one row between two x positions.
int WhiteRuns(const Bitmap& b, int y, int x1, int x2)
{
    int runs = 0;
    bool inRun = false;
    for (int x = x1; x < x2; ++x) {
        const bool white = b.Pixel(x, y) == clr::White;
        if (white && !inRun)
            ++runs;
        inRun = white;
    }
    return runs;
}

}  // namespace

class TestFractionSums : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void numbersAndAnswer_data();
    void numbersAndAnswer();
    void fullRangeIsDrawn_data();
    void fullRangeIsDrawn();
    void secondAttemptRedrawsOnlyText_data();
    void secondAttemptRedrawsOnlyText();
    void divisionLinesOnlyAtStarter_data();
    void divisionLinesOnlyAtStarter();
};

void TestFractionSums::numbersAndAnswer_data()
{
    QTest::addColumn<int>("theme");
    QTest::addColumn<int>("level");
    for (const int theme : {4, 5})
        for (const int level : {1, 2, 3})
            QTest::addRow("theme %d level %d", theme, level) << theme << level;
}

// Thousands of exercises: the rejection rules, the variant cycle and the expected value.
void TestFractionSums::numbersAndAnswer()
{
    QFETCH(int, theme);
    QFETCH(int, level);
    const bool sum = theme == 4;
    const Pair* pairs = level == 3 ? ProfPairs : LowerPairs;
    for (const std::uint32_t seed : {1u, 900001u}) {
        ThemeRig rig(FractionSums, theme, level, seed);
        Session& s = rig.s;
        for (int i = 0; i < 600; ++i) {
            rig.Next();
            const int counter = i % 4;
            QCOMPARE(s.ThemeMemory[theme], counter);
            const int a = pairs[counter].A, b = pairs[counter].B;
            const int d1 = s.Param[1], d2 = s.Param[2], p1 = s.Param[3], p2 = s.Param[4];
            const int n = s.Param[5], d = s.Param[6];
            QCOMPARE(d, a * b);
            // The fractions shown are n1/A and n2/B in lowest terms.
            QVERIFY(a % d1 == 0 && b % d2 == 0);
            const int n1 = p1 * (a / d1), n2 = p2 * (b / d2);
            QCOMPARE(Ratio(n1, a), Ratio(p1, d1));
            QCOMPARE(n, sum ? n1 * b + n2 * a : n1 * b - n2 * a);
            QVERIFY2(n != d, "a result of exactly one whole is never posed");
            if (sum) {
                QVERIFY(n1 >= 1 && n1 <= a - 1 && n2 >= 1 && n2 <= b - 1);
            } else {
                QVERIFY(n1 % 2 == 0 && n1 >= 2 && n1 <= 2 * a - 2);
                QVERIFY(n2 % 2 == 0 && n2 >= 2 && n2 <= 2 * b - 2);
                QVERIFY2(n > 0, "the first fraction is the larger");
                QVERIFY2(n1 != a && n2 != b, "neither fraction is one whole");
            }
            const Fraction expected =
                sum ? FracAdd(Ratio(p1, d1), Ratio(p2, d2)) : FracSub(Ratio(p1, d1), Ratio(p2, d2));
            QCOMPARE(s.ExpectedFraction, expected);
            QCOMPARE(s.ExpectedReal, double(n) / d);
            QCOMPARE(s.ExpectedInt, Round(100.0 * n / d));
        }
        QCOMPARE(rig.view.Field.Kind, 3);
        QCOMPARE(rig.view.Field.Label, sum ? QStringLiteral("Som: ") : QStringLiteral("Verschil: "));
        QCOMPARE(rig.view.Field.Hint, sum ? QStringLiteral("|Som = ?") : QStringLiteral("|Verschil = ?"));
        QCOMPARE(rig.view.Field.Text, QStringLiteral("?"));
        QCOMPARE(rig.view.Field.PanelTop, 6 * LineHeight);
        QCOMPARE(s.FeedbackText, sum ? QStringLiteral("+") : QStringLiteral("-"));
        QCOMPARE(s.WorkText, sum ? QStringLiteral("optellen") : QStringLiteral("aftrekken"));
    }
}

void TestFractionSums::fullRangeIsDrawn_data()
{
    QTest::addColumn<int>("theme");
    QTest::addColumn<std::set<int>>("firstNumerators");
    QTest::newRow("sum over 6") << 4 << std::set<int>{1, 2, 3, 4, 5};
    // 2/6 has no smaller even partner, 6/6 is one whole; 8/6 and 10/6 are mixed numbers.
    QTest::newRow("difference over 6") << 5 << std::set<int>{4, 8, 10};
}

// With A = B = 6 every allowed first numerator turns up, so no range is cut short.
void TestFractionSums::fullRangeIsDrawn()
{
    QFETCH(int, theme);
    QFETCH(std::set<int>, firstNumerators);
    ThemeRig rig(FractionSums, theme, 2, 12345);
    std::set<int> seen;
    bool mixedSeen = false;
    for (int i = 0; i < 2000; ++i) {
        rig.Next();
        if (rig.s.ThemeMemory[theme] != 1)
            continue;
        const int n1 = rig.s.Param[3] * (6 / rig.s.Param[1]);
        seen.insert(n1);
        if (n1 == 8) {
            QCOMPARE(rig.s.Param[3], 4);
            QCOMPARE(rig.s.Param[1], 3);
            mixedSeen = true;
        }
    }
    QCOMPARE(seen, firstNumerators);
    QCOMPARE(mixedSeen, theme == 5);
}

void TestFractionSums::secondAttemptRedrawsOnlyText_data()
{
    QTest::addColumn<int>("theme");
    QTest::newRow("sum") << 4;
    QTest::newRow("difference") << 5;
}

void TestFractionSums::secondAttemptRedrawsOnlyText()
{
    QFETCH(int, theme);
    ThemeRig rig(FractionSums, theme, 1, 99);
    for (int i = 0; i < 20; ++i) {
        rig.Next();
        const QImage picture = rig.s.PictureBitmap.Image();
        const QImage text = rig.s.TextBitmap.Image();
        const auto params = rig.s.Param;
        const auto memory = rig.s.ThemeMemory;
        const Fraction expected = rig.s.ExpectedFraction;
        const std::uint32_t seed = rig.s.Rng().SeedValue();
        rig.Again();
        QCOMPARE(rig.s.Rng().SeedValue(), seed);
        QVERIFY(rig.s.Param == params);
        QVERIFY(rig.s.ThemeMemory == memory);
        QCOMPARE(rig.s.ExpectedFraction, expected);
        QVERIFY(rig.s.PictureBitmap.Image() == picture);
        QVERIFY2(rig.s.TextBitmap.Image() == text, "the formula line is redrawn identically");
        QVERIFY(rig.view.FieldOpen);
    }
}

void TestFractionSums::divisionLinesOnlyAtStarter_data()
{
    QTest::addColumn<int>("theme");
    QTest::addColumn<int>("level");
    QTest::newRow("sum, Starter") << 4 << 1;
    QTest::newRow("sum, Durver") << 4 << 2;
    QTest::newRow("difference, Starter") << 5 << 1;
    QTest::newRow("difference, Prof") << 5 << 3;
}

// The white cuts split the first bar into d1-ths over one (sum) or two (difference) wholes.
void TestFractionSums::divisionLinesOnlyAtStarter()
{
    QFETCH(int, theme);
    QFETCH(int, level);
    ThemeRig rig(FractionSums, theme, level, 5);
    for (int i = 0; i < 8; ++i) {
        rig.Next();
        const int k = theme == 4 ? 1 : 2;
        const int cuts = level == 1 ? k * rig.s.Param[1] - 1 : 0;
        QCOMPARE(WhiteRuns(rig.s.PictureBitmap, PctY(10), PctX(15) + 2, PctX(15 + 40 * k) - 2), cuts);
    }
}

QTEST_MAIN(TestFractionSums)
#include "tst_fractionsums.moc"
