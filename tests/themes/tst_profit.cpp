// Theme 18: the price table posed, the highest profit percentage found exactly and never
// tied, the table as printed, and the worked explanation on text and picture.
#include "session/marking.h"
#include "support/themerig.h"
#include "themes/percentages/profit.h"
#include "toolkit/layout.h"
#include "toolkit/text.h"

#include <QtTest>

#include <functional>
#include <map>
#include <set>

using namespace velmora;
using velmora::test::ThemeRig;

namespace {

using profit::PurchaseSlot;
using profit::SaleSlot;

// sa / a < sb / b - 1/10000 (profit percentages more than 0.01 apart), in integers.
bool ClearlyBelow(long long sa, long long a, long long sb, long long b)
{
    return 10000 * sa * b < 10000 * sb * a - a * b;
}

// The answers in hundredths that round 100 s / a - 100 correctly (two at a tie).
std::vector<long long> RightHundredths(long long a, long long s)
{
    const long long num = 10000 * (s - a), q = num / a, r = num % a;
    if (2 * r < a)
        return {q};
    if (2 * r > a)
        return {q + 1};
    return {q, q + 1};
}

QStringList TextsOf(Bitmap& b, const std::function<void()>& draw)
{
    QStringList texts;
    b.TextObserver = [&texts](const TextEvent& e) { texts << e.Text; };
    draw();
    b.TextObserver = nullptr;
    return texts;
}

void SetTable(Session& s, std::initializer_list<std::pair<int, int>> rows)
{
    int row = 1, best = 0;
    double highest = 0;
    for (const auto& [a, sale] : rows) {
        s.Param[PurchaseSlot(row)] = a;
        s.Param[SaleSlot(row)] = sale;
        if (ProfitPercentage(a, sale) > highest) {
            highest = ProfitPercentage(a, sale);
            best = row;
        }
        ++row;
    }
    s.Param[profit::BestRow] = best;
    s.Param[profit::BestPurchase] = s.Param[PurchaseSlot(best)];
    s.Param[profit::BestSale] = s.Param[SaleSlot(best)];
    s.WorkText = ProfitArticleName(best);
    s.ExpectedReal = highest;
    s.AnswerDecimals = 2;
}

}  // namespace

class TestProfit : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void numbersPosed();
    void percentage_data();
    void percentage();
    void tableDrawn();
    void explanation_data();
    void explanation();
};

// Over thousands of tables: the price rules, and a highest percentage that stands clear of
// every other article and is what the pupil gets from the shown prices.
void TestProfit::numbersPosed()
{
    std::map<int, std::set<int>> salesByPurchase;
    for (const std::uint32_t seed : {17u, 2600u, 8086u}) {
        ThemeRig rig(HighestProfit, 18, 1, seed);
        for (int i = 0; i < 2000; ++i) {
            PoseProfit(rig.s);
            const Session& s = rig.s;
            const int best = s.Param[profit::BestRow];
            QVERIFY(best >= 1 && best <= profit::ArticleCount);
            const int ba = s.Param[PurchaseSlot(best)], bs = s.Param[SaleSlot(best)];
            for (int row = 1; row <= profit::ArticleCount; ++row) {
                const int a = s.Param[PurchaseSlot(row)], sale = s.Param[SaleSlot(row)];
                salesByPurchase[a].insert(sale);
                QVERIFY(a >= 25 && a <= 64);
                QVERIFY2(sale > a && 2 * sale <= 3 * a, qPrintable(QStringLiteral("%1 %2").arg(a).arg(sale)));
                const int added = sale - (a - a % 5);
                QVERIFY(added >= 10 && added <= 45 && added % 5 == 0);
                if (row != best)
                    QVERIFY2(ClearlyBelow(sale, a, bs, ba), "another article ties with the highest");
            }
            QCOMPARE(s.Param[profit::BestPurchase], ba);
            QCOMPARE(s.Param[profit::BestSale], bs);
            QCOMPARE(s.WorkText, ProfitArticleName(best));
            const double exact = 100.0 * (bs - ba) / ba;
            QVERIFY(std::abs(s.ExpectedReal - exact) < 1e-9);
            const std::vector<long long> right = RightHundredths(ba, bs);
            for (const long long r : right)
                QVERIFY(DecimalAnswerRight(r / 100.0, s.ExpectedReal, s.RealTolerance, 2));
            QVERIFY(!DecimalAnswerRight((right.front() - 1) / 100.0, s.ExpectedReal, s.RealTolerance, 2));
            QVERIFY(!DecimalAnswerRight((right.back() + 1) / 100.0, s.ExpectedReal, s.RealTolerance, 2));
        }
    }
    QCOMPARE(int(salesByPurchase.size()), 40);
    QCOMPARE(salesByPurchase[25], (std::set<int>{35}));
    QCOMPARE(salesByPurchase[64], (std::set<int>{70, 75, 80, 85, 90, 95}));
}

void TestProfit::percentage_data()
{
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("s");
    QTest::addColumn<QString>("typed");
    QTest::newRow("0,40 to 0,55") << 40 << 55 << "37,50";
    QTest::newRow("0,60 to 0,85") << 60 << 85 << "41,67";
    QTest::newRow("a tie: 0,64 to 0,70 rounded down") << 64 << 70 << "9,37";
    QTest::newRow("a tie: 0,64 to 0,70 rounded up") << 64 << 70 << "9,38";
}

