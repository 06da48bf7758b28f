// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "twips.h"

#include <QFont>
#include <QRect>
#include <QString>
#include <QTextOption>
#include <utility>

class QAbstractButton;
class QFrame;
class QObject;
class QTimer;
class QWidget;

// Factories for the windows' elements: each gets its design name as its
// objectName and is placed in twips.
namespace vantrel::elements {

// Constructs an element from args and its parent, names it and places it.
template <typename Element, typename... Args>
Element *create(QWidget *parent, const QString &name, const QRect &twips, Args &&...args)
{
    auto *element = new Element(std::forward<Args>(args)..., parent);
    element->setObjectName(name);
    twips::place(element, twips);
    return element;
}

[[nodiscard]] QFont designFont(const QString &family, qreal points);

// Sets the tooltip; screen readers get it, without its padding spaces, as the
// element's name, since the fields have no captions.
void setTooltip(QWidget *widget, const QString &tooltip);

QTimer *timer(QObject *parent, const QString &name, int intervalMs, bool enabled);
QFrame *frame(QWidget *parent, const QString &name, const QRect &twips);

// A push button that stays pressed while checked: the option buttons and the
// check box.
QAbstractButton *checkableButton(QWidget *parent, const QString &name, const QRect &twips,
                                 const QString &caption, const QFont &font);

} // namespace vantrel::elements
