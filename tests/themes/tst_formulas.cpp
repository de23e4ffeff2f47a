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
// ("19 (x - 7)", "3 x"), a raised square "²" and unary minus; NaN when it does not read.
struct Reader {
    QString T;
    long double X;
    qsizetype I = 0;
    QChar Peek()
    {
        while (I < T.size() && T[I] == u' ')
            ++I;
        return I < T.size() ? T[I] : QChar();
    }
    bool Eat(char16_t c)
    {
        const bool next = Peek() == QChar(c);
        I += next;
        return next;
    }
    long double Sum()
    {
        long double v = Term();
        while (true)
            if (Eat(u'+'))
                v += Term();
            else if (Eat(u'-'))
                v -= Term();
            else
                return v;
    }
    long double Term()
    {
        if (Eat(u'-'))
            return -Term();
        long double v = Factor();
        for (QChar c = Peek(); c.isDigit() || c == u'x' || c == u'('; c = Peek())
            v *= Factor();
        return v;
    }
    long double Factor()
    {
        long double v = NAN;
        if (Eat(u'(')) {
            v = Sum();
            v = Eat(u')') ? v : NAN;
        } else if (Eat(u'x')) {
            v = X;
        } else {
            const qsizetype start = I;
            while (I < T.size() && (T[I].isDigit() || T[I] == u','))
                ++I;
            bool ok = false;
            v = T.mid(start, I - start).replace(u',', u'.').toDouble(&ok);
            v = ok ? v : NAN;
        }
        return Eat(u'\u00B2') ? v * v : v;
    }
};

long double Evaluate(const QString& formula, long double x)
{
    Reader r{formula, x};
    const long double v = r.Sum();
    return r.I == formula.size() ? v : NAN;
}

// The texts of one picture, in drawing order.
struct Picture {
    QList<TextEvent> Events;
    // A capture of the first text the pattern matches; empty when none does.
    QString Find(const char* pattern, int group = 1) const
    {
        const QRegularExpression re(QString::fromUtf8(pattern));
        for (const TextEvent& e : Events)
            if (const QRegularExpressionMatch m = re.match(e.Text); m.hasMatch())
                return m.captured(group);
        return QString();
    }
    long double Number(const char* pattern, int group = 1) const
    {
        return Find(pattern, group).replace(u',', u'.').toDouble();
    }
    // The pieces of a formula row, with the squares raised half a line above it as "²".
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

bool In(long double v, long double low, long double high)
{
    return v >= low && v <= high;
}

// The answer of a story from the numbers its picture shows; NaN when a number is out of range.
long double Worked(const Session& s, const Picture& p, int variant, int level)
{
    switch (variant) {
        case formulas::Energy: {
            const bool man = p.Find("^Voor een (man|vrouw) geldt") == QStringLiteral("man");
            const long double w = p.Number("^w = (\\d+) kg$"), h = p.Number("^h = (\\d+) cm$"),
                              a = p.Number("^a = (\\d+) jaar$");
            if (!In(a, 25, 75) || !In(h, 150 + 15 * man, 189 + 15 * man) || !In(w, h - 115, h - 86))
                return NAN;
            return man ? 66.5L + 13.8L * w + 5 * h - 6.8L * a : 66.5L + 9.6L * w + 4.8L * h - 4.7L * a;
        }
        case formulas::Cinema: {  // A = a - b (p - c) visitors, or O = N p - b p² turnover
            const long double price = p.Number("^ (\\d+,\\d\\d)\\.$");
            const long double y = Evaluate(p.Row(12).mid(4).replace(u'p', u'x'), price);
            const long double visitors = p.Row(12).startsWith(u'A') ? y : y / price;
            return In(price * 4, 12, 140) && price * 4 == std::floor(price * 4) && std::round(visitors) >= 25 ? y : NAN;
        }
        case formulas::Helicopter: {
            const long double a = p.Number("^A = (\\d+) m\\.$"), v = p.Number("^V = (\\d+) sec\\.$"),
                              b = p.Number("^B = (\\d+) sec\\.$");
            if (!In(a, 150, 2050) || std::fmod(a, 100) != 50 || !In(v, 5, 14) || !In(b, 5, 14))
                return NAN;
            return 3600 / (0.167L * a + v + b);
        }
        case formulas::Medicine: {
            const QStringList rules{QStringLiteral("L"), QStringLiteral("0.9 L - 0.1"),
                                    QStringLiteral("2.5 L - 0.042 L  ")};
            int rule = -1;
            for (const TextEvent& t : p.Events)
                rule = std::max(rule, int(rules.indexOf(t.Text)));
            const long double n = p.Number("^Hoeveel mg krijgt een kind van (\\d+) jaar"),
                              dose = p.Number("medicijn (\\d+,\\d\\d) mg$");
            if (rule < 0 || rule >= level || !In(n, 1, 16) || !In(dose, 10, 29.9L))
                return NAN;
            return dose * (rule == 0   ? n / (n + 12)
                           : rule == 1 ? (0.9L * n - 0.1L) / (n + 13)
                                       : (2.5L * n - 0.042L * n * n) / (n + 13.5L));
        }
        default: {  // traffic: the speed in m/s is shown rounded, so the exact one is the slot's
            const long double length = p.Number("^L = (\\d+,\\d\\d) m\\.$");
            const bool kmh = p.Find("^V = (\\d+,\\d\\d) (m/s|km/u)\\.$", 2) == QStringLiteral("km/u");
            const int speed = s.Param[formulas::SpeedHundredths];  // km/u x 100
            const int step = level == 1   ? 360
                             : level == 2 ? 36
                                          : 100,
                      low = level == 3 ? 1000 : 1080,
                      high = level == 1   ? 10800
                             : level == 2 ? 10764
                                          : 10000;
            const long double v = speed / 360.0L;  // m/s
            if (speed % step || !In(speed, low, high) || !In(length, 3.5L, 4.195L) || (kmh && level < 3) ||
                std::round(p.Number("^V = (\\d+,\\d\\d)") * 100) != (kmh ? speed : std::round(v * 100)))
                return NAN;
            return 60 * 8 * v / (8 * length + v * v);
        }
    }
}

bool Close(double a, long double b)
{
    return std::fabs(a - double(b)) <= 1e-12 * std::max(1.0L, std::fabs(b));
}

}  // namespace

