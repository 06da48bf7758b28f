// SPDX-License-Identifier: GPL-3.0-or-later
#include "panel_switching.h"

#include "clickable_label.h"
#include "elements.h"
#include "house_colours.h"
#include "painted_widgets.h"
#include "palette_use.h"
#include "twips.h"

#include <QAbstractButton>
#include <QFrame>
#include <QTimer>
#include <optional>

namespace vantrel {

namespace {

// Rest positions, in twips.
constexpr int kValuePanelLeft = 0;
constexpr int kMessagePanelLeft = -4080;
constexpr int kAsciiTop = 0;
constexpr int kHexPanelTop = -2640;

constexpr int kSlideStep = 120;
constexpr int kBounceStep = 60;
constexpr qint16 kBounceOutTicks = 4;
constexpr qint16 kBounceEndTick = 9; // four steps out, four back, then stop

// One tick of a bounce: the move it makes, in the direction the frame
// travelled (out for ticks 1-4, back for 5-8), or none on the ninth tick,
// which ends the bounce.
std::optional<int> bounceTick(qint16 &counter, QTimer *timer, int direction)
{
    const qint16 tick = ++counter;
    if (tick >= kBounceEndTick) {
        timer->stop();
        counter = 0;
        return std::nullopt;
    }
    return tick <= kBounceOutTicks ? direction * kBounceStep : -direction * kBounceStep;
}

} // namespace

PanelSwitching::PanelSwitching(const Elements &elements, QObject *parent)
    : QObject(parent), m_ui(elements)
{
    connectElements();
}

void PanelSwitching::connectElements()
{
    connect(m_ui.cmd1, &QAbstractButton::clicked, this, &PanelSwitching::cmd1_Click);
    for (int index = 0; index < 2; ++index) {
        connect(m_ui.cmdBoton[index], &ClickableLabel::clicked, this,
                [this, index] { cmdBoton_Click(index); });
    }
    connect(m_ui.tmrSizeH, &QTimer::timeout, this, &PanelSwitching::tmrSizeH_Timer);
    connect(m_ui.tmrRebote1, &QTimer::timeout, this, &PanelSwitching::tmrRebote1_Timer);
    connect(m_ui.tmrSizeV, &QTimer::timeout, this, &PanelSwitching::tmrSizeV_Timer);
    connect(m_ui.tmrRebote2, &QTimer::timeout, this, &PanelSwitching::tmrRebote2_Timer);
}

int PanelSwitching::frame1Left() const
{
    return twips::geometry(m_ui.Frame1).left();
}

int PanelSwitching::frame2Top() const
{
    return twips::geometry(m_ui.Frame2).top();
}

void PanelSwitching::setFrame1Left(int left)
{
    twips::move(m_ui.Frame1, {left, twips::geometry(m_ui.Frame1).top()});
}

void PanelSwitching::setFrame2Top(int top)
{
    twips::move(m_ui.Frame2, {twips::geometry(m_ui.Frame2).left(), top});
}

void PanelSwitching::cmd1_Click()
{
    const int left = frame1Left();
    // Only a frame at rest starts a slide: a click while it slides or bounces
    // would send it past its rest position for good.
    if (left != kMessagePanelLeft && left != kValuePanelLeft) {
        return;
    }
    const bool toMessagePanel = left == kValuePanelLeft;
    m_ui.cmd1->setIcon(m_ui.imgCur[toMessagePanel ? 1 : 0]->picture());
    elements::setTooltip(m_ui.cmd1, toMessagePanel ? QStringLiteral(" Ver conversión de valores. ")
                                                   : QStringLiteral(" Ver conversión de texto. "));
    Q_EMIT asciiPanelChosen(toMessagePanel);
    m_messagePanel = toMessagePanel;
    m_ui.tmrSizeH->start();
}

void PanelSwitching::tmrSizeH_Timer()
{
    const int target = m_messagePanel ? kMessagePanelLeft : kValuePanelLeft;
    const int left = frame1Left();
    if (left != target) {
        setFrame1Left(left + (m_messagePanel ? -kSlideStep : kSlideStep));
        return;
    }
    Q_EMIT messagePanelArrived(m_messagePanel);
    m_ui.tmrSizeH->stop();
    m_ui.tmrRebote1->start();
}

void PanelSwitching::tmrRebote1_Timer()
{
    const int direction = m_messagePanel ? -1 : 1;
    if (const auto step = bounceTick(m_horizontalBounceCounter, m_ui.tmrRebote1, direction)) {
        setFrame1Left(frame1Left() + *step);
    }
}

void PanelSwitching::cmdBoton_Click(int index)
{
    endVerticalBounce();
    m_hexPanel = index == 1;
    palette::setBackground(m_ui.cmdBoton[0], m_hexPanel ? colours::kIdle : colours::kActive);
    palette::setBackground(m_ui.cmdBoton[1], m_hexPanel ? colours::kActive : colours::kIdle);
    Q_EMIT tabChosen(m_hexPanel);
    m_ui.tmrSizeV->start();
}

// A slide must start from a rest position, or its exact arrival test could
// never be met: a bounce in progress snaps back to the rest it plays around.
void PanelSwitching::endVerticalBounce()
{
    if (!m_ui.tmrRebote2->isActive()) {
        return;
    }
    m_ui.tmrRebote2->stop();
    m_verticalBounceCounter = 0;
    setFrame2Top(m_hexPanel ? kHexPanelTop : kAsciiTop);
}

void PanelSwitching::tmrSizeV_Timer()
{
    const int top = frame2Top();
    // Unlike tests on purpose: up, at or past the rest; down, exactly it (slides start at rest).
    const bool arrived = m_hexPanel ? top <= kHexPanelTop : top == kAsciiTop;
    if (!arrived) {
        setFrame2Top(top + (m_hexPanel ? -kSlideStep : kSlideStep));
        return;
    }
    m_ui.tmrSizeV->stop();
    m_ui.tmrRebote2->start();
}

void PanelSwitching::tmrRebote2_Timer()
{
    const int direction = m_hexPanel ? -1 : 1;
    if (const auto step = bounceTick(m_verticalBounceCounter, m_ui.tmrRebote2, direction)) {
        setFrame2Top(frame2Top() + *step);
    }
}

} // namespace vantrel
