// SPDX-License-Identifier: GPL-3.0-or-later
#include "button_accessible.h"

#include "accessible_kind.h"
#include "window_accessible.h"

#include <QAbstractButton>
#include <QAccessibleWidget>

namespace vantrel::accessibility {
namespace {

constexpr char kButtonProperty[] = "vantrelButton";
constexpr char kButtonRoleProperty[] = "vantrelButtonRole";

class ButtonAccessible : public QAccessibleWidget
{
public:
    ButtonAccessible(QAbstractButton *button, QAccessible::Role role)
        : QAccessibleWidget(button, role)
    {}

    QString text(QAccessible::Text kind) const override
    {
        return kind == QAccessible::Description ? descriptionBeyondName(widget())
                                                : QAccessibleWidget::text(kind);
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.checkable = button()->isCheckable();
        state.checked = button()->isChecked();
        state.pressed = button()->isDown();
        return state;
    }

    QStringList actionNames() const override
    {
        if (!button()->isEnabled()) {
            return {};
        }
        return {button()->isCheckable() ? toggleAction() : pressAction()};
    }

    void doAction(const QString &actionName) override
    {
        // Qt's own buttons toggle a check without the click that the
        // window converts on.
        if (actionNames().contains(actionName)) {
            button()->click();
        }
    }

private:
    [[nodiscard]] QAbstractButton *button() const
    {
        return static_cast<QAbstractButton *>(widget());
    }
};

QAccessibleInterface *buttonFactory(const QString &, QObject *object)
{
    auto *button = qobject_cast<QAbstractButton *>(object);
    if (!button || !button->property(kButtonProperty).toBool()) {
        return nullptr;
    }
    return new ButtonAccessible(button,
                                QAccessible::Role(button->property(kButtonRoleProperty).toInt()));
}

} // namespace

void makeButton(QAbstractButton *button, QAccessible::Role role)
{
    button->setProperty(kButtonRoleProperty, int(role));
    markForFactory(button, kButtonProperty, buttonFactory, role);
}

} // namespace vantrel::accessibility
