// Theme 29: which story comes when, the numbers each story shows, and the expected answer
// worked out from those numbers (the arbitrary formulas are read back and evaluated).
#include "session/marking.h"
#include "support/themerig.h"
#include "themes/calculator/formulas.h"
#include "toolkit/layout.h"
#include "toolkit/text.h"

#include <QtTest>

#include <cmath>
#include <set>

using namespace velmora;
using velmora::test::ThemeRig;

namespace {

// Evaluates a formula as the picture writes it: decimal commas, implicit products
// ("19 (p - 7)", "3 x"), a raised square "²", unary minus.
class Reader {
public:
    Reader(const QString& text, long double x) : t_(text), x_(x) {}
    bool Value(long double& v)
    {
        v = Sum();
        return ok_ && Peek().isNull();
    }

private:
    QChar Peek()
    {
        while (i_ < t_.size() && t_[i_] == QLatin1Char(' '))
            ++i_;
        return i_ < t_.size() ? t_[i_] : QChar();
    }
    long double Sum()
    {
        long double v = Term();
        for (QChar c = Peek(); c == QLatin1Char('+') || c == QLatin1Char('-'); c = Peek()) {
            ++i_;
            v += (c == QLatin1Char('+') ? 1 : -1) * Term();
        }
        return v;
    }
    long double Term()
    {
        if (Peek() == QLatin1Char('-')) {
            ++i_;
            return -Term();
        }
        long double v = Factor();
        for (QChar c = Peek(); c.isDigit() || c == QLatin1Char('x') || c == QLatin1Char('('); c = Peek())
            v *= Factor();
        return v;
    }
    long double Factor()
    {
        long double v = Primary();
        if (Peek() == QChar(0xB2)) {
            ++i_;
            v *= v;
        }
        return v;
    }
    long double Primary()
    {
        const QChar c = Peek();
        if (c == QLatin1Char('(')) {
            ++i_;
            const long double v = Sum();
            ok_ = ok_ && Peek() == QLatin1Char(')');
            ++i_;
            return v;
        }
        if (c == QLatin1Char('x')) {
            ++i_;
            return x_;
        }
        const qsizetype start = i_;
        while (i_ < t_.size() && (t_[i_].isDigit() || t_[i_] == QLatin1Char(',')))
            ++i_;
        bool ok = false;
        const long double v = t_.mid(start, i_ - start).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
        ok_ = ok_ && ok;
        return v;
    }

    QString t_;
    long double x_;
    qsizetype i_ = 0;
    bool ok_ = true;
};

// The texts drawn on one picture, in order.
struct Picture {
    QList<TextEvent> Events;
    QString Find(const QRegularExpression& re, int group = 1) const
    {
        for (const TextEvent& e : Events)
            if (const QRegularExpressionMatch m = re.match(e.Text); m.hasMatch())
                return m.captured(group);
        return QString();
    }
    int Number(const char* pattern) const { return Find(QRegularExpression(QString::fromUtf8(pattern))).toInt(); }
    // The pieces of a formula row, with the raised squares as "²".
    QString Row(double line) const
    {
        QString row;
        for (const TextEvent& e : Events)
            if (e.Y == Round(line * LineHeight))
                row += e.Text;
            else if (e.Y == Round((line - 0.5) * LineHeight) && e.Text == QStringLiteral("2"))
                row += QChar(0xB2);
        return row;
    }
};

// Hundredths from "29,50"-like texts.
int Hundredths(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char(','));
    return parts.size() == 2 ? parts[0].toInt() * 100 + parts[1].toInt() : -1;
}

bool Close(double a, long double b)
{
    return std::fabs(a - double(b)) <= 1e-9 * std::max(1.0L, std::fabs(b));
}

