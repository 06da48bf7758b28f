// SPDX-License-Identifier: GPL-3.0-or-later
#include "option_button_accessible.h"

#include "accessible_kind.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleWidget>

namespace vantrel::accessibility {
namespace {

constexpr char kOptionButtonProperty[] = "vantrelOptionButton";

class OptionButtonAccessible : public QAccessibleWidget
{
public:
    explicit OptionButtonAccessible(QAbstractButton *button)
        : QAccessibleWidget(button, QAccessible::RadioButton)
    {}

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.checkable = true;
        state.checked = button()->isChecked();
        return state;
    }

    QStringList actionNames() const override
    {
        return button()->isEnabled() ? QStringList{toggleAction()} : QStringList{};
    }

    void doAction(const QString &actionName) override
    {
        // Qt's own buttons toggle here, which changes the check without the
        // click that the panel converts on.
        if (actionName == toggleAction() && button()->isEnabled()) {
            button()->click();
        }
    }

private:
    [[nodiscard]] QAbstractButton *button() const
    {
        return static_cast<QAbstractButton *>(widget());
    }
};

QAccessibleInterface *optionButtonFactory(const QString &, QObject *object)
{
    auto *button = qobject_cast<QAbstractButton *>(object);
    if (!button || !button->property(kOptionButtonProperty).toBool()) {
        return nullptr;
    }
    return new OptionButtonAccessible(button);
}

} // namespace

void makeOptionButton(QAbstractButton *button)
{
    markForFactory(button, kOptionButtonProperty, optionButtonFactory, QAccessible::RadioButton);
}

} // namespace vantrel::accessibility
