// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "hex_panel.h"
#include "message_panel.h"
#include "panel_switching.h"
#include "value_panel.h"

class QAbstractButton;
class QFrame;
class QWidget;

namespace vantrel::converter {

// The converter window's elements, named as the handlers know them: each
// panel's own, then the window's.
struct Elements
{
    ValuePanel::Fields valuePanel;
    MessagePanel::Fields messagePanel;
    HexPanel::Fields hexPanel;
    PanelSwitching::Elements switching;
    QFrame *Frame3 = nullptr;
    QFrame *frmeBig = nullptr;
    QAbstractButton *cmd2 = nullptr;
    QAbstractButton *cmd3 = nullptr;
    QAbstractButton *chkManual = nullptr;
};

// Creates the window's elements as designed, a tab strip on the left and the
// viewport frmeBig through which the panels and a column of small buttons
// are seen, and sets their tab order.
[[nodiscard]] Elements layOut(QWidget *window);

} // namespace vantrel::converter
