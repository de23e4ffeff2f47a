// Themes 12 and 13: amounts and rates posed, the new amount expected exactly, and the worked
// explanation of an exercise whose change bar is drawn from the mark (a discount's too).
#include "support/themerig.h"
#include "themes/percentages/growth.h"
#include "toolkit/text.h"

#include <QtTest>

#include <set>

using namespace velmora;
using velmora::test::TextLog;
using velmora::test::ThemeRig;

namespace {

std::set<int> Steps(const QList<int>& range)  // first, last, step
{
    std::set<int> values;
    for (int v = range[0]; v <= range[1]; v += range[2])
        values.insert(v);
    return values;
}

}  // namespace

class TestGrowth : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void posed_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("level");
        QTest::addColumn<QList<int>>("amounts");
        QTest::addColumn<QList<int>>("rates");  // tenths of a percent
        QTest::newRow("meer, Starter") << 12 << 1 << QList{300, 700, 100} << QList{40, 129, 1};
        QTest::newRow("meer, Durver") << 12 << 2 << QList{300, 750, 50} << QList{40, 129, 1};
        QTest::newRow("minder, Starter") << 13 << 1 << QList{300, 590, 10} << QList{50, 290, 10};
        QTest::newRow("minder, Durver") << 13 << 2 << QList{300, 590, 10} << QList{50, 295, 5};
    }

    // Thousands of exercises reach exactly the amounts and rates of the level, and the answer
    // is the old amount times the growth factor, to the tenth of a cent, asked in cents.
    void posed()
    {
        QFETCH(int, code);
        QFETCH(int, level);
        QFETCH(QList<int>, amounts);
        QFETCH(QList<int>, rates);
        ThemeRig rig(GrowthModels, code, level);
        std::set<int> seenAmounts, seenRates;
        for (std::uint32_t seed = 1; seed <= 4000; ++seed) {
            rig.s.Rng().Seed(seed * 2246822519u);
            PoseGrowth(rig.s);
            const int b = rig.s.Param[growth::Amount], p = rig.s.Param[growth::Rate];
            seenAmounts.insert(b);
            seenRates.insert(p);
            const long long exact = static_cast<long long>(b) * (code == 12 ? 1000 + p : 1000 - p);
            QVERIFY(std::abs(rig.s.ExpectedReal * 1000 - exact) < 1e-6);
            QCOMPARE(rig.s.AnswerDecimals, 2);
        }
        QCOMPARE(seenAmounts, Steps(amounts));
        QCOMPARE(seenRates, Steps(rates));
    }

    void explanation_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("practice");
        QTest::addColumn<int>("amount");
        QTest::addColumn<int>("rate");
        QTest::addColumn<QString>("story");        // where the pupil reads the rate
        QTest::addColumn<double>("changeEnd");     // of the change bar, in percent of the width
        QTest::addColumn<QString>("explanation");  // after "Het antwoord was: "
        QTest::newRow("meer, practice: 4,5 % on 500")
            << 12 << true << 500 << 45 << "De bank geeft 4,5 % rente" << 77.475
            << "De groeifactor is 1,045.|Dus: |Nieuwe Bedrag =|Oude Bedrag x 1,045 =         |"
               "500 x 1,045 = 522,50 |C";
        QTest::newRow("minder, practice: 15 % off 400")
            << 13 << true << 400 << 150 << "Hij krijgt 15,0 % seizoens-" << 66.75
            << "De groeifactor is 0,850.|Dus: |Nieuwe Prijs =|Oude Prijs x 0,850 =         |"
               "400 x 0,850 = 340,00 |C";
        // The euro sign is drawn as a C with two strokes, then the amount.
        QTest::newRow("minder, test") << 13 << false << 400 << 150 << "Hij krijgt 15,0 % seizoens-" << 66.75
                                      << "C|340,00";
    }

    // The story shows the rate, the yellow change bar runs from the old amount's end (75 %) to
    // the factor's end, leftwards for a discount, and after a final miss practice shows the
    // chain old x factor = new, a test only the amount.
    void explanation()
    {
        QFETCH(int, code);
        QFETCH(bool, practice);
        QFETCH(int, amount);
        QFETCH(int, rate);
        QFETCH(QString, story);
        QFETCH(double, changeEnd);
        QFETCH(QString, explanation);
        ThemeRig rig(GrowthModels, code, 1);
        rig.s.SetCategory(Category::Percentages, practice);
        std::uint32_t seed = 1;
        for (; seed < 100000; ++seed) {
            rig.s.Rng().Seed(seed);
            PoseGrowth(rig.s);
            if (rig.s.Param[growth::Amount] == amount && rig.s.Param[growth::Rate] == rate)
                break;
        }
        rig.s.Rng().Seed(seed);
        TextLog text;
        text.Attach(rig.s.TextBitmap);
        rig.Next();
        QCOMPARE(rig.s.Param[growth::Amount], amount);
        QVERIFY2(text.Find(story), qPrintable(text.Texts().join(QLatin1Char('|'))));
        QCOMPARE(rig.s.PictureBitmap.Pixel(PctX((75 + changeEnd) / 2), PctY(40)), clr::Yellow);
        QStringList shown;
        for (const TextEvent& e : rig.FinalVerdict(QStringLiteral("1")))
            shown << e.Text;
        QCOMPARE(shown.join(QLatin1Char('|')), explanation);
    }
};

QTEST_MAIN(TestGrowth)
#include "tst_growth.moc"
