// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "held_input.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>
#include <optional>
#include <string>

// Converts a large pasted or dropped text to codes in slices, one slice per
// pass of the event loop, so that the windows keep repainting and their
// timers keep running meanwhile. The user's input waits for it (HeldInput),
// and is handled once the result is applied, in the order it came, as if
// the paste had been instant.
//
// Plain text takes two walks: the first counts the codes, so the second
// writes them into a string of the exact size (growing one would briefly
// hold the text three times). Codes in the program's own format are copied
// as they are, in slices too.
namespace vantrel {

class PasteConversion : public QObject
{
    Q_OBJECT
public:
    // Starts at once; finished() tells when the codes are ready.
    PasteConversion(QString text, QObject *parent);
    PasteConversion(QByteArray codes, QObject *parent);

    // The whole result, once finished().
    [[nodiscard]] std::string takeCodes() { return std::move(m_codes); }
    [[nodiscard]] qreal progress() const;

Q_SIGNALS:
    void progressed();
    void finished();

private:
    void convertSlice();
    [[nodiscard]] qsizetype sourceSize() const;
    [[nodiscard]] qsizetype walk(qsizetype from, qsizetype to);

    std::optional<HeldInput::Hold> m_hold; // until the codes are ready
    QString m_text;
    QByteArray m_source; // codes in the program's own format
    std::string m_codes;
    bool m_counting = true;
    qsizetype m_position = 0; // in the source, in the current walk
    qsizetype m_codeCount = 0;
    QTimer m_timer;
};

} // namespace vantrel
