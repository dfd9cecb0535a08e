// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/RenderArguments.h"

#include "control/Examples.h"
#include "control/WholeNumber.h"
#include "render/OptionConflicts.h"
#include "render/RenderHelp.h"
#include "render/RenderOptions.h"

#include <QCommandLineParser>

#include <algorithm>
#include <map>
#include <optional>

namespace {

std::optional<long long> ParseCount(const QString& text) {
    bool ok = false;
    const long long value = text.toLongLong(&ok);
    if (!ok || value < 0) return std::nullopt;
    return value;
}

std::optional<bool> ParseSwitch(const QString& text) {
    if (text == "on") return true;
    if (text == "off") return false;
    return std::nullopt;
}

std::optional<TNodePosition> ParsePair(const QString& text) {
    const QStringList xy = text.split(',');
    if (xy.size() != 2) return std::nullopt;
    const std::optional<int> x = ParseWholeNumber(xy[0].toStdString());
    const std::optional<int> y = ParseWholeNumber(xy[1].toStdString());
    if (!x || !y) return std::nullopt;
    return TNodePosition{*x, *y};
}

const TExample* FindExample(const QString& text) {
    const std::optional<int> number = ParseWholeNumber(text.toStdString());
    if (number && *number >= 1 && *number <= static_cast<int>(Examples.size())) {
        return &Examples[static_cast<std::size_t>(*number - 1)];
    }
    for (const TExample& example : Examples) {
        if (QString::fromUtf8(example.Caption).compare(text, Qt::CaseInsensitive) == 0) {
            return &example;
        }
    }
    return nullptr;
}

constexpr std::pair<const char*, BoundaryMode> BoundaryNames[] = {
    {"damped", BoundaryMode::DampedBorder},
    {"loose", BoundaryMode::LooseEnd},
    {"fixed", BoundaryMode::FixedEnd},
};

// What the parser refused, as one line naming the argument as it was typed.
QString Refusal(const QCommandLineParser& parser, const QStringList& args) {
    const auto nameOf = [](const QString& arg) {
        QString name = arg.mid(arg.startsWith(QLatin1String("--")) ? 2 : 1);
        return name.left(name.indexOf(u'='));
    };
    if (!parser.unknownOptionNames().isEmpty()) {
        const QString unknown = parser.unknownOptionNames().constFirst();
        for (const QString& arg : args) {
            if (arg.startsWith(u'-') && nameOf(arg) == unknown)
                return QStringLiteral("unknown option: %1").arg(arg);
        }
    }
    for (const TRenderOption& row : RenderOptionTable()) {
        if (*row.ValueName != '\0') continue;
        for (const QString& arg : args) {
            if (arg.startsWith(u'-') && arg.contains(u'=') && NamesOf(row).contains(nameOf(arg)))
                return QStringLiteral("%1 takes no value").arg(arg.left(arg.indexOf(u'=')));
        }
    }
    return QStringLiteral("%1 needs a value").arg(args.constLast());
}

// Reads one value of the option into the settings, or says why it cannot.
std::optional<QString> ReadValue(const TRenderOption& row, const QString& value,
                                 TRenderSettings& s) {
    using TResult = std::optional<QString>;
    const QString option = Dashed(row.Name);
    const auto setWhole = [&](int& target) -> TResult {
        const TRange range = *RangeOf(row.Value);
        const std::optional<int> number = ParseWholeNumber(value.toStdString());
        if (!number || *number < range.Min || *number > range.Max) {
            return QStringLiteral("%1 must be a whole number from %2 to %3, not %4")
                .arg(option)
                .arg(range.Min)
                .arg(range.Max)
                .arg(value);
        }
        target = *number;
        return std::nullopt;
    };
    const auto setPath = [&](QString& target) -> TResult {
        if (value.isEmpty()) return QStringLiteral("%1 needs a file name").arg(option);
        target = value;
        return std::nullopt;
    };
    return std::visit(
        TCases{
            [&](const TSliderValue& v) { return setWhole(SliderPosition(s.Controls, v.Which)); },
            [&](const TWholeValue& v) { return setWhole(v.Field(s)); },
            [&](const TProfileLineValue& v) -> TResult {
                if (TResult refusal = setWhole(s.ProfileIndex)) return refusal;
                if (s.Profile != ProfileLine::None)
                    return QStringLiteral("%1: a profile runs along one row or one column")
                        .arg(option);
                s.Profile = v.Line;
                return std::nullopt;
            },
            [&](const TCountValue& v) -> TResult {
                const std::optional<long long> count = ParseCount(value);
                if (!count || *count < v.Min) {
                    return QStringLiteral("%1 must be a whole number of %2 or more, not %3")
                        .arg(option)
                        .arg(v.Min)
                        .arg(value);
                }
                v.Field(s) = *count;
                return std::nullopt;
            },
            [&](const TOnOffValue& v) -> TResult {
                const std::optional<bool> on = ParseSwitch(value);
                if (!on) return QStringLiteral("%1 must be on or off, not %2").arg(option, value);
                v.Field(s) = *on;
                return std::nullopt;
            },
            [&](const TFileValue& v) { return setPath(v.Field(s)); },
            [&](const TInputFileValue& v) { return setPath(v.Field(s)); },
            [&](const TFolderValue& v) { return setPath(v.Field(s)); },
            [&](const TBoundaryValue&) -> TResult {
                for (const auto& [name, mode] : BoundaryNames) {
                    if (value == QLatin1String(name)) {
                        s.Controls.Mode = mode;
                        return std::nullopt;
                    }
                }
                return QStringLiteral("%1 must be damped, loose or fixed, not %2")
                    .arg(option, value);
            },
            [&](const TSourceValue& v) -> TResult {
                if (!ParsePair(value)) {
                    return QStringLiteral("%1 must be two whole numbers X,Y, not %2")
                        .arg(option, value);
                }
                // As typed: the run start reads the fields as the window's do.
                const QStringList xy = value.split(',');
                s.SourceFields[v.FirstField] = xy[0].toStdString();
                s.SourceFields[v.FirstField + 1] = xy[1].toStdString();
                return std::nullopt;
            },
            [&](const TProbeValue&) -> TResult {
                const TRange range = *RangeOf(row.Value);
                const auto inRange = [range](int k) { return k >= range.Min && k <= range.Max; };
                const std::optional<TNodePosition> node = ParsePair(value);
                if (!node || !inRange(node->X) || !inRange(node->Y)) {
                    return QStringLiteral("%1 must be X,Y with both from %2 to %3, not %4")
                        .arg(option)
                        .arg(range.Min)
                        .arg(range.Max)
                        .arg(value);
                }
                s.Probes.push_back(*node);
                return std::nullopt;
            },
            // Flags are set without a value; the example is applied before all
            // others; help and version are answered before any value is read.
            [](const auto&) -> TResult { return std::nullopt; },
        },
        row.Value);
}

const TRenderOption& OptionNamed(const QString& name) {
    const std::vector<TRenderOption>& table = RenderOptionTable();
    return *std::find_if(table.begin(), table.end(),
                         [&name](const TRenderOption& row) { return NamesOf(row).contains(name); });
}

} // namespace

