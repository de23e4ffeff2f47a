// Themes 6, 20 and 22: the scheme's numbers, the kilograms expected and what the pupil sees.
#include "support/textrecorder.h"
#include "support/themerig.h"
#include "themes/fractions/schemes.h"
#include "toolkit/fraction.h"
#include "toolkit/layout.h"
#include "toolkit/text.h"

#include <QtTest>

#include <set>

using namespace velmora;
using velmora::test::DrawnText;
using velmora::test::TextRecorder;
using velmora::test::ThemeRig;

using Slots = std::array<int, 13>;

namespace {

const char* const BoxNames[] = {"eerste sortering", "grof vuil", "nieuwe rest", "broeiverlies", "mest",
                                "fijne stort",      "tuinmest",  "edelmest"};

Fraction Ratio(int p, int q)
{
    return FracDiv(IntToFraction(p), IntToFraction(q));
}

bool IsWhole(const Fraction& f)
{
    return f.Num == 0;
}

std::pair<int, int> StepRange(int theme, int level)
{
    if (level == 1)
        return theme == 6 ? std::pair{1, 3} : std::pair{2, 4};
    return level == 2 ? std::pair{3, 6} : std::pair{5, 8};
}

// The amounts of both boxes of every drawn stage, worked out afresh from the slots.
std::vector<Fraction> BoxAmounts(const Session& s, int stages)
{
    std::vector<Fraction> amounts;
    Fraction running = IntToFraction(s.Param[0]);
    for (int k = 0; k < stages; ++k) {
        const Fraction share = Ratio(s.Param[5 + k], s.Param[1 + k]);
        amounts.push_back(FracMul(running, share));
        amounts.push_back(FracSub(running, FracMul(running, share)));
        running = FracMul(running, share);
    }
    return amounts;
}

// Two cent amounts with the pupil's separator: the value of k / 100.
QString Cents(long long k)
{
    return QString::number(k / 100) + DecSep + QStringLiteral("%1").arg(k % 100, 2, 10, QLatin1Char('0'));
}

}  // namespace

class TestSchemes : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void numbersAndAnswer_data();
    void numbersAndAnswer();
    void stepNeverRepeatsAcrossThemes();
    void exactAmounts_data();
    void exactAmounts();
    void questionAndField_data();
    void questionAndField();
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

// Thousands of exercises: the ranges of every number, whole boxes where promised, and the
// expected amount equal to what the shown numbers give.
void TestSchemes::numbersAndAnswer()
{
    QFETCH(int, theme);
    QFETCH(int, level);
    const auto [low, high] = StepRange(theme, level);
    std::set<int> steps;
    for (const std::uint32_t seed : {3u, 700001u}) {
        ThemeRig rig(ProcessingScheme, theme, level, seed);
        Session& s = rig.s;
        int previous = 0;
        for (int i = 0; i < 1500; ++i) {
            PoseScheme(s);
            QCOMPARE(s.ThemeMemory[theme], i % 9);
            const int step = s.Param[9];
            QVERIFY(step >= low && step <= high);
            QVERIFY2(step != previous, "the same step twice in a row");
            QCOMPARE(s.ThemeCycle[1], step);
            previous = step;
            steps.insert(step);

            const int waste = s.Param[0];
            for (int k = 0; k < 4; ++k) {
                const int b = s.Param[1 + k], a = s.Param[5 + k];
                if (theme == 6) {
                    const int top = std::array{10, level + 9, 2 * level + 8, 3 * level + 7}[k];
                    QVERIFY(b >= 2 && b <= top);
                    QVERIFY2(2 * a >= b && a < b, "a share from one half to below one");
                } else {
                    QCOMPARE(b, 100);
                    if (theme == 22)
                        QVERIFY(a >= 50 && a <= 89);
                    else if (k < 2)
                        QVERIFY(a >= 50 && a <= 95 && a % 5 == 0);
                    else if (k == 2)
                        QVERIFY(a >= 50 && a <= 98 && a % 2 == 0);
                    else
                        QVERIFY(a >= 50 && a <= 99);
                }
            }
            const int stages = (step + 1) / 2;
            const std::vector<Fraction> boxes = BoxAmounts(s, stages);
            if (theme == 22) {
                QVERIFY(waste >= 5000 && waste <= 8900 && waste % 100 == 0);
            } else {
                QVERIFY(waste >= 500 && waste <= 999999);
                for (const Fraction& box : boxes)
                    QVERIFY2(IsWhole(box), "every drawn box holds whole kilograms");
            }
            const Fraction expected = boxes[step - 1];
            QCOMPARE(s.ExpectedReal, FractionToReal(expected));
            QCOMPARE(s.ExpectedInt, Round(FractionToReal(expected)));
            QCOMPARE(s.FeedbackText, QString::fromUtf8(BoxNames[step - 1]));
            QCOMPARE(s.WorkText, stages == 1 ? QStringLiteral(" stap") : QStringLiteral(" stappen"));
        }
    }
    QCOMPARE(int(steps.size()), high - low + 1);
}

// The remembered step is one value for the three themes together.
void TestSchemes::stepNeverRepeatsAcrossThemes()
{
    ThemeRig rig(ProcessingScheme, 6, 1, 42);
    int previous = 0;
    std::set<std::pair<int, int>> followers;
    for (int i = 0; i < 3000; ++i) {
        rig.s.ThemeCode = std::array{6, 20, 22}[i % 3];
        PoseScheme(rig.s);
        const int step = rig.s.Param[9];
        QVERIFY(step != previous);
        followers.insert({previous, step});
        previous = step;
    }
    // Theme 6 asks step 1, themes 20 and 22 never do; 2 after 3 and 3 after 2 both occur.
    QVERIFY(followers.count({2, 3}) && followers.count({3, 2}));
}

