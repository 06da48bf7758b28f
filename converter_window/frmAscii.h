// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "frmAscii_layout.h"

#include <QWidget>

namespace vantrel {

class MessagePanel;
class PanelSwitching;
class ValuePanel;

// The converter window: three panels seen one at a time through the viewport
// frmeBig, a tab strip on the left and a column of small buttons. Each panel
// runs its own fields; the window lays them out, loads them, and keeps the
// rules that cross panels: manual mode, and the field that gets the focus
// when a panel is chosen.
class frmAscii : public QWidget
{
    Q_OBJECT
public:
    explicit frmAscii(QWidget *parent = nullptr);

public: // load
    void Form_Load();

public: // manual mode
    void chkManual_Click();

public: // commands
    void cmd2_Click();
    void cmd3_Click();

Q_SIGNALS:
    // The table command was chosen: the ASCII table should open.
    void asciiTableWanted();

protected:
    void showEvent(QShowEvent *event) override;
    // Tab and Shift+Tab visit only what the viewport shows.
    bool focusNextPrevChild(bool next) override;

private:
    void createPanels();
    void connectCrossPanelRules();
    void connectCommands();
    void connectShortcuts();
    // The field to work in under "ASCII": the message or the character.
    [[nodiscard]] QWidget *asciiPanelField(bool messagePanel) const;

    converter::Elements m_ui;
    // Manual mode: only Enter converts. The value and message panels read it.
    bool m_manual = false;
    ValuePanel *m_valuePanel = nullptr;
    MessagePanel *m_messagePanel = nullptr;
    PanelSwitching *m_switching = nullptr;
    bool m_shownBefore = false;
};

} // namespace vantrel
