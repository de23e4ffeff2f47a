#include "messagebox.h"

#include "ui/widgets.h"

#include <QApplication>
#include <QMessageBox>

#include <algorithm>

namespace velmora {

namespace {

QMessageBox::Icon IconOf(MessageKind kind)
{
    switch (kind) {
        case MessageKind::Warning:
            return QMessageBox::Warning;
        case MessageKind::Information:
            return QMessageBox::Information;
        case MessageKind::Fatal:
            return QMessageBox::Critical;
        case MessageKind::Plain:
            break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

void ShowMessageBox(const QString& text, MessageKind kind)
{
    QString shown = text;
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QWidget* owner = QApplication::activeModalWidget();
    if (!owner)
        owner = QApplication::activeWindow();
    // A parent centres the box over the window that raised it and lends it its scaled font;
    // the default font would be tiny on a large screen.
    QMessageBox box(IconOf(kind), QStringLiteral("Velmora 1"), shown, QMessageBox::Ok, owner);
    QFont font = owner ? owner->font() : ArialPx(17);
    if (font.pixelSize() > 0)
        font.setPixelSize(std::max(font.pixelSize(), 17));
    box.setFont(font);
    box.exec();
}

}  // namespace velmora
