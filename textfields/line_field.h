// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "text_field.h"

#include <QLineEdit>

// A one-line text field.
namespace vantrel {

class LineField : public QLineEdit, public TextField
{
    Q_OBJECT
public:
    explicit LineField(QWidget *parent = nullptr);
    explicit LineField(const QString &text, QWidget *parent = nullptr);

    void onTextChanged(QObject *context, std::function<void()> changed) override;
    [[nodiscard]] quint64 textRevision() const override;
    void moveCursorToEnd() override;

private:
    mutable ComparedRevision m_revision;
};

} // namespace vantrel
