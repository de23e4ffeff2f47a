// Theme 9: the two inputs, the machine's outcome, the hidden "Rara" and what the pupil sees.
#include "support/textrecorder.h"
#include "support/themerig.h"
#include "themes/fractions/riddle.h"
#include "toolkit/fraction.h"
#include "toolkit/layout.h"
#include "toolkit/text.h"

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

struct Posed {
    Fraction X, Y, Z;
};

Posed Read(const Session& s)
{
    return Posed{Ratio(s.Param[1], s.Param[2]), Ratio(s.Param[3], s.Param[4]), Ratio(s.Param[5], s.Param[6])};
}

std::pair<int, int> LimitRange(int level)
{
    return level == 1 ? std::pair{3, 4} : level == 2 ? std::pair{5, 6} : std::pair{6, 9};
}

}  // namespace

class TestRiddle : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void numbersAndAnswer_data();
    void numbersAndAnswer();
    void halfAndTwoThirds();
    void formulaContinuesAfterEachFraction();
    void pictureAndField();
};

void TestRiddle::numbersAndAnswer_data()
{
    QTest::addColumn<int>("level");
    for (const int level : {1, 2, 3})
        QTest::addRow("level %d", level) << level;
}

// Thousands of riddles: the inputs fit the level, the variant and the size limit never repeat,
// and the expected answer is the hidden one of X, Y and their sum or product.
void TestRiddle::numbersAndAnswer()
{
    QFETCH(int, level);
    const auto [low, high] = LimitRange(level);
    std::set<int> variants, limits;
    for (const std::uint32_t seed : {4u, 31337u}) {
        ThemeRig rig(FractionRiddle, 9, level, seed);
        Session& s = rig.s;
        int previousVariant = -1, previousLimit = 0;
        for (int i = 0; i < 3000; ++i) {
            PoseRiddle(s);
            const int c = s.ThemeMemory[9];
            QVERIFY(c >= 0 && c <= 5);
            QVERIFY2(c != previousVariant, "the same variant twice in a row");
            previousVariant = c;
            variants.insert(c);
            const int limit = s.ThemeCycle[4];
            QVERIFY(limit >= low && limit <= high);
            QVERIFY2(limit != previousLimit, "the same size limit twice in a row");
            previousLimit = limit;
            limits.insert(limit);

            const Posed p = Read(s);
            QCOMPARE(p.X.Den, s.Param[2]);  // stored in lowest terms
            QCOMPARE(p.Y.Den, s.Param[4]);
            QCOMPARE(p.Z.Den, s.Param[6]);
            for (const Fraction& input : {p.X, p.Y}) {
                QVERIFY2(input.Num != 0, "an input is never whole");
                QVERIFY(input.Den >= 2 && input.Den <= 6);
                QVERIFY2(input.Whole < level, "an input is at most the level number");
            }
            QVERIFY(!FracEqual(p.X, p.Y));
            QVERIFY2(FracSign(FracSub(IntToFraction(5), FracAdd(p.X, p.Y))) >= 0, "the sum fits the number line");

            const bool sum = c < 3;
            QCOMPARE(p.Z, sum ? FracAdd(p.X, p.Y) : FracMul(p.X, p.Y));
            const Fraction hidden[] = {p.Z, p.X, p.Y};
            QCOMPARE(s.ExpectedFraction, hidden[c % 3]);
            QCOMPARE(s.FeedbackText, sum ? QStringLiteral("  +  ") : QStringLiteral("  x  "));
            QCOMPARE(s.WorkText, sum ? QStringLiteral("Breuken optellen") : QStringLiteral("Breuken vermenigvuldigen"));
        }
    }
    QCOMPARE(int(variants.size()), 6);
    QCOMPARE(int(limits.size()), high - low + 1);
}

