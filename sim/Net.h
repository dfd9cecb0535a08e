// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sim/BoundaryMode.h"
#include "sim/Extended.h"
#include "sim/LargeBlock.h"
#include "sim/TNode.h"

#include <array>
#include <cstddef>
#include <cstdint>

// What the excitation reads from the window on every pass.
struct TExcitationControls {
    bool Excitation = false;   // CheckBox1 "Anregung", the master switch
    int FrequencyPosition = 0; // ScrollBar1, Omega = position * 0.01
    bool Source1 = false;      // CheckBox3 "1"
    bool Source2 = false;      // CheckBox4 "2"
    bool Wavefront = false;    // RadioButton10 "gerade Wellenfront"
};

// Omega of a frequency slider position: position * 0.01, in extended.
Extended OmegaFromPosition(int position);

// The net of coupled pendulums and every value of its equations of motion.
// One of these lives as long as the program; it never allocates after creation.
//
// Equation of motion of a node with n neighbours (Z displacement, V velocity):
//   Z'' = -Restoring * Z + Coupling * (sum of neighbours' Z - n * Z) - Damping * V
struct TNet {
    // Its grids, 3 MB, on large pages.
    static void* operator new(std::size_t bytes) { return AllocateLargeBlock(bytes); }
    static void operator delete(void* net, std::size_t bytes) noexcept {
        FreeLargeBlock(net, bytes);
    }

    TGrid Nodes;             // the state
    TSnapshotGrid PrevNodes; // Z of Nodes at the start of a step; neighbours are read here
    TGrid ViewNodes;         // the rotated coordinates, written by the view

    // Start values are those of "Rand-Dämpfung", set at window creation
    // without resting the net; the first "Null" does that.
    int GridSize = BoundaryValues(BoundaryMode::DampedBorder).GridSize;
    int Margin = BoundaryValues(BoundaryMode::DampedBorder).Margin;
    Extended Restoring = 0; // D/m, 10 during every run
    Extended Coupling = 0;  // k, from the coupling slider
    Extended Damping = 0;   // damping of the node being updated; carries over into the border pass
    Extended ZoneDamping = MarginZoneDamping;
    Extended BaseTimeStep = BoundaryValues(BoundaryMode::DampedBorder).BaseTimeStep;
    Extended TimeStep = 0;
    Extended SimTime = 0;
    Extended Omega = 0; // angular frequency of every drive
    int Amplitude = 0;  // drive amplitude, from the amplitude slider

    // Node indices of the two point sources. Kept in 64 bits so that any typed
    // whole number plus Margin is exact: a huge one is simply outside the net.
    std::int64_t Source1X = 0;
    std::int64_t Source1Y = 0;
    std::int64_t Source2X = 0;
    std::int64_t Source2Y = 0;

    // Every used node at its rest position, at rest.
    void InitGrid();

    // What a "Begrenzung" radio button does when it becomes checked, short of
    // restarting the run: the mode's values, then the net at rest.
    void SelectBoundaryMode(BoundaryMode mode);

    // Run start: time, constants, then the sources field by field, so that a
    // start that fails at a field keeps what it has set before. Field 0..3 is
    // Edit1..Edit4 (x, y of source 1, x, y of source 2), each counted from 1
    // inside the damping margin.
    void BeginRunStart();
    void SetSourceField(int field, int typed);
    void StartRun(const std::array<int, 4>& typed);

    // Start of a pass: the time step ("Kreuzgitter" makes it 1.5 times longer)
    // and the two sliders the step and the drive read.
    void PreparePass(bool crossGrid, int couplingPosition, int amplitudePosition);

    void StepGrid(BoundaryMode mode);
    void ApplyExcitation(const TExcitationControls& controls);

    // End of a pass.
    void AdvanceTime() { SimTime = SimTime + TimeStep; }

  private:
    void KeepDisplacement(int i, int j);
    void SnapshotOuterRings();
    void BorderPass();
    void InteriorPass(bool zoneDamped);
    void Drive(std::int64_t i, std::int64_t j, Extended displacement, Extended velocity);
};
