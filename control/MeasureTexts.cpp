// SPDX-License-Identifier: GPL-3.0-or-later
#include "control/MeasureTexts.h"

#include "measure/LatticeWave.h"
#include "measure/Profile.h"
#include "measure/Readings.h"

#include <cmath>
#include <cstdio>
#include <numbers>
#include <optional>

namespace {

// How far back the probes' crossings are looked for.
constexpr double ReadingSpan = 20;

std::optional<TProbeReading> Reading(const TSession& session, std::size_t slot) {
    const TRecording* recording = session.Recording();
    if (!recording || !session.Probes()[slot]) return std::nullopt;
    return ReadProbe(*recording, slot, ReadingSpan);
}

std::string Grouped(std::string digits) {
    for (auto at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<std::size_t>(at), 1, '.');
    return digits;
}

} // namespace

std::string GermanNumber(double value, int decimals) {
    char printed[400];
    std::snprintf(printed, sizeof printed, "%.*f", decimals, value);
    std::string digits(printed);
    const bool negative = digits.front() == '-';
    if (negative) digits.erase(0, 1);
    const std::size_t point = digits.find('.');
    // Appended piece by piece: GCC 12 warns falsely of overlapping copies
    // where a sign is put before a temporary string.
    std::string text = negative ? "-" : "";
    text += Grouped(digits.substr(0, point));
    if (point != std::string::npos) {
        text += ',';
        text.append(digits, point + 1);
    }
    return text;
}

std::string GermanCount(long long value) {
    const unsigned long long magnitude = value < 0 ? 0ULL - static_cast<unsigned long long>(value)
                                                   : static_cast<unsigned long long>(value);
    std::string text = value < 0 ? "-" : "";
    text += Grouped(std::to_string(magnitude));
    return text;
}

std::string ProbeText(const TSession& session, std::size_t slot) {
    if (!session.Probes()[slot]) return "nicht gesetzt";
    const std::optional<TProbeReading> reading = Reading(session, slot);
    if (!reading) return "noch keine ganze Schwingung";
    return "Amplitude " + GermanNumber(reading->Amplitude, 2) + " · Periode " +
           GermanNumber(reading->Period, 4) + " · Frequenz " +
           GermanNumber(1 / reading->Period, 4) +
           " (ω = " + GermanNumber(2 * std::numbers::pi / reading->Period, 3) + ")";
}

std::string PhaseText(const TSession& session, std::size_t slot) {
    const TProbeSlots& probes = session.Probes();
    if (slot == 0 || !session.Recording() || !probes[0] || !probes[slot]) return {};
    const std::optional<TProbeReading> reference = Reading(session, 0);
    const std::optional<TProbeReading> other = Reading(session, slot);
    if (!reference || !other) return "Phase gegen Sonde 1: –";
    const double lag = PhaseLag(*reference, *other);
    const std::string text = "Phase gegen Sonde 1: " + GermanNumber(lag, 0) + "°";
    switch (RelationOf(lag)) {
    case PhaseRelation::InPhase:
        return text + " – gleichphasig";
    case PhaseRelation::InAntiphase:
        return text + " – gegenphasig";
    case PhaseRelation::Other:
        break;
    }
    return text;
}

namespace {

std::optional<double> MeasuredWavelength(const TSession& session, bool alongRow) {
    const std::optional<TNodePosition>& first = session.Probes()[0];
    if (!first) return std::nullopt;
    return WavelengthOf(ProfileOf(session.RunLoop().Net(),
                                  alongRow ? ProfileLine::Row : ProfileLine::Column,
                                  alongRow ? first->Y : first->X));
}

// v = lambda * f, with the frequency probe 1 measures.
std::optional<double> MeasuredSpeed(const TSession& session, bool alongRow) {
    const std::optional<double> length = MeasuredWavelength(session, alongRow);
    const std::optional<TProbeReading> reading = Reading(session, 0);
    if (!length || !reading) return std::nullopt;
    return *length / reading->Period;
}

} // namespace

std::string WavelengthText(const TSession& session, bool alongRow) {
    const std::optional<double> length = MeasuredWavelength(session, alongRow);
    if (!length) return "Wellenlänge: –";
    return "Wellenlänge: " + GermanNumber(*length, 2) + " Knotenabstände";
}

std::string SpeedText(const TSession& session, bool alongRow) {
    const std::optional<double> speed = MeasuredSpeed(session, alongRow);
    if (!speed) return "Geschwindigkeit v = λ · f: –";
    return "Geschwindigkeit v = λ · f: " + GermanNumber(*speed, 2) +
           " Knotenabstände je Zeiteinheit";
}

std::string LatticeText(const TSession& session, bool alongRow) {
    const TNet& net = session.RunLoop().Net();
    const double omega = static_cast<double>(net.Omega);
    const double coupling = static_cast<double>(net.Coupling);
    const std::string text = "Nach der Dispersion des Netzes (k = " + GermanNumber(coupling, 0) +
                             ", ω = " + GermanNumber(omega, 2) + "): ";
    const std::optional<TLatticeWave> wave =
        LatticeWave(omega, coupling, static_cast<double>(net.Restoring));
    if (!wave) return text + "keine laufende Welle";
    const std::string lattice = "v = " + GermanNumber(wave->PhaseSpeed, 2);
    const std::optional<double> speed = MeasuredSpeed(session, alongRow);
    if (!speed) return text + lattice;
    const double off = PercentOff(*speed, wave->PhaseSpeed);
    return text + lattice + " · Abweichung " + (off > 0 ? "+" : "") + GermanNumber(off, 1) + " %";
}

std::string WatchText(double time) {
    return "Stoppuhr: " + GermanNumber(time, 3) + " Zeiteinheiten";
}

std::string PassesText(long long passes) {
    return "Durchgänge des Laufs: " + GermanCount(passes);
}
