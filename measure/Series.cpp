// SPDX-License-Identifier: GPL-3.0-or-later
#include "measure/Series.h"

#include "measure/ShortestDigits.h"

#include <charconv>
#include <utility>
#include <version>

std::string NumberText(double value) {
    // Shortest representation that reads back as the same double, always with ".".
#if defined(__cpp_lib_to_chars) && __cpp_lib_to_chars >= 201611L
    char digits[32];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    return std::string(digits, end);
#else
    return ShortestDigits(value);
#endif
}

void ToCsvKind(std::string& text, TCsvKind kind) {
    if (kind == TCsvKind::Plain) return;
    // A plain table holds "." only in numbers and "," only between fields.
    for (char& c : text) {
        if (c == ',') {
            c = ';';
        } else if (c == '.') {
            c = ',';
        }
    }
}

TSeries::TSeries(std::vector<TNodePosition> probes, bool keepRows)
    : ProbeNodes(std::move(probes)), KeepRows(keepRows) {}

double ProbeDisplacement(const TNet& net, const TNodePosition& probe) {
    // Counted from 1 inside the damping margin, as the source fields.
    return static_cast<double>(net.Nodes(probe.X + net.Margin, probe.Y + net.Margin).Z);
}

void SetEnergies(TSeriesRow& row, const TEnergy& energy) {
    row.Kinetic = static_cast<double>(energy.Kinetic);
    row.OwnSprings = static_cast<double>(energy.OwnSprings);
    row.CouplingSprings = static_cast<double>(energy.CouplingSprings);
    row.Total = static_cast<double>(energy.Total);
}

TSeriesRow TSeries::Measure(const TNet& net, long long pass, Extended simTime) const {
    TSeriesRow row;
    row.Pass = pass;
    row.SimTime = static_cast<double>(simTime);
    SetEnergies(row, VisibleEnergy(net));
    row.Probes.reserve(ProbeNodes.size());
    for (const TNodePosition& probe : ProbeNodes)
        row.Probes.emplace_back(ProbeDisplacement(net, probe));
    return row;
}

void TSeries::Record(const TSeriesRow& row) {
    if (KeepRows) KeptRows.push_back(row);
}

std::string TSeries::ProbeName(const TNodePosition& probe) {
    return "Z_" + std::to_string(probe.X) + '_' + std::to_string(probe.Y);
}

std::string TSeries::HeaderLine() const {
    std::string line = "pass,SimTime";
    for (const TNodePosition& probe : ProbeNodes)
        line += ',' + ProbeName(probe);
    line += ",E_kinetic,E_own_springs,E_coupling_springs,E_total\n";
    return line;
}

std::string TSeries::RowLine(const TSeriesRow& row) {
    std::string line = std::to_string(row.Pass) + ',' + NumberText(row.SimTime);
    for (const std::optional<double>& z : row.Probes) {
        line += ',';
        if (z) line += NumberText(*z);
    }
    for (double e : {row.Kinetic, row.OwnSprings, row.CouplingSprings, row.Total})
        line += ',' + NumberText(e);
    line += '\n';
    return line;
}
