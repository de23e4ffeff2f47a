// Themes 1, 2, 3 and 23: the gardens posed, the answer they expect, the picture, the points
// table of the estimate and the worked explanation.
#include "support/themerig.h"
#include "themes/fractions/grass.h"
#include "toolkit/fraction.h"
#include "toolkit/layout.h"
#include "toolkit/text.h"

#include <QtTest>

#include <set>

using namespace velmora;
using velmora::test::ThemeRig;

namespace {

const std::set<std::pair<int, int>> PercentGardens{{2, 2},  {2, 5},  {5, 2},  {2, 10}, {10, 2}, {2, 25}, {25, 2},
                                                   {4, 5},  {5, 4},  {5, 5},  {5, 10}, {10, 5}, {4, 10}, {10, 4},
                                                   {4, 25}, {25, 4}, {5, 20}, {20, 5}, {5, 8},  {8, 5}};

Fraction Ratio(int p, int q)
{
    return FracDiv(IntToFraction(p), IntToFraction(q));
}

// The grass part from the shape alone: w/W of the width times h/H of the height, half of
// that for one triangle, and the rest of the garden from variant 3 on.
Fraction GrassPart(int c, int W, int H, int w, int h)
{
    Fraction part = FracMul(Ratio(w, W), Ratio(h, H));
    if (c % 3 == 0)
        part = FracMul(part, Ratio(1, 2));
    return c >= 3 ? FracSub(IntToFraction(1), part) : part;
}

QStringList FractionTexts(const Fraction& f)
{
    QStringList texts;
    if (f.Whole)
        texts << QString::number(f.Whole);
    if (f.Num)
        texts << QString::number(f.Num) << QString::number(f.Den);
    return texts;
}

// Starts a rig whose next garden has variant c (no rectangle-first rule any more).
void AimAtVariant(ThemeRig& rig, int theme, int c)
{
    rig.s.ExercisesDone = 3;
    rig.s.ThemeMemory[theme] = c - 1;
}

bool Submit(ThemeRig& rig, const QString& text)
{
    QString t = text;
    rig.s.EnterAnswerField();
    return rig.s.SubmitAnswer(t) == AnswerOutcome::Marked;
}

}  // namespace

class TestGrass : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void posedGardens_data();
    void posedGardens();
    void generatorShowsWhatItExpects_data();
    void generatorShowsWhatItExpects();
    void pictureShapeAndGrid_data();
    void pictureShapeAndGrid();
    void triangleHintForBeginners();
    void estimateTableMatchesMarking_data();
    void estimateTableMatchesMarking();
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

// Thousands of runs of twelve gardens: the variant cycle, the tables, the ranges, the
// no-repeat rule and the covered part, computed from the shape with Fraction.
void TestGrass::posedGardens()
{
    QFETCH(int, theme);
    QFETCH(int, level);
    const int variants = level == 1 ? 4 : 6;
    std::set<int> indices;
    for (std::uint32_t seed = 1; seed <= 3000; ++seed) {
        Random random(seed * 7919u);
        int variant = -1, previous = 0;
        for (int done = 0; done < 12; ++done) {
            const int expectedVariant = done < 3 ? 1 : (variant + 1) % variants;
            variant = NextGrassVariant(variant, level, done);
            QCOMPARE(variant, expectedVariant);
            const GrassNumbers g = PoseGrass(theme, level, variant, previous, random);
            QCOMPARE(g.Variant, variant);
            if (theme == 1) {
                QVERIFY(g.SizeIndex >= (level == 1 ? 1 : 2) && g.SizeIndex <= (level == 1 ? 3 : 7));
                QCOMPARE(g.W, (std::array{0, 4, 6, 8, 9, 12, 18, 24}[g.SizeIndex]));
                QCOMPARE(g.H, g.W);
                QVERIFY(g.w >= 2 && g.w <= g.W - 1 && g.h >= 2 && g.h <= g.W - 1);
            } else if (theme == 23) {
                QCOMPARE(g.SizeIndex, previous);
                QVERIFY(g.W >= 10 && g.W <= 19 && g.H >= 10 && g.H <= 19);
            } else {
                QVERIFY(PercentGardens.count({g.W, g.H}) == 1);
                QVERIFY2(!(variant % 3 == 0 && g.W == 2 && g.H == 2), "one triangle never on 2 by 2");
                QVERIFY2(100 * g.N % g.D == 0, "a whole percentage");
            }
            if (theme != 1)
                QVERIFY(g.w >= 1 && g.w <= g.W - 1 && g.h >= 1 && g.h <= g.H - 1);
            if (theme != 23)
                QVERIFY2(g.SizeIndex != previous, "never the size of the previous garden");
            QCOMPARE(Ratio(g.N, g.D), GrassPart(variant, g.W, g.H, g.w, g.h));
            QCOMPARE(g.D, (variant % 3 == 0 ? 2 : 1) * g.W * g.H);
            indices.insert(g.SizeIndex);
            previous = g.SizeIndex;
        }
    }
    const std::size_t sizes = theme == 1 ? (level == 1 ? 3 : 6) : theme == 23 ? 1 : 20;
    QCOMPARE(indices.size(), sizes);
}

