// Theme 11: the shares posed, the grams expected with the decimals they need, and the worked
// explanation.
#include "session/marking.h"
#include "support/themerig.h"
#include "themes/percentages/bar.h"

#include <QtTest>

#include <set>

using namespace velmora;
using velmora::test::TextLog;
using velmora::test::ThemeRig;

class TestBar : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void posed_data()
    {
        QTest::addColumn<int>("level");
        QTest::newRow("Starter: whole tens of grams") << 1;
        QTest::newRow("Durver: odd grams") << 2;
    }

    // Thousands of exercises: every number in its range with both ends reached, the answer
    // the exact rest in grams with just the decimals it needs, a hundredth more marked wrong.
    void posed()
    {
        QFETCH(int, level);
        ThemeRig rig(ShareBar, 11, level);
        const Session& s = rig.s;
        std::array<std::set<int>, 3> seen;  // weights, Ellen's and Esther's percentages
        for (std::uint32_t seed = 1; seed <= 4000; ++seed) {
            rig.s.Rng().Seed(seed * 2654435761u);
            PoseBar(rig.s);
            const int w = s.Param[bar::Weight], r = s.Param[bar::Rest];
            QCOMPARE(s.Param[bar::Ellen] + s.Param[bar::Esther] + r, 100);
            QCOMPARE(w % 10 != 0, level == 2);
            for (int i = 0; i < 3; ++i)
                seen[i].insert(s.Param[i]);
            const int hundredths = w * r;
            QVERIFY(std::abs(s.ExpectedReal * 100 - hundredths) < 1e-7);
            QCOMPARE(s.AnswerDecimals, hundredths % 100 == 0 ? 0 : hundredths % 10 == 0 ? 1 : 2);
            QVERIFY(!DecimalAnswerRight((hundredths + 1) / 100.0, s.ExpectedReal, s.RealTolerance, 2));
        }
        const auto ends = [&seen](int i) { return std::pair(*seen[i].begin(), *seen[i].rbegin()); };
        QCOMPARE(ends(bar::Weight), level == 1 ? std::pair(410, 660) : std::pair(411, 669));
        QCOMPARE(ends(bar::Ellen), std::pair(21, 50));
        QCOMPARE(ends(bar::Esther), std::pair(21, 45));
    }

    void explanation_data()
    {
        QTest::addColumn<bool>("practice");
        QTest::addColumn<QList<int>>("shares");  // weight, Ellen's and Esther's percentage
        QTest::addColumn<QString>("shown");
        QTest::newRow("practice, whole grams")
            << true << QList{500, 30, 25} << "Jij krijgt 45 % van de reep.|Dat is 500 x 0,45| = 225 gram";
        QTest::newRow("practice, two decimals")
            << true << QList{417, 33, 40} << "Jij krijgt 27 % van de reep.|Dat is 417 x 0,27| = 112,59 gram";
        QTest::newRow("test, one decimal") << false << QList{415, 21, 21} << "240,7 gram";
    }

    // Practice shows the whole chain, a test only the grams.
    void explanation()
    {
        QFETCH(bool, practice);
        QFETCH(QList<int>, shares);
        QFETCH(QString, shown);
        ThemeRig rig(ShareBar, 11, 2);
        Session& s = rig.s;
        s.SetCategory(Category::Percentages, practice);
        const int weight = shares[0], rest = 100 - shares[1] - shares[2];
        s.Param = {weight, shares[1], shares[2], rest};
        s.ExpectedReal = weight * rest / 100.0;
        s.AnswerDecimals = BarDecimals(weight, rest);
        TextLog log;
        log.Attach(s.TextBitmap);
        ExplainBar(s, 10);
        QCOMPARE(log.Texts().join(QLatin1Char('|')), shown);
    }
};

QTEST_MAIN(TestBar)
#include "tst_bar.moc"
