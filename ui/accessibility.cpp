#include "accessibility.h"

#include "toolkit/canvas.h"
#include "toolkit/numbers.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QEvent>
#include <QFocusFrame>
#include <QKeyEvent>
#include <QPainter>
#include <QProxyStyle>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include <algorithm>

namespace velmora {

namespace {

// The application style with indicators and the focus ring's margin scaled.
class ScaledStyle : public QProxyStyle {
public:
    explicit ScaledStyle(double factor) : factor_(factor) {}

    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        const int base = QProxyStyle::pixelMetric(metric, option, widget);
        switch (metric) {
            case PM_IndicatorWidth:
            case PM_IndicatorHeight:
            case PM_ExclusiveIndicatorWidth:
            case PM_ExclusiveIndicatorHeight:
                return Round(base * factor_);
            case PM_FocusFrameHMargin:
            case PM_FocusFrameVMargin:
                return FocusRingWidth(factor_);
            default:
                return base;
        }
    }

    static int FocusRingWidth(double factor) { return std::max(2, Round(2 * factor)); }

private:
    double factor_;
};

// A ring just outside the focused control of one window, in every style and from the
// start: the style's own focus mark is faint, and shows only after the first Tab.
class FocusRing : public QFocusFrame {
public:
    FocusRing(QWidget* window, double factor) : QFocusFrame(window), window_(window)
    {
        setObjectName(QStringLiteral("FocusRing"));
        auto* style = new ScaledStyle(factor);
        style->setParent(this);
        setStyle(style);
        width_ = ScaledStyle::FocusRingWidth(factor);
        hide();
        connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { Follow(now); });
        // A window that is not (yet) active gets no focus change, but it does know which
        // control will have the focus: ring that one rather than a stray frame in the corner.
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == window_ && event->type() == QEvent::Show)
            QTimer::singleShot(0, this, [this] { Follow(window_->focusWidget()); });
        return QFocusFrame::eventFilter(watched, event);
    }

    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        const QRect inner = rect().adjusted(width_, width_, -width_, -width_);
        painter.setClipRegion(QRegion(rect()).subtracted(QRegion(inner)));
        painter.fillRect(rect(), clr::Navy);
    }

private:
    void Follow(QWidget* focused)
    {
        setWidget(focused && focused != window_ && focused->window() == window_ ? focused : nullptr);
        if (!widget())
            hide();
    }

    QWidget* window_;
    int width_ = 2;
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
    auto* style = new ScaledStyle(factor);
    style->setParent(window);
    return style;
}

void ScaleIndicator(QAbstractButton* button, QStyle* style)
{
    button->setStyle(style);
}

void KeepFocusVisible(QWidget* window, double factor)
{
    new FocusRing(window, factor);
}

void ChainTabOrder(const QList<QWidget*>& order)
{
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
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
