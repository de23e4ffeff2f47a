#include "vlm1help.h"

#include "ui/accessibility.h"
#include "ui/widgets.h"

#include "platform/resources.h"
#include "platform/system.h"
#include "session/sessionlayout.h"
#include "toolkit/layout.h"
#include "toolkit/numbers.h"
#include "toolkit/text.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStatusTipEvent>
#include <QTextEdit>
#include <QThread>
#include <QTimer>

#include <algorithm>

namespace velmora {

namespace {

const QStringList ProgramMemoLines{
    QStringLiteral("Stichting"), QStringLiteral("De Dorvelse Vuziror"),   QString(),
    QStringLiteral("Velmora 1"), QStringLiteral("VA7zur   Versie: V2.1"), QStringLiteral("augustus 2003")};

const QStringList Memo1Lines{
    QStringLiteral("Velmora 1 is een oefenprogramma voor de brugklas."),
    QStringLiteral("Je oefent met breuken, procenten en de rekenmachine."),
    QString(),
    QStringLiteral("Begin met oefenen. Gaat het goed ? Doe dan een test."),
    QStringLiteral("Kom je er niet uit ? Klik dan op de knop met de uitleg."),
    QString(),
    QStringLiteral("Heb je een vraag over het programma,"),
    QStringLiteral("of vind je een fout in een opgave ?"),
    QStringLiteral("Schrijf de opgave op en laat die aan je leraar zien."),
    QString(),
    QStringLiteral("Het programma bewaart niets: als je stopt, is je score weg."),
    QStringLiteral("Je mag het op school en thuis gebruiken om te oefenen."),
};

QTextEdit* CentredMemo(QWidget* parent, const QStringList& lines)
{
    auto* memo = new QTextEdit(parent);
    memo->setReadOnly(true);
    for (const QString& line : lines) {
        memo->append(line);
        memo->setAlignment(Qt::AlignHCenter);
    }
    return memo;
}

// A widget over one of the drawing surfaces, for screen readers: named, described by the texts
// drawn there, and letting the mouse through to the window.
QWidget* SurfaceCover(QWidget* window, const QString& objectName, const QString& name)
{
    auto* cover = new QWidget(window);
    cover->setObjectName(objectName);
    cover->setAttribute(Qt::WA_TransparentForMouseEvents);
    Name(cover, name);
    return cover;
}

}  // namespace

THelpScherm::THelpScherm(QWidget* parent) : QDialog(parent)
{
    FormCreate();
}

void THelpScherm::FormCreate()
{
    setObjectName(QStringLiteral("HelpScherm"));
    setWindowTitle(QStringLiteral("Velmora 1"));
    setModal(true);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    // The window covers the work area; its contents scale by the tighter of the two ratios.
    const QRect work = WorkArea();
    Px = DesignScale::ForWorkArea(work.size());
    setFixedSize(work.size());
    setFont(ArialPx(Px(17)));
    QPalette face = palette();
    face.setColor(QPalette::Window, clr::BtnFace);
    face.setColor(QPalette::Button, clr::BtnFace);
    setPalette(face);
    setAutoFillBackground(true);

    Uitleg = SurfaceCover(this, QStringLiteral("Uitleg"), QStringLiteral("Uitleg"));
    UitlegPlaatje = SurfaceCover(this, QStringLiteral("UitlegPlaatje"), QStringLiteral("Plaatje bij de uitleg"));
    const SessionGeometry g = ComputeSessionGeometry(work.size(), SessionScale(work.size()));
    SetSurfaces(g.Tekst.size(), g.Plaatje.size(), g.Plaatje.left());

    StatusBalk = new QFrame(this);
    StatusBalk->setObjectName(QStringLiteral("StatusBalk"));
    StatusBalk->setFrameStyle(QFrame::Panel | QFrame::Raised);
    StatusBalk->setFont(ArialPx(Px(17), false, true));
    const int statusHeight = Px(44);
    StatusBalk->setGeometry(0, height() - statusHeight, width(), statusHeight);
    StatusText = new QLabel(StatusBalk);
    StatusText->setGeometry(Px(90, 5, 536, 34));
    EindButton = new QPushButton(QStringLiteral("&Einde"), StatusBalk);
    EindButton->setObjectName(QStringLiteral("EindButton"));
    EindButton->setGeometry(Px(3, 4, 78, 36));
    EindButton->setFont(ArialPx(Px(20), false, true));
    EindButton->setStatusTip(QStringLiteral("Klik voor Einde"));
    EindButton->setAutoDefault(false);
    ContinueButton = new QPushButton(QStringLiteral("&Doorgaan"), StatusBalk);
    ContinueButton->setObjectName(QStringLiteral("ContinueButton"));
    ContinueButton->setGeometry(Px(90, 5, 536, 34));
    ContinueButton->setFont(ArialPx(Px(20)));
    ContinueButton->setAutoDefault(false);
    ContinueButton->hide();
    connect(EindButton, &QPushButton::clicked, this, &THelpScherm::EindButtonClick);
    connect(ContinueButton, &QPushButton::clicked, this, &THelpScherm::ContinueButtonClick);

    BuildAboutPanel();
    DecSep = SystemDecimalSeparator();
    Name(ProgramIcon, QStringLiteral("De Dorvelse Vuziror"));
    Name(ProgramMemo, QStringLiteral("Over het programma"));
    Name(Memo1, QStringLiteral("Informatie"));
    Name(StatusBalk, QStringLiteral("Statusbalk"));
    KeepFocusVisible(this, Px.Factor());
    PressButtonsOnEnter(this);
}

void THelpScherm::BuildAboutPanel()
{
    HelpPanel = new QFrame(this);
    HelpPanel->setObjectName(QStringLiteral("HelpPanel"));
    HelpPanel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    HelpPanel->setLineWidth(2);
    HelpPanel->setFont(ArialPx(Px(23)));
    HelpPanel->setAutoFillBackground(true);
    HelpPanel->setGeometry(0, 0, width(), StatusBalk->y());

    ProgramIcon = new QLabel(HelpPanel);
    ProgramIcon->setObjectName(QStringLiteral("ProgramIcon"));
    ProgramIcon->setGeometry(Px(5, 5, 238, 206));
    ProgramIcon->setPixmap(
        QPixmap::fromImage(MergeWithFace(LoadNamedBitmap(QStringLiteral("logo")), ProgramIcon->size())));

    ProgramMemo = CentredMemo(HelpPanel, ProgramMemoLines);
    ProgramMemo->setObjectName(QStringLiteral("ProgramMemo"));
    ProgramMemo->setGeometry(Px(295, 35, 296, 161));
    ProgramMemo->setFrameStyle(QFrame::NoFrame);
    ProgramMemo->setFont(ArialPx(Px(23)));
    ProgramMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    SetTextColour(ProgramMemo, clr::Black, clr::BtnFace);
    ProgramMemo->setEnabled(false);

    Label5 = new QLabel(QStringLiteral("Een oefenprogramma voor de brugklas"), HelpPanel);
    Label5->setGeometry(Px(250, 200, 360, 24));
    Label5->setFont(ArialPx(Px(19), true));
    SetTextColour(Label5, clr::Red);
    Label5->setAlignment(Qt::AlignHCenter);
    Label2 = new QLabel(QStringLiteral("Breuken  -  Procenten  -  Rekenmachine"), HelpPanel);
    Label2->setGeometry(Px(250, 224, 360, 22));
    Label2->setFont(ArialPx(Px(17)));
    SetTextColour(Label2, clr::Red);
    Label2->setAlignment(Qt::AlignHCenter);
    Label11 = new QLabel(QStringLiteral("Veel plezier en succes met oefenen !"), HelpPanel);
    Label11->setGeometry(Px(70, 248, 500, 24));
    Label11->setFont(ArialPx(Px(19), false, true));
    SetTextColour(Label11, clr::Green);
    Label11->setAlignment(Qt::AlignHCenter);

    Memo1 = CentredMemo(HelpPanel, Memo1Lines);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setFont(ArialPx(Px(18)));
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    SetTextColour(Memo1, clr::Blue, clr::White);
    const QRect m = Px(70, 273, 500, 123);
    Memo1->setGeometry(m.left(), m.top(), m.width(), std::max(Px(40), HelpPanel->height() - m.top() - Margin));
    Memo1->moveCursor(QTextCursor::Start);
    HelpPanel->hide();
}

QImage THelpScherm::AdoptLogo(const QImage& menuLogo)
{
    const QImage merged = MergeWithFace(menuLogo, menuLogo.deviceIndependentSize().toSize());
    ProgramIcon->resize(merged.deviceIndependentSize().toSize());
    ProgramIcon->setPixmap(QPixmap::fromImage(merged));
    return merged;
}

void THelpScherm::SetWindows(QWidget* mainMenu, QWidget* sessionWindow)
{
    mainMenu_ = mainMenu;
    sessionWindow_ = sessionWindow;
}

void THelpScherm::SetSurfaces(QSize textSize, QSize pictureSize, int pictureLeft)
{
    textSize_ = textSize;
    pictureSize_ = pictureSize;
    pictureLeft_ = pictureLeft;
    const int top = Round(3 * ScaleFactor);  // where paintEvent puts the surfaces
    Uitleg->setGeometry(QRect(QPoint(0, top), textSize));
    UitlegPlaatje->setGeometry(QRect(QPoint(pictureLeft, top), pictureSize));
}

void THelpScherm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    move(WorkArea().topLeft());
    // Start once the window is up, so a wait in the first run finds a painted window.
    QTimer::singleShot(0, this, [this] {
        if (isVisible())
            FormActivate();
    });
}

