// Theme 26: which questions are posed at each level, and the answer worked out exactly
// from the numbers the scheme and the question show.
#include "session/marking.h"
#include "support/themerig.h"
#include "themes/calculator/chain.h"
#include "toolkit/layout.h"
#include "toolkit/text.h"

#include <QtTest>

#include <cmath>
#include <set>

using namespace velmora;
using velmora::test::ThemeRig;

namespace {

// "55,99" -> 5599; -1 for anything else.
int Cents(const QString& text)
{
    static const QRegularExpression amount(QStringLiteral("^(\\d+),(\\d\\d)$"));
    const QRegularExpressionMatch m = amount.match(text);
    return m.hasMatch() ? m.captured(1).toInt() * 100 + m.captured(2).toInt() : -1;
}

// What a pupil reads: the production cost or the given amount, and the four percentages.
struct Shown {
    int Cost = -1;   // whole dollars, forward
    int Given = -1;  // cents, backward
    int Stage = -1;  // where the given amount stands: box s, or the profit arrow into box s
    bool OnArrow = false;
    std::array<int, 4> Markup{-1, -1, -1, -1};
    int Boxes = 0;
    int Arrows = 0;
};

Shown Read(const QStringList& picture)
{
    static const QRegularExpression profit(QStringLiteral("^(\\d+) % winst (boer|fabriek|grossier|winkelier)$"));
    static const QRegularExpression onArrow(QStringLiteral("^ \\(= \\$(.*)\\)$"));
    const QStringList sellers{QStringLiteral("boer"), QStringLiteral("fabriek"), QStringLiteral("grossier"),
                              QStringLiteral("winkelier")};
    Shown shown;
    for (const QString& t : picture) {
        if (t.startsWith(QStringLiteral("$ "))) {
            const QString amount = t.mid(2);
            if (shown.Boxes == 0 && amount != QStringLiteral("....."))
                shown.Cost = amount.toInt();
            else if (amount != QStringLiteral(".....")) {
                shown.Given = Cents(amount);
                shown.Stage = shown.Boxes;
            }
            ++shown.Boxes;
        } else if (const QRegularExpressionMatch m = profit.match(t); m.hasMatch()) {
            shown.Markup[sellers.indexOf(m.captured(2))] = m.captured(1).toInt();
            ++shown.Arrows;
        } else if (const QRegularExpressionMatch a = onArrow.match(t); a.hasMatch()) {
            shown.Given = Cents(a.captured(1));
            shown.Stage = shown.Arrows;
            shown.OnArrow = true;
        }
    }
    return shown;
}

}  // namespace

class TestChain : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void questionsByLevel_data();
    void questionsByLevel();
    void answerFollowsFromScheme_data();
    void answerFollowsFromScheme();
    void lastBoxReachesNinetyPercent();
    void correctRoundingsOfATieAreRight();
};

void TestChain::questionsByLevel_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<QList<int>>("questions");
    QTest::newRow("Starter: forward over the first two steps") << 1 << QList<int>{2, 3, 4};
    QTest::newRow("Durver: also backward") << 2 << QList<int>{-4, -3, -2, -1, 3, 4};
    QTest::newRow("Prof: the whole chain") << 3 << QList<int>{-8, -7, -6, -5, -4, -3, 5, 6, 7, 8};
}

// The pure posing over many exercises: k from the level's set and never twice in a row,
// amounts and percentages in their ranges.
void TestChain::questionsByLevel()
{
    QFETCH(int, level);
    QFETCH(QList<int>, questions);
    Random random(4242u + level);
    std::set<int> seen;
    int previous = -1;
    for (int i = 0; i < 20000; ++i) {
        const ChainNumbers n = PoseChain(random, level, previous);
        QVERIFY2(questions.contains(n.K), qPrintable(QString::number(n.K)));
        QVERIFY(n.K != previous);
        seen.insert(n.K);
        if (n.K > 0)
            QVERIFY(n.Base >= 20 && n.Base <= 59);
        else if (n.K % 2 != 0)
            QVERIFY(n.Base >= 4000 && n.Base <= 9999);
        else
            QVERIFY(n.Base >= 1000 && n.Base <= 3999);
        QVERIFY(n.Markup[0] >= 10 && n.Markup[0] <= 19);
        QVERIFY(n.Markup[1] >= 50 && n.Markup[1] <= 74);
        QVERIFY(n.Markup[2] >= 10 && n.Markup[2] <= 19);
        QVERIFY(n.Markup[3] >= 20 && n.Markup[3] <= 29);
        previous = n.K;
    }
    QCOMPARE(int(seen.size()), int(questions.size()));
}

void TestChain::answerFollowsFromScheme_data()
{
    QTest::addColumn<int>("level");
    QTest::newRow("Starter") << 1;
    QTest::newRow("Durver") << 2;
    QTest::newRow("Prof") << 3;
}

