// SPDX-License-Identifier: GPL-3.0-or-later
#include "message_box.h"
#include "recording_prompt.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTest>
#include <QTimer>

using namespace vantrel;

namespace {

// What the real box showed, read while it was up.
struct ShownBox
{
    bool seen = false;
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    qsizetype buttons = 0;
    QWidget *parent = nullptr;
    Qt::WindowModality modality = Qt::NonModal;
};

// Reads the box that the next event loop shows, and presses its OK button. A
// zero timer fires inside the box's own event loop, once the box is up.
void answerTheNextBox(ShownBox &shown)
{
    QTimer::singleShot(0, [&shown] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box) {
            return;
        }
        shown = {true,
                 box->windowTitle(),
                 box->text(),
                 box->icon(),
                 box->buttons().size(),
                 box->parentWidget(),
                 box->windowModality()};
        QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    });
}

} // namespace

class MessageBoxTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void realBoxHasTheTitleTheIconAndOneOkButton_data();
    void realBoxHasTheTitleTheIconAndOneOkButton();
    void installedPromptAnswersInsteadOfTheBox();
};

void MessageBoxTest::realBoxHasTheTitleTheIconAndOneOkButton_data()
{
    QTest::addColumn<int>("icon");
    QTest::addColumn<QString>("text");
    QTest::newRow("information") << int(QMessageBox::Information) << "Desactivar el manual";
    QTest::newRow("critical") << int(QMessageBox::Critical)
                              << "Esta fuente no existe en el equipo.";
}

void MessageBoxTest::realBoxHasTheTitleTheIconAndOneOkButton()
{
    QFETCH(int, icon);
    QFETCH(QString, text);
    QWidget window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    ShownBox shown;
    answerTheNextBox(shown);
    app::showMessage(&window, QMessageBox::Icon(icon), text);
    QVERIFY(shown.seen); // it returned only once the box was answered
    QCOMPARE(shown.title, QStringLiteral("Vantrel"));
    QCOMPARE(shown.text, text);
    QCOMPARE(shown.icon, QMessageBox::Icon(icon));
    QCOMPARE(shown.buttons, qsizetype(1));
    QCOMPARE(shown.parent, &window);
    QCOMPARE(shown.modality, Qt::WindowModal);
}

void MessageBoxTest::installedPromptAnswersInsteadOfTheBox()
{
    QWidget window;
    {
        testing::RecordingPrompt outer;
        {
            testing::RecordingPrompt inner;
            app::showMessage(&window, QMessageBox::Critical, QStringLiteral("one"));
            QCOMPARE(inner.texts(), QStringList{QStringLiteral("one")});
            QCOMPARE(inner.messages().first().parent, &window);
            QCOMPARE(inner.messages().first().icon, QMessageBox::Critical);
        }
        app::showMessage(nullptr, QMessageBox::Information, QStringLiteral("two"));
        QCOMPARE(outer.texts(), QStringList{QStringLiteral("two")});
    }
    // With no prompt installed, the real box is back.
    ShownBox shown;
    answerTheNextBox(shown);
    app::showMessage(&window, QMessageBox::Information, QStringLiteral("three"));
    QVERIFY(shown.seen);
    QCOMPARE(shown.text, QStringLiteral("three"));
}

QTEST_MAIN(MessageBoxTest)
#include "message_box_test.moc"
