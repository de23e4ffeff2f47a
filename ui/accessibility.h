#pragma once
// What the three windows share so that every pupil can use them: keyboard, screen readers
// and large screens.
#include <QList>
#include <QString>

class QAbstractButton;
class QStyle;
class QWidget;

namespace velmora {

// A style for check boxes and radio buttons whose indicators grow with the window's
// design scale; owned by window. Other controls keep the application style.
QStyle* ScaledIndicatorStyle(QWidget* window, double factor);
// Gives button the scaled indicator style.
void ScaleIndicator(QAbstractButton* button, QStyle* style);

// Rings the focused control of window, from the start and not only after the first Tab:
// a pupil who cannot use a mouse must always see where the focus is. The ring grows with
// the window's design scale.
void KeepFocusVisible(QWidget* window, double factor);

// Tab moves through the controls in this order.
void ChainTabOrder(const QList<QWidget*>& order);

// Enter and Return press the focused push button of window, as Space does.
void PressButtonsOnEnter(QWidget* window);

// Sets a widget's accessible description and tells assistive technology it changed.
void Describe(QWidget* widget, const QString& description);
// The same for the accessible name.
void Name(QWidget* widget, const QString& name);

}  // namespace velmora
