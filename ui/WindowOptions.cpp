// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/WindowOptions.h"

namespace {

constexpr int FewestPassesPerSecond = 1;
constexpr int MostPassesPerSecond = 10000;
const QString PassesOption = QStringLiteral("--passes-per-second");

// A decimal whole number in the allowed range, nothing around it.
std::optional<int> ParsePassesPerSecond(const QString& text) {
    if (text.isEmpty()) return std::nullopt;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9') return std::nullopt;
    }
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < FewestPassesPerSecond || value > MostPassesPerSecond) return std::nullopt;
    return value;
}

QString BadPassesMessage(const QString& source, const QString& text) {
    return QStringLiteral("%1 must be a whole number from %2 to %3, not '%4'")
        .arg(source)
        .arg(FewestPassesPerSecond)
        .arg(MostPassesPerSecond)
        .arg(text);
}

} // namespace

QString WindowUsage() {
    return QStringLiteral(
        "Usage: wogenfeld [options]\n"
        "Shows, live, how waves spread over a net of 71 x 71 coupled pendulums.\n"
        "Without options the passes run as fast as the machine allows.\n"
        "\n"
        "  --passes-per-second N  at most N passes a second (1..10000), so that the\n"
        "                         waves can be followed on a fast machine; also\n"
        "                         read from the environment variable\n"
        "                         WOGENFELD_PASSES_PER_SECOND\n"
        "  --version              the program's version\n"
        "  --help                 this text\n");
}

std::variant<TWindowOptions, TWindowHelpRequested, TWindowVersionRequested, QString>
ParseWindowOptions(const QStringList& args, const QString& passesFromEnvironment) {
    TWindowOptions options;
    if (!passesFromEnvironment.isEmpty()) {
        options.PassesPerSecond = ParsePassesPerSecond(passesFromEnvironment);
        if (!options.PassesPerSecond) {
            return BadPassesMessage(QStringLiteral("WOGENFELD_PASSES_PER_SECOND"),
                                    passesFromEnvironment);
        }
    }
    for (qsizetype at = 0; at < args.size(); ++at) {
        const QString& arg = args[at];
        if (arg == QStringLiteral("--help") || arg == QStringLiteral("-h")) {
            return TWindowHelpRequested{};
        }
        if (arg == QStringLiteral("--version")) return TWindowVersionRequested{};

        QString value;
        if (arg == PassesOption) {
            if (at + 1 == args.size()) return PassesOption + QStringLiteral(" needs a value");
            value = args[++at];
        } else if (arg.startsWith(PassesOption + u'=')) {
            value = arg.mid(PassesOption.size() + 1);
        } else {
            return QStringLiteral("unknown option '%1' (see wogenfeld --help)").arg(arg);
        }
        options.PassesPerSecond = ParsePassesPerSecond(value);
        if (!options.PassesPerSecond) return BadPassesMessage(PassesOption, value);
    }
    return options;
}
