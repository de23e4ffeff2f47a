#include "app/vlm1main.h"
#include "help/vlm1help.h"
#include "platform/messages.h"
#include "platform/resources.h"
#include "session/testmain.h"
#include "toolkit/layout.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

using namespace velmora;

namespace {
struct Opened {
    Category category;
    bool practice;
};
}  // namespace

class TestMainMenu : public QObject {
    Q_OBJECT
    QStringList messages_;
    MessageSink previous_;

private Q_SLOTS:
    void init()
    {
        messages_.clear();
        previous_ = SetMessageSink([this](const QString& text, MessageKind) { messages_ << text; });
    }
    void cleanup() { SetMessageSink(previous_); }

    void missingLibraryIsFatal()
    {
        TVelm1MainForm menu(QStringLiteral("/nonexistent-folder"), QRect(0, 0, 1024, 738));
        QCOMPARE(messages_, QStringList{QStringLiteral("ERROR bij lezen van DLL")});
        QVERIFY(menu.TerminationRequested());
        QVERIFY(!ResourceLibraryLoaded());
    }

    void metricsFollowTheScreen_data()
    {
        QTest::addColumn<QRect>("work");
        QTest::addColumn<double>("scale");
        QTest::addColumn<int>("margin");
        QTest::addColumn<double>("content");
        QTest::newRow("1024 x 738 work area") << QRect(0, 0, 1024, 738) << 1.6 << 13 << 738 / 480.0;
        QTest::newRow("1280 x 1024") << QRect(0, 0, 1280, 1024) << 2.0 << 16 << 2.0;
        QTest::newRow("800 x 600") << QRect(0, 0, 800, 600) << 1.25 << 10 << 1.25;
    }
    void metricsFollowTheScreen()
    {
        QFETCH(QRect, work);
        QFETCH(double, scale);
        QFETCH(int, margin);
        QFETCH(double, content);
        TVelm1MainForm menu(QCoreApplication::applicationDirPath(), work);
        QVERIFY(messages_.isEmpty());
        QCOMPARE(ScaleFactor, scale);
        QCOMPARE(Margin, margin);
        QCOMPARE(menu.ContentScale(), content);
        QCOMPARE(menu.size(), work.size());
        QCOMPARE(menu.windowTitle(), QStringLiteral("Velmora 1: V2.1"));

        // Panels hug the right edge, the choice group fills the rest, bottoms line up.
        auto* panel1 = menu.findChild<QWidget*>(QStringLiteral("Panel1"));
        auto* group = menu.findChild<QGroupBox*>(QStringLiteral("GroupBox2"));
        auto* info = menu.findChild<QWidget*>(QStringLiteral("ProgInfoPanel"));
        auto* status = menu.findChild<QWidget*>(QStringLiteral("StatusBalk"));
        QVERIFY(panel1 && group && info && status);
        QCOMPARE(panel1->x() + panel1->width(), work.width() - margin);
        QCOMPARE(info->x() + info->width(), work.width() - margin);
        QCOMPARE(group->width(), work.width() - 3 * margin - panel1->width());
        QCOMPARE(panel1->y() + panel1->height(), group->y() + group->height());
        const int gapAbove = group->y() - (info->y() + info->height());
        const int gapBelow = status->y() - (group->y() + group->height());
        QVERIFY(qAbs(gapAbove - gapBelow) <= 1);
        auto* test = menu.findChild<QPushButton*>(QStringLiteral("Button4"));
        QCOMPARE(test->x() + test->width(), group->width() - margin);
    }

    void captions()
    {
        TVelm1MainForm menu(QCoreApplication::applicationDirPath(), QRect(0, 0, 1024, 768));
        const QStringList expected = {"Oefenen met &Breuken", "Oefenen met &Procenten", "Oefenen met de &Rekenmachine",
                                      "Breuken-Test",         "Procenten-Test",         "Rekenmachine-Test"};
        for (int i = 0; i < 6; ++i)
            QCOMPARE(menu.SessionButton(i)->text(), expected[i]);
        QCOMPARE(menu.findChild<QLabel*>(QStringLiteral("VersieLabel"))->text(), QStringLiteral("V2.1"));
        QCOMPARE(menu.findChild<QLabel*>(QStringLiteral("DatumLabel"))->text(), QStringLiteral("augustus 2003"));
        QCOMPARE(menu.findChild<QLabel*>(QStringLiteral("Label2"))->text(), QStringLiteral("Grote uitdaging:"));
        QCOMPARE(menu.findChild<QLabel*>(QStringLiteral("Label4"))->text(), QStringLiteral("Alles door elkaar"));
        QCOMPARE(menu.StatusText(), QStringLiteral("Druk op één van de knoppen !"));
        menu.grab();  // the glyphs are made when the menu is first drawn
        QVERIFY(!menu.SessionButton(6)->icon().isNull());
        QVERIFY(!menu.HelpButtonWidget()->icon().isNull());
    }

