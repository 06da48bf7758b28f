// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QEventLoop>
#include <QObject>
#include <QString>
#include <QTimer>
#include <optional>
#include <string>

// Converts a large pasted text to codes in slices, one slice per pass of an
// event loop of its own, so that the windows keep repainting and their
// timers keep running meanwhile. That loop holds back user input (keys,
// clicks, a window's close button): the window system queues it, and it is
// handled once the paste is applied, in the order it came, as if the paste
// had been instant.
//
// A first walk counts the codes, so the second writes them into a string of
// the exact size: growing one would briefly hold the text three times.
namespace vantrel {

class PasteConversion : public QObject
{
    Q_OBJECT
public:
    explicit PasteConversion(QString text, QObject *parent = nullptr);

    // Converts the whole text and returns its codes, or nothing when
    // cancel() stopped it first.
    [[nodiscard]] std::optional<std::string> run();
    void cancel();

    [[nodiscard]] qreal progress() const;

Q_SIGNALS:
    void progressed();

private:
    void convertSlice();

    QString m_text;
    std::string m_codes;
    bool m_counting = true;
    bool m_cancelled = false;
    qsizetype m_position = 0; // in the text, in the current walk
    qsizetype m_codeCount = 0;
    QTimer m_timer;
    QEventLoop m_loop;
};

} // namespace vantrel
