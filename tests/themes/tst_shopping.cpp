// Theme 21: the list as printed, the one wrong row, and the total the pupil must find.
#include "support/themerig.h"
#include "themes/calculator/shopping.h"
#include "toolkit/layout.h"
#include "toolkit/text.h"

#include <QtTest>

#include <map>
#include <set>

using namespace velmora;
using velmora::test::ThemeRig;

namespace {

// The texts of the picture, by pixel row.
struct PrintedList {
    std::map<int, QStringList> Rows;
    void Attach(Bitmap& b)
    {
        b.TextObserver = [this](const TextEvent& e) { Rows[e.Y] << e.Text; };
    }
    QStringList Line(double line) const
    {
        const auto it = Rows.find(Round(line * LineHeight));
        return it == Rows.end() ? QStringList() : it->second;
    }
};

// Reads a printed amount back into cents; fails on anything but -?digits,dd.
bool ParseCents(const QString& text, int& cents)
{
    static const QRegularExpression amount(QStringLiteral("^(-?)(\\d+),(\\d\\d)$"));
    const QRegularExpressionMatch m = amount.match(text);
    if (!m.hasMatch())
        return false;
    cents = m.captured(2).toInt() * 100 + m.captured(3).toInt();
    if (!m.captured(1).isEmpty())
        cents = -cents;
    return true;
}

std::set<int> WrongTotals(int price, int q)
{
    return {Round(price * q * 0.1), price * (q - 1),   price * (q + 1),
            price * q * 10,         (price - 100) * q, (price + 100) * q};
}

}  // namespace

class TestShopping : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void listAddsUp_data();
    void listAddsUp();
    void secondAttemptRedrawsOnlyText();
    void amountsFormatted_data();
    void amountsFormatted();
    void explanation_data();
    void explanation();
};

void TestShopping::listAddsUp_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("rows");
    QTest::addColumn<bool>("negativePossible");
    QTest::newRow("Starter: limonade to sla") << 1 << 7 << false;
    QTest::newRow("Durver: up to toetje") << 2 << 9 << true;
    QTest::newRow("Prof: all twelve") << 3 << 12 << true;
}

