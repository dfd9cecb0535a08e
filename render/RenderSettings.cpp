// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/RenderSettings.h"

#include "control/Examples.h"
#include "control/WholeNumber.h"
#include "output/OutputFile.h"
#include "render/SliderOptions.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QFileInfo>

#include <map>
#include <optional>

TRenderSettings::TRenderSettings() : TPanelValues(DrivenStartPanel()) {}

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

bool InVisibleNet(int index) {
    return index >= 1 && index <= 71;
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

bool DirectoryWritable(const QString& path) {
    const QFileInfo info(path);
    return info.isDir() && info.isWritable();
}

QString SliderText(const char* what, Slider slider) {
    return QStringLiteral("%1, %2 (start %3).")
        .arg(QLatin1String(what), RangeText(slider), StartText(slider));
}

// The options in the order of the help text: the controls of the window, the
// run and its pictures, measuring, then the program's own.
QList<QCommandLineOption> RenderOptions() {
    const auto option = [](const char* name, const char* value, const QString& text) {
        return QCommandLineOption(QLatin1String(name), text, QLatin1String(value));
    };
    const auto flag = [](const char* name, const QString& text) {
        return QCommandLineOption(QLatin1String(name), text);
    };
    return {
        option("example", "N|CAPTION",
               "One of the seven examples, by number (1-7) or by its caption, "
               "e.g. \"Zwei Punktquellen eng\"; default: the window's start state."),
        option("excitation", "on|off", "\"Anregung\" (default on)."),
        option("frequency", "P",
               SliderText("Frequency slider", Slider::Frequency) + " Omega = P * 0.01."),
        option("amplitude", "P", SliderText("Amplitude slider", Slider::Amplitude)),
        option("coupling", "P", SliderText("Coupling slider", Slider::Coupling)),
        option("boundary", "MODE", "damped, loose or fixed."),
        option("cross-grid", "on|off",
               "\"Kreuzgitter\" (cross lines, and 1.5 times the time step)."),
        option("rotate-x", "P",
               SliderText("Rotation slider about x in degrees", Slider::RotationX)),
        option("rotate-y", "P",
               SliderText("Rotation slider about y in degrees", Slider::RotationY)),
        option("rotate-z", "P",
               SliderText("Rotation slider about z in degrees", Slider::RotationZ)),
        option("zoom", "P", SliderText("Zoom slider", Slider::Zoom)),
        option("source1", "X,Y", "Position of source 1 as typed in the window (1..71)."),
        option("source2", "X,Y", "Position of source 2 as typed in the window (1..71)."),
        option("source1-on", "on|off", "The source check box \"1\"."),
        option("source2-on", "on|off", "The source check box \"2\"."),

        option("iterations", "N", "Passes of the run loop (default 600)."),
        option("out", "FILE", "Write the last frame to FILE (PNG)."),
        option("out-dir", "DIR",
               "Write the chosen frames to DIR/frame-NNNNNN.png, NNNNNN the pass; needs --every or "
               "--strobe."),
        option("gif", "FILE",
               "Write the chosen frames as an animated GIF that loops forever; each frame after "
               "the first "
               "holds only the rectangle that changed."),
        option("every", "K", "One frame every K passes (default 4 with --gif)."),
        flag("strobe", "One frame per drive period instead, at the first pass whose drive phase "
                       "has come round to 0 "
                       "again; needs \"Anregung\", a source or the wavefront, and a frequency "
                       "above 0; also thins "
                       "--csv and --plot to those passes."),
        option("fps", "N", "Playback rate of the GIF, 1..50 frames per second (default 25)."),
        flag("crop", "Cut every picture to the smallest rectangle that holds each drawn pixel of "
                     "the pictures "
                     "written, plus 8 pixels; the run is then computed twice."),

        option(
            "probe", "X,Y",
            "Follow the node X,Y (1..71, as the source fields count) in the tables and the chart "
            "(--csv, --csv-decimal-comma, --plot); "
            "may be given several times."),
        option("csv", "FILE",
               "One row per pass: pass, SimTime (the time the pass's drive ran at), the "
               "displacement Z of "
               "each probe, and the energy per unit mass of the visible 71 x 71 net (kinetic, own "
               "springs, "
               "coupling springs, total)."),
        option("csv-decimal-comma", "FILE",
               "The same table with \";\" between the fields and \",\" as the decimal point, "
               "as spreadsheets read it in German and other languages with a decimal comma."),
        option("plot", "FILE",
               "The same series as a line chart (PNG): displacements above, energies below, "
               "against SimTime."),
        option("profile", "FILE",
               "The 71 displacements along a row or a column at the last pass, as CSV; with one of "
               "--profile-row and --profile-column. Unless --quiet, also says the wavelength, the "
               "speed v = wavelength * frequency of the drive, and the speed the lattice's "
               "dispersion gives."),
        option("profile-row", "Y", "The row Y (nodes 1..71 in x)."),
        option("profile-column", "X", "The column X (nodes 1..71 in y)."),

        flag("hash", "Print hashes of the net's state and of the last frame."),
        flag("quiet", "No progress on standard error (otherwise a progress bar on a terminal, "
                      "plain lines for long "
                      "runs elsewhere)."),
        flag("version", "The program's version."),
        QCommandLineOption({"h", "?", "help"}, QStringLiteral("This text.")),
    };
}

void DefineOptions(QCommandLineParser& parser) {
    // Wrapped by hand: the parser wraps the options, not the description.
    parser.setApplicationDescription(QStringLiteral(
        "Runs the Wogenfeld net without a window and writes its frames as PNG or as an\n"
        "animated GIF, the motion of chosen nodes and the energy of the net as a table\n"
        "and a chart, and a profile of the net along a row or a column.\n"
        "\n"
        "The options come in three groups: the controls of the window (--example to\n"
        "--source2-on), the run and its pictures (--iterations to --crop), and measuring\n"
        "(--probe to --profile-column).\n"
        "\n"
        "A FILE of - is standard output, for one output at most and not with --hash. A\n"
        "regular file is written under a temporary name and renamed when complete,\n"
        "keeping its permissions; a symbolic link is followed; a device, FIFO or socket\n"
        "is written in place. Bad arguments or an output that cannot be opened end the\n"
        "program with status 2, a failed run or write with 1."));
    // Single-dash words are refused by their whole name, not letter by letter.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOptions(RenderOptions());
}

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
    for (const QCommandLineOption& option : RenderOptions()) {
        if (!option.valueName().isEmpty()) continue;
        for (const QString& arg : args) {
            if (arg.startsWith(u'-') && arg.contains(u'=') &&
                option.names().contains(nameOf(arg))) {
                return QStringLiteral("%1 takes no value").arg(arg.left(arg.indexOf(u'=')));
            }
        }
    }
    return QStringLiteral("%1 needs a value").arg(args.constLast());
}

