// The three windows as a screen reader and a pupil without a mouse meet them, offscreen:
// names in the accessible tree, actions that work like clicks, the exercise as text, the
// whole way from the main menu to a marked answer and back by keyboard, and indicators
// that grow with the window.
#include "app/vlm1main.h"
#include "help/vlm1help.h"
#include "platform/resources.h"
#include "platform/system.h"
#include "session/sessionlayout.h"
#include "session/testmain.h"
#include "support/sessiontesting.h"
#include "toolkit/fraction.h"
#include "toolkit/layout.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace velmora;
using namespace velmora::testing;

namespace {

QAccessibleInterface* Iface(QObject* object)
{
    return QAccessible::queryAccessibleInterface(object);
}

// Every visible control below iface that a screen reader would announce without a name.
void FindUnnamed(QAccessibleInterface* iface, QStringList& unnamed)
{
    static const QList<QAccessible::Role> controls = {
        QAccessible::PushButton, QAccessible::CheckBox, QAccessible::RadioButton, QAccessible::EditableText,
        QAccessible::Graphic,    QAccessible::Client,   QAccessible::Grouping};
    for (int i = 0; i < iface->childCount(); ++i) {
        QAccessibleInterface* child = iface->child(i);
        // Qt's own parts of a control (a text box's viewport) are announced with it.
        if (!child || child->state().invisible || child->object()->objectName().startsWith(QLatin1String("qt_")))
            continue;
        if (controls.contains(child->role()) && child->text(QAccessible::Name).trimmed().isEmpty())
            unnamed << child->object()->objectName() + QStringLiteral(" (role %1)").arg(int(child->role()));
        FindUnnamed(child, unnamed);
    }
}

QStringList Unnamed(QWidget* window)
{
    QStringList unnamed;
    FindUnnamed(Iface(window), unnamed);
    return unnamed;
}

QString Description(QWidget* widget)
{
    return Iface(widget)->text(QAccessible::Description);
}

void Act(QWidget* widget, const QString& action)
{
    QAccessibleActionInterface* actions = Iface(widget)->actionInterface();
    QVERIFY2(actions, qPrintable(widget->objectName()));
    QVERIFY2(actions->actionNames().contains(action), qPrintable(widget->objectName() + QStringLiteral(": ") + action));
    actions->doAction(action);
}

// A key as a pupil presses it: to whatever has the focus.
void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget* target = QApplication::focusWidget();
    QVERIFY(target);
    QTest::keyClick(target, Qt::Key(key), modifiers);
}

void Type(const QString& text)
{
    auto* field = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    QVERIFY(field);
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(field, text);
    QTest::keyClick(field, Qt::Key_Return);
}

// The focus shows: the focused control and what surrounds it look different without it.
// How ever the focus got there; the frame must also reach beyond the control.
bool FocusShows(QWidget* widget)
{
    if (!widget->hasFocus())
        return false;
    const QRect around = widget->geometry().adjusted(-6, -6, 6, 6);
    const QRect outside = QRect(around.topLeft(), QSize(around.width(), 6));
    const QImage focused = widget->parentWidget()->grab(around).toImage();
    const QImage focusedOutside = widget->parentWidget()->grab(outside).toImage();
    widget->clearFocus();
    const QImage plain = widget->parentWidget()->grab(around).toImage();
    const QImage plainOutside = widget->parentWidget()->grab(outside).toImage();
    widget->setFocus(Qt::OtherFocusReason);
    return focused != plain && focusedOutside != plainOutside && widget->hasFocus();
}

// A fraction as a pupil types it: "3/4", "1 1/6", "-2".
QString Typed(const Fraction& value)
{
    const Fraction f = Simplify(value);
    QString text = f.Sign < 0 ? QStringLiteral("-") : QString();
    if (f.Whole != 0 || f.Num == 0)
        text += QString::number(f.Whole);
    if (f.Num != 0)
        text += (f.Whole != 0 ? QStringLiteral(" ") : QString()) + QStringLiteral("%1/%2").arg(f.Num).arg(f.Den);
    return text;
}

// An answer the field accepts for its kind, and that is not the expected one.
QString WrongAnswer(const Session& s)
{
    switch (s.Field().Kind) {
        case 1:
            return QString::number(s.ExpectedInt + 51);
        case 2:
            return QString::number(qRound(s.ExpectedReal) + 51);
        default:
            return Typed(FracAdd(s.ExpectedFraction, IntToFraction(51)));
    }
}

