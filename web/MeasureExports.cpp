// SPDX-License-Identifier: GPL-3.0-or-later
// What the page calls for measuring: the probes set through the drawing
// area's menu, "Messung" with its readouts, stopwatch and chart, and the table.
#include "control/MeasureTexts.h"
#include "measure/ChartColours.h"
#include "sim/NetSize.h"
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

// Counts the probes' changes, so that the page repaints "Messung" after one.
unsigned long long& ProbeChanges() {
    static unsigned long long changes = 0;
    return changes;
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
    const TProbeSlots& slots = Session().Probes();
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
    const TProbeSlots& probes = Session().Probes();
    const std::optional<std::size_t> under = drawn.ProbeUnder(probes, x, y);
    const std::optional<std::size_t> free = FreeSlot(probes);
    std::string json = "{\"node\":";
    json += node ? '[' + std::to_string(node->X) + ',' + std::to_string(node->Y) + ']' : "null";
    json += ",\"under\":";
    AppendNumber(json, under ? static_cast<long long>(*under) : -1);
    json += ",\"free\":";
    AppendNumber(json, free ? static_cast<long long>(*free) : -1);
    json += ",\"any\":";
    AppendNumber(json, AnyProbe(probes));
    return json + '}';
}

std::string MeasuringJson(bool alongRow) {
    const TSession& session = Session();
    const TRunLoop& loop = session.RunLoop();
    // Whatever "Messung" shows changes with a run, a pass or a probe.
    std::string json = "{\"changes\":\"";
    json += std::to_string(loop.RunsStarted()) + ' ' + std::to_string(loop.PassesOfRun()) + ' ' +
            std::to_string(ProbeChanges()) + '"';
    json += ",\"probes\":[";
    for (const std::optional<TNodePosition>& node : session.Probes()) {
        json += node ? '[' + std::to_string(node->X) + ',' + std::to_string(node->Y) + ']'
                     : std::string("null");
        json += ',';
    }
    json.back() = ']';
    json += ",\"readings\":[";
    for (std::size_t slot = 0; slot < session.Probes().size(); ++slot) {
        AppendJsonString(json, ProbeText(session, slot));
        json += ',';
    }
    json.back() = ']';
    json += ",\"phases\":[";
    for (std::size_t slot = 0; slot < session.Probes().size(); ++slot) {
        AppendJsonString(json, PhaseText(session, slot));
        json += ',';
    }
    json.back() = ']';
    json += ",\"wavelength\":";
    AppendJsonString(json, WavelengthText(session, alongRow));
    json += ",\"speed\":";
    AppendJsonString(json, SpeedText(session, alongRow));
    json += ",\"lattice\":";
    AppendJsonString(json, LatticeText(session, alongRow));
    json += ",\"watch\":";
    AppendJsonString(json, WatchText(session.WatchTime()));
    json += ",\"passes\":";
    AppendJsonString(json, PassesText(loop.PassesOfRun()));
    return json + '}';
}

// The rows of the chart, kept between calls so that a repaint allocates only
// when its span holds more rows than any before.
std::vector<double>& ChartRows() {
    static std::vector<double> rows;
    return rows;
}

int FillChart(double span) {
    const TRecording* recording = Session().Recording();
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
    Session().StartRecording();
}
// A probe set on node (x, y), or removed where x is 0.
EMSCRIPTEN_KEEPALIVE void wf_set_probe(int slot, int x, int y) {
    if (slot < 0 || slot >= static_cast<int>(Session().Probes().size())) return;
    const bool onNet = x >= 1 && x <= VisibleNodes && y >= 1 && y <= VisibleNodes;
    if (x != 0 && !onNet) return;
    if (Session().SetProbe(static_cast<std::size_t>(slot),
                           onNet ? std::optional(TNodePosition{x, y}) : std::nullopt))
        ++ProbeChanges();
}
EMSCRIPTEN_KEEPALIVE void wf_remove_probes() {
    for (std::size_t slot = 0; slot < Session().Probes().size(); ++slot) {
        if (Session().SetProbe(slot, std::nullopt)) ++ProbeChanges();
    }
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
}
// The rows of the last `span` of simulated time, ChartColumns numbers each,
// at wf_chart_rows; returns how many.
EMSCRIPTEN_KEEPALIVE int wf_chart(double span) {
    return FillChart(span);
}
EMSCRIPTEN_KEEPALIVE const double* wf_chart_rows() {
    return ChartRows().data();
}
// The recorded passes as the renderer's --csv (or, with `decimalComma`, its
// --csv-decimal-comma) writes them.
EMSCRIPTEN_KEEPALIVE const char* wf_csv(int decimalComma) {
    // Every row's energies, also those the worker has not sent back yet.
    ThePage().Energies().SumAll(Session().Recording());
    const TRecording* recording = Session().Recording();
    const TCsvKind kind = decimalComma != 0 ? TCsvKind::DecimalComma : TCsvKind::Plain;
    return Answer(recording ? TableText(*recording, Session().Probes(), kind) : std::string());
}

} // extern "C"
