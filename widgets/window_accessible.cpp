// SPDX-License-Identifier: GPL-3.0-or-later
#include "window_accessible.h"

#include "accessible_kind.h"

#include <QAccessibleWidget>
#include <QEvent>
#include <QWidget>

namespace vantrel::accessibility {
namespace {

constexpr char kWindowProperty[] = "vantrelWindow";
constexpr char kPanelProperty[] = "vantrelPanel";
constexpr char kNotificationProperty[] = "vantrelNotification";

// A plain QWidget window is a "filler" to Qt's bridge, and a QFrame a
// nameless "frame" that a screen reader takes for a window: it then finds
// that inner window inactive and drops every focus event in it.
class WindowAccessible : public QAccessibleWidget
{
public:
    explicit WindowAccessible(QWidget *window) : QAccessibleWidget(window, QAccessible::Window) {}

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.active = widget()->isActiveWindow();
        return state;
    }
};

class PanelAccessible : public QAccessibleWidget
{
public:
    explicit PanelAccessible(QWidget *frame) : QAccessibleWidget(frame, QAccessible::Pane) {}

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.invisible = state.invisible || !seenOnScreen(widget());
        return state;
    }
};

// Tells screen readers when a window becomes active or stops being so, as
// when a dialog over it closes: they then announce where the focus is.
class ActivationNotifier : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::WindowActivate || event->type() == QEvent::WindowDeactivate) {
            QAccessible::State changed;
            changed.active = true;
            QAccessibleStateChangeEvent notice(watched, changed);
            QAccessible::updateAccessibility(&notice);
        }
        return QObject::eventFilter(watched, event);
    }
};

QAccessibleInterface *windowFactory(const QString &, QObject *object)
{
    auto *widget = qobject_cast<QWidget *>(object);
    if (!widget) {
        return nullptr;
    }
    if (widget->property(kWindowProperty).toBool()) {
        return new WindowAccessible(widget);
    }
    if (widget->property(kPanelProperty).toBool()) {
        return new PanelAccessible(widget);
    }
    if (widget->property(kNotificationProperty).toBool()) {
        return new QAccessibleWidget(widget, QAccessible::Notification);
    }
    return nullptr;
}

} // namespace

void makeWindow(QWidget *window)
{
    markForFactory(window, kWindowProperty, windowFactory, QAccessible::Window);
    window->installEventFilter(new ActivationNotifier(window));
}

void makePanel(QWidget *frame)
{
    markForFactory(frame, kPanelProperty, windowFactory, QAccessible::Pane);
}

void makeNotification(QWidget *widget)
{
    markForFactory(widget, kNotificationProperty, windowFactory, QAccessible::Notification);
}

QString descriptionBeyondName(const QWidget *widget)
{
    QString description = widget->accessibleDescription();
    if (description.isEmpty()) {
        description = widget->toolTip();
    }
    return description.trimmed() == widget->accessibleName().trimmed() ? QString() : description;
}

bool seenOnScreen(const QWidget *widget)
{
    return widget->isVisible() && !widget->visibleRegion().isEmpty();
}

} // namespace vantrel::accessibility