std::variant<TRenderSettings, THelpRequested, TVersionRequested, QString>
ParseRenderArguments(const QStringList& args) {
    QCommandLineParser parser;
    DefineRenderOptions(parser);
    if (!parser.parse(QStringList{QStringLiteral("wogenfeld-render")} + args))
        return Refusal(parser, args);
    if (!parser.positionalArguments().isEmpty()) {
        return QStringLiteral("unknown option: %1").arg(parser.positionalArguments().constFirst());
    }
    if (parser.isSet(QStringLiteral("help"))) return THelpRequested{};
    if (parser.isSet(QStringLiteral("version"))) return TVersionRequested{};

    TRenderSettings settings;
    // The example goes first, so that the other options change it.
    for (const QString& name : parser.values(QStringLiteral("example"))) {
        const TExample* example = FindExample(name);
        if (!example)
            return QStringLiteral("--example: unknown example %1 (1-7 or a caption)").arg(name);
        SetExampleValues(settings, *example);
        settings.Example = static_cast<int>(example - Examples.data());
    }
    // In the order given, so that the first argument at fault is the one named.
    std::map<QString, qsizetype> taken;
    for (const QString& name : parser.optionNames()) {
        const TRenderOption& row = OptionNamed(name);
        if (const auto* flag = std::get_if<TFlagValue>(&row.Value)) {
            flag->Field(settings) = true;
            continue;
        }
        const QString value = parser.values(name).at(taken[name]++);
        if (std::optional<QString> refusal = ReadValue(row, value, settings)) return *refusal;
    }

    if (std::optional<QString> conflict = OptionConflict(settings, parser)) return *conflict;
    // A lesson is the run up to its pass: without --iterations, nothing more.
    if (!settings.LessonFile.isEmpty() && !parser.isSet(QStringLiteral("iterations")))
        settings.Iterations = 0;
    if (!settings.GifFile.isEmpty() && settings.Every == 0 && !settings.Strobe)
        settings.Every = GifEvery;
    return settings;
}
