#include "testmain.h"

#include "ui/accessibility.h"
#include "ui/widgets.h"

#include "platform/resources.h"
#include "platform/system.h"
#include "toolkit/layout.h"
#include "toolkit/numbers.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QEventLoop>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace velmora {

// A paint box shows one of the session's off-screen bitmaps at (0, 0).
class PaintBox : public QWidget {
public:
    PaintBox(const Bitmap& bitmap, QWidget* parent) : QWidget(parent), bitmap_(bitmap) {}

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        if (!bitmap_.IsEmpty())
            painter.drawImage(0, 0, bitmap_.Image());
    }

private:
    const Bitmap& bitmap_;
};

namespace {

QFrame* MakePanel(QWidget* parent)
{
    auto* panel = new QFrame(parent);
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Raised);
    panel->setAutoFillBackground(true);
    return panel;
}

}  // namespace

TTestForm::TTestForm(QWidget* mainMenu) : QDialog(nullptr), mainMenu_(mainMenu)
{
    setObjectName(QStringLiteral("TestForm"));
    FormCreate();
}

TTestForm::~TTestForm()
{
    session_.SetView(nullptr);
    calculator_.ReleaseTopmost();
}

void TTestForm::FormCreate()
{
    const QRect work = WorkArea();
    geometry_ = ComputeSessionGeometry(work.size(), SessionScale(work.size()));
    Px = DesignScale(geometry_.Factor);
    resize(work.size());
    setFixedSize(work.size());
    QPalette face = palette();
    face.setColor(QPalette::Window, clr::BtnFace);
    face.setColor(QPalette::Button, clr::BtnFace);
    setPalette(face);
    setFont(ArialPx(Px(16)));
    session_.Running = false;
    BuildControls();
    PlaceControls();
    geometry_.PixelRatio = devicePixelRatioF();  // the bitmaps are drawn at the screen's resolution
    ApplySessionMetrics(geometry_, session_);
    session_.TextTexts.Listen(session_.TextBitmap);
    session_.PictureTexts.Listen(session_.PictureBitmap);
    QFont status = StatusLabel->font();
    status.setPointSize(RefFontSize);
    StatusLabel->setFont(status);
    session_.SetView(this);
}

