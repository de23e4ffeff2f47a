// The help window offscreen: the about panel, a presentation from Doorgaan to the end,
// activations that must or must not start the presentation again, and the slides as a
// screen reader reads them.
#include "help/vlm1help.h"
#include "support/helpfixture.h"
#include "toolkit/layout.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QtTest>

using namespace velmora;

namespace {

void WriteScript(const QString& path, const QByteArray& text)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(text);
}

}  // namespace

class TestHelpWindow : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(dir_.isValid());
        old_ = QDir::currentPath();
        QDir::setCurrent(dir_.path());
    }
    void cleanupTestCase() { QDir::setCurrent(old_); }
    void init() { test::SetHelpLayout(); }

    void AboutPanel();
    void PresentationFromDoorgaanToEnd();
    void OwnMessageDoesNotRestart();
    void ReadsDecimalSeparatorAtCreation();
    void LogoAtDeviceRatio();
    void SlidesAreReadable();

private:
    QTemporaryDir dir_;
    QString old_;
};

void TestHelpWindow::AboutPanel()
{
    QWidget menu, session;
    menu.show();
    THelpScherm help;
    help.SetWindows(&menu, &session);
    help.SetTag(-1);
    help.show();
    QTRY_VERIFY(help.HelpPanel->isVisible());
    QVERIFY(!menu.isVisible());
    QVERIFY(!help.ContinueButton->isVisible());
    QCOMPARE(
        help.ProgramMemo->toPlainText().split('\n'),
        QStringList({"Stichting", "De Dorvelse Vuziror", "", "Velmora 1", "VA7zur   Versie: V2.1", "augustus 2003"}));
    QCOMPARE(help.EindButton->text(), QString("&Einde"));
    QCOMPARE(help.EindButton->statusTip(), QString("Klik voor Einde"));
    QCOMPARE(help.PresentationStarts(), 0);
    QTest::mouseClick(help.EindButton, Qt::LeftButton);
    QVERIFY(!help.isVisible());
    QVERIFY(menu.isVisible());
    QVERIFY(!session.isVisible());
}

void TestHelpWindow::PresentationFromDoorgaanToEnd()
{
    WriteScript("demo1.txt",
                "10,Tekst,l,1,'Onderwerp 0',1,Black,,L\r\n20,[toets]\r\n"
                "200,[box],2,4,10,90,Red,1,R\r\n210,[toets]\r\n"
                "220,[box],6,8,10,90,Blue,1,R\r\n230,[toets]\r\n999,[end]\r\n");
    QWidget menu, session;
    session.show();
    THelpScherm help;
    help.SetWindows(&menu, &session);
    help.SetTag(6);  // 6 mod 5 = 1
    help.HelpTopic = 2;
    test::MessageCatcher messages;
    help.show();
    QTRY_VERIFY(help.ContinueButton->isVisible());
    QVERIFY(!session.isVisible());
    QVERIFY(!help.HelpPanel->isVisible());
    const Bitmap& right = help.Runner().ScratchBitmap2;
    QCOMPARE(right.Pixel(right.Width() / 2, 3 * LineHeight), clr::Red);
    QCOMPARE(right.Pixel(right.Width() / 2, 7 * LineHeight), clr::BtnFace);
    QTest::mouseClick(help.ContinueButton, Qt::LeftButton);
    QCOMPARE(right.Pixel(right.Width() / 2, 7 * LineHeight), clr::Blue);
    QVERIFY(help.isVisible());
    QTest::mouseClick(help.ContinueButton, Qt::LeftButton);
    QVERIFY(!help.isVisible());
    QVERIFY(session.isVisible());
    QVERIFY(!menu.isVisible());
    QCOMPARE(help.result(), int(QDialog::Accepted));
    QVERIFY(messages.Messages.isEmpty());
    QCOMPARE(help.PresentationStarts(), 1);
}

