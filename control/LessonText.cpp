// SPDX-License-Identifier: GPL-3.0-or-later
#include "control/LessonText.h"

#include "control/ControlTable.h"
#include "sim/NetSize.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <optional>
#include <vector>

namespace {

constexpr std::string_view Magic = "wogenfeld-lesson";

// In the order of Slider.
constexpr std::array<std::string_view, 7> SliderNames = {
    "frequency", "amplitude", "coupling", "rotate-x", "rotate-y", "rotate-z", "zoom"};
// In the order of BoundaryMode.
constexpr std::array<std::string_view, 3> BoundaryNames = {"damped", "loose", "fixed"};

struct TKindName {
    TActionKind Kind;
    std::string_view Name;
};
constexpr std::array<TKindName, 21> KindNames = {{
    {TActionKind::Activate, "activate"},
    {TActionKind::Slider, "slider"},
    {TActionKind::Excitation, "excitation"},
    {TActionKind::CrossGrid, "cross-grid"},
    {TActionKind::Source, "source"},
    {TActionKind::SourceField, "field"},
    {TActionKind::Boundary, "boundary"},
    {TActionKind::Example, "example"},
    {TActionKind::Null, "null"},
    {TActionKind::Pause, "pause"},
    {TActionKind::Continue, "continue"},
    {TActionKind::End, "end"},
    {TActionKind::ResetView, "reset-view"},
    {TActionKind::Info, "info"},
    {TActionKind::Probe, "probe"},
    {TActionKind::Recording, "recording"},
    {TActionKind::WatchStart, "watch-start"},
    {TActionKind::WatchStop, "watch-stop"},
    {TActionKind::WatchReset, "watch-reset"},
    {TActionKind::FailedStart, "failed-start"},
    {TActionKind::Step, "step"},
}};

std::string_view KindName(TActionKind kind) {
    for (const TKindName& entry : KindNames)
        if (entry.Kind == kind) return entry.Name;
    return {};
}

const char* OnOff(bool on) {
    return on ? "on" : "off";
}

constexpr char HexDigits[] = "0123456789abcdef";
constexpr int HashDigits = 16;

std::string Hex(std::uint64_t value) {
    std::string text(HashDigits, '0');
    for (int k = HashDigits - 1; k >= 0; --k, value >>= 4)
        text[static_cast<std::size_t>(k)] = HexDigits[value & 0xf];
    return text;
}

// In quotes; quote, backslash and control bytes as \xHH, so that a line holds
// the whole text whatever was typed.
std::string Quoted(const std::string& text) {
    std::string quoted = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7f || c == '"' || c == '\\') {
            quoted += "\\x";
            quoted += HexDigits[byte >> 4];
            quoted += HexDigits[byte & 0xf];
        } else {
            quoted += c;
        }
    }
    return quoted + '"';
}

std::string NodeText(int x, int y) {
    return std::to_string(x) + ',' + std::to_string(y);
}

std::string ProbeText(const std::optional<TNodePosition>& node) {
    return node ? NodeText(node->X, node->Y) : "none";
}

std::string ActionLine(const TAction& action) {
    std::string line = "action " + std::to_string(action.Pass) + ' ';
    line += KindName(action.Kind);
    switch (action.Kind) {
    case TActionKind::Slider:
        line += ' ';
        line += SliderNames[static_cast<std::size_t>(action.Which)];
        return line + ' ' + std::to_string(action.Value);
    case TActionKind::Excitation:
    case TActionKind::CrossGrid:
    case TActionKind::Info:
        return line + ' ' + OnOff(action.Value != 0);
    case TActionKind::Source:
        return line + ' ' + std::to_string(action.Which) + ' ' + OnOff(action.Value != 0);
    case TActionKind::SourceField:
        return line + ' ' + std::to_string(action.Which + 1) + ' ' + Quoted(action.Text);
    case TActionKind::Boundary:
        line += ' ';
        return line += BoundaryNames[static_cast<std::size_t>(action.Value)];
    case TActionKind::Example:
        return line + ' ' + std::to_string(action.Value + 1);
    case TActionKind::Probe:
        return line + ' ' + std::to_string(action.Which + 1) + ' ' +
               (action.X == 0 ? std::string("none") : NodeText(action.X, action.Y));
    default:
        return line;
    }
}

