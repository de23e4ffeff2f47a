// Themes 1, 2, 3 and 23: the gardens posed, the answer they expect, the worked explanation
// and an exact half percent.
#include "support/themerig.h"
#include "themes/fractions/grass.h"
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

// The grass part from the shape alone: w/W of the width times h/H of the height, half of
// that for one triangle, and the rest of the garden from variant 3 on.
Fraction GrassPart(int c, int W, int H, int w, int h)
{
    const Fraction part = FracMul(FracMul(Ratio(w, W), Ratio(h, H)), Ratio(c % 3 == 0 ? 1 : 2, 2));
    return c >= 3 ? FracSub(IntToFraction(1), part) : part;
}

}  // namespace

class TestGrass : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void posedGardens_data();
    void posedGardens();
    void explanation_data();
    void explanation();
    void bothRoundingsOfAnExactHalfAreRight();
};

void TestGrass::posedGardens_data()
{
    QTest::addColumn<int>("theme");
    QTest::addColumn<int>("level");
    for (const int theme : {1, 2, 3, 23})
        for (int level = 1; level <= 3; ++level)
            QTest::addRow("theme %d level %d", theme, level) << theme << level;
}

// Thousands of runs of twelve gardens: the variant cycle, the size lists, the ranges, the
// no-repeat rule and the covered part, computed from the shape with Fraction.
void TestGrass::posedGardens()
{
    QFETCH(int, theme);
    QFETCH(int, level);
    const std::set<std::pair<int, int>> percentGardens{{2, 2},  {2, 5},  {5, 2},  {2, 10}, {10, 2}, {2, 25}, {25, 2},
                                                       {4, 5},  {5, 4},  {5, 5},  {5, 10}, {10, 5}, {4, 10}, {10, 4},
                                                       {4, 25}, {25, 4}, {5, 20}, {20, 5}, {5, 8},  {8, 5}};
    std::set<int> indices;
    for (std::uint32_t seed = 1; seed <= 3000; ++seed) {
        Random random(seed * 7919u);
        int variant = -1, previous = 0;
        for (int done = 0; done < 12; ++done) {
            const int expectedVariant = done < 3 ? 1 : (variant + 1) % (level == 1 ? 4 : 6);
            QCOMPARE(variant = NextGrassVariant(variant, level, done), expectedVariant);
            const GrassNumbers g = PoseGrass(theme, level, variant, previous, random);
            if (theme == 1) {
                QVERIFY(g.SizeIndex >= (level == 1 ? 1 : 2) && g.SizeIndex <= (level == 1 ? 3 : 7));
                QVERIFY(g.W == (std::array{0, 4, 6, 8, 9, 12, 18, 24}[g.SizeIndex]) && g.H == g.W && g.w > 1 &&
                        g.h > 1);
            } else if (theme == 23) {
                QVERIFY(g.SizeIndex == previous && g.W >= 10 && g.W <= 19 && g.H >= 10 && g.H <= 19);
            } else {
                QVERIFY(percentGardens.count({g.W, g.H}) && 100 * g.N % g.D == 0);
                QVERIFY2(variant % 3 != 0 || g.W != 2 || g.H != 2, "one triangle never on 2 by 2");
            }
            QVERIFY2(g.w >= 1 && g.w < g.W && g.h >= 1 && g.h < g.H && (theme == 23 || g.SizeIndex != previous),
                     "a shape inside the garden, never the size of the previous garden");
            QCOMPARE(Ratio(g.N, g.D), GrassPart(variant, g.W, g.H, g.w, g.h));
            QCOMPARE(g.D, (variant % 3 == 0 ? 2 : 1) * g.W * g.H);
            indices.insert(previous = g.SizeIndex);
        }
    }
    QCOMPARE(indices.size(), std::size_t(theme == 1 ? (level == 1 ? 3 : 6) : theme == 23 ? 1 : 20));
}

void TestGrass::explanation_data()
{
    QTest::addColumn<int>("theme");
    QTest::addColumn<int>("variant");
    QTest::addColumn<bool>("practice");
    QTest::newRow("theme 1, no grass on a triangle, practice") << 1 << 3 << true;
    QTest::newRow("theme 2, no grass on two triangles, test") << 2 << 5 << false;
    QTest::newRow("theme 3, no grass on a rectangle, practice") << 3 << 4 << true;
}

// After a final wrong answer: the product of the shape's fractions in practice, then the
// covered part; a percentage theme adds the percentage it makes.
void TestGrass::explanation()
{
    QFETCH(int, theme);
    QFETCH(int, variant);
    QFETCH(bool, practice);
    ThemeRig rig(GrassGarden, theme, 2, 808);
    rig.s.SetCategory(Category::Fractions, practice);
    rig.s.ExercisesDone = 3;
    rig.s.ThemeMemory[theme] = variant - 1;
    rig.Next();
    const Session& s = rig.s;
    QVERIFY2(s.SessionTitle == GrassCaption(variant) && s.ThemeCycle[grass::SizeIndexCounter] != 0,
             "the caption of the shape; the size index remembered");
    const auto n = [&s](int slot) { return QString::number(s.Param[slot]); };
    const Fraction part = GrassPart(variant, s.Param[1], s.Param[2], s.Param[3], s.Param[4]);
    const QString fraction = QStringLiteral("%1|%2").arg(part.Num).arg(part.Den);  // 0 < part < 1
    QString expected = fraction;
    if (practice)
        expected = QStringLiteral("%1%2|%3|  x  |%4|%5|%6  =  |")
                       .arg(variant >= 3 ? QStringLiteral("1 - |") : QString(), n(3), n(1), n(4), n(2),
                            variant % 3 ? QString() : QStringLiteral("  x  |1|2|")) +
                   fraction;
    if (theme != 1)
        expected +=
            QStringLiteral("|  deel.|Dus:  |%1| x 100 %  =  %2 %.").arg(fraction).arg(100 * part.Num / part.Den);
    QStringList shown;
    for (const TextEvent& e : rig.FinalVerdict(theme == 1 ? QStringLiteral("1/997") : QStringLiteral("999")))
        shown << e.Text;
    QCOMPARE(shown.join(QLatin1Char('|')), expected);
}

// 10 by 16 squares, one triangle of 1 by 2: 0.625 %. Both roundings to two decimals are
// right, although each is 0.005 away; a third decimal off is not.
void TestGrass::bothRoundingsOfAnExactHalfAreRight()
{
    std::uint32_t seed = 0;
    for (GrassNumbers g; g.W != 10 || g.H != 16 || g.w != 1 || g.h != 2;) {
        QVERIFY(++seed < 20000000);
        Random random(seed);
        g = PoseGrass(23, 2, 0, 0, random);
    }
    for (const auto& [answer, right] : {std::pair{"0,62", true}, {"0,63", true}, {"0,61", false}, {"0,635", false}}) {
        ThemeRig rig(GrassGarden, 23, 2, seed);
        rig.s.ExercisesDone = 3;  // past the rectangles of the first exercises: variant 0
        rig.Next();
        QCOMPARE(rig.s.ExpectedReal, 0.625);
        QString typed = QString::fromLatin1(answer);
        QCOMPARE(rig.s.SubmitAnswer(typed), AnswerOutcome::Marked);
        QVERIFY2((rig.s.Attempt == 0) == right, answer);
    }
}

QTEST_MAIN(TestGrass)
#include "tst_grass.moc"