void TTestForm::BuildControls()
{
    Tekst = new PaintBox(session_.TextBitmap, this);
    Plaatje = new PaintBox(session_.PictureBitmap, this);

    KeuzeBox = new QGroupBox(QStringLiteral("Keuze - lijst "), this);
    KeuzeBox->setFont(ArialPx(Px(18)));
    SetTextColour(KeuzeBox, clr::Purple);
    KeuzeBox->setAutoFillBackground(true);
    indicatorStyle_ = ScaledIndicatorStyle(this, Px.Factor());
    const int boxTops[10] = {30, 67, 104, 142, 179, 216, 253, 291, 328, 365};
    for (int k = 0; k < 10; ++k) {
        auto* box = new QCheckBox(KeuzeBox);
        box->setObjectName(QStringLiteral("CheckBox%1").arg(k + 1));
        box->setProperty("Tag", k + 1);
        box->setFont(ArialPx(Px(16)));
        SetTextColour(box, clr::Black);
        box->move(Px(20), Px(boxTops[k]));
        ScaleIndicator(box, indicatorStyle_);
        CheckBoxes[k] = box;
        // Toggled, not clicked: ticking through the accessible action must count as well.
        connect(box, &QCheckBox::toggled, this, [this, k](bool on) { CheckBox1Click(k + 1, on); });
    }

    NivoBox = new QGroupBox(QStringLiteral("Kies het niveau"), this);
    NivoBox->setFont(ArialPx(Px(17), true));
    SetTextColour(NivoBox, clr::Purple);
    NivoBox->setAutoFillBackground(true);
    auto* nivoLayout = new QVBoxLayout(NivoBox);
    nivoLayout->setContentsMargins(Px(8), Px(4), Px(8), Px(4));
    NivoGroup = new QButtonGroup(this);
    for (const char* item : {" Starter", " Durver", " Prof !"})
        AppendNivoItem(QString::fromUtf8(item));
    connect(NivoGroup, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (!checked)
            return;
        session_.SetLevelIndex(id);
        NivoBoxExit();
    });

    ScorePanel = MakePanel(this);
    NivoButton = new QPushButton(ScorePanel);
    NivoButton->setProperty("Tag", -1);
    ScoreTextLabel = new QLabel(QStringLiteral("SCORE"), ScorePanel);
    SetTextColour(ScoreTextLabel, clr::Green);
    ScoreTextLabel->setFont(ArialPx(Px(16), true));
    ScoreTextLabel->setAlignment(Qt::AlignCenter);
    ScoreLabel = new QLabel(QStringLiteral("999 uit 999"), ScorePanel);
    ScoreLabel->setAlignment(Qt::AlignCenter);
    KopImage = new QLabel(ScorePanel);
    KopImage->setScaledContents(true);

    StartButton = new QPushButton(QStringLiteral("&START"), this);
    StartButton->setFont(ArialPx(Px(20), true));
    SetTextColour(StartButton, clr::Blue);

    InvoerPanel = MakePanel(this);
    InvoerLabel = new QLabel(QStringLiteral("??????"), InvoerPanel);
    InvoerLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    InvoerVeld = new QLineEdit(InvoerPanel);
    InvoerVeld->setFont(ArialPx(Px(14)));
    InvoerVeld->installEventFilter(this);

    GebruikPanel = MakePanel(this);
    infoImage = new QLabel(GebruikPanel);
    infoImage->setScaledContents(true);
    InfoLabel = new QLabel(QStringLiteral("Gebruik:  Pen, Papier en event. een Rekenmachine"), GebruikPanel);
    InfoLabel->setFont(ArialPx(Px(13)));
    SetTextColour(InfoLabel, clr::Maroon);
    InfoLabel->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    InfoLabel->setWordWrap(true);

    ContinueButton = new QPushButton(QStringLiteral("&Doorgaan"), this);
    ContinueButton->setFont(ArialPx(Px(20), true));
    ContinueButton->hide();
    ContinueButton->installEventFilter(this);

    StatusBalk = MakePanel(this);
    StatusLabel = new QLabel(StatusBalk);
    StatusLabel->setFont(ArialPx(geometry_.StatusFontPixels, false, true));
    EindButton = new QPushButton(QStringLiteral("&Einde"), StatusBalk);
    EindButton->setFont(ArialPx(Px(23), false, true));
    CalcButton = new QPushButton(StatusBalk);
    HelpButton = new QPushButton(StatusBalk);

    const std::pair<QWidget*, const char*> names[] = {{Tekst, "Tekst"},
                                                      {Plaatje, "Plaatje"},
                                                      {KeuzeBox, "KeuzeBox"},
                                                      {ScorePanel, "ScorePanel"},
                                                      {NivoButton, "NivoButton"},
                                                      {ScoreTextLabel, "ScoreTextLabel"},
                                                      {ScoreLabel, "ScoreLabel"},
                                                      {KopImage, "KopImage"},
                                                      {NivoBox, "NivoBox"},
                                                      {StartButton, "StartButton"},
                                                      {InvoerPanel, "InvoerPanel"},
                                                      {InvoerLabel, "InvoerLabel"},
                                                      {InvoerVeld, "InvoerVeld"},
                                                      {GebruikPanel, "GebruikPanel"},
                                                      {infoImage, "infoImage"},
                                                      {InfoLabel, "InfoLabel"},
                                                      {ContinueButton, "ContinueButton"},
                                                      {StatusBalk, "StatusBalk"},
                                                      {StatusLabel, "StatusLabel"},
                                                      {EindButton, "EindButton"},
                                                      {CalcButton, "CalcButton"},
                                                      {HelpButton, "HelpButton"}};
    for (const auto& [widget, name] : names)
        widget->setObjectName(QString::fromLatin1(name));

    SetHint(KeuzeBox, QStringLiteral("|Kies nivo, thema's en druk op START"));
    SetHint(NivoBox, QStringLiteral("|Klik het juiste nivo aan"));
    SetHint(StartButton, QStringLiteral("|Druk op Start om te beginnen"));
    SetHint(InvoerVeld, QStringLiteral("|Breuken zijn toegestaan!"));
    SetHint(ContinueButton, QStringLiteral("Nieuwe opgave|Druk op  'Doorgaan'  of  'Einde'"));

    connect(StartButton, &QPushButton::clicked, this, [this] { StartButtonClick(); });
    connect(ContinueButton, &QPushButton::clicked, this, [this] { ContinueButtonClick(); });
    connect(NivoButton, &QPushButton::clicked, this, [this] { NivoButtonClick(); });
    connect(EindButton, &QPushButton::clicked, this, [this] { EindButtonClick(); });
    connect(HelpButton, &QPushButton::clicked, this, [this] { HelpButtonClick(); });
    connect(CalcButton, &QPushButton::clicked, this, [this] { CalcButtonClick(); });
    // Enter presses the focused button, as pupils expect after an answer.
    for (QPushButton* button : {StartButton, ContinueButton, NivoButton, EindButton, HelpButton, CalcButton})
        button->setAutoDefault(true);
    NameControls();
}

