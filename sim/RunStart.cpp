// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/Net.h"

void TNet::BeginRunStart() {
    SimTime = 0;
    Restoring = Extended{10};
    Damping = 0;
    ZoneDamping = MarginZoneDamping;
}

void TNet::SetSourceField(int field, int typed) {
    const std::int64_t index = std::int64_t{typed} + Margin;
    switch (field) {
    case 0:
        Source1X = index;
        break;
    case 1:
        Source1Y = index;
        break;
    case 2:
        Source2X = index;
        break;
    case 3:
        Source2Y = index;
        break;
    default:
        break;
    }
}

void TNet::StartRun(const std::array<int, 4>& typed) {
    BeginRunStart();
    for (int field = 0; field < 4; ++field) {
        SetSourceField(field, typed[static_cast<std::size_t>(field)]);
    }
}

void TNet::PreparePass(bool crossGrid, int couplingPosition, int amplitudePosition) {
    TimeStep = crossGrid ? BaseTimeStep * Extended{1.5} : BaseTimeStep;
    Coupling = static_cast<Extended>(couplingPosition);
    Amplitude = amplitudePosition;
}
