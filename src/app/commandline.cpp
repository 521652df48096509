#include "app/commandline.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <array>
#include <cstdio>

namespace {

// The shell's convention for a command line the program does not understand.
constexpr int UsageError = 2;

// The options QGuiApplication, its X11 and Wayland back ends, and QApplication take out of the command
// line for themselves. A session manager restoring a session adds -session; a user may add any of them.
struct QtOption {
    const char* name;
    bool takesValue;
    bool choosesDisplay = false;
};
constexpr std::array QtOptions{
    QtOption{"platform", true, true}, QtOption{"display", true, true}, QtOption{"platformpluginpath", true},
    QtOption{"platformtheme", true},  QtOption{"plugin", true},        QtOption{"qwindowgeometry", true},
    QtOption{"geometry", true},       QtOption{"qwindowtitle", true},  QtOption{"title", true},
    QtOption{"qwindowicon", true},    QtOption{"icon", true},          QtOption{"session", true},
    QtOption{"name", true},           QtOption{"visual", true},        QtOption{"style", true},
    QtOption{"stylesheet", true},     QtOption{"reverse", false},      QtOption{"nograb", false},
    QtOption{"dograb", false},        QtOption{"widgetcount", false},  QtOption{"qmljsdebugger", true},
};

// Qt reads its options with one dash or two, and a few of them also as -name=value.
const QtOption* qtOption(const QString& argument, bool* valueAttached) {
    if (!argument.startsWith(u'-'))
        return nullptr;
    QString name = argument.mid(argument.startsWith(QLatin1String("--")) ? 2 : 1);
    const qsizetype equals = name.indexOf(u'=');
    *valueAttached = equals >= 0;
    if (equals >= 0)
        name.truncate(equals);
    for (const QtOption& option : QtOptions) {
        if (name == QLatin1String(option.name) && (option.takesValue || equals < 0))
            return &option;
    }
    return nullptr;
}

// What the program cannot take among its own arguments; an option is named as it was typed, dashes and all.
QString mistakeIn(QCommandLineParser& parser, const QStringList& arguments) {
    if (parser.parse(arguments))
        return {};
    const QStringList unknown = parser.unknownOptionNames();
    for (const QString& argument : arguments.sliced(1)) {
        const QString name = argument.section(u'=', 0, 0);
        if (!unknown.isEmpty() &&
            (name == u'-' + unknown.first() || name == QLatin1String("--") + unknown.first()))
            return QStringLiteral("Unknown option '%1'.").arg(name);
    }
    return parser.errorText();
}

} // namespace

CommandLine readCommandLine(int argc, char* argv[]) {
    // A core application decodes argv and names the program in the usage line without touching the
    // display; it is gone before the real application opens one.
    QCoreApplication core(argc, argv);
    CommandLine result;
    QStringList ours;
    QString mistake;
    const QStringList arguments = QCoreApplication::arguments();
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        bool valueAttached = false;
        const QtOption* option = i > 0 ? qtOption(arguments[i], &valueAttached) : nullptr;
        if (option == nullptr) {
            ours.append(arguments[i]);
            continue;
        }
        result.choosesDisplay |= option->choosesDisplay;
        if (option->takesValue && !valueAttached && ++i == arguments.size() && mistake.isEmpty())
            mistake = QStringLiteral("Missing value after '%1'.").arg(arguments.last());
    }

    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(QStringLiteral(
        "Wordpot, a learning program for young children: a letter explorer, a spelling game and Hangman.\n"
        "Qt's own options (-platform, -display, -style, -session, -reverse...) are taken as in any Qt "
        "program."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and exit."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the version and exit."));
    parser.addOption(help);
    parser.addOption(version);
    parser.addPositionalArgument(
        QStringLiteral("word-list"),
        QStringLiteral("Play with the words of a word list (.kvtml), as a parent would "
                       "choose them from the Words menu."),
        QStringLiteral("[word-list...]"));

    if (mistake.isEmpty())
        mistake = mistakeIn(parser, ours);
    result.files = parser.positionalArguments();
    if (!mistake.isEmpty()) {
        std::fprintf(stderr, "wordpot: %s Try 'wordpot --help'.\n", qPrintable(mistake));
        result.exitStatus = UsageError;
    } else if (parser.isSet(help)) {
        std::fputs(qPrintable(parser.helpText()), stdout);
        result.exitStatus = 0;
    } else if (parser.isSet(version)) {
        std::printf("Wordpot %s\n", WORDPOT_VERSION);
        result.exitStatus = 0;
    }
    return result;
}
