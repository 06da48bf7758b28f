// SPDX-License-Identifier: GPL-3.0-or-later
#include "palette_use.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QLineEdit>

namespace vantrel::palette {
namespace {

// The line edits and every multi-line field (the text areas and the binary
// fields are scroll areas): their background is the base colour.
bool isTextField(const QWidget *widget)
{
    return qobject_cast<const QLineEdit *>(widget) ||
           qobject_cast<const QAbstractScrollArea *>(widget);
}

void setColour(QWidget *widget, QPalette::ColorRole role, const QColor &colour)
{
    QPalette palette = widget->palette();
    // Every colour group, so that a disabled or inactive widget keeps it too.
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

} // namespace

QPalette::ColorRole backgroundRole(const QWidget *widget)
{
    if (isTextField(widget)) {
        return QPalette::Base;
    }
    if (qobject_cast<const QAbstractButton *>(widget)) {
        return QPalette::Button;
    }
    return QPalette::Window;
}

QPalette::ColorRole textRole(const QWidget *widget)
{
    if (isTextField(widget)) {
        return QPalette::Text;
    }
    if (qobject_cast<const QAbstractButton *>(widget)) {
        return QPalette::ButtonText;
    }
    return QPalette::WindowText;
}

void setBackground(QWidget *widget, const QColor &colour)
{
    const QPalette::ColorRole role = backgroundRole(widget);
    if (role == QPalette::Window) {
        widget->setAutoFillBackground(true);
    }
    setColour(widget, role, colour);
}

void setTransparent(QWidget *widget)
{
    widget->setAutoFillBackground(false);
}

void setTextColour(QWidget *widget, const QColor &colour)
{
    setColour(widget, textRole(widget), colour);
}

} // namespace vantrel::palette
