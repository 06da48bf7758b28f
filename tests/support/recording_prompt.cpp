// SPDX-License-Identifier: GPL-3.0-or-later
#include "recording_prompt.h"

namespace vantrel::testing {

RecordingPrompt::RecordingPrompt() : m_replaced(app::setMessagePrompt(this))
{}

RecordingPrompt::~RecordingPrompt()
{
    app::setMessagePrompt(m_replaced);
}

void RecordingPrompt::show(QWidget *parent, QMessageBox::Icon icon, const QString &text)
{
    m_messages.append({parent, icon, text});
}

QStringList RecordingPrompt::texts() const
{
    QStringList result;
    for (const PromptedMessage &message : m_messages) {
        result << message.text;
    }
    return result;
}

} // namespace vantrel::testing
