// Velmora 1: a mathematics trainer for the first year of secondary school.
#include "app/vlm1main.h"
#include "help/vlm1help.h"
#include "platform/messages.h"
#include "platform/resources.h"
#include "platform/system.h"
#include "session/testmain.h"
#include "ui/messagebox.h"

#include <QApplication>
#include <QIcon>
#include <QTimer>

#include <memory>

using namespace velmora;

int main(int argc, char* argv[])
{
    FontConfigWarmUp fonts;
    QApplication app(argc, argv);
    fonts.Wait();
    QApplication::setApplicationName(QStringLiteral("Velmora 1"));
    FaceColourScope face;
    SetMessageSink(ShowMessageBox);

    // The main menu comes first: it fixes the layout metrics the other two windows use.
    TVelm1MainForm menu(FindDataFolder(QString::fromLatin1(ResourceLibraryName)), WorkArea());
    if (menu.TerminationRequested())
        return 1;
    // The other two windows are built when the pupil first opens one and the window icon once
    // the menu is on screen: the menu shows sooner and the program needs less memory until then.
    std::unique_ptr<TTestForm> session;
    std::unique_ptr<THelpScherm> help;
    menu.BuildWindows = [&] {
        session = std::make_unique<TTestForm>(&menu);
        help = std::make_unique<THelpScherm>();
        menu.Connect(*session, *help);
    };
    menu.show();
    // Title bars, task bars and window switchers show the window's own icon at these sizes;
    // launchers take the larger installed ones.
    QTimer::singleShot(0, &menu, [] {
        QIcon icon;
        for (const QImage& image : LoadAppIcons({16, 24, 32, 48, 64}))
            icon.addPixmap(QPixmap::fromImage(image));
        QApplication::setWindowIcon(icon);
    });
    const int result = app.exec();
    // The help window refers to the session window: it goes first.
    help.reset();
    session.reset();
    return result;
}