void TestGrass::generatorShowsWhatItExpects_data()
{
    posedGardens_data();
}

// Through the generator: the slots, the texts drawn from them, the answer field and the
// expected answers in all three forms.
void TestGrass::generatorShowsWhatItExpects()
{
    QFETCH(int, theme);
    QFETCH(int, level);
    ThemeRig rig(GrassGarden, theme, level, 4242);
    Session& s = rig.s;
    QStringList texts;
    s.TextBitmap.TextObserver = [&texts](const TextEvent& e) { texts << e.Text; };
    for (int i = 0; i < 300; ++i) {
        texts.clear();
        s.ExercisesDone = i;
        const int previous = s.ThemeCycle[grass::SizeIndexCounter];
        rig.Next();
        const int c = s.ThemeMemory[theme];
        const int W = s.Param[1], H = s.Param[2], w = s.Param[3], h = s.Param[4];
        QCOMPARE(c, i < 3 ? 1 : (i - 3 + 2) % (level == 1 ? 4 : 6));
        QCOMPARE(s.SessionTitle, GrassCaption(c));
        QVERIFY(texts.contains(GrassCaption(c) + QLatin1Char(':')));
        QCOMPARE(texts.contains(QStringLiteral(" is %1 bij %2").arg(W).arg(H)), theme != 3);
        QCOMPARE(texts.contains(QStringLiteral("horizontaal %1").arg(w)), theme != 3);
        QCOMPARE(texts.contains(QStringLiteral("vertikaal %1").arg(h)), theme != 3);
        if (theme == 23)
            QCOMPARE(s.ThemeCycle[grass::SizeIndexCounter], previous);
        else
            QVERIFY(s.ThemeCycle[grass::SizeIndexCounter] != previous);

        const Fraction part = GrassPart(c, W, H, w, h);
        QCOMPARE(s.ExpectedFraction, part);
        QCOMPARE(Ratio(s.Param[5], s.Param[6]), part);
        QCOMPARE(s.ExpectedReal, 100.0 * ImproperNumerator(part) / part.Den);
        QCOMPARE(s.ExpectedInt, Round(s.ExpectedReal));
    }
    QCOMPARE(rig.view.Field.Kind, theme == 1 ? 3 : theme == 23 ? 2 : 1);
    QCOMPARE(rig.view.Field.Label, theme == 1 ? QStringLiteral("Breuk: ") : QStringLiteral("Percentage: "));
    QCOMPARE(rig.view.Field.PanelTop, 10 * LineHeight);
    QCOMPARE(s.AnswerUnit, theme == 1 ? QString() : QStringLiteral(" %"));
    QCOMPARE(s.IntTolerance, theme == 3 ? (level == 3 ? 3 : 4) : 0);
}

void TestGrass::pictureShapeAndGrid_data()
{
    QTest::addColumn<int>("theme");
    QTest::addColumn<int>("level");
    QTest::addColumn<bool>("columns");
    QTest::addColumn<bool>("rows");
    QTest::newRow("theme 1 Starter") << 1 << 1 << true << true;
    QTest::newRow("theme 2 Durver") << 2 << 2 << true << true;
    QTest::newRow("theme 23 Prof") << 23 << 3 << false << false;
    QTest::newRow("theme 3 Starter: columns only") << 3 << 1 << true << false;
    QTest::newRow("theme 3 Durver: no grid") << 3 << 2 << false << false;
}

