// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QString>
#include <Qt>

class QWidget;

// Input that arrives as the window system delivers it: queued, to be taken
// by the event loop when it next takes user input. QTest's own events reach
// a widget at once, so they cannot show what waits while the program is
// busy.
namespace vantrel::testing {

void queueKeyClick(QWidget *widget, Qt::Key key, Qt::KeyboardModifiers modifiers = {},
                   const QString &text = {});
// One key click a character (letters and digits).
void queueKeyClicks(QWidget *widget, const QString &text);
// A left click at `point` of the widget, its centre by default.
void queueMouseClick(QWidget *widget, QPoint point = QPoint(-1, -1));
// The window system asks the widget's window to close.
void queueClose(QWidget *widget);
// The event loop takes the input queued so far, and nothing else.
void takeQueuedInput();
// Runs the event loop until input held for a paste has been handed on.
void handOnHeldInput();

} // namespace vantrel::testing
