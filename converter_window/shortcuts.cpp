// SPDX-License-Identifier: GPL-3.0-or-later
#include "clickable_label.h"
#include "frmAscii.h"
#include "page_tab_accessible.h"
#include "panel_switching.h"

#include <QAbstractButton>
#include <QShortcut>

namespace vantrel {

// The tabs take no focus, so without keys of their own the keyboard could
// never bring the binary/hexadecimal panel into view; the arrow and the about
// box get keys beside them. Each key does what a click does. The fields give
// way to Ctrl and a digit, and to F1, since none of them edits with those keys.
void frmAscii::connectShortcuts()
{
    const auto add = [this](const QKeySequence &keys, auto action) {
        auto *shortcut = new QShortcut(keys, this);
        shortcut->setAutoRepeat(false);
        connect(shortcut, &QShortcut::activated, this, action);
    };
    ClickableLabel *const *tabs = m_ui.switching.cmdBoton;
    add(QKeySequence(Qt::CTRL | Qt::Key_1), [tabs] { Q_EMIT tabs[0]->clicked(); });
    add(QKeySequence(Qt::CTRL | Qt::Key_3), [tabs] { Q_EMIT tabs[1]->clicked(); });
    // The arrow can be clicked only while the tab "ASCII" is chosen.
    add(QKeySequence(Qt::CTRL | Qt::Key_2), [this] {
        if (!m_switching->hexPanel()) {
            m_ui.switching.cmd1->click();
        }
    });
    add(QKeySequence(Qt::Key_F1), [this] { m_ui.cmd3->click(); });

    for (ClickableLabel *tab : m_ui.switching.cmdBoton) {
        accessibility::makePageTab(tab);
    }
    accessibility::setPageTabSelected(tabs[0], true);
    connect(m_switching, &PanelSwitching::tabChosen, this, [tabs](bool hexTab) {
        accessibility::setPageTabSelected(tabs[0], !hexTab);
        accessibility::setPageTabSelected(tabs[1], hexTab);
    });
}

} // namespace vantrel