// Over thousands of lists: the items, the quantities, the one wrong row, the totals.
void TestShopping::listAddsUp()
{
    QFETCH(int, level);
    QFETCH(int, rows);
    QFETCH(bool, negativePossible);
    std::set<int> wrongRowsSeen, kindsSeen, quantitiesSeen;
    bool negativeSeen = false;
    for (const std::uint32_t seed : {11u, 5150u, 777777u}) {
        ThemeRig rig(ShoppingError, 21, level, seed);
        PrintedList printed;
        printed.Attach(rig.s.PictureBitmap);
        for (int i = 0; i < 400; ++i) {
            printed.Rows.clear();
            rig.Next();
            const Session& s = rig.s;
            const int wrong = s.Param[0];
            QVERIFY2(wrong >= 2 && wrong <= rows, "the first row is never the wrong one");
            wrongRowsSeen.insert(wrong);
            kindsSeen.insert(s.Param[3]);
            int trueTotal = 0, printedSum = 0;
            for (int row = 1; row <= rows; ++row) {
                const QStringList texts = printed.Line(row + 9);
                QCOMPARE(texts.size(), 6);
                QCOMPARE(texts[0], ShoppingItemName(row));
                const int q = texts[1].toInt();
                QVERIFY(q >= 3 && q <= rows + 1);
                quantitiesSeen.insert(q);
                const int price = ShoppingItemPrice(row);
                int unitPrice = 0, lineTotal = 0;
                QVERIFY(ParseCents(texts[3].trimmed(), unitPrice));
                QCOMPARE(unitPrice, price);
                QVERIFY2(ParseCents(texts[5], lineTotal), qPrintable(texts[5]));
                if (row == wrong) {
                    QVERIFY(lineTotal != price * q);
                    QVERIFY(WrongTotals(price, q).count(lineTotal));
                    QCOMPARE(lineTotal, s.Param[1]);
                    QCOMPARE(q, s.Param[2]);
                    negativeSeen = negativeSeen || texts[5].startsWith(QLatin1Char('-'));
                } else {
                    QCOMPARE(lineTotal, price * q);
                }
                trueTotal += price * q;
                printedSum += lineTotal;
            }
            QVERIFY2(printed.Line(rows + 10).isEmpty(), "no rows beyond the level's items");
            const QStringList totalRow = printed.Line(rows + 11);
            QCOMPARE(totalRow.size(), 2);
            QCOMPARE(totalRow[0], QStringLiteral("Totaal "));
            int shownTotal = 0;
            QVERIFY(ParseCents(totalRow[1], shownTotal));
            QCOMPARE(shownTotal, printedSum);
            QCOMPARE(s.ExpectedInt, trueTotal);
            // The answer differs from the shown total by exactly the wrong row's error.
            QCOMPARE(s.ExpectedInt - shownTotal, ShoppingItemPrice(wrong) * s.Param[2] - s.Param[1]);
            QCOMPARE(s.ExpectedReal, s.ExpectedInt * 0.01);
        }
        QCOMPARE(rig.view.Field.Kind, 2);
        QCOMPARE(rig.view.Field.Label, QStringLiteral("Totaalbedrag: "));
        QCOMPARE(rig.view.Field.Hint, QStringLiteral("|Geef het juiste totaalbedrag in"));
        QCOMPARE(rig.view.Field.PanelTop, Round(8.5 * LineHeight));
        QCOMPARE(rig.s.AnswerDecimals, 2);
        QCOMPARE(rig.s.RealTolerance, 0.0049);
        QCOMPARE(rig.s.AnswerUnit, QStringLiteral(" Euro"));
    }
    QCOMPARE(int(wrongRowsSeen.size()), rows - 1);
    QCOMPARE(int(kindsSeen.size()), 6);
    QCOMPARE(int(quantitiesSeen.size()), rows - 1);
    QCOMPARE(negativeSeen, negativePossible);
}

void TestShopping::secondAttemptRedrawsOnlyText()
{
    ThemeRig rig(ShoppingError, 21, 3, 2);
    for (int i = 0; i < 20; ++i) {
        rig.Next();
        const QImage picture = rig.s.PictureBitmap.Image();
        const QImage text = rig.s.TextBitmap.Image();
        const auto params = rig.s.Param;
        const int expected = rig.s.ExpectedInt;
        const std::uint32_t seed = rig.s.Rng().SeedValue();
        rig.s.ExpectedReal = 0;  // the answer state is set again on every call
        rig.Again();
        QCOMPARE(rig.s.Rng().SeedValue(), seed);
        QVERIFY(rig.s.Param == params);
        QCOMPARE(rig.s.ExpectedInt, expected);
        QCOMPARE(rig.s.ExpectedReal, expected * 0.01);
        QVERIFY(rig.s.PictureBitmap.Image() == picture);
        QVERIFY(rig.s.TextBitmap.Image() == text);
        QVERIFY(rig.view.FieldOpen);
    }
}

void TestShopping::amountsFormatted_data()
{
    QTest::addColumn<qlonglong>("cents");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QString>("shown");
    QTest::newRow("unit price") << 190LL << QChar(',') << "1,90";
    QTest::newRow("cents only") << 5LL << QChar(',') << "0,05";
    QTest::newRow("zero") << 0LL << QChar(',') << "0,00";
    QTest::newRow("one euro too little on 6 drop") << -240LL << QChar(',') << "-2,40";
    QTest::newRow("small negative keeps its sign") << -5LL << QChar(',') << "-0,05";
    // Totals above 1000 euro keep their last cent, so the printed sum still adds up.
    QTest::newRow("total over 1000 euro") << 102347LL << QChar(',') << "1023,47";
    QTest::newRow("no thousands grouping") << 1234567LL << QChar(',') << "12345,67";
    QTest::newRow("point as separator") << 102347LL << QChar('.') << "1023.47";
}