void TTestForm::NameControls()
{
    Name(Tekst, QStringLiteral("Opgave"));
    Name(Plaatje, QStringLiteral("Plaatje bij de opgave"));
    Name(NivoButton, QStringLiteral("Niveau"));
    Name(CalcButton, QStringLiteral("Rekenmachine"));
    Name(HelpButton, QStringLiteral("Help"));
    Name(KopImage, QStringLiteral("Gezicht"));
    Name(infoImage, QStringLiteral("Informatie"));
    Name(ScorePanel, QStringLiteral("Score"));
    Name(InvoerPanel, QStringLiteral("Antwoord"));
    Name(GebruikPanel, QStringLiteral("Hulpmiddelen"));
    Name(StatusBalk, QStringLiteral("Statusbalk"));

    // Tab runs through the setup in reading order, then the run's controls, then the bar.
    QList<QWidget*> order;
    for (QRadioButton* radio : NivoItems)
        order << radio;
    for (QCheckBox* box : CheckBoxes)
        order << box;
    order << StartButton << InvoerVeld << ContinueButton << NivoButton << EindButton << CalcButton << HelpButton;
    ChainTabOrder(order);
    KeepFocusVisible(this, Px.Factor());
    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(help, &QShortcut::activated, this, [this] {
        if (HelpButton->isVisibleTo(this) && HelpButton->isEnabled())
            HelpButtonClick();
    });
}