// The grass rectangle (variant 1) or the bare one (4) in the top-left corner, and the unit
// grid in white where the level and theme draw it.
void TestGrass::pictureShapeAndGrid()
{
    QFETCH(int, theme);
    QFETCH(int, level);
    QFETCH(bool, columns);
    QFETCH(bool, rows);
    ThemeRig rig(GrassGarden, theme, level, 99);
    for (int i = 0; i < 12; ++i) {
        // Starter has no variant 4.
        AimAtVariant(rig, theme, i % 2 && level > 1 ? 4 : 1);
        rig.Next();
        const Bitmap& b = rig.s.PictureBitmap;
        const int c = rig.s.ThemeMemory[theme];
        const int W = rig.s.Param[1], H = rig.s.Param[2];
        const double Wp = 80 * W / std::max(W, H), Hp = 80 * H / std::max(W, H);
        const auto square = [&](int col, int row) {
            return b.Pixel(PctX(10 + Wp * (col + 0.5) / W), PctY(10 + Hp * (row + 0.5) / H));
        };
        QCOMPARE(square(0, 0), c == 1 ? clr::Green : clr::BtnFace);
        QCOMPARE(square(W - 1, H - 1), c == 1 ? clr::BtnFace : clr::Green);

        int whiteColumns = 0, whiteRows = 0;
        const int y = PctY(10 + Hp * 0.5 / H), x = PctX(10 + Wp * 0.5 / W);
        for (int px = PctX(10) + 2; px < PctX(10 + Wp) - 2; ++px)
            whiteColumns += b.Pixel(px, y) == clr::White && b.Pixel(px - 1, y) != clr::White;
        for (int py = PctY(10) + 2; py < PctY(10 + Hp) - 2; ++py)
            whiteRows += b.Pixel(x, py) == clr::White && b.Pixel(x, py - 1) != clr::White;
        QCOMPARE(whiteColumns, columns ? W - 1 : 0);
        QCOMPARE(whiteRows, rows ? H - 1 : 0);
    }
}

// Starter only, triangles only, and only for the first fifteen exercises.
void TestGrass::triangleHintForBeginners()
{
    const QString hint = QStringLiteral("Oppervlakte driehoek = ½ * Oppervlakte rechthoek");
    for (const int level : {1, 2})
        for (int c = 0; c < 4; ++c)
            for (const int done : {3, 14, 15}) {
                ThemeRig rig(GrassGarden, 2, level, 5);
                QStringList texts;
                rig.s.PictureBitmap.TextObserver = [&texts](const TextEvent& e) { texts << e.Text; };
                AimAtVariant(rig, 2, c);
                rig.s.ExercisesDone = done;
                rig.Next();
                QCOMPARE(texts.contains(hint), level == 1 && c != 1 && done < 15);
            }
}

void TestGrass::estimateTableMatchesMarking_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("attempt");
    for (int level = 1; level <= 3; ++level)
        for (const int attempt : {1, 2})
            QTest::addRow("level %d attempt %d", level, attempt) << level << attempt;
}

// What the table promises for d percent off is what the marking awards, first and second
// attempt; beyond the table the pupil loses 5 points.
void TestGrass::estimateTableMatchesMarking()
{
    QFETCH(int, level);
    QFETCH(int, attempt);
    ThemeRig rig(GrassGarden, 3, level, 31);
    QStringList texts;
    rig.s.TextBitmap.TextObserver = [&texts](const TextEvent& e) { texts << e.Text; };
    for (int d = 0; d <= 5; ++d) {
        rig.Next();
        if (attempt == 2) {
            QVERIFY(Submit(rig, QString::number(rig.s.ExpectedInt + 40)));
            QCOMPARE(rig.s.Attempt, 2);
            texts.clear();
            rig.Again();
        }
        QVERIFY(texts.contains(QStringLiteral("Te verdienen punten: (%1e poging)").arg(attempt)));
        const QString row = d == 0 ? QStringLiteral(" precies goed: ") : QStringLiteral(" %1% ernaast:   ").arg(d);
        int promised = -5;
        for (const QString& t : texts)
            if (t.startsWith(row))
                promised = t.mid(row.size()).section(QLatin1Char(' '), 0, 0).toInt();
        QCOMPARE(texts.contains(QStringLiteral(" Meer ernaast:   5 punten eraf !")), level == 3);
        QCOMPARE(texts.contains(QStringLiteral("5 punten eraf !")), level != 3);
        rig.s.Points = 100;
        texts.clear();
        QVERIFY(Submit(rig, QString::number(rig.s.ExpectedInt + d)));
        // A first miss leaves a second attempt; the penalty is for the last one.
        const bool final = promised >= 0 || attempt == 2;
        QVERIFY2(rig.s.Points - 100 == (final ? promised : 0), qPrintable(QStringLiteral("%1 off").arg(d)));
        QCOMPARE(rig.s.Attempt, final ? 0 : 2);
        QCOMPARE(texts.contains(QStringLiteral("  Oei, 5 punten eraf!")), final && promised < 0);
    }
}