// Checks one story exercise against its picture; returns the answer kind it must have.
int CheckStory(const Session& s, const Picture& p, int variant, int level)
{
    const double e = s.ExpectedReal;
    switch (variant) {
        case formulas::Energy: {
            const bool man =
                p.Find(QRegularExpression(QStringLiteral("^Voor een (man|vrouw) geldt"))) == QStringLiteral("man");
            const int w = p.Number("^w = (\\d+) kg$"), h = p.Number("^h = (\\d+) cm$"),
                      a = p.Number("^a = (\\d+) jaar$");
            if (a < 25 || a > 75 || h < 150 + 15 * man || h > 189 + 15 * man || w < h - 115 || w > h - 86)
                return -1;
            const int tenths = man ? 665 + 138 * w + 50 * h - 68 * a : 665 + 96 * w + 48 * h - 47 * a;
            return Close(e, tenths / 10.0L) ? 2 : -1;
        }
        case formulas::Cinema: {
            const int price = Hundredths(p.Find(QRegularExpression(QStringLiteral("^ (\\d+,\\d\\d)\\.$"))));
            const QRegularExpression visitors(QStringLiteral("^A = (\\d+) - (\\d+) \\(p - (\\d+)\\)$"));
            if (const QString a = p.Find(visitors); !a.isEmpty()) {
                const int b = p.Find(visitors, 2).toInt(), c = p.Find(visitors, 3).toInt();
                if (price < 100 * c || price > 100 * c + 1000 || price % 25 != 0 || b < 5 || b > 30)
                    return -1;
                const long double count = (100 * a.toInt() - b * (price - 100 * c)) / 100.0L;
                return Close(e, count) && s.ExpectedInt == Round(e) && s.ExpectedInt >= 25 ? 1 : -1;
            }
            const QRegularExpression turnover(QStringLiteral("^O = (\\d+) p - (\\d+) p$"));
            const int ab = p.Find(turnover).toInt(), b = p.Find(turnover, 2).toInt();
            const long double count = (100 * ab - b * price) / 100.0L;
            return Round(double(count)) >= 25 && Close(e, count * price / 100) ? 2 : -1;
        }
        case formulas::Helicopter: {
            const int a = p.Number("^A = (\\d+) m\\.$"), v = p.Number("^V = (\\d+) sec\\.$"),
                      b = p.Number("^B = (\\d+) sec\\.$");
            if (a < 150 || a > 2050 || a % 100 != 50 || v < 5 || v > 14 || b < 5 || b > 14)
                return -1;
            return Close(e, 3600.0L / (0.167L * a + v + b)) ? 2 : -1;
        }
        case formulas::Medicine: {
            const QStringList rules{QStringLiteral("L"), QStringLiteral("0.9 L - 0.1"),
                                    QStringLiteral("2.5 L - 0.042 L  ")};
            int rule = -1;
            for (const TextEvent& t : p.Events)
                rule = std::max(rule, int(rules.indexOf(t.Text)));
            const long double n = p.Number("^Hoeveel mg krijgt een kind van (\\d+) jaar");
            const long double dose =
                Hundredths(p.Find(QRegularExpression(QStringLiteral("medicijn (\\d+,\\d\\d) mg$")))) / 100.0L;
            if (rule < 0 || rule >= level || n < 1 || n > 16 || dose < 10 || dose > 29.9L)
                return -1;
            const long double factor = rule == 0   ? n / (n + 12)
                                       : rule == 1 ? (0.9L * n - 0.1L) / (n + 13)
                                                   : (2.5L * n - 0.042L * n * n) / (n + 13.5L);
            return Close(e, factor * dose) ? 2 : -1;
        }
        default: {  // traffic
            const int length = Hundredths(p.Find(QRegularExpression(QStringLiteral("^L = (\\d+,\\d\\d) m\\.$"))));
            const QRegularExpression speedText(QStringLiteral("^V = (\\d+,\\d\\d) (m/s|km/u)\\.$"));
            const int shown = Hundredths(p.Find(speedText));
            const bool kmh = p.Find(speedText, 2) == QStringLiteral("km/u");
            const long double v = s.Param[formulas::SpeedHundredths] / 100.0L;  // km/u, exact
            const bool inRange = level == 1   ? s.Param[0] % 360 == 0 && v >= 10.8L && v <= 108
                                 : level == 2 ? s.Param[0] % 36 == 0 && v >= 10.8L && v <= 107.64L
                                              : s.Param[0] % 100 == 0 && v >= 10 && v <= 100;
            if (!inRange || length < 350 || length > 419 || (kmh && level < 3) ||
                shown != (kmh ? s.Param[0] : Round(s.Param[0] / 3.6)))
                return -1;
            const long double l = length / 100.0L, V = v / 3.6L;
            return Close(e, 60 * 8 * V / (8 * l + V * V)) ? 2 : -1;
        }
    }
}

// Reads an arbitrary formula back and evaluates it; returns the answer kind it must have.
int CheckForm(const Session& s, const Picture& p, int form)
{
    const long double x = s.Param[formulas::XTenths] / 10.0L;
    const QString xText = p.Find(QRegularExpression(QStringLiteral("^x = (.*)$")));
    const bool whole = s.Param[formulas::XTenths] % 10 == 0;
    if (xText != (whole ? QString::number(s.Param[0] / 10) + QLatin1Char('.') : FormatFixed(double(x), 2)))
        return -1;
    long double y = 0;
    if (form < 4) {
        const QString row = p.Row(11);
        // A whole coefficient is written plainly, never as "3,00".
        if (!row.startsWith(QStringLiteral("y = ")) || row.contains(QStringLiteral(",00")) ||
            !Reader(row.mid(4), x).Value(y))
            return -1;
    } else {
        long double num = 0, den = 0;
        if ((p.Row(11) + p.Row(13)).contains(QStringLiteral(",00")) || !Reader(p.Row(11), x).Value(num) ||
            !Reader(p.Row(13), x).Value(den) || den == 0)
            return -1;
        y = num / den;
    }
    if (!Close(s.ExpectedReal, y))
        return -1;
    const bool wholeY = std::fabs(y - std::round(y)) < 1e-7L;
    return wholeY && form != 4 ? 1 : 2;
}

}  // namespace