// What the settings ask for that cannot be done, or nothing.
std::optional<QString> Conflict(const TRenderSettings& s, bool fpsGiven) {
    if (s.Strobe && s.Every > 0)
        return QStringLiteral("--strobe and --every choose the frames in two ways; give one");
    if (s.Every > 0 && !s.WritesFrames()) return QStringLiteral("--every needs --out-dir or --gif");
    if (!s.OutDir.isEmpty() && s.Every == 0 && !s.Strobe) {
        return QStringLiteral("--out-dir needs --every or --strobe");
    }
    if (fpsGiven && s.GifFile.isEmpty()) return QStringLiteral("--fps needs --gif");
    if (s.Crop && s.OutFile.isEmpty() && !s.WritesFrames()) {
        return QStringLiteral("--crop needs a picture: --out, --out-dir or --gif");
    }
    const bool table = !s.CsvFile.isEmpty() || !s.CsvCommaFile.isEmpty();
    if (!s.Probes.empty() && !table && s.PlotFile.isEmpty()) {
        return QStringLiteral("--probe needs --csv, --csv-decimal-comma or --plot");
    }
    if (s.ProfileFile.isEmpty() != (s.Profile == ProfileLine::None)) {
        return QStringLiteral(
            "--profile needs one --profile-row or --profile-column, and they need --profile");
    }
    if (s.Strobe) {
        if (!s.WritesFrames() && !table && s.PlotFile.isEmpty()) {
            return QStringLiteral(
                "--strobe needs --gif, --out-dir, --csv, --csv-decimal-comma or --plot");
        }
        const TExcitationControls& drive = s.Controls.Excitation;
        if (!drive.Excitation || !(drive.Source1 || drive.Source2 || drive.Wavefront)) {
            return QStringLiteral(
                "--strobe needs a drive: \"Anregung\" and a source or the wavefront on");
        }
        if (drive.FrequencyPosition == 0)
            return QStringLiteral("--strobe needs a frequency above 0 (Omega is 0)");
    }

    // Every output once, each one that can be written; standard output for one at most.
    const std::pair<const char*, const QString*> files[] = {
        {"--out", &s.OutFile},   {"--gif", &s.GifFile},
        {"--csv", &s.CsvFile},   {"--csv-decimal-comma", &s.CsvCommaFile},
        {"--plot", &s.PlotFile}, {"--profile", &s.ProfileFile}};
    if (s.OutDir == QLatin1String("-"))
        return QStringLiteral("--out-dir: standard output cannot hold frame files");
    for (std::size_t k = 0; k < std::size(files); ++k) {
        const QString& path = *files[k].second;
        const QLatin1String option(files[k].first);
        if (path.isEmpty()) continue;
        if (const std::optional<QString> refusal = OutputRefusal(path)) {
            return QStringLiteral("%1: %2").arg(option, *refusal);
        }
        const TOutputTarget target = OutputTarget(path);
        const bool standardOutput = target.Kind == TOutputTarget::TKind::StandardOutput;
        if (standardOutput && s.PrintHashes) {
            return QStringLiteral("%1 - and --hash both write to standard output").arg(option);
        }
        for (std::size_t m = 0; m < k; ++m) {
            const QLatin1String earlier(files[m].first);
            if (files[m].second->isEmpty() || OutputTarget(*files[m].second).Path != target.Path)
                continue;
            if (standardOutput)
                return QStringLiteral("%1 and %2 both write to standard output")
                    .arg(earlier, option);
            return QStringLiteral("%1 and %2 name the same file %3").arg(earlier, option, path);
        }
    }
    if (!s.OutDir.isEmpty() && !DirectoryWritable(s.OutDir)) {
        return QStringLiteral("--out-dir: cannot write into the folder %1").arg(s.OutDir);
    }
    return std::nullopt;
}

} // namespace