template <typename T>
T* Child(QWidget* window, const char* name)
{
    auto* child = window->findChild<T*>(QString::fromLatin1(name));
    if (!child)
        qWarning("no %s", name);
    return child;
}

// The session window on its own, as tst_testform drives it.
struct SessionWindow {
    QWidget menu;
    MessageLog messages;
    TTestForm form{&menu};

    SessionWindow(Category category, bool practice)
    {
        form.SetCategory(category, practice);
        menu.show();
        form.show();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        form.Model().Rng().Seed(2024);
    }
    template <typename T = QWidget>
    T* Get(const char* name)
    {
        return Child<T>(&form, name);
    }
};

}  // namespace

class TestAccessibility : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QVERIFY(PrepareWindows()); }

    void TreesNameEveryControl();
    void ActionsWorkLikeClicks();
    void ExerciseIsReadable();
    void KeyboardOnly_data();
    void KeyboardOnly();
    void HelpByKeyboard();
    void IndicatorsGrowWithTheWindow();
};

// Glyph-only buttons, the answer field, the score, the paint boxes: nothing visible is
// announced as a bare "button"; what is hidden is not there for a screen reader either.
void TestAccessibility::TreesNameEveryControl()
{
    TVelm1MainForm menu(QCoreApplication::applicationDirPath(), WorkArea());
    menu.show();
    QVERIFY(QTest::qWaitForWindowExposed(&menu));
    QCOMPARE(Unnamed(&menu), QStringList());
    QCOMPARE(Iface(menu.HelpButtonWidget())->text(QAccessible::Name), QStringLiteral("Help"));
    QCOMPARE(Iface(menu.SessionButton(6))->text(QAccessible::Name), QStringLiteral("Alles door elkaar"));
    QCOMPARE(Iface(menu.SessionButton(0))->text(QAccessible::Name), QStringLiteral("Oefenen met Breuken"));
    // The ring goes round the first choice from the start.
    const QWidget* ring = menu.findChild<QWidget*>(QStringLiteral("FocusRing"));
    QTRY_VERIFY(ring && ring->isVisible() && ring->geometry().contains(menu.SessionButton(0)->geometry()));

    SessionWindow w(Category::Fractions, true);
    QCOMPARE(Unnamed(&w.form), QStringList());
    QCOMPARE(Iface(w.Get("NivoButton"))->text(QAccessible::Name), QStringLiteral("Niveau"));
    QCOMPARE(Iface(w.Get("NivoButton"))->text(QAccessible::Description), QStringLiteral("Starter"));
    QCOMPARE(Iface(w.Get("HelpButton"))->text(QAccessible::Name), QStringLiteral("Help"));
    int hidden = 0;
    for (int box = 1; box <= 10; ++box) {
        QWidget* check = w.form.findChild<QWidget*>(QStringLiteral("CheckBox%1").arg(box));
        QCOMPARE(Iface(check)->state().invisible, !w.form.Model().CheckBoxVisible(box));
        hidden += w.form.Model().CheckBoxVisible(box) ? 0 : 1;
    }
    QVERIFY(hidden > 0);

    w.Get<QCheckBox>("CheckBox1")->click();
    w.Get<QPushButton>("StartButton")->click();
    QVERIFY(w.form.Model().AnswerPending());
    QCOMPARE(Unnamed(&w.form), QStringList());
    QCOMPARE(w.Get<QLabel>("InvoerLabel")->text(), QStringLiteral("Breuk: "));
    QCOMPARE(Iface(w.Get("InvoerVeld"))->text(QAccessible::Name), QStringLiteral("Breuk"));
    QCOMPARE(Iface(w.Get("ScoreLabel"))->text(QAccessible::Name), QStringLiteral("Score: 000 uit 000"));
    QVERIFY(!Description(w.Get("Tekst")).isEmpty());

    // A calculator exercise shows the calculator button, by name.
    SessionWindow c(Category::Calculator, true);
    c.Get<QCheckBox>("CheckBox1")->click();
    c.Get<QPushButton>("StartButton")->click();
    QVERIFY(c.Get("CalcButton")->isVisible());
    QCOMPARE(Iface(c.Get("CalcButton"))->text(QAccessible::Name), QStringLiteral("Rekenmachine"));
    QCOMPARE(Unnamed(&c.form), QStringList());

    THelpScherm help;
    help.SetTag(-1);
    help.show();
    QTRY_VERIFY(help.HelpPanel->isVisible());
    QCOMPARE(Unnamed(&help), QStringList());
    help.reject();
}

