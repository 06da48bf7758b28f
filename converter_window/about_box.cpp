#include "about_box.h"

#include "house_look.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
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

    auto *heading = new QLabel(title, this);
    QFont headingFont = heading->font();
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.6);
    headingFont.setBold(true);
    heading->setFont(headingFont);

    auto *text = new QLabel(this);
    text->setObjectName(QStringLiteral("aboutText"));
    text->setTextFormat(Qt::PlainText);
    text->setText(QString(aboutText).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

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
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

} // namespace vantrel
