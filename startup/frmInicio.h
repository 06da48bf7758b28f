// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QLabel;
class QTimer;

namespace vantrel {

class ClickableLabel;
class ShapeWidget;

// The borderless start-up window: two coloured bands grow across it while the
// product word fades in, then it hands over to the converter window. Its "x"
// ends the process.
class frmInicio : public QWidget
{
    Q_OBJECT
public:
    explicit frmInicio(QWidget *parent = nullptr);

public: // load and animation
    void Form_Load();
    void Timer1_Timer();
    void Timer2_Timer();
    void Timer3_Timer();

public: // close label
    void lblEsc_MouseDown();
    void lblEsc_MouseUp();
    void lblEsc_Click();

Q_SIGNALS:
    // The animation is over: the converter window is to be shown.
    void handOverDue();

protected:
    void showEvent(QShowEvent *event) override;

private:
    struct Elements
    {
        QLabel *lblWord = nullptr;
        ClickableLabel *lblEsc = nullptr;
        ShapeWidget *Shape1 = nullptr;
        ShapeWidget *Shape2 = nullptr;
        ShapeWidget *Shape3 = nullptr;
        ShapeWidget *Shape4 = nullptr;
        QTimer *Timer1 = nullptr;
        QTimer *Timer2 = nullptr;
        QTimer *Timer3 = nullptr;
    };

    void createElements();
    ShapeWidget *shape(const QString &name, const QRect &twips);

    Elements m_ui;
    qint16 m_fadeLevel = 0; // grey level of the product word, 250 down to 0
    bool m_shownBefore = false;
};

} // namespace vantrel
