#include "platform/messages.h"
#include "toolkit/numbers.h"

#include <QtTest>

using namespace velmora;

class TestNumbers : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void roundHalvesToEven_data()
    {
        QTest::addColumn<double>("x");
        QTest::addColumn<int>("rounded");
        QTest::newRow("2.5") << 2.5 << 2;
        QTest::newRow("3.5") << 3.5 << 4;
        QTest::newRow("-2.5") << -2.5 << -2;
        QTest::newRow("201.5") << 201.5 << 202;
        QTest::newRow("0.49") << 0.49 << 0;
        QTest::newRow("12.8") << 12.8 << 13;
    }
    void roundHalvesToEven()
    {
        QFETCH(double, x);
        QFETCH(int, rounded);
        QCOMPARE(Round(x), rounded);
    }

    void truncAndHelpers()
    {
        QCOMPARE(Trunc(-2.7), -2);
        QCOMPARE(Trunc(2.7), 2);
        QCOMPARE(Gcd(12, -18), 6);
        QCOMPARE(Gcd(0, 5), 5);
        QCOMPARE(Gcd(0, 0), 0);
        QCOMPARE(TrimSpaces(QStringLiteral("  a b\t ")), QStringLiteral("a b\t"));
        QCOMPARE(MulDiv(13, 96, 72), 17);
    }

    void power()
    {
        QCOMPARE(Power(-2, 3), -8.0);
        QVERIFY(qAbs(Power(2, 0.5) - 1.41421356) < 1e-8);
        QVERIFY(qAbs(Power(-2, 2) - 4) < 1e-12);
        QStringList shown;
        const MessageSink old = SetMessageSink([&](const QString& t, MessageKind) { shown << t; });
        Power(0, 2);
        SetMessageSink(old);
        QCOMPARE(shown, QStringList{QStringLiteral("Error: Macht van 0 bestaat niet!")});
    }

    void strToIntChecked_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("value");
        QTest::newRow("plain") << "42" << true << 42;
        QTest::newRow("leading blanks and sign") << "  -17" << true << -17;
        QTest::newRow("smallest") << "-2147483648" << true << int(-2147483647 - 1);
        QTest::newRow("one too large") << "2147483648" << false << 0;
        QTest::newRow("far too large") << "123456789012345678901234567890" << false << 0;
        QTest::newRow("trailing blank") << "5 " << false << 0;
        QTest::newRow("sign only") << "+" << false << 0;
        QTest::newRow("comma") << "1,5" << false << 0;
    }
    void strToIntChecked()
    {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(int, value);
        int v = 0;
        QCOMPARE(StrToIntChecked(text, v), ok);
        if (ok)
            QCOMPARE(v, value);
    }

    void randomIsReproducibleAndInRange()
    {
        Random a(1234), b(1234);
        QVector<int> seen(7, 0);
        for (int i = 0; i < 7000; ++i) {
            const int x = a(7);
            QCOMPARE(x, b(7));
            QVERIFY(x >= 0 && x < 7);
            ++seen[x];
        }
        for (int count : seen)
            QVERIFY(count > 800);  // every value turns up roughly a seventh of the time
        for (int i = 0; i < 1000; ++i) {
            const double r = a.Real();
            QVERIFY(r >= 0 && r < 1);
        }
        QCOMPARE(a(0), 0);
    }
};

QTEST_GUILESS_MAIN(TestNumbers)
#include "tst_numbers.moc"
