// Theme 25: the results list adds up to the answer, the explanation on the first two
// exercises only, the skater drawn through its mask, and points marked to three decimals.
#include "platform/resources.h"
#include "session/marking.h"
#include "support/themerig.h"
#include "themes/calculator/skating.h"
#include "toolkit/layout.h"
#include "toolkit/text.h"

#include <QtTest>

#include <set>

using namespace velmora;
using velmora::test::ThemeRig;

class TestSkating : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QVERIFY(LoadResourceLibrary(QCoreApplication::applicationDirPath())); }
    void resultsAddUp_data()
    {
        QTest::addColumn<int>("level");
        QTest::newRow("Starter: two distances") << 1;
        QTest::newRow("Durver: three") << 2;
        QTest::newRow("Prof: all four") << 3;
    }
    // Every printed time is whole 500 metre stretches of a time in the level's range, written
    // with a comma whatever the pupil's separator; the answer is the sum of those 500 metre
    // times. The explanation comes on the first two exercises after START only.
    void resultsAddUp()
    {
        QFETCH(int, level);
        ThemeRig rig(SkatingPoints, 25, level, 31u * level);
        DecSep = QLatin1Char('.');
        static const QRegularExpression time(QStringLiteral("^(?:(\\d+) min )?(\\d\\d),(\\d\\d) sec\\.$"));
        QList<int> metres, times;
        bool explained = false;
        rig.s.PictureBitmap.TextObserver = [&](const TextEvent& e) {
            if (const QRegularExpressionMatch m = time.match(e.Text); m.hasMatch())
                times << m.captured(1).toInt() * 6000 + m.captured(2).toInt() * 100 + m.captured(3).toInt();
            if (e.Text.endsWith(QStringLiteral(" meter")))
                metres << e.Text.section(QLatin1Char(' '), 0, 0).toInt();
            explained = explained || e.Text == QStringLiteral("Toelichting:");
        };
        const QStringList women{QStringLiteral("Marit Vosselaar"), QStringLiteral("Ineke Brasem"),
                                QStringLiteral("Sanne Willering")};
        std::set<QString> names;
        std::set<int> offsets;
        for (int i = 0; i < 500; ++i) {
            if (i % 50 == 0)
                rig.Start();
            metres.clear();
            times.clear();
            explained = false;
            rig.Next();
            QCOMPARE(explained, i % 50 < 2);
            names.insert(rig.s.FeedbackText);
            const QList<int> distances = women.contains(rig.s.FeedbackText) ? QList<int>{500, 3000, 1500, 5000}
                                                                            : QList<int>{500, 5000, 1500, 10000};
            QCOMPARE(metres, distances.mid(0, level + 1));
            QCOMPARE(times.size(), level + 1);
            int sum = 0;
            for (int row = 0; row <= level; ++row) {
                const int stretches = metres[row] / 500, t = times[row] / stretches;
                QCOMPARE(t * stretches, times[row]);
                QVERIFY(t >= 3850 + 10 * stretches && t < 3850 + 10 * stretches + 100 * level);
                offsets.insert(t - 3850 - 10 * stretches);
                sum += t;
            }
            QCOMPARE(rig.s.ExpectedReal, sum / 100.0);
        }
        DecSep = QLatin1Char(',');
        QCOMPARE(int(names.size()), 6);
        QVERIFY2(offsets.count(0) && offsets.count(100 * level - 1), "the whole range of times is drawn");
    }
    // The explanation's own example: 5000 metre in 6 min 31,80 sec. gives 39,18 points.
    void workedExample()
    {
        QCOMPARE(SkatingTime(3918 * SkatingStretches(0, 2)), QStringLiteral("6 min 31,80 sec."));
        QCOMPARE(SkatingTime(3907), QStringLiteral("39,07 sec."));
    }
    // On a white picture the sprite's own background stays out, the skater itself shows.
    void skaterDrawnThroughMask()
    {
        ThemeRig rig(SkatingPoints, 25, 1, 12);
        FillBitmap(rig.s.PictureBitmap, clr::White);
        SkatingPoints(rig.s);
        const QImage skater = LoadNamedBitmapScaled(QStringLiteral("schaats"), ScaleFactor);
        QVERIFY(!skater.isNull());
        const int left = PctX(50) - skater.width() / 2, top = 12 * LineHeight;
        int shown = 0;
        for (int y = 0; y < skater.height(); ++y)
            for (int x = 0; x < skater.width(); ++x) {
                const QColor onPicture = rig.s.PictureBitmap.Pixel(left + x, top + y);
                const bool key = skater.pixel(x, y) == skater.pixel(0, 0);
                shown += !key && onPicture == QColor(skater.pixel(x, y));
                QVERIFY(!key || onPicture == clr::White);
            }
        QVERIFY(shown > skater.width() * skater.height() / 8);
    }
    // 1,2345 points: with the theme's own tolerance and decimals both roundings of the half
    // thousandth are right, a thousandth further is not.
    void threeDecimalsMarked()
    {
        ThemeRig rig(SkatingPoints, 25, 3, 77);
        rig.Next();
        for (const auto& [typed, right] : {std::pair{1.234, true}, {1.235, true}, {1.236, false}, {1.233, false}})
            QCOMPARE(DecimalAnswerRight(typed, 1.2345, rig.s.RealTolerance, rig.s.AnswerDecimals), right);
    }
};

QTEST_MAIN(TestSkating)
#include "tst_skating.moc"
