#include "elements.h"
#include "frmAscii.h"
#include "message_box.h"
#include "text_area.h"

#include <QAbstractButton>
#include <QLineEdit>

namespace vantrel {

using namespace converter;

void frmAscii::connectManualMode()
{
    connect(m_ui.chkManual, &QAbstractButton::toggled, this, &frmAscii::chkManual_Click);
}

void frmAscii::chkManual_Click()
{
    if (m_ui.chkManual->isChecked()) {
        m_state.manual = true;
        elements::setTooltip(m_ui.chkManual, QStringLiteral(" Manual activado. "));
    } else {
        m_state.manual = false;
        elements::setTooltip(m_ui.chkManual, QStringLiteral(" Manual desactivado. "));
        if (m_state.messagePanel) {
            app::showMessage(this, QMessageBox::Information,
                             QStringLiteral("Desactivar el manual puede trabar el programa en "
                                            "cada momento en el caso de usar mucha información "
                                            "en los campos de texto."));
            activateWindow(); // the box had the keyboard
        }
    }

    // Back to the field the user was editing in the panel shown.
    QWidget *field = nullptr;
    if (m_state.messagePanel) {
        field = m_state.activeSide == MessageSide::Binary ? static_cast<QWidget *>(m_ui.txtBinario)
                                                          : static_cast<QWidget *>(m_ui.txtMensaje);
    } else if (m_state.activeValueField) {
        field = valueField(*m_state.activeValueField);
    }
    if (field) {
        focusAtEnd(field);
    }
}

} // namespace vantrel
