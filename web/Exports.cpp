// SPDX-License-Identifier: GPL-3.0-or-later
// What the page calls: one session, its controls in and out as numbers and
// JSON texts. A returned text lives until the next call that returns one.
#include "control/ControlTable.h"
#include "control/PassRate.h"
#include "control/WholeNumber.h"
#include "sim/NetSize.h"
#include "web/JsonText.h"
#include "web/PageCalls.h"
#include "web/PageRun.h"

#include <emscripten/emscripten.h>

#include <optional>
#include <string>

namespace {

TSession& Session() {
    return ThePage().Session();
}

void AppendNumber(std::string& json, const char* name, long long value) {
    AppendJsonString(json, name);
    json += ':' + std::to_string(value) + ',';
}

void AppendText(std::string& json, const char* name, std::string_view text) {
    AppendJsonString(json, name);
    json += ':';
    AppendJsonString(json, text);
    json += ',';
}

void CloseObject(std::string& json, char close) {
    if (json.back() == ',') json.pop_back();
    json += close;
}

// The window's ranges, start values and steps, and the examples: the page
// builds its controls from these, so that the table stays the core's.
std::string ControlTableJson() {
    std::string json = "{\"sliders\":[";
    for (const TSliderRow& row : Sliders) {
        json += '{';
        AppendText(json, "name", row.Name);
        AppendNumber(json, "minimum", row.Minimum);
        AppendNumber(json, "maximum", row.Maximum);
        AppendNumber(json, "start", row.Start);
        AppendNumber(json, "singleStep", row.SingleStep);
        AppendNumber(json, "pageStep", row.PageStep);
        CloseObject(json, '}');
        json += ',';
    }
    CloseObject(json, ']');
    json += ",\"examples\":[";
    for (const TExample& example : Examples) {
        json += '{';
        AppendText(json, "caption", example.Caption);
        CloseObject(json, '}');
        json += ',';
    }
    CloseObject(json, ']');
    json += ',';
    AppendNumber(json, "fewestPassesPerSecond", FewestPassesPerSecond);
    AppendNumber(json, "mostPassesPerSecond", MostPassesPerSecond);
    AppendNumber(json, "visibleNodes", VisibleNodes);
    AppendNumber(json, "middleNode", MiddleNode);
    CloseObject(json, '}');
    return json;
}

std::string PanelJson(const TSession& session) {
    const TPanelValues& panel = session.Panel();
    const TControlState& controls = panel.Controls;
    std::string json = "{\"sliders\":[";
    TControlState positions = controls;
    for (std::size_t k = 0; k < Sliders.size(); ++k) {
        json += std::to_string(SliderPosition(positions, static_cast<Slider>(k))) + ',';
    }
    CloseObject(json, ']');
    json += ",\"sourceFields\":[";
    for (const std::string& field : panel.SourceFields) {
        AppendJsonString(json, field);
        json += ',';
    }
    CloseObject(json, ']');
    json += ',';
    AppendNumber(json, "excitation", controls.Excitation.Excitation);
    AppendNumber(json, "crossGrid", controls.View.CrossGrid);
    AppendNumber(json, "source1", controls.Excitation.Source1);
    AppendNumber(json, "source2", controls.Excitation.Source2);
    AppendNumber(json, "boundary", static_cast<int>(controls.Mode));
    AppendNumber(json, "example", session.Example());
    AppendNumber(json, "paused", session.RunLoop().PauseFlag);
    AppendNumber(json, "continueShown", session.ContinueShown());
    AppendNumber(json, "infoShown", session.InfoShown());
    AppendNumber(json, "ended", session.RunLoop().EndFlag);
    AppendNumber(json, "passes", session.RunLoop().PassesOfRun());
    AppendNumber(json, "recording", session.Recording() != nullptr);
    AppendNumber(json, "canStep", session.CanStepInTime());
    AppendNumber(json, "oldestPass", session.OldestPass());
    AppendNumber(json, "newestPass", session.NewestPass());
    AppendNumber(json, "passShown", session.PassesMade());
    // Each display with the count of its writes: the page writes it only after one.
    json += "\"displays\":{";
    for (const auto& [name, display] : {std::pair{"frequency", ValueDisplay::Frequency},
                                        std::pair{"coupling", ValueDisplay::Coupling},
                                        std::pair{"amplitude", ValueDisplay::Amplitude}}) {
        AppendJsonString(json, name);
        json += ":{";
        AppendText(json, "digits", session.DisplayDigits(display));
        AppendNumber(json, "writes", static_cast<long long>(session.DisplayWrites(display)));
        CloseObject(json, '}');
        json += ',';
    }
    CloseObject(json, '}');
    CloseObject(json, '}');
    return json;
}

constexpr long long MostCheckPasses = 100000;

std::string CheckLine(const char* example, const char* passes) {
    const std::optional<int> number = ParseWholeNumber(example);
    if (!number || *number < 0 || *number > static_cast<int>(Examples.size())) {
        return std::string("error: example must be 0 to ") + std::to_string(Examples.size()) +
               ", not '" + example + "'";
    }
    const std::optional<int> count = ParseWholeNumber(passes);
    if (!count || *count < 1 || *count > MostCheckPasses) {
        return "error: passes must be 1 to " + std::to_string(MostCheckPasses) + ", not '" +
               passes + "'";
    }
    return ThePage().Check(*number, *count);
}

} // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE const char* wf_control_table() {
    return Answer(ControlTableJson());
}
EMSCRIPTEN_KEEPALIVE const char* wf_panel() {
    return Answer(PanelJson(Session()));
}

