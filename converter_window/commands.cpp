// SPDX-License-Identifier: GPL-3.0-or-later
#include "about_box.h"
#include "frmAscii.h"
#include "program_state.h"

#include <QAbstractButton>

namespace vantrel {

void frmAscii::connectCommands()
{
    connect(m_ui.cmd2, &QAbstractButton::clicked, this, &frmAscii::cmd2_Click);
    connect(m_ui.cmd3, &QAbstractButton::clicked, this, &frmAscii::cmd3_Click);
}

void frmAscii::cmd2_Click()
{
    Q_EMIT asciiTableWanted();
}

void frmAscii::cmd3_Click()
{
    const app::Version version = app::version();
    AboutBox box(app::applicationTitle(), aboutText(version.major, version.minor), windowIcon(),
                 this);
    box.exec();
}

} // namespace vantrel
