// SPDX-License-Identifier: GPL-3.0-or-later
#include "sliding_frame.h"

namespace vantrel {

SlidingFrame::SlidingFrame(QWidget *parent) : QFrame(parent)
{
    setFrameShape(QFrame::NoFrame);
}

} // namespace vantrel
