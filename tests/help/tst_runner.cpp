// The presentation interpreter: topics, flow commands, the main-menu cut-off and the
// handling of broken scripts.
#include "help/runner.h"
#include "platform/resources.h"
#include "support/helpfixture.h"
#include "toolkit/layout.h"
#include "toolkit/numbers.h"

#include <QTemporaryDir>
#include <QtTest>

#include <functional>

using namespace velmora;
using test::HeadlessHelpView;
using test::MessageCatcher;

namespace {

// Boxes of distinct colours in distinct bands, so a pixel tells which lines ran.
QString Box(int lineNo, int top, const char* colour)
{
    return QStringLiteral("%1,[box],%2,%3,10,90,%4,1,L\r\n").arg(lineNo).arg(top).arg(top + 1).arg(colour);
}

bool BandPainted(const Bitmap& b, int top)
{
    return b.Pixel(b.Width() / 2, top * LineHeight + LineHeight / 2) != clr::BtnFace;
}

class CallbackView : public HeadlessHelpView {
public:
    std::function<void()> OnEvents;
    void ProcessEvents() override
    {
        HeadlessHelpView::ProcessEvents();
        if (OnEvents)
            OnEvents();
    }
};

}  // namespace

class TestRunner : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { test::SetHelpLayout(); }

    void PlaysOnlyTheChosenTopic();
    void MainMenuStopsAtLineHundred();
    void FileWithoutEndStopsWithMessage();
    void MalformedLinesStopTheRun_data();
    void MalformedLinesStopTheRun();
    void WaitsWhileHandlingEvents_data();
    void WaitsWhileHandlingEvents();
    void EindeDuringWaitStopsTheRun();
    void NoRunInsideARun();
    void PosPlacesTheTextCursor();
    void SurfacesAtDeviceRatio();
    void ScriptFileByTag_data();
    void ScriptFileByTag();
    void ScriptsFoundFromAnyFolder();
    void MissingFileKeepsTheWindowUsable();
};

void TestRunner::PlaysOnlyTheChosenTopic()
{
    HeadlessHelpView view;
    HelpRunner runner(view);
    runner.PrepareSurfaces(test::TextSurfaceSize(), test::PictureSurfaceSize());
    runner.HelpTopic = 3;
    runner.LoadScript(Box(10, 1, "Red") + Box(250, 3, "Red") + Box(300, 5, "Blue") + Box(304, 7, "Blue") +
                      "305,[toets]\r\n" + Box(306, 9, "Green") + Box(410, 11, "Red") + "999,[end]\r\n");
    MessageCatcher messages;
    QCOMPARE(runner.Doorgaan(), HelpRunner::RunEnd::Toets);
    QVERIFY(view.ContinueVisible);
    QVERIFY(view.ContinueFocused);
    const Bitmap& left = runner.ScratchBitmap;
    QVERIFY(!BandPainted(left, 1));
    QVERIFY(!BandPainted(left, 3));
    QVERIFY(BandPainted(left, 5));
    QVERIFY(BandPainted(left, 7));
    QVERIFY(!BandPainted(left, 9));

    QCOMPARE(runner.Doorgaan(), HelpRunner::RunEnd::End);
    QCOMPARE(view.EindPresses, 1);
    QVERIFY(BandPainted(left, 9));  // line 306 still belongs to topic 3
    QVERIFY(!BandPainted(left, 11));
    QVERIFY(messages.Messages.isEmpty());
}

void TestRunner::MainMenuStopsAtLineHundred()
{
    HeadlessHelpView view;
    HelpRunner runner(view);
    runner.PrepareSurfaces(test::TextSurfaceSize(), test::PictureSurfaceSize());
    runner.HelpFromMenu = true;
    runner.LoadScript(Box(10, 1, "Red") + "50,[toets]\r\n" + Box(99, 3, "Red") + Box(100, 5, "Red") +
                      Box(101, 7, "Red"));  // no [end] at all
    MessageCatcher messages;
    QCOMPARE(runner.Doorgaan(), HelpRunner::RunEnd::Toets);
    QCOMPARE(runner.Doorgaan(), HelpRunner::RunEnd::End);
    QCOMPARE(view.EindPresses, 1);
    QVERIFY(BandPainted(runner.ScratchBitmap, 3));
    QVERIFY(!BandPainted(runner.ScratchBitmap, 5));
    QVERIFY(messages.Messages.isEmpty());

    // The same script from the session window (topic 1) does draw line 100 onwards.
    HeadlessHelpView view2;
    HelpRunner session(view2);
    session.PrepareSurfaces(test::TextSurfaceSize(), test::PictureSurfaceSize());
    session.HelpTopic = 1;
    session.LoadScript(Box(100, 5, "Red") + "150,[toets]\r\n");
    QCOMPARE(session.Doorgaan(), HelpRunner::RunEnd::Toets);
    QVERIFY(BandPainted(session.ScratchBitmap, 5));
}