// ---- reading ----

// The well-formed UTF-8 sequences by their lead byte: their length, the
// smallest code point they may hold (less is an overlong form) and the bits
// of the code point in the lead.
struct TUtf8Form {
    unsigned FirstLead;
    unsigned LastLead;
    std::size_t Length;
    unsigned Smallest;
    unsigned LeadBits;
};
constexpr std::array<TUtf8Form, 4> Utf8Forms = {{
    {0x00, 0x7f, 1, 0x0, 0x7f},
    {0xc2, 0xdf, 2, 0x80, 0x1f},
    {0xe0, 0xef, 3, 0x800, 0x0f},
    {0xf0, 0xf4, 4, 0x10000, 0x07},
}};
constexpr unsigned ContinuationMask = 0xc0;
constexpr unsigned ContinuationMark = 0x80;
constexpr unsigned ContinuationBits = 6;
constexpr unsigned LargestCodePoint = 0x10ffff;
constexpr unsigned FirstSurrogate = 0xd800;
constexpr unsigned LastSurrogate = 0xdfff;

// Where the first byte is that does not belong to well-formed UTF-8, or npos.
std::size_t InvalidUtf8At(std::string_view text) {
    std::size_t k = 0;
    while (k < text.size()) {
        const auto lead = static_cast<unsigned char>(text[k]);
        const auto form = std::find_if(Utf8Forms.begin(), Utf8Forms.end(), [lead](const auto& f) {
            return lead >= f.FirstLead && lead <= f.LastLead;
        });
        if (form == Utf8Forms.end() || k + form->Length > text.size()) return k;
        unsigned code = lead & form->LeadBits;
        for (std::size_t m = 1; m < form->Length; ++m) {
            const auto next = static_cast<unsigned char>(text[k + m]);
            if ((next & ContinuationMask) != ContinuationMark) return k;
            code = (code << ContinuationBits) | (next & ~ContinuationMask);
        }
        if (code < form->Smallest || code > LargestCodePoint ||
            (code >= FirstSurrogate && code <= LastSurrogate))
            return k;
        k += form->Length;
    }
    return std::string_view::npos;
}

std::vector<std::string_view> Split(std::string_view text) {
    std::vector<std::string_view> parts;
    std::size_t from = 0;
    for (;;) {
        const std::size_t blank = text.find(' ', from);
        parts.push_back(text.substr(from, blank == std::string_view::npos ? blank : blank - from));
        if (blank == std::string_view::npos) return parts;
        from = blank + 1;
    }
}

constexpr int HexBase = 16;

template <class T> std::optional<T> Number(std::string_view text, int base = 10) {
    T value{};
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value, base);
    if (text.empty() || error != std::errc() || stop != end) return std::nullopt;
    return value;
}

class TLessonReader {
  public:
    explicit TLessonReader(std::string_view text) {
        std::size_t from = 0;
        while (from < text.size()) {
            std::size_t stop = text.find('\n', from);
            if (stop == std::string_view::npos) stop = text.size();
            std::string_view line = text.substr(from, stop - from);
            if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
            Lines.push_back(line);
            from = stop + 1;
        }
    }

    std::variant<TLesson, std::string> Read();

  private:
    std::vector<std::string_view> Lines;
    std::size_t At = 0;      // the next line
    std::size_t Current = 0; // the line whose values are read
    std::optional<std::string> Fault;
    TLesson Lesson;

