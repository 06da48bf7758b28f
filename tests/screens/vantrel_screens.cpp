// SPDX-License-Identifier: GPL-3.0-or-later
// vantrel-screens FOLDER: renders the windows offscreen, in the states worth
// looking at, as PNG files in FOLDER.

#include "application.h"
#include "binary_text_edit.h"
#include "fresh_windows.h"
#include "frmAscii.h"
#include "frmAsciiColl.h"
#include "frmInicio.h"
#include "text_area.h"
#include "typing.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <cstdio>

using namespace vantrel;

namespace {

bool save(QWidget *window, const QDir &folder, const QString &name)
{
    QApplication::processEvents();
    const QString path = folder.filePath(name + QStringLiteral(".png"));
    if (!window->grab().save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

// Runs the start-up animation tick by tick, its timers held still.
void tick(frmInicio &window, int fadeTicks, int bandTicks)
{
    for (QTimer *timer : window.findChildren<QTimer *>()) {
        timer->stop();
    }
    for (int i = 0; i < fadeTicks; ++i) {
        window.Timer1_Timer();
    }
    for (int i = 0; i < bandTicks; ++i) {
        window.Timer2_Timer();
    }
}

bool startupScreens(const QDir &folder)
{
    frmInicio &window = app::startupWindow();
    window.show();
    bool ok = save(&window, folder, QStringLiteral("startup-first-paint"));
    tick(window, 12, 20);
    ok &= save(&window, folder, QStringLiteral("startup-halfway"));
    tick(window, 14, 20);
    ok &= save(&window, folder, QStringLiteral("startup-end"));
    testing::destroyAllWindows();
    return ok;
}

bool converterScreens(const QDir &folder)
{
    frmAscii &window = app::converterWindow();
    window.show();
    if (!QTest::qWaitForWindowActive(&window)) {
        return false;
    }
    bool ok = save(&window, folder, QStringLiteral("converter"));

    // The value panel, converting on every keystroke.
    QTest::mouseClick(window.findChild<QAbstractButton *>(QStringLiteral("chkManual")),
                      Qt::LeftButton);
    const auto type = [&window](const char *fieldName, const QString &text) {
        auto *field = window.findChild<QLineEdit *>(QString::fromLatin1(fieldName));
        (void)testing::giveFocus(field);
        field->selectAll();
        testing::typeText(field, text);
    };
    type("txtC", QStringLiteral("ñ"));
    ok &= save(&window, folder, QStringLiteral("value-valid"));
    type("txtA", QStringLiteral("300"));
    ok &= save(&window, folder, QStringLiteral("value-invalid-decimal"));
    type("txtB", QStringLiteral("0100"));
    ok &= save(&window, folder, QStringLiteral("value-invalid-binary"));

    // The message panel: arrow, then a message and its binary codes.
    const auto click = [&window](const char *name) {
        QTest::mouseClick(window.findChild<QWidget *>(QString::fromLatin1(name)), Qt::LeftButton);
        (void)QTest::qWaitFor([&window] {
            for (QTimer *timer : window.findChildren<QTimer *>()) {
                if (timer->isActive()) {
                    return false;
                }
            }
            return true;
        });
    };
    const auto typeInto = [&window](const char *name, const QString &text) {
        auto *field = window.findChild<QWidget *>(QString::fromLatin1(name));
        (void)testing::giveFocus(field);
        if (auto *area = qobject_cast<TextArea *>(field)) {
            area->moveCursor(QTextCursor::End);
        } else {
            qobject_cast<BinaryTextEdit *>(field)->moveCursorToEnd();
        }
        testing::typeText(field, text);
    };
    click("cmd1");
    typeInto("txtMensaje", QStringLiteral("¡Hola, Vantrel!"));
    ok &= save(&window, folder, QStringLiteral("message-panel"));
    typeInto("txtBinario", QStringLiteral("01 "));
    ok &= save(&window, folder, QStringLiteral("message-invalid"));

    // The warning of manual mode, over the message panel.
    window.findChild<QAbstractButton *>(QStringLiteral("chkManual"))->setChecked(true);
    QTimer::singleShot(200, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            ok &= save(box, folder, QStringLiteral("manual-warning"));
            box->accept();
        }
    });
    window.findChild<QAbstractButton *>(QStringLiteral("chkManual"))->setChecked(false);

    // The binary/hexadecimal panel.
    click("cmdBoton1");
    typeInto("txtBin", QStringLiteral("1111000010100101110000111011"));
    ok &= save(&window, folder, QStringLiteral("hex-panel"));
    window.findChild<TextArea *>(QStringLiteral("txtHexa"))->setText(QString());
    typeInto("txtHexa", QStringLiteral("xyz"));
    ok &= save(&window, folder, QStringLiteral("hex-invalid"));
    click("cmdBoton0");

    // The about box, over the converter window.
    QTimer::singleShot(200, [&] {
        if (QWidget *box = QApplication::activeModalWidget()) {
            ok &= save(box, folder, QStringLiteral("about-box"));
            box->close();
        }
    });
    QTest::mouseClick(window.findChild<QWidget *>(QStringLiteral("cmd3")), Qt::LeftButton);
    testing::destroyAllWindows();
    return ok;
}

bool tableScreens(const QDir &folder)
{
    frmAscii &converter = app::converterWindow();
    converter.show();
    app::openAsciiTableWindow();
    const auto waitFull = [] {
        frmAsciiColl *table = testing::openTableWindow();
        return QTest::qWaitFor(
            [table] { return !table->findChild<QTimer *>(QStringLiteral("Timer1"))->isActive(); },
            10'000);
    };
    bool ok = waitFull() && save(testing::openTableWindow(), folder, QStringLiteral("table"));
    auto *fontField = testing::openTableWindow()->findChild<QLineEdit *>(QStringLiteral("txtFont"));
    fontField->setText(QStringLiteral("DejaVu Serif"));
    QTest::keyClick(fontField, Qt::Key_Return);
    ok &=
        waitFull() && save(testing::openTableWindow(), folder, QStringLiteral("table-other-font"));
    testing::destroyAllWindows();
    return ok;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: vantrel-screens FOLDER\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }
    const bool ok = startupScreens(folder) && converterScreens(folder) && tableScreens(folder);
    return ok ? 0 : 1;
}