void TestGrass::explanation_data()
{
    QTest::addColumn<int>("theme");
    QTest::addColumn<int>("variant");
    QTest::addColumn<bool>("practice");
    QTest::newRow("theme 1, no grass on a triangle, practice") << 1 << 3 << true;
    QTest::newRow("theme 1, rectangle, test") << 1 << 1 << false;
    QTest::newRow("theme 2, triangle, practice") << 2 << 0 << true;
    QTest::newRow("theme 2, no grass on two triangles, test") << 2 << 5 << false;
    QTest::newRow("theme 3, no grass on a rectangle, practice") << 3 << 4 << true;
    QTest::newRow("theme 3, two triangles, practice") << 3 << 2 << true;
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
    QStringList texts;
    rig.s.TextBitmap.TextObserver = [&texts](const TextEvent& e) { texts << e.Text; };
    AimAtVariant(rig, theme, variant);
    rig.Next();
    const QString wrong = theme == 1 ? QStringLiteral("1/997") : QString::number(rig.s.ExpectedInt + 50);
    QVERIFY(Submit(rig, wrong));
    rig.Again();
    texts.clear();
    QVERIFY(Submit(rig, wrong));

    const Session& s = rig.s;
    QStringList expected;
    if (practice) {
        if (variant >= 3)
            expected << QStringLiteral("1 - ");
        expected << QString::number(s.Param[3]) << QString::number(s.Param[1]) << QStringLiteral("  x  ")
                 << QString::number(s.Param[4]) << QString::number(s.Param[2]);
        if (variant % 3 == 0)
            expected << QStringLiteral("  x  ") << QStringLiteral("1") << QStringLiteral("2");
        expected << QStringLiteral("  =  ");
    }
    const Fraction part = GrassPart(variant, s.Param[1], s.Param[2], s.Param[3], s.Param[4]);
    expected << FractionTexts(part);
    if (theme != 1)
        expected << QStringLiteral("  deel.") << QStringLiteral("Dus:  ") << FractionTexts(part)
                 << QStringLiteral(" x 100 %  =  %1 %.").arg(100 * ImproperNumerator(part) / part.Den);
    QCOMPARE(texts.mid(texts.indexOf(QStringLiteral("Het antwoord was: ")) + 1), expected);
}

// 10 by 16 squares, one triangle of 1 by 2: 0.625 %. Both roundings to two decimals are
// right, although each is 0.005 away; a third decimal off is not.
void TestGrass::bothRoundingsOfAnExactHalfAreRight()
{
    std::uint32_t seed = 0;
    for (std::uint32_t candidate = 1; candidate < 20000000 && !seed; ++candidate) {
        Random random(candidate);
        const GrassNumbers g = PoseGrass(23, 2, 0, 0, random);
        if (g.W == 10 && g.H == 16 && g.w == 1 && g.h == 2)
            seed = candidate;
    }
    QVERIFY(seed);
    for (const auto& [answer, right] : {std::pair{"0,62", true}, {"0,63", true}, {"0,61", false}, {"0,635", false}}) {
        ThemeRig rig(GrassGarden, 23, 2, seed);
        AimAtVariant(rig, 23, 0);
        rig.Next();
        QCOMPARE(rig.s.ExpectedReal, 0.625);
        QVERIFY(Submit(rig, QString::fromLatin1(answer)));
        QVERIFY2((rig.s.Attempt == 0) == right, answer);
    }
}

QTEST_MAIN(TestGrass)
#include "tst_grass.moc"
