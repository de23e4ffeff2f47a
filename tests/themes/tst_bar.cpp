// Theme 11: the shares posed, the grams expected with the decimals they need, and the worked
// explanation.
#include "support/themerig.h"
#include "themes/percentages/bar.h"
#include "toolkit/layout.h"
#include "toolkit/text.h"

#include <QtTest>

#include <set>

using namespace velmora;
using velmora::test::TextLog;
using velmora::test::ThemeRig;

namespace {

// The decimals an exact number of hundredths needs.
int NeededDecimals(int hundredths)
{
    return hundredths % 100 == 0 ? 0 : hundredths % 10 == 0 ? 1 : 2;
}

int Number(const QString& text, const QString& pattern)
{
    const QRegularExpressionMatch m = QRegularExpression(pattern).match(text);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

}  // namespace

class TestBar : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void sharesPosed_data();
    void sharesPosed();
    void shownNumbersGiveTheAnswer_data();
    void shownNumbersGiveTheAnswer();
    void explanation_data();
    void explanation();
};

void TestBar::sharesPosed_data()
{
    QTest::addColumn<int>("level");
    QTest::newRow("Starter") << 1;
    QTest::newRow("Durver") << 2;
}

// Thousands of exercises: every number in its range, the answer exact with just the
// decimals it needs, and the ends of every range reached.
void TestBar::sharesPosed()
{
    QFETCH(int, level);
    ThemeRig rig(ShareBar, 11, level, 1);
    std::set<int> weights, ellen, esther, decimals;
    for (std::uint32_t seed = 1; seed <= 4000; ++seed) {
        rig.s.Rng().Seed(seed * 2654435761u);
        PoseBar(rig.s);
        const int w = rig.s.Param[bar::Weight], e = rig.s.Param[bar::Ellen], st = rig.s.Param[bar::Esther];
        const int r = rig.s.Param[bar::Rest];
        QCOMPARE(e + st + r, 100);
        QVERIFY(e >= 21 && e <= 50);
        QVERIFY(st >= 21 && st <= 45);
        QVERIFY(r >= 5 && r <= 58);
        if (level == 1)
            QVERIFY2(w >= 410 && w <= 660 && w % 10 == 0, qPrintable(QString::number(w)));
        else
            QVERIFY2(w >= 411 && w <= 669 && w % 10 != 0, qPrintable(QString::number(w)));
        QCOMPARE(qRound64(rig.s.ExpectedReal * 100), qint64(w) * r);
        QVERIFY(std::abs(rig.s.ExpectedReal * 100 - w * r) < 1e-7);
        QCOMPARE(rig.s.AnswerDecimals, NeededDecimals(w * r));
        QCOMPARE(rig.s.RealTolerance, 0.0001);
        weights.insert(w);
        ellen.insert(e);
        esther.insert(st);
        decimals.insert(rig.s.AnswerDecimals);
    }
    QCOMPARE(*ellen.begin(), 21);
    QCOMPARE(*ellen.rbegin(), 50);
    QCOMPARE(*esther.begin(), 21);
    QCOMPARE(*esther.rbegin(), 45);
    QCOMPARE(*weights.begin(), level == 1 ? 410 : 411);
    QCOMPARE(*weights.rbegin(), level == 1 ? 660 : 669);
    QCOMPARE(int(weights.size()), level == 1 ? 26 : 26 * 9);
    // Whole tens of grams at Starter never need hundredths.
    QCOMPARE(decimals, level == 1 ? (std::set<int>{0, 1}) : (std::set<int>{0, 1, 2}));
}

void TestBar::shownNumbersGiveTheAnswer_data()
{
    sharesPosed_data();
}