class TestFormulas : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void storyOrder_data();
    void storyOrder();
    void formulasPosed_data();
    void formulasPosed();
    void answerFollowsFromPicture_data();
    void answerFollowsFromPicture();
    void quotientNeverDividesByZero();
    void wholeCoefficientsInTenths();
    void turnoverTiesMarkedRight();
};

void TestFormulas::storyOrder_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<bool>("mixed");
    QTest::addColumn<bool>("energy");
    QTest::newRow("Starter") << 1 << false << true;
    QTest::newRow("Durver") << 2 << false << true;
    QTest::newRow("Prof: no energy story") << 3 << false << false;
    QTest::newRow("mixed mode: energy again") << 3 << true << true;
}

// No story within three exercises twice; the energy story never among the first two.
void TestFormulas::storyOrder()
{
    QFETCH(int, level);
    QFETCH(bool, mixed);
    QFETCH(bool, energy);
    Random random(17);
    std::set<int> seen;
    for (int run = 0; run < 2000; ++run) {
        int memory = -1, before = -1, last = -1;
        for (int i = 0; i < 12; ++i) {
            const int v = ChooseFormulaVariant(random, level, mixed, memory);
            QVERIFY(v >= 0 && v <= 9);
            QVERIFY(v != before && v != last);
            QVERIFY2(v != formulas::Energy || (energy && i >= 2), qPrintable(QString::number(i)));
            QCOMPARE(memory, 10 * std::max(last, 0) + v);
            seen.insert(v);
            before = last;
            last = v;
        }
    }
    QCOMPARE(int(seen.size()), energy ? 10 : 9);
}

void TestFormulas::formulasPosed_data()
{
    QTest::addColumn<int>("level");
    QTest::newRow("Starter") << 1;
    QTest::newRow("Durver") << 2;
    QTest::newRow("Prof") << 3;
}

void TestFormulas::formulasPosed()
{
    QFETCH(int, level);
    Random random(level * 1000u + 3);
    bool c1Zero = false, negativeX = false, decimalX = false;
    for (int i = 0; i < 20000; ++i) {
        const int form = i % 5;
        const FormulaNumbers n = PoseFormula(random, level, form);
        for (const int c : n.C) {
            QVERIFY(c >= -100 * level && c <= 100 * level);
            QVERIFY(level == 2 || c != 0);
        }
        QVERIFY(n.X != 0 && n.X >= -100 * level && n.X <= 100 * level + (form == 4 ? 30 : 0));
        if (level == 1) {
            QCOMPARE(n.C[0], 10);
            QVERIFY(n.C[1] % 10 == 0 && n.C[3] % 10 == 0);
            QVERIFY(n.C[2] > 0 && n.C[2] % 10 == 0 && n.X > 0 && n.X % 10 == 0);
            QVERIFY2(form == 4 || FormulaValue(n).Whole(), "Starter: every polynomial gives a whole y");
        } else if (level == 2) {
            QVERIFY(n.C[0] % 10 == 0 && n.X > 0);
        }
        c1Zero = c1Zero || n.C[0] == 0;
        negativeX = negativeX || n.X < 0;
        decimalX = decimalX || n.X % 10 != 0;
        QVERIFY(FormulaValue(n).Den != 0);
    }
    QCOMPARE(c1Zero, level == 2);  // Durver rounds c1, 0.5 and less to 0
    QCOMPARE(negativeX, level == 3);
    QCOMPARE(decimalX, level >= 2);
}

void TestFormulas::answerFollowsFromPicture_data()
{
    formulasPosed_data();
}

