#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <string>

// Converts a large pasted text to codes in slices, one slice per pass of
// the event loop, so that the window keeps repainting meanwhile.
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
    qsizetype m_converted = 0;
    QTimer m_timer;
};

} // namespace vantrel