// What the pupil reads is enough: the answer follows from the printed numbers, on the text
// and on the picture, and the field asks for grams.
void TestBar::shownNumbersGiveTheAnswer()
{
    QFETCH(int, level);
    ThemeRig rig(ShareBar, 11, level, 5);
    TextLog text, picture;
    text.Attach(rig.s.TextBitmap);
    picture.Attach(rig.s.PictureBitmap);
    for (int i = 0; i < 150; ++i) {
        text.Events.clear();
        picture.Events.clear();
        rig.Next();
        const QString shown = text.Texts().join(QLatin1Char('|'));
        const int w = Number(shown, QStringLiteral("De hele reep weegt (\\d+) gram\\."));
        const int e = Number(shown, QStringLiteral("Ellen krijgt (\\d+) %\\."));
        const int st = Number(shown, QStringLiteral("Esther krijgt (\\d+) %\\."));
        QVERIFY2(w > 0 && e > 0 && st > 0, qPrintable(shown));
        const int hundredths = w * (100 - e - st);
        QCOMPARE(FormatFixed(rig.s.ExpectedReal, rig.s.AnswerDecimals),
                 FormatFixed(hundredths / 100.0, NeededDecimals(hundredths)));
        QVERIFY(std::abs(rig.s.ExpectedReal - hundredths / 100.0) < 1e-9);

        const QStringList drawn = picture.Texts();
        QVERIFY(drawn.contains(QStringLiteral("De hele reep weegt %1 gram.").arg(w)));
        QVERIFY(drawn.contains(QStringLiteral("Ellen krijgt %1 % van de reep.").arg(e)));
        QVERIFY(drawn.contains(QStringLiteral("Esther krijgt %1 % van de reep.").arg(st)));
        QVERIFY(drawn.contains(QStringLiteral("Hoeveel gram krijg jij ?")));
    }
    QCOMPARE(rig.view.Field.Kind, 2);
    QCOMPARE(rig.view.Field.Label, QStringLiteral("jij krijgt: "));
    QCOMPARE(rig.view.Field.Hint, QStringLiteral("|Hoeveel gram krijg jij ?"));
    QCOMPARE(rig.view.Field.PanelTop, 8 * LineHeight);
    QCOMPARE(rig.s.AnswerUnit, QStringLiteral(" gr."));
}

void TestBar::explanation_data()
{
    QTest::addColumn<int>("weight");
    QTest::addColumn<int>("ellen");
    QTest::addColumn<int>("esther");
    QTest::addColumn<QString>("grams");
    QTest::addColumn<QString>("factor");
    QTest::newRow("whole grams") << 500 << 30 << 25 << "225"
                                 << "0,45";
    QTest::newRow("one decimal") << 415 << 21 << 21 << "240,7"
                                 << "0,58";
    QTest::newRow("two decimals") << 417 << 33 << 40 << "112,59"
                                  << "0,27";
}

// Practice shows the whole chain, a test only the grams.
void TestBar::explanation()
{
    QFETCH(int, weight);
    QFETCH(int, ellen);
    QFETCH(int, esther);
    QFETCH(QString, grams);
    QFETCH(QString, factor);
    const int rest = 100 - ellen - esther;
    for (const bool practice : {true, false}) {
        ThemeRig rig(ShareBar, 11, 2, 3);
        rig.s.SetCategory(Category::Percentages, practice);
        rig.Next();
        rig.s.Param[bar::Weight] = weight;
        rig.s.Param[bar::Ellen] = ellen;
        rig.s.Param[bar::Esther] = esther;
        rig.s.Param[bar::Rest] = rest;
        rig.s.ExpectedReal = weight * rest / 100.0;
        rig.s.AnswerDecimals = BarDecimals(weight, rest);
        QCOMPARE(rig.s.AnswerDecimals, NeededDecimals(weight * rest));

        const std::vector<TextEvent> shown = rig.FinalVerdict(QStringLiteral("1"));
        const double line = rig.s.AnswerLine + 5;  // under the echo, "Jammer !" and "Het antwoord was: "
        if (!practice) {
            QCOMPARE(shown.size(), size_t(1));
            QCOMPARE(shown[0].Text, grams + QStringLiteral(" gram"));
            QCOMPARE(shown[0].Colour, clr::Red);
            QCOMPARE(shown[0].X, Margin);
            QCOMPARE(shown[0].Y, Round(line * LineHeight));
            continue;
        }
        QCOMPARE(shown.size(), size_t(3));
        QCOMPARE(shown[0].Text, QStringLiteral("Jij krijgt %1 % van de reep.").arg(rest));
        QCOMPARE(shown[0].Colour, clr::Blue);
        QCOMPARE(shown[1].Text, QStringLiteral("Dat is %1 x %2").arg(weight).arg(factor));
        QCOMPARE(shown[1].Y, Round((line + 1.25) * LineHeight));
        QCOMPARE(shown[2].Text, QStringLiteral(" = ") + grams + QStringLiteral(" gram"));
        QCOMPARE(shown[2].Colour, clr::Red);
        QCOMPARE(shown[2].Y, Round((line + 2.5) * LineHeight));
        // Right-aligned: it ends a margin before the edge.
        Bitmap probe(8, 8);
        probe.Font.Size = RefFontSize;
        QCOMPARE(shown[2].X + probe.TextWidth(shown[2].Text), rig.s.TextBitmap.Width() - Margin);
    }
}

QTEST_MAIN(TestBar)
#include "tst_bar.moc"