void TestShopping::amountsFormatted()
{
    QFETCH(qlonglong, cents);
    QFETCH(QChar, separator);
    QFETCH(QString, shown);
    const QChar saved = DecSep;
    DecSep = separator;
    const QString text = FormatCents(cents);
    DecSep = saved;
    QCOMPARE(text, shown);
}

void TestShopping::explanation_data()
{
    QTest::addColumn<bool>("practice");
    QTest::newRow("practice") << true;
    QTest::newRow("test: the same explanation") << false;
}

// After a final wrong answer: the right total and the wrong row's name beside the field; in
// the list that row in red with its right amount, and crosses over the wrong amount and total.
void TestShopping::explanation()
{
    QFETCH(bool, practice);
    Bitmap probe(8, 8);
    for (const int level : {1, 2, 3}) {
        ThemeRig rig(ShoppingError, 21, level, 300 + level);
        rig.s.SetCategory(Category::Calculator, practice);
        const int rows = ShoppingRowCount(level);
        for (int i = 0; i < 60; ++i) {
            rig.Next();
            Session& s = rig.s;
            QList<TextEvent> text, picture;
            s.TextBitmap.TextObserver = [&](const TextEvent& e) { text << e; };
            s.PictureBitmap.TextObserver = [&](const TextEvent& e) { picture << e; };
            ExplainShoppingError(s, 14);
            s.TextBitmap.TextObserver = nullptr;
            s.PictureBitmap.TextObserver = nullptr;

            const int row = s.Param[0], quantity = s.Param[2], price = ShoppingItemPrice(row);
            QStringList told;
            for (const TextEvent& e : text)
                told << e.Text;
            // The euro sign is drawn as a "C" with two strokes.
            QCOMPARE(told, QStringList({QStringLiteral("C"), FormatCents(s.ExpectedInt) + QLatin1Char(' '),
                                        QStringLiteral("De fout zat bij: "), ShoppingItemName(row)}));
            QCOMPARE(text[1].Y, Round(14 * LineHeight));
            QCOMPARE(text[2].Y, Round(16 * LineHeight));
            QCOMPARE(text[2].Colour, clr::Blue);
            for (const int red : {0, 1, 3})
                QCOMPARE(text[red].Colour, clr::Red);

            // Only the wrong row and the total line are written on, in red; the euro signs
            // stand a little higher in their line.
            QList<TextEvent> red, total;
            for (const TextEvent& e : picture) {
                QCOMPARE(e.Colour, clr::Red);
                const bool inRow = std::abs(e.Y - Round((row + 9) * LineHeight)) < LineHeight;
                QVERIFY2(inRow || e.Y == Round((rows + 11) * LineHeight), qPrintable(e.Text));
                (inRow ? red : total) << e;
            }
            QCOMPARE(total.size(), 1);
            QCOMPARE(red.first().Text, ShoppingItemName(row));
            QCOMPARE(red.first().X, Margin);
            QCOMPARE(red[1].Text, QString::number(quantity));
            QCOMPARE(red[1].X, PctX(35));
            QVERIFY(red.size() > 4 && red[4].Text.trimmed() == FormatCents(price));
            QCOMPARE(red.last().Text, FormatCents(price * quantity));
            QCOMPARE(total.first().Text, FormatCents(s.ExpectedInt));
            probe.Font.Size = red.last().Size;
            for (const TextEvent& e : {red.last(), total.first()})
                QCOMPARE(e.X + probe.TextWidth(e.Text), PctX(96));

            // Each cross meets in the middle of the amount it strikes out.
            for (const double line : {row + 9.5, rows + 11.5}) {
                const int cx = (PctX(73) + PctX(84)) / 2, cy = Round(line * LineHeight);
                int hits = 0;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx)
                        hits += s.PictureBitmap.Pixel(cx + dx, cy + dy) == clr::Red;
                QVERIFY2(hits >= 2, qPrintable(QStringLiteral("no cross on line %1").arg(line)));
            }
        }
    }
}

QTEST_MAIN(TestShopping)
#include "tst_shopping.moc"
