#include "accessibility.h"

#include "toolkit/numbers.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QEvent>
#include <QKeyEvent>
#include <QProxyStyle>
#include <QPushButton>
#include <QWidget>

namespace velmora {

namespace {

class IndicatorStyle : public QProxyStyle {
public:
    explicit IndicatorStyle(double factor) : factor_(factor) {}

    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        const int base = QProxyStyle::pixelMetric(metric, option, widget);
        switch (metric) {
            case PM_IndicatorWidth:
            case PM_IndicatorHeight:
            case PM_ExclusiveIndicatorWidth:
            case PM_ExclusiveIndicatorHeight:
                return Round(base * factor_);
            default:
                return base;
        }
    }

private:
    double factor_;
};

// Enter on a push button that is not a dialog's auto-default button does nothing in Qt.
class EnterPresser : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        auto* button = qobject_cast<QPushButton*>(watched);
        if (!button || button->autoDefault() || key->modifiers() != Qt::NoModifier ||
            (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter))
            return false;
        button->animateClick();
        return true;
    }
};

}  // namespace

QStyle* ScaledIndicatorStyle(QWidget* window, double factor)
{
    auto* style = new IndicatorStyle(factor);
    style->setParent(window);
    return style;
}

void ScaleIndicator(QAbstractButton* button, QStyle* style)
{
    button->setStyle(style);
}

void KeepFocusVisible(QWidget* window)
{
    window->setAttribute(Qt::WA_KeyboardFocusChange);
}

void PressButtonsOnEnter(QWidget* window)
{
    auto* presser = new EnterPresser(window);
    for (QPushButton* button : window->findChildren<QPushButton*>())
        button->installEventFilter(presser);
}

void Describe(QWidget* widget, const QString& description)
{
    if (widget->accessibleDescription() == description)
        return;
    widget->setAccessibleDescription(description);
    QAccessibleEvent event(widget, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&event);
}

void Name(QWidget* widget, const QString& name)
{
    if (widget->accessibleName() == name)
        return;
    widget->setAccessibleName(name);
    QAccessibleEvent event(widget, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

}  // namespace velmora
