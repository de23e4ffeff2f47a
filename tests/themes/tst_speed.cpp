// Themes 7 and 24: the trips posed, the answer that follows from the numbers of the trip and
// the worked explanation in practice and in test.
#include "support/themerig.h"
#include "themes/fractions/speed.h"
#include "toolkit/fraction.h"
#include "toolkit/layout.h"
#include "toolkit/text.h"

#include <QtTest>

#include <set>

using namespace velmora;
using velmora::test::ThemeRig;

namespace {

Fraction Ratio(int p, int q)
{
    return FracDiv(IntToFraction(p), IntToFraction(q));
}

std::set<int> Range(int from, int to, int step, std::initializer_list<int> without = {})
{
    std::set<int> values;
    for (int v = from; v <= to; v += step)
        values.insert(v);
    for (const int v : without)
        values.erase(v);
    return values;
}

// The first seed whose first theme-7 trip after START at this level is t minutes at v.
std::uint32_t SeedFor(int level, int t, int v)
{
    for (std::uint32_t seed = 1; seed < 100000; ++seed) {
        Random random(seed);
        const Trip trip = PoseTrip(7, level, speed::DurationAtStart, random);
        if (trip.Minutes == t && trip.MetresPerMinute == v)
            return seed;
    }
    return 0;
}

}  // namespace

class TestSpeed : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void posedTrips_data();
    void posedTrips();
    void explanation_data();
    void explanation();
};

void TestSpeed::posedTrips_data()
{
    QTest::addColumn<int>("theme");
    QTest::addColumn<int>("level");
    QTest::addColumn<std::set<int>>("durations");
    QTest::newRow("theme 7 Starter") << 7 << 1 << Range(10, 40, 10);
    QTest::newRow("theme 7 Durver") << 7 << 2 << Range(10, 100, 10, {60, 70});
    QTest::newRow("theme 7 Prof") << 7 << 3 << Range(40, 110, 10, {60});
    QTest::newRow("theme 24 Starter") << 24 << 1 << Range(10, 59, 1, {30});
    QTest::newRow("theme 24 Durver") << 24 << 2 << Range(10, 87, 1, {30, 60});
    QTest::newRow("theme 24 Prof") << 24 << 3 << Range(10, 87, 1, {30, 60});
}

// Thousands of runs: exactly the durations and speeds of the level, never the previous
// duration (20 at START), and for theme 7 a whole speed from a whole or half kilometre.
void TestSpeed::posedTrips()
{
    QFETCH(int, theme);
    QFETCH(int, level);
    QFETCH(std::set<int>, durations);
    std::set<int> seenDurations, seenSpeeds;
    for (std::uint32_t seed = 1; seed <= 2000; ++seed) {
        Random random(seed * 104729u);
        int previous = speed::DurationAtStart;
        for (int i = 0; i < 10; ++i) {
            const Trip trip = PoseTrip(theme, level, previous, random);
            QVERIFY2(trip.Minutes != previous, "never the duration of the previous trip");
            if (theme == 7) {
                const Fraction kmh = FracDiv(Ratio(trip.Metres() / 100, 10), Ratio(trip.Minutes, 60));
                QVERIFY2(trip.Metres() % 500 == 0 && kmh.Num == 0, "whole km/u from whole or half km");
            }
            seenDurations.insert(previous = trip.Minutes);
            seenSpeeds.insert(trip.MetresPerMinute);
        }
    }
    QCOMPARE(seenDurations, durations);
    QCOMPARE(seenSpeeds, theme == 7 ? Range(400, 900, 50) : Range(400, 940, 10));
}

void TestSpeed::explanation_data()
{
    QTest::addColumn<int>("theme");
    QTest::addColumn<int>("question");
    QTest::addColumn<bool>("practice");
    QTest::newRow("theme 7, 24 km in 2/3 hour, practice") << 7 << 0 << true;
    QTest::newRow("theme 7, 24 km in 2/3 hour, test") << 7 << 0 << false;
    QTest::newRow("theme 24 speed, practice") << 24 << 0 << true;
    QTest::newRow("theme 24 time, practice") << 24 << 1 << true;
    QTest::newRow("theme 24 distance, practice") << 24 << 2 << true;
    QTest::newRow("theme 24 time, test") << 24 << 1 << false;
    QTest::newRow("theme 24 distance, test") << 24 << 2 << false;
}

// After a final wrong answer: in practice the computation (theme 24's ends with the warning
// just above the Doorgaan button), in a test only the answer asked, worked out from the trip
// and never a speed left over from an earlier exercise.
void TestSpeed::explanation()
{
    QFETCH(int, theme);
    QFETCH(int, question);
    QFETCH(bool, practice);
    ThemeRig rig(StefanieTrip, theme, 2, theme == 7 ? SeedFor(2, 40, 600) : 12);
    rig.s.SetCategory(CategoryOfCode(theme), practice);
    rig.s.ThemeCycle[speed::DurationCounter] = speed::DurationAtStart;
    rig.s.ThemeMemory[theme] = question - 1;
    rig.Next();
    Session& s = rig.s;
    const int t = s.Param[0], v = s.Param[2];
    QVERIFY(s.Param[1] == t * v && s.ThemeCycle[speed::DurationCounter] == t);
    if (question)
        s.ExpectedInt = 4711;
    const QString hours = FormatFixed(t / 60.0, 2) + QStringLiteral(" uur"), km = FormatFixed(t * v / 1000.0, 2),
                  kmh = FormatFixed(v * 0.06, 2);
    const QString answer =
        theme == 7 ? QStringLiteral("%1  km/u").arg(v * 6 / 100)
                   : QStringList{kmh + QStringLiteral("  km/u"), FormatFixed(t, 2) + QStringLiteral("  minuten"),
                                 km + QStringLiteral("  km")}[question];
    const std::vector<TextEvent> shown = rig.FinalVerdict(QStringLiteral("999"));
    QStringList texts;
    for (const TextEvent& e : shown)
        texts << e.Text;
    if (!practice || theme == 7) {
        const QStringList worked{"24", "2", "3", QStringLiteral("  = ") + answer};
        QCOMPARE(texts, practice ? worked : QStringList{answer});
        return;
    }
    const QStringList formulas[] = {{QStringLiteral("snelheid = "), km, hours},
                                    {QStringLiteral("tijd = "), km, kmh, QStringLiteral("Ofwel %1 x 60 ").arg(hours)},
                                    {QStringLiteral("afstand = %1 x %2").arg(hours, kmh)}};
    QStringList keys = formulas[question];
    if (question != 1)
        keys << QStringLiteral("%1 min. = ").arg(t) << hours;
    for (const QString& key : keys << answer << QStringLiteral("Let op:"))
        QVERIFY2(texts.contains(key), qPrintable(key));
    QCOMPARE(texts.last(), QStringLiteral("  NIET tussentijds afronden!"));
    QCOMPARE(shown.back().Y, Round((double(s.ContinueButtonTop()) / LineHeight - 1.5) * LineHeight));
}

QTEST_MAIN(TestSpeed)
#include "tst_speed.moc"
