// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/WindowOptions.h"

#include "control/PassRate.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

namespace {

const QString PassesName = QStringLiteral("passes-per-second");
const QString PassesOption = QStringLiteral("--") + PassesName;

std::optional<int> ParsePasses(const QString& text) {
    return ParsePassesPerSecond(text.toStdString());
}

QString BadPasses(const QString& source, const QString& text) {
    return QString::fromStdString(BadPassesMessage(source.toStdString(), text.toStdString()));
}

// The options once, for the parser and for the help text made from them.
struct TWindowCommandLine {
    QCommandLineOption Passes{
        PassesName,
        QStringLiteral("At most N passes a second (%1..%2), so that the waves can be "
                       "followed on a fast machine; also read from the environment "
                       "variable WOGENFELD_PASSES_PER_SECOND.")
            .arg(FewestPassesPerSecond)
            .arg(MostPassesPerSecond),
        QStringLiteral("N")};
    QCommandLineOption Version{QStringLiteral("version"), QStringLiteral("The program's version.")};
    QCommandLineOption Help{{QStringLiteral("h"), QStringLiteral("?"), QStringLiteral("help")},
                            QStringLiteral("This text.")};
    QCommandLineParser Parser;

    TWindowCommandLine() {
        Parser.setApplicationDescription(QStringLiteral(
            "Shows, live, how waves spread over a net of 71 x 71 coupled pendulums.\n"
            "Without options the passes run as fast as the machine allows; with\n"
            "--passes-per-second N at most N a second."));
        Parser.addOptions({Passes, Version, Help});
        Parser.addPositionalArgument(
            QStringLiteral("FILE"),
            QStringLiteral("A lesson (.wogenfeld) to open: the window shows the moment it keeps."),
            QStringLiteral("[FILE]"));
    }
};

// The parser's own messages are translated sentences; ours name the argument
// as it was typed, Qt's single-dash options included.
QString Refusal(const TWindowCommandLine& line, const QStringList& args) {
    for (qsizetype at = 0; at < args.size(); ++at) {
        const QString& arg = args[at];
        if (arg == QStringLiteral("--")) break;
        if (!arg.startsWith(u'-')) continue; // a file
        if (arg == PassesOption) {
            if (at + 1 == args.size()) return PassesOption + QStringLiteral(" needs a value");
            ++at;
            continue;
        }
        const bool known = arg.startsWith(PassesOption + u'=') ||
                           QStringList{"--version", "--help", "-h", "-?"}.contains(arg);
        if (!known) return QStringLiteral("unknown option '%1' (see wogenfeld --help)").arg(arg);
    }
    if (line.Parser.positionalArguments().size() > 1)
        return QStringLiteral("only one lesson file can be opened");
    return line.Parser.errorText();
}

} // namespace

QString WindowUsage() {
    // Qt names the program after the running application, of which there is
    // none yet when the options are read.
    const QString text = TWindowCommandLine().Parser.helpText();
    return QStringLiteral("Usage: wogenfeld [options] [FILE]") + text.mid(text.indexOf(u'\n'));
}

std::variant<TWindowOptions, TWindowHelpRequested, TWindowVersionRequested, QString>
ParseWindowOptions(const QStringList& args, const QString& passesFromEnvironment) {
    TWindowOptions options;
    if (!passesFromEnvironment.isEmpty()) {
        options.PassesPerSecond = ParsePasses(passesFromEnvironment);
        if (!options.PassesPerSecond) {
            return BadPasses(QStringLiteral("WOGENFELD_PASSES_PER_SECOND"), passesFromEnvironment);
        }
    }
    TWindowCommandLine line;
    if (!line.Parser.parse(QStringList{QStringLiteral("wogenfeld")} + args) ||
        line.Parser.positionalArguments().size() > 1) {
        return Refusal(line, args);
    }
    if (line.Parser.isSet(line.Help)) return TWindowHelpRequested{};
    if (line.Parser.isSet(line.Version)) return TWindowVersionRequested{};
    if (!line.Parser.positionalArguments().isEmpty())
        options.LessonFile = line.Parser.positionalArguments().constFirst();
    if (line.Parser.isSet(line.Passes)) {
        const QString value = line.Parser.value(line.Passes);
        options.PassesPerSecond = ParsePasses(value);
        if (!options.PassesPerSecond) return BadPasses(PassesOption, value);
    }
    return options;
}
