#pragma once
// The main menu: seven ways into a session, the logo with the program information, and
// the help button. It also fixes the screen-dependent layout metrics for the whole run.
#include "session/theme.h"
#include "toolkit/canvas.h"
#include "toolkit/scale.h"

#include <QWidget>

#include <functional>

class QLabel;
class QPushButton;
class QGroupBox;
class QFrame;

namespace velmora {

class TTestForm;
class THelpScherm;

class TVelm1MainForm : public QWidget {
    Q_OBJECT
public:
    // resourceFolder holds the resource library; workArea is the screen without task bar.
    TVelm1MainForm(const QString& resourceFolder, const QRect& workArea, QWidget* parent = nullptr);

    // The session category and practice or test, as the button chose them.
    std::function<void(Category category, bool practice)> OpenSession;
    // about = true: the program information panel; false: the introduction.
    std::function<void(bool about)> OpenHelp;

    // Connects the menu to the other two windows: the seven buttons open the session
    // window in their mode, the help button and the logo open the help window.
    void Connect(TTestForm& session, THelpScherm& help);
    // Called once, before the first window opens from the menu: the program builds the other
    // two windows there (and connects them) instead of before the menu is shown.
    std::function<void()> BuildWindows;

    bool TerminationRequested() const { return terminate_; }
    double ContentScale() const { return Px.Factor(); }
    QPushButton* SessionButton(int index) const;  // 0..5: Button1..Button6, 6: AllesButton
    QPushButton* HelpButtonWidget() const { return HelpButton; }
    QPushButton* EindButtonWidget() const { return EindButton; }
    QString StatusText() const;

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate(const QString& resourceFolder, const QRect& workArea);
    void BuildControls();
    void NameComponents();
    void MakeAccessible();
    void MakePictures();
    void DrawLogo();
    void SetGlyphs();
    void PlaceControls();
    void ButtonClick(QPushButton* sender);
    void EnsureWindows();
    void HelpButtonClick();
    void ProgInfoPanelClick();

    DesignScale Px;  // design sizes scaled to the screen
    bool terminate_ = false;
    bool picturesMade_ = false;
    Bitmap ScratchBitmap;

    QFrame* StatusBalk = nullptr;
    QLabel* StatusLabel = nullptr;
    QPushButton* EindButton = nullptr;
    QPushButton* HelpButton = nullptr;
    QFrame* LogoPanel = nullptr;
    QLabel* DorvMetLogo = nullptr;
    QFrame* ProgInfoPanel = nullptr;
    QLabel* ProgNaamLabel = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* VersieLabel = nullptr;
    QLabel* DatumLabel = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    QPushButton* Buttons[6] = {};
    QFrame* Panel1 = nullptr;
    QLabel* Label2 = nullptr;
    QPushButton* AllesButton = nullptr;
    QLabel* Label4 = nullptr;
};

}  // namespace velmora
