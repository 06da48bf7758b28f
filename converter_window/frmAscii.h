#pragma once

#include "converter_state.h"
#include "message_conversion.h"

#include <QWidget>

class QAbstractButton;
class QButtonGroup;
class QFrame;
class QLineEdit;
class QTimer;

namespace vantrel {

class ClickableLabel;
class ImageWidget;
class TextArea;

// The converter window: three panels seen one at a time through the viewport
// frmeBig, a tab strip on the left and a column of small buttons.
class frmAscii : public QWidget
{
    Q_OBJECT
public:
    explicit frmAscii(QWidget *parent = nullptr);

    [[nodiscard]] converter::ConverterState &state() { return m_state; }
    [[nodiscard]] const converter::ConverterState &state() const { return m_state; }

public: // load
    void Form_Load();

public: // value panel
    void txtC_GotFocus();
    void txtA_GotFocus();
    void txtB_GotFocus();
    void txtA_Change();
    void txtB_Change();
    void txtA_KeyPress(int &keyAscii);
    void txtB_KeyPress(int &keyAscii);
    void txtC_KeyPress(int &keyAscii);
    // Checks the active value field and converts it into the other two.
    void cmdOk();

public: // message panel
    void txtMensaje_GotFocus();
    void txtMensaje_Change();
    void txtMensaje_KeyPress(int &keyAscii);
    void txtBinario_GotFocus();
    void txtBinario_Change();
    void txtBinario_KeyPress(int &keyAscii);
    void Option1_Click();
    void Option2_Click();
    // Encodes the message into the binary field.
    void BinText();
    // Decodes the binary field into the message field.
    void HexaText();

public: // binary/hexadecimal panel
    void txtBin_GotFocus();
    void txtHexa_GotFocus();
    void txtBin_Change();
    void txtHexa_Change();

public: // panel switching
    void cmd1_Click();
    void cmdBoton_Click(int index);
    void tmrSizeH_Timer();
    void tmrRebote1_Timer();
    void tmrSizeV_Timer();
    void tmrRebote2_Timer();

public: // manual mode
    void chkManual_Click();

public: // commands
    void cmd2_Click();
    void cmd3_Click();

Q_SIGNALS:
    // The ASCII table window is wanted (cmd2).
    void asciiTableWanted();

protected:
    void showEvent(QShowEvent *event) override;

private:
    // The window's elements, named as the handlers know them.
    struct Elements
    {
        QTimer *tmrRebote2 = nullptr;
        QTimer *tmrSizeV = nullptr;
        QTimer *tmrSizeH = nullptr;
        QFrame *Frame3 = nullptr;
        QTimer *tmrRebote1 = nullptr;
        ClickableLabel *cmdBoton[2] = {};
        QFrame *frmeBig = nullptr;
        QFrame *Frame2 = nullptr;
        TextArea *txtHexa = nullptr;
        TextArea *txtBin = nullptr;
        QFrame *Frame1 = nullptr;
        QAbstractButton *cmd3 = nullptr;
        QAbstractButton *cmd2 = nullptr;
        QAbstractButton *cmd1 = nullptr;
        QAbstractButton *Option2 = nullptr;
        QAbstractButton *Option1 = nullptr;
        QButtonGroup *bitMode = nullptr;
        QAbstractButton *chkManual = nullptr;
        QLineEdit *txtC = nullptr;
        QLineEdit *txtA = nullptr;
        QLineEdit *txtB = nullptr;
        TextArea *txtMensaje = nullptr;
        TextArea *txtBinario = nullptr;
        ImageWidget *imgCur[2] = {};
    };

    void createElements();
    void createTabStrip();
    void createViewport();
    void createButtonColumn(QWidget *frame);
    void createValuePanel(QWidget *frame);
    void createMessagePanel(QWidget *frame);
    void createHexPanel(QWidget *frame);
    void setTabOrder();
    void connectValuePanel();
    [[nodiscard]] bool decimalFieldInRange() const;
    [[nodiscard]] bool binaryFieldComplete() const;
    // Enter with manual mode on runs cmdOk and is swallowed; true when it did.
    bool convertOnManualEnter(int &keyAscii);
    void writeValueFields(const FieldWrites &writes);
    [[nodiscard]] QLineEdit *valueField(ValueField field) const;
    void connectMessagePanel();
    [[nodiscard]] BitMode bitMode() const;
    [[nodiscard]] bool binarySideActive() const;
    void convertOnActiveSide();
    void connectHexPanel();
    void connectPanelSwitching();
    void connectManualMode();
    void connectCommands();
    [[nodiscard]] int frame1Left() const;
    [[nodiscard]] int frame2Top() const;
    void setFrame1Left(int left);
    void setFrame2Top(int top);
    void endVerticalBounce();
    // Gives a field the focus, then puts the caret after its last character.
    void focusAtEnd(QWidget *field);

    Elements m_ui;
    converter::ConverterState m_state;
    bool m_shownBefore = false;
};

} // namespace vantrel
