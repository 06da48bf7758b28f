// SPDX-License-Identifier: GPL-3.0-or-later
#include "installed_fonts.h"

#include <QFontDatabase>
#include <QStringList>
#include <algorithm>
#include <iterator>

namespace vantrel {
namespace {

// Families made to the metrics of common proprietary ones, so that text laid
// out for those keeps its lines and columns.
struct MetricAlias
{
    const char *name;
    const char *standIns[2];
};

constexpr MetricAlias kMetricAliases[] = {
    {"Arial", {"Liberation Sans", "Arimo"}},
    {"Helvetica", {"Liberation Sans", "Arimo"}},
    {"Times New Roman", {"Liberation Serif", "Tinos"}},
    {"Times", {"Liberation Serif", "Tinos"}},
    {"Courier New", {"Liberation Mono", "Cousine"}},
    {"Courier", {"Liberation Mono", "Cousine"}},
    {"Calibri", {"Carlito", nullptr}},
    {"Cambria", {"Caladea", nullptr}},
};

// Names of a kind of face rather than of a family. Qt lists some of them
// among the families, as aliases of whatever the system's default is.
constexpr const char *kGenericNames[] = {
    "serif", "sans-serif", "sans serif", "sans",          "monospace",
    "mono",  "cursive",    "fantasy",    "system-ui",     "emoji",
    "math",  "fangsong",   "ui-serif",   "ui-sans-serif", "ui-monospace",
};

bool isGeneric(const QString &name)
{
    return std::any_of(std::begin(kGenericNames), std::end(kGenericNames),
                       [&](const char *generic) {
                           return name.compare(QLatin1String(generic), Qt::CaseInsensitive) == 0;
                       });
}

// The database's own spelling of a family, or empty.
QString listedFamily(const QStringList &families, const QString &name)
{
    const auto found = std::find_if(families.cbegin(), families.cend(), [&](const QString &family) {
        return family.compare(name, Qt::CaseInsensitive) == 0;
    });
    return found == families.cend() ? QString() : *found;
}

} // namespace

QString installedFamily(const QString &name)
{
    if (name.trimmed().isEmpty() || isGeneric(name)) {
        return {};
    }
    const QStringList families = QFontDatabase::families();
    if (QString family = listedFamily(families, name); !family.isEmpty()) {
        return family;
    }
    for (const MetricAlias &alias : kMetricAliases) {
        if (name.compare(QLatin1String(alias.name), Qt::CaseInsensitive) != 0) {
            continue;
        }
        for (const char *standIn : alias.standIns) {
            if (!standIn) {
                break;
            }
            if (QString family = listedFamily(families, QLatin1String(standIn));
                !family.isEmpty()) {
                return family;
            }
        }
    }
    return {};
}

} // namespace vantrel
