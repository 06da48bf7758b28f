// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractButton>

// A small square button that shows only a picture, filling it: sunken while
// pressed, outlined while it has the keyboard focus.
namespace vantrel {

class PictureButton : public QAbstractButton
{
public:
    explicit PictureButton(const QIcon &picture, QWidget *parent = nullptr);

    [[nodiscard]] QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace vantrel
