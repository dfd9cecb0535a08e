// SPDX-License-Identifier: GPL-3.0-or-later
// What the page calls for measuring: the probes set through the drawing
// area's menu, "Messung" with its readouts, stopwatch and chart, and the table.
#include "control/MeasureTexts.h"
#include "measure/ChartColours.h"
#include "web/JsonText.h"
#include "web/PageCalls.h"

#include <emscripten/emscripten.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

// A chart row: the time, the four probe places (NaN where none), the four energies.
constexpr std::size_t ChartColumns = 9;

TSession& Session() {
    return ThePage().Session();
}

TProbes& Probes() {
    return Session().Probes();
}

void AppendNumber(std::string& json, long long value) {
    json += std::to_string(value);
}

void AppendColours(std::string& json, const auto& colours) {
    json += '[';
    for (const TRgb& rgb : colours) {
        json += "[" + std::to_string(rgb.Red) + ',' + std::to_string(rgb.Green) + ',' +
                std::to_string(rgb.Blue) + "],";
    }
    json.back() = ']';
}

std::string ColoursJson() {
    std::string json = "{\"probes\":";
    AppendColours(json, ProbeColours);
    json += ",\"energies\":";
    AppendColours(json, EnergyColours);
    return json + '}';
}

// Where each probe's marker goes on the frame shown: [slot, x, y].
std::string MarkersJson() {
    std::string json = "[";
    const TDrawnNodes& drawn = ThePage().Drawn();
    const TProbeSlots& slots = Probes().Slots();
    for (std::size_t slot = 0; slot < slots.size() && drawn.Taken(); ++slot) {
        if (!slots[slot]) continue;
        const TScreenPoint at = drawn.At(*slots[slot]);
        json += '[' + std::to_string(slot) + ',' + std::to_string(at.X) + ',' +
                std::to_string(at.Y) + "],";
    }
    if (json.back() == ',') json.pop_back();
    return json + ']';
}

// What the drawing area's menu offers at (x, y) of the frame shown.
std::string MenuJson(int x, int y) {
    const TDrawnNodes& drawn = ThePage().Drawn();
    const std::optional<TNodePosition> node = drawn.Nearest(x, y);
    const std::optional<std::size_t> under = drawn.ProbeUnder(Probes().Slots(), x, y);
    const std::optional<std::size_t> free = Probes().FreeSlot();
    std::string json = "{\"node\":";
    json += node ? '[' + std::to_string(node->X) + ',' + std::to_string(node->Y) + ']' : "null";
    json += ",\"under\":";
    AppendNumber(json, under ? static_cast<long long>(*under) : -1);
    json += ",\"free\":";
    AppendNumber(json, free ? static_cast<long long>(*free) : -1);
    json += ",\"any\":";
    AppendNumber(json, Probes().Any());
    return json + '}';
}

std::string MeasuringJson(bool alongRow) {
    const TProbes& probes = Probes();
    std::string json = "{\"changes\":";
    AppendNumber(json, static_cast<long long>(probes.Changes()));
    json += ",\"probes\":[";
    for (const std::optional<TNodePosition>& node : probes.Slots()) {
        json += node ? '[' + std::to_string(node->X) + ',' + std::to_string(node->Y) + ']'
                     : std::string("null");
        json += ',';
    }
    json.back() = ']';
    json += ",\"readings\":[";
    for (std::size_t slot = 0; slot < probes.Slots().size(); ++slot) {
        AppendJsonString(json, ProbeText(probes, slot));
        json += ',';
    }
    json.back() = ']';
    json += ",\"phases\":[";
    for (std::size_t slot = 0; slot < probes.Slots().size(); ++slot) {
        AppendJsonString(json, PhaseText(probes, slot));
        json += ',';
    }
    json.back() = ']';
    json += ",\"wavelength\":";
    AppendJsonString(json, WavelengthText(probes, Session().RunLoop().Net(), alongRow));
    json += ",\"watch\":";
    AppendJsonString(json, WatchText(Session().WatchTime()));
    json += ",\"passes\":";
    AppendJsonString(json, PassesText(Session().RunLoop().PassesOfRun()));
    return json + '}';
}

// The rows of the chart, kept between calls so that a repaint allocates only
// when its span holds more rows than any before.
std::vector<double>& ChartRows() {
    static std::vector<double> rows;
    return rows;
}

int FillChart(double span) {
    const TRecording* recording = Probes().Recording();
    if (!recording || recording->Count() == 0) return 0;
    const std::size_t first =
        recording->FirstFrom(recording->At(recording->Count() - 1).SimTime - span);
    const std::size_t count = recording->Count() - first;
    std::vector<double>& rows = ChartRows();
    if (rows.size() < count * ChartColumns) rows.resize(count * ChartColumns);
    double* out = rows.data();
    for (std::size_t k = first; k < recording->Count(); ++k) {
        const TSeriesRow& row = recording->At(k);
        *out++ = row.SimTime;
        for (const std::optional<double>& z : row.Probes)
            *out++ = z.value_or(std::numeric_limits<double>::quiet_NaN());
        for (double e : {row.Kinetic, row.OwnSprings, row.CouplingSprings, row.Total})
            *out++ = e;
    }
    return static_cast<int>(count);
}

} // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE const char* wf_measure_colours() {
    return Answer(ColoursJson());
}
// "Messung" opened: from now on every pass is recorded.
EMSCRIPTEN_KEEPALIVE void wf_open_measuring() {
    Probes().StartRecording(Session().RunLoop());
}
// A probe set on node (x, y), or removed where x is 0.
EMSCRIPTEN_KEEPALIVE void wf_set_probe(int slot, int x, int y) {
    if (slot < 0 || slot >= static_cast<int>(Probes().Slots().size())) return;
    const bool onNet = x >= 1 && x <= 71 && y >= 1 && y <= 71;
    if (x != 0 && !onNet) return;
    Probes().Set(static_cast<std::size_t>(slot),
                 onNet ? std::optional(TNodePosition{x, y}) : std::nullopt);
}
EMSCRIPTEN_KEEPALIVE void wf_remove_probes() {
    Probes().RemoveAll();
}
EMSCRIPTEN_KEEPALIVE const char* wf_probe_menu(int x, int y) {
    return Answer(MenuJson(x, y));
}
EMSCRIPTEN_KEEPALIVE const char* wf_markers() {
    return Answer(MarkersJson());
}
EMSCRIPTEN_KEEPALIVE const char* wf_measuring(int alongRow) {
    return Answer(MeasuringJson(alongRow != 0));
}
// 0 "Start", 1 "Stopp", 2 "Zurücksetzen".
EMSCRIPTEN_KEEPALIVE void wf_watch(int action) {
    if (action == 0) Session().StartWatch();
    if (action == 1) Session().StopWatch();
    if (action == 2) Session().ResetWatch();
    Probes().Changed();
}
// The rows of the last `span` of simulated time, ChartColumns numbers each,
// at wf_chart_rows; returns how many.
EMSCRIPTEN_KEEPALIVE int wf_chart(double span) {
    return FillChart(span);
}
EMSCRIPTEN_KEEPALIVE const double* wf_chart_rows() {
    return ChartRows().data();
}
// The recorded passes as the renderer's --csv writes them.
EMSCRIPTEN_KEEPALIVE const char* wf_csv() {
    const TRecording* recording = Probes().Recording();
    return Answer(recording ? TableText(*recording, Probes().Slots()) : std::string());
}

} // extern "C"