void THelpScherm::FormActivate()
{
    ContinueButton->hide();
    Uitleg->setVisible(tag_ >= 0);
    UitlegPlaatje->setVisible(tag_ >= 0);
    if (tag_ < 0) {
        if (mainMenu_)
            mainMenu_->hide();
        HelpPanel->show();
        HelpPanel->raise();
        return;
    }
    if (runner_.Running())
        return;
    if (sessionWindow_)
        sessionWindow_->hide();
    HelpPanel->hide();
    ++starts_;
    runner_.HelpTopic = HelpTopic;
    runner_.HelpFromMenu = HelpFromMenu;
    runner_.PixelRatio = devicePixelRatioF();
    runner_.Start(tag_, textSize_, pictureSize_);
}

void THelpScherm::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || !isVisible())
        return;
    if (!isActiveWindow()) {
        // Only another program taking the focus restarts the presentation later; our own
        // message boxes (an error, "Foutje") must not, or closing them would loop.
        restartOnActivation_ = QApplication::activeWindow() == nullptr;
    } else if (restartOnActivation_) {
        restartOnActivation_ = false;
        FormActivate();
    }
}

void THelpScherm::SetContinueVisible(bool visible, bool focus)
{
    ContinueButton->setVisible(visible);
    if (visible && focus)
        ContinueButton->setFocus();
}

