// SPDX-License-Identifier: GPL-3.0-or-later
#include "page_tab_accessible.h"

#include "accessible_kind.h"
#include "clickable_label.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace vantrel::accessibility {
namespace {

constexpr char kPageTabProperty[] = "vantrelPageTab";
constexpr char kSelectedProperty[] = "vantrelPageTabSelected";

class PageTabAccessible : public QAccessibleWidget
{
public:
    explicit PageTabAccessible(ClickableLabel *label)
        : QAccessibleWidget(label, QAccessible::PageTab)
    {}

    QString text(QAccessible::Text kind) const override
    {
        // A tab is named by its caption; its tooltip describes it.
        if (kind == QAccessible::Name) {
            return label()->text();
        }
        return QAccessibleWidget::text(kind);
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.selectable = true;
        state.selected = widget()->property(kSelectedProperty).toBool();
        // The tabs are reached by their shortcuts, never by the focus.
        state.focusable = false;
        return state;
    }

    QStringList actionNames() const override { return {pressAction()}; }

    void doAction(const QString &actionName) override
    {
        if (actionName == pressAction()) {
            Q_EMIT label()->clicked();
        }
    }

private:
    [[nodiscard]] ClickableLabel *label() const { return static_cast<ClickableLabel *>(widget()); }
};

QAccessibleInterface *pageTabFactory(const QString &, QObject *object)
{
    auto *label = qobject_cast<ClickableLabel *>(object);
    if (!label || !label->property(kPageTabProperty).toBool()) {
        return nullptr;
    }
    return new PageTabAccessible(label);
}

} // namespace

void makePageTab(ClickableLabel *label)
{
    markForFactory(label, kPageTabProperty, pageTabFactory, QAccessible::PageTab);
}

void setPageTabSelected(ClickableLabel *label, bool selected)
{
    if (label->property(kSelectedProperty).toBool() == selected) {
        return;
    }
    label->setProperty(kSelectedProperty, selected);
    QAccessible::State changed;
    changed.selected = true;
    QAccessibleStateChangeEvent event(label, changed);
    QAccessible::updateAccessibility(&event);
}

} // namespace vantrel::accessibility