void TestSchemes::exactAmounts_data()
{
    QTest::addColumn<Slots>("param");
    QTest::addColumn<Fraction>("amount");
    // A, b1..b4, a1..a4, step
    QTest::newRow("broeiverlies") << Slots{600, 3, 4, 2, 2, 2, 3, 1, 1, 4} << IntToFraction(100);
    QTest::newRow("eerste sortering") << Slots{600, 3, 4, 2, 2, 2, 3, 1, 1, 1} << IntToFraction(400);
    QTest::newRow("grof vuil") << Slots{600, 3, 4, 2, 2, 2, 3, 1, 1, 2} << IntToFraction(200);
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

void TestSchemes::questionAndField_data()
{
    QTest::addColumn<int>("theme");
    QTest::addColumn<int>("kind");
    QTest::newRow("fractions") << 6 << 1;
    QTest::newRow("percentages") << 20 << 1;
    QTest::newRow("compost") << 22 << 2;
}

// The question names the amount and the box; the field asks for kilograms.
void TestSchemes::questionAndField()
{
    QFETCH(int, theme);
    QFETCH(int, kind);
    ThemeRig rig(ProcessingScheme, theme, 2, 17);
    TextRecorder text;
    text.Attach(rig.s.TextBitmap);
    for (int i = 0; i < 12; ++i) {
        text.Clear();
        rig.Next();
        Session& s = rig.s;
        const int stages = (s.Param[9] + 1) / 2;
        QVERIFY(text.Find(QStringLiteral("bedrijf wordt %1 kg huis-").arg(s.Param[0])));
        QVERIFY(text.Find(QStringLiteral("vuil in %1%2 verwerkt.").arg(stages).arg(s.WorkText)));
        const DrawnText* asked = text.Find(QStringLiteral("Hoeveel kg ") + s.FeedbackText);
        QVERIFY(asked);
        QCOMPARE(asked->Colour, clr::Red);
        QCOMPARE(bool(text.Find(QStringLiteral("(afronden op 2 decimalen)"))), theme == 22);
        QCOMPARE(rig.view.Field.Kind, kind);
        QCOMPARE(rig.view.Field.Label, QStringLiteral("Aantal kg: "));
        QCOMPARE(rig.view.Field.Hint, QStringLiteral("|") + s.FeedbackText + QStringLiteral(" = ? kg"));
        QCOMPARE(rig.view.Field.PanelTop, 11 * LineHeight);
        QCOMPARE(s.AnswerUnit, QStringLiteral(" kg"));
        QCOMPARE(s.IntTolerance, 0);
        if (theme == 22) {
            QCOMPARE(s.RealTolerance, 0.0049);
            QCOMPARE(s.AnswerDecimals, 2);
        }
    }
}

// A share drawn as a fraction is followed by " deel" right where the fraction ends; one label
// per drawn stage.
void TestSchemes::shareLabelFollowsFraction()
{
    ThemeRig rig(ProcessingScheme, 6, 3, 5);
    TextRecorder picture;
    picture.Attach(rig.s.PictureBitmap);
    for (int i = 0; i < 20; ++i) {
        picture.Clear();
        rig.Next();
        int labels = 0;
        for (std::size_t t = 0; t < picture.Texts.size(); ++t) {
            if (picture.Texts[t].Text != QStringLiteral(" deel"))
                continue;
            ++labels;
            // The fraction's numerator and denominator are the two texts before the label.
            QVERIFY(t >= 2);
            const DrawnText& num = picture.Texts[t - 2];
            const DrawnText& den = picture.Texts[t - 1];
            const int stage = labels;
            const Fraction share = Ratio(rig.s.Param[4 + stage], rig.s.Param[stage]);
            QCOMPARE(num.Text, QString::number(share.Num));
            QCOMPARE(den.Text, QString::number(share.Den));
            QCOMPARE(picture.Texts[t].X, std::max(num.Right, den.Right));
        }
        QCOMPARE(labels, (rig.s.Param[9] + 1) / 2);
    }
}

// An exact half cent: both neighbours are correct roundings and earn full points; one cent
// further is wrong.
void TestSchemes::compostTieIsRightBothWays()
{
    std::uint32_t seed = 1;
    Fraction amount;
    for (;; ++seed) {
        QVERIFY(seed < 5000);
        ThemeRig probe(ProcessingScheme, 22, 3, seed);
        probe.Next();
        amount = SchemeAmount(probe.s.Param);
        const Fraction cents = IntMulFrac(100, amount);
        if (cents.Num == 1 && cents.Den == 2)
            break;
    }
    const long long below = ImproperNumerator(IntMulFrac(100, amount)) / 2;
    struct Case {
        long long Cents;
        bool Right;
    };
    for (const Case c : {Case{below, true}, Case{below + 1, true}, Case{below - 1, false}, Case{below + 2, false}}) {
        ThemeRig rig(ProcessingScheme, 22, 3, seed);
        rig.Next();
        QCOMPARE(SchemeAmount(rig.s.Param), amount);
        QString typed = Cents(c.Cents);
        QCOMPARE(rig.s.SubmitAnswer(typed), AnswerOutcome::Marked);
        QCOMPARE(rig.s.Attempt, c.Right ? 0 : 2);
        QCOMPARE(rig.s.Points, c.Right ? 10 : 0);
    }
}

QTEST_MAIN(TestSchemes)
#include "tst_schemes.moc"
