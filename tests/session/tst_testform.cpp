// The session window driven by keys and mouse clicks, offscreen.
#include "help/vlm1help.h"
#include "platform/resources.h"
#include "platform/system.h"
#include "session/testmain.h"
#include "support/sessiontesting.h"
#include "toolkit/layout.h"
#include "ui/messagebox.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using namespace velmora;
using namespace velmora::testing;

namespace {

struct Window {
    QWidget menu;
    MessageLog messages;
    TTestForm form{&menu};
    TextLog log;

    Window(int tag, bool practice, std::initializer_list<int> codes)
    {
        form.SetCategory(CategoryOfTag(tag), practice);
        UseIntegerTheme(form.Model(), codes);
        menu.show();
        form.show();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        form.Model().Rng().Seed(4242);
        log.Attach(form.Model().TextBitmap);
    }
    template <typename T>
    T* Get(const char* name)
    {
        return form.findChild<T*>(QString::fromLatin1(name));
    }
    QLineEdit* Field() { return Get<QLineEdit>("InvoerVeld"); }
    QString Score() { return Get<QLabel>("ScoreLabel")->text(); }
    void Click(const char* name) { QTest::mouseClick(Get<QWidget>(name), Qt::LeftButton); }
    void Tick(int box)
    {
        QTest::mouseClick(Get<QCheckBox>(qPrintable(QStringLiteral("CheckBox%1").arg(box))), Qt::LeftButton, {},
                          QPoint(5, 8));
    }
    void Type(const QString& text)
    {
        QLineEdit* field = Field();
        QVERIFY(field->hasFocus());
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(field, text);
        QTest::keyClick(field, Qt::Key_Return);
    }
    void AnswerRight() { Type(QString::number(form.Model().ExpectedInt)); }
    void AnswerWrong() { Type(QString::number(form.Model().ExpectedInt + 50)); }
    void Continue()
    {
        auto* button = Get<QPushButton>("ContinueButton");
        QVERIFY(button->isVisible());
        QVERIFY(button->hasFocus());
        QTest::keyClick(button, Qt::Key_Return);
    }
    QList<int> Codes(int n)
    {
        QList<int> codes;
        for (int i = 0; i < n; ++i) {
            codes << form.Model().ThemeCode;
            AnswerRight();
            Continue();
        }
        return codes;
    }
};

}  // namespace