void TestRunner::FileWithoutEndStopsWithMessage()
{
    HeadlessHelpView view;
    HelpRunner runner(view);
    runner.PrepareSurfaces(test::TextSurfaceSize(), test::PictureSurfaceSize());
    runner.LoadScript(Box(10, 1, "Red") + "20,[toets]\r\n" + Box(30, 3, "Red"), "demo8.txt");
    MessageCatcher messages;
    QCOMPARE(runner.Doorgaan(), HelpRunner::RunEnd::Toets);
    QCOMPARE(runner.Doorgaan(), HelpRunner::RunEnd::Error);
    QVERIFY(BandPainted(runner.ScratchBitmap, 3));
    QCOMPARE(messages.Messages.size(), 1);
    QVERIFY(messages.Messages[0].contains("demo8.txt"));
    QVERIFY(messages.Messages[0].contains("[end]"));
    QCOMPARE(view.EindPresses, 0);  // the window stays open
    QVERIFY(!view.ContinueVisible);
    QVERIFY(!runner.Running());
}

void TestRunner::MalformedLinesStopTheRun_data()
{
    QTest::addColumn<QString>("bad");
    QTest::addColumn<QString>("reasonPart");
    QTest::newRow("missing pen width") << "12,[box],2,5,10,90,Red,,L"
                                       << "ontbreekt";
    QTest::newRow("pen width not a number") << "12,[box],2,5,10,90,Red,dik,L"
                                            << "geen getal";
    QTest::newRow("text size not a number") << "12,Tekst,l,2,Hallo,groot,Red,,L"
                                            << "geen getal";
    QTest::newRow("text size zero") << "12,Tekst,l,2,Hallo,0,Red,,L"
                                    << "tekstgrootte";
    QTest::newRow("huge line") << "12,Tekst,l,1e12,Hallo,1,Red,,L"
                               << "te groot";
    QTest::newRow("[pos] without slash") << "12,[pos],12,2,Hallo,1,Red,,L"
                                         << "a/b";
    QTest::newRow("[pos] with b = 0") << "12,[pos],1/0,2,Hallo,1,Red,,L"
                                      << "geen 0";
    QTest::newRow("[pos] of another topic") << "712,[pos],1/x,2,Hallo,1,Red,,L"
                                            << "a/b";
    QTest::newRow("[4hoek] point without slash") << "12,[4hoek],10/1,20,30/4,10/4,Red,1,L"
                                                 << "paar met";
    QTest::newRow("[pie] angles without slash") << "12,[pie],50,5,20,90,Red,1,R"
                                                << "paar met";
    QTest::newRow("[wait] without seconds") << "12,[wait],,2,,1,Red,,L"
                                            << "ontbreekt";
    QTest::newRow("line number not a number") << "twaalf,Tekst,l,2,Hallo,1,Red,,L"
                                              << "regelnummer";
    QTest::newRow("no comma at all") << "12[toets]"
                                     << "regelnummer";
    QTest::newRow("empty line") << ""
                                << "regelnummer";
}

void TestRunner::MalformedLinesStopTheRun()
{
    QFETCH(QString, bad);
    QFETCH(QString, reasonPart);
    HeadlessHelpView view;
    HelpRunner runner(view);
    runner.PrepareSurfaces(test::TextSurfaceSize(), test::PictureSurfaceSize());
    runner.LoadScript(Box(10, 1, "Red") + bad + "\r\n" + Box(14, 3, "Red") + "20,[toets]\r\n999,[end]\r\n",
                      "demo1.txt");
    MessageCatcher messages;
    QCOMPARE(runner.Doorgaan(), HelpRunner::RunEnd::Error);
    QCOMPARE(messages.Messages.size(), 1);
    const QString& m = messages.Messages[0];
    QVERIFY2(m.startsWith("Fout in het helpbestand demo1.txt, regel 2:"), qPrintable(m));
    QVERIFY2(m.contains(reasonPart), qPrintable(m));
    QVERIFY(BandPainted(runner.ScratchBitmap, 1));
    QVERIFY(!BandPainted(runner.ScratchBitmap, 3));  // the run stopped at the bad line
    QCOMPARE(view.EindPresses, 0);
    QVERIFY(!view.ContinueVisible);
    QVERIFY(!runner.Running());
}

