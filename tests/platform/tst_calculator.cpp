// The calculator without an X11 display: every call must do nothing, quickly and quietly.
#include "platform/calculator.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

using namespace velmora;

namespace {

// Sets an environment variable for one test and restores it afterwards.
class EnvOverride {
public:
    EnvOverride(const char* name, const QByteArray& value)
        : name_(name), had_(qEnvironmentVariableIsSet(name)), old_(qgetenv(name))
    {
        qputenv(name, value);
    }
    ~EnvOverride()
    {
        if (had_)
            qputenv(name_, old_);
        else
            qunsetenv(name_);
    }
    EnvOverride(const EnvOverride&) = delete;
    EnvOverride& operator=(const EnvOverride&) = delete;

private:
    const char* name_;
    bool had_;
    QByteArray old_;
};

// A stand-in "galculator" that only leaves a marker file, so a start shows up.
bool WriteMarkerProgram(const QString& dir, const QString& marker)
{
    QFile script(dir + QStringLiteral("/galculator"));
    if (!script.open(QIODevice::WriteOnly))
        return false;
    script.write("#!/bin/sh\ntouch '" + marker.toLocal8Bit() + "'\n");
    script.close();
    return script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

}  // namespace

class TestCalculator : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        if (QGuiApplication::platformName() != QLatin1String("offscreen"))
            QSKIP("runs on the offscreen platform only");
    }

    void everyCallIsAQuietNoOp_data()
    {
        QTest::addColumn<int>("call");
        QTest::newRow("ShowOrStart") << 0;
        QTest::newRow("ShowWithoutActivating") << 1;
        QTest::newRow("Hide") << 2;
        QTest::newRow("ReleaseTopmost") << 3;
    }
    void everyCallIsAQuietNoOp()
    {
        QFETCH(int, call);
        Calculator calculator;
        const std::function<void()> calls[] = {[&] { calculator.ShowOrStart(); },
                                               [&] { calculator.ShowWithoutActivating(); }, [&] { calculator.Hide(); },
                                               [&] { calculator.ReleaseTopmost(); }};
        QElapsedTimer clock;
        clock.start();
        for (int k = 0; k < 3; ++k)
            calls[call]();
        // A call that waited for a window would take seconds.
        QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(!calculator.HasWindow());
        QCOMPARE(calculator.WindowId(), 0UL);
        QCOMPARE(calculator.ProcessId(), 0LL);
    }

    void startsNothingEvenWithADisplayNamedAndACalculatorOnPath()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString marker = dir.filePath(QStringLiteral("started"));
        QVERIFY(WriteMarkerProgram(dir.path(), marker));
        // The stand-in must really leave its marker, or its absence below proves nothing.
        QCOMPARE(QProcess::execute(dir.filePath(QStringLiteral("galculator")), {}), 0);
        QVERIFY(QFile::exists(marker));
        QVERIFY(QFile::remove(marker));

        EnvOverride path("PATH", dir.path().toLocal8Bit());
        EnvOverride display("DISPLAY", ":0");
        Calculator calculator;
        calculator.ShowOrStart();
        calculator.Hide();
        calculator.ShowWithoutActivating();
        calculator.ShowOrStart();
        calculator.ReleaseTopmost();
        QTest::qWait(300);  // a started program would have run by now
        QVERIFY(!QFile::exists(marker));
        QVERIFY(!calculator.HasWindow());
        QCOMPARE(calculator.ProcessId(), 0LL);
    }
};

QTEST_MAIN(TestCalculator)
#include "tst_calculator.moc"
