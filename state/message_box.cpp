// SPDX-License-Identifier: GPL-3.0-or-later
#include "message_box.h"

#include "program_state.h"

namespace vantrel::app {

namespace {

class MessageBoxPrompt : public MessagePrompt
{
public:
    void show(QWidget *parent, QMessageBox::Icon icon, const QString &text) override
    {
        QMessageBox box(icon, applicationTitle(), text, QMessageBox::Ok, parent);
        box.setWindowModality(Qt::WindowModal);
        box.exec();
    }
};

MessagePrompt &messageBoxPrompt()
{
    static MessageBoxPrompt prompt;
    return prompt;
}

MessagePrompt *&installedPrompt()
{
    static MessagePrompt *prompt = &messageBoxPrompt();
    return prompt;
}

} // namespace

MessagePrompt::~MessagePrompt() = default;

MessagePrompt *setMessagePrompt(MessagePrompt *prompt)
{
    MessagePrompt *previous = installedPrompt();
    installedPrompt() = prompt ? prompt : &messageBoxPrompt();
    return previous;
}

void showMessage(QWidget *parent, QMessageBox::Icon icon, const QString &text)
{
    installedPrompt()->show(parent, icon, text);
}

} // namespace vantrel::app
