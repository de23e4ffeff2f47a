#include "toolkit/fraction.h"

#include <QtTest>

using namespace velmora;

Q_DECLARE_METATYPE(velmora::Fraction)

namespace {
Fraction F(int sign, int whole, int num, int den)
{
    return Fraction{sign, whole, num, den};
}
QString Show(const Fraction& f)
{
    return QStringLiteral("(%1, %2, %3, %4)").arg(f.Sign).arg(f.Whole).arg(f.Num).arg(f.Den);
}
}  // namespace

class TestFraction : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void simplify_data()
    {
        QTest::addColumn<Fraction>("in");
        QTest::addColumn<Fraction>("out");
        QTest::newRow("10/4 takes out the whole") << F(1, 0, 10, 4) << F(1, 2, 1, 2);
        QTest::newRow("4/4 is one whole") << F(1, 0, 4, 4) << F(1, 1, 0, 1);
        QTest::newRow("0/5 is zero over one") << F(1, 0, 0, 5) << F(1, 0, 0, 1);
        QTest::newRow("6/8 reduces") << F(1, 0, 6, 8) << F(1, 0, 3, 4);
        QTest::newRow("sign is kept") << F(-1, 1, 6, 4) << F(-1, 2, 1, 2);
        QTest::newRow("invalid stays invalid") << F(1, 3, 2, 0) << F(1, 3, 2, 0);
        QTest::newRow("large whole does not overflow on the way") << F(1, 2147483600, 30, 2) << F(1, 2147483615, 0, 1);
    }
    void simplify()
    {
        QFETCH(Fraction, in);
        QFETCH(Fraction, out);
        QCOMPARE(Show(Simplify(in)), Show(out));
    }

    void arithmetic()
    {
        const Fraction half = FracDiv(IntToFraction(1), IntToFraction(2));
        const Fraction third = FracDiv(IntToFraction(1), IntToFraction(3));
        QCOMPARE(Show(half), Show(F(1, 0, 1, 2)));
        QCOMPARE(Show(FracAdd(half, third)), Show(F(1, 0, 5, 6)));
        QCOMPARE(Show(FracSub(third, half)), Show(F(-1, 0, 1, 6)));
        QCOMPARE(Show(FracMul(F(-1, 1, 1, 2), F(1, 0, 2, 3))), Show(F(-1, 1, 0, 1)));
        QCOMPARE(Show(FracDiv(F(1, 0, 3, 4), F(-1, 0, 3, 8))), Show(F(-1, 2, 0, 1)));
        QCOMPARE(Show(IntMulFrac(3, F(1, 0, 5, 6))), Show(F(1, 2, 1, 2)));
        QCOMPARE(Show(IntToFraction(-7)), Show(F(-1, 7, 0, 1)));
        QCOMPARE(ImproperNumerator(F(-1, 2, 3, 4)), -11LL);
        QCOMPARE(FractionToReal(F(-1, 2, 3, 4)), -2.75);
    }

    void divisionByZeroLeavesResult()
    {
        Fraction result = F(1, 9, 1, 2);
        FracDiv(F(1, 0, 3, 4), F(-1, 0, 0, 7), result);
        QCOMPARE(Show(result), Show(F(1, 9, 1, 2)));
    }

    void equality_data()
    {
        QTest::addColumn<Fraction>("a");
        QTest::addColumn<Fraction>("b");
        QTest::addColumn<bool>("equal");
        QTest::newRow("6/8 = 3/4") << F(1, 0, 6, 8) << F(1, 0, 3, 4) << true;
        QTest::newRow("1 1/2 = 3/2") << F(1, 1, 1, 2) << F(1, 0, 3, 2) << true;
        QTest::newRow("+0 differs from -0") << F(1, 0, 0, 1) << F(-1, 0, 0, 1) << false;
        QTest::newRow("3/4 differs from -3/4") << F(1, 0, 3, 4) << F(-1, 0, 3, 4) << false;
        QTest::newRow("2/3 differs from 3/4") << F(1, 0, 2, 3) << F(1, 0, 3, 4) << false;
    }
    void equality()
    {
        QFETCH(Fraction, a);
        QFETCH(Fraction, b);
        QFETCH(bool, equal);
        QCOMPARE(FracEqual(a, b), equal);
    }

    void parse_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<Fraction>("value");
        QTest::newRow("3/4") << "3/4" << true << F(1, 0, 3, 4);
        QTest::newRow("2 3/4") << "2 3/4" << true << F(1, 2, 3, 4);
        QTest::newRow("2 3 / 4") << "2 3 / 4" << true << F(1, 2, 3, 4);
        QTest::newRow("-1 1/2") << "-1 1/2" << true << F(-1, 1, 1, 2);
        QTest::newRow("leading blank integer") << " 7" << true << F(1, 7, 0, 1);
        QTest::newRow("blanks around mixed") << " 2 1/2 " << true << F(1, 2, 1, 2);
        QTest::newRow("negative fraction") << "-3/4" << true << F(-1, 0, 3, 4);
        QTest::newRow("negative integer") << "-5" << true << F(-1, 5, 0, 1);
        QTest::newRow("plus sign integer") << "+5" << true << F(1, 5, 0, 1);
        QTest::newRow("slash after blank keeps the whole") << "3 /4" << true << F(1, 3, 0, 4);
        QTest::newRow("largest integer") << "2147483647" << true << F(1, 2147483647, 0, 1);
        QTest::newRow("3 4") << "3 4" << false << F(1, 0, 0, 1);
        QTest::newRow("3/4/5") << "3/4/5" << false << F(1, 0, 0, 1);
        QTest::newRow("3/0") << "3/0" << false << F(1, 0, 0, 1);
        QTest::newRow("3.5") << "3.5" << false << F(1, 0, 0, 1);
        QTest::newRow("a/b") << "a/b" << false << F(1, 0, 0, 1);
        QTest::newRow("trailing blank integer") << "7 " << false << F(1, 0, 0, 1);
        QTest::newRow("empty") << "" << false << F(1, 0, 0, 1);
        QTest::newRow("only a minus") << "-" << false << F(1, 0, 0, 1);
        QTest::newRow("integer beyond 32 bits") << "2147483648" << false << F(1, 0, 0, 1);
        QTest::newRow("huge integer") << "99999999999999999999" << false << F(1, 0, 0, 1);
        QTest::newRow("numerator beyond 32 bits") << "4294967296/3" << false << F(1, 0, 0, 1);
        QTest::newRow("denominator beyond 32 bits") << "1/4294967297" << false << F(1, 0, 0, 1);
        QTest::newRow("mixed value beyond 32 bits") << "2000000000 900000000/2" << false << F(1, 0, 0, 1);
    }
    void parse()
    {
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        QFETCH(Fraction, value);
        Fraction f = F(1, 0, 0, 1);
        QCOMPARE(StrToFraction(text, f), accepted);
        if (accepted)
            QCOMPARE(Show(f), Show(value));
    }
};

QTEST_GUILESS_MAIN(TestFraction)
#include "tst_fraction.moc"