    bool Fail(const std::string& what) {
        if (!Fault)
            Fault = "Die Unterrichtsdatei ist fehlerhaft, Zeile " + std::to_string(Current + 1) +
                    ": " + what + '.';
        return false;
    }
    // The values of the line if it has `key`, and steps on.
    std::optional<std::vector<std::string_view>> Line(std::string_view key, std::size_t values);
    bool Whole(std::string_view text, long long min, long long max, long long& value);
    bool Whole(std::string_view text, int min, int max, int& value);
    bool Switch(std::string_view text, bool& on);
    bool Named(std::string_view text, const auto& names, int& index);
    bool Text(std::string_view text, std::string& decoded);
    bool Node(std::string_view text, std::optional<TNodePosition>& node);
    bool Hash(std::string_view text, std::uint64_t& hash);

    bool ReadStart();
    bool ReadAction(std::vector<std::string_view> values, long long& lastPass);
    bool ReadEnd();
};

std::optional<std::vector<std::string_view>> TLessonReader::Line(std::string_view key,
                                                                 std::size_t values) {
    if (At >= Lines.size()) {
        Fault = "Die Unterrichtsdatei ist unvollständig: sie endet vor „" + std::string(key) + "“.";
        return std::nullopt;
    }
    Current = At;
    std::vector<std::string_view> parts = Split(Lines[At]);
    if (parts.front() != key) {
        Fail("„" + std::string(key) + "“ erwartet");
        return std::nullopt;
    }
    if (parts.size() != values + 1) {
        Fail("„" + std::string(key) + "“ mit " + std::to_string(values) + " Wert(en) erwartet");
        return std::nullopt;
    }
    ++At;
    parts.erase(parts.begin());
    return parts;
}

bool TLessonReader::Whole(std::string_view text, long long min, long long max, long long& value) {
    const std::optional<long long> number = Number<long long>(text);
    if (!number) return Fail("„" + std::string(text) + "“ ist keine ganze Zahl");
    if (*number < min || *number > max)
        return Fail(std::string(text) + " liegt nicht zwischen " + std::to_string(min) + " und " +
                    std::to_string(max));
    value = *number;
    return true;
}

bool TLessonReader::Whole(std::string_view text, int min, int max, int& value) {
    long long wide = 0;
    if (!Whole(text, static_cast<long long>(min), static_cast<long long>(max), wide)) return false;
    value = static_cast<int>(wide);
    return true;
}

bool TLessonReader::Switch(std::string_view text, bool& on) {
    if (text != "on" && text != "off") return Fail("„on“ oder „off“ erwartet");
    on = text == "on";
    return true;
}

bool TLessonReader::Named(std::string_view text, const auto& names, int& index) {
    for (std::size_t k = 0; k < names.size(); ++k) {
        if (names[k] == text) {
            index = static_cast<int>(k);
            return true;
        }
    }
    return Fail("unbekannter Name „" + std::string(text) + "“");
}

bool TLessonReader::Text(std::string_view text, std::string& decoded) {
    if (text.size() < 2 || text.front() != '"' || text.back() != '"')
        return Fail("Text in Anführungszeichen erwartet");
    decoded.clear();
    for (std::size_t k = 1; k + 1 < text.size(); ++k) {
        const char c = text[k];
        if (c == '"') return Fail("Anführungszeichen im Text ohne \\x22");
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) return Fail("Steuerzeichen im Text");
        if (c != '\\') {
            decoded += c;
            continue;
        }
        // \xHH, all before the closing quote.
        const std::optional<unsigned> byte = k + 4 < text.size() && text[k + 1] == 'x'
                                                 ? Number<unsigned>(text.substr(k + 2, 2), HexBase)
                                                 : std::nullopt;
        if (!byte) return Fail("nach \\ im Text stehen x und zwei Hexadezimalziffern");
        decoded += static_cast<char>(*byte);
        k += 3;
    }
    if (InvalidUtf8At(decoded) != std::string_view::npos) return Fail("der Text ist kein UTF-8");
    return true;
}

