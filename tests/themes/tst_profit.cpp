// Theme 18: the price table read as printed, the highest profit percentage never tied and
// marked to the hundredth; a worked table with its explanation on text and picture.
#include "session/marking.h"
#include "support/themerig.h"
#include "themes/percentages/profit.h"
#include "toolkit/layout.h"
#include "toolkit/text.h"

#include <QtTest>

#include <map>
#include <set>

using namespace velmora;
using velmora::test::TextLog;
using velmora::test::ThemeRig;

class TestProfit : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void numbersAndAnswer_data();
    void numbersAndAnswer();
    void workedTable();
};

void TestProfit::numbersAndAnswer_data()
{
    QTest::addColumn<int>("level");
    QTest::newRow("Starter") << 1;
    QTest::newRow("Durver") << 2;
}

// Thousands of tables as printed: purchases 0,25 to 0,64, each sale price the purchase rounded
// down to 5 cents plus 10 to 45 cents, above it by at most half; one article more than 0.01 %
// above all others, named and expected; every answer right to the hundredth is accepted (both
// at an exact half) and its neighbours are not.
void TestProfit::numbersAndAnswer()
{
    QFETCH(int, level);
    ThemeRig rig(HighestProfit, 18, level, 17);
    TextLog picture;
    picture.Attach(rig.s.PictureBitmap);
    std::map<long long, std::set<long long>> salesByPurchase;
    for (int i = 0; i < 2000; ++i) {
        picture.Events.clear();
        rig.Next();
        std::map<int, QStringList> rows;
        for (const TextEvent& e : picture.Events)
            rows[e.Y] << e.Text;
        long long a[profit::ArticleCount + 1] = {}, s[profit::ArticleCount + 1] = {};
        int best = 0;
        for (int row = 1; row <= profit::ArticleCount; ++row) {
            QStringList r = rows[Round((10.5 + row) * LineHeight)];
            QCOMPARE(r.size(), 3);
            a[row] = r[1].remove(QLatin1Char(',')).toLongLong();
            s[row] = r[2].remove(QLatin1Char(',')).toLongLong();
            const long long added = s[row] - (a[row] - a[row] % 5);
            QVERIFY(a[row] >= 25 && a[row] <= 64 && s[row] > a[row] && 2 * s[row] <= 3 * a[row] && added >= 10 &&
                    added <= 45 && added % 5 == 0);
            salesByPurchase[a[row]].insert(s[row]);
            if (best == 0 || s[row] * a[best] > s[best] * a[row])
                best = row;
        }
        for (int row = 1; row <= profit::ArticleCount; ++row)  // 10000 s / a < 10000 sb / ab - 1
            QVERIFY2(row == best || 10000 * s[row] * a[best] < 10000 * s[best] * a[row] - a[row] * a[best],
                     "another article ties with the highest");
        QVERIFY(rig.s.Param[profit::BestPurchase] == a[best] && rig.s.Param[profit::BestSale] == s[best]);
        QCOMPARE(rig.s.WorkText, rows[Round((10.5 + best) * LineHeight)].first());
        const long long num = 10000 * (s[best] - a[best]), den = a[best];  // the answer in hundredths
        for (long long r = num / den - 2; r <= num / den + 2; ++r)
            QCOMPARE(DecimalAnswerRight(r / 100.0, rig.s.ExpectedReal, rig.s.RealTolerance, 2),
                     2 * std::llabs(r * den - num) <= den);
    }
    QCOMPARE(int(salesByPurchase.size()), 40);
    QCOMPARE(salesByPurchase[25], (std::set<long long>{35}));
    QCOMPARE(salesByPurchase[64], (std::set<long long>{70, 75, 80, 85, 90, 95}));
}

// 0,40/0,55, 0,60/0,85, 0,30/0,35 and 0,50/0,60: in practice the chain on the text, and on the
// picture the tip, the profit column and "Zakje drop" wholly red over its black row; in a test
// the result alone. And 0,64/0,70 gives 9,375 %: both roundings are right.
void TestProfit::workedTable()
{
    ThemeRig rig(HighestProfit, 18, 1, 3);
    rig.Next();
    Session& s = rig.s;
    s.Param = {2, 60, 85, 40, 55, 60, 85, 30, 35, 50, 60};
    s.WorkText = QStringLiteral("Zakje drop");
    s.ExpectedReal = 100.0 * 25 / 60;
    s.AnswerDecimals = 2;
    ClearLines(s.PictureBitmap, 11.3, 15.5);
    DrawText(QStringLiteral("Zakje drop"), clr::Black, false, Margin, 12.5, 1, s.PictureBitmap);
    DrawText(QStringLiteral("0,60"), clr::Black, false, PctX(50), 12.5, 1, s.PictureBitmap);
    DrawText(QStringLiteral("0,85"), clr::Black, false, PctX(70), 12.5, 1, s.PictureBitmap);
    TextEndX = Margin;
    TextLog text, picture;
    text.Attach(s.TextBitmap);
    picture.Attach(s.PictureBitmap);
    ExplainProfit(s, 10);
    const QString tail = QStringLiteral("| ~| ~|41,67|%|Ze maakt reclame voor:|Zakje drop");
    QCOMPARE(text.Texts().join(QLatin1Char('|')),
             "Grootste verhouding |0,85|0,60| ~| ~|1,4167|Dus winstpercentage " + tail);
    QStringList drawn;  // each text after its half line
    for (const TextEvent& e : picture.Events)
        drawn << QStringLiteral("%1 %2").arg(Round(2.0 * e.Y / LineHeight)).arg(e.Text);
    QCOMPARE(drawn.join(QLatin1Char('|')),
             "43 Zakje drop|20 Winst(%)|23 37,50%|27 16,67%|29 20,00%|25 Zakje drop|25 0,60|25 0,85|25 41,67%");
    // Red text, smoothed onto the background, never has less red than the background: less is
    // the rim of the black text below.
    int red = 0, rim = 0;
    for (int y = Round(12.5 * LineHeight); y < Round(13.5 * LineHeight); ++y)
        for (int x = 1; x < s.PictureBitmap.Width() - 1; ++x) {
            red += s.PictureBitmap.Pixel(x, y) == clr::Red;
            rim += s.PictureBitmap.Pixel(x, y).red() < clr::BtnFace.red();
        }
    QVERIFY2(red > 100 && rim == 0, "the best row wholly red, with no rim of the black text it replaced");

    s.SetCategory(Category::Percentages, false);
    text.Events.clear();
    TextEndX = Margin;
    ExplainProfit(s, 10);
    QCOMPARE(text.Texts().join(QLatin1Char('|')), "Hoogste winstpercentage " + tail);
    const double tie = ProfitPercentage(64, 70);
    QVERIFY(DecimalAnswerRight(9.37, tie, 0.0049, 2) && DecimalAnswerRight(9.38, tie, 0.0049, 2));
    QVERIFY(!DecimalAnswerRight(9.36, tie, 0.0049, 2) && !DecimalAnswerRight(9.39, tie, 0.0049, 2));
}

QTEST_MAIN(TestProfit)
#include "tst_profit.moc"
