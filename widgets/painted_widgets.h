// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QIcon>
#include <QWidget>

// Small elements that paint themselves: rectangles and pictures.
namespace vantrel {

// A rectangle with a one-pixel outline, filled or not.
class ShapeWidget : public QWidget
{
public:
    explicit ShapeWidget(QWidget *parent = nullptr);

    void setFillColour(const QColor &colour);
    void setBorderColour(const QColor &colour);
    void setFilled(bool filled);

    [[nodiscard]] QColor fillColour() const { return m_fillColour; }
    [[nodiscard]] QColor borderColour() const { return m_borderColour; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_fillColour = Qt::black;
    QColor m_borderColour = Qt::black;
    bool m_filled = true;
};

// A picture drawn on a white ground, at the screen's pixel density.
class ImageWidget : public QWidget
{
public:
    explicit ImageWidget(const QIcon &picture, QWidget *parent = nullptr);

    [[nodiscard]] const QIcon &picture() const { return m_picture; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QIcon m_picture;
};

} // namespace vantrel