bool TLessonReader::Node(std::string_view text, std::optional<TNodePosition>& node) {
    if (text == "none") {
        node.reset();
        return true;
    }
    const std::size_t comma = text.find(',');
    if (comma == std::string_view::npos) return Fail("Knoten X,Y oder „none“ erwartet");
    TNodePosition position{};
    if (!Whole(text.substr(0, comma), 1, VisibleNodes, position.X)) return false;
    if (!Whole(text.substr(comma + 1), 1, VisibleNodes, position.Y)) return false;
    node = position;
    return true;
}

bool TLessonReader::Hash(std::string_view text, std::uint64_t& hash) {
    const bool digits =
        text.size() == HashDigits && text.find_first_not_of(HexDigits) == std::string_view::npos;
    const std::optional<std::uint64_t> value =
        digits ? Number<std::uint64_t>(text, HexBase) : std::nullopt;
    if (!value) return Fail("16 Hexadezimalziffern (0-9, a-f) erwartet");
    hash = *value;
    return true;
}

bool TLessonReader::ReadStart() {
    const auto program = Line("program", 1);
    if (!program) return false;
    if ((*program)[0].empty()) return Fail("Versionsangabe fehlt");
    Lesson.Program = std::string((*program)[0]);
    const auto start = Line("start", 1);
    if (!start) return false;
    if ((*start)[0] != "created" && (*start)[0] != "running")
        return Fail("„created“ oder „running“ erwartet");
    TActionLog& log = Lesson.Log;
    log.StartedRunning = (*start)[0] == "running";
    const auto example = Line("example", 1);
    if (!example || !Whole((*example)[0], 1, static_cast<int>(Examples.size()), log.Example))
        return false;
    --log.Example;
    TControlState& controls = log.Start.Controls;
    for (std::size_t k = 0; k < SliderNames.size(); ++k) {
        const auto slider = static_cast<Slider>(k);
        const TSliderRow& row = SliderRow(slider);
        const auto value = Line(SliderNames[k], 1);
        if (!value ||
            !Whole((*value)[0], row.Minimum, row.Maximum, SliderPosition(controls, slider)))
            return false;
    }
    TExcitationControls& drive = controls.Excitation;
    const std::pair<std::string_view, bool*> switches[] = {
        {"excitation", &drive.Excitation}, {"cross-grid", &controls.View.CrossGrid},
        {"source1", &drive.Source1},       {"source2", &drive.Source2},
        {"wavefront", &drive.Wavefront},
    };
    for (const auto& [key, on] : switches) {
        const auto value = Line(key, 1);
        if (!value || !Switch((*value)[0], *on)) return false;
    }
    const auto boundary = Line("boundary", 1);
    int mode = 0;
    if (!boundary || !Named((*boundary)[0], BoundaryNames, mode)) return false;
    controls.Mode = static_cast<BoundaryMode>(mode);
    for (std::size_t field = 0; field < 4; ++field) {
        const std::string key = "field" + std::to_string(field + 1);
        // The text may hold blanks: the rest of the line is the value.
        if (At < Lines.size() && Lines[At].starts_with(key + ' ')) {
            Current = At;
            if (!Text(Lines[At].substr(key.size() + 1), log.Start.SourceFields[field]))
                return false;
            ++At;
        } else if (!Line(key, 1)) {
            return false;
        }
    }
    return true;
}

