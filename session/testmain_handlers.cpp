// The session window's event handlers: each passes the event to the model.
#include "testmain.h"

#include "ui/accessibility.h"

#include "toolkit/layout.h"
#include "toolkit/numbers.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QFocusEvent>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace velmora {

void TTestForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Only the main menu opens a session. The help window hides this window and shows it
    // again: that is no new activation, and the pupil's run, level and ticks must stay.
    if (!event->spontaneous() && !opened_) {
        opened_ = true;
        FormActivate();
    }
}

void TTestForm::FormActivate()
{
    StatusBalk->show();
    move(0, 0);
    if (mainMenu_)
        mainMenu_->hide();
    session_.Activate();
    KeuzeBox->setTitle(session_.KeuzeCaption());
    KeuzeBox->setProperty("Hint", QStringLiteral("|") + session_.KeuzeHint());
    for (int k = 1; k <= 10; ++k) {
        QCheckBox* box = CheckBoxes[k - 1];
        box->setText(session_.CheckBoxCaption(k));
        box->setVisible(session_.CheckBoxVisible(k));
        box->setEnabled(session_.CheckBoxEnabled(k));
    }
    session_.ShowSetup();
}

void TTestForm::ShowSetupScreen()
{
    const bool mixed = session_.MixedMode();
    Tekst->show();
    HelpButton->show();
    CalcButton->hide();
    InvoerPanel->hide();
    GebruikPanel->hide();
    ContinueButton->hide();
    StartButton->show();
    KeuzeBox->show();
    ScorePanel->show();
    NivoBox->setEnabled(true);
    SetHelpGlyph(QStringLiteral("info"));
    if (session_.LevelIndex() < NivoItems.size())
        NivoItems[session_.LevelIndex()]->setChecked(true);
    NivoBoxExit();
    NivoBox->setVisible(!mixed);
    NivoBox->raise();
    if (mixed) {
        StartButton->move((Tekst->width() - StartButton->width() - Margin) / 2,
                          ScorePanel->y() - Margin - StartButton->height());
    } else {
        StartButton->move(NivoBox->geometry().right() + 1 - Margin - StartButton->width(),
                          NivoBox->geometry().bottom() + 1 - StartButton->height() - Margin / 2);
    }
    StartButton->raise();
    for (int k = 1; k <= 10; ++k)
        CheckBoxes[k - 1]->setChecked(session_.Ticked(k));
    StartButton->setEnabled(session_.StartEnabled());
    ShowBitmaps();
    // The keyboard starts where the pupil starts: the level, or START in the mixed mode.
    if (!mixed && session_.LevelIndex() < NivoItems.size())
        NivoItems[session_.LevelIndex()]->setFocus(Qt::OtherFocusReason);
    else if (StartButton->isEnabled())
        StartButton->setFocus(Qt::OtherFocusReason);
}

void TTestForm::StartButtonClick()
{
    if (!session_.StartEnabled() && !session_.Running)
        return;
    KeuzeBox->hide();
    NivoBox->hide();
    StartButton->hide();
    Tekst->show();
    const bool resume = session_.Running && session_.CurrentLevel() == session_.StartLevel;
    if (!resume) {
        if (!session_.Running)
            SetHelpGlyph(QStringLiteral("uitleg"));
        HelpButton->setVisible(session_.PracticeMode());
    }
    session_.Start();
}

void TTestForm::ContinueButtonClick()
{
    session_.Continue();
}

void TTestForm::NivoBoxExit()
{
    const int level = session_.LevelIndex();
    if (level == glyphLevel_)
        return;
    const QImage glyph = DrawLevelGlyph(level, Px(16), devicePixelRatioF());
    NivoButton->setIcon(QIcon(QPixmap::fromImage(glyph)));
    NivoButton->setIconSize(glyph.deviceIndependentSize().toSize());
    glyphLevel_ = level;
    NivoButton->setProperty("Tag", level);
    if (level < NivoItems.size())
        Describe(NivoButton, NivoItems[level]->text().trimmed());
}

void TTestForm::NivoButtonClick()
{
    if (session_.MixedMode())
        return;
    session_.LevelButton();
    NivoBox->show();
    NivoBox->raise();
    if (session_.LevelIndex() < NivoItems.size())
        NivoItems[session_.LevelIndex()]->setFocus(Qt::OtherFocusReason);
    StartButton->show();
    StartButton->setEnabled(true);
    StartButton->raise();
    ContinueButton->hide();
    Tekst->hide();
    GebruikPanel->hide();
    InvoerPanel->hide();
}