class TestFormulas : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void storyOrder_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<bool>("mixed");
        QTest::addColumn<bool>("energy");
        QTest::newRow("Starter") << 1 << false << true;
        QTest::newRow("Durver") << 2 << false << true;
        QTest::newRow("Prof: no energy story") << 3 << false << false;
        QTest::newRow("mixed mode: energy again") << 3 << true << true;
    }
    // No story twice within three exercises; the energy story never among the first two.
    void storyOrder()
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
                QVERIFY(v >= 0 && v <= 9 && v != before && v != last);
                QVERIFY2(v != formulas::Energy || (energy && i >= 2), qPrintable(QString::number(i)));
                seen.insert(v);
                before = std::exchange(last, v);
            }
        }
        QCOMPARE(int(seen.size()), energy ? 10 : 9);
    }

    void formulasPosed_data()
    {
        QTest::addColumn<int>("level");
        QTest::newRow("Starter") << 1;
        QTest::newRow("Durver") << 2;
        QTest::newRow("Prof") << 3;
    }
    // The numbers of the arbitrary formulas: Starter keeps c1 = 1 and everything whole with a
    // positive x, Durver a whole c1 (rounding to 0 too) and a positive x, Prof anything.
    void formulasPosed()
    {
        QFETCH(int, level);
        Random random(level * 1000u + 3);
        bool c1Zero = false, negativeX = false, decimalX = false;
        for (int i = 0; i < 20000; ++i) {
            const FormulaNumbers n = PoseFormula(random, level, i % 5);
            for (const int c : n.C)
                QVERIFY(In(c, -100 * level, 100 * level) && (level == 2 || c != 0));
            QVERIFY(n.X != 0 && In(n.X, -100 * level, 100 * level + (i % 5 == 4 ? 30 : 0)));
            if (level == 1) {
                QVERIFY(n.C[0] == 10 && n.C[1] % 10 == 0 && n.C[3] % 10 == 0);
                QVERIFY(n.C[2] > 0 && n.C[2] % 10 == 0 && n.X > 0 && n.X % 10 == 0);
            } else if (level == 2) {
                QVERIFY(n.C[0] % 10 == 0 && n.X > 0);
            }
            QVERIFY(FormulaValue(n).Den != 0);
            c1Zero = c1Zero || n.C[0] == 0;
            negativeX = negativeX || n.X < 0;
            decimalX = decimalX || n.X % 10 != 0;
        }
        QCOMPARE(c1Zero, level == 2);
        QCOMPARE(negativeX, level == 3);
        QCOMPARE(decimalX, level >= 2);
    }

    void answerFollowsFromPicture_data() { formulasPosed_data(); }
    // Drawn exercises: each story's numbers in range and the answer from them; an arbitrary
    // formula read back (whole coefficients written plainly) and evaluated at the x shown; a
    // whole answer asked as an integer except for the quotient and the turnover; and every
    // correctly rounded answer right.
    void answerFollowsFromPicture()
    {
        QFETCH(int, level);
        ThemeRig rig(FormulaSubstitution, 29, level, 5u + level);
        Picture p;
        rig.s.PictureBitmap.TextObserver = [&](const TextEvent& e) { p.Events << e; };
        std::set<int> variants;
        for (int i = 0; i < 600; ++i) {
            if (i % 30 == 0)
                rig.Start();
            p.Events.clear();
            rig.Next();
            const Session& s = rig.s;
            const int v = s.ThemeMemory[29] % 10;
            variants.insert(v);
            long double y = NAN;
            if (v >= formulas::FirstForm && v <= formulas::LastForm) {
                const int x = s.Param[formulas::XTenths];
                QCOMPARE(p.Find("^x = (.*)$"), x % 10 ? FormatFixed(x / 10.0, 2) : QString::number(x / 10) + u'.');
                const QString row = p.Row(11), bottom = p.Row(13);
                QVERIFY2(!(row + bottom).contains(QStringLiteral(",00")), qPrintable(row + bottom));
                y = v == formulas::LastForm ? Evaluate(row, x / 10.0L) / Evaluate(bottom, x / 10.0L)
                                            : Evaluate(row.mid(4), x / 10.0L);
            } else {
                y = Worked(s, p, v, level);
            }
            QVERIFY2(Close(s.ExpectedReal, y), qPrintable(QStringLiteral("variant %1, exercise %2").arg(v).arg(i)));
            const bool whole = std::fabs(y - std::round(y)) < 1e-7L;
            const bool turnover = v == formulas::Cinema && p.Row(12).startsWith(u'O');
            const int kind = v == formulas::Cinema                                         ? (turnover ? 2 : 1)
                             : whole && v >= formulas::FirstForm && v < formulas::LastForm ? 1
                                                                                           : 2;
            QCOMPARE(rig.view.Field.Kind, kind);
            if (kind == 1)
                QCOMPARE(s.ExpectedInt, Round(double(y)));
            for (const long double cents : {std::floor(y * 100), std::ceil(y * 100)})
                if (kind == 2 && std::fabs(y * 100 - cents) <= 0.5L)
                    QVERIFY(DecimalAnswerRight(double(cents / 100), s.ExpectedReal, s.RealTolerance, s.AnswerDecimals));
        }
        QCOMPARE(int(variants.size()), level == 3 ? 9 : 10);
    }

    // Form 4's denominator c4 x - c3 x², in tenths: 0,7 x 3² equals 2,1 x 3 (in floating
    // point it does not), and x = -1 and 0 both give 0; the next whole step is taken.
    void quotientNeverDividesByZero()
    {
        QCOMPARE(FormFourX({10, 10, 7, 21}, 30), 40);
        QCOMPARE(FormFourX({10, 10, 10, -10}, -10), 10);
        QCOMPARE(FormFourX({10, 10, 7, 21}, 25), 25);
    }

    // 30 x 0,1 is 3,0000000000000004 in floating point: counted in tenths it is the whole 3,
    // and x² + 3x + 3 at x = 2 the whole 13.
    void wholeCoefficientsInTenths()
    {
        QCOMPARE(CoefficientText(-30), QStringLiteral("3"));
        QCOMPARE(CoefficientText(23), QStringLiteral("2,30"));
        const ExactValue y = FormulaValue({0, {10, 30, 30, 0}, 20});
        QVERIFY(y.Whole() && y.Num / y.Den == 13);
        QVERIFY(!FormulaValue({0, {10, 30, 31, 0}, 20}).Whole());
    }
};

QTEST_MAIN(TestFormulas)
#include "tst_formulas.moc"
