// Theme 25: the results list as printed, the points it adds up to, and the skater drawn
// through its mask.
#include "platform/resources.h"
#include "session/marking.h"
#include "support/themerig.h"
#include "themes/calculator/skating.h"
#include "toolkit/layout.h"
#include "toolkit/text.h"

#include <QtTest>

#include <map>
#include <set>

using namespace velmora;
using velmora::test::ThemeRig;

namespace {

// The texts of a bitmap by pixel row.
struct Printed {
    std::map<int, QList<TextEvent>> Rows;
    void Attach(Bitmap& b)
    {
        b.TextObserver = [this](const TextEvent& e) { Rows[e.Y] << e; };
    }
    QList<TextEvent> Line(double line) const
    {
        const auto it = Rows.find(Round(line * LineHeight));
        return it == Rows.end() ? QList<TextEvent>() : it->second;
    }
    bool Has(const QString& text) const
    {
        for (const auto& [y, events] : Rows)
            for (const TextEvent& e : events)
                if (e.Text == text)
                    return true;
        return false;
    }
};

// "6 min 31,80 sec." -> 39180 hundredths; -1 when the text is not a time.
int Hundredths(const QString& text, bool& minutes)
{
    static const QRegularExpression time(QStringLiteral("^(?:(\\d+) min )?(\\d\\d),(\\d\\d) sec\\.$"));
    const QRegularExpressionMatch m = time.match(text);
    if (!m.hasMatch())
        return -1;
    minutes = m.hasCaptured(1);
    return m.captured(1).toInt() * 6000 + m.captured(2).toInt() * 100 + m.captured(3).toInt();
}

}  // namespace

class TestSkating : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QVERIFY(LoadResourceLibrary(QCoreApplication::applicationDirPath())); }
    void resultsAddUp_data();
    void resultsAddUp();
    void explanationOnFirstTwoOnly();
    void timeTexts_data();
    void timeTexts();
    void skaterDrawnThroughMask();
    void threeDecimalsMarked();
};

void TestSkating::resultsAddUp_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<QString>("classification");
    QTest::newRow("Starter: two distances") << 1 << "in het tussenklassement";
    QTest::newRow("Durver: three distances") << 2 << "in het tussenklassement";
    QTest::newRow("Prof: all four") << 3 << "in het eindklassement";
}

// Every printed time is a whole number of 500 metre stretches of a time in the level's range;
// the answer is the sum of those 500 metre times.
void TestSkating::resultsAddUp()
{
    QFETCH(int, level);
    QFETCH(QString, classification);
    const int distances = level + 1;
    ThemeRig rig(SkatingPoints, 25, level, 31u * level);
    Printed picture, question;
    picture.Attach(rig.s.PictureBitmap);
    question.Attach(rig.s.TextBitmap);
    std::set<QString> names;
    std::set<int> lowest;
    for (int i = 0; i < 500; ++i) {
        picture.Rows.clear();
        question.Rows.clear();
        rig.Next();
        const Session& s = rig.s;
        const QString name = s.FeedbackText;
        names.insert(name);
        QVERIFY(picture.Has(name) && question.Has(name));
        const int sex = QStringList{QStringLiteral("Marit Vosselaar"), QStringLiteral("Ineke Brasem"),
                                    QStringLiteral("Sanne Willering")}
                            .contains(name);
        int sum = 0;
        for (int row = 1; row <= distances; ++row) {
            const QList<TextEvent> texts = picture.Line(3.5 + 1.5 * row);
            QVERIFY(texts.size() >= 2);
            const int stretches = SkatingStretches(sex, row);
            QCOMPARE(texts[0].Text, QStringLiteral("%1 meter").arg(stretches * 500));
            bool minutes = false;
            const int skated = Hundredths(texts[1].Text, minutes);
            QVERIFY2(skated > 0 && skated % stretches == 0, qPrintable(texts[1].Text));
            QCOMPARE(minutes, row > 1);  // only the 500 metre stays under a minute
            const int t = skated / stretches;
            QVERIFY(t >= 3850 + 10 * stretches && t < 3850 + 10 * stretches + 100 * level);
            QCOMPARE(s.Param[row], t);
            lowest.insert(t - 3850 - 10 * stretches);
            sum += t;
            QCOMPARE(texts.last().Text, row == 1 ? FormatFixed(t / 100.0, 2) : QStringLiteral("  ..."));
        }
        QVERIFY2(picture.Line(3.5 + 1.5 * (distances + 1)).size() == 2, "the total row: its label and the dots");
        QCOMPARE(s.Param[0], sum);
        QCOMPARE(s.ExpectedReal, sum * 0.01);
        QCOMPARE(s.WorkText, classification);
        QVERIFY(question.Has(classification));
        QVERIFY(question.Has(QStringLiteral("na %1 afstanden ?").arg(distances)));
        QCOMPARE(rig.view.Field.Hint, QStringLiteral("|aantal punten ") + name + QStringLiteral(" ?"));
    }
    QCOMPARE(int(names.size()), 6);
    QVERIFY2(lowest.count(0) && lowest.count(100 * level - 1), "the whole range of times is drawn");
    QCOMPARE(rig.view.Field.Kind, 2);
    QCOMPARE(rig.view.Field.Label, QStringLiteral("Aantal punten: "));
    QCOMPARE(rig.view.Field.PanelTop, 8 * LineHeight);
    QCOMPARE(rig.s.AnswerDecimals, 3);
    QCOMPARE(rig.s.AnswerUnit, QStringLiteral(" punten"));
}

