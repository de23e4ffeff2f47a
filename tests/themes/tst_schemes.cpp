// Themes 6, 20 and 22: the scheme's numbers, the kilograms expected, the share labels and a
// half-cent tie.
#include "support/textrecorder.h"
#include "support/themerig.h"
#include "themes/fractions/schemes.h"
#include "toolkit/fraction.h"
#include "toolkit/text.h"

#include <QtTest>

#include <set>

using namespace velmora;
using velmora::test::DrawnText;
using velmora::test::TextRecorder;
using velmora::test::ThemeRig;

using Slots = std::array<int, 13>;

namespace {

Fraction Ratio(int p, int q)
{
    return FracDiv(IntToFraction(p), IntToFraction(q));
}

// The kilograms of both boxes of every drawn stage (steps 1, 2, 3, ...), from the slots.
std::vector<Fraction> BoxAmounts(const Session& s, int stages)
{
    std::vector<Fraction> amounts;
    Fraction running = IntToFraction(s.Param[0]);
    for (int k = 0; k < stages; ++k) {
        const Fraction on = FracMul(running, Ratio(s.Param[5 + k], s.Param[1 + k]));
        amounts.push_back(on);
        amounts.push_back(FracSub(running, on));
        running = on;
    }
    return amounts;
}

}  // namespace

class TestSchemes : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void numbersAndAnswer_data();
    void numbersAndAnswer();
    void exactAmounts_data();
    void exactAmounts();
    void shareLabelFollowsFraction();
    void compostTieIsRightBothWays();
};

void TestSchemes::numbersAndAnswer_data()
{
    QTest::addColumn<int>("theme");
    QTest::addColumn<int>("level");
    for (const int theme : {6, 20, 22})
        for (int level = 1; level <= (theme == 20 ? 2 : 3); ++level)
            QTest::addRow("theme %d level %d", theme, level) << theme << level;
}

// Thousands of exercises: the ranges of every number, the asked step never twice in a row,
// whole boxes where promised, and the expected amount equal to what the shown numbers give.
void TestSchemes::numbersAndAnswer()
{
    QFETCH(int, theme);
    QFETCH(int, level);
    const int low = level == 1 ? (theme == 6 ? 1 : 2) : 2 * level - 1, high = low + (level == 1 ? 2 : 3);
    const char* const boxNames[] = {"eerste sortering", "grof vuil", "nieuwe rest", "broeiverlies", "mest",
                                    "fijne stort",      "tuinmest",  "edelmest"};
    std::set<int> steps;
    ThemeRig rig(ProcessingScheme, theme, level, 3);
    Session& s = rig.s;
    for (int i = 0; i < 3000; ++i) {
        const int previous = s.ThemeCycle[schemes::PreviousStepCounter];
        PoseScheme(s);
        const int step = s.Param[9], waste = s.Param[0];
        QCOMPARE(s.ThemeMemory[theme], i % 9);
        QVERIFY(step >= low && step <= high);
        QVERIFY2(step != previous && s.ThemeCycle[schemes::PreviousStepCounter] == step, "a new step, remembered");
        steps.insert(step);
        const int maxParts[] = {10, level + 9, 2 * level + 8, 3 * level + 7};
        const int maxPercent[] = {95, 95, 98, 99}, percentStep[] = {5, 5, 2, 1};
        for (int k = 0; k < 4; ++k) {
            const int b = s.Param[1 + k], a = s.Param[5 + k];
            if (theme == 6)
                QVERIFY(b >= 2 && b <= maxParts[k] && 2 * a >= b && a < b);
            else if (theme == 22)
                QVERIFY(b == 100 && a >= 50 && a <= 89);
            else
                QVERIFY(b == 100 && a >= 50 && a <= maxPercent[k] && a % percentStep[k] == 0);
        }
        const std::vector<Fraction> boxes = BoxAmounts(s, (step + 1) / 2);
        if (theme == 22) {
            QVERIFY(waste >= 5000 && waste <= 8900 && waste % 100 == 0);
        } else {
            QVERIFY(waste >= 500 && waste <= 999999);
            for (const Fraction& box : boxes)
                QVERIFY2(box.Num == 0, "every drawn box holds whole kilograms");
            QCOMPARE(s.ExpectedInt, boxes[step - 1].Whole);
        }
        QCOMPARE(s.ExpectedReal, FractionToReal(boxes[step - 1]));
        QCOMPARE(s.FeedbackText, QString::fromUtf8(boxNames[step - 1]));
    }
    QCOMPARE(int(steps.size()), high - low + 1);
}

