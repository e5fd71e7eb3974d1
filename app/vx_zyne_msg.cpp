// vx-zyne-msg MESSAGE...: hands one private window message to the running VX Zyne Plus RGB, as an
// automation tool would: by name ("show", "box 3") or by number ("0x8106 2 0").
#include "SingleInstance.h"
#include "WindowMessageNames.h"
#include "WindowTitle.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>

namespace {
enum ExitCode { kSent = 0, kUsage = 1, kNotRunning = 3 };

QString tr(const char* text) {
    return QCoreApplication::translate("vx-zyne-msg", text);
}
} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        tr("Hands one message to the running VX Zyne Plus RGB.\n\nMessages by name:\n") +
        zyne::windowMessageNamesHelp() +
        tr("\nOr by number: MSG WPARAM LPARAM, each a 32-bit number, decimal or 0x-prefixed hex\n"
           "(e.g. 0x8106 2 0 shows box 3)."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("message"), tr("a name and its words, or MSG WPARAM LPARAM"),
                                 QStringLiteral("MESSAGE..."));
    // "hide" and the numbers are positional; nothing else starts with a dash.
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    if (!parser.parse(app.arguments())) {
        std::fprintf(stderr, "vx-zyne-msg: %s\n%s", qPrintable(parser.errorText()),
                     qPrintable(parser.helpText()));
        return kUsage;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        std::fputs(qPrintable(parser.helpText()), stdout);
        return kSent;
    }
    QString error;
    const auto message = zyne::windowMessageFromWords(parser.positionalArguments(), &error);
    if (!message) {
        std::fprintf(stderr, "vx-zyne-msg: %s\n%s", qPrintable(error), qPrintable(parser.helpText()));
        return kUsage;
    }
    const zyne::SingleInstance instance(QString::fromLatin1(zyne::kWindowTitleText));
    if (!instance.send(*message)) {
        std::fprintf(stderr, "vx-zyne-msg: %s\n", qPrintable(tr("VX Zyne Plus RGB is not running")));
        return kNotRunning;
    }
    return kSent;
}