// Drawn exercises: the scheme shows exactly the steps up to the asked quantity, and the
// expected answer is the exact value of the chain through the shown numbers.
void TestChain::answerFollowsFromScheme()
{
    QFETCH(int, level);
    ThemeRig rig(SalesChain, 26, level, 99u * level);
    QStringList picture, question;
    rig.s.PictureBitmap.TextObserver = [&](const TextEvent& e) { picture << e.Text; };
    rig.s.TextBitmap.TextObserver = [&](const TextEvent& e) { question << e.Text; };
    for (int i = 0; i < 600; ++i) {
        picture.clear();
        question.clear();
        rig.Next();
        const Session& s = rig.s;
        const int k = s.ThemeMemory[26];
        const int q = std::abs(k), steps = (q + 1) / 2;
        const Shown shown = Read(picture);
        QCOMPARE(shown.Boxes, steps + 1);
        QCOMPARE(shown.Arrows, steps);
        for (int j = 0; j < steps; ++j)
            QCOMPARE(shown.Markup[j], s.Param[1 + j]);
        // The factor from the production cost to quantity |k|, exactly.
        long long num = 1, den = 1;
        for (int j = 0; j < steps; ++j) {
            num *= (q % 2 == 0 && j == steps - 1) ? shown.Markup[j] : 100 + shown.Markup[j];
            den *= 100;
        }
        double exact = 0;
        if (k > 0) {
            QVERIFY2(shown.Given < 0 && shown.Cost == s.Param[0], "a forward scheme shows only the cost");
            QVERIFY(question.contains(QStringLiteral("De productiekosten zijn %1 dollar.").arg(shown.Cost)));
            QVERIFY(question.contains(ChainLabel(k)));
            exact = double(shown.Cost * num) / den;
        } else {
            QVERIFY2(shown.Cost < 0, "a backward scheme never labels the first box");
            QCOMPARE(shown.Given, s.Param[0]);
            QCOMPARE(shown.OnArrow, q % 2 == 0);
            QCOMPARE(shown.Stage, steps);
            QVERIFY(question.contains(QStringLiteral("De ") + ChainLabel(k)));
            QVERIFY(question.contains(QStringLiteral("bedraagt %1 dollar.").arg(FormatFixed(shown.Given / 100.0, 2))));
            exact = double(shown.Given * den) / (100.0 * num);
        }
        QVERIFY2(std::fabs(s.ExpectedReal - exact) <= 1e-12 * exact, qPrintable(QString::number(k)));
        QVERIFY(question.contains(steps == 1 ? QStringLiteral("De koffie wordt in 1 stap")
                                             : QStringLiteral("De koffie wordt in %1 stappen").arg(steps)));
        QCOMPARE(s.AnswerLine, k > 0 ? 11.5 : 12.5);
        QCOMPARE(rig.view.Field.Hint, QStringLiteral("|") +
                                          (k > 0 ? ChainLabel(k) : QStringLiteral("productiekosten van de boer")) +
                                          QStringLiteral(" = ? dollar"));
    }
    QCOMPARE(rig.view.Field.Kind, 2);
    QCOMPARE(rig.view.Field.Label, QStringLiteral("Aantal dollar: "));
    QCOMPARE(rig.s.AnswerDecimals, 2);
    QCOMPARE(rig.s.AnswerUnit, QStringLiteral(" dollar"));
}

// Box widths follow the price: the last box shown ends at 90 % of the picture, a backward
// one up to the rounding of the production cost to whole dollars.
void TestChain::lastBoxReachesNinetyPercent()
{
    ThemeRig rig(SalesChain, 26, 3, 5);
    for (int i = 0; i < 60; ++i) {
        rig.Next();
        const Bitmap& b = rig.s.PictureBitmap;
        const int k = rig.s.ThemeMemory[26];
        const int steps = (std::abs(k) + 1) / 2;
        const int y = PctY(7 + 20 * steps);  // inside the last box, above its text
        int right = PctX(10);
        while (right + 1 < b.Width() && b.Pixel(right + 1, y) != clr::BtnFace)
            ++right;
        const double tolerance = k > 0 ? 3 : 3 + 0.8 * 0.5 * PictureWidth / rig.s.ExpectedReal;
        QVERIFY2(std::abs(right - PctX(90)) <= tolerance,
                 qPrintable(QStringLiteral("k %1 right %2").arg(k).arg(right)));
    }
}

// 21 dollar, 15 % and 50 %: the wholesaler pays 36,225 dollar exactly; both roundings count.
void TestChain::correctRoundingsOfATieAreRight()
{
    const ChainNumbers tie{3, 21, {15, 50, 10, 20}};
    QVERIFY(DecimalAnswerRight(36.22, ChainAnswer(tie), 0.0049, 2));
    QVERIFY(DecimalAnswerRight(36.23, ChainAnswer(tie), 0.0049, 2));
    QVERIFY(!DecimalAnswerRight(36.21, ChainAnswer(tie), 0.0049, 2));

    // The same through the field, on an exercise whose exact answer ends in a half cent.
    ThemeRig rig(SalesChain, 26, 1, 3);
    int ties = 0;
    for (int i = 0; i < 300 && ties < 3; ++i) {
        rig.Next();
        const double cents = rig.s.ExpectedReal * 100;
        if (std::fabs(cents - std::floor(cents) - 0.5) > 1e-6)
            continue;
        ++ties;
        for (const double answer : {std::floor(cents), std::ceil(cents)}) {
            rig.Again();
            rig.s.Attempt = 1;
            QString text = FormatFixed(answer / 100, 2);
            QCOMPARE(rig.s.SubmitAnswer(text), AnswerOutcome::Marked);
            QCOMPARE(rig.s.Attempt, 0);  // right at once: no second attempt
            QVERIFY(rig.s.Points > 0);
            rig.s.Points = 0;
        }
    }
    QCOMPARE(ties, 3);
}

QTEST_MAIN(TestChain)
#include "tst_chain.moc"