// Ticking, choosing the level and pressing START through their accessible actions do
// what clicks do.
void TestAccessibility::ActionsWorkLikeClicks()
{
    SessionWindow w(Category::Fractions, true);
    auto* start = w.Get<QPushButton>("StartButton");
    QVERIFY(!start->isEnabled());
    Act(w.Get("CheckBox4"), QAccessibleActionInterface::toggleAction());
    QVERIFY(w.form.Model().Ticked(4));
    QVERIFY(start->isEnabled());
    QVERIFY(w.form.Model().StartEnabled());
    Act(w.Get("CheckBox4"), QAccessibleActionInterface::toggleAction());
    QVERIFY(!w.form.Model().Ticked(4));
    QVERIFY(!start->isEnabled());
    Act(w.Get("CheckBox4"), QAccessibleActionInterface::toggleAction());

    QRadioButton* durver = w.form.findChildren<QRadioButton*>().at(1);
    Act(durver, QAccessibleActionInterface::toggleAction());
    QCOMPARE(w.form.Model().LevelIndex(), 1);
    QCOMPARE(Iface(w.Get("NivoButton"))->text(QAccessible::Description), QStringLiteral("Durver"));

    Act(start, QAccessibleActionInterface::pressAction());
    QTRY_VERIFY(w.form.Model().Running);
    QCOMPARE(w.form.Model().CurrentLevel(), 2);
    QVERIFY(w.Get("InvoerVeld")->hasFocus());

    TVelm1MainForm menu(QCoreApplication::applicationDirPath(), WorkArea());
    QList<bool> opened;
    menu.OpenSession = [&](Category, bool practice) { opened << practice; };
    Act(menu.SessionButton(3), QAccessibleActionInterface::pressAction());
    QTRY_COMPARE(opened, QList<bool>{false});
}

// Theme 4 drawn as text: the question and the two fractions as a pupil types them, in
// the text box's description, and the verdict after a wrong answer. (That a screen reader
// is told of the change is checked over AT-SPI: offscreen, Qt sends no updates.)
void TestAccessibility::ExerciseIsReadable()
{
    SessionWindow w(Category::Fractions, true);
    QWidget* tekst = w.Get("Tekst");

    QVERIFY(Description(tekst).contains(QStringLiteral("Kies het juiste niveau")));
    w.Get<QCheckBox>("CheckBox4")->click();
    w.Get<QPushButton>("StartButton")->click();
    const Session& s = w.form.Model();
    QCOMPARE(s.ThemeCode, 4);
    const QStringList lines = Description(tekst).split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines[0], QStringLiteral("Breuken optellen"));
    // "a + b = ?" with both fractions as a pupil types them, and they are the exercise's.
    const QStringList sum = lines[1].split(QStringLiteral(" + "));
    QCOMPARE(sum.size(), 2);
    QVERIFY2(sum[1].endsWith(QStringLiteral(" = ?")), qPrintable(lines[1]));
    Fraction a, b;
    QVERIFY2(StrToFraction(sum[0], a) && StrToFraction(sum[1].chopped(4), b), qPrintable(lines[1]));
    QCOMPARE(sum[0], Typed(a));
    QCOMPARE(sum[1].chopped(4), Typed(b));
    QVERIFY(a.Num != 0 && b.Num != 0);
    QVERIFY(FracEqual(FracAdd(a, b), s.ExpectedFraction));
    // The picture shows them too.
    const QString picture = Description(w.Get("Plaatje"));
    QVERIFY2(picture.contains(sum[0]) && picture.contains(sum[1].chopped(4)), qPrintable(picture));

    Type(WrongAnswer(s));
    QVERIFY2(Description(tekst).contains(QStringLiteral("Jammer! Tweede poging!")), qPrintable(Description(tekst)));
    QVERIFY(Description(tekst).startsWith(QStringLiteral("Breuken optellen\n") + lines[1]));
}

