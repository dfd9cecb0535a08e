// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/RenderSettings.h"

#include "ui/Examples.h"
#include "ui/WholeNumber.h"

#include <QFileInfo>

#include <map>

TControlState TRenderSettings::StartControls() {
    TControlState controls;
    controls.Excitation.Excitation = true;
    return controls;
}

QString RenderUsage() {
    return QStringLiteral(
        "Usage: wogenfeld-render [options]\n"
        "Runs the Wogenfeld net without a window and writes its frames as PNG.\n"
        "\n"
        "  --example N|CAPTION   one of the seven examples, by number (1-7) or by its\n"
        "                        caption, e.g. \"Zwei Punktquellen eng\"; default: the\n"
        "                        window's start state\n"
        "  --excitation on|off   \"Anregung\" (default on)\n"
        "  --frequency P         frequency slider, 0..1505 (Omega = P * 0.01)\n"
        "  --amplitude P         amplitude slider, 0..100\n"
        "  --coupling P          coupling slider, 0..1500\n"
        "  --boundary MODE       damped, loose or fixed\n"
        "  --cross-grid on|off   \"Kreuzgitter\" (cross lines, and 1.5 times the time step)\n"
        "  --rotate-x P, --rotate-y P, --rotate-z P\n"
        "                        rotation sliders in degrees, -180..180 (60, 0, 0)\n"
        "  --zoom P              zoom slider, 5..30 (11)\n"
        "  --source1 X,Y, --source2 X,Y\n"
        "                        source positions as typed in the window (1..71)\n"
        "  --source1-on on|off, --source2-on on|off\n"
        "                        the source check boxes \"1\" and \"2\"\n"
        "  --iterations N        passes of the run loop (default 600)\n"
        "  --out FILE            write the last frame to FILE\n"
        "  --every K --out-dir DIR\n"
        "                        write every K-th frame to DIR/frame-NNNNNN.png\n"
        "  --hash                print hashes of the net's state and of the last frame\n"
        "  --quiet               no progress on standard error\n"
        "  --help                this text\n");
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

const TExample* FindExample(const QString& text) {
    const std::optional<int> number = ParseWholeNumber(text);
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

void ApplyExample(TRenderSettings& settings, const TExample& example, bool wavefront) {
    for (std::size_t k = 0; k < 4; ++k) {
        settings.SourceFields[k] = QString::fromLatin1(example.SourceTexts[k]);
    }
    TControlState& controls = settings.Controls;
    controls.Excitation.FrequencyPosition = example.Frequency;
    controls.AmplitudePosition = example.Amplitude;
    controls.CouplingPosition = example.Coupling;
    controls.Excitation.Source1 = example.Source1;
    controls.Excitation.Source2 = example.Source2;
    controls.Excitation.Wavefront = wavefront;
    controls.Mode = example.Mode;
}

bool DirectoryWritable(const QString& path) {
    const QFileInfo info(path);
    return info.isDir() && info.isWritable();
}

} // namespace

std::variant<TRenderSettings, THelpRequested, QString> ParseRenderArguments(const QStringList& args) {
    TRenderSettings settings;
    TControlState& controls = settings.Controls;

    // Slider options: the slider's range is the option's range.
    struct TSlider {
        int* Position;
        int Min;
        int Max;
    };
    const std::map<QString, TSlider> sliders = {
        {"--frequency", {&controls.Excitation.FrequencyPosition, 0, 1505}},
        {"--amplitude", {&controls.AmplitudePosition, 0, 100}},
        {"--coupling", {&controls.CouplingPosition, 0, 1500}},
        {"--rotate-x", {&controls.View.RotationX, -180, 180}},
        {"--rotate-y", {&controls.View.RotationY, -180, 180}},
        {"--rotate-z", {&controls.View.RotationZ, -180, 180}},
        {"--zoom", {&controls.View.ZoomPosition, 5, 30}},
    };
    const std::map<QString, bool*> switches = {
        {"--excitation", &controls.Excitation.Excitation},
        {"--cross-grid", &controls.View.CrossGrid},
        {"--source1-on", &controls.Excitation.Source1},
        {"--source2-on", &controls.Excitation.Source2},
    };

    // The example goes first, so that the other options change it.
    for (qsizetype k = 0; k + 1 < args.size(); ++k) {
        if (args[k] != "--example") continue;
        const TExample* example = FindExample(args[k + 1]);
        if (!example) return QStringLiteral("unknown example: %1 (1-7 or a caption)").arg(args[k + 1]);
        // The last example's radio button drives the wavefront while it is checked.
        ApplyExample(settings, *example, example == &Examples.back());
    }

    for (qsizetype k = 0; k < args.size(); ++k) {
        const QString& option = args[k];
        if (option == "--help") return THelpRequested{};
        if (option == "--hash") {
            settings.PrintHashes = true;
            continue;
        }
        if (option == "--quiet") {
            settings.Quiet = true;
            continue;
        }
        static const QStringList valueOptions = {"--example", "--boundary", "--source1", "--source2",
                                                 "--iterations", "--every", "--out", "--out-dir"};
        if (!sliders.contains(option) && !switches.contains(option) && !valueOptions.contains(option)) {
            return QStringLiteral("unknown option: %1").arg(option);
        }
        if (k + 1 >= args.size()) return QStringLiteral("%1 needs a value").arg(option);
        const QString& value = args[++k];

        if (option == "--example") continue;
        if (const auto slider = sliders.find(option); slider != sliders.end()) {
            const std::optional<int> position = ParseWholeNumber(value);
            const TSlider& s = slider->second;
            if (!position || *position < s.Min || *position > s.Max) {
                return QStringLiteral("%1 must be a whole number from %2 to %3, not %4")
                    .arg(option).arg(s.Min).arg(s.Max).arg(value);
            }
            *s.Position = *position;
        } else if (const auto onOff = switches.find(option); onOff != switches.end()) {
            const std::optional<bool> on = ParseSwitch(value);
            if (!on) return QStringLiteral("%1 must be on or off, not %2").arg(option, value);
            *onOff->second = *on;
        } else if (option == "--boundary") {
            if (value == "damped") controls.Mode = BoundaryMode::DampedBorder;
            else if (value == "loose") controls.Mode = BoundaryMode::LooseEnd;
            else if (value == "fixed") controls.Mode = BoundaryMode::FixedEnd;
            else return QStringLiteral("--boundary must be damped, loose or fixed, not %1").arg(value);
        } else if (option == "--source1" || option == "--source2") {
            const QStringList xy = value.split(',');
            if (xy.size() != 2 || !ParseWholeNumber(xy[0]) || !ParseWholeNumber(xy[1])) {
                return QStringLiteral("%1 must be two whole numbers X,Y, not %2").arg(option, value);
            }
            const std::size_t first = option == "--source1" ? 0 : 2;
            settings.SourceFields[first] = xy[0];
            settings.SourceFields[first + 1] = xy[1];
        } else if (option == "--iterations" || option == "--every") {
            const std::optional<long long> count = ParseCount(value);
            if (!count) return QStringLiteral("%1 must be a whole number of 0 or more, not %2").arg(option, value);
            (option == "--iterations" ? settings.Iterations : settings.Every) = *count;
        } else if (option == "--out") {
            settings.OutFile = value;
        } else {
            settings.OutDir = value;
        }
    }

    if ((settings.Every > 0) != !settings.OutDir.isEmpty()) {
        return QStringLiteral("--every and --out-dir go together");
    }
    if (!settings.OutDir.isEmpty() && !DirectoryWritable(settings.OutDir)) {
        return QStringLiteral("cannot write into the folder %1").arg(settings.OutDir);
    }
    if (!settings.OutFile.isEmpty() && !DirectoryWritable(QFileInfo(settings.OutFile).absolutePath())) {
        return QStringLiteral("cannot write %1: its folder does not exist or is not writable")
            .arg(settings.OutFile);
    }
    return settings;
}
