#pragma once
// The session window: the setup screen with level and themes, then one exercise after
// another. Handlers are thin: they pass widget events to the Session model, which calls
// back through SessionView.
#include "platform/calculator.h"
#include "session/session.h"
#include "session/sessionlayout.h"
#include "toolkit/scale.h"

#include <QDialog>
#include <QList>

#include <functional>

class QButtonGroup;
class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStyle;

namespace velmora {

class TTestForm : public QDialog, public SessionView {
    Q_OBJECT
public:
    explicit TTestForm(QWidget* mainMenu);
    ~TTestForm() override;

    // The mode a main menu button chose; the level list NivoBox then offers the levels of
    // the category (" Starter", " Durver" and, except for percentages, " Prof !").
    void SetCategory(Category category, bool practice);
    int NivoCount() const;
    // Shows the help window modally for (help window tag, topic) and returns.
    void SetHelpOpener(std::function<void(int tag, int topic)> opener) { helpOpener_ = std::move(opener); }
    Session& Model() { return session_; }
    // x of the picture paint box, for the help window.
    int PlaatjeLeft() const;
    // The status line text.
    QString StatusText() const;

    // SessionView
    void ShowBitmaps() override;
    void OpenAnswerField(const AnswerFieldSetup& setup) override;
    void ProcessEvents() override;
    void Pause(int ms, const std::function<bool()>& running) override;
    void ShowFace(const QString& name) override;
    void ShowAnswerText(const QString& text) override;
    void HideAnswerField() override;
    void ShowContinueButton(bool visible) override;
    void ShowCalculatorAdvice(const QString& info, int infoTop, bool useCalculator) override;
    void SetStatusHint(const QString& text) override;
    void SetCaption(const QString& caption) override;
    void SetScore(const QString& score) override;
    void ShowSetupScreen() override;
    void SetStartEnabled(bool enabled) override;

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void BuildControls();
    void PlaceControls();
    void NameControls();
    void SetHint(QWidget* widget, const QString& hint);

    void FormActivate();
    void StartButtonClick();
    void ContinueButtonClick();
    void NivoBoxExit();
    void NivoButtonClick();
    void CheckBox1Click(int box, bool ticked);
    void EindButtonClick();
    void HelpButtonClick();
    void CalcButtonClick();
    void InvoerVeldEnter();
    void InvoerVeldExit(bool byFocusChange);
    bool KeepsAnswerPending(QWidget* focus) const;
    void SetHelpGlyph(const QString& name);
    void AppendNivoItem(const QString& item);
    void DeleteNivoItem(int index);

    Session session_;
    Calculator calculator_;
    QWidget* mainMenu_ = nullptr;
    std::function<void(int, int)> helpOpener_;
    SessionGeometry geometry_;
    QString windowHint_;
    DesignScale Px;  // design sizes scaled to the screen
    QStyle* indicatorStyle_ = nullptr;
    int glyphLevel_ = -1;
    bool opened_ =
        false;  // shown by the main menu and not closed since  // NivoButton's tag: the level its glyph shows

    QWidget* Tekst = nullptr;    // paint box of TextBitmap
    QWidget* Plaatje = nullptr;  // paint box of PictureBitmap
    QGroupBox* KeuzeBox = nullptr;
    QCheckBox* CheckBoxes[10] = {};
    QFrame* ScorePanel = nullptr;
    QPushButton* NivoButton = nullptr;
    QLabel* ScoreTextLabel = nullptr;
    QLabel* ScoreLabel = nullptr;
    QLabel* KopImage = nullptr;
    QGroupBox* NivoBox = nullptr;
    QButtonGroup* NivoGroup = nullptr;
    QList<QRadioButton*> NivoItems;
    QPushButton* StartButton = nullptr;
    QFrame* InvoerPanel = nullptr;
    QLabel* InvoerLabel = nullptr;
    QLineEdit* InvoerVeld = nullptr;
    QFrame* GebruikPanel = nullptr;
    QLabel* infoImage = nullptr;
    QLabel* InfoLabel = nullptr;
    QPushButton* ContinueButton = nullptr;
    QFrame* StatusBalk = nullptr;
    QLabel* StatusLabel = nullptr;
    QPushButton* EindButton = nullptr;
    QPushButton* CalcButton = nullptr;
    QPushButton* HelpButton = nullptr;
};

}  // namespace velmora