void TestRunner::WaitsWhileHandlingEvents_data()
{
    QTest::addColumn<QString>("seconds");
    QTest::addColumn<qint64>("ms");
    QTest::newRow("2.5 s") << "2.5" << qint64(2500);
    QTest::newRow("90 s") << "90" << qint64(90000);
    QTest::newRow("zero") << "0" << qint64(0);
    QTest::newRow("negative waits not") << "-3" << qint64(0);
}

void TestRunner::WaitsWhileHandlingEvents()
{
    QFETCH(QString, seconds);
    QFETCH(qint64, ms);
    CallbackView view;
    bool continueHiddenDuringWait = false;
    int paintsBeforeWait = -1;
    view.OnEvents = [&] {
        continueHiddenDuringWait = !view.ContinueVisible;
        if (paintsBeforeWait < 0)
            paintsBeforeWait = view.Paints;
    };
    HelpRunner runner(view);
    runner.PrepareSurfaces(test::TextSurfaceSize(), test::PictureSurfaceSize());
    runner.LoadScript("10,[wait]," + seconds + ",0,,1,Black,,L\r\n20,[toets]\r\n");
    QCOMPARE(runner.Doorgaan(), HelpRunner::RunEnd::Toets);
    QVERIFY(view.Now >= ms);
    QVERIFY(view.Now < ms + 10);
    if (ms > 0) {
        QVERIFY(continueHiddenDuringWait);
        QCOMPARE(paintsBeforeWait, 1);  // the window shows the drawing before it waits
    }
}

void TestRunner::EindeDuringWaitStopsTheRun()
{
    CallbackView view;
    HelpRunner runner(view);
    view.OnEvents = [&] {
        if (view.Now == 1000)
            runner.RequestStop();
    };
    runner.PrepareSurfaces(test::TextSurfaceSize(), test::PictureSurfaceSize());
    runner.LoadScript("10,[wait],90,0,,1,Black,,L\r\n" + Box(11, 1, "Red") + "20,[toets]\r\n");
    QCOMPARE(runner.Doorgaan(), HelpRunner::RunEnd::Stopped);
    QCOMPARE(view.Now, qint64(1000));
    QVERIFY(!BandPainted(runner.ScratchBitmap, 1));
}

void TestRunner::NoRunInsideARun()
{
    CallbackView view;
    HelpRunner runner(view);
    HelpRunner::RunEnd inner = HelpRunner::RunEnd::Toets;
    view.OnEvents = [&] { inner = runner.Doorgaan(); };
    runner.PrepareSurfaces(test::TextSurfaceSize(), test::PictureSurfaceSize());
    runner.LoadScript("10,[wait],0.05,0,,1,Black,,L\r\n20,[toets]\r\n" + Box(30, 1, "Red") + "40,[toets]\r\n");
    QCOMPARE(runner.Doorgaan(), HelpRunner::RunEnd::Toets);
    QCOMPARE(inner, HelpRunner::RunEnd::Busy);
    QCOMPARE(runner.Queue().size(), std::size_t(2));  // the inner call took no line
}

void TestRunner::PosPlacesTheTextCursor()
{
    HeadlessHelpView view;
    HelpRunner runner(view);
    runner.PrepareSurfaces(QSize(365, 595), test::PictureSurfaceSize());
    // 365 x 1/2 = 182.5 rounds to the even 182.
    runner.LoadScript("10,[pos],1/2,1,,1,Black,,L\r\n20,[toets]\r\n");
    runner.Doorgaan();
    QCOMPARE(TextEndX, 182 + Margin);
    QCOMPARE(runner.Line().X, QString("p"));
    // On the right surface the width is the picture's.
    runner.LoadScript("10,[pos],1/4,1,,1,Black,,R\r\n20,[toets]\r\n");
    runner.Doorgaan();
    QCOMPARE(TextEndX, Round(test::PictureSurfaceSize().width() / 4.0) + Margin);
}

