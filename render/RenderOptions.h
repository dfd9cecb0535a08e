// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "control/ControlTable.h"
#include "measure/Profile.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <variant>
#include <vector>

struct TRenderSettings;

// Where an option's value goes in the settings.
template <class T> using TField = T& (*)(TRenderSettings&);

// How an option's value is read, and where it goes: one kind per alternative.
struct TFlagValue { // no value: given means on
    TField<bool> Field;
};
struct TOnOffValue {
    TField<bool> Field;
};
struct TSliderValue { // a whole number in the window's slider's range
    Slider Which;
};
struct TWholeValue { // a whole number from Min to Max
    int Min;
    int Max;
    TField<int> Field;
};
struct TCountValue { // a whole number of Min or more
    long long Min;
    TField<long long> Field;
};
struct TFileValue {
    TField<QString> Field;
};
struct TInputFileValue { // a file that is read, not written
    TField<QString> Field;
};
struct TFolderValue {
    TField<QString> Field;
};
struct TSourceValue { // X,Y as typed into the two fields from FirstField on
    std::size_t FirstField;
};
struct TProbeValue {};     // X,Y of a node of the visible net, one more probe
struct TProfileLineValue { // the index of the profile's one line, 1..VisibleNodes
    ProfileLine Line;
};
struct TExampleValue {};  // an example by number or caption, applied before all else
struct TBoundaryValue {}; // damped, loose or fixed
struct TRequestValue {};  // help or version, answered before anything else is read
using TOptionValue =
    std::variant<TFlagValue, TOnOffValue, TSliderValue, TWholeValue, TCountValue, TFileValue,
                 TInputFileValue, TFolderValue, TSourceValue, TProbeValue, TProfileLineValue,
                 TExampleValue, TBoundaryValue, TRequestValue>;

// The groups of the help text, in its order.
enum class TOptionGroup { Controls, Run, Measuring, Program };

// One option of wogenfeld-render: everything its parsing, its help line, the
// manual page made from the help, and its refusals know of it.
struct TRenderOption {
    const char* Name;      // without the dashes
    const char* ValueName; // "" for an option that takes no value
    TOptionGroup Group;
    // {range}, {start} and {default} stand for those of the value, {visible}
    // for the visible nodes per side and {gif-every} for GifEvery.
    const char* Help;
    TOptionValue Value;
    // Given, it needs one of these, introduced in the message by NeedsWhat;
    // NeededBack: and they need it.
    std::vector<const char*> Needs = {};
    const char* NeedsWhat = "";
    bool NeededBack = false;
    // It cannot be given together with this one, for the reason ExcludesWhy.
    const char* Excludes = nullptr;
    const char* ExcludesWhy = nullptr;
    // It sets every control itself: no option of the Controls group goes with it.
    bool SetsControls = false;
    // What it asks of the other settings once every option is read.
    std::optional<QString> (*Check)(const TRenderSettings&) = nullptr;
    // Further names, each of one letter.
    std::vector<const char*> ShortNames = {};
};

// Every option, in the order of the help text.
const std::vector<TRenderOption>& RenderOptionTable();

// Frames of a GIF without --every or --strobe: a GIF second then shows 100
// passes, two periods of the drive at the start frequency; and encoding a
// frame costs less than the passes it shows.
inline constexpr long long GifEvery = 4;

// "--name", as messages and the help name an option.
QString Dashed(const char* name);
// Every name of the option, the one-letter ones first.
QStringList NamesOf(const TRenderOption& option);

// The whole numbers a value may be, where it is one or two of them.
struct TRange {
    int Min;
    int Max;
};
std::optional<TRange> RangeOf(const TOptionValue& value);

// One callable of several lambdas, for std::visit.
template <class... TCase> struct TCases : TCase... { using TCase::operator()...; };