void TestSchemes::exactAmounts_data()
{
    QTest::addColumn<Slots>("param");  // A, b1..b4, a1..a4, step
    QTest::addColumn<Fraction>("amount");
    QTest::newRow("broeiverlies") << Slots{600, 3, 4, 2, 2, 2, 3, 1, 1, 4} << IntToFraction(100);
    QTest::newRow("edelmest, percentages") << Slots{8000, 100, 100, 100, 100, 50, 50, 50, 75, 8} << IntToFraction(250);
    // 6300 x 0.50 x 0.54 x (1 - 0.65) = 595.35
    QTest::newRow("fijne stort, compost") << Slots{6300, 100, 100, 100, 100, 50, 54, 65, 50, 6} << Ratio(119070, 200);
}

void TestSchemes::exactAmounts()
{
    QFETCH(Slots, param);
    QFETCH(Fraction, amount);
    QCOMPARE(SchemeAmount(param), amount);
}

// The " deel" label of every drawn stage starts where its share's fraction ends, not at a
// stale x over other drawing.
void TestSchemes::shareLabelFollowsFraction()
{
    ThemeRig rig(ProcessingScheme, 6, 3, 5);
    TextRecorder picture;
    picture.Attach(rig.s.PictureBitmap);
    for (int i = 0; i < 20; ++i) {
        picture.Clear();
        rig.Next();
        int stage = 0;
        for (std::size_t t = 2; t < picture.Texts.size(); ++t) {
            if (picture.Texts[t].Text != QStringLiteral(" deel"))
                continue;
            const DrawnText &num = picture.Texts[t - 2], &den = picture.Texts[t - 1];
            const Fraction share = Ratio(rig.s.Param[5 + stage], rig.s.Param[1 + stage]);
            ++stage;
            QCOMPARE(num.Text + QLatin1Char('/') + den.Text, QStringLiteral("%1/%2").arg(share.Num).arg(share.Den));
            QCOMPARE(picture.Texts[t].X, std::max(num.Right, den.Right));
        }
        QCOMPARE(stage, (rig.s.Param[9] + 1) / 2);
    }
}

// An exact half cent: both neighbours are correct roundings and right; one cent further is
// wrong.
void TestSchemes::compostTieIsRightBothWays()
{
    std::uint32_t seed = 0;
    Fraction cents;
    do {
        QVERIFY(++seed < 5000);
        ThemeRig probe(ProcessingScheme, 22, 3, seed);
        PoseScheme(probe.s);
        cents = IntMulFrac(100, SchemeAmount(probe.s.Param));
    } while (cents.Num != 1 || cents.Den != 2);
    for (const auto& [typed, right] :
         {std::pair{cents.Whole, true}, {cents.Whole + 1, true}, {cents.Whole - 1, false}, {cents.Whole + 2, false}}) {
        ThemeRig rig(ProcessingScheme, 22, 3, seed);
        rig.Next();
        QCOMPARE(IntMulFrac(100, SchemeAmount(rig.s.Param)), cents);
        QString text = FormatFixed(typed / 100.0, 2);
        QCOMPARE(rig.s.SubmitAnswer(text), AnswerOutcome::Marked);
        QVERIFY2((rig.s.Attempt == 0) == right, qPrintable(text));
    }
}

QTEST_MAIN(TestSchemes)
#include "tst_schemes.moc"