void TestSkating::explanationOnFirstTwoOnly()
{
    ThemeRig rig(SkatingPoints, 25, 2, 8);
    Printed picture;
    picture.Attach(rig.s.PictureBitmap);
    for (int run = 0; run < 2; ++run) {
        rig.Start();
        for (int i = 1; i <= 4; ++i) {
            picture.Rows.clear();
            rig.Next();
            QCOMPARE(picture.Has(QStringLiteral("Toelichting:")), i <= 2);
            QCOMPARE(rig.s.ThemeMemory[25], i);
            // A second attempt redraws only the question.
            picture.Rows.clear();
            rig.Again();
            QVERIFY(picture.Rows.empty());
        }
    }
}

void TestSkating::timeTexts_data()
{
    QTest::addColumn<int>("hundredths");
    QTest::addColumn<QString>("text");
    QTest::newRow("500 metre") << 3896 << "38,96 sec.";
    QTest::newRow("leading zero in the hundredths") << 3907 << "39,07 sec.";
    QTest::newRow("5000 metre") << 39180 << "6 min 31,80 sec.";
    QTest::newRow("whole minutes") << 42000 << "7 min 00,00 sec.";
    QTest::newRow("seconds below ten") << 6305 << "1 min 03,05 sec.";
    QTest::newRow("10000 metre") << 82900 << "13 min 49,00 sec.";
}

void TestSkating::timeTexts()
{
    QFETCH(int, hundredths);
    QFETCH(QString, text);
    QCOMPARE(SkatingTime(hundredths), text);
    DecSep = QLatin1Char('.');  // results lists keep their comma
    QCOMPARE(SkatingTime(hundredths), text);
    DecSep = QLatin1Char(',');
}

// On a white picture the sprite's own background stays out, the skater itself shows.
void TestSkating::skaterDrawnThroughMask()
{
    ThemeRig rig(SkatingPoints, 25, 1, 12);
    rig.s.Attempt = 0;
    FillBitmap(rig.s.PictureBitmap, clr::White);
    SkatingPoints(rig.s);
    const QImage skater = LoadNamedBitmapScaled(QStringLiteral("schaats"), ScaleFactor);
    QVERIFY(!skater.isNull());
    QCOMPARE(skater.width(), Round(ScaleFactor * LoadNamedBitmap(QStringLiteral("schaats")).width()));
    const int left = PctX(50) - skater.width() / 2, top = 12 * LineHeight;
    const QRgb key = skater.pixel(0, 0);
    int shown = 0, keyed = 0;
    for (int y = 0; y < skater.height(); ++y)
        for (int x = 0; x < skater.width(); ++x) {
            const QColor onPicture = rig.s.PictureBitmap.Pixel(left + x, top + y);
            if (skater.pixel(x, y) == key) {
                ++keyed;
                QCOMPARE(onPicture, clr::White);
            } else {
                shown += onPicture == QColor(skater.pixel(x, y));
            }
        }
    QVERIFY(keyed > skater.width() * skater.height() / 3);
    QVERIFY(shown > skater.width() * skater.height() / 8);
}

// Three decimals: the correctly rounded sum is right, one thousandth off is not; of an exact
// half thousandth both roundings are right.
void TestSkating::threeDecimalsMarked()
{
    QVERIFY(DecimalAnswerRight(1.234, 1.2345, 0.00049, 3));
    QVERIFY(DecimalAnswerRight(1.235, 1.2345, 0.00049, 3));
    QVERIFY(!DecimalAnswerRight(1.236, 1.2345, 0.00049, 3));

    ThemeRig rig(SkatingPoints, 25, 3, 77);
    for (int i = 0; i < 20; ++i) {
        rig.Next();
        const double expected = rig.s.ExpectedReal;
        for (const auto& [offset, right] : {std::pair{0.0, true}, std::pair{0.001, false}}) {
            rig.Again();
            rig.s.Attempt = 1;
            rig.s.Points = 0;
            QString text = FormatFixed(expected + offset, 3);
            QCOMPARE(rig.s.SubmitAnswer(text), AnswerOutcome::Marked);
            QCOMPARE(rig.s.Points > 0, right);
        }
    }
}

QTEST_MAIN(TestSkating)
#include "tst_skating.moc"
