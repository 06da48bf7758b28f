#pragma once

#include <QMessageBox>
#include <QStringList>
#include <QTimer>

namespace vantrel::testing {

// Answers every modal box as soon as it shows, as a user who reads it would,
// and remembers what the message boxes said.
class ModalAnswerer : public QObject
{
public:
    explicit ModalAnswerer(int pollMs = 5);

    QStringList texts;
    QStringList titles;
    QList<QMessageBox::Icon> icons;
    QList<qsizetype> buttonCounts;

private:
    QTimer m_poll;
};

} // namespace vantrel::testing