bool TLessonReader::ReadAction(std::vector<std::string_view> values, long long& lastPass) {
    TAction action;
    if (values.size() < 2) return Fail("Durchgang und Aktion erwartet");
    if (!Whole(values[0], 0LL, MaxLessonPasses, action.Pass)) return false;
    if (action.Pass < lastPass) return Fail("der Durchgang ist kleiner als der vorige");
    lastPass = action.Pass;
    int kind = 0;
    std::array<std::string_view, KindNames.size()> names;
    for (std::size_t k = 0; k < names.size(); ++k)
        names[k] = KindNames[k].Name;
    if (!Named(values[1], names, kind)) return false;
    action.Kind = KindNames[static_cast<std::size_t>(kind)].Kind;
    const std::size_t given = values.size() - 2;
    const auto wants = [&](std::size_t count) {
        return given == count || Fail("die Aktion „" + std::string(values[1]) + "“ hat " +
                                      std::to_string(count) + " Wert(e)");
    };
    bool on = false;
    std::optional<TNodePosition> node;
    bool ok = true;
    switch (action.Kind) {
    case TActionKind::Slider: {
        ok = wants(2) && Named(values[2], SliderNames, action.Which);
        const TSliderRow& row = SliderRow(static_cast<Slider>(action.Which));
        ok = ok && Whole(values[3], row.Minimum, row.Maximum, action.Value);
        break;
    }
    case TActionKind::Excitation:
    case TActionKind::CrossGrid:
    case TActionKind::Info:
        ok = wants(1) && Switch(values[2], on);
        action.Value = on;
        break;
    case TActionKind::Source:
        ok = wants(2) && Whole(values[2], 1, 2, action.Which) && Switch(values[3], on);
        action.Value = on;
        break;
    case TActionKind::SourceField: {
        // The text may hold blanks: it is the rest of the line.
        ok = given >= 2 && Whole(values[2], 1, 4, action.Which);
        if (!ok) return Fail("Feld und Text erwartet");
        const std::string_view line = Lines[At];
        const std::size_t quote = line.find('"');
        ok = Text(line.substr(quote == std::string_view::npos ? line.size() : quote), action.Text);
        --action.Which;
        break;
    }
    case TActionKind::Boundary:
        ok = wants(1) && Named(values[2], BoundaryNames, action.Value);
        break;
    case TActionKind::Example:
        ok = wants(1) && Whole(values[2], 1, static_cast<int>(Examples.size()), action.Value);
        --action.Value;
        break;
    case TActionKind::Probe:
        ok = wants(2) && Whole(values[2], 1, 4, action.Which) && Node(values[3], node);
        --action.Which;
        action.X = node ? node->X : 0;
        action.Y = node ? node->Y : 0;
        break;
    default:
        ok = wants(0);
        break;
    }
    if (ok) Lesson.Log.Actions.push_back(std::move(action));
    return ok;
}

bool TLessonReader::ReadEnd() {
    for (std::size_t slot = 0; slot < Lesson.Probes.size(); ++slot) {
        const auto probe = Line("probe" + std::to_string(slot + 1), 1);
        if (!probe || !Node((*probe)[0], Lesson.Probes[slot])) return false;
    }
    const auto view = Line("view", 4);
    if (!view) return false;
    TControlState positions;
    for (std::size_t k = 0; k < 4; ++k) {
        const auto slider = static_cast<Slider>(static_cast<std::size_t>(Slider::RotationX) + k);
        const TSliderRow& row = SliderRow(slider);
        if (!Whole((*view)[k], row.Minimum, row.Maximum, SliderPosition(positions, slider)))
            return false;
    }
    Lesson.View = positions.View;
    const auto passes = Line("passes", 1);
    const long long lastAction = Lesson.Log.Actions.empty() ? 0 : Lesson.Log.Actions.back().Pass;
    if (!passes || !Whole((*passes)[0], lastAction, MaxLessonPasses, Lesson.Passes)) return false;
    const auto state = Line("state", 1);
    if (!state || !Hash((*state)[0], Lesson.StateHash)) return false;
    const auto frame = Line("frame", 1);
    if (!frame || !Hash((*frame)[0], Lesson.FrameHash)) return false;
    if (!Line("end", 0)) return false;
    Current = At;
    if (At < Lines.size()) return Fail("nach „end“ folgt noch Text");
    return true;
}

