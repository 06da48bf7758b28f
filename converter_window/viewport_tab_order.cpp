// SPDX-License-Identifier: GPL-3.0-or-later
#include "viewport_tab_order.h"

#include <QWidget>

namespace vantrel {
namespace {

// What Qt's own Tab walk accepts: a Tab stop that can take the focus now.
// (An exclusive button group leaves Tab focus on one of its buttons only.)
bool takesTabFocus(const QWidget *element)
{
    return (element->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && element->isEnabled() &&
           element->isVisibleTo(element->window()) && !element->focusProxy();
}

} // namespace

bool shownThrough(const QWidget *viewport, const QWidget *element)
{
    if (!viewport->isAncestorOf(element)) {
        return false;
    }
    const QPoint centre = element->mapTo(viewport, element->rect().center());
    return viewport->rect().contains(centre);
}

QWidget *nextTabStop(QWidget *from, bool forward, const QWidget *viewport)
{
    QWidget *candidate = from;
    do {
        candidate = forward ? candidate->nextInFocusChain() : candidate->previousInFocusChain();
        if (takesTabFocus(candidate) && shownThrough(viewport, candidate)) {
            return candidate;
        }
    } while (candidate != from);
    return nullptr;
}

} // namespace vantrel
