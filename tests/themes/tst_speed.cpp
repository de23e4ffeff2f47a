// Themes 7 and 24: the trips posed, the answer that follows from the numbers shown, the
// graph and the worked explanation.
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

Fraction Ratio(long long p, long long q)
{
    return FracDiv(IntToFraction(int(p)), IntToFraction(int(q)));
}

// "45,67" as the exact fraction 4567/100.
Fraction Decimal(const QString& text)
{
    const QString digits = QString(text).remove(QLatin1Char(','));
    return Ratio(digits.toLongLong(), 100);
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

std::set<int> Range(int from, int to, int step)
{
    std::set<int> values;
    for (int v = from; v <= to; v += step)
        values.insert(v);
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

bool Submit(ThemeRig& rig, const QString& text)
{
    QString t = text;
    rig.s.EnterAnswerField();
    return rig.s.SubmitAnswer(t) == AnswerOutcome::Marked;
}

}  // namespace

class TestSpeed : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void posedTrips_data();
    void posedTrips();
    void answerFollowsFromTheText_data();
    void answerFollowsFromTheText();
    void fortyMinutesAtThirtySix();
    void graph_data();
    void graph();
    void explanationOfTheFractions();
    void explanationOfTheDecimals_data();
    void explanationOfTheDecimals();
    void testModeShowsTheAnswerAsked();
};

void TestSpeed::posedTrips_data()
{
    QTest::addColumn<int>("theme");
    QTest::addColumn<int>("level");
    QTest::addColumn<std::set<int>>("durations");
    std::set<int> durver = Range(10, 100, 10), prof = Range(40, 110, 10), decimals = Range(10, 87, 1);
    durver.erase(60), durver.erase(70), prof.erase(60), decimals.erase(30), decimals.erase(60);
    std::set<int> decimalStarter = Range(10, 59, 1);
    decimalStarter.erase(30);
    QTest::newRow("theme 7 Starter") << 7 << 1 << Range(10, 40, 10);
    QTest::newRow("theme 7 Durver") << 7 << 2 << durver;
    QTest::newRow("theme 7 Prof") << 7 << 3 << prof;
    QTest::newRow("theme 24 Starter") << 24 << 1 << decimalStarter;
    QTest::newRow("theme 24 Durver") << 24 << 2 << decimals;
    QTest::newRow("theme 24 Prof") << 24 << 3 << decimals;
}

// Thousands of runs: exactly the durations and speeds of the level, never the previous
// duration (20 at START), and for theme 7 a whole speed from a whole or half kilometre.
void TestSpeed::posedTrips()
{
    QFETCH(int, theme);
    QFETCH(int, level);
    QFETCH(std::set<int>, durations);
    const std::set<int> speeds = theme == 7 ? Range(400, 900, 50) : Range(400, 940, 10);
    std::set<int> seenDurations, seenSpeeds;
    for (std::uint32_t seed = 1; seed <= 2000; ++seed) {
        Random random(seed * 104729u);
        int previous = speed::DurationAtStart;
        for (int i = 0; i < 10; ++i) {
            const Trip trip = PoseTrip(theme, level, previous, random);
            QVERIFY2(durations.count(trip.Minutes), qPrintable(QString::number(trip.Minutes)));
            QVERIFY(speeds.count(trip.MetresPerMinute));
            QVERIFY2(trip.Minutes != previous, "never the duration of the previous trip");
            QCOMPARE(trip.Metres(), trip.Minutes * trip.MetresPerMinute);
            if (theme == 7) {
                QCOMPARE(trip.Metres() % 500, 0);
                const Fraction kmh = FracDiv(Ratio(trip.Metres() / 100, 10), Ratio(trip.Minutes, 60));
                QVERIFY(kmh.Num == 0 && kmh.Whole >= 24 && kmh.Whole <= 54 && kmh.Whole % 3 == 0);
            }
            seenDurations.insert(trip.Minutes);
            seenSpeeds.insert(trip.MetresPerMinute);
            previous = trip.Minutes;
        }
    }
    QCOMPARE(seenDurations, durations);
    QCOMPARE(seenSpeeds, speeds);
}

void TestSpeed::answerFollowsFromTheText_data()
{
    QTest::addColumn<int>("theme");
    QTest::addColumn<int>("level");
    for (const int theme : {7, 24})
        for (int level = 1; level <= 3; ++level)
            QTest::addRow("theme %d level %d", theme, level) << theme << level;
}

