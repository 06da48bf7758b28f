// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFrame>

// A frame that slides: it keeps its twips rectangle as a declared property,
// so that each step of a slide is a plain member write and a move, with no
// dynamic property or allocation.
namespace vantrel {

class SlidingFrame : public QFrame
{
    Q_OBJECT
    Q_PROPERTY(QRect twipsGeometry READ twipsGeometry WRITE setTwipsGeometry)
public:
    explicit SlidingFrame(QWidget *parent = nullptr);

    [[nodiscard]] QRect twipsGeometry() const { return m_twips; }
    void setTwipsGeometry(const QRect &twips) { m_twips = twips; }

private:
    QRect m_twips;
};

} // namespace vantrel