void TestProfit::percentage()
{
    QFETCH(int, a);
    QFETCH(int, s);
    QFETCH(QString, typed);
    double given = 0;
    QVERIFY(ParseDecimal(typed, QLatin1Char(','), given));
    QVERIFY(DecimalAnswerRight(given, ProfitPercentage(a, s), 0.0049, 2));
}

// The table shows every article's prices as posed, with a comma and two decimals.
void TestProfit::tableDrawn()
{
    ThemeRig rig(HighestProfit, 18, 2, 55);
    for (int i = 0; i < 80; ++i) {
        std::map<int, QStringList> rows;
        rig.s.PictureBitmap.TextObserver = [&rows](const TextEvent& e) { rows[e.Y] << e.Text; };
        const QStringList text = TextsOf(rig.s.TextBitmap, [&] { rig.Next(); });
        const Session& s = rig.s;
        QCOMPARE(rows[10 * LineHeight], (QStringList{"Artikel", "Inkoop", "Verkoop"}));
        for (int row = 1; row <= profit::ArticleCount; ++row) {
            const auto cents = [](int c) {
                return QStringLiteral("%1,%2").arg(c / 100).arg(c % 100, 2, 10, QChar('0'));
            };
            QCOMPARE(rows[Round((10.5 + row) * LineHeight)],
                     (QStringList{ProfitArticleName(row), cents(s.Param[PurchaseSlot(row)]),
                                  cents(s.Param[SaleSlot(row)])}));
        }
        QCOMPARE(text, (QStringList{"Hester berekent de vier", "winstpercentages.", "Wat is daarbij de",
                                    "hoogste uitkomst ?", "(afronden op 2 decimalen)"}));
        QCOMPARE(rig.view.Field.Label, QStringLiteral("Hoogste %: "));
        QCOMPARE(rig.view.Field.Kind, 2);
        QCOMPARE(rig.view.Field.Hint, QStringLiteral("|Wat is het hoogste winstpercentage ?"));
        QCOMPARE(rig.view.Field.PanelTop, 9 * LineHeight);
        QCOMPARE(s.AnswerUnit, QStringLiteral(" %"));
    }
}

void TestProfit::explanation_data()
{
    QTest::addColumn<bool>("practice");
    QTest::newRow("practice") << true;
    QTest::newRow("test") << false;
}

// The chain (practice) or the result (test) on the text, and on the picture the tip, the
// profit column and the best article in red.
void TestProfit::explanation()
{
    QFETCH(bool, practice);
    ThemeRig rig(HighestProfit, 18, 1, 3);
    rig.Next();
    Session& s = rig.s;
    s.SetCategory(Category::Percentages, practice);
    SetTable(s, {{40, 55}, {60, 85}, {30, 35}, {50, 60}});
    // The best row as the table printed it, in black.
    ClearLines(s.PictureBitmap, 11.3, 15.5);
    DrawText(QStringLiteral("Zakje drop"), clr::Black, false, Margin, 12.5, 1, s.PictureBitmap);
    DrawText(QStringLiteral("0,60"), clr::Black, false, PctX(50), 12.5, 1, s.PictureBitmap);
    DrawText(QStringLiteral("0,85"), clr::Black, false, PctX(70), 12.5, 1, s.PictureBitmap);
    TextEndX = Margin;
    std::map<int, QStringList> picture;
    s.PictureBitmap.TextObserver = [&picture](const TextEvent& e) { picture[e.Y] << e.Text; };
    const QStringList text = TextsOf(s.TextBitmap, [&] { ExplainProfit(s, 10); });
    const QStringList tail{" ~", " ~", "41,67", "%", "Ze maakt reclame voor:", "Zakje drop"};
    if (practice)
        QCOMPARE(
            text,
            QStringList({"Grootste verhouding ", "0,85", "0,60", " ~", " ~", "1,4167", "Dus winstpercentage "}) + tail);
    else
        QCOMPARE(text, QStringList({"Hoogste winstpercentage "}) + tail);

    QCOMPARE(picture[Round(21.5 * LineHeight)], QStringList{"Zakje drop"});
    QCOMPARE(picture[10 * LineHeight], QStringList{"Winst(%)"});
    QCOMPARE(picture[Round(11.5 * LineHeight)], QStringList{"37,50%"});
    QCOMPARE(picture[Round(12.5 * LineHeight)], (QStringList{"Zakje drop", "0,60", "0,85", "41,67%"}));
    QCOMPARE(picture[Round(13.5 * LineHeight)], QStringList{"16,67%"});
    QCOMPARE(picture[Round(14.5 * LineHeight)], QStringList{"20,00%"});
    // The best row is wholly red: no dark rim of the black text it replaced.
    const Bitmap& b = s.PictureBitmap;
    int red = 0, dark = 0;
    for (int y = Round(12.5 * LineHeight); y < Round(13.5 * LineHeight); ++y)
        for (int x = 1; x < b.Width() - 1; ++x) {
            const QColor c = b.Pixel(x, y);
            red += c == clr::Red;
            dark += c.red() < 100 && c.green() < 100 && c.blue() < 100;
        }
    QVERIFY(red > 100);
    QCOMPARE(dark, 0);
}

QTEST_MAIN(TestProfit)
#include "tst_profit.moc"