QString RenderUsage() {
    QCommandLineParser parser;
    DefineOptions(parser);
    // Qt would name the program after the application object, made only after the options are read.
    const QString text = parser.helpText();
    return QStringLiteral("Usage: wogenfeld-render [options]") + text.mid(text.indexOf(u'\n'));
}

std::variant<TRenderSettings, THelpRequested, TVersionRequested, QString>
ParseRenderArguments(const QStringList& args) {
    QCommandLineParser parser;
    DefineOptions(parser);
    if (!parser.parse(QStringList{QStringLiteral("wogenfeld-render")} + args))
        return Refusal(parser, args);
    if (!parser.positionalArguments().isEmpty()) {
        return QStringLiteral("unknown option: %1").arg(parser.positionalArguments().constFirst());
    }
    if (parser.isSet(QStringLiteral("help"))) return THelpRequested{};
    if (parser.isSet(QStringLiteral("version"))) return TVersionRequested{};

    TRenderSettings settings;
    TControlState& controls = settings.Controls;

    struct TRange {
        int* Value;
        int Min;
        int Max;
    };
    std::map<QString, TRange> ranges = {
        // Browsers slow down GIFs whose frames last less than 2/100 s.
        {"--fps", {&settings.Fps, 1, 50}},
        {"--profile-row", {&settings.ProfileIndex, 1, 71}},
        {"--profile-column", {&settings.ProfileIndex, 1, 71}},
    };
    for (const TSliderOption& slider : SliderOptions) {
        const TSliderRow& row = SliderRow(slider.Which);
        ranges.emplace(slider.Name,
                       TRange{&SliderPosition(controls, slider.Which), row.Minimum, row.Maximum});
    }
    const std::map<QString, bool*> switches = {
        {"--excitation", &controls.Excitation.Excitation},
        {"--cross-grid", &controls.View.CrossGrid},
        {"--source1-on", &controls.Excitation.Source1},
        {"--source2-on", &controls.Excitation.Source2},
    };
    const std::map<QString, bool*> flags = {{"--hash", &settings.PrintHashes},
                                            {"--quiet", &settings.Quiet},
                                            {"--strobe", &settings.Strobe},
                                            {"--crop", &settings.Crop}};
    const std::map<QString, QString*> paths = {{"--out", &settings.OutFile},
                                               {"--out-dir", &settings.OutDir},
                                               {"--gif", &settings.GifFile},
                                               {"--csv", &settings.CsvFile},
                                               {"--plot", &settings.PlotFile},
                                               {"--profile", &settings.ProfileFile},
                                               {"--csv-decimal-comma", &settings.CsvCommaFile}};

    // The example goes first, so that the other options change it.
    for (const QString& name : parser.values(QStringLiteral("example"))) {
        const TExample* example = FindExample(name);
        if (!example)
            return QStringLiteral("--example: unknown example %1 (1-7 or a caption)").arg(name);
        SetExampleValues(settings, *example);
    }

    bool fpsGiven = false;
    // In the order given, so that the first argument at fault is the one named.
    std::map<QString, qsizetype> taken;
    for (const QString& name : parser.optionNames()) {
        const QString option = QStringLiteral("--") + name;
        if (const auto flag = flags.find(option); flag != flags.end()) {
            *flag->second = true;
            continue;
        }
        const QString value = parser.values(name).at(taken[name]++);

        if (option == "--example") continue;
        if (const auto range = ranges.find(option); range != ranges.end()) {
            const std::optional<int> number = ParseWholeNumber(value.toStdString());
            const TRange& r = range->second;
            if (!number || *number < r.Min || *number > r.Max) {
                return QStringLiteral("%1 must be a whole number from %2 to %3, not %4")
                    .arg(option)
                    .arg(r.Min)
                    .arg(r.Max)
                    .arg(value);
            }
            *r.Value = *number;
            fpsGiven |= option == "--fps";
            if (option == "--profile-row" || option == "--profile-column") {
                if (settings.Profile != ProfileLine::None) {
                    return QStringLiteral("%1: a profile runs along one row or one column")
                        .arg(option);
                }
                settings.Profile =
                    option == "--profile-row" ? ProfileLine::Row : ProfileLine::Column;
            }
        } else if (const auto onOff = switches.find(option); onOff != switches.end()) {
            const std::optional<bool> on = ParseSwitch(value);
            if (!on) return QStringLiteral("%1 must be on or off, not %2").arg(option, value);
            *onOff->second = *on;
        } else if (const auto path = paths.find(option); path != paths.end()) {
            if (value.isEmpty()) return QStringLiteral("%1 needs a file name").arg(option);
            *path->second = value;
        } else if (option == "--boundary") {
            if (value == "damped")
                controls.Mode = BoundaryMode::DampedBorder;
            else if (value == "loose")
                controls.Mode = BoundaryMode::LooseEnd;
            else if (value == "fixed")
                controls.Mode = BoundaryMode::FixedEnd;
            else
                return QStringLiteral("--boundary must be damped, loose or fixed, not %1")
                    .arg(value);
        } else if (option == "--source1" || option == "--source2") {
            if (!ParsePair(value)) {
                return QStringLiteral("%1 must be two whole numbers X,Y, not %2")
                    .arg(option, value);
            }
            const QStringList xy = value.split(',');
            const std::size_t first = option == "--source1" ? 0 : 2;
            settings.SourceFields[first] = xy[0].toStdString();
            settings.SourceFields[first + 1] = xy[1].toStdString();
        } else if (option == "--probe") {
            const std::optional<TNodePosition> node = ParsePair(value);
            if (!node || !InVisibleNet(node->X) || !InVisibleNet(node->Y)) {
                return QStringLiteral("--probe must be X,Y with both from 1 to 71, not %1")
                    .arg(value);
            }
            settings.Probes.push_back(*node);
        } else {
            const std::optional<long long> count = ParseCount(value);
            const bool every = option == "--every";
            if (!count || (every && *count == 0)) {
                return QStringLiteral("%1 must be a whole number of %2 or more, not %3")
                    .arg(option)
                    .arg(every ? 1 : 0)
                    .arg(value);
            }
            (every ? settings.Every : settings.Iterations) = *count;
        }
    }

    if (const std::optional<QString> conflict = Conflict(settings, fpsGiven)) return *conflict;
    // A GIF second then shows 100 passes, two periods of the drive at the start
    // frequency; and encoding a frame costs less than the passes it shows.
    if (!settings.GifFile.isEmpty() && settings.Every == 0 && !settings.Strobe) settings.Every = 4;
    return settings;
}
