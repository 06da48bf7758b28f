// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "message_box.h"

#include <QList>
#include <QPointer>

namespace vantrel::testing {

// What a window told the user in a message box.
struct PromptedMessage
{
    QPointer<QWidget> parent;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString text;
};

// Answers every message box at once, as a user who reads it and presses OK,
// and remembers what each one said. Installed for its lifetime; the prompt it
// replaced comes back when it goes.
class RecordingPrompt : public app::MessagePrompt
{
public:
    RecordingPrompt();
    ~RecordingPrompt() override;
    RecordingPrompt(const RecordingPrompt &) = delete;
    RecordingPrompt &operator=(const RecordingPrompt &) = delete;

    void show(QWidget *parent, QMessageBox::Icon icon, const QString &text) override;

    [[nodiscard]] const QList<PromptedMessage> &messages() const { return m_messages; }
    [[nodiscard]] QStringList texts() const;

private:
    app::MessagePrompt *m_replaced = nullptr;
    QList<PromptedMessage> m_messages;
};

} // namespace vantrel::testing
