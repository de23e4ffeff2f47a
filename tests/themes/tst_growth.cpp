// Themes 12 and 13: amounts and rates posed, the new amount expected exactly, the bars drawn
// to scale (the discount's change bar too), and the worked explanation.
#include "support/themerig.h"
#include "themes/percentages/growth.h"
#include "toolkit/layout.h"
#include "toolkit/text.h"

#include <QtTest>

#include <cmath>
#include <set>

using namespace velmora;
using velmora::test::TextLog;
using velmora::test::ThemeRig;

namespace {

std::set<int> Steps(int first, int last, int step)
{
    std::set<int> values;
    for (int v = first; v <= last; v += step)
        values.insert(v);
    return values;
}

// Seeds the rig so that its next exercise poses this amount and rate.
bool SeedFor(ThemeRig& rig, int amount, int rate)
{
    for (std::uint32_t seed = 1; seed < 200000; ++seed) {
        rig.s.Rng().Seed(seed);
        PoseGrowth(rig.s);
        if (rig.s.Param[growth::Amount] == amount && rig.s.Param[growth::Rate] == rate) {
            rig.s.Rng().Seed(seed);
            return true;
        }
    }
    return false;
}

}  // namespace

class TestGrowth : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void posed_data();
    void posed();
    void shownNumbersGiveTheAnswer_data();
    void shownNumbersGiveTheAnswer();
    void changeBarRunsFromTheMark_data();
    void changeBarRunsFromTheMark();
    void euroAmountsRoundHalfCentsUp();
    void explanation_data();
    void explanation();
};

void TestGrowth::posed_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("level");
    QTest::addColumn<QString>("amounts");  // first,last,step
    QTest::addColumn<QString>("rates");
    QTest::newRow("meer, Starter") << 12 << 1 << "300,700,100"
                                   << "40,129,1";
    QTest::newRow("meer, Durver") << 12 << 2 << "300,750,50"
                                  << "40,129,1";
    QTest::newRow("minder, Starter") << 13 << 1 << "300,590,10"
                                     << "50,290,10";
    QTest::newRow("minder, Durver") << 13 << 2 << "300,590,10"
                                    << "50,295,5";
}

// Thousands of exercises reach exactly the amounts and rates of the level, and the answer
// is the old amount times the growth factor, to the tenth of a cent.
void TestGrowth::posed()
{
    QFETCH(int, code);
    QFETCH(int, level);
    QFETCH(QString, amounts);
    QFETCH(QString, rates);
    const auto range = [](const QString& r) {
        const QStringList p = r.split(QLatin1Char(','));
        return Steps(p[0].toInt(), p[1].toInt(), p[2].toInt());
    };
    const bool more = code == 12;
    ThemeRig rig(GrowthModels, code, level, 1);
    std::set<int> seenAmounts, seenRates;
    for (std::uint32_t seed = 1; seed <= 4000; ++seed) {
        rig.s.Rng().Seed(seed * 2246822519u);
        PoseGrowth(rig.s);
        const int b = rig.s.Param[growth::Amount], p = rig.s.Param[growth::Rate];
        seenAmounts.insert(b);
        seenRates.insert(p);
        const long long exact = static_cast<long long>(b) * (more ? 1000 + p : 1000 - p);
        QVERIFY(std::abs(rig.s.ExpectedReal * 1000 - exact) < 1e-6);
        QCOMPARE(rig.s.AnswerDecimals, 2);
        QCOMPARE(rig.s.FeedbackText, more ? QStringLiteral("Bedrag") : QStringLiteral("Prijs"));
        QCOMPARE(rig.s.WorkText, more ? QStringLiteral("Rente:") : QStringLiteral("Korting:"));
    }
    QCOMPARE(seenAmounts, range(amounts));
    QCOMPARE(seenRates, range(rates));
}

void TestGrowth::shownNumbersGiveTheAnswer_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("level");
    QTest::newRow("meer, Starter") << 12 << 1;
    QTest::newRow("meer, Durver") << 12 << 2;
    QTest::newRow("minder, Starter") << 13 << 1;
    QTest::newRow("minder, Durver") << 13 << 2;
}

