// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/RenderSettings.h"

#include "control/Examples.h"
#include "control/WholeNumber.h"
#include "output/OutputFile.h"
#include "render/SliderOptions.h"

#include <QFileInfo>

#include <map>
#include <optional>

TRenderSettings::TRenderSettings() : TPanelValues(StartPanel()) {
    Controls.Excitation.Excitation = true;
}

QString RenderUsage() {
    return QStringLiteral(
        "Usage: wogenfeld-render [options]\n"
        "Runs the Wogenfeld net without a window and writes its frames as PNG or as\n"
        "an animated GIF, the motion of chosen nodes and the energy of the net as a\n"
        "table and a chart, and a profile of the net along a row or a column.\n"
        "\n"
        "The controls of the window:\n"
        "  --example N|CAPTION   one of the seven examples, by number (1-7) or by its\n"
        "                        caption, e.g. \"Zwei Punktquellen eng\"; default: the\n"
        "                        window's start state\n"
        "  --excitation on|off   \"Anregung\" (default on)\n"
        "  --frequency P         frequency slider, %1 (Omega = P * 0.01)\n"
        "  --amplitude P         amplitude slider, %2\n"
        "  --coupling P          coupling slider, %3\n"
        "  --boundary MODE       damped, loose or fixed\n"
        "  --cross-grid on|off   \"Kreuzgitter\" (cross lines, and 1.5 times the time step)\n"
        "  --rotate-x P, --rotate-y P, --rotate-z P\n"
        "                        rotation sliders in degrees, %4 (%5, %6, %7)\n"
        "  --zoom P              zoom slider, %8 (%9)\n"
        "  --source1 X,Y, --source2 X,Y\n"
        "                        source positions as typed in the window (1..71)\n"
        "  --source1-on on|off, --source2-on on|off\n"
        "                        the source check boxes \"1\" and \"2\"\n"
        "\n"
        "The run and its pictures:\n"
        "  --iterations N        passes of the run loop (default 600)\n"
        "  --out FILE            write the last frame to FILE (PNG)\n"
        "  --out-dir DIR         write the chosen frames to DIR/frame-NNNNNN.png, NNNNNN\n"
        "                        the pass; needs --every or --strobe\n"
        "  --gif FILE            write the chosen frames as an animated GIF that loops\n"
        "                        forever; each frame after the first holds only the\n"
        "                        rectangle that changed\n"
        "  --every K             one frame every K passes (default 4 with --gif)\n"
        "  --strobe              one frame per drive period instead, at the first pass\n"
        "                        whose drive phase has come round to 0 again; needs\n"
        "                        \"Anregung\", a source or the wavefront, and a\n"
        "                        frequency above 0; also thins --csv and --plot to\n"
        "                        those passes\n"
        "  --fps N               playback rate of the GIF, 1..50 frames per second\n"
        "                        (default 25)\n"
        "  --crop                cut every picture to the smallest rectangle that holds\n"
        "                        each drawn pixel of the pictures written, plus 8 pixels;\n"
        "                        the run is then computed twice\n"
        "\n"
        "Measuring:\n"
        "  --probe X,Y           follow the node X,Y (1..71, as the source fields count)\n"
        "                        in --csv and --plot; may be given several times\n"
        "  --csv FILE            one row per pass: pass, SimTime (the time the pass's\n"
        "                        drive ran at), the displacement Z of each probe, and the\n"
        "                        energy per unit mass of the visible 71 x 71 net\n"
        "                        (kinetic, own springs, coupling springs, total)\n"
        "  --plot FILE           the same series as a line chart (PNG): displacements\n"
        "                        above, energies below, against SimTime\n"
        "  --profile FILE        the 71 displacements along a row or a column at the\n"
        "                        last pass, as CSV; with one of\n"
        "  --profile-row Y       the row Y (nodes 1..71 in x)\n"
        "  --profile-column X    the column X (nodes 1..71 in y)\n"
        "\n"
        "  --hash                print hashes of the net's state and of the last frame\n"
        "  --quiet               no progress on standard error (otherwise a progress bar\n"
        "                        on a terminal, plain lines for long runs elsewhere)\n"
        "  --help                this text\n"
        "\n"
        "A FILE of - is standard output, for one output at most and not with --hash.\n"
        "A regular file is written under a temporary name and renamed when complete,\n"
        "keeping its permissions; a symbolic link is followed; a device, FIFO or\n"
        "socket is written in place. Bad arguments or an output that cannot be opened\n"
        "end the program with status 2, a failed run or write with 1.\n")
        .arg(RangeText(Slider::Frequency), RangeText(Slider::Amplitude), RangeText(Slider::Coupling),
             RangeText(Slider::RotationX), StartText(Slider::RotationX), StartText(Slider::RotationY),
             StartText(Slider::RotationZ), RangeText(Slider::Zoom), StartText(Slider::Zoom));
}

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