void THelpScherm::Paint()
{
    update();
    Describe(Uitleg, runner_.ScratchTexts.Reading());
    Describe(UitlegPlaatje, runner_.ScratchTexts2.Reading());
}

void THelpScherm::ProcessEvents()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QThread::msleep(5);  // a wait of 90 seconds need not keep a core busy
}

void THelpScherm::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    if (tag_ < 0)
        return;
    QPainter p(this);
    const int top = Round(3 * ScaleFactor);
    if (!runner_.ScratchBitmap.IsEmpty())
        p.drawImage(0, top, runner_.ScratchBitmap.Image());
    if (!runner_.ScratchBitmap2.IsEmpty())
        p.drawImage(pictureLeft_, top, runner_.ScratchBitmap2.Image());
}

void THelpScherm::ContinueButtonClick()
{
    runner_.Doorgaan();
}

void THelpScherm::ShowCallerAgain()
{
    QWidget* caller = tag_ > 0 ? sessionWindow_ : mainMenu_;
    if (!caller)
        return;
    caller->show();
    // Once this window is gone the keyboard goes back to the caller, also without a
    // window manager to hand it over.
    QTimer::singleShot(0, caller, [caller] {
        if (caller->isVisible())
            caller->activateWindow();
    });
}

void THelpScherm::EindButtonClick()
{
    runner_.RequestStop();
    ShowCallerAgain();
    if (tag_ > 0) {
        FillBitmap(runner_.ScratchBitmap, clr::BtnFace);
        FillBitmap(runner_.ScratchBitmap2, clr::BtnFace);
    }
    HelpPanel->hide();
    restartOnActivation_ = false;
    accept();
}

void THelpScherm::reject()
{
    // Escape closes like the close box.
    runner_.RequestStop();
    ShowCallerAgain();
    restartOnActivation_ = false;
    QDialog::reject();
}

void THelpScherm::closeEvent(QCloseEvent* event)
{
    runner_.RequestStop();
    QDialog::closeEvent(event);
}

bool THelpScherm::event(QEvent* event)
{
    if (event->type() == QEvent::StatusTip) {
        StatusText->setText(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QDialog::event(event);
}

}  // namespace velmora
