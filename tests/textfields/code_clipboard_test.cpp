// SPDX-License-Identifier: GPL-3.0-or-later
// What the clipboard and drag and drop carry between the program's fields:
// exact codes among them, the characters themselves for other programs.
#include "binary_text_edit.h"
#include "code_text.h"
#include "field_events.h"
#include "line_field.h"
#include "text_area.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMimeData>
#include <QTest>
#include <memory>

using namespace vantrel;

namespace {

// A field of either kind, seen through its codes.
struct Field
{
    std::unique_ptr<QWidget> widget;

    [[nodiscard]] std::string codes() const
    {
        if (auto *area = qobject_cast<TextArea *>(widget.get())) {
            return toCodeText(area->text());
        }
        if (auto *line = qobject_cast<QLineEdit *>(widget.get())) {
            return toCodeText(line->text());
        }
        return static_cast<BinaryTextEdit *>(widget.get())->codeText();
    }
    void write(const std::string &codes) const
    {
        if (auto *area = qobject_cast<TextArea *>(widget.get())) {
            area->setText(fromCodeText(codes));
        } else if (auto *line = qobject_cast<QLineEdit *>(widget.get())) {
            line->setText(fromCodeText(codes));
        } else {
            static_cast<BinaryTextEdit *>(widget.get())->setCodeText(codes);
        }
    }
    [[nodiscard]] QWidget *dropTarget() const
    {
        return static_cast<QAbstractScrollArea *>(widget.get())->viewport();
    }
};

Field makeField(const QString &kind)
{
    if (kind == QLatin1String("text area")) {
        auto area = std::make_unique<TextArea>();
        area->setMaxLength(500);
        return {std::move(area)};
    }
    if (kind == QLatin1String("line edit")) { // as the windows wire theirs
        auto line = std::make_unique<LineField>();
        fields::connect(line.get(), {.keyPress = [](int &) {}});
        return {std::move(line)};
    }
    return {std::make_unique<BinaryTextEdit>()};
}

// Every code once, in order: 10 and 13 stand alone, never as CR LF.
std::string everyCode()
{
    std::string codes(256, '\0');
    for (int code = 0; code < 256; ++code) {
        codes[std::size_t(code)] = static_cast<char>(code);
    }
    return codes;
}

void dropInto(const Field &target, const QMimeData &data)
{
    const QPoint at(2, 2);
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target.dropTarget(), &enter);
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target.dropTarget(), &drop);
}

} // namespace

class CodeClipboardTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void everyCodeSurvivesTheTrip_data();
    void everyCodeSurvivesTheTrip();
    void plainTextHoldsTheCharactersThemselves();
    void charactersOnlyTheProgramWritesAreUnknownFromOutside_data();
    void charactersOnlyTheProgramWritesAreUnknownFromOutside();
    void aHugePasteIsCutToWhatTheFieldHolds();
};

void CodeClipboardTest::everyCodeSurvivesTheTrip_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("route");
    for (const char *from : {"text area", "binary field"}) {
        for (const char *to : {"same field", "text area", "binary field"}) {
            for (const char *route : {"copy", "cut", "drag"}) {
                QTest::addRow("%s to %s, %s", from, to, route) << from << to << route;
            }
        }
    }
    // A line edit takes pasted text as it is; what it gives is checked here.
    for (const char *to : {"text area", "binary field"}) {
        for (const char *route : {"copy", "cut"}) {
            QTest::addRow("line edit to %s, %s", to, route) << "line edit" << to << route;
        }
    }
}

void CodeClipboardTest::everyCodeSurvivesTheTrip()
{
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(QString, route);
    const Field source = makeField(from);
    const Field other = to == QLatin1String("same field") ? Field{} : makeField(to);
    const Field &target = other.widget ? other : source;
    source.widget->show();
    target.widget->show();
    source.write(everyCode());

    QTest::keyClick(source.widget.get(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(source.widget.get(), route == QLatin1String("cut") ? Qt::Key_X : Qt::Key_C,
                    Qt::ControlModifier);
    if (route == QLatin1String("cut")) {
        QVERIFY(source.codes().empty());
    }
    target.write({});
    if (route == QLatin1String("drag")) {
        dropInto(target, *QApplication::clipboard()->mimeData());
    } else {
        QTest::keyClick(target.widget.get(), Qt::Key_V, Qt::ControlModifier);
    }
    QCOMPARE(QByteArray::fromStdString(target.codes()), QByteArray::fromStdString(everyCode()));
}

void CodeClipboardTest::plainTextHoldsTheCharactersThemselves()
{
    BinaryTextEdit field;
    field.setCodeText(std::string("1\t0\x01\r\n\r"));
    QCOMPARE(field.toPlainText(), QStringLiteral("1\t0\u0001\n\r"));
    field.selectAll();
    field.copy();
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("1\t0\u0001\n\r"));

    // Plain text from another program: line breaks become CR LF.
    QApplication::clipboard()->setText(QStringLiteral("1\t0\u0001\n\r"));
    field.setCodeText({});
    field.paste();
    QCOMPARE(QByteArray::fromStdString(field.codeText()), QByteArray("1\t0\x01\r\n\r\n"));
}

void CodeClipboardTest::charactersOnlyTheProgramWritesAreUnknownFromOutside_data()
{
    QTest::addColumn<QString>("character");
    QTest::newRow("carriage return picture") << QStringLiteral("\u240D");
    QTest::newRow("line feed picture") << QStringLiteral("\u240A");
    QTest::newRow("document frame start") << QStringLiteral("\uFDD0");
    QTest::newRow("document frame end") << QStringLiteral("\uFDD1");
}

// Typed or pasted, each is one character outside the set: code 63.
void CodeClipboardTest::charactersOnlyTheProgramWritesAreUnknownFromOutside()
{
    QFETCH(QString, character);
    TextArea field;
    field.setMaxLength(500);
    field.show();
    QKeyEvent typed(QEvent::KeyPress, 0, Qt::NoModifier, character);
    QApplication::sendEvent(&field, &typed);
    QCOMPARE(field.text(), QStringLiteral("?"));

    QApplication::clipboard()->setText(u'A' + character + u'B');
    field.setText({});
    QTest::keyClick(&field, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(field.text(), QStringLiteral("A?B"));

    QApplication::clipboard()->setText(character.repeated(600));
    field.setText({});
    QTest::keyClick(&field, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(field.text(), QString(500, u'?'));
}

void CodeClipboardTest::aHugePasteIsCutToWhatTheFieldHolds()
{
    TextArea field;
    field.setMaxLength(500);
    field.show();
    field.setText(QStringLiteral("ab"));
    field.moveCursor(QTextCursor::End);
    QApplication::clipboard()->setText(QStringLiteral("\r\n1").repeated(10'000'000));
    QTest::keyClick(&field, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(field.text(), QStringLiteral("ab") + QStringLiteral("\r\n1").repeated(166));
}

QTEST_MAIN(CodeClipboardTest)
#include "code_clipboard_test.moc"