void TestAccessibility::KeyboardOnly_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("tabs");
    QTest::addColumn<int>("key");
    QTest::newRow("Oefenen met Breuken by its mnemonic") << 0 << 0 << int(Qt::Key_B);
    QTest::newRow("Breuken-Test by Tab and Enter") << 3 << 3 << int(Qt::Key_Return);
    QTest::newRow("Alles door elkaar by Tab and Space") << 6 << 6 << int(Qt::Key_Space);
}

// From the main menu to a marked answer and back, without a mouse, the focus always shown.
void TestAccessibility::KeyboardOnly()
{
    QFETCH(int, button);
    QFETCH(int, tabs);
    QFETCH(int, key);
    MessageLog messages;
    TVelm1MainForm menu(QCoreApplication::applicationDirPath(), WorkArea());
    TTestForm session(&menu);
    THelpScherm help;
    menu.Connect(session, help);
    // Not modal here, so the test goes on driving the window.
    menu.OpenSession = [&](Category category, bool practice) {
        session.SetCategory(category, practice);
        session.show();
        session.activateWindow();
    };
    menu.show();
    menu.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&menu));
    QCOMPARE(QApplication::focusWidget(), menu.SessionButton(0));
    QVERIFY(FocusShows(menu.SessionButton(0)));
    for (int i = 0; i < tabs; ++i)
        Press(Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), menu.SessionButton(button));
    Press(key, key == Qt::Key_B ? Qt::AltModifier : Qt::NoModifier);
    QTRY_VERIFY(session.isVisible());
    QVERIFY(QTest::qWaitForWindowActive(&session));
    session.Model().Rng().Seed(77);
    const Session& s = session.Model();
    auto* start = Child<QPushButton>(&session, "StartButton");

    if (s.MixedMode()) {
        QCOMPARE(QApplication::focusWidget(), start);
        QVERIFY(FocusShows(start));
        Press(Qt::Key_Return);
    } else {
        // The level first, then the themes; Space ticks, Alt+S starts.
        auto* level = qobject_cast<QRadioButton*>(QApplication::focusWidget());
        QVERIFY(level && level->isChecked());
        Press(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), Child<QWidget>(&session, "CheckBox1"));
        QVERIFY(FocusShows(QApplication::focusWidget()));
        for (int box = 2; box <= 4; ++box)
            Press(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), Child<QWidget>(&session, "CheckBox4"));
        const bool wasTicked = s.Ticked(4);
        Press(Qt::Key_Space);
        QCOMPARE(s.Ticked(4), !wasTicked);
        if (!s.StartEnabled())
            Press(Qt::Key_Space);
        QVERIFY(start->isEnabled());
        Press(Qt::Key_S, Qt::AltModifier);
    }
    QTRY_VERIFY(s.Running && s.AnswerPending());
    QCOMPARE(QApplication::focusWidget(), Child<QWidget>(&session, "InvoerVeld"));

    Type(WrongAnswer(s));
    QVERIFY(!s.AnswerPending());
    auto* doorgaan = Child<QPushButton>(&session, "ContinueButton");
    QCOMPARE(QApplication::focusWidget(), doorgaan);
    QVERIFY(FocusShows(doorgaan));
    const int done = s.ExercisesDone;
    Press(Qt::Key_Return);
    QTRY_VERIFY(s.AnswerPending());
    QCOMPARE(QApplication::focusWidget(), Child<QWidget>(&session, "InvoerVeld"));
    Type(WrongAnswer(s));
    QVERIFY(!s.AnswerPending());
    QVERIFY(s.ExercisesDone > done || s.Attempt == 2);

    // Einde ends the run, Einde again closes the window: the main menu is back.
    Press(Qt::Key_E, Qt::AltModifier);
    QTRY_VERIFY(!s.Running);
    QVERIFY(start->isVisible());
    Press(Qt::Key_E, Qt::AltModifier);
    QTRY_VERIFY(!session.isVisible());
    QVERIFY(menu.isVisible());
    // The keyboard is back in the main menu: F1 works there again.
    bool helpAsked = false;
    menu.OpenHelp = [&](bool) { helpAsked = true; };
    QTRY_VERIFY(menu.isActiveWindow());
    Press(Qt::Key_F1);
    QVERIFY(helpAsked);
    QVERIFY(messages.Texts.isEmpty());
}

