// SPDX-License-Identifier: GPL-3.0-or-later
#include "about_box.h"

#include "elements.h"
#include "house_look.h"
#include "window_placement.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vantrel {

QString aboutText(int majorVersion, int minorVersion)
{
    return QStringLiteral("Tarnwick\r\nVantrel: Versión %1.%2").arg(majorVersion).arg(minorVersion);
}

AboutBox::AboutBox(const QString &title, const QString &aboutText, const QIcon &icon,
                   QWidget *parent)
    : QDialog(parent)
{
    look::pinPalette(this);
    setObjectName(QStringLiteral("aboutBox"));
    setWindowTitle(title);
    setWindowIcon(icon);
    setModal(true);

    auto *picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("aboutIcon"));
    picture->setPixmap(icon.pixmap(64, 64));
    picture->setAlignment(Qt::AlignTop);

    // A font of our own: the desktop's default font would change the box.
    setFont(elements::designFont(QStringLiteral("Calibri"), 11));

    auto *heading = new QLabel(title, this);
    QFont headingFont = font();
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.6);
    headingFont.setBold(true);
    heading->setFont(headingFont);

    auto *text = new QLabel(this);
    text->setObjectName(QStringLiteral("aboutText"));
    text->setTextFormat(Qt::PlainText);
    text->setText(QString(aboutText).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);

    // A plain button: a standard one takes icons, mnemonics and its place in
    // the row from the desktop.
    auto *ok = new QPushButton(QStringLiteral("Aceptar"), this);
    ok->setObjectName(QStringLiteral("aboutOk"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);

    auto *texts = new QVBoxLayout;
    texts->addWidget(heading);
    texts->addWidget(text);
    texts->addStretch();
    auto *body = new QHBoxLayout;
    body->addWidget(picture);
    body->addSpacing(12);
    body->addLayout(texts, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void AboutBox::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // Centred over the window that opened it, frames and title bars included,
    // as the window manager shows them.
    if (QWidget *opener = parentWidget() ? parentWidget()->window() : nullptr) {
        centreOn(this, opener->geometry().marginsAdded(frameMargins(opener)).center());
    }
}

} // namespace vantrel
