// SPDX-License-Identifier: GPL-3.0-or-later
#include "command_line.h"

#include "application.h"

#include <QCommandLineParser>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iterator>

namespace vantrel::startup {
namespace {

// QApplication takes these from the command line itself, later on.
struct QtOption
{
    const char *name;
    bool takesValue;
};

constexpr QtOption kQtOptions[] = {
    {"platform", true},      {"platformpluginpath", true},
    {"platformtheme", true}, {"plugin", true},
    {"qmljsdebugger", true}, {"qwindowgeometry", true},
    {"qwindowicon", true},   {"qwindowtitle", true},
    {"reverse", false},      {"session", true},
    {"display", true},       {"geometry", true},
    {"style", true},         {"stylesheet", true},
    {"widgetcount", false},  {"nograb", false},
    {"dograb", false},       {"sync", false},
};

QString helpText()
{
    return QStringLiteral("Uso: vantrel [OPCIÓN]...\n"
                          "Conversor de códigos de caracteres: un carácter y su código decimal "
                          "y binario,\n"
                          "un mensaje y sus códigos binarios, un número binario y su forma "
                          "hexadecimal.\n"
                          "\n"
                          "Opciones:\n"
                          "  -h, --help      muestra esta ayuda y termina\n"
                          "  -V, --version   muestra la versión y termina (también -v)\n"
                          "\n"
                          "Teclas en la ventana:\n"
                          "  Ctrl+1          pestaña ASCII (valores o texto)\n"
                          "  Ctrl+2          flecha entre los valores y el texto\n"
                          "  Ctrl+3          pestaña HEXA (binario y hexadecimal)\n"
                          "  F1              acerca de Vantrel\n"
                          "\n"
                          "Admite también las opciones de Qt para la pantalla, como -platform o "
                          "-display.\n"
                          "Las mismas conversiones en la línea de órdenes: vantrel-convert(1).\n");
}

QString versionText()
{
    const app::Version version = app::version();
    return QStringLiteral("Vantrel %1.%2.%3\nHecho por Tarnwick.\n")
        .arg(version.major)
        .arg(version.minor)
        .arg(version.revision);
}

// An option's name as the command line spells it: "-x", "--name" or "-name".
QString asTyped(const QString &name, const QStringList &arguments)
{
    for (const QString &argument : arguments) {
        QString spelling = argument.section(QLatin1Char('='), 0, 0);
        if (spelling == QLatin1Char('-') + name || spelling == QLatin1String("--") + name) {
            return spelling;
        }
    }
    return QLatin1String("--") + name;
}

CommandLineAnswer usageError(const QString &message)
{
    return {2,
            {},
            QStringLiteral("vantrel: %1\nPruebe «vantrel --help» para más información.\n")
                .arg(message)};
}

// True for the options that take no value: ours and Qt's flags.
bool isFlag(const QString &name)
{
    if (name == QLatin1String("h") || name == QLatin1String("help") || name == QLatin1String("V") ||
        name == QLatin1String("v") || name == QLatin1String("version")) {
        return true;
    }
    return std::any_of(std::begin(kQtOptions), std::end(kQtOptions), [&](const QtOption &option) {
        return !option.takesValue && name == QLatin1String(option.name);
    });
}

// Parsing fails with every option known in two ways: a flag given a value
// ("--help=x"), or an option that takes a value given none, which can only
// be the last argument, since any argument after it becomes its value.
CommandLineAnswer valueError(const QStringList &arguments)
{
    for (const QString &argument : arguments.mid(1)) {
        if (argument == QLatin1String("--")) {
            break;
        }
        if (!argument.startsWith(QLatin1Char('-')) || !argument.contains(QLatin1Char('='))) {
            continue;
        }
        QString spelling = argument.section(QLatin1Char('='), 0, 0);
        if (isFlag(spelling.mid(spelling.startsWith(QLatin1String("--")) ? 2 : 1))) {
            return usageError(QStringLiteral("la opción «%1» no admite valor").arg(spelling));
        }
    }
    return usageError(QStringLiteral("la opción «%1» necesita un valor").arg(arguments.last()));
}

} // namespace

std::optional<CommandLineAnswer> answerCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    // Qt's options are written with one dash, "-platform offscreen".
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    // -V as GNU tools and vantrel-convert spell it; -v as well, as ever.
    const QCommandLineOption version(
        QStringList{QStringLiteral("V"), QStringLiteral("v"), QStringLiteral("version")});
    parser.addOption(help);
    parser.addOption(version);
    for (const QtOption &qtOption : kQtOptions) {
        QCommandLineOption option(QString::fromLatin1(qtOption.name));
        if (qtOption.takesValue) {
            option.setValueName(QStringLiteral("valor"));
        }
        parser.addOption(option);
    }
    if (!parser.parse(arguments)) {
        if (!parser.unknownOptionNames().isEmpty()) {
            return usageError(
                QStringLiteral("opción desconocida: «%1»")
                    .arg(asTyped(parser.unknownOptionNames().constFirst(), arguments)));
        }
        return valueError(arguments);
    }
    if (parser.isSet(help)) {
        return CommandLineAnswer{0, helpText(), {}};
    }
    if (parser.isSet(version)) {
        return CommandLineAnswer{0, versionText(), {}};
    }
    if (!parser.positionalArguments().isEmpty()) {
        return usageError(QStringLiteral("argumento de más: «%1»")
                              .arg(parser.positionalArguments().constFirst()));
    }
    return std::nullopt;
}

std::optional<int> answerCommandLine(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments.append(QString::fromLocal8Bit(argv[i]));
    }
    const std::optional<CommandLineAnswer> answer = answerCommandLine(arguments);
    if (!answer) {
        return std::nullopt;
    }
    const bool written = std::fputs(answer->out.toLocal8Bit().constData(), stdout) != EOF &&
                         std::fflush(stdout) == 0;
    if (!written) {
        const int error = errno;
        std::fprintf(stderr, "vantrel: no se pudo escribir la salida estándar: %s\n",
                     std::strerror(error));
        return 1;
    }
    std::fputs(answer->error.toLocal8Bit().constData(), stderr);
    return answer->exitStatus;
}

} // namespace vantrel::startup