void TTestForm::PlaceControls()
{
    const SessionGeometry& g = geometry_;
    Tekst->setGeometry(g.Tekst);
    Plaatje->setGeometry(g.Plaatje);
    KeuzeBox->setGeometry(g.KeuzeBox);
    for (QCheckBox* box : CheckBoxes)
        box->resize(g.KeuzeBox.width() - 2 * Px(20), Px(25));
    ScorePanel->setGeometry(g.ScorePanel);
    NivoButton->setGeometry(Px(4, 3, 71, 49));
    ScoreTextLabel->setGeometry(Px(78, 4, 90, 22));
    ScoreLabel->setGeometry(Px(78, 28, 90, 22));
    KopImage->setGeometry(Px(170, 4, 49, 49));
    NivoBox->setGeometry(g.NivoBox);
    StartButton->setGeometry(g.StartButton);
    InvoerPanel->setGeometry(g.InvoerPanel);
    InvoerLabel->setGeometry(Px(2, 9, 139, 24));
    InvoerVeld->setGeometry(Px(143, 9, 78, 24));
    GebruikPanel->setGeometry(g.GebruikPanel);
    infoImage->setGeometry(Px(3, 3, 29, 29));
    InfoLabel->setGeometry(Px(34), Px(1), Px(186), Px(33));
    ContinueButton->setGeometry(g.ContinueButton);
    StatusBalk->setGeometry(g.StatusBalk);
    EindButton->setGeometry(Px(5, 3, 106, 36));
    HelpButton->setGeometry(Px(517, 3, 111, 37));
    HelpButton->move(width() - HelpButton->width() - Margin, HelpButton->y());
    SetHelpGlyph(QStringLiteral("info"));

    const double ratio = devicePixelRatioF();  // glyphs carry the screen's detail
    const QImage calc = LoadNamedBitmapAtRatio(QStringLiteral("calc"), 1, ratio);
    const int glyph = Round(ScaleFactor * (calc.isNull() ? 24 : calc.deviceIndependentSize().width()));
    CalcButton->setGeometry(HelpButton->x() - Margin - (glyph + Px(10)), Px(3), glyph + Px(10), Px(37));
    if (!calc.isNull()) {
        QImage icon = calc.scaled(QSize(glyph, glyph) * ratio);
        icon.setDevicePixelRatio(ratio);
        CalcButton->setIcon(QIcon(QPixmap::fromImage(icon)));
        CalcButton->setIconSize(QSize(glyph, glyph));
    }
    const int statusLeft = EindButton->geometry().right() + Margin;
    StatusLabel->setGeometry(statusLeft, 0, CalcButton->x() - Margin - statusLeft, StatusBalk->height());
    const QPixmap info = FittedGlyph(QStringLiteral("info"), infoImage->width(), ratio);
    if (!info.isNull())
        infoImage->setPixmap(info);
    InvoerPanel->hide();
    GebruikPanel->hide();
    CalcButton->hide();
}

void TTestForm::SetHelpGlyph(const QString& name)
{
    const QPixmap glyph = FittedGlyph(name, Round(HelpButton->width() * 0.8), devicePixelRatioF());
    if (glyph.isNull())
        return;
    HelpButton->setIcon(QIcon(glyph));
    HelpButton->setIconSize(glyph.deviceIndependentSize().toSize().boundedTo(HelpButton->size() - QSize(4, 4)));
}

void TTestForm::SetHint(QWidget* widget, const QString& hint)
{
    widget->setProperty("Hint", hint);
    widget->installEventFilter(this);
}

// --- public API

void TTestForm::SetCategory(Category category, bool practice)
{
    session_.SetCategory(category, practice);
    static const char* const levels[] = {" Starter", " Durver", " Prof !"};
    while (NivoCount() < session_.LevelCount())
        AppendNivoItem(QString::fromUtf8(levels[NivoCount()]));
    while (NivoCount() > session_.LevelCount())
        DeleteNivoItem(NivoCount() - 1);
}

int TTestForm::NivoCount() const
{
    return static_cast<int>(NivoItems.size());
}

void TTestForm::AppendNivoItem(const QString& item)
{
    auto* radio = new QRadioButton(item, NivoBox);
    radio->setFont(ArialPx(Px(16)));
    ScaleIndicator(radio, indicatorStyle_);
    SetTextColour(radio, clr::Black);
    NivoGroup->addButton(radio, static_cast<int>(NivoItems.size()));
    NivoBox->layout()->addWidget(radio);
    NivoItems << radio;
}

void TTestForm::DeleteNivoItem(int index)
{
    if (index < 0 || index >= NivoItems.size())
        return;
    QRadioButton* radio = NivoItems.takeAt(index);
    NivoGroup->removeButton(radio);
    delete radio;
    for (int i = 0; i < NivoItems.size(); ++i)
        NivoGroup->setId(NivoItems[i], i);
}

