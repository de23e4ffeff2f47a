// Theme 15: discounts and prices posed without repeats, the new price expected exactly,
// the price table as printed, and the bare answer after a final miss.
#include "support/themerig.h"
#include "themes/percentages/sale.h"
#include "toolkit/layout.h"
#include "toolkit/text.h"

#include <QtTest>

#include <cctype>
#include <set>

using namespace velmora;
using velmora::test::TextLog;
using velmora::test::ThemeRig;

namespace {

// Starts a run whose first exercise poses this discount and price.
bool SeedFor(ThemeRig& rig, int discount, int price)
{
    for (std::uint32_t seed = 1; seed < 100000; ++seed) {
        rig.Start();
        rig.s.Rng().Seed(seed);
        PoseSale(rig.s);
        if (rig.s.Param[sale::Discount] == discount && rig.s.Param[sale::Price] == price) {
            rig.Start();
            rig.s.Rng().Seed(seed);
            return true;
        }
    }
    return false;
}

// The texts drawn on one text line, left to right as drawn.
std::vector<TextEvent> OnLine(const TextLog& log, double line)
{
    std::vector<TextEvent> found;
    for (const TextEvent& e : log.Events)
        if (e.Y == Round(line * LineHeight))
            found.push_back(e);
    return found;
}

}  // namespace

class TestSale : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void posed_data();
    void posed();
    void shownNumbersGiveTheAnswer_data();
    void shownNumbersGiveTheAnswer();
    void tablePrices();
    void bareAnswer_data();
    void bareAnswer();
};

void TestSale::posed_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("lowestDiscount");
    QTest::addColumn<int>("highestPrice");
    QTest::newRow("Starter") << 1 << 10 << 200;
    QTest::newRow("Durver") << 2 << 15 << 300;
}

// Runs of forty exercises: discount and price in the level's range, never the same as the
// exercise before, and the answer the exact new price with decimals only for half euros.
void TestSale::posed()
{
    QFETCH(int, level);
    QFETCH(int, lowestDiscount);
    QFETCH(int, highestPrice);
    ThemeRig rig(StoreSale, 15, level, 1);
    std::set<int> discounts, prices, decimals;
    for (std::uint32_t seed = 1; seed <= 100; ++seed) {
        rig.Start();
        rig.s.Rng().Seed(seed * 2654435761u);
        int previousDiscount = 0, previousPrice = 0;
        for (int i = 0; i < 40; ++i) {
            PoseSale(rig.s);
            const int d = rig.s.Param[sale::Discount], price = rig.s.Param[sale::Price];
            QVERIFY2(d >= lowestDiscount && d <= lowestDiscount + 80 && (d - lowestDiscount) % 10 == 0,
                     qPrintable(QString::number(d)));
            QVERIFY2(price >= 110 && price <= highestPrice && price % 10 == 0, qPrintable(QString::number(price)));
            QVERIFY2(d != previousDiscount, "the same discount twice in a row");
            QVERIFY2(price != previousPrice, "the same price twice in a row");
            QCOMPARE(rig.s.ThemeCycle[sale::PreviousDiscountCounter], d);
            QCOMPARE(rig.s.ThemeCycle[sale::PreviousIndexCounter], price / 10);
            const int cents = price * (100 - d);
            QVERIFY(std::abs(rig.s.ExpectedReal * 100 - cents) < 1e-7);
            QCOMPARE(rig.s.AnswerDecimals, cents % 100 == 0 ? 0 : 2);
            QCOMPARE(rig.s.RealTolerance, 0.0049);
            previousDiscount = d;
            previousPrice = price;
            discounts.insert(d);
            prices.insert(price);
            decimals.insert(rig.s.AnswerDecimals);
        }
    }
    QCOMPARE(int(discounts.size()), 9);
    QCOMPARE(*prices.begin(), 110);
    QCOMPARE(*prices.rbegin(), highestPrice);
    QCOMPARE(int(prices.size()), (highestPrice - 100) / 10);
    QCOMPARE(decimals, level == 1 ? std::set<int>{0} : (std::set<int>{0, 2}));
}

void TestSale::shownNumbersGiveTheAnswer_data()
{
    QTest::addColumn<int>("level");
    QTest::newRow("Starter") << 1;
    QTest::newRow("Durver") << 2;
}

