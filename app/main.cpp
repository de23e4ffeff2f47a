// Velmora 1: a mathematics trainer for the first year of secondary school.
#include "app/vlm1main.h"
#include "help/vlm1help.h"
#include "platform/messages.h"
#include "platform/resources.h"
#include "platform/system.h"
#include "session/testmain.h"
#include "ui/messagebox.h"

#include <QApplication>

using namespace velmora;

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velmora 1"));
    FaceColourScope face;
    SetMessageSink(ShowMessageBox);

    // The main menu comes first: it fixes the layout metrics the other two windows use.
    TVelm1MainForm menu(FindDataFolder(QString::fromLatin1(ResourceLibraryName)), WorkArea());
    if (menu.TerminationRequested())
        return 1;
    QIcon icon;
    for (const int size : {32, 48, 64, 128, 256})
        icon.addPixmap(QPixmap::fromImage(LoadAppIcon(size)));
    QApplication::setWindowIcon(icon);
    TTestForm session(&menu);
    THelpScherm help;
    menu.Connect(session, help);
    menu.show();
    return app.exec();
}
