// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <string>

// Converts a large pasted text to codes in slices, one slice per pass of
// the event loop, so that the window keeps repainting meanwhile. A first
// walk counts the codes, so the second writes them into a string of the
// exact size: growing one would briefly hold the text three times.
namespace vantrel {

class PasteConversion : public QObject
{
    Q_OBJECT
public:
    PasteConversion(QString text, QObject *parent);

    [[nodiscard]] qreal progress() const;
    // The codes, once finished() was emitted.
    [[nodiscard]] std::string takeCodes() { return std::move(m_codes); }

Q_SIGNALS:
    void progressed();
    void finished();

private:
    void convertSlice();

    QString m_text;
    std::string m_codes;
    bool m_counting = true;
    qsizetype m_position = 0; // in the text, in the current walk
    qsizetype m_codeCount = 0;
    QTimer m_timer;
};

} // namespace vantrel
