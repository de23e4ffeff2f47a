#pragma once
// The help window: the program information panel (negative Tag) or an illustrated
// presentation from "demo" + (Tag mod 5) + ".txt" (Tag 0 or more). The window only
// shows what HelpRunner draws and forwards Doorgaan and Einde to it.
#include "help/runner.h"
#include "toolkit/scale.h"

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;
class QTextEdit;

namespace velmora {

class THelpScherm : public QDialog, public HelpView {
    Q_OBJECT
public:
    explicit THelpScherm(QWidget* parent = nullptr);

    // Set by the caller before every showing.
    void SetTag(int tag) { tag_ = tag; }
    int Tag() const { return tag_; }
    int HelpTopic = 0;          // the topic (hundreds of the line numbers) to play
    bool HelpFromMenu = false;  // opened by the main menu's help button: stop at line 100
    void SetHelpTopic(int topic) { HelpTopic = topic; }
    void SetHelpFromMenu(bool fromMenu) { HelpFromMenu = fromMenu; }
    // The windows hidden while help runs and shown again on closing: the main menu for
    // Tag 0 or less, the session window otherwise. Either may be null.
    void SetWindows(QWidget* mainMenu, QWidget* sessionWindow);
    // The main menu's logo with its line of text becomes the about panel's picture, its
    // white parts in the face colour; the merged picture is returned for the menu as well.
    QImage AdoptLogo(const QImage& menuLogo);
    // Sizes of the session window's TextBitmap and PictureBitmap, and the x of its Plaatje.
    void SetSurfaces(QSize textSize, QSize pictureSize, int pictureLeft);

    HelpRunner& Runner() { return runner_; }
    int PresentationStarts() const { return starts_; }
    double ContentScale() const { return Px.Factor(); }

    // HelpView
    void SetContinueVisible(bool visible, bool focus) override;
    void Paint() override;
    void ProcessEvents() override;
    void PressEindButton() override { EindButtonClick(); }

    // Components, by their names, for the callers' and the tests' eyes.
    QFrame* HelpPanel = nullptr;
    QLabel* ProgramIcon = nullptr;
    QTextEdit* ProgramMemo = nullptr;
    QTextEdit* Memo1 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label11 = nullptr;
    QFrame* StatusBalk = nullptr;
    QLabel* StatusText = nullptr;
    QPushButton* EindButton = nullptr;
    QPushButton* ContinueButton = nullptr;
    // Over the two surfaces, for screen readers: named, and described by the texts drawn there.
    QWidget* Uitleg = nullptr;
    QWidget* UitlegPlaatje = nullptr;

public Q_SLOTS:
    void EindButtonClick();
    void ContinueButtonClick();
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    void FormCreate();
    void BuildAboutPanel();
    void FormActivate();
    void ShowCallerAgain();

    HelpRunner runner_{*this};
    int tag_ = 0;
    DesignScale Px;  // design sizes scaled to the screen
    QWidget* mainMenu_ = nullptr;
    QWidget* sessionWindow_ = nullptr;
    QSize textSize_, pictureSize_;
    int pictureLeft_ = 0;
    bool restartOnActivation_ = false;
    int starts_ = 0;
};

}  // namespace velmora