bool InVisibleNet(int index) { return index >= 1 && index <= 71; }

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

// The options that take a value, besides the sliders and the switches.
const QStringList ValueOptions = {"--example",     "--boundary",      "--source1",       "--source2",
                                  "--iterations",  "--every",         "--out",           "--out-dir",
                                  "--gif",         "--fps",           "--probe",         "--csv",
                                  "--plot",        "--profile",       "--profile-row",   "--profile-column"};

// What the settings ask for that cannot be done, or nothing.
std::optional<QString> Conflict(const TRenderSettings& s, bool fpsGiven) {
    if (s.Strobe && s.Every > 0) return QStringLiteral("--strobe and --every choose the frames in two ways; give one");
    if (s.Every > 0 && !s.WritesFrames()) return QStringLiteral("--every needs --out-dir or --gif");
    if (!s.OutDir.isEmpty() && s.Every == 0 && !s.Strobe) {
        return QStringLiteral("--out-dir needs --every or --strobe");
    }
    if (fpsGiven && s.GifFile.isEmpty()) return QStringLiteral("--fps needs --gif");
    if (s.Crop && s.OutFile.isEmpty() && !s.WritesFrames()) {
        return QStringLiteral("--crop needs a picture: --out, --out-dir or --gif");
    }
    if (!s.Probes.empty() && s.CsvFile.isEmpty() && s.PlotFile.isEmpty()) {
        return QStringLiteral("--probe needs --csv or --plot");
    }
    if (s.ProfileFile.isEmpty() != (s.Profile == ProfileLine::None)) {
        return QStringLiteral("--profile needs one --profile-row or --profile-column, and they need --profile");
    }
    if (s.Strobe) {
        if (!s.WritesFrames() && s.CsvFile.isEmpty() && s.PlotFile.isEmpty()) {
            return QStringLiteral("--strobe needs --gif, --out-dir, --csv or --plot");
        }
        const TExcitationControls& drive = s.Controls.Excitation;
        if (!drive.Excitation || !(drive.Source1 || drive.Source2 || drive.Wavefront)) {
            return QStringLiteral("--strobe needs a drive: \"Anregung\" and a source or the wavefront on");
        }
        if (drive.FrequencyPosition == 0) return QStringLiteral("--strobe needs a frequency above 0 (Omega is 0)");
    }

    // Every output once, each one that can be written; standard output for one at most.
    const std::pair<const char*, const QString*> files[] = {
        {"--out", &s.OutFile}, {"--gif", &s.GifFile},   {"--csv", &s.CsvFile},
        {"--plot", &s.PlotFile}, {"--profile", &s.ProfileFile}};
    if (s.OutDir == QLatin1String("-")) return QStringLiteral("--out-dir: standard output cannot hold frame files");
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
            if (files[m].second->isEmpty() || OutputTarget(*files[m].second).Path != target.Path) continue;
            if (standardOutput) return QStringLiteral("%1 and %2 both write to standard output").arg(earlier, option);
            return QStringLiteral("%1 and %2 name the same file %3").arg(earlier, option, path);
        }
    }
    if (!s.OutDir.isEmpty() && !DirectoryWritable(s.OutDir)) {
        return QStringLiteral("--out-dir: cannot write into the folder %1").arg(s.OutDir);
    }
    return std::nullopt;
}

} // namespace