// On a high-DPI screen the surfaces hold more pixels, but a script lays out as at ratio 1.
void TestRunner::SurfacesAtDeviceRatio()
{
    const QString script = QStringLiteral("10,[pos],1/2,1,,1,Black,,L\r\n20,[toets]\r\n");
    int textEnd[2] = {};
    for (const int ratio : {1, 2}) {
        HeadlessHelpView view;
        HelpRunner runner(view);
        runner.PixelRatio = ratio;
        runner.PrepareSurfaces(test::TextSurfaceSize(), test::PictureSurfaceSize());
        QCOMPARE(runner.ScratchBitmap.Size(), test::TextSurfaceSize());
        QCOMPARE(runner.ScratchBitmap2.Image().size(), ratio * test::PictureSurfaceSize());
        const QSize picture = test::PictureSurfaceSize();
        QCOMPARE(runner.ScratchBitmap2.Pixel(picture.width() - 1, picture.height() / 2), clr::Black);  // the frame
        QCOMPARE(runner.ScratchBitmap2.Pixel(picture.width() - 2, picture.height() / 2), clr::BtnFace);
        runner.LoadScript(script);
        runner.Doorgaan();
        textEnd[ratio - 1] = TextEndX;
    }
    QCOMPARE(textEnd[1], textEnd[0]);
}

void TestRunner::ScriptFileByTag_data()
{
    QTest::addColumn<int>("tag");
    QTest::addColumn<QString>("name");
    QTest::newRow("menu") << 0 << "demo0.txt";
    QTest::newRow("fractions") << 1 << "demo1.txt";
    QTest::newRow("percentages") << 2 << "demo2.txt";
    QTest::newRow("calculator") << 3 << "demo3.txt";
    QTest::newRow("mixed mode") << 5 << "demo0.txt";
    QTest::newRow("seven") << 7 << "demo2.txt";
}

void TestRunner::ScriptFileByTag()
{
    QFETCH(int, tag);
    QFETCH(QString, name);
    QCOMPARE(HelpRunner::ScriptFileName(tag), name);
}

// Started from another folder (a desktop menu starts it in the home folder), the program
// finds the scripts beside itself; a script in the current folder comes first.
void TestRunner::ScriptsFoundFromAnyFolder()
{
    QTemporaryDir elsewhere;
    const QString old = QDir::currentPath();
    QDir::setCurrent(elsewhere.path());
    const QString beside = FindHelpScript(QStringLiteral("demo1.txt"));
    QFile own(QStringLiteral("demo1.txt"));
    QVERIFY(own.open(QIODevice::WriteOnly));
    own.close();
    const QString here = FindHelpScript(QStringLiteral("demo1.txt"));
    const QString nowhere = FindHelpScript(QStringLiteral("demo4.txt"));
    QDir::setCurrent(old);
    QCOMPARE(beside, QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("demo1.txt")));
    QCOMPARE(here, QStringLiteral("demo1.txt"));
    QCOMPARE(nowhere, QStringLiteral("demo4.txt"));
}

void TestRunner::MissingFileKeepsTheWindowUsable()
{
    QTemporaryDir empty;
    const QString old = QDir::currentPath();
    QDir::setCurrent(empty.path());
    HeadlessHelpView view;
    HelpRunner runner(view);
    MessageCatcher messages;
    // demo4.txt is shipped nowhere: not here, not beside the program, not in the data folder.
    const HelpRunner::RunEnd end = runner.Start(4, test::TextSurfaceSize(), test::PictureSurfaceSize());
    QDir::setCurrent(old);
    QCOMPARE(end, HelpRunner::RunEnd::Error);
    QCOMPARE(messages.Messages.size(), 2);
    QCOMPARE(messages.Messages[0], QString("Foutje"));
    QVERIFY(messages.Messages[1].contains("[end]"));
    QCOMPARE(view.EindPresses, 0);
    // The surfaces are ready and face-coloured, the right one framed.
    QCOMPARE(runner.ScratchBitmap2.Pixel(0, 0), clr::Black);
    QCOMPARE(runner.ScratchBitmap2.Pixel(5, 5), clr::BtnFace);
}

QTEST_MAIN(TestRunner)
#include "tst_runner.moc"