    void buttonsOpenTheirSession_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("tag");
        QTest::addColumn<bool>("practice");
        QTest::addColumn<bool>("percentages");
        QTest::newRow("Oefenen met Breuken") << 0 << 0 << true << false;
        QTest::newRow("Oefenen met Procenten") << 1 << 10 << true << true;
        QTest::newRow("Oefenen met de Rekenmachine") << 2 << 20 << true << false;
        QTest::newRow("Breuken-Test") << 3 << 0 << false << false;
        QTest::newRow("Procenten-Test") << 4 << 10 << false << true;
        QTest::newRow("Rekenmachine-Test") << 5 << 20 << false << false;
        QTest::newRow("Alles door elkaar") << 6 << -10 << false << false;
    }
    void buttonsOpenTheirSession()
    {
        QFETCH(int, button);
        QFETCH(int, tag);
        QFETCH(bool, practice);
        QFETCH(bool, percentages);
        TVelm1MainForm menu(QCoreApplication::applicationDirPath(), QRect(0, 0, 1024, 768));
        QList<Opened> opened;
        menu.OpenSession = [&](Category c, bool p) { opened.append({c, p}); };
        QTest::mouseClick(menu.SessionButton(button), Qt::LeftButton);
        QCOMPARE(opened.size(), 1);
        QCOMPARE(CategoryTag(opened[0].category), tag);
        QCOMPARE(opened[0].practice, practice);
        // Only percentage sessions lack " Prof !".
        QCOMPARE(LevelCount(opened[0].category) == 2, percentages);
    }

    void sessionWindowLevelList()
    {
        TVelm1MainForm menu(QCoreApplication::applicationDirPath(), QRect(0, 0, 1024, 768));
        TTestForm session(&menu);
        QCOMPARE(session.NivoCount(), 3);
        session.SetCategory(Category::Fractions, true);
        QCOMPARE(session.NivoCount(), 3);
        session.SetCategory(Category::Percentages, false);  // "Procenten-Test" after fractions
        QCOMPARE(session.NivoCount(), 2);
        session.SetCategory(Category::Percentages, true);
        QCOMPARE(session.NivoCount(), 2);
        session.SetCategory(Category::Fractions, true);  // a fractions button brings " Prof !" back
        QCOMPARE(session.NivoCount(), 3);
        session.SetCategory(Category::Mixed, false);
        QCOMPARE(session.NivoCount(), 3);
    }

    // The logo with its line of text is shared with the about panel, white parts in the
    // face colour in both places.
    void logoSharedWithTheAboutPanel()
    {
        TVelm1MainForm menu(QCoreApplication::applicationDirPath(), QRect(0, 0, 1024, 768));
        // The program builds the other windows after the menu is shown: the menu's first
        // frame shows the logo, with the face colour already.
        auto* logoLabel = menu.findChild<QLabel*>(QStringLiteral("DorvMetLogo"));
        const auto menuLogo = [logoLabel] { return logoLabel->pixmap().toImage(); };
        const QImage firstFrame = menu.grab().toImage();
        const QImage shown = firstFrame.copy(QRect(logoLabel->mapTo(&menu, QPoint(0, 0)), menuLogo().size()));
        QCOMPARE(shown.convertToFormat(QImage::Format_RGB32), menuLogo().convertToFormat(QImage::Format_RGB32));
        QCOMPARE(QColor(menuLogo().pixel(2, 2)), clr::BtnFace);
        TTestForm session(&menu);
        THelpScherm help;
        menu.Connect(session, help);
        const QImage logo = menuLogo();
        const QImage about = help.findChild<QLabel*>(QStringLiteral("ProgramIcon"))->pixmap().toImage();
        QCOMPARE(about.convertToFormat(QImage::Format_RGB32), logo.convertToFormat(QImage::Format_RGB32));
        QCOMPARE(QColor(logo.pixel(2, 2)), clr::BtnFace);
        // "De Dorvelse Vuziror" at the bottom: dark ink in the lowest fifth.
        int ink = 0;
        for (int y = logo.height() * 4 / 5; y < logo.height(); ++y)
            for (int x = 0; x < logo.width(); ++x)
                ink += qGray(logo.pixel(x, y)) < 60 ? 1 : 0;
        QVERIFY(ink > 100);
    }

    void helpEntryPoints()
    {
        TVelm1MainForm menu(QCoreApplication::applicationDirPath(), QRect(0, 0, 1024, 768));
        QList<bool> asked;
        menu.OpenHelp = [&](bool about) { asked << about; };
        QTest::mouseClick(menu.HelpButtonWidget(), Qt::LeftButton);
        QTest::mouseClick(menu.findChild<QWidget*>(QStringLiteral("ProgInfoPanel")), Qt::LeftButton);
        QTest::mouseClick(menu.findChild<QWidget*>(QStringLiteral("DorvMetLogo")), Qt::LeftButton);
        QCOMPARE(asked, QList<bool>({false, true, true}));
    }
};

QTEST_MAIN(TestMainMenu)
#include "tst_mainmenu.moc"
