// Theme 26: the questions posed per level, the answer exact from the numbers the scheme shows,
// and a half-cent answer that both roundings must pass.
#include "session/marking.h"
#include "support/themerig.h"
#include "themes/calculator/chain.h"
#include "toolkit/text.h"

#include <QtTest>

#include <set>

using namespace velmora;
using velmora::test::ThemeRig;

namespace {

const QStringList Sellers{QStringLiteral("boer"), QStringLiteral("fabriek"), QStringLiteral("grossier"),
                          QStringLiteral("winkelier")};

// Quantity |k| from the production cost in dollars (k > 0), or the production cost behind
// the given cents (k < 0), as a quotient of exact integers.
double Exact(int k, long long base, const std::array<int, 4>& markup)
{
    const int q = std::abs(k), steps = (q + 1) / 2;
    long long num = 1, den = 1;
    for (int j = 0; j < steps; ++j) {
        num *= q % 2 == 0 && j == steps - 1 ? markup[j] : 100 + markup[j];
        den *= 100;
    }
    return k > 0 ? double(base * num) / double(den) : double(base * den) / double(100 * num);
}

}  // namespace

class TestChain : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void posedAndShown_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<QList<int>>("questions");
        QTest::newRow("Starter: forward over two steps") << 1 << QList<int>{2, 3, 4};
        QTest::newRow("Durver: also backward") << 2 << QList<int>{-4, -3, -2, -1, 3, 4};
        QTest::newRow("Prof: the whole chain") << 3 << QList<int>{-8, -7, -6, -5, -4, -3, 5, 6, 7, 8};
    }

    // The posing: k from the level's set and never twice in a row, amounts and percentages in
    // range, the answer exact. Drawn: the scheme shows those numbers where the question is.
    void posedAndShown()
    {
        QFETCH(int, level);
        QFETCH(QList<int>, questions);
        Random random(4242u + level);
        std::set<int> seen;
        const int low[] = {10, 50, 10, 20}, high[] = {19, 74, 19, 29};
        for (int i = 0, previous = -1; i < 20000; ++i) {
            const ChainNumbers n = PoseChain(random, level, previous);
            QVERIFY2(questions.contains(n.K) && n.K != previous, qPrintable(QString::number(n.K)));
            const int from = n.K > 0 ? 20 : n.K % 2 ? 4000 : 1000, to = n.K > 0 ? 59 : n.K % 2 ? 9999 : 3999;
            QVERIFY(n.Base >= from && n.Base <= to);
            for (int j = 0; j < 4; ++j)
                QVERIFY(n.Markup[j] >= low[j] && n.Markup[j] <= high[j]);
            QCOMPARE(ChainAnswer(n), Exact(n.K, n.Base, n.Markup));
            seen.insert(previous = n.K);
        }
        QCOMPARE(int(seen.size()), int(questions.size()));

        ThemeRig rig(SalesChain, 26, level, 99u * level);
        QStringList shown, question;
        rig.s.PictureBitmap.TextObserver = [&](const TextEvent& e) {
            if (e.Text.startsWith(QStringLiteral("$ ")) || e.Text.contains(QStringLiteral(" % winst ")) ||
                e.Text.startsWith(QStringLiteral(" (= $")))
                shown << e.Text;
        };
        rig.s.TextBitmap.TextObserver = [&](const TextEvent& e) { question << e.Text; };
        for (int i = 0, last = 0; i < 300; ++i) {
            shown.clear();
            question.clear();
            rig.Next();
            const auto& p = rig.s.Param;
            const int k = rig.s.ThemeMemory[26], steps = (std::abs(k) + 1) / 2;
            QVERIFY(k != last);
            last = k;
            const QString given = FormatFixed(p[0] / 100.0, 2);
            QStringList expected{k > 0 ? QStringLiteral("$ %1").arg(p[0]) : QStringLiteral("$ .....")};
            for (int j = 1; j <= steps; ++j) {
                expected << QStringLiteral("%1 % winst %2").arg(p[j]).arg(Sellers[j - 1]);
                if (k == -2 * j)
                    expected << QStringLiteral(" (= $") + given + QLatin1Char(')');
                expected << (k == 1 - 2 * j ? QStringLiteral("$ ") + given : QStringLiteral("$ ....."));
            }
            QCOMPARE(shown, expected);
            QCOMPARE(rig.s.ExpectedReal, Exact(k, p[0], {p[1], p[2], p[3], p[4]}));
            // The question names quantity |k|: a purchase price, the shop price or a profit.
            const QString asked = k % 2 == 0   ? QStringLiteral("winst van de ") + Sellers[steps - 1]
                                  : steps == 4 ? QStringLiteral("winkelprijs")
                                               : QStringLiteral("inkoop voor de ") + Sellers[steps];
            QVERIFY2(question.join(QLatin1Char(' ')).contains(asked), qPrintable(question.join(QLatin1Char('|'))));
        }
    }

    void workedCases_data()
    {
        QTest::addColumn<QList<int>>("numbers");  // k, the cost or the given cents, the four percentages
        QTest::addColumn<double>("answer");
        QTest::newRow("the wholesaler pays 21 x 1,15 x 1,50") << QList<int>{3, 21, 15, 50, 10, 20} << 36.225;
        QTest::newRow("shop price") << QList<int>{7, 40, 10, 50, 10, 20} << 87.12;
        QTest::newRow("back from 3,00 profit of the farmer") << QList<int>{-2, 300, 15, 50, 10, 20} << 20.0;
        QTest::newRow("back from 14,52 profit of the shop") << QList<int>{-8, 1452, 10, 50, 10, 20} << 40.0;
    }
    void workedCases()
    {
        QFETCH(QList<int>, numbers);
        QFETCH(double, answer);
        QCOMPARE(ChainAnswer({numbers[0], numbers[1], {numbers[2], numbers[3], numbers[4], numbers[5]}}), answer);
    }

    // 21 dollar, 15 % and 50 %: the wholesaler pays 36,225 dollar exactly. With the theme's own
    // tolerance and decimals both roundings are right, though 36,23 lies further than the
    // tolerance from it.
    void halfCentBothRoundingsRight()
    {
        ThemeRig rig(SalesChain, 26, 1, 3);
        rig.Next();
        const double exact = ChainAnswer({3, 21, {15, 50, 10, 20}});
        for (const auto& [typed, right] : {std::pair{36.22, true}, {36.23, true}, {36.21, false}, {36.24, false}})
            QCOMPARE(DecimalAnswerRight(typed, exact, rig.s.RealTolerance, rig.s.AnswerDecimals), right);
    }
};

QTEST_MAIN(TestChain)
#include "tst_chain.moc"
