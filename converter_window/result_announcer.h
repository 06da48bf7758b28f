// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <vector>

class QWidget;

namespace vantrel {

class TextField;

// A conversion writes its result into fields the user is not in; a screen
// reader, which follows the focus, would never hear it. So once the event
// that converted is over, what changed in the other fields is announced, by
// field name, through a notification: an invisible widget that a screen
// reader reads out each time it is shown. (Qt 6.4 sends a changed name or
// description as an object, not as the text, and Orca cannot read it.) A
// field that turns invalid, the one the user is in included, is announced
// too: its colour says so to the eye only.
class ResultAnnouncer : public QObject
{
public:
    // Watches the fields of `window`, in the order they are announced.
    ResultAnnouncer(QWidget *window, const std::vector<QWidget *> &fields);

private:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void fieldChanged(QWidget *field);
    void schedule();
    void announce();

    QWidget *m_window;
    QWidget *m_notification;
    std::vector<QWidget *> m_fields;
    std::vector<QWidget *> m_changed;
    std::vector<QWidget *> m_turnedInvalid;
    std::vector<QWidget *> m_invalid; // as last announced
    bool m_announcing = false;
};

} // namespace vantrel