// The amount and the rate the story prints give the expected answer; the picture repeats
// them; the field asks for euros.
void TestGrowth::shownNumbersGiveTheAnswer()
{
    QFETCH(int, code);
    QFETCH(int, level);
    const bool more = code == 12;
    ThemeRig rig(GrowthModels, code, level, 9);
    TextLog text, picture;
    text.Attach(rig.s.TextBitmap);
    picture.Attach(rig.s.PictureBitmap);
    const QRegularExpression amountText(more ? QStringLiteral("^ (\\d+) naar de$") : QStringLiteral("^ (\\d+)\\.$"));
    const QRegularExpression rateText(more ? QStringLiteral("^De bank geeft (\\d+),(\\d) % rente$")
                                           : QStringLiteral("^Hij krijgt (\\d+),(\\d) % seizoens-$"));
    for (int i = 0; i < 150; ++i) {
        text.Events.clear();
        picture.Events.clear();
        rig.Next();
        int amount = -1, tenths = -1;
        for (const QString& t : text.Texts()) {
            if (const auto m = amountText.match(t); m.hasMatch())
                amount = m.captured(1).toInt();
            if (const auto m = rateText.match(t); m.hasMatch())
                tenths = m.captured(1).toInt() * 10 + m.captured(2).toInt();
        }
        QVERIFY2(amount > 0 && tenths > 0, qPrintable(text.Texts().join(QLatin1Char('|'))));
        const long long exact = static_cast<long long>(amount) * (more ? 1000 + tenths : 1000 - tenths);
        QVERIFY(std::abs(rig.s.ExpectedReal * 1000 - exact) < 1e-6);

        const QStringList drawn = picture.Texts();
        QVERIFY(drawn.contains(more ? QStringLiteral("Bedrag op de bank met rente")
                                    : QStringLiteral("Fiets kopen met korting")));
        QVERIFY(drawn.contains(QString::number(amount)));
        QVERIFY(drawn.contains(FormatFixed(tenths / 10.0, 1) + QLatin1Char('%')));
        QCOMPARE(drawn.count(more ? QStringLiteral("Bedrag:") : QStringLiteral("Prijs:")), 2);
    }
    QCOMPARE(rig.view.Field.Kind, 2);
    QCOMPARE(rig.view.Field.Label, more ? QStringLiteral("Bedrag: ") : QStringLiteral("Prijs: "));
    QCOMPARE(rig.view.Field.Hint,
             more ? QStringLiteral("|Bedrag na één jaar ?") : QStringLiteral("|Prijs van de fiets ?"));
    QCOMPARE(rig.view.Field.PanelTop, 9 * LineHeight);
    QCOMPARE(rig.s.AnswerUnit, QStringLiteral(" Euro"));
    QCOMPARE(rig.s.RealTolerance, 0.001);
}

void TestGrowth::changeBarRunsFromTheMark_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("amount");
    QTest::addColumn<int>("rate");
    QTest::addColumn<double>("changeEnd");  // percent of the width
    QTest::newRow("minder: from 75 % back to 66.75 %") << 13 << 1 << 400 << 150 << 66.75;
    QTest::newRow("meer, Durver: squared factor") << 12 << 2 << 500 << 100 << 75 + 55 * (1.1 * 1.1 - 1);
}

// The yellow change bar starts at the old amount's end (75 %) and runs to the factor's end,
// to the left for a discount; the aqua new bar is 55 % per old amount.
void TestGrowth::changeBarRunsFromTheMark()
{
    QFETCH(int, code);
    QFETCH(int, level);
    QFETCH(int, amount);
    QFETCH(int, rate);
    QFETCH(double, changeEnd);
    ThemeRig rig(GrowthModels, code, level, 1);
    QVERIFY(SeedFor(rig, amount, rate));
    rig.Next();
    QCOMPARE(rig.s.Param[growth::Amount], amount);
    const Bitmap& b = rig.s.PictureBitmap;
    const int row = PctY(40);
    const int inside = 6, outside = 6;  // past the black outline and the dashed mark
    const int low = std::min(PctX(75), PctX(changeEnd)), high = std::max(PctX(75), PctX(changeEnd));
    QCOMPARE(b.Pixel(low + inside, row), clr::Yellow);
    QCOMPARE(b.Pixel(high - inside, row), clr::Yellow);
    QCOMPARE(b.Pixel(low - outside, row), clr::BtnFace);
    QCOMPARE(b.Pixel(high + outside, row), clr::BtnFace);

    const double newEnd = 20 + 55 * rig.s.ExpectedReal / amount;
    QCOMPARE(b.Pixel(PctX(newEnd) - inside, PctY(60)), clr::Aqua);
    QCOMPARE(b.Pixel(PctX(newEnd) + outside, PctY(60)), clr::BtnFace);
    QCOMPARE(b.Pixel(PctX(74), PctY(20)), clr::Green);
}

