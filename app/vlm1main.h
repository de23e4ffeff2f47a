#pragma once
// The main menu: seven ways into a session, the logo with the program information, and
// the help button. It also fixes the screen-dependent layout metrics for the whole run.
#include "toolkit/canvas.h"

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

    // Session category (0, 10, 20, -10), practice or test, and whether a percentage
    // button asked (those sessions offer no " Prof !" level).
    std::function<void(int tag, bool practice, bool percentages)> OpenSession;
    // about = true: the program information panel; false: the introduction.
    std::function<void(bool about)> OpenHelp;

    // Keeps " Prof !" only where the session offers it.
    static void AdjustLevelList(QStringList& items, bool percentageButton);

    // Connects the menu to the other two windows: the seven buttons open the session
    // window in their mode, the help button and the logo open the help window.
    void Connect(TTestForm& session, THelpScherm& help);
    // Brings the session window's level list in line with the button that opens it.
    static void AdjustLevelList(TTestForm& session, bool percentageButton);

    bool TerminationRequested() const { return terminate_; }
    double ContentScale() const { return scale_; }
    QPushButton* SessionButton(int index) const;  // 0..5: Button1..Button6, 6: AllesButton
    QPushButton* HelpButtonWidget() const { return HelpButton; }
    QPushButton* EindButtonWidget() const { return EindButton; }
    QString StatusText() const;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate(const QString& resourceFolder, const QRect& workArea);
    void BuildControls();
    void NameComponents();
    void DrawLogo();
    void SetGlyphs();
    void PlaceControls();
    void ButtonClick(QPushButton* sender);
    void HelpButtonClick();
    void ProgInfoPanelClick();

    QRect S(int left, int top, int width, int height) const;  // design bounds scaled
    int Px(double designPixels) const;

    double scale_ = 1.0;
    bool terminate_ = false;
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
