// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

namespace vantrel {

// The program's about box: the application title, the about text and the
// window's icon, modal to the converter window.
class AboutBox : public QDialog
{
    Q_OBJECT
public:
    AboutBox(const QString &title, const QString &aboutText, const QIcon &icon, QWidget *parent);

protected:
    void showEvent(QShowEvent *event) override;
};

// "Tarnwick", CR LF, "Vantrel: Versión " and major.minor.
[[nodiscard]] QString aboutText(int majorVersion, int minorVersion);

} // namespace vantrel
