// SPDX-License-Identifier: GPL-3.0-or-later
#include "frmInicio.h"

#include "clickable_label.h"
#include "elements.h"
#include "house_colours.h"
#include "house_look.h"
#include "painted_widgets.h"
#include "palette_use.h"
#include "program_state.h"
#include "twips.h"
#include "window_accessible.h"
#include "window_placement.h"
#include "x11_window_manager.h"

#include <QLabel>
#include <QTimer>

namespace vantrel {
namespace {

constexpr QSize kClientSizeTwips(7815, 4455);
constexpr int kAnimationIntervalMs = 30;
constexpr int kHandOverDelayMs = 500;

constexpr qint16 kFadeStart = 250;
constexpr qint16 kFadeStep = 10;

constexpr int kVerticalBandFullHeight = 4815;
constexpr int kVerticalBandStep = 120;
constexpr int kHorizontalBandStep = 200;
// The crossing square is covered while the horizontal band's left edge lies here.
constexpr int kCrossingFrom = 480;
constexpr int kCrossingTo = 960;

} // namespace

// A splash screen to the window manager: no task-bar entry, no place in the
// window switcher.
frmInicio::frmInicio(QWidget *parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    look::pinPalette(this);
    setObjectName(QStringLiteral("frmInicio"));
    setWindowTitle(app::applicationTitle());
    accessibility::makeWindow(this);
    setWindowIcon(app::applicationIcon());
    twips::setFixedClientSize(this, kClientSizeTwips);
    palette::setBackground(this, Qt::white);
    createElements();
    Form_Load();
}

ShapeWidget *frmInicio::shape(const QString &name, const QRect &twips)
{
    return elements::create<ShapeWidget>(this, name, twips);
}

void frmInicio::createElements()
{
    m_ui.lblWord = elements::create<QLabel>(this, QStringLiteral("lblWord"),
                                            {1080, 2280, 5490, 585}, QStringLiteral("VANTREL"));
    m_ui.lblWord->setFont(elements::designFont(QStringLiteral("Calibri"), 24));
    palette::setTextColour(m_ui.lblWord, Qt::white);
    palette::setTransparent(m_ui.lblWord);

    m_ui.lblEsc = elements::create<ClickableLabel>(this, QStringLiteral("lblEsc"),
                                                   {7440, 120, 255, 255}, QStringLiteral("x"));
    m_ui.lblEsc->setFont(elements::designFont(QStringLiteral("Arial"), 9.75));
    m_ui.lblEsc->setAlignment(Qt::AlignCenter);
    m_ui.lblEsc->setCursor(Qt::PointingHandCursor);
    m_ui.lblEsc->setAccessibleName(QStringLiteral("Cerrar"));
    palette::setTextColour(m_ui.lblEsc, Qt::black);
    palette::setBackground(m_ui.lblEsc, colours::kCloseLabelPressed);
    palette::setTransparent(m_ui.lblEsc);
    connect(m_ui.lblEsc, &ClickableLabel::pressed, this, &frmInicio::lblEsc_MouseDown);
    connect(m_ui.lblEsc, &ClickableLabel::released, this, &frmInicio::lblEsc_MouseUp);
    connect(m_ui.lblEsc, &ClickableLabel::clicked, this, &frmInicio::lblEsc_Click);

    m_ui.Shape1 = shape(QStringLiteral("Shape1"), {7800, 3240, 15, 495});
    m_ui.Shape2 = shape(QStringLiteral("Shape2"), {480, 0, 495, 15});
    m_ui.Shape3 = shape(QStringLiteral("Shape3"), {960, 3240, 15, 495});
    m_ui.Shape3->hide();
    m_ui.Shape4 = shape(QStringLiteral("Shape4"), {0, 0, 7815, 4455});
    m_ui.Shape4->setFilled(false);
    m_ui.Shape4->setBorderColour(Qt::black);
    m_ui.lblEsc->raise();

    m_ui.Timer1 = elements::timer(this, QStringLiteral("Timer1"), kAnimationIntervalMs, true);
    m_ui.Timer2 = elements::timer(this, QStringLiteral("Timer2"), kAnimationIntervalMs, true);
    m_ui.Timer3 = elements::timer(this, QStringLiteral("Timer3"), kHandOverDelayMs, false);
    connect(m_ui.Timer1, &QTimer::timeout, this, &frmInicio::Timer1_Timer);
    connect(m_ui.Timer2, &QTimer::timeout, this, &frmInicio::Timer2_Timer);
    connect(m_ui.Timer3, &QTimer::timeout, this, &frmInicio::Timer3_Timer);
}

void frmInicio::Form_Load()
{
    const std::pair<ShapeWidget *, QColor> bands[] = {
        {m_ui.Shape3, colours::kCrossing},
        {m_ui.Shape2, colours::kPaleBlue},
        {m_ui.Shape1, colours::kStrongBlue},
    };
    for (const auto &[band, colour] : bands) {
        band->setFillColour(colour);
        band->setBorderColour(colour);
    }
    m_fadeLevel = kFadeStart;
}

void frmInicio::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_shownBefore) {
        m_shownBefore = true;
        // Some window managers (weston's among them) frame a splash screen
        // unless told not to.
        x11::askForNoDecoration(this);
        centreOnScreen(this);
    }
}

void frmInicio::Timer1_Timer()
{
    if (m_fadeLevel > kFadeStart || m_fadeLevel < 1) {
        m_ui.Timer1->stop();
        return;
    }
    m_fadeLevel -= kFadeStep;
    palette::setTextColour(m_ui.lblWord, QColor(m_fadeLevel, m_fadeLevel, m_fadeLevel));
}

void frmInicio::Timer2_Timer()
{
    QRect vertical = twips::geometry(m_ui.Shape2);
    if (vertical.height() >= kVerticalBandFullHeight) {
        m_ui.Timer2->stop();
        m_ui.Timer3->start();
        return;
    }
    vertical.setHeight(vertical.height() + kVerticalBandStep);
    twips::place(m_ui.Shape2, vertical);

    // The horizontal band grows leftwards: its right edge stays put.
    QRect horizontal = twips::geometry(m_ui.Shape1);
    horizontal.moveLeft(horizontal.left() - kHorizontalBandStep);
    horizontal.setWidth(horizontal.width() + kHorizontalBandStep);
    twips::place(m_ui.Shape1, horizontal);

    if (horizontal.left() >= kCrossingFrom && horizontal.left() <= kCrossingTo) {
        const QRect crossing = twips::geometry(m_ui.Shape3);
        twips::place(m_ui.Shape3,
                     {vertical.left(), crossing.top(), vertical.width(), crossing.height()});
        m_ui.Shape3->show();
    }
}

void frmInicio::Timer3_Timer()
{
    m_ui.Timer3->stop();
    Q_EMIT handOverDue();
    close();
}

void frmInicio::lblEsc_MouseDown()
{
    palette::setBackground(m_ui.lblEsc, colours::kCloseLabelPressed);
}

void frmInicio::lblEsc_MouseUp()
{
    palette::setTransparent(m_ui.lblEsc);
}

void frmInicio::lblEsc_Click()
{
    for (QTimer *timer : {m_ui.Timer1, m_ui.Timer2, m_ui.Timer3}) {
        timer->stop();
    }
    app::endProcess();
}

} // namespace vantrel
