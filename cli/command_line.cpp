// SPDX-License-Identifier: GPL-3.0-or-later
#include "command_line.h"

#include "vantrel_version.h"

#include <array>
#include <getopt.h>
#include <utility>

namespace vantrel::cli {
namespace {

constexpr std::array<std::pair<std::string_view, Conversion>, 8> kConversionNames = {{
    {"caracter", Conversion::Character},
    {"carácter", Conversion::Character},
    {"decimal", Conversion::Decimal},
    {"binario", Conversion::Binary},
    {"texto-bin", Conversion::MessageToBinary},
    {"bin-texto", Conversion::BinaryToMessage},
    {"bin-hex", Conversion::BinaryToHex},
    {"hex-bin", Conversion::HexToBinary},
}};

constexpr option kLongOptions[] = {
    {"bits", required_argument, nullptr, 'b'},
    {"crudo", no_argument, nullptr, 'r'},
    {"saltos-crlf", no_argument, nullptr, 'c'}, // long only, as --bits
    {"help", no_argument, nullptr, 'h'},
    {"version", no_argument, nullptr, 'V'},
    {nullptr, 0, nullptr, 0},
};

std::optional<Conversion> conversionNamed(std::string_view name)
{
    for (const auto &[conversionName, conversion] : kConversionNames) {
        if (name == conversionName) {
            return conversion;
        }
    }
    return std::nullopt;
}

std::string quoted(std::string_view text)
{
    return "«" + std::string(text) + "»";
}

// The operands after the conversion name, joined with spaces as echo joins
// them; a lone "-" or no operand at all means standard input.
std::optional<std::string> textOfOperands(char **first, char **last)
{
    if (first == last || (last - first == 1 && std::string_view(*first) == "-")) {
        return std::nullopt;
    }
    std::string text = *first;
    for (char **operand = first + 1; operand != last; ++operand) {
        text += ' ';
        text += *operand;
    }
    return text;
}

// The long option as typed ("--crudo") when the element getopt rejected with
// this letter is that option given an argument it does not take
// ("--crudo=x"); getopt reports that error by the option's letter alone.
std::optional<std::string_view> longOptionGivenAnArgument(std::string_view given, int letter)
{
    const std::size_t equals = given.find('=');
    if (!given.starts_with("--") || equals == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view typed = given.substr(0, equals);
    for (const option &known : kLongOptions) {
        if (known.name != nullptr && known.val == letter && known.has_arg == no_argument &&
            std::string_view(known.name).starts_with(typed.substr(2))) {
            return typed;
        }
    }
    return std::nullopt;
}

} // namespace

CommandLine parseCommandLine(int argc, char *argv[])
{
    ConversionRequest request;
    opterr = 0; // the messages below replace getopt's own
    optind = 0; // start afresh, whoever parsed before
    for (;;) {
        const int option = getopt_long(argc, argv, ":78rhVv", kLongOptions, nullptr);
        if (option == -1) {
            break;
        }
        const std::string_view given = argv[optind - 1];
        switch (option) {
        case '7':
            request.mode = BitMode::Seven;
            break;
        case '8':
            request.mode = BitMode::Eight;
            break;
        case 'b':
            if (std::string_view(optarg) == "7") {
                request.mode = BitMode::Seven;
            } else if (std::string_view(optarg) == "8") {
                request.mode = BitMode::Eight;
            } else {
                return UsageError{"los bits por carácter son 7 u 8, no " + quoted(optarg)};
            }
            break;
        case 'r':
            request.encoding = Encoding::Raw;
            break;
        case 'c':
            request.lineBreaks = LineBreaks::CrLf;
            break;
        case 'h':
            return HelpRequest{};
        case 'V':
        case 'v': // as vantrel spells it too
            return VersionRequest{};
        case ':':
            return UsageError{"la opción " + quoted(given) + " necesita un argumento"};
        default:
            if (optopt == 0) {
                return UsageError{"opción no reconocida: " + quoted(given)};
            }
            if (const auto typed = longOptionGivenAnArgument(given, optopt)) {
                return UsageError{"la opción " + quoted(*typed) + " no admite argumentos"};
            }
            return UsageError{"opción no válida: " + quoted(std::string{'-', char(optopt)})};
        }
    }
    if (optind == argc) {
        return UsageError{"falta la conversión"};
    }
    const std::optional<Conversion> conversion = conversionNamed(argv[optind]);
    if (!conversion) {
        return UsageError{"conversión desconocida: " + quoted(argv[optind])};
    }
    request.conversion = *conversion;
    request.text = textOfOperands(argv + optind + 1, argv + argc);
    return request;
}

std::string_view helpText()
{
    return R"(Uso: vantrel-convert [OPCIÓN]... CONVERSIÓN [TEXTO]...
Convierte TEXTO con las reglas de Vantrel. Sin TEXTO, o si TEXTO es «-», lee la
entrada estándar, a la que se le quita un salto de línea final (LF o CR LF).
Varios TEXTO se unen con un espacio entre ellos. Los demás saltos de línea
quedan como vienen: en texto-bin, LF es el código 10 y CR el 13.

Conversiones:
  caracter    un carácter a su código decimal y sus ocho dígitos binarios
  decimal     un código decimal (de 0 a 255) a sus dígitos binarios y su carácter
  binario     ocho dígitos binarios a su código decimal y su carácter
  texto-bin   un mensaje a los grupos binarios de sus caracteres
  bin-texto   grupos binarios a mensaje
  bin-hex     un número binario de cualquier longitud a hexadecimal
  hex-bin     un número hexadecimal de cualquier longitud a binario

Las conversiones de valores escriben tres líneas: el código decimal, los ocho
dígitos binarios y el carácter.

Opciones:
  -7, -8, --bits=N  dígitos binarios por carácter en texto-bin y bin-texto
                    (8 si no se indica)
  -r, --crudo       lee y escribe un byte por carácter, en Windows-1252,
                    en lugar de UTF-8
      --saltos-crlf en texto-bin, cada salto de línea (CR LF, CR, LF y, en
                    UTF-8, U+2028 y U+2029) pasa a ser CR LF (13 10) antes
                    de codificarse, como en la ventana de Vantrel
  -h, --help        muestra esta ayuda y termina
  -V, --version     muestra la versión y termina (también -v)

Un TEXTO que empiece por «-» va detrás de «--».

Estado de salida: 0 si la conversión se hizo; 1 si la entrada no es válida o
falla una lectura o una escritura, y entonces la salida estándar no es un
resultado; 2 si la línea de órdenes es incorrecta.

Más detalles en vantrel-convert(1).
)";
}

std::string versionText()
{
    return std::string(kProgramName) + " (Vantrel) " + build::kVersion + "\nHecho por Tarnwick.\n";
}

} // namespace vantrel::cli