// The discount and the old price in the story give the answer; the banner shows the same
// discount, and in the table only the bought article is red, with "?" beside it.
void TestSale::shownNumbersGiveTheAnswer()
{
    QFETCH(int, level);
    ThemeRig rig(StoreSale, 15, level, 4);
    TextLog text, picture;
    text.Attach(rig.s.TextBitmap);
    picture.Attach(rig.s.PictureBitmap);
    const QRegularExpression discountText(QStringLiteral("^(\\d+)% korting\\.$"));
    const QRegularExpression priceText(QStringLiteral("^(\\d+) kostte\\.$"));
    for (int i = 0; i < 120; ++i) {
        text.Events.clear();
        picture.Events.clear();
        rig.Next();
        int d = -1, price = -1;
        for (const QString& t : text.Texts()) {
            if (const auto m = discountText.match(t); m.hasMatch())
                d = m.captured(1).toInt();
            if (const auto m = priceText.match(t); m.hasMatch())
                price = m.captured(1).toInt();
        }
        QVERIFY2(d > 0 && price > 0, qPrintable(text.Texts().join(QLatin1Char('|'))));
        QVERIFY(std::abs(rig.s.ExpectedReal * 100 - price * (100 - d)) < 1e-7);
        QVERIFY(picture.Find(QString::number(d) + QStringLiteral("% korting")));

        // The bought article is red, with the question beside it on its own row.
        const TextEvent* question = picture.Find(QStringLiteral("  ? "));
        QVERIFY(question);
        QCOMPARE(question->Y, Round((13 + (price % 100 == 0 ? 10 : price % 100 / 10)) * LineHeight));
        for (const TextEvent& e : picture.Events)
            if (e.Y >= Round(14 * LineHeight) && std::isdigit(e.Text.front().toLatin1()))
                QCOMPARE(e.Colour == clr::Red, e.Text == QString::number(price));
    }
    QCOMPARE(rig.view.Field.Kind, 2);
    QCOMPARE(rig.view.Field.Label, QStringLiteral("Eva betaalt: "));
    QCOMPARE(rig.view.Field.Hint, QStringLiteral("|Hoeveel moet Eva betalen ?"));
    QCOMPARE(rig.view.Field.PanelTop, 8 * LineHeight);
    QCOMPARE(rig.s.AnswerUnit, QStringLiteral(" Euro"));
}

// The first column's new prices, read back from the picture, are the old ones less the
// discount, to the half euro; "8,50" for 10 and "17" for 20 at 15 %.
void TestSale::tablePrices()
{
    QCOMPARE(SaleTablePrice(1, 15).Whole, 8);
    QVERIFY(SaleTablePrice(1, 15).Half);
    QCOMPARE(SaleTablePrice(2, 15).Whole, 17);
    QVERIFY(!SaleTablePrice(2, 15).Half);
    QCOMPARE(SaleTablePrice(7, 100).Whole, 0);

    ThemeRig rig(StoreSale, 15, 2, 1);
    TextLog picture;
    picture.Attach(rig.s.PictureBitmap);
    for (int i = 0; i < 30; ++i) {
        picture.Events.clear();
        rig.Next();
        const int d = rig.s.Param[sale::Discount];
        for (int k = 1; k <= 10; ++k) {
            QString shown;
            for (const TextEvent& e : OnLine(picture, 13 + k))
                if (e.Colour == clr::Blue && e.Text != QStringLiteral("  ..."))
                    shown += e.Text;
            const int cents = 10 * k * (100 - d);
            const QString expected = QString::number(cents / 100) + (cents % 100 ? QStringLiteral(",50") : QString());
            QCOMPARE(shown, expected);
        }
    }
}

void TestSale::bareAnswer_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("discount");
    QTest::addColumn<int>("price");
    QTest::addColumn<QString>("answer");
    QTest::newRow("Durver: half a euro") << 2 << 15 << 130 << "110,50 Euro";
    QTest::newRow("Starter: whole euros") << 1 << 30 << 150 << "105 Euro";
}

void TestSale::bareAnswer()
{
    QFETCH(int, level);
    QFETCH(int, discount);
    QFETCH(int, price);
    QFETCH(QString, answer);
    ThemeRig rig(StoreSale, 15, level, 1);
    QVERIFY(SeedFor(rig, discount, price));
    rig.Next();
    QCOMPARE(rig.s.Param[sale::Price], price);
    const std::vector<TextEvent> shown = rig.FinalVerdict(QStringLiteral("1"));
    QCOMPARE(shown.size(), size_t(1));
    QCOMPARE(shown[0].Text, answer);
    QCOMPARE(shown[0].Colour, clr::Red);
}

QTEST_MAIN(TestSale)
#include "tst_sale.moc"