// Through the generator: the question turns, the duration is remembered, and the expected
// answer equals what the texts on the screen give, computed exactly.
void TestSpeed::answerFollowsFromTheText()
{
    QFETCH(int, theme);
    QFETCH(int, level);
    ThemeRig rig(StefanieTrip, theme, level, 77);
    rig.s.ThemeCycle[speed::DurationCounter] = speed::DurationAtStart;
    QStringList texts;
    rig.s.TextBitmap.TextObserver = [&texts](const TextEvent& e) { texts << e.Text; };
    for (int i = 0; i < 240; ++i) {
        texts.clear();
        rig.Next();
        const Session& s = rig.s;
        const int q = s.ThemeMemory[theme];
        const int t = s.Param[0], d = s.Param[1], v = s.Param[2];
        QCOMPARE(q, theme == 7 ? 0 : i % 3);
        QCOMPARE(s.ThemeCycle[speed::DurationCounter], t);
        QCOMPARE(d, t * v);
        QCOMPARE(texts.first(), QStringLiteral("Stefanie rijdt "));
        Fraction expected;
        if (theme == 7) {
            const Fraction km = Ratio(d / 100, 10), hours = Ratio(t, 60);
            QCOMPARE(texts.mid(1, FractionTexts(km).size()), FractionTexts(km));
            QCOMPARE(texts.mid(texts.indexOf(QStringLiteral("in ")) + 1, FractionTexts(hours).size()),
                     FractionTexts(hours));
            QVERIFY(texts.contains(QStringLiteral(" uur (= %1 minuten).").arg(t)));
            expected = FracDiv(km, hours);
            QCOMPARE(s.ExpectedInt, expected.Whole);
            QCOMPARE(s.IntTolerance, 0);
        } else {
            // Distance or duration on the first line, the other number on the second.
            const QString first = texts[1];
            const QString second = texts[q == 2 ? 2 : 3];
            QVERIFY2(second.startsWith(q == 0 ? QStringLiteral("in ") : QStringLiteral("met een snelheid van ")),
                     qPrintable(second));
            const QString number = second.section(QLatin1Char(' '), q == 0 ? 1 : 4, q == 0 ? 1 : 4);
            if (q == 0)
                expected = FracDiv(Decimal(first), Ratio(number.toInt(), 60));
            else if (q == 1)
                expected = IntMulFrac(60, FracDiv(Decimal(first), Decimal(number)));
            else
                expected = FracMul(Ratio(first.section(QLatin1Char(' '), 0, 0).toInt(), 60), Decimal(number));
            QVERIFY(texts.contains(QStringLiteral("(afronden op 2 decimalen)")));
            QCOMPARE(s.RealTolerance, 0.0049);
            QCOMPARE(s.AnswerDecimals, 2);
        }
        QCOMPARE(s.ExpectedReal, FractionToReal(expected));
        const QStringList units{QStringLiteral(" km/u"), QStringLiteral(" minuten"), QStringLiteral(" km")};
        QCOMPARE(s.AnswerUnit, units[q]);
        QCOMPARE(rig.view.Field.Kind, theme == 7 ? 1 : 2);
        QCOMPARE(rig.view.Field.PanelTop, 9 * LineHeight);
    }
}

// 40 minutes at 600 metres a minute: 24 km in two thirds of an hour, 36 km/u.
void TestSpeed::fortyMinutesAtThirtySix()
{
    const std::uint32_t seed = SeedFor(2, 40, 600);
    QVERIFY(seed);
    ThemeRig rig(StefanieTrip, 7, 2, seed);
    rig.s.ThemeCycle[speed::DurationCounter] = speed::DurationAtStart;
    QStringList texts;
    rig.s.TextBitmap.TextObserver = [&texts](const TextEvent& e) { texts << e.Text; };
    rig.Next();
    QCOMPARE(texts.mid(0, 6), (QStringList{"Stefanie rijdt ", "24", " km", "in ", "2", "3"}));
    QCOMPARE(rig.s.ExpectedInt, 36);
    QVERIFY(Submit(rig, QStringLiteral("36")));
    QCOMPARE(rig.s.Points, 8);
}

void TestSpeed::graph_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<bool>("speedScale");
    QTest::newRow("Starter") << 1 << true;
    QTest::newRow("Durver") << 2 << true;
    QTest::newRow("Prof") << 3 << false;
}

// The trip ends in a blue dot at (10 + 0.6 t, 90 - 0.0008 d) %; the speed scale at one
// hour stands at the lower levels, higher than any trip reaches.
void TestSpeed::graph()
{
    QFETCH(int, level);
    QFETCH(bool, speedScale);
    for (const int theme : {7, 24}) {
        ThemeRig rig(StefanieTrip, theme, level, 3);
        for (int i = 0; i < 10; ++i) {
            rig.Next();
            const Bitmap& b = rig.s.PictureBitmap;
            const double x = 10 + 0.6 * rig.s.Param[0], y = 90 - 0.0008 * rig.s.Param[1];
            QCOMPARE(b.Pixel(PctX(x) + 1, PctY(y) + 1), clr::Blue);
            QCOMPARE(b.Pixel(PctX(46), PctY(15)), speedScale ? clr::Black : clr::BtnFace);
            QCOMPARE(b.Pixel(PctX(10), PctY(15)), clr::Black);
        }
    }
}

