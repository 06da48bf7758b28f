// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt_editor_rules.h"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace vantrel::qteditor {

qsizetype codesPassed(qreal x, qreal advance)
{
    return qsizetype(std::ceil(std::max<qreal>(0, x) / advance - 0.5));
}

bool passesTab(qreal x, qreal advance)
{
    return std::llround(x * 64) >= std::llround(advance * 64) / 2;
}

qreal tabAdvance(qreal x)
{
    // x / kTabStop as QFixed divides: 64ths, rounded to the nearest.
    constexpr qint64 kStop = qint64(kTabStop * 64);
    const auto fixedX = qint64(std::llround(x * 64));
    const qint64 quotient = (fixedX * 64 + kStop / 2) / kStop;
    return qreal((quotient >> 6) + 1) * kTabStop - x;
}

bool isWordSeparator(unsigned char code)
{
    static constexpr std::string_view kSeparators = ".,?!@#$:;-<>[](){}=/+%&^*'\"`~|\\";
    return kSeparators.find(char(code)) != std::string_view::npos;
}

bool mayJoinUndoStep(EditKind last, EditKind next)
{
    const auto isKeyRemoval = [](EditKind kind) {
        return kind == EditKind::DeletingBack || kind == EditKind::DeletingForward;
    };
    if (next == EditKind::Typing) {
        return last == EditKind::Typing || last == EditKind::Pasting;
    }
    return isKeyRemoval(last) && isKeyRemoval(next);
}

int autoScrollInterval(int distance)
{
    const int delta = std::max(distance, 7);
    return 4900 / (delta * delta);
}

} // namespace vantrel::qteditor
