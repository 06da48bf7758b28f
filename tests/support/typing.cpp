// SPDX-License-Identifier: GPL-3.0-or-later
#include "typing.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <QWidget>

namespace vantrel::testing {

void typeText(QWidget *field, const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        // A surrogate pair is one character, typed by one key.
        const qsizetype length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString character = text.mid(i, length);
        i += length - 1;
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, character);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, character);
        QApplication::sendEvent(field, &press);
        QApplication::sendEvent(field, &release);
    }
}

bool giveFocus(QWidget *field)
{
    field->activateWindow();
    field->setFocus(Qt::TabFocusReason);
    return QTest::qWaitFor([field] { return field->hasFocus(); }, 2000);
}

} // namespace vantrel::testing