void TTestForm::CheckBox1Click(int box, bool ticked)
{
    // The setup screen sets the boxes from the model: nothing to recount then.
    if (session_.Ticked(box) != ticked)
        session_.SetTicked(box, ticked);
}

void TTestForm::EindButtonClick()
{
    // Taking the focus first leaves an open answer unmarked.
    EindButton->setFocus(Qt::OtherFocusReason);
    if (!session_.End())
        done(QDialog::Rejected);
}

void TTestForm::HelpButtonClick()
{
    const HelpTarget target = session_.HelpRequest();
    if (helpOpener_)
        helpOpener_(target.Tag, target.Topic);
    // Back from help the pupil carries on where they were: nothing of the run, the level or
    // the ticks is lost for asking.
    if (session_.Running && ContinueButton->isVisible())
        ContinueButton->setFocus(Qt::OtherFocusReason);
    else if (session_.Running && InvoerPanel->isVisible())
        InvoerVeld->setFocus(Qt::OtherFocusReason);
    else if (NivoBox->isVisible() && session_.LevelIndex() < NivoItems.size())
        NivoItems[session_.LevelIndex()]->setFocus(Qt::OtherFocusReason);
    else if (StartButton->isVisible() && StartButton->isEnabled())
        StartButton->setFocus(Qt::OtherFocusReason);
}

void TTestForm::CalcButtonClick()
{
    calculator_.ShowOrStart();
    if (InvoerPanel->isVisible())
        InvoerVeld->setFocus(Qt::OtherFocusReason);
    else if (ContinueButton->isVisible())
        ContinueButton->setFocus(Qt::OtherFocusReason);
}

void TTestForm::InvoerVeldEnter()
{
    session_.EnterAnswerField();
}

bool TTestForm::KeepsAnswerPending(QWidget* focus) const
{
    if (!focus)
        return false;
    for (QWidget* w :
         {static_cast<QWidget*>(NivoBox), static_cast<QWidget*>(EindButton), static_cast<QWidget*>(NivoButton),
          static_cast<QWidget*>(CalcButton), static_cast<QWidget*>(HelpButton)})
        if (focus == w || w->isAncestorOf(focus))
            return true;
    return false;
}

void TTestForm::InvoerVeldExit(bool byFocusChange)
{
    if (!session_.AnswerPending())
        return;
    if (byFocusChange && KeepsAnswerPending(QApplication::focusWidget()))
        return;
    QString text = InvoerVeld->text();
    const AnswerOutcome outcome = session_.SubmitAnswer(text);
    if (text != InvoerVeld->text())
        InvoerVeld->setText(text);
    if (outcome != AnswerOutcome::Rejected)
        return;
    if (byFocusChange)
        QTimer::singleShot(0, InvoerVeld, [this] { InvoerVeld->setFocus(Qt::OtherFocusReason); });
    else
        InvoerVeld->setFocus(Qt::OtherFocusReason);
}

bool TTestForm::eventFilter(QObject* watched, QEvent* event)
{
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget && (event->type() == QEvent::Enter || event->type() == QEvent::FocusIn)) {
        const QString hint = widget->property("Hint").toString();
        if (!hint.isEmpty())
            StatusLabel->setText(hint.mid(hint.indexOf(QLatin1Char('|')) + 1));
    } else if (widget && event->type() == QEvent::Leave && widget->property("Hint").isValid()) {
        StatusLabel->setText(windowHint_);
    }
    if (watched == ContinueButton && event->type() == QEvent::FocusIn)
        windowHint_ = QStringLiteral("Druk op  'Doorgaan'  of  'Einde'");
    if (watched == InvoerVeld) {
        if (event->type() == QEvent::FocusIn) {
            InvoerVeldEnter();
        } else if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                InvoerVeldExit(false);
                return true;
            }
        } else if (event->type() == QEvent::FocusOut) {
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
                InvoerVeldExit(true);
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TTestForm::done(int result)
{
    opened_ = false;
    session_.Close();
    if (mainMenu_) {
        mainMenu_->show();
        // The keyboard goes back to the main menu, also without a window manager.
        QTimer::singleShot(0, mainMenu_, [menu = mainMenu_] {
            if (menu->isVisible())
                menu->activateWindow();
        });
    }
    QDialog::done(result);
}

}  // namespace velmora
