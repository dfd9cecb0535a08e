// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "measure/NodePosition.h"
#include "sim/Energy.h"

#include <optional>
#include <string>
#include <vector>

// What --csv and --plot record of a pass: its number (from 1), the simulated
// time its drive ran at, the displacement of each probe, and the energy of the
// visible net. A probe set only during the run has no value before.
struct TSeriesRow {
    long long Pass = 0;
    double SimTime = 0;
    std::vector<std::optional<double>> Probes;
    double Kinetic = 0;
    double OwnSprings = 0;
    double CouplingSprings = 0;
    double Total = 0;
};

class TSeries {
  public:
    // `keepRows`: whether the rows are kept for a chart, besides being
    // formatted for the table.
    TSeries(std::vector<TNodePosition> probes, bool keepRows);

    const std::vector<TNodePosition>& Probes() const { return ProbeNodes; }
    const std::vector<TSeriesRow>& Rows() const { return KeptRows; }

    // The row of the pass just run on `net`.
    TSeriesRow Measure(const TNet& net, long long pass, Extended simTime) const;
    void Record(const TSeriesRow& row);

    // The table's header line and one row's line, comma-separated, with "." as
    // the decimal point and the shortest digits that give the same double back;
    // a probe without a value leaves its cell empty.
    std::string HeaderLine() const;
    static std::string RowLine(const TSeriesRow& row);
    // A probe's column name, e.g. Z_36_36.
    static std::string ProbeName(const TNodePosition& probe);

  private:
    std::vector<TNodePosition> ProbeNodes;
    bool KeepRows;
    std::vector<TSeriesRow> KeptRows;
};

// The displacement of a node of the visible net.
double ProbeDisplacement(const TNet& net, const TNodePosition& probe);
// The row's energies, as the table writes them.
void SetEnergies(TSeriesRow& row, const TEnergy& energy);

// A number as the table writes it.
std::string NumberText(double value);

// The two kinds of the table. Plain: "," between the fields and "." as the
// decimal point, as programs and scripts read it. For spreadsheets in
// languages that write a decimal comma, as German does: ";" between the
// fields and "," as the decimal point, which they read as numbers unasked.
enum class TCsvKind { Plain, DecimalComma };
// A plain table's text as `kind` writes it: the same digits, only the
// separator and the decimal point exchanged.
void ToCsvKind(std::string& text, TCsvKind kind);
