// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QAbstractButton;
class QFrame;
class QTimer;

namespace vantrel {

class ClickableLabel;
class ImageWidget;

// Which panel shows through the viewport, and the slides and bounces that
// bring it there. Frame1 slides left and right between the value panel and
// the message panel (the arrow cmd1); Frame2 slides up and down between them
// and the binary/hexadecimal panel (the tabs cmdBoton0 and cmdBoton1). Each
// slide ends in a bounce around its rest position.
class PanelSwitching : public QObject
{
    Q_OBJECT
public:
    struct Elements
    {
        QFrame *Frame1 = nullptr;
        QFrame *Frame2 = nullptr;
        QAbstractButton *cmd1 = nullptr;
        ClickableLabel *cmdBoton[2] = {};
        ImageWidget *imgCur[2] = {}; // the arrow's two pictures
        QTimer *tmrSizeH = nullptr;
        QTimer *tmrRebote1 = nullptr;
        QTimer *tmrSizeV = nullptr;
        QTimer *tmrRebote2 = nullptr;
    };

    PanelSwitching(const Elements &elements, QObject *parent);

    // The message panel, not the value panel, is the one under "ASCII".
    [[nodiscard]] bool messagePanel() const { return m_messagePanel; }
    // The tab "HEXA", not "ASCII", is the one chosen.
    [[nodiscard]] bool hexPanel() const { return m_hexPanel; }

public: // handlers
    void cmd1_Click();
    void cmdBoton_Click(int index);
    void tmrSizeH_Timer();
    void tmrRebote1_Timer();
    void tmrSizeV_Timer();
    void tmrRebote2_Timer();

Q_SIGNALS:
    // The arrow chose the panel under "ASCII", before Frame1 starts to slide.
    void asciiPanelChosen(bool messagePanel);
    // A tab was chosen, before Frame2 starts to slide.
    void tabChosen(bool hexTab);
    // Frame1 arrived: the message panel is in view, or the value panel is.
    void messagePanelArrived(bool messagePanel);

private:
    void connectElements();
    [[nodiscard]] int frame1Left() const;
    [[nodiscard]] int frame2Top() const;
    void setFrame1Left(int left);
    void setFrame2Top(int top);
    void endVerticalBounce();

    Elements m_ui;
    bool m_messagePanel = false;
    bool m_hexPanel = false; // the binary/hexadecimal panel is the one chosen
    // A counter each, so that two bounces at once both play in full.
    qint16 m_horizontalBounceCounter = 0;
    qint16 m_verticalBounceCounter = 0;
};

} // namespace vantrel
