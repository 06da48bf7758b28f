// SPDX-License-Identifier: GPL-3.0-or-later
#include "result_announcer.h"

#include "field_accessible.h"
#include "text_field.h"
#include "window_accessible.h"

#include <QAccessible>
#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <algorithm>

namespace vantrel {
namespace {

// A hundred million digits are not read out: the start of them is.
constexpr int kMostCharactersSpoken = 200;

// "NAME: text", read through the field's accessible text, as a screen reader
// would read it, no further than what is spoken.
QString spokenResult(QWidget *field)
{
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(field);
    QAccessibleTextInterface *text = accessible ? accessible->textInterface() : nullptr;
    if (!text) {
        return {};
    }
    const int count = text->characterCount();
    QString shown = text->text(0, std::min(count, kMostCharactersSpoken));
    if (count > kMostCharactersSpoken) {
        shown += QStringLiteral("…");
    }
    return QStringLiteral("%1: %2.").arg(accessible->text(QAccessible::Name), shown);
}

} // namespace

ResultAnnouncer::ResultAnnouncer(QWidget *window, const std::vector<QWidget *> &fields)
    : QObject(window), m_window(window), m_notification(new QWidget(window)), m_fields(fields)
{
    m_notification->setObjectName(QStringLiteral("announcement"));
    m_notification->setGeometry(0, 0, 0, 0); // heard, never seen
    m_notification->hide();
    accessibility::makeNotification(m_notification);
    for (QWidget *field : m_fields) {
        if (auto *textField = dynamic_cast<TextField *>(field)) {
            textField->onTextChanged(this, [this, field] { fieldChanged(field); });
        }
        field->installEventFilter(this);
    }
}

bool ResultAnnouncer::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::PaletteChange) {
        auto *field = static_cast<QWidget *>(watched);
        const bool invalid = accessibility::shownInvalid(field);
        const auto known = std::find(m_invalid.begin(), m_invalid.end(), field);
        if (invalid && known == m_invalid.end()) {
            m_invalid.push_back(field);
            m_turnedInvalid.push_back(field);
            schedule();
        } else if (!invalid && known != m_invalid.end()) {
            m_invalid.erase(known);
        }
    }
    return QObject::eventFilter(watched, event);
}

void ResultAnnouncer::fieldChanged(QWidget *field)
{
    const QWidget *focus = QApplication::focusWidget();
    if (!focus || focus == field || focus->window() != m_window) {
        return; // the user's own edit, or a change nobody made from this window
    }
    if (std::find(m_changed.begin(), m_changed.end(), field) == m_changed.end()) {
        m_changed.push_back(field);
    }
    schedule();
}

void ResultAnnouncer::schedule()
{
    if (!m_announcing) {
        m_announcing = true;
        QTimer::singleShot(0, this, &ResultAnnouncer::announce);
    }
}

void ResultAnnouncer::announce()
{
    m_announcing = false;
    const QWidget *focus = QApplication::focusWidget();
    const bool heard = focus && focus->window() == m_window;
    QStringList results;
    const auto contains = [](const std::vector<QWidget *> &fields, QWidget *field) {
        return std::find(fields.begin(), fields.end(), field) != fields.end();
    };
    for (QWidget *field : m_fields) {
        if (contains(m_changed, field)) {
            results << spokenResult(field);
        }
        if (contains(m_turnedInvalid, field) && accessibility::shownInvalid(field)) {
            results << QStringLiteral("%1: no válido.").arg(field->accessibleName());
        }
    }
    m_changed.clear();
    m_turnedInvalid.clear();
    if (!heard || results.isEmpty()) {
        return;
    }
    m_notification->hide();
    m_notification->setAccessibleName(results.join(u' '));
    m_notification->show();
}

} // namespace vantrel