void TestHelpWindow::OwnMessageDoesNotRestart()
{
    WriteScript("demo2.txt", "10,Tekst,l,1,'Hallo',1,Black,,L\r\n11,[box],2,4,10,90,Red,,R\r\n20,[toets]\r\n");
    THelpScherm help;
    test::MessageCatcher messages;
    help.SetTag(2);
    help.show();
    QTRY_COMPARE(messages.Messages.size(), 1);
    QVERIFY(messages.Messages[0].contains("regel 2"));
    QVERIFY(!help.ContinueButton->isVisible());
    QVERIFY(help.EindButton->isEnabled());
    QCOMPARE(help.PresentationStarts(), 1);

    // One of our own windows (a message box) takes the focus and gives it back.
    QApplication::setActiveWindow(&help);
    QWidget box;
    box.show();
    QApplication::setActiveWindow(&box);
    QApplication::setActiveWindow(&help);
    QCOMPARE(help.PresentationStarts(), 1);
    QCOMPARE(messages.Messages.size(), 1);

    // Another program took the focus: the presentation starts again from the top.
    box.hide();
    QApplication::setActiveWindow(nullptr);
    QApplication::setActiveWindow(&help);
    QCOMPARE(help.PresentationStarts(), 2);
    QCOMPARE(messages.Messages.size(), 2);
    help.reject();
}

void TestHelpWindow::ReadsDecimalSeparatorAtCreation()
{
    DecSep = QLatin1Char('#');
    THelpScherm help;
    QVERIFY(DecSep == QLatin1Char(',') || DecSep == QLatin1Char('.'));
}

// The menu's logo drawn for a high-DPI screen keeps its detail in the about panel, at its
// layout size.
void TestHelpWindow::LogoAtDeviceRatio()
{
    THelpScherm help;
    QImage logo(480, 416, QImage::Format_RGB32);
    logo.fill(Qt::white);
    logo.setPixel(1, 1, qRgb(0, 0, 0));
    logo.setDevicePixelRatio(2);
    const QImage merged = help.AdoptLogo(logo);
    QCOMPARE(merged.size(), logo.size());
    QCOMPARE(merged.devicePixelRatio(), 2.0);
    QCOMPARE(QColor(merged.pixel(10, 10)), clr::BtnFace);
    QCOMPARE(QColor(merged.pixel(1, 1)), clr::Black);  // not resampled
    QCOMPARE(help.findChild<QLabel*>(QStringLiteral("ProgramIcon"))->size(), QSize(240, 208));
}

// Both surfaces are described by the texts drawn on them, slide by slide; what "[schoon]"
// clears is no longer read.
void TestHelpWindow::SlidesAreReadable()
{
    WriteScript(
        "demo1.txt",
        "300,Tekst,l,1,'Breuken optellen',1,Black,,L\r\n310,Tekst,l,3,'Maak ze eerst gelijknamig.',1,Blue,,L\r\n"
        "320,Tekst,l,2,'Een pizza',1,Black,,R\r\n330,[toets]\r\n"
        "340,[schoon],2,27,,,,,L\r\n350,Tekst,l,4,'Tel dan de tellers op.',1,Blue,,L\r\n360,[toets]\r\n"
        "999,[end]\r\n");
    QWidget menu, session;
    THelpScherm help;
    help.SetWindows(&menu, &session);
    help.SetTag(1);
    help.HelpTopic = 3;
    test::MessageCatcher messages;
    help.show();
    QTRY_VERIFY(help.ContinueButton->isVisible());
    QCOMPARE(help.Uitleg->accessibleDescription(), QString("Breuken optellen\nMaak ze eerst gelijknamig."));
    QCOMPARE(help.UitlegPlaatje->accessibleDescription(), QString("Een pizza"));
    QCOMPARE(help.Uitleg->accessibleName(), QString("Uitleg"));
    QTest::mouseClick(help.ContinueButton, Qt::LeftButton);
    QCOMPARE(help.Uitleg->accessibleDescription(), QString("Breuken optellen\nTel dan de tellers op."));
    QCOMPARE(help.UitlegPlaatje->accessibleDescription(), QString("Een pizza"));
    QVERIFY(messages.Messages.isEmpty());
    help.reject();
}

QTEST_MAIN(TestHelpWindow)
#include "tst_vlm1help.moc"
