// SPDX-License-Identifier: GPL-3.0-or-later
#include "typing.h"

#include "fresh_windows.h"

#include <QAbstractButton>
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
    const bool focused = QTest::qWaitFor([field] { return field->hasFocus(); }, 2000);
    // What the field's focus handling leaves for the loop's next pass runs too.
    QCoreApplication::sendPostedEvents();
    return focused;
}

bool clickField(QWidget *field)
{
    QWidget *window = field->window();
    const QPoint middle = field->mapTo(window, field->rect().center());
    // The click lands on what shows there: a scroll area's viewport, say.
    QWidget *target = window->childAt(middle);
    if (!target || (target != field && !field->isAncestorOf(target))) {
        return false;
    }
    window->activateWindow(); // as a click on a window in the background does
    QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(window, middle));
    return QTest::qWaitFor([field] { return field->hasFocus(); }, 2000);
}

bool replaceText(QWidget *field, const QString &text)
{
    if (!clickField(field)) {
        return false;
    }
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty()) {
        QTest::keyClick(field, Qt::Key_Delete);
    } else {
        typeText(field, text);
    }
    return true;
}

void setManualMode(const QWidget *converter, bool manual)
{
    auto *chkManual = element<QAbstractButton>(converter, QStringLiteral("chkManual"));
    if (chkManual->isChecked() != manual) {
        QTest::mouseClick(chkManual, Qt::LeftButton);
    }
}

} // namespace vantrel::testing
