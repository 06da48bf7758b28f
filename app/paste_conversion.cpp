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
    m_codes.reserve(std::size_t(m_text.size()));
    m_timer.setInterval(0);
    connect(&m_timer, &QTimer::timeout, this, &PasteConversion::convertSlice);
    m_timer.start();
}

qreal PasteConversion::progress() const
{
    return m_text.isEmpty() ? 1.0 : qreal(m_converted) / qreal(m_text.size());
}

void PasteConversion::convertSlice()
{
    QElapsedTimer clock;
    clock.start();
    while (m_converted < m_text.size() && clock.nsecsElapsed() < kPassNanoseconds) {
        const qsizetype to = std::min(m_text.size(), m_converted + kSliceLength);
        m_converted = fieldcodes::appendCodes(m_codes, m_text, m_converted, to);
    }
    if (m_converted < m_text.size()) {
        Q_EMIT progressed();
        return;
    }
    m_timer.stop();
    m_text = QString();
    Q_EMIT finished();
}

} // namespace vantrel