class TestTestForm : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QVERIFY(PrepareWindows()); }

    void ThemesWithoutExerciseCannotBeTicked()
    {
        Window w(0, true, {2});
        auto* box1 = w.Get<QCheckBox>("CheckBox1");
        QVERIFY(!w.form.Model().HasGenerator(1));
        QVERIFY(!box1->isEnabled());
        w.Tick(1);
        QVERIFY(!box1->isChecked());
        w.Tick(2);
        QVERIFY(w.Get<QCheckBox>("CheckBox2")->isChecked());
        QVERIFY(w.Get<QPushButton>("StartButton")->isEnabled());
    }

    void LayoutFitsTheScreen()
    {
        Window w(0, true, {4});
        const QRect work = WorkArea();
        QCOMPARE(w.form.size(), work.size());
        auto* plaatje = w.Get<QWidget>("Plaatje");
        auto* statusBalk = w.Get<QWidget>("StatusBalk");
        QCOMPARE(plaatje->height(), work.height() - statusBalk->height() - 2 * plaatje->y());
        QCOMPARE(plaatje->x() + plaatje->width(), work.width() - Margin);
        QCOMPARE(w.form.PlaatjeLeft(), plaatje->x());
        QCOMPARE(w.form.Model().PictureBitmap.Width(), plaatje->width());
        QCOMPARE(LineHeight, plaatje->height() / 26);
        Bitmap probe(1, 1);
        probe.Font.Size = RefFontSize;
        QVERIFY(probe.TextHeight(QStringLiteral("Hj")) <= LineHeight);
        QCOMPARE(w.form.palette().color(QPalette::Window), QColor(192, 192, 192));
        QVERIFY(!w.menu.isVisible());
        QCOMPARE(w.form.windowTitle(), QStringLiteral("Velmora 1:  Oefenen met Breuken"));
        QCOMPARE(w.Get<QPushButton>("StartButton")->text(), QStringLiteral("&START"));
        QVERIFY(!w.Get<QPushButton>("StartButton")->isEnabled());
        QVERIFY(!w.Get<QWidget>("CheckBox10")->isVisible());
    }

    void PracticeOneBoxRepeats()
    {
        Window w(0, true, {4});
        w.Tick(4);
        QVERIFY(w.Get<QPushButton>("StartButton")->isEnabled());
        w.Click("StartButton");
        QCOMPARE(w.Codes(3), (QList<int>{4, 4, 4}));
        QCOMPARE(w.Score(), QStringLiteral("018 uit 003"));
    }

    void PracticeTwoBoxesAlternate()
    {
        Window w(0, true, {2, 5});
        w.Tick(2);
        w.Tick(5);
        w.Click("StartButton");
        QCOMPARE(w.Codes(4), (QList<int>{2, 5, 2, 5}));
    }

    void TestModeNeverRepeatsWithinThree()
    {
        Window w(20, false, {21, 22, 23, 24});
        // A test starts with everything ticked; themes without an exercise stay out of reach.
        QCOMPARE(w.form.Model().TickedCount, 9);
        for (int box = 5; box <= 9; ++box)
            QVERIFY(!w.Get<QCheckBox>(qPrintable(QStringLiteral("CheckBox%1").arg(box)))->isEnabled());
        w.Click("StartButton");
        QVERIFY(!w.Get<QWidget>("HelpButton")->isVisible());
        const QList<int> codes = w.Codes(40);
        for (int i = 2; i < codes.size(); ++i) {
            QVERIFY(codes[i] >= 21 && codes[i] <= 24);
            QVERIFY(codes[i] != codes[i - 1] && codes[i] != codes[i - 2]);
        }
    }

    void MixedModeSkipsEmptyCodes()
    {
        Window w(-10, false, {3, 12, 25});
        QVERIFY(!w.Get<QWidget>("NivoBox")->isVisible());
        QVERIFY(!w.Get<QWidget>("CheckBox1")->isEnabled());
        QCOMPARE(w.Get<QCheckBox>("CheckBox10")->text(), QStringLiteral(" Alles door elkaar !"));
        w.Click("StartButton");
        for (int code : w.Codes(30))
            QVERIFY(code == 3 || code == 12 || code == 25);
    }

    void LevelButtonThenStart()
    {
        Window w(0, true, {6});
        w.Tick(6);
        w.Click("StartButton");
        w.AnswerRight();
        w.Continue();
        const int param = w.form.Model().Param[0];
        w.Click("NivoButton");
        QVERIFY(w.Get<QWidget>("NivoBox")->isVisible());
        QVERIFY(!w.Get<QWidget>("Tekst")->isVisible());
        w.Click("StartButton");
        QCOMPARE(w.form.Model().Param[0], param);
        QVERIFY(w.Field()->hasFocus());
        QCOMPARE(w.Score(), QStringLiteral("006 uit 001"));

        w.Click("NivoButton");
        auto* prof = w.Get<QWidget>("NivoBox")->findChildren<QRadioButton*>().at(2);
        QTest::mouseClick(prof, Qt::LeftButton, {}, QPoint(5, prof->height() / 2));
        QCOMPARE(w.form.Model().LevelIndex(), 2);
        w.Click("StartButton");
        QCOMPARE(w.Score(), QStringLiteral("000 uit 000"));
        w.AnswerRight();
        QCOMPARE(w.Score(), QStringLiteral("010 uit 001"));
    }

    void WrongFirstAnswerGivesSecondAttempt()
    {
        Window w(0, true, {6});
        w.Tick(6);
        w.Click("StartButton");
        const int param = w.form.Model().Param[0];
        w.AnswerWrong();
        QVERIFY(w.log.Contains(QStringLiteral("Jammer! Tweede poging!")));
        QVERIFY(!w.Get<QWidget>("InvoerPanel")->isVisible());
        w.Continue();
        QCOMPARE(w.form.Model().Param[0], param);
        QCOMPARE(w.form.windowTitle(), QStringLiteral(" Oefenen met Breuken (Item: 6  Poging: 2)"));
        QVERIFY(w.Field()->hasFocus());
        w.AnswerRight();
        QCOMPARE(w.Score(), QStringLiteral("003 uit 001"));
    }

    void ScoreLines()
    {
        Window w(0, true, {6});
        w.Tick(6);
        QTest::mouseClick(w.Get<QWidget>("NivoBox")->findChildren<QRadioButton*>().at(2), Qt::LeftButton, {},
                          QPoint(5, 5));
        w.Click("StartButton");
        w.AnswerRight();
        w.Continue();
        w.AnswerWrong();
        w.Continue();
        w.AnswerWrong();
        QCOMPARE(w.Score(), QStringLiteral("010 uit 002"));
        QVERIFY(w.log.Contains(QStringLiteral("  Geen punten erbij.")));
        w.Continue();
        w.form.Model().Points = 1224;
        w.AnswerRight();
        QCOMPARE(w.Score(), QStringLiteral("234 uit 003"));
    }

    void PizzaPenaltyStopsAtZero()
    {
        Window w(10, true, {14});
        QCOMPARE(w.form.NivoCount(), 2);
        w.Tick(4);
        w.Click("StartButton");
        QVERIFY(!w.Get<QWidget>("CalcButton")->isVisible());
        QCOMPARE(w.Get<QLabel>("InfoLabel")->text(), QStringLiteral("Gebruik Pen en Papier !"));
        w.form.Model().IntTolerance = 4;
        w.Type(QString::number(w.form.Model().ExpectedInt + 3));
        QVERIFY(w.log.Contains(QStringLiteral("In de buurt.")));
        QCOMPARE(w.Score(), QStringLiteral("002 uit 001"));
        w.Continue();
        w.AnswerWrong();  // one attempt only
        QVERIFY(w.log.Contains(QStringLiteral("  Oei, 5 punten eraf!")));
        QCOMPARE(w.Score(), QStringLiteral("000 uit 002"));
    }

    void BadInput_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        const QString head = QStringLiteral("Foutieve invoer !\r");
        QTest::newRow("integer") << 1 << "7,5" << head + "Geef een geheel getal in !";
        QTest::newRow("integer overflow") << 1 << "4294967296" << head + "Geef een geheel getal in !";
        QTest::newRow("decimal") << 2 << "zeven"
                                 << head +
                                        "Geef een getal in !\rGebruik eventueel de comma als "
                                        "decimale scheidingsteken !";
        QTest::newRow("fraction") << 3 << "7" << head + "Geef een breuk in !";
        QTest::newRow("fraction or integer") << 4 << "7/" << head + "Geef een breuk of geheel getal in !";
    }
    void BadInput()
    {
        QFETCH(int, kind);
        QFETCH(QString, text);
        QFETCH(QString, message);
        Window w(0, true, {6});
        w.Tick(6);
        w.Click("StartButton");
        w.form.Model().OpenAnswer(QStringLiteral("Antwoord: "), kind, QStringLiteral("|Wat ?"));
        w.Type(text);
        QCOMPARE(w.messages.Texts, QStringList{message});
        QCOMPARE(w.Field()->text(), text);
        QVERIFY(w.Field()->hasFocus());
        QVERIFY(w.Get<QWidget>("InvoerPanel")->isVisible());
        QVERIFY(!w.Get<QWidget>("ContinueButton")->isVisible());
        QCOMPARE(w.form.Model().Attempt, 1);
        // The field still works: a whole number is readable for every kind but 3.
        w.AnswerRight();
        QCOMPARE(w.messages.Texts.size(), kind == 3 ? 2 : 1);
        QCOMPARE(w.Get<QWidget>("ContinueButton")->isVisible(), kind != 3);
    }

    void DecimalSeparatorIsCorrected()
    {
        Window w(20, true, {26});
        w.Tick(6);
        w.Click("StartButton");
        QVERIFY(w.Get<QWidget>("CalcButton")->isVisible());
        Session& s = w.form.Model();
        s.ExpectedReal = 2.5;
        s.AnswerDecimals = 1;
        s.OpenAnswer(QStringLiteral("Prijs: "), 2, QStringLiteral("|Hoeveel ?"));
        w.Type(QStringLiteral("2.5"));
        QCOMPARE(w.Field()->text(), QStringLiteral("2,5"));
        QVERIFY(w.messages.Texts.isEmpty());
        QVERIFY(w.log.Contains(QStringLiteral("2,5")));
        QCOMPARE(s.Points, 6);
    }

    void LeavingForButtonsKeepsTheAnswer()
    {
        Window w(0, true, {6});
        w.Tick(6);
        w.Click("StartButton");
        QCOMPARE(w.form.StatusText(), QStringLiteral("Welk getal ?"));
        w.Get<QWidget>("HelpButton")->setFocus();
        QVERIFY(w.form.Model().AnswerPending());
        w.Get<QWidget>("NivoButton")->setFocus();
        QVERIFY(w.form.Model().AnswerPending());
        w.Field()->setFocus();
        w.Field()->setText(QString::number(w.form.Model().ExpectedInt));
        w.Field()->clearFocus();  // no control active: the answer is read
        QVERIFY(!w.form.Model().AnswerPending());
        QCOMPARE(w.Score(), QStringLiteral("006 uit 001"));
    }

    void HelpDuringARun()
    {
        Window w(0, true, {5});
        QList<QPair<int, int>> calls;
        w.form.SetHelpOpener([&](int tag, int topic) { calls << qMakePair(tag, topic); });
        w.Click("HelpButton");
        w.Tick(5);
        w.Click("StartButton");
        w.Click("HelpButton");
        QCOMPARE(calls, (QList<QPair<int, int>>{{1, 0}, {1, 5}}));
        QVERIFY(w.form.Model().Running);
        QVERIFY(w.Field()->hasFocus());
    }

    // The real help window hides the session window and shows it again: the run goes on
    // with the same exercise, level, ticks, score and typed answer.
    void HelpWindowKeepsTheRun_data()
    {
        QTest::addColumn<bool>("byEinde");
        QTest::newRow("Einde") << true;
        QTest::newRow("title bar") << false;
    }
    void HelpWindowKeepsTheRun()
    {
        QFETCH(bool, byEinde);
        Window w(0, true, {4, 5});
        THelpScherm help;
        help.SetWindows(&w.menu, &w.form);
        const Session& s = w.form.Model();
        help.SetSurfaces(QSize(s.TextBitmap.Width(), s.TextBitmap.Height()),
                         QSize(s.PictureBitmap.Width(), s.PictureBitmap.Height()), w.form.PlaatjeLeft());
        bool hiddenDuringHelp = false;
        w.form.SetHelpOpener([&](int tag, int topic) {
            help.SetTag(tag);
            help.SetHelpTopic(topic);
            QTimer::singleShot(200, &help, [&] {
                hiddenDuringHelp = !w.form.isVisible();
                if (byEinde)
                    QTest::mouseClick(help.findChild<QWidget*>(QStringLiteral("EindButton")), Qt::LeftButton);
                else
                    help.close();
            });
            help.exec();
        });
        auto* level = w.form.findChildren<QRadioButton*>().at(1);  // " Durver"
        QTest::mouseClick(level, Qt::LeftButton, {}, QPoint(5, level->height() / 2));
        w.Tick(4);
        w.Tick(5);
        w.Click("StartButton");
        w.AnswerRight();
        w.Continue();
        const auto param = s.Param;
        const int code = s.ThemeCode;
        const QString score = w.Score();
        QTest::keyClicks(w.Field(), QStringLiteral("12"));

        w.Click("HelpButton");
        QVERIFY(hiddenDuringHelp);
        QVERIFY(w.form.isVisible());
        QVERIFY(s.Running);
        QCOMPARE(s.ThemeCode, code);
        QVERIFY(s.Param == param);
        QCOMPARE(s.LevelIndex(), 1);
        QCOMPARE(s.ThemeMask, 0b11000);
        QCOMPARE(w.Score(), score);
        QCOMPARE(score, QStringLiteral("008 uit 001"));
        QVERIFY(s.AnswerPending());
        QCOMPARE(w.Field()->text(), QStringLiteral("12"));
        QTRY_VERIFY(w.Field()->hasFocus());
        QVERIFY(w.messages.Texts.isEmpty());
    }

    // Help from the setup screen keeps the level and the ticks as well.
    void HelpOnTheSetupScreenKeepsTheChoice()
    {
        Window w(0, true, {4, 5});
        THelpScherm help;
        help.SetWindows(&w.menu, &w.form);
        w.form.SetHelpOpener([&](int tag, int topic) {
            help.SetTag(tag);
            help.SetHelpTopic(topic);
            QTimer::singleShot(200, &help, [&] { help.close(); });
            help.exec();
        });
        auto* level = w.form.findChildren<QRadioButton*>().at(2);  // " Prof !"
        QTest::mouseClick(level, Qt::LeftButton, {}, QPoint(5, level->height() / 2));
        w.Tick(5);
        w.Click("HelpButton");
        QVERIFY(w.form.isVisible());
        QCOMPARE(w.form.Model().LevelIndex(), 2);
        QVERIFY(w.Get<QCheckBox>("CheckBox5")->isChecked());
        QVERIFY(w.Get<QWidget>("StartButton")->isEnabled());
    }

    // START cannot be pressed without a theme, and looks so.
    void DisabledStartLooksDisabled()
    {
        Window w(0, true, {4});
        auto* start = w.Get<QPushButton>("StartButton");
        QVERIFY(!start->isEnabled());
        const QColor enabled = start->palette().color(QPalette::Active, QPalette::ButtonText);
        const QColor disabled = start->palette().color(QPalette::Disabled, QPalette::ButtonText);
        QCOMPARE(enabled, QColor(Qt::blue));
        QVERIFY(disabled != enabled);
        QCOMPARE(disabled, QApplication::palette().color(QPalette::Disabled, QPalette::ButtonText));
    }

    // Bad input: a warning in the window's font, centred over the window; a decimal answer
    // already shows its corrected separator while the message is read.
    void MessageBoxesArePupilSized()
    {
        Window w(20, true, {26});
        const MessageSink previous = SetMessageSink(ShowMessageBox);
        w.Tick(6);
        w.Click("StartButton");
        Session& s = w.form.Model();
        s.OpenAnswer(QStringLiteral("Prijs: "), 2, QStringLiteral("|Hoeveel ?"));
        QString fieldDuringMessage;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        int fontPixels = 0;
        QPoint centre;
        QTimer::singleShot(100, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            fieldDuringMessage = w.Field()->text();
            icon = box->icon();
            fontPixels = box->font().pixelSize();
            centre = box->frameGeometry().center();
            box->accept();
        });
        w.Type(QStringLiteral("2.5x"));
        SetMessageSink(previous);
        QCOMPARE(fieldDuringMessage, QStringLiteral("2,5x"));
        QCOMPARE(icon, QMessageBox::Warning);
        QVERIFY2(fontPixels >= w.Field()->font().pixelSize(), qPrintable(QString::number(fontPixels)));
        QVERIFY2((centre - w.form.frameGeometry().center()).manhattanLength() < 40,
                 qPrintable(QStringLiteral("%1,%2").arg(centre.x()).arg(centre.y())));
    }

    void EindeTwice()
    {
        Window w(0, true, {5});
        w.Tick(5);
        w.Click("StartButton");
        w.Click("EindButton");
        QVERIFY(!w.form.Model().Running);
        QVERIFY(w.form.isVisible());
        QVERIFY(w.Get<QWidget>("KeuzeBox")->isVisible());
        QVERIFY(w.Get<QCheckBox>("CheckBox5")->isChecked());
        w.Click("EindButton");
        QVERIFY(!w.form.isVisible());
        QVERIFY(w.menu.isVisible());
    }
};

QTEST_MAIN(TestTestForm)
#include "tst_testform.moc"