// Drawn exercises: the story order over successive exercises, each story's numbers in range,
// the answer from the shown numbers, the answer kind, and a second attempt that asks the same.
void TestFormulas::answerFollowsFromPicture()
{
    QFETCH(int, level);
    ThemeRig rig(FormulaSubstitution, 29, level, 5u + level);
    Picture picture;
    QStringList question;
    rig.s.PictureBitmap.TextObserver = [&](const TextEvent& e) { picture.Events << e; };
    rig.s.TextBitmap.TextObserver = [&](const TextEvent& e) { question << e.Text; };
    std::set<int> variants;
    QList<int> order;
    for (int i = 0; i < 1200; ++i) {
        if (i % 30 == 0) {
            rig.Start();
            order.clear();
        }
        picture.Events.clear();
        question.clear();
        rig.Next();
        const Session& s = rig.s;
        const int v = s.ThemeMemory[29] % 10;
        QVERIFY(!order.mid(std::max<qsizetype>(0, order.size() - 2)).contains(v));
        QVERIFY2(v != formulas::Energy || (order.size() >= 2 && level < 3), "energy story too early");
        order << v;
        variants.insert(v);
        const int kind = v >= formulas::FirstForm && v <= formulas::LastForm
                             ? CheckForm(s, picture, v - formulas::FirstForm)
                             : CheckStory(s, picture, v, level);
        QVERIFY2(kind > 0, qPrintable(QStringLiteral("variant %1, exercise %2").arg(v).arg(i)));
        QCOMPARE(rig.view.Field.Kind, kind);
        QVERIFY(question.contains(kind == 1 ? QStringLiteral("(Geef een geheel getal in)")
                                            : QStringLiteral("(2 decimalen)")));
        const double base =
            v == formulas::Energy || v == formulas::Helicopter || (v >= formulas::FirstForm && v <= formulas::LastForm)
                ? 5
                : 6;
        QCOMPARE(rig.view.Field.PanelTop, Round((base + 1.5) * LineHeight));
        QCOMPARE(rig.view.Field.Label, s.FeedbackText + QStringLiteral(" : "));
        QCOMPARE(rig.view.Field.Hint, QStringLiteral("|") + s.WorkText + QStringLiteral(" ?"));
        if (i % 7 == 0) {
            const QImage text = s.TextBitmap.Image();
            const double expected = s.ExpectedReal;
            rig.Again();
            QVERIFY(s.TextBitmap.Image() == text);
            QCOMPARE(s.ExpectedReal, expected);
            QCOMPARE(rig.view.Field.Kind, kind);
        }
    }
    QCOMPARE(int(variants.size()), level == 3 ? 9 : 10);
}

// 0,7 x 3² equals 2,1 x 3, so the denominator is 0; in floating point it is not.
void TestFormulas::quotientNeverDividesByZero()
{
    QCOMPARE(FormFourX({10, 10, 7, 21}, 30), 40);
    // x = -1 and x = 0 both make it 0: the next whole step is taken.
    QCOMPARE(FormFourX({10, 10, 10, -10}, -10), 10);
    QCOMPARE(FormFourX({10, 10, 7, 21}, 25), 25);
    const FormulaNumbers n{4, {10, 10, 7, 21}, FormFourX({10, 10, 7, 21}, 30)};
    QVERIFY(FormulaValue(n).Den != 0);
}

// 30 x 0,1 is 3,0000000000000004 in floating point: counted in tenths it is the whole 3.
void TestFormulas::wholeCoefficientsInTenths()
{
    QCOMPARE(CoefficientText(30), QStringLiteral("3"));
    QCOMPARE(CoefficientText(-30), QStringLiteral("3"));
    QCOMPARE(CoefficientText(23), QStringLiteral("2,30"));
    QCOMPARE(CoefficientText(-7), QStringLiteral("0,70"));
    const ExactValue y = FormulaValue({0, {10, 30, 30, 0}, 20});  // x² + 3x + 3 at x = 2
    QVERIFY(y.Whole());
    QCOMPARE(y.Num / y.Den, 13LL);
    QVERIFY(!FormulaValue({0, {10, 30, 31, 0}, 20}).Whole());
}

// A turnover that ends in a half cent: both roundings are right, through the answer field.
void TestFormulas::turnoverTiesMarkedRight()
{
    ThemeRig rig(FormulaSubstitution, 29, 2, 404);
    int ties = 0;
    for (int i = 0; i < 3000 && ties < 2; ++i) {
        rig.Next();
        const double cents = rig.s.ExpectedReal * 100;
        if (rig.s.ThemeMemory[29] % 10 != formulas::Cinema || std::fabs(cents - std::floor(cents) - 0.5) > 1e-6)
            continue;
        ++ties;
        for (const double answer : {std::floor(cents), std::ceil(cents)}) {
            rig.Again();
            rig.s.Attempt = 1;
            rig.s.Points = 0;
            QString text = FormatFixed(answer / 100, 2);
            QCOMPARE(rig.s.SubmitAnswer(text), AnswerOutcome::Marked);
            QVERIFY2(rig.s.Points > 0, qPrintable(text));
        }
    }
    QCOMPARE(ties, 2);
}

QTEST_MAIN(TestFormulas)
#include "tst_formulas.moc"
