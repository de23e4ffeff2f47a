// Our own help scripts, as shipped beside the program: every topic plays to its end
// without an error, and every topic the program asks for is there.
#include "help/runner.h"
#include "support/helpfixture.h"
#include "toolkit/layout.h"

#include <QFile>
#include <QtTest>

#include <set>

using namespace velmora;
using test::HeadlessHelpView;
using test::MessageCatcher;

namespace {

std::set<int> TopicsIn(const QString& name)
{
    LineQueue queue;
    std::set<int> topics;
    if (!LeesFile(name, queue))
        return topics;
    for (const QueuedLine& l : queue) {
        bool ok = false;
        const int number = l.Text.section(',', 0, 0).toInt(&ok);
        if (ok && !l.Text.contains(QLatin1String("[end]")))
            topics.insert(number / 100);
    }
    return topics;
}

bool HasInk(const Bitmap& b)
{
    // The frame of the right surface is not a slide's content.
    for (int y = 2; y < b.Height() - 2; y += 2)
        for (int x = 2; x < b.Width() - 2; x += 2)
            if (b.Pixel(x, y) != clr::BtnFace)
                return true;
    return false;
}

}  // namespace

class TestShippedScripts : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { test::SetHelpLayout(); }

    void FilesAreWindows1252WithCrLf_data();
    void FilesAreWindows1252WithCrLf();
    void EveryTopicPlaysToItsEnd_data();
    void EveryTopicPlaysToItsEnd();
    void TopicsTheProgramAsksFor_data();
    void TopicsTheProgramAsksFor();
};

void TestShippedScripts::FilesAreWindows1252WithCrLf_data()
{
    QTest::addColumn<QString>("name");
    for (int i = 0; i < 4; ++i)
        QTest::newRow(qPrintable(QString("demo%1").arg(i))) << QString("demo%1.txt").arg(i);
}

void TestShippedScripts::FilesAreWindows1252WithCrLf()
{
    QFETCH(QString, name);
    QFile f(name);
    QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(name));
    const QByteArray bytes = f.readAll();
    QVERIFY(!bytes.isEmpty());
    QVERIFY(bytes.endsWith("\r\n"));
    QCOMPARE(bytes.count('\n'), bytes.count("\r\n"));
    QCOMPARE(bytes.count('\r'), bytes.count("\r\n"));
    // UTF-8 would show up as the pair 0xC3 followed by another high byte.
    for (qsizetype i = 0; i + 1 < bytes.size(); ++i)
        QVERIFY2(!(uchar(bytes[i]) == 0xC3 && uchar(bytes[i + 1]) >= 0x80), qPrintable(name));
    const QList<QByteArray> lines = bytes.split('\n');
    QVERIFY(lines[lines.size() - 2].contains("[end]"));
}

void TestShippedScripts::EveryTopicPlaysToItsEnd_data()
{
    QTest::addColumn<int>("tag");
    QTest::addColumn<int>("topic");
    QTest::addColumn<bool>("fromMenu");
    for (int tag = 0; tag < 4; ++tag) {
        for (const int topic : TopicsIn(HelpRunner::ScriptFileName(tag)))
            QTest::addRow("demo%d topic %d", tag, topic) << tag << topic << false;
    }
    QTest::newRow("main menu") << 0 << 0 << true;
}

void TestShippedScripts::EveryTopicPlaysToItsEnd()
{
    QFETCH(int, tag);
    QFETCH(int, topic);
    QFETCH(bool, fromMenu);
    HeadlessHelpView view;
    HelpRunner runner(view);
    runner.HelpTopic = topic;
    runner.HelpFromMenu = fromMenu;
    MessageCatcher messages;
    HelpRunner::RunEnd end = runner.Start(tag, test::TextSurfaceSize(), test::PictureSurfaceSize());
    int slides = 0;
    while (end == HelpRunner::RunEnd::Toets && slides < 50) {
        ++slides;
        QVERIFY2(HasInk(runner.ScratchBitmap) || HasInk(runner.ScratchBitmap2),
                 qPrintable(QString("slide %1 is empty").arg(slides)));
        end = runner.Doorgaan();
    }
    QVERIFY2(messages.Messages.isEmpty(), qPrintable(messages.Messages.join("\n")));
    QCOMPARE(end, HelpRunner::RunEnd::End);
    QCOMPARE(view.EindPresses, 1);
    QVERIFY2(slides >= 2, "a lesson has a few slides");
    QVERIFY(view.Now < 60 * 1000);  // waits are short pauses, not a minute in all
}

void TestShippedScripts::TopicsTheProgramAsksFor_data()
{
    QTest::addColumn<int>("tag");
    QTest::addColumn<int>("topic");
    QTest::newRow("main menu introduction") << 0 << 0;
    QTest::newRow("mixed mode (tag 5)") << 5 << 1;
    QTest::newRow("fractions setup") << 1 << 0;
    QTest::newRow("theme 4 sums") << 1 << 4;
    QTest::newRow("theme 5 differences") << 1 << 5;
    QTest::newRow("theme 6 waste scheme") << 1 << 6;
    QTest::newRow("theme 8 terrace tiles") << 1 << 8;
    QTest::newRow("theme 9 riddle") << 1 << 9;
    QTest::newRow("percentages setup") << 2 << 0;
    QTest::newRow("theme 14 pizza") << 2 << 4;
    QTest::newRow("themes 20 and 22 schemes in percent") << 2 << 10;
    QTest::newRow("calculator setup") << 3 << 0;
    QTest::newRow("theme 21 shopping list") << 3 << 1;
    QTest::newRow("theme 27 exchange") << 3 << 7;
    QTest::newRow("theme 28 bicycle counters") << 3 << 8;
}

void TestShippedScripts::TopicsTheProgramAsksFor()
{
    QFETCH(int, tag);
    QFETCH(int, topic);
    const std::set<int> topics = TopicsIn(HelpRunner::ScriptFileName(tag));
    QVERIFY2(topics.count(topic) == 1, qPrintable(HelpRunner::ScriptFileName(tag)));
}

QTEST_MAIN(TestShippedScripts)
#include "tst_shippedscripts.moc"
