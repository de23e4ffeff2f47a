// Theme 19: the packs in the level's steps, a new small weight every time and the answer from
// the four numbers shown; the small price cut in integers; the worked explanation.
#include "session/marking.h"
#include "support/themerig.h"
#include "themes/percentages/pack.h"
#include "toolkit/layout.h"

#include <QtTest>

#include <algorithm>
#include <ranges>
#include <set>

using namespace velmora;
using velmora::test::TextLog;
using velmora::test::ThemeRig;

class TestPack : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void numbersAndAnswer_data();
    void numbersAndAnswer();
    void workedCases_data();
    void workedCases();
};

void TestPack::numbersAndAnswer_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<QList<int>>("steps");  // lowest, highest and step of G, B and w in turn
    QTest::newRow("Starter") << 1 << QList<int>{1000, 1000, 100, 10, 55, 5, 100, 800, 100};
    QTest::newRow("Durver") << 2 << QList<int>{800, 2000, 100, 10, 48, 2, 250, 500, 25};
}

// Thousands of exercises: G, B and w in the level's steps and all of them drawn; a small weight
// never the same as just before, even when a draw is redone; S from a surcharge of 100 to 119 %;
// never an answer of almost 0, sometimes a negative one; every answer right to the hundredth
// for the numbers shown is accepted (both at an exact half) and its neighbours are not.
void TestPack::numbersAndAnswer()
{
    QFETCH(int, level);
    QFETCH(QList<int>, steps);
    const QRegularExpression number(QStringLiteral("^(?:Gewicht  | )(\\d+)(?: gram|,-)$"));
    ThemeRig rig(BigOrSmallPack, 19, level, 8);
    TextLog picture;
    picture.Attach(rig.s.PictureBitmap);
    std::set<long long> seen[3];
    int previous = 0, cheaper = 0;
    for (int i = 0; i < 2000; ++i) {
        picture.Events.clear();
        rig.Next();
        QList<long long> n;  // G, B, w and S as the two columns show them
        for (const QString& t : picture.Texts())
            if (const QRegularExpressionMatch m = number.match(t); m.hasMatch())
                n << m.captured(1).toLongLong();
        QCOMPARE(n.size(), 4);
        for (int k = 0; k < 3; ++k) {
            QVERIFY(n[k] >= steps[3 * k] && n[k] <= steps[3 * k + 1] && (n[k] - steps[3 * k]) % steps[3 * k + 2] == 0);
            seen[k].insert(n[k]);
        }
        const long long G = n[0], B = n[1], w = n[2], S = n[3];
        QVERIFY2(w != previous && rig.s.ThemeCycle[pack::PreviousWeightCounter] == w, "a new weight, remembered");
        previous = w;
        QVERIFY(std::ranges::any_of(std::views::iota(100, 120),
                                    [&](long long f) { return S == 13 * f * B * w / (1000 * G); }));
        const long long num = 10000 * (S * G - B * w), den = B * w;  // the answer in hundredths
        QVERIFY2(std::llabs(num) > den, "an answer of almost 0 is drawn again");
        cheaper += num < 0;
        for (long long r = num / den - 2; r <= num / den + 2; ++r)
            QCOMPARE(DecimalAnswerRight(r / 100.0, rig.s.ExpectedReal, rig.s.RealTolerance, 2),
                     2 * std::llabs(r * den - num) <= den);
    }
    for (int k = 0; k < 3; ++k)
        QCOMPARE(int(seen[k].size()), (steps[3 * k + 1] - steps[3 * k]) / steps[3 * k + 2] + 1);
    QVERIFY2(cheaper > 0, "the small pack is sometimes cheaper per gram");
}

// The small price cut in integers and the answer as the explanation shows it, for numbers
// worked out by hand; the first also with the whole chain of a practice run.
void TestPack::workedCases_data()
{
    QTest::addColumn<QList<int>>("fBwG");
    QTest::addColumn<int>("S");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("chain");  // empty: a test run, the result alone
    QTest::newRow("14.3 cut to 14")
        << QList<int>{110, 25, 400, 1000} << 14 << "40,00%"
        << "De inhoud is 40,0%|van Maik's pak.|Omgerekend in Euro's: |40,0% van |25,00  =  |10,00|(dus per pakje "
           "|4,00 duurder)|In Euro-centen:|Prijs die Jet betaalde|Omgerekende prijs| = |1400|1000| ~| ~|1,4000|Dus: |";
    QTest::newRow("1.3 cut to 1: no difference") << QList<int>{100, 10, 100, 1000} << 1 << "0,00%" << QString();
    QTest::newRow("1.95 cut to 1: cheaper") << QList<int>{100, 15, 100, 1000} << 1 << "-33,33%" << QString();
    QTest::newRow("7.8 cut to 7") << QList<int>{100, 48, 250, 2000} << 7 << "16,67%" << QString();
    // Whole results that floating point puts a hair below the whole number.
    QTest::newRow("exactly 15") << QList<int>{100, 40, 375, 1300} << 15 << "30,00%" << QString();
    QTest::newRow("exactly 29") << QList<int>{116, 50, 500, 1300} << 29 << "50,80%" << QString();
}

void TestPack::workedCases()
{
    QFETCH(QList<int>, fBwG);
    QFETCH(int, S);
    QFETCH(QString, result);
    QFETCH(QString, chain);
    QCOMPARE(SmallPackPrice(fBwG[0], fBwG[1], fBwG[2], fBwG[3]), S);
    ThemeRig rig(BigOrSmallPack, 19, 1);
    Session& s = rig.s;
    s.SetCategory(Category::Percentages, !chain.isEmpty());
    s.Param = {fBwG[3], fBwG[1], fBwG[2], S};
    s.ExpectedReal = SmallPackExtra(S, fBwG[1], fBwG[2], fBwG[3]);
    s.AnswerDecimals = 2;
    TextEndX = Margin;
    TextLog log;
    log.Attach(s.TextBitmap);
    ExplainUnitPrice(s, 8);
    QStringList shown = log.Texts();
    shown.removeAll(QStringLiteral("C"));  // the letter of a euro sign
    QCOMPARE(shown.join(QLatin1Char('|')),
             chain + QStringLiteral("Het pakje is in verhouding|%1| duurder.").arg(result));
}

QTEST_MAIN(TestPack)
#include "tst_pack.moc"
