// SPDX-License-Identifier: GPL-3.0-or-later
#include "code_clipboard.h"

#include "field_codes.h"

#include <QMimeData>

namespace vantrel::codeclipboard {

QMimeData *mimeDataOf(std::string_view codes)
{
    auto *data = new QMimeData;
    data->setText(fieldcodes::plainText(codes));
    data->setData(QLatin1String(kCodesMimeType),
                  QByteArray(codes.data(), static_cast<qsizetype>(codes.size())));
    return data;
}

std::optional<std::string> codesOf(const QMimeData &data)
{
    const QString format = QLatin1String(kCodesMimeType);
    if (!data.hasFormat(format)) {
        return std::nullopt;
    }
    const QByteArray codes = data.data(format);
    return std::string(codes.constData(), static_cast<std::size_t>(codes.size()));
}

} // namespace vantrel::codeclipboard