std::variant<TRenderSettings, THelpRequested, QString> ParseRenderArguments(const QStringList& args) {
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
        ranges.emplace(slider.Name, TRange{&SliderPosition(controls, slider.Which), row.Minimum, row.Maximum});
    }
    const std::map<QString, bool*> switches = {
        {"--excitation", &controls.Excitation.Excitation},
        {"--cross-grid", &controls.View.CrossGrid},
        {"--source1-on", &controls.Excitation.Source1},
        {"--source2-on", &controls.Excitation.Source2},
    };
    const std::map<QString, bool*> flags = {
        {"--hash", &settings.PrintHashes}, {"--quiet", &settings.Quiet},
        {"--strobe", &settings.Strobe},    {"--crop", &settings.Crop}};
    const std::map<QString, QString*> paths = {
        {"--out", &settings.OutFile}, {"--out-dir", &settings.OutDir}, {"--gif", &settings.GifFile},
        {"--csv", &settings.CsvFile}, {"--plot", &settings.PlotFile},  {"--profile", &settings.ProfileFile}};

    // The example goes first, so that the other options change it.
    for (qsizetype k = 0; k + 1 < args.size(); ++k) {
        if (args[k] != "--example") continue;
        const TExample* example = FindExample(args[k + 1]);
        if (!example) return QStringLiteral("--example: unknown example %1 (1-7 or a caption)").arg(args[k + 1]);
        SetExampleValues(settings, *example);
    }

    bool fpsGiven = false;
    for (qsizetype k = 0; k < args.size(); ++k) {
        const QString& option = args[k];
        if (option == "--help") return THelpRequested{};
        if (const auto flag = flags.find(option); flag != flags.end()) {
            *flag->second = true;
            continue;
        }
        if (!ranges.contains(option) && !switches.contains(option) && !ValueOptions.contains(option)) {
            return QStringLiteral("unknown option: %1").arg(option);
        }
        if (k + 1 >= args.size()) return QStringLiteral("%1 needs a value").arg(option);
        const QString& value = args[++k];

        if (option == "--example") continue;
        if (const auto range = ranges.find(option); range != ranges.end()) {
            const std::optional<int> number = ParseWholeNumber(value.toStdString());
            const TRange& r = range->second;
            if (!number || *number < r.Min || *number > r.Max) {
                return QStringLiteral("%1 must be a whole number from %2 to %3, not %4")
                    .arg(option).arg(r.Min).arg(r.Max).arg(value);
            }
            *r.Value = *number;
            fpsGiven |= option == "--fps";
            if (option == "--profile-row" || option == "--profile-column") {
                if (settings.Profile != ProfileLine::None) {
                    return QStringLiteral("%1: a profile runs along one row or one column").arg(option);
                }
                settings.Profile = option == "--profile-row" ? ProfileLine::Row : ProfileLine::Column;
            }
        } else if (const auto onOff = switches.find(option); onOff != switches.end()) {
            const std::optional<bool> on = ParseSwitch(value);
            if (!on) return QStringLiteral("%1 must be on or off, not %2").arg(option, value);
            *onOff->second = *on;
        } else if (const auto path = paths.find(option); path != paths.end()) {
            if (value.isEmpty()) return QStringLiteral("%1 needs a file name").arg(option);
            *path->second = value;
        } else if (option == "--boundary") {
            if (value == "damped") controls.Mode = BoundaryMode::DampedBorder;
            else if (value == "loose") controls.Mode = BoundaryMode::LooseEnd;
            else if (value == "fixed") controls.Mode = BoundaryMode::FixedEnd;
            else return QStringLiteral("--boundary must be damped, loose or fixed, not %1").arg(value);
        } else if (option == "--source1" || option == "--source2") {
            if (!ParsePair(value)) {
                return QStringLiteral("%1 must be two whole numbers X,Y, not %2").arg(option, value);
            }
            const QStringList xy = value.split(',');
            const std::size_t first = option == "--source1" ? 0 : 2;
            settings.SourceFields[first] = xy[0].toStdString();
            settings.SourceFields[first + 1] = xy[1].toStdString();
        } else if (option == "--probe") {
            const std::optional<TNodePosition> node = ParsePair(value);
            if (!node || !InVisibleNet(node->X) || !InVisibleNet(node->Y)) {
                return QStringLiteral("--probe must be X,Y with both from 1 to 71, not %1").arg(value);
            }
            settings.Probes.push_back(*node);
        } else {
            const std::optional<long long> count = ParseCount(value);
            const bool every = option == "--every";
            if (!count || (every && *count == 0)) {
                return QStringLiteral("%1 must be a whole number of %2 or more, not %3")
                    .arg(option).arg(every ? 1 : 0).arg(value);
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
