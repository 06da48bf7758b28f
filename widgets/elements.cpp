// SPDX-License-Identifier: GPL-3.0-or-later
#include "elements.h"

#include "button_accessible.h"
#include "sliding_frame.h"
#include "twips.h"
#include "window_accessible.h"

#include <QFrame>
#include <QPushButton>
#include <QTimer>

namespace vantrel::elements {

QFont designFont(const QString &family, qreal points)
{
    QFont font(family);
    font.setPointSizeF(points);
    return font;
}

void setTooltip(QWidget *widget, const QString &tooltip)
{
    widget->setToolTip(tooltip);
    widget->setAccessibleName(tooltip.trimmed());
}

QTimer *timer(QObject *parent, const QString &name, int intervalMs, bool enabled)
{
    auto *t = new QTimer(parent);
    t->setObjectName(name);
    t->setInterval(intervalMs);
    t->setTimerType(Qt::PreciseTimer);
    if (enabled) {
        t->start();
    }
    return t;
}

QFrame *frame(QWidget *parent, const QString &name, const QRect &twips)
{
    auto *frame = create<SlidingFrame>(parent, name, twips);
    accessibility::makePanel(frame);
    return frame;
}

QAbstractButton *checkableButton(QWidget *parent, const QString &name, const QRect &twips,
                                 const QString &caption, const QFont &font)
{
    auto *button = create<QPushButton>(parent, name, twips, caption);
    button->setCheckable(true);
    button->setFont(font);
    accessibility::makeButton(button, QAccessible::CheckBox);
    return button;
}

} // namespace vantrel::elements
