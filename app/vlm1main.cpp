#include "vlm1main.h"

#include "ui/accessibility.h"
#include "ui/widgets.h"

#include "help/vlm1help.h"
#include "platform/messages.h"
#include "platform/resources.h"
#include "session/testmain.h"
#include "toolkit/layout.h"
#include "toolkit/numbers.h"
#include "toolkit/text.h"

#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>

#include <algorithm>
#include <utility>

namespace velmora {

namespace {

const char* const ButtonCaptions[6] = {"Oefenen met &Breuken", "Oefenen met &Procenten", "Oefenen met de &Rekenmachine",
                                       "Breuken-Test",         "Procenten-Test",         "Rekenmachine-Test"};
const QString LogoText = QStringLiteral("De Dorvelse Vuziror");

QLabel* MakeLabel(QWidget* parent, const QString& text, const QColor& colour)
{
    auto* label = new QLabel(text, parent);
    SetTextColour(label, colour);
    label->setAttribute(Qt::WA_TranslucentBackground);
    return label;
}

}  // namespace

TVelm1MainForm::TVelm1MainForm(const QString& resourceFolder, const QRect& workArea, QWidget* parent) : QWidget(parent)
{
    setWindowTitle(QStringLiteral("Velmora 1"));
    FormCreate(resourceFolder, workArea);
}

void TVelm1MainForm::FormCreate(const QString& resourceFolder, const QRect& workArea)
{
    // The window covers the work area; its contents scale by the tighter of the two ratios.
    const int screenWidth = workArea.width();
    Px = DesignScale::ForWorkArea(workArea.size());
    setGeometry(workArea);
    setFixedSize(workArea.size());
    ScaleFactor = screenWidth / 640.0;
    Margin = Round(8 * ScaleFactor);
    MenuStatusFontSize = Round(Px(23) * 72.0 / 96.0);

    if (!LoadResourceLibrary(resourceFolder)) {
        ShowMessage(QStringLiteral("ERROR bij lezen van DLL"), MessageKind::Fatal);
        terminate_ = true;
    }
    BuildControls();
    setWindowTitle(QStringLiteral("Velmora 1: V2.1"));
    PlaceControls();
}

void TVelm1MainForm::BuildControls()
{
    setFont(ArialPx(Px(17)));

    StatusBalk = new QFrame(this);
    StatusBalk->setFrameStyle(QFrame::Panel | QFrame::Raised);
    StatusBalk->setGeometry(0, height() - Px(43), width(), Px(43));
    StatusBalk->setFont(ArialPx(Px(23), false, true));
    EindButton = new QPushButton(QStringLiteral("&Einde"), StatusBalk);
    EindButton->setGeometry(Px(5, 3, 106, 36));
    EindButton->setFont(ArialPx(Px(23), false, true));
    HelpButton = new QPushButton(StatusBalk);
    HelpButton->setGeometry(Px(517, 3, 111, 37));
    StatusLabel = new QLabel(QStringLiteral("Druk op één van de knoppen !"), StatusBalk);
    StatusLabel->setFont(ArialPx(Px(23), false, true));

    LogoPanel = new QFrame(this);
    LogoPanel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    LogoPanel->setGeometry(Px(4, 8, 240, 208));
    DorvMetLogo = new QLabel(LogoPanel);
    DorvMetLogo->setGeometry(0, 0, LogoPanel->width(), LogoPanel->height());
    DorvMetLogo->setCursor(Qt::PointingHandCursor);

    ProgInfoPanel = new QFrame(this);
    ProgInfoPanel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    ProgInfoPanel->setGeometry(Px(250, 8, 380, 208));
    ProgInfoPanel->setCursor(Qt::PointingHandCursor);
    Label1 = MakeLabel(ProgInfoPanel, QStringLiteral("7"), clr::Yellow);  // behind the name
    Label1->setFont(ArialPx(Px(122)));
    Label1->setGeometry(Px(160), Px(-9), Px(80), Px(140));
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ProgNaamLabel = MakeLabel(ProgInfoPanel, QStringLiteral("Velmora deel 1"), clr::Black);
    ProgNaamLabel->setFont(ArialPx(Px(37)));
    ProgNaamLabel->setGeometry(Px(80, 5, 218, 84));
    ProgNaamLabel->setAlignment(Qt::AlignCenter);
    ProgNaamLabel->setWordWrap(true);
    VersieLabel = MakeLabel(ProgInfoPanel, QString(), clr::Red);
    VersieLabel->setFont(ArialPx(Px(17)));
    VersieLabel->move(Px(285), Px(57));
    DatumLabel = MakeLabel(ProgInfoPanel, QString(), clr::Black);
    DatumLabel->setFont(ArialPx(Px(15)));
    DatumLabel->move(Px(260), Px(182));

    GroupBox2 = new QGroupBox(QStringLiteral("  Maak een keuze  :  Oefenen of test  "), this);
    GroupBox2->setGeometry(Px(4, 220, 497, 194));
    GroupBox2->setFont(ArialPx(Px(17), true));
    SetTextColour(GroupBox2, clr::Blue);
    for (int i = 0; i < 6; ++i) {
        auto* button = new QPushButton(QString::fromUtf8(ButtonCaptions[i]), GroupBox2);
        const int column = i / 3;
        button->setGeometry(column == 0 ? Px(5, 22 + 59 * (i % 3), 300, 45) : Px(310, 22 + 59 * (i % 3), 181, 45));
        button->setFont(ArialPx(Px(14)));
        SetTextColour(button, clr::Blue);
        button->setProperty("tag", i % 3);
        connect(button, &QPushButton::clicked, this, [this, button] { ButtonClick(button); });
        Buttons[i] = button;
    }

    Panel1 = new QFrame(this);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setGeometry(Px(515, 229, 106, 185));
    Label2 = MakeLabel(Panel1, QStringLiteral("Grote uitdaging:"), clr::Red);
    Label2->setFont(ArialPx(Px(19)));
    Label2->setGeometry(0, Px(4), Panel1->width(), Px(46));
    Label2->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label2->setWordWrap(true);
    AllesButton = new QPushButton(Panel1);
    AllesButton->setGeometry(Px(25, 51, 60, 65));
    AllesButton->setProperty("tag", -1);
    connect(AllesButton, &QPushButton::clicked, this, [this] { ButtonClick(AllesButton); });
    Label4 = MakeLabel(Panel1, QStringLiteral("Alles door elkaar"), clr::Red);
    Label4->setFont(ArialPx(Px(19)));
    Label4->setGeometry(0, AllesButton->geometry().bottom() + Px(6), Panel1->width(), Px(50));
    Label4->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label4->setWordWrap(true);

    NameComponents();
    VersieLabel->setText(QStringLiteral("V2.1"));
    VersieLabel->adjustSize();
    DatumLabel->setText(QStringLiteral("augustus 2003"));
    DatumLabel->adjustSize();

    connect(EindButton, &QPushButton::clicked, this, &QWidget::close);
    connect(HelpButton, &QPushButton::clicked, this, [this] { HelpButtonClick(); });
    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(help, &QShortcut::activated, this, [this] { HelpButtonClick(); });
    MakeAccessible();
    for (QWidget* w : {static_cast<QWidget*>(DorvMetLogo), static_cast<QWidget*>(ProgInfoPanel),
                       static_cast<QWidget*>(ProgNaamLabel), static_cast<QWidget*>(Label1),
                       static_cast<QWidget*>(VersieLabel), static_cast<QWidget*>(DatumLabel)})
        w->installEventFilter(this);
}

void TVelm1MainForm::MakeAccessible()
{
    Name(HelpButton, QStringLiteral("Help"));
    Name(AllesButton, QStringLiteral("Alles door elkaar"));
    Name(DorvMetLogo, LogoText);
    Name(ProgInfoPanel, QStringLiteral("Over het programma"));
    Name(StatusBalk, QStringLiteral("Statusbalk"));
    // Tab goes through the choices first, then the bar; the first choice has the focus.
    QList<QWidget*> order;
    for (QPushButton* button : Buttons)
        order << button;
    ProgInfoPanel->setFocusPolicy(Qt::TabFocus);
    order << AllesButton << HelpButton << EindButton << ProgInfoPanel;
    ChainTabOrder(order);
    Buttons[0]->setFocus(Qt::OtherFocusReason);
    KeepFocusVisible(this, Px.Factor());
    PressButtonsOnEnter(this);
}

void TVelm1MainForm::NameComponents()
{
    const std::pair<QObject*, const char*> names[] = {
        {StatusBalk, "StatusBalk"}, {EindButton, "EindButton"},       {HelpButton, "HelpButton"},
        {LogoPanel, "LogoPanel"},   {DorvMetLogo, "DorvMetLogo"},     {ProgInfoPanel, "ProgInfoPanel"},
        {Label1, "Label1"},         {ProgNaamLabel, "ProgNaamLabel"}, {VersieLabel, "VersieLabel"},
        {DatumLabel, "DatumLabel"}, {GroupBox2, "GroupBox2"},         {Panel1, "Panel1"},
        {Label2, "Label2"},         {AllesButton, "AllesButton"},     {Label4, "Label4"}};
    for (const auto& [object, name] : names)
        object->setObjectName(QString::fromLatin1(name));
    for (int i = 0; i < 6; ++i)
        Buttons[i]->setObjectName(QStringLiteral("Button%1").arg(i + 1));
}

void TVelm1MainForm::MakePictures()
{
    if (std::exchange(picturesMade_, true))
        return;
    DrawLogo();
    SetGlyphs();
}

void TVelm1MainForm::DrawLogo()
{
    const int pw = LogoPanel->width();
    const int ph = LogoPanel->height();
    Bitmap logo(pw, ph, devicePixelRatioF());
    FillBitmap(logo, clr::BtnFace);
    const QImage copy = LoadNamedBitmapAtRatio(QStringLiteral("logo"), 1, logo.DevicePixelRatio());
    if (!copy.isNull())
        logo.StretchDraw(0, 0, pw, Round(static_cast<double>(copy.height()) / copy.width() * pw), copy);
    // The largest size at which the name still fits the panel width.
    logo.Font = FontState{};
    logo.Font.Color = clr::Black;
    logo.Font.Size = LargestFittingSize(logo, LogoText, pw - 3 * ScaleFactor, Round(17 * 72.0 / 96.0), 200);
    logo.TextOut((pw - logo.TextWidth(LogoText)) / 2 + Round(ScaleFactor),
                 ph - logo.TextHeight(QStringLiteral("Dorv")) - Round(4 * ScaleFactor), LogoText);
    // The same picture the help window's about panel shows (its white parts in the face colour),
    // from the first paint on.
    DorvMetLogo->setPixmap(QPixmap::fromImage(MergeWithFace(logo.Image(), QSize(pw, ph))));
}

void TVelm1MainForm::SetGlyphs()
{
    // The winner first fills 0.9 of the button, then takes its final place-holding size.
    const double ratio = devicePixelRatioF();  // glyphs carry the screen's detail
    const QPixmap winner = FittedGlyph(QStringLiteral("winner"), Round(AllesButton->width() * 0.9), ratio);
    if (!winner.isNull()) {
        const QSize glyph(Round(50 * ScaleFactor), Round(57 * ScaleFactor));
        QPixmap icon = winner.scaled(glyph * ratio, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        icon.setDevicePixelRatio(ratio);
        AllesButton->setIcon(QIcon(icon));
        AllesButton->setIconSize(glyph);
    }
    const QPixmap info = FittedGlyph(QStringLiteral("info"), Round(HelpButton->width() * 0.8), ratio);
    if (!info.isNull()) {
        HelpButton->setIcon(QIcon(info));
        HelpButton->setIconSize(info.deviceIndependentSize().toSize().boundedTo(HelpButton->size() - QSize(4, 4)));
    }
}

void TVelm1MainForm::PlaceControls()
{
    const int clientWidth = width();
    HelpButton->move(clientWidth - HelpButton->width() - Margin, HelpButton->y());
    StatusLabel->setGeometry(EindButton->geometry().right() + Margin, 0,
                             HelpButton->x() - EindButton->geometry().right() - 2 * Margin, StatusBalk->height());
    ProgInfoPanel->move(clientWidth - Margin - ProgInfoPanel->width(), ProgInfoPanel->y());
    Panel1->move(clientWidth - Margin - Panel1->width(), Panel1->y());
    const int infoBottom = ProgInfoPanel->y() + ProgInfoPanel->height();
    GroupBox2->move(GroupBox2->x(), infoBottom + (StatusBalk->y() - infoBottom - GroupBox2->height()) / 2);
    GroupBox2->resize(clientWidth - 3 * Margin - Panel1->width(), GroupBox2->height());
    for (int i = 3; i < 6; ++i)
        Buttons[i]->resize(GroupBox2->width() - Margin - Buttons[i]->x(), Buttons[i]->height());
    Panel1->move(Panel1->x(), GroupBox2->y() + GroupBox2->height() - Panel1->height());
}

void TVelm1MainForm::Connect(TTestForm& session, THelpScherm& help)
{
    help.SetWindows(this, &session);
    MakePictures();  // the menu's logo has the face colour already; the about panel shows it too
    help.AdoptLogo(DorvMetLogo->pixmap().toImage());
    const Session& model = session.Model();
    help.SetSurfaces(QSize(model.TextBitmap.Width(), model.TextBitmap.Height()),
                     QSize(model.PictureBitmap.Width(), model.PictureBitmap.Height()), session.PlaatjeLeft());
    OpenSession = [&session](Category category, bool practice) {
        session.SetCategory(category, practice);
        session.exec();
    };
    OpenHelp = [&help](bool about) {
        help.setWindowTitle(QStringLiteral("Velmora deel 1: Aanvullende informatie"));
        help.SetTag(about ? -1 : 0);
        if (!about) {
            help.SetHelpFromMenu(true);
            help.SetHelpTopic(0);
        }
        help.exec();
        help.SetHelpFromMenu(false);
    };
    session.SetHelpOpener([&help](int tag, int topic) {
        help.SetTag(tag);
        help.SetHelpTopic(topic);
        help.exec();
    });
}

void TVelm1MainForm::ButtonClick(QPushButton* sender)
{
    const Category category = CategoryOfTag(sender->property("tag").toInt() * 10);
    const bool practice = sender == Buttons[0] || sender == Buttons[1] || sender == Buttons[2];
    EnsureWindows();
    if (OpenSession)
        OpenSession(category, practice);
}

void TVelm1MainForm::EnsureWindows()
{
    // Taken out before the call: building the windows sets the openers, never this again.
    if (const auto build = std::exchange(BuildWindows, nullptr))
        build();
}

void TVelm1MainForm::HelpButtonClick()
{
    EnsureWindows();
    if (OpenHelp)
        OpenHelp(false);
}

void TVelm1MainForm::ProgInfoPanelClick()
{
    EnsureWindows();
    if (OpenHelp)
        OpenHelp(true);
}

QPushButton* TVelm1MainForm::SessionButton(int index) const
{
    if (index >= 0 && index < 6)
        return Buttons[index];
    return index == 6 ? AllesButton : nullptr;
}

QString TVelm1MainForm::StatusText() const
{
    return StatusLabel->text();
}

void TVelm1MainForm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    move(0, 0);
    if (terminate_)
        QTimer::singleShot(0, this, &QWidget::close);
}

void TVelm1MainForm::paintEvent(QPaintEvent* event)
{
    // The logo and the two glyphs are drawn when the menu is first painted, which is before
    // its controls are: they are in its first frame, and the window is on the screen sooner.
    MakePictures();
    QWidget::paintEvent(event);
}

bool TVelm1MainForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        ProgInfoPanelClick();
        return true;
    }
    // The program information is reached by keyboard too: Tab to the panel, then Enter or Space.
    if (watched == ProgInfoPanel && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
            ProgInfoPanelClick();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace velmora
