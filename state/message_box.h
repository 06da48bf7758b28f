// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMessageBox>

// The program's message boxes: modal to their window, one OK button, the
// application title. Windows call showMessage(); what shows the box is a
// prompt that a test can replace, so that it answers without a user.
namespace vantrel::app {

class MessagePrompt
{
public:
    virtual ~MessagePrompt();

    // Tells the user the text and returns once they have answered.
    virtual void show(QWidget *parent, QMessageBox::Icon icon, const QString &text) = 0;
};

// The prompt that showMessage() uses from now on (not owned), or the real
// message box again for nullptr. Returns the prompt it replaces, so that a
// caller can put it back.
MessagePrompt *setMessagePrompt(MessagePrompt *prompt);

void showMessage(QWidget *parent, QMessageBox::Icon icon, const QString &text);

} // namespace vantrel::app
