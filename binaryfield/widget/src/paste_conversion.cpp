// SPDX-License-Identifier: GPL-3.0-or-later
#include "paste_conversion.h"

#include "field_codes.h"

#include <QElapsedTimer>

namespace vantrel {
namespace {

// Small enough to check the clock often, large enough to cost little.
constexpr qsizetype kSliceLength = 1 << 18;
// Time spent converting in one pass of the event loop: half a frame.
constexpr qint64 kPassNanoseconds = 8'000'000;

} // namespace

PasteConversion::PasteConversion(QString text, QObject *parent)
    : QObject(parent), m_text(std::move(text))
{
    m_hold.emplace();
    m_timer.setInterval(0);
    connect(&m_timer, &QTimer::timeout, this, &PasteConversion::convertSlice);
    m_timer.start();
}

PasteConversion::PasteConversion(QByteArray codes, QObject *parent)
    : PasteConversion(QString(), parent)
{
    m_source = std::move(codes);
    m_counting = false; // the size is known
    m_codes.reserve(std::size_t(m_source.size()));
}

qsizetype PasteConversion::sourceSize() const
{
    return m_source.isEmpty() ? m_text.size() : m_source.size();
}

qreal PasteConversion::progress() const
{
    if (sourceSize() == 0) {
        return 1.0;
    }
    const qreal walked = qreal(m_position) / qreal(sourceSize());
    if (!m_source.isEmpty()) {
        return walked;
    }
    return m_counting ? walked / 2 : 0.5 + walked / 2;
}

// One slice: counted, converted or copied. Returns where it ends.
qsizetype PasteConversion::walk(qsizetype from, qsizetype to)
{
    if (!m_source.isEmpty()) {
        m_codes.append(m_source.constData() + from, std::size_t(to - from));
        return to;
    }
    return m_counting ? fieldcodes::countCodes(m_codeCount, m_text, from, to)
                      : fieldcodes::appendCodes(m_codes, m_text, from, to);
}

void PasteConversion::convertSlice()
{
    QElapsedTimer clock;
    clock.start();
    const qsizetype size = sourceSize();
    while (m_position < size && clock.nsecsElapsed() < kPassNanoseconds) {
        m_position = walk(m_position, std::min(size, m_position + kSliceLength));
        if (m_counting && m_position >= size) {
            m_counting = false;
            m_position = 0;
            m_codes.reserve(std::size_t(m_codeCount));
        }
    }
    if (m_position < size) {
        Q_EMIT progressed();
        return;
    }
    m_timer.stop();
    m_text = QString();
    m_source = QByteArray();
    // Input waits no more once the codes are applied, in finished()'s
    // handler: it is handed on from the event loop, after that.
    m_hold.reset();
    Q_EMIT finished();
}

} // namespace vantrel
