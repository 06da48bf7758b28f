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
    m_timer.setInterval(0);
    connect(&m_timer, &QTimer::timeout, this, &PasteConversion::convertSlice);
}

std::optional<std::string> PasteConversion::run()
{
    m_timer.start();
    m_loop.exec(QEventLoop::ExcludeUserInputEvents);
    m_timer.stop();
    if (m_cancelled) {
        return std::nullopt;
    }
    return std::move(m_codes);
}

void PasteConversion::cancel()
{
    m_cancelled = true;
    m_loop.quit();
}

qreal PasteConversion::progress() const
{
    if (m_text.isEmpty()) {
        return 1.0;
    }
    const qreal walked = qreal(m_position) / qreal(m_text.size());
    return m_counting ? walked / 2 : 0.5 + walked / 2;
}

void PasteConversion::convertSlice()
{
    QElapsedTimer clock;
    clock.start();
    const qsizetype size = m_text.size();
    while (m_position < size && clock.nsecsElapsed() < kPassNanoseconds) {
        const qsizetype to = std::min(size, m_position + kSliceLength);
        m_position = m_counting ? fieldcodes::countCodes(m_codeCount, m_text, m_position, to)
                                : fieldcodes::appendCodes(m_codes, m_text, m_position, to);
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
    m_text = QString();
    m_loop.quit();
}

} // namespace vantrel