int TTestForm::PlaatjeLeft() const
{
    return Plaatje->x();
}

QString TTestForm::StatusText() const
{
    return StatusLabel->text();
}

// --- SessionView

void TTestForm::ShowBitmaps()
{
    Tekst->update();
    Plaatje->update();
    // A screen reader reads the drawn texts, and hears the verdict when it appears.
    Describe(Tekst, session_.TextTexts.Reading());
    Describe(Plaatje, session_.PictureTexts.Reading());
}

void TTestForm::OpenAnswerField(const AnswerFieldSetup& setup)
{
    Tekst->show();
    InvoerLabel->setText(setup.Label);
    QString name = setup.Label.trimmed();
    if (name.endsWith(QLatin1Char(':')))
        name.chop(1);
    Name(InvoerVeld, name.trimmed().isEmpty() ? QStringLiteral("Antwoord") : name.trimmed());
    Describe(InvoerVeld, setup.Hint.mid(setup.Hint.indexOf(QLatin1Char('|')) + 1));
    InvoerVeld->setProperty("Tag", setup.Kind);
    InvoerVeld->setProperty("Hint", setup.Hint);
    InvoerVeld->setText(setup.Text);
    InvoerPanel->move(InvoerPanel->x(), setup.PanelTop);
    InvoerPanel->show();
    InvoerPanel->raise();
    GebruikPanel->move(GebruikPanel->x(), InvoerPanel->y() + InvoerPanel->height() + 1);
    GebruikPanel->show();
    GebruikPanel->raise();
    InvoerVeld->setEnabled(true);
    InvoerVeld->setFocus(Qt::OtherFocusReason);
    InvoerVeld->selectAll();
}

void TTestForm::ProcessEvents()
{
    QCoreApplication::processEvents();
}

void TTestForm::Pause(int ms, const std::function<bool()>& running)
{
    // A nested event loop keeps the window responsive without spinning; Einde ends the run
    // and the animation stops at the next frame.
    if (!running())
        return;
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

void TTestForm::ShowFace(const QString& name)
{
    const QImage face = LoadNamedBitmapAtRatio(name, 1, devicePixelRatioF());
    KopImage->setPixmap(QPixmap::fromImage(face));
    Name(KopImage,
         name == QLatin1String("sad") ? QStringLiteral("Verdrietig gezicht") : QStringLiteral("Blij gezicht"));
}

void TTestForm::ShowAnswerText(const QString& text)
{
    if (InvoerVeld->text() != text)
        InvoerVeld->setText(text);
}

void TTestForm::HideAnswerField()
{
    InvoerPanel->hide();
    GebruikPanel->hide();
}

void TTestForm::ShowContinueButton(bool visible)
{
    if (!visible) {
        ContinueButton->hide();
        return;
    }
    ContinueButton->move(ContinueButton->x(), ScorePanel->y() - ContinueButton->height() - 1);
    ContinueButton->show();
    ContinueButton->raise();
    ContinueButton->setFocus(Qt::OtherFocusReason);
}

void TTestForm::ShowCalculatorAdvice(const QString& info, int infoTop, bool useCalculator)
{
    InfoLabel->setText(info);
    InfoLabel->move(InfoLabel->x(), infoTop);
    CalcButton->setVisible(useCalculator);
    if (useCalculator)
        calculator_.ShowWithoutActivating();
    else
        calculator_.Hide();
}

void TTestForm::SetStatusHint(const QString& text)
{
    windowHint_ = text;
    StatusLabel->setText(text);
}

void TTestForm::SetCaption(const QString& caption)
{
    setWindowTitle(caption);
}

void TTestForm::SetScore(const QString& score)
{
    ScoreLabel->setText(score);
    Name(ScoreLabel, QStringLiteral("Score: ") + score);
}

void TTestForm::SetStartEnabled(bool enabled)
{
    StartButton->setEnabled(enabled);
}

}  // namespace velmora