void TestGrowth::euroAmountsRoundHalfCentsUp()
{
    DecSep = QLatin1Char(',');
    QCOMPARE(FormatEuroThousandths(522500), QStringLiteral("522,50"));
    QCOMPARE(FormatEuroThousandths(347985), QStringLiteral("347,99"));
    QCOMPARE(FormatEuroThousandths(347984), QStringLiteral("347,98"));
    QCOMPARE(GrowthThousandths(true, 500, 45), 522500LL);
    QCOMPARE(GrowthThousandths(false, 400, 150), 340000LL);
}

void TestGrowth::explanation_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("amount");
    QTest::addColumn<int>("rate");
    QTest::addColumn<QString>("noun");
    QTest::addColumn<QString>("factor");
    QTest::addColumn<QString>("result");
    QTest::newRow("meer: 4,5 % on 500") << 12 << 500 << 45 << "Bedrag"
                                        << "1,045"
                                        << "522,50";
    QTest::newRow("minder: 15 % off 400") << 13 << 400 << 150 << "Prijs"
                                          << "0,850"
                                          << "340,00";
}

// Practice: the growth factor and the chain old x factor = new; a test only the amount.
void TestGrowth::explanation()
{
    QFETCH(int, code);
    QFETCH(int, amount);
    QFETCH(int, rate);
    QFETCH(QString, noun);
    QFETCH(QString, factor);
    QFETCH(QString, result);
    for (const bool practice : {true, false}) {
        ThemeRig rig(GrowthModels, code, 1, 1);
        rig.s.SetCategory(Category::Percentages, practice);
        QVERIFY(SeedFor(rig, amount, rate));
        rig.Next();
        const std::vector<TextEvent> shown = rig.FinalVerdict(QStringLiteral("1"));
        const double line = rig.s.AnswerLine + 5;
        QStringList texts;
        for (const TextEvent& e : shown)
            texts << e.Text;
        if (!practice) {
            // The euro sign is drawn as a C with two strokes, then the amount.
            QCOMPARE(texts, (QStringList{QStringLiteral("C"), result}));
            QCOMPARE(shown[0].X, Margin);
            QCOMPARE(shown[1].Colour, clr::Red);
            continue;
        }
        QCOMPARE(texts, (QStringList{QStringLiteral("De groeifactor is ") + factor + QLatin1Char('.'),
                                     QStringLiteral("Dus: "), QStringLiteral("Nieuwe ") + noun + QStringLiteral(" ="),
                                     QStringLiteral("Oude ") + noun + QStringLiteral(" x ") + factor +
                                         QStringLiteral(" =         "),
                                     QString::number(amount) + QStringLiteral(" x ") + factor + QStringLiteral(" = ") +
                                         result + QLatin1Char(' '),
                                     QStringLiteral("C")}));
        QCOMPARE(shown[0].Y, Round(line * LineHeight));
        QCOMPARE(shown[0].Colour, clr::Blue);
        QCOMPARE(shown[2].Colour, clr::Red);
        QCOMPARE(shown[2].Y, shown[1].Y);
        QCOMPARE(shown[3].X, 2 * Margin);
        QCOMPARE(shown[4].Y, Round((line + 3.75) * LineHeight));
        QCOMPARE(shown[4].Colour, clr::Red);
    }
}

QTEST_MAIN(TestGrowth)
#include "tst_growth.moc"