std::variant<TLesson, std::string> TLessonReader::Read() {
    const std::vector<std::string_view> magic =
        Lines.empty() ? std::vector<std::string_view>{} : Split(Lines.front());
    if (magic.size() != 2 || magic[0] != Magic)
        return std::string("Die Datei ist keine Wogenfeld-Unterrichtsdatei.");
    const std::optional<int> format = Number<int>(magic[1]);
    if (!format || *format < 1)
        return std::string("Die Datei ist keine Wogenfeld-Unterrichtsdatei.");
    if (*format != LessonFormat)
        return "Die Unterrichtsdatei hat das Format " + std::to_string(*format) +
               "; dieses Programm liest nur Format " + std::to_string(LessonFormat) +
               ". Ein neueres Programm öffnet sie.";
    At = 1;
    bool ok = ReadStart();
    long long lastPass = 0;
    while (ok && At < Lines.size() && Lines[At].starts_with("action ")) {
        Current = At;
        std::vector<std::string_view> values = Split(Lines[At]);
        values.erase(values.begin());
        ok = ReadAction(std::move(values), lastPass);
        if (ok) ++At;
    }
    ok = ok && ReadEnd();
    if (!ok) return *Fault;
    return std::move(Lesson);
}

} // namespace

std::string LessonText(const TLesson& lesson) {
    const TActionLog& log = lesson.Log;
    std::string text = std::string(Magic) + ' ' + std::to_string(LessonFormat) + '\n';
    text += "program " + lesson.Program + '\n';
    text += std::string("start ") + (log.StartedRunning ? "running" : "created") + '\n';
    text += "example " + std::to_string(log.Example + 1) + '\n';
    TControlState controls = log.Start.Controls;
    for (std::size_t k = 0; k < SliderNames.size(); ++k) {
        text += SliderNames[k];
        text += ' ' + std::to_string(SliderPosition(controls, static_cast<Slider>(k))) + '\n';
    }
    const TExcitationControls& drive = controls.Excitation;
    text += std::string("excitation ") + OnOff(drive.Excitation) + '\n';
    text += std::string("cross-grid ") + OnOff(controls.View.CrossGrid) + '\n';
    text += std::string("source1 ") + OnOff(drive.Source1) + '\n';
    text += std::string("source2 ") + OnOff(drive.Source2) + '\n';
    text += std::string("wavefront ") + OnOff(drive.Wavefront) + '\n';
    text += "boundary ";
    text += BoundaryNames[static_cast<std::size_t>(controls.Mode)];
    text += '\n';
    for (std::size_t field = 0; field < 4; ++field)
        text += "field" + std::to_string(field + 1) + ' ' + Quoted(log.Start.SourceFields[field]) +
                '\n';
    for (const TAction& action : log.Actions)
        text += ActionLine(action) + '\n';
    for (std::size_t slot = 0; slot < lesson.Probes.size(); ++slot)
        text += "probe" + std::to_string(slot + 1) + ' ' + ProbeText(lesson.Probes[slot]) + '\n';
    const TViewControls& view = lesson.View;
    text += "view " + std::to_string(view.RotationX) + ' ' + std::to_string(view.RotationY) + ' ' +
            std::to_string(view.RotationZ) + ' ' + std::to_string(view.ZoomPosition) + '\n';
    text += "passes " + std::to_string(lesson.Passes) + '\n';
    text += "state " + Hex(lesson.StateHash) + '\n';
    text += "frame " + Hex(lesson.FrameHash) + '\n';
    return text + "end\n";
}

std::variant<TLesson, std::string> ReadLesson(std::string_view text) {
    if (text.empty()) return std::string("Die Datei ist leer.");
    if (text.size() > MaxLessonBytes)
        return std::string(
            "Die Datei ist größer als 10 MB und keine Unterrichtsdatei dieses Programms.");
    const std::size_t invalid = InvalidUtf8At(text);
    if (invalid != std::string_view::npos) {
        const auto line = 1 + std::count(text.begin(), text.begin() + invalid, '\n');
        return "Die Datei ist kein UTF-8-Text (Zeile " + std::to_string(line) + ").";
    }
    return TLessonReader(text).Read();
}