// X = 1/2 and Y = 2/3: the sum 1 1/6, the product 1/3, and either input when it is hidden.
void TestRiddle::halfAndTwoThirds()
{
    ThemeRig rig(FractionRiddle, 9, 1, 11);
    std::map<int, Fraction> expected;
    for (int i = 0; i < 400000 && expected.size() < 6; ++i) {
        PoseRiddle(rig.s);
        const Posed p = Read(rig.s);
        if (p.X == Ratio(1, 2) && p.Y == Ratio(2, 3))
            expected[rig.s.ThemeMemory[9]] = rig.s.ExpectedFraction;
    }
    QCOMPARE(int(expected.size()), 6);
    QCOMPARE(expected[0], Ratio(7, 6));
    QCOMPARE(expected[0], (Fraction{1, 1, 1, 6}));
    QCOMPARE(expected[1], Ratio(1, 2));
    QCOMPARE(expected[2], Ratio(2, 3));
    QCOMPARE(expected[3], Ratio(1, 3));
    QCOMPARE(expected[4], Ratio(1, 2));
    QCOMPARE(expected[5], Ratio(2, 3));
}

// Line 3 reads X, the operator, Y, " = ", Z: each piece starts where the one before ended,
// whether that was a fraction or "Rara".
void TestRiddle::formulaContinuesAfterEachFraction()
{
    ThemeRig rig(FractionRiddle, 9, 3, 23);
    TextRecorder text;
    text.Attach(rig.s.TextBitmap);
    std::set<int> hiddenSeen;
    for (int i = 0; i < 30; ++i) {
        text.Clear();
        rig.Next();
        const int c = rig.s.ThemeMemory[9];
        hiddenSeen.insert(c % 3);
        std::vector<DrawnText> line;
        for (const DrawnText& t : text.Texts) {
            if (t.Text.startsWith(QStringLiteral("Hoe groot")))
                break;
            if (!t.Text.isEmpty() && t.Text != rig.s.WorkText)
                line.push_back(t);
        }
        int pieceEnd = Margin;   // where the piece drawn last ended
        int glyphsEnd = Margin;  // the right edge of the glyphs since then
        int raras = 0, operators = 0;
        for (const DrawnText& t : line) {
            if (t.Text == rig.s.FeedbackText || t.Text == QStringLiteral("  =  ") || t.Text == QStringLiteral("Rara")) {
                QCOMPARE(t.X, glyphsEnd);
                QCOMPARE(t.Colour, t.Text == QStringLiteral("Rara") ? clr::Blue : clr::Red);
                raras += t.Text == QStringLiteral("Rara");
                operators += t.Text != QStringLiteral("Rara");
                pieceEnd = glyphsEnd = t.Right;
                continue;
            }
            // A glyph of a fraction: red, after the piece before it.
            QCOMPARE(t.Colour, clr::Red);
            QVERIFY(t.X >= pieceEnd);
            glyphsEnd = std::max(glyphsEnd, t.Right);
        }
        QCOMPARE(raras, 1);
        QCOMPARE(operators, 2);
    }
    QCOMPARE(int(hiddenSeen.size()), 3);
}

void TestRiddle::pictureAndField()
{
    ThemeRig rig(FractionRiddle, 9, 2, 5);
    TextRecorder picture;
    picture.Attach(rig.s.PictureBitmap);
    for (int i = 0; i < 24; ++i) {
        picture.Clear();
        rig.Next();
        const Session& s = rig.s;
        const int c = s.ThemeMemory[9];
        const bool sum = c < 3;
        const DrawnText* machine = picture.Find(sum ? QStringLiteral("PLUS") : QStringLiteral("KEER"));
        QVERIFY(machine);
        QCOMPARE(machine->Colour, clr::Red);
        QVERIFY(!picture.Find(sum ? QStringLiteral("KEER") : QStringLiteral("PLUS")));
        int raras = 0;
        for (const DrawnText& t : picture.Texts)
            raras += t.Text == QStringLiteral("Rara");
        // At the machine and in the other picture; a product names "Rara" once more in its
        // explanation and, for a hidden side, at that side.
        QCOMPARE(raras, sum ? 2 : c % 3 == 0 ? 2 : 3);
        if (!sum)
            QVERIFY(picture.Find(c % 3 == 0 ? QStringLiteral("de oppervlakte") : QStringLiteral("een zijde")));

        QCOMPARE(rig.view.Field.Kind, 4);
        QCOMPARE(rig.view.Field.Label, QStringLiteral("Rara: "));
        QCOMPARE(rig.view.Field.Hint, QStringLiteral("|Rara = ?"));
        QCOMPARE(rig.view.Field.PanelTop, 8 * LineHeight);
    }
}

QTEST_MAIN(TestRiddle)
#include "tst_riddle.moc"
