// SPDX-License-Identifier: GPL-3.0-or-later
#include "installed_fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>

namespace vantrel {
namespace {

QString resolvedFamily(const QString &family)
{
    QFont font;
    font.setFamilies({family});
    return QFontInfo(font).family();
}

// What a name that matches nothing resolves to.
QString fallbackFamily()
{
    static const QString fallback = resolvedFamily(QStringLiteral("Vantrel No Such Font 7f3a"));
    return fallback;
}

} // namespace

bool fontInstalled(const QString &family)
{
    const QString name = family.trimmed();
    if (name.isEmpty()) {
        return false;
    }
    if (QFontDatabase::families().contains(name, Qt::CaseInsensitive)) {
        return true;
    }
    return resolvedFamily(name).compare(fallbackFamily(), Qt::CaseInsensitive) != 0;
}

} // namespace vantrel
