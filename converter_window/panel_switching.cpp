#include "clickable_label.h"
#include "elements.h"
#include "frmAscii.h"
#include "painted_widgets.h"
#include "palette_use.h"
#include "text_area.h"
#include "twips.h"

#include <QAbstractButton>
#include <QFrame>
#include <QLineEdit>
#include <QTimer>
#include <optional>

namespace vantrel {

using namespace converter;

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

constexpr qint16 kHexTabSelected = -1;

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

void frmAscii::connectPanelSwitching()
{
    connect(m_ui.cmd1, &QAbstractButton::clicked, this, &frmAscii::cmd1_Click);
    for (int index = 0; index < 2; ++index) {
        connect(m_ui.cmdBoton[index], &ClickableLabel::clicked, this,
                [this, index] { cmdBoton_Click(index); });
    }
    connect(m_ui.tmrSizeH, &QTimer::timeout, this, &frmAscii::tmrSizeH_Timer);
    connect(m_ui.tmrRebote1, &QTimer::timeout, this, &frmAscii::tmrRebote1_Timer);
    connect(m_ui.tmrSizeV, &QTimer::timeout, this, &frmAscii::tmrSizeV_Timer);
    connect(m_ui.tmrRebote2, &QTimer::timeout, this, &frmAscii::tmrRebote2_Timer);
}

int frmAscii::frame1Left() const
{
    return twips::geometry(m_ui.Frame1).left();
}

int frmAscii::frame2Top() const
{
    return twips::geometry(m_ui.Frame2).top();
}

void frmAscii::setFrame1Left(int left)
{
    twips::move(m_ui.Frame1, {left, twips::geometry(m_ui.Frame1).top()});
}

void frmAscii::setFrame2Top(int top)
{
    twips::move(m_ui.Frame2, {twips::geometry(m_ui.Frame2).left(), top});
}

void frmAscii::focusAtEnd(QWidget *field)
{
    field->setFocus(Qt::OtherFocusReason);
    if (auto *line = qobject_cast<QLineEdit *>(field)) {
        line->end(false);
    } else if (auto *area = qobject_cast<TextArea *>(field)) {
        area->moveCursor(QTextCursor::End);
    }
}

void frmAscii::cmd1_Click()
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
    focusAtEnd(toMessagePanel ? static_cast<QWidget *>(m_ui.txtMensaje)
                              : static_cast<QWidget *>(m_ui.txtC));
    m_state.messagePanel = toMessagePanel;
    m_ui.tmrSizeH->start();
}

void frmAscii::tmrSizeH_Timer()
{
    const int target = m_state.messagePanel ? kMessagePanelLeft : kValuePanelLeft;
    const int left = frame1Left();
    if (left != target) {
        setFrame1Left(left + (m_state.messagePanel ? -kSlideStep : kSlideStep));
        return;
    }
    // The bit-mode buttons mean something only beside the message panel.
    m_ui.Option1->setEnabled(m_state.messagePanel);
    m_ui.Option2->setEnabled(m_state.messagePanel);
    m_ui.tmrSizeH->stop();
    m_ui.tmrRebote1->start();
}

void frmAscii::tmrRebote1_Timer()
{
    const int direction = m_state.messagePanel ? -1 : 1;
    if (const auto step = bounceTick(m_state.horizontalBounceCounter, m_ui.tmrRebote1, direction)) {
        setFrame1Left(frame1Left() + *step);
    }
}

void frmAscii::cmdBoton_Click(int index)
{
    endVerticalBounce();
    const bool hexTab = index == 1;
    m_state.hexPanel = hexTab ? kHexTabSelected : 0;
    palette::setBackground(m_ui.cmdBoton[0], hexTab ? colours::kIdle : colours::kActive);
    palette::setBackground(m_ui.cmdBoton[1], hexTab ? colours::kActive : colours::kIdle);
    if (hexTab) {
        focusAtEnd(m_ui.txtHexa);
    } else if (m_state.messagePanel) {
        focusAtEnd(m_ui.txtMensaje);
    } else {
        focusAtEnd(m_ui.txtC);
    }
    m_ui.tmrSizeV->start();
}

// A slide must start from a rest position, or its exact arrival test could
// never be met: a bounce in progress snaps back to the rest it plays around.
void frmAscii::endVerticalBounce()
{
    if (!m_ui.tmrRebote2->isActive()) {
        return;
    }
    m_ui.tmrRebote2->stop();
    m_state.verticalBounceCounter = 0;
    setFrame2Top(m_state.hexPanel == kHexTabSelected ? kHexPanelTop : kAsciiTop);
}

void frmAscii::tmrSizeV_Timer()
{
    const int top = frame2Top();
    const bool arrived =
        m_state.hexPanel == kHexTabSelected ? top <= kHexPanelTop : top == kAsciiTop;
    if (!arrived) {
        setFrame2Top(top + (m_state.hexPanel == kHexTabSelected ? -kSlideStep : kSlideStep));
        return;
    }
    m_ui.tmrSizeV->stop();
    m_ui.tmrRebote2->start();
}

void frmAscii::tmrRebote2_Timer()
{
    const int direction = m_state.hexPanel == kHexTabSelected ? -1 : 1;
    if (const auto step = bounceTick(m_state.verticalBounceCounter, m_ui.tmrRebote2, direction)) {
        setFrame2Top(frame2Top() + *step);
    }
}

} // namespace vantrel
