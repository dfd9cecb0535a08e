// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/RenderOptions.h"

#include "render/RenderSettings.h"
#include "sim/NetSize.h"

namespace {

// The stroboscope flashes once per period of the drive: there must be a
// drive, and one that turns.
std::optional<QString> StrobeNeedsADrive(const TRenderSettings& s) {
    const TExcitationControls& drive = s.Controls.Excitation;
    if (!drive.Excitation || !(drive.Source1 || drive.Source2 || drive.Wavefront))
        return QStringLiteral(
            "--strobe needs a drive: \"Anregung\" and a source or the wavefront on");
    if (drive.FrequencyPosition == 0)
        return QStringLiteral("--strobe needs a frequency above 0 (Omega is 0)");
    return std::nullopt;
}

using S = TRenderSettings;
using enum TOptionGroup;

} // namespace

const std::vector<TRenderOption>& RenderOptionTable() {
    static const std::vector<TRenderOption> table = {
        {.Name = "example",
         .ValueName = "N|CAPTION",
         .Group = Controls,
         .Help = "One of the seven examples, by number (1-7) or by its caption, e.g. \"Zwei "
                 "Punktquellen eng\"; default: the window's start state.",
         .Value = TExampleValue{}},
        {.Name = "excitation",
         .ValueName = "on|off",
         .Group = Controls,
         .Help = "\"Anregung\" (default on).",
         .Value = TOnOffValue{[](S& s) -> bool& { return s.Controls.Excitation.Excitation; }}},
        {.Name = "frequency",
         .ValueName = "P",
         .Group = Controls,
         .Help = "Frequency slider, {range} (start {start}). Omega = P * 0.01.",
         .Value = TSliderValue{Slider::Frequency}},
        {.Name = "amplitude",
         .ValueName = "P",
         .Group = Controls,
         .Help = "Amplitude slider, {range} (start {start}).",
         .Value = TSliderValue{Slider::Amplitude}},
        {.Name = "coupling",
         .ValueName = "P",
         .Group = Controls,
         .Help = "Coupling slider, {range} (start {start}).",
         .Value = TSliderValue{Slider::Coupling}},
        {.Name = "boundary",
         .ValueName = "MODE",
         .Group = Controls,
         .Help = "damped, loose or fixed.",
         .Value = TBoundaryValue{}},
        {.Name = "cross-grid",
         .ValueName = "on|off",
         .Group = Controls,
         .Help = "\"Kreuzgitter\" (cross lines, and 1.5 times the time step).",
         .Value = TOnOffValue{[](S& s) -> bool& { return s.Controls.View.CrossGrid; }}},
        {.Name = "rotate-x",
         .ValueName = "P",
         .Group = Controls,
         .Help = "Rotation slider about x in degrees, {range} (start {start}).",
         .Value = TSliderValue{Slider::RotationX}},
        {.Name = "rotate-y",
         .ValueName = "P",
         .Group = Controls,
         .Help = "Rotation slider about y in degrees, {range} (start {start}).",
         .Value = TSliderValue{Slider::RotationY}},
        {.Name = "rotate-z",
         .ValueName = "P",
         .Group = Controls,
         .Help = "Rotation slider about z in degrees, {range} (start {start}).",
         .Value = TSliderValue{Slider::RotationZ}},
        {.Name = "zoom",
         .ValueName = "P",
         .Group = Controls,
         .Help = "Zoom slider, {range} (start {start}).",
         .Value = TSliderValue{Slider::Zoom}},
        {.Name = "source1",
         .ValueName = "X,Y",
         .Group = Controls,
         .Help = "Position of source 1 as typed in the window (1..{visible}).",
         .Value = TSourceValue{0}},
        {.Name = "source2",
         .ValueName = "X,Y",
         .Group = Controls,
         .Help = "Position of source 2 as typed in the window (1..{visible}).",
         .Value = TSourceValue{2}},
        {.Name = "source1-on",
         .ValueName = "on|off",
         .Group = Controls,
         .Help = "The source check box \"1\".",
         .Value = TOnOffValue{[](S& s) -> bool& { return s.Controls.Excitation.Source1; }}},
        {.Name = "source2-on",
         .ValueName = "on|off",
         .Group = Controls,
         .Help = "The source check box \"2\".",
         .Value = TOnOffValue{[](S& s) -> bool& { return s.Controls.Excitation.Source2; }}},

        {.Name = "iterations",
         .ValueName = "N",
         .Group = Run,
         .Help = "Passes of the run loop (default {default}).",
         .Value = TCountValue{0, [](S& s) -> long long& { return s.Iterations; }}},
        {.Name = "lesson",
         .ValueName = "FILE",
         .Group = Run,
         .Help = "Start from the lesson FILE (.wogenfeld): its start, its actions and its passes "
                 "replayed, and the state and frame it reached checked against those it holds. "
                 "It sets the controls, so the example and slider options cannot be given; "
                 "--iterations counts on from its pass (default 0).",
         .Value = TInputFileValue{[](S& s) -> QString& { return s.LessonFile; }},
         .SetsControls = true},
        {.Name = "save-lesson",
         .ValueName = "FILE",
         .Group = Run,
         .Help = "Write the lesson of the run made to FILE: its start, every action with its "
                 "pass, and the state and frame it reached, as --lesson opens it.",
         .Value = TFileValue{[](S& s) -> QString& { return s.SaveLessonFile; }}},
        {.Name = "out",
         .ValueName = "FILE",
         .Group = Run,
         .Help = "Write the last frame to FILE (PNG).",
         .Value = TFileValue{[](S& s) -> QString& { return s.OutFile; }}},
        {.Name = "out-dir",
         .ValueName = "DIR",
         .Group = Run,
         .Help = "Write the chosen frames to DIR/frame-NNNNNN.png, NNNNNN the pass; needs --every "
                 "or --strobe.",
         .Value = TFolderValue{[](S& s) -> QString& { return s.OutDir; }},
         .Needs = {"every", "strobe"}},
        {.Name = "gif",
         .ValueName = "FILE",
         .Group = Run,
         .Help = "Write the chosen frames as an animated GIF that loops forever; each frame after "
                 "the first holds only the rectangle that changed.",
         .Value = TFileValue{[](S& s) -> QString& { return s.GifFile; }}},
        {.Name = "every",
         .ValueName = "K",
         .Group = Run,
         .Help = "One frame every K passes (default {gif-every} with --gif).",
         .Value = TCountValue{1, [](S& s) -> long long& { return s.Every; }},
         .Needs = {"out-dir", "gif"}},
        {.Name = "strobe",
         .ValueName = "",
         .Group = Run,
         .Help = "One frame per drive period instead, at the first pass whose drive phase has "
                 "come round to 0 again; needs \"Anregung\", a source or the wavefront, and a "
                 "frequency above 0; also thins the tables and the chart to those passes.",
         .Value = TFlagValue{[](S& s) -> bool& { return s.Strobe; }},
         .Needs = {"gif", "out-dir", "csv", "csv-decimal-comma", "plot"},
         .Excludes = "every",
         .ExcludesWhy = "choose the frames in two ways; give one",
         .Check = StrobeNeedsADrive},
        // Browsers slow down GIFs whose frames last less than 2/100 s.
        {.Name = "fps",
         .ValueName = "N",
         .Group = Run,
         .Help = "Playback rate of the GIF, {range} frames per second (default {default}).",
         .Value = TWholeValue{1, 50, [](S& s) -> int& { return s.Fps; }},
         .Needs = {"gif"}},
        {.Name = "crop",
         .ValueName = "",
         .Group = Run,
         .Help = "Cut every picture to the smallest rectangle that holds each drawn pixel of the "
                 "pictures written, plus 8 pixels; the run is then computed twice.",
         .Value = TFlagValue{[](S& s) -> bool& { return s.Crop; }},
         .Needs = {"out", "out-dir", "gif"},
         .NeedsWhat = "a picture: "},

        {.Name = "probe",
         .ValueName = "X,Y",
         .Group = Measuring,
         .Help = "Follow the node X,Y ({range}, as the source fields count) in the tables and "
                 "the chart; may be given several times. The first four are the probes of "
                 "--save-lesson's lesson; after --lesson without --probe the tables follow the "
                 "lesson's probes.",
         .Value = TProbeValue{},
         .Needs = {"csv", "csv-decimal-comma", "plot", "save-lesson"}},
        {.Name = "csv",
         .ValueName = "FILE",
         .Group = Measuring,
         .Help = "One row per pass: pass, SimTime (the time the pass's drive ran at), the "
                 "displacement Z of each probe, and the energy per unit mass of the visible "
                 "{visible} x {visible} net (kinetic, own springs, coupling springs, total).",
         .Value = TFileValue{[](S& s) -> QString& { return s.CsvFile; }}},
        {.Name = "csv-decimal-comma",
         .ValueName = "FILE",
         .Group = Measuring,
         .Help = "The same table with \";\" between the fields and \",\" as the decimal point, "
                 "as spreadsheets read it in German and other languages with a decimal comma.",
         .Value = TFileValue{[](S& s) -> QString& { return s.CsvCommaFile; }}},
        {.Name = "plot",
         .ValueName = "FILE",
         .Group = Measuring,
         .Help = "The same series as a line chart (PNG): displacements above, energies below, "
                 "against SimTime.",
         .Value = TFileValue{[](S& s) -> QString& { return s.PlotFile; }}},
        {.Name = "profile",
         .ValueName = "FILE",
         .Group = Measuring,
         .Help = "The {visible} displacements along a row or a column at the last pass, as CSV; "
                 "with one of --profile-row and --profile-column. Unless --quiet, also says the "
                 "wavelength, the speed v = wavelength * frequency of the drive, and the speed "
                 "the lattice's dispersion gives.",
         .Value = TFileValue{[](S& s) -> QString& { return s.ProfileFile; }},
         .Needs = {"profile-row", "profile-column"},
         .NeedsWhat = "one ",
         .NeededBack = true},
        {.Name = "profile-row",
         .ValueName = "Y",
         .Group = Measuring,
         .Help = "The row Y (nodes {range} in x).",
         .Value = TProfileLineValue{ProfileLine::Row}},
        {.Name = "profile-column",
         .ValueName = "X",
         .Group = Measuring,
         .Help = "The column X (nodes {range} in y).",
         .Value = TProfileLineValue{ProfileLine::Column}},

        {.Name = "hash",
         .ValueName = "",
         .Group = Program,
         .Help = "Print hashes of the net's state and of the last frame.",
         .Value = TFlagValue{[](S& s) -> bool& { return s.PrintHashes; }}},
        {.Name = "quiet",
         .ValueName = "",
         .Group = Program,
         .Help = "No progress on standard error (otherwise a progress bar on a terminal, plain "
                 "lines for long runs elsewhere).",
         .Value = TFlagValue{[](S& s) -> bool& { return s.Quiet; }}},
        {.Name = "version",
         .ValueName = "",
         .Group = Program,
         .Help = "The program's version.",
         .Value = TRequestValue{}},
        {.Name = "help",
         .ValueName = "",
         .Group = Program,
         .Help = "This text.",
         .Value = TRequestValue{},
         .ShortNames = {"h", "?"}},
    };
    return table;
}

QString Dashed(const char* name) {
    return QStringLiteral("--") + QLatin1String(name);
}

QStringList NamesOf(const TRenderOption& option) {
    QStringList names;
    for (const char* name : option.ShortNames)
        names << QLatin1String(name);
    return names << QLatin1String(option.Name);
}

std::optional<TRange> RangeOf(const TOptionValue& value) {
    constexpr TRange visible{1, VisibleNodes};
    return std::visit(
        TCases{
            [](const TSliderValue& v) -> std::optional<TRange> {
                const TSliderRow& row = SliderRow(v.Which);
                return TRange{row.Minimum, row.Maximum};
            },
            [](const TWholeValue& v) -> std::optional<TRange> {
                return TRange{v.Min, v.Max};
            },
            [=](const TProfileLineValue&) -> std::optional<TRange> { return visible; },
            [=](const TProbeValue&) -> std::optional<TRange> { return visible; },
            [](const auto&) -> std::optional<TRange> { return std::nullopt; },
        },
        value);
}
