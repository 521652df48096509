#include "app/commandline.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>

namespace {

// The shell's convention for a command line the program does not understand.
constexpr int UsageError = 2;

} // namespace

std::optional<int> commandLineExitStatus(int argc, char* argv[]) {
    // A core application decodes argv and names the program in the usage line without touching the
    // display; it is gone before the real application opens one.
    QCoreApplication core(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Wordpot, a learning program for young children: a letter explorer, a spelling game and Hangman."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and exit."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the version and exit."));
    parser.addOption(help);
    parser.addOption(version);

    QString mistake;
    if (!parser.parse(QCoreApplication::arguments()))
        mistake = parser.errorText();
    else if (!parser.positionalArguments().isEmpty())
        mistake = QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().first());
    if (!mistake.isEmpty()) {
        std::fprintf(stderr, "wordpot: %s Try 'wordpot --help'.\n", qPrintable(mistake));
        return UsageError;
    }
    if (parser.isSet(help)) {
        std::fputs(qPrintable(parser.helpText()), stdout);
        return 0;
    }
    if (parser.isSet(version)) {
        std::printf("Wordpot %s\n", WORDPOT_VERSION);
        return 0;
    }
    return std::nullopt;
}