// Theme 7 in practice: the distance over the duration, one red bar between them, and the
// whole speed after it.
void TestSpeed::explanationOfTheFractions()
{
    ThemeRig rig(StefanieTrip, 7, 2, SeedFor(2, 40, 600));
    rig.s.ThemeCycle[speed::DurationCounter] = speed::DurationAtStart;
    QStringList texts;
    rig.s.TextBitmap.TextObserver = [&texts](const TextEvent& e) { texts << e.Text; };
    rig.Next();
    QVERIFY(Submit(rig, QStringLiteral("35")));
    rig.Again();
    QVERIFY(Submit(rig, QStringLiteral("35")));
    QCOMPARE(texts.mid(texts.lastIndexOf(QStringLiteral("Het antwoord was: ")) + 1),
             (QStringList{"24", "2", "3", "  = 36  km/u"}));
    const Bitmap& b = rig.s.TextBitmap;
    const int bar = Round((rig.s.AnswerLine + 5 + 1.75) * LineHeight);
    QCOMPARE(b.Pixel(Margin + 1, bar), clr::Red);
    QCOMPARE(b.Pixel(Margin + 1, bar - LineHeight / 2), clr::BtnFace);
}

void TestSpeed::explanationOfTheDecimals_data()
{
    QTest::addColumn<int>("question");
    QTest::newRow("speed") << 0;
    QTest::newRow("time") << 1;
    QTest::newRow("distance") << 2;
}

// Theme 24 in practice: hours from minutes, the formula with the numbers of the question,
// the answer, and the warning just above the Doorgaan button.
void TestSpeed::explanationOfTheDecimals()
{
    QFETCH(int, question);
    ThemeRig rig(StefanieTrip, 24, 2, 12);
    rig.s.ThemeMemory[24] = question - 1;
    QList<TextEvent> events;
    rig.s.TextBitmap.TextObserver = [&events](const TextEvent& e) { events << e; };
    rig.Next();
    const QString wrong = FormatFixed(rig.s.ExpectedReal + 3, 2);
    QVERIFY(Submit(rig, wrong));
    rig.Again();
    events.clear();
    QVERIFY(Submit(rig, wrong));
    QStringList texts;
    for (const TextEvent& e : events)
        texts << e.Text;
    const Session& s = rig.s;
    const int t = s.Param[0];
    const QString hours = FormatFixed(t / 60.0, 2) + QStringLiteral(" uur");
    const QString km = FormatFixed(s.Param[1] / 1000.0, 2), kmh = FormatFixed(s.Param[2] * 0.06, 2);
    QStringList expected;
    if (question != 1)
        expected << QStringLiteral("%1 min. = ").arg(t) << QString::number(t) << QStringLiteral("60")
                 << QStringLiteral(" uur") << QStringLiteral(" ~") << QStringLiteral(" ~") << hours;
    if (question == 0)
        expected << QStringLiteral("snelheid = ") << km << hours;
    if (question == 1)
        expected << QStringLiteral("tijd = ") << km << kmh << QStringLiteral(" ~") << QStringLiteral(" ~")
                 << hours + QLatin1Char('.') << QStringLiteral("Ofwel ") + hours + QStringLiteral(" x 60 ");
    if (question == 2)
        expected << QStringLiteral("afstand = ") + hours + QStringLiteral(" x ") + kmh;
    expected << QStringLiteral(" ~") << QStringLiteral(" ~")
             << FormatFixed(s.ExpectedReal, 2) + QLatin1Char(' ') + s.AnswerUnit << QStringLiteral("Let op:")
             << QStringLiteral("  NIET tussentijds afronden!");
    QCOMPARE(texts.mid(texts.indexOf(QStringLiteral("Het antwoord was: ")) + 1), expected);
    const double top = double(s.ContinueButtonTop()) / LineHeight;
    QCOMPARE(events.last().Y, Round((top - 1.5) * LineHeight));
    QCOMPARE(events[events.size() - 2].Y, Round((top - 2.5) * LineHeight));
    QVERIFY2(events[events.size() - 3].Y < events[events.size() - 2].Y, "the warning comes below the answer");
}

// In a test only the answer: theme 24's own, never a speed left over from an earlier
// exercise or another theme.
void TestSpeed::testModeShowsTheAnswerAsked()
{
    for (const int theme : {7, 24})
        for (int question = 0; question < (theme == 7 ? 1 : 3); ++question) {
            ThemeRig rig(StefanieTrip, theme, 3, 61);
            rig.s.SetCategory(CategoryOfCode(theme), false);
            rig.s.ThemeMemory[theme] = question - 1;
            QStringList texts;
            rig.s.TextBitmap.TextObserver = [&texts](const TextEvent& e) { texts << e.Text; };
            rig.Next();
            if (question)
                rig.s.ExpectedInt = 4711;
            const QString wrong = theme == 7 ? QStringLiteral("99") : QStringLiteral("999");
            QVERIFY(Submit(rig, wrong));
            rig.Again();
            texts.clear();
            QVERIFY(Submit(rig, wrong));
            const QString answer = theme == 7 ? QString::number(rig.s.ExpectedInt) : FormatFixed(rig.s.ExpectedReal, 2);
            QCOMPARE(texts.mid(texts.indexOf(QStringLiteral("Het antwoord was: ")) + 1),
                     QStringList{answer + QLatin1Char(' ') + rig.s.AnswerUnit});
        }
}

QTEST_MAIN(TestSpeed)
#include "tst_speed.moc"