EMSCRIPTEN_KEEPALIVE void wf_open() {
    Session().Activate();
}
EMSCRIPTEN_KEEPALIVE void wf_move_slider(int slider, int position) {
    if (slider >= 0 && slider < static_cast<int>(Sliders.size())) {
        Session().MoveSlider(static_cast<Slider>(slider), position);
    }
}
EMSCRIPTEN_KEEPALIVE void wf_set_excitation(int on) {
    Session().SetExcitation(on != 0);
}
EMSCRIPTEN_KEEPALIVE void wf_set_cross_grid(int on) {
    Session().SetCrossGrid(on != 0);
}
EMSCRIPTEN_KEEPALIVE void wf_set_source(int source, int on) {
    if (source == 1 || source == 2) Session().SetSource(source, on != 0);
}
EMSCRIPTEN_KEEPALIVE void wf_set_source_field(int field, const char* text) {
    if (field >= 0 && field < 4) Session().SetSourceField(field, text);
}
EMSCRIPTEN_KEEPALIVE void wf_select_boundary(int mode) {
    if (mode >= 0 && mode <= static_cast<int>(BoundaryMode::FixedEnd)) {
        Session().SelectBoundaryMode(static_cast<BoundaryMode>(mode));
    }
}
EMSCRIPTEN_KEEPALIVE void wf_choose_example(int index) {
    if (index >= 0 && index < static_cast<int>(Examples.size())) Session().ChooseExample(index);
}
EMSCRIPTEN_KEEPALIVE void wf_null() {
    Session().Null();
}
EMSCRIPTEN_KEEPALIVE void wf_pause() {
    Session().Pause();
}
EMSCRIPTEN_KEEPALIVE void wf_continue() {
    Session().Continue();
}
EMSCRIPTEN_KEEPALIVE void wf_end() {
    Session().End();
}
EMSCRIPTEN_KEEPALIVE void wf_reset_view() {
    Session().ResetView();
}
EMSCRIPTEN_KEEPALIVE void wf_show_info(int shown) {
    Session().ShowInfo(shown != 0);
}

// An empty text when the cap is taken, else the page's message.
EMSCRIPTEN_KEEPALIVE const char* wf_pace(const char* passesPerSecond) {
    const std::optional<int> rate = ParsePassesPerSecond(passesPerSecond);
    if (!rate)
        return Answer(BadPassesMessage("passes-per-second", passesPerSecond) +
                      "; the passes run unpaced");
    ThePage().PacePasses(*rate);
    return Answer({});
}

EMSCRIPTEN_KEEPALIVE int wf_run(double budgetMilliseconds) {
    return ThePage().RunFor(budgetMilliseconds);
}
// The message of a start that met a bad source field, or an empty text.
EMSCRIPTEN_KEEPALIVE const char* wf_bad_field() {
    return Answer(ThePage().TakeBadField().value_or(""));
}
EMSCRIPTEN_KEEPALIVE int wf_take_frame() {
    return ThePage().TakeFrame();
}
EMSCRIPTEN_KEEPALIVE const std::uint8_t* wf_canvas_pixels() {
    return ThePage().CanvasPixels();
}
EMSCRIPTEN_KEEPALIVE const char* wf_check(const char* example, const char* passes) {
    return Answer(CheckLine(example, passes));
}
EMSCRIPTEN_KEEPALIVE const char* wf_hashes() {
    return Answer(ThePage().Hashes());
}

} // extern "C"
