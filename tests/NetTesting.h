// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "control/Commands.h"
#include "control/SourceFields.h"
#include "sim/Net.h"
#include "sim/StateHash.h"

#include <cstdint>
#include <cstring>
#include <memory>

// The net is several megabytes: tests keep it on the heap. Created as the
// window creates it, in the boundary mode asked for, with a run started from
// the window's start texts in the source fields.
inline std::unique_ptr<TNet> MakeNet(BoundaryMode mode) {
    const TPanelValues start = StartPanel();
    auto net = std::make_unique<TNet>();
    CreateNetValues(*net, start.Controls.Excitation.FrequencyPosition);
    net->SelectBoundaryMode(mode);
    StartRunFromFields(*net, start.SourceFields);
    return net;
}

// The settings of a pass as the window's start state gives them, with the
// excitation switched as asked.
struct TPass {
    BoundaryMode Mode = StartPanel().Controls.Mode;
    bool CrossGrid = StartPanel().Controls.View.CrossGrid;
    int Coupling = StartPanel().Controls.CouplingPosition;
    int Amplitude = StartPanel().Controls.AmplitudePosition;
    TExcitationControls Excitation = StartPanel().Controls.Excitation;
};

// The simulation part of one run-loop pass.
inline void RunPasses(TNet& net, const TPass& pass, int count) {
    for (int k = 0; k < count; ++k) {
        net.PreparePass(pass.CrossGrid, pass.Coupling, pass.Amplitude);
        net.StepGrid(pass.Mode);
        net.ApplyExcitation(pass.Excitation);
        net.AdvanceTime();
    }
}

// Bit-exact equality of two extended reals (only the 10 bytes that hold the value).
inline bool SameBits(Extended a, Extended b) {
    return std::memcmp(&a, &b, 10) == 0;
}

// Bit-exact equality of two whole grids, unused storage included.
inline bool SameStorage(const TGrid& a, const TGrid& b) {
    for (std::size_t k = 0; k < a.Storage().size(); ++k) {
        const TNode& p = a.Storage()[k];
        const TNode& q = b.Storage()[k];
        if (!SameBits(p.X, q.X) || !SameBits(p.Y, q.Y) || !SameBits(p.Z, q.Z) ||
            !SameBits(p.V, q.V)) {
            return false;
        }
    }
    return true;
}