// F1 opens help where a pupil expects it; Doorgaan and Einde work by keyboard in it.
void TestAccessibility::HelpByKeyboard()
{
    QTemporaryDir dir;
    const QString old = QDir::currentPath();
    QDir::setCurrent(dir.path());
    QFile script(QStringLiteral("demo1.txt"));
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write(
        "10,Tekst,l,1,'Eerste',1,Black,,L\r\n20,[toets]\r\n30,Tekst,l,3,'Tweede',1,Black,,L\r\n"
        "40,[toets]\r\n999,[end]\r\n");
    script.close();

    TVelm1MainForm menu(QCoreApplication::applicationDirPath(), WorkArea());
    QList<bool> asked;
    menu.OpenHelp = [&](bool about) { asked << about; };
    menu.show();
    QVERIFY(QTest::qWaitForWindowActive(&menu));
    Press(Qt::Key_F1);
    QCOMPARE(asked, QList<bool>{false});
    // The program information: the last stop of Tab, opened with Enter.
    Press(Qt::Key_Backtab, Qt::ShiftModifier);
    QWidget* info = Child<QWidget>(&menu, "ProgInfoPanel");
    QCOMPARE(QApplication::focusWidget(), info);
    QVERIFY(FocusShows(info));
    Press(Qt::Key_Return);
    QCOMPARE(asked, QList<bool>({false, true}));

    SessionWindow w(Category::Fractions, true);
    THelpScherm help;
    help.SetWindows(&w.menu, &w.form);
    const Session& s = w.form.Model();
    help.SetSurfaces(QSize(s.TextBitmap.Width(), s.TextBitmap.Height()),
                     QSize(s.PictureBitmap.Width(), s.PictureBitmap.Height()), w.form.PlaatjeLeft());
    int helpShown = 0;
    QStringList drawn;
    help.Runner().ScratchBitmap.TextObserver = [&drawn](const TextEvent& e) { drawn << e.Text; };
    w.form.SetHelpOpener([&](int tag, int topic) {
        help.SetTag(tag);
        help.SetHelpTopic(topic);
        QTimer::singleShot(0, &help, [&] {
            ++helpShown;
            QTRY_VERIFY(help.ContinueButton->isVisible());
            QCOMPARE(QApplication::focusWidget(), help.ContinueButton);
            QVERIFY(FocusShows(help.ContinueButton));
            QCOMPARE(drawn, QStringList{QStringLiteral("Eerste")});
            Press(Qt::Key_Return);
            QTRY_COMPARE(drawn, QStringList({QStringLiteral("Eerste"), QStringLiteral("Tweede")}));
            Press(Qt::Key_E, Qt::AltModifier);
        });
        help.exec();
    });
    Press(Qt::Key_F1);
    QCOMPARE(helpShown, 1);
    QVERIFY(!help.isVisible());
    QVERIFY(w.form.isVisible());
    QCOMPARE(help.result(), int(QDialog::Accepted));
    QDir::setCurrent(old);
}

// Check boxes and radio buttons carry indicators scaled like the rest of the window, and
// still fit their rows.
void TestAccessibility::IndicatorsGrowWithTheWindow()
{
    SessionWindow w(Category::Fractions, true);
    const double factor = SessionScale(WorkArea().size());
    QVERIFY(factor > 1.1);
    const int box = QApplication::style()->pixelMetric(QStyle::PM_IndicatorWidth);
    const int radio = QApplication::style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth);
    for (QCheckBox* check : w.form.findChildren<QCheckBox*>()) {
        QStyleOptionButton option;
        option.initFrom(check);
        const QRect indicator = check->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, check);
        QCOMPARE(indicator.width(), Round(box * factor));
        QVERIFY(indicator.height() <= check->height());
    }
    auto* group = w.Get<QGroupBox>("NivoBox");
    for (QRadioButton* item : w.form.findChildren<QRadioButton*>()) {
        QStyleOptionButton option;
        option.initFrom(item);
        const QRect indicator = item->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &option, item);
        QCOMPARE(indicator.width(), Round(radio * factor));
        QVERIFY(indicator.height() <= item->height());
        QVERIFY(group->contentsRect().contains(item->geometry()));
    }
    // Push buttons keep the application's own style.
    QCOMPARE(w.Get("StartButton")->style(), QApplication::style());
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
