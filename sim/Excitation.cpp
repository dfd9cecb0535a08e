// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/Net.h"

Extended OmegaFromPosition(int position) {
    return static_cast<Extended>(position) * Hundredth;
}

// A drive overwrites the node's state with the prescribed motion; it adds no force.
void TNet::Drive(std::int64_t i, std::int64_t j, Extended displacement, Extended velocity) {
    // A source outside the net drives nothing.
    if (i < 1 || i > GridSize || j < 1 || j > GridSize) return;
    TNode& node = Nodes(static_cast<int>(i), static_cast<int>(j));
    node.Z = displacement;
    node.V = velocity;
}

// Drive motion Z = -Amplitude * sin(Omega * t), V = dZ/dt, so a node the drive
// lets go moves on smoothly from where the drive left it.
void TNet::ApplyExcitation(const TExcitationControls& controls) {
    if (!controls.Excitation) return;
    Omega = OmegaFromPosition(controls.FrequencyPosition);

    // In 64 bits so that negating any 32-bit amplitude is defined.
    const Extended negAmplitude = static_cast<Extended>(-std::int64_t{Amplitude});
    const Extended phase = Omega * SimTime;
    const Extended displacement = negAmplitude * Sine(phase);
    const Extended velocity = Cosine(phase) * (negAmplitude * Omega);

    if (controls.Source1) Drive(Source1X, Source1Y, displacement, velocity);
    if (controls.Source2) Drive(Source2X, Source2Y, displacement, velocity);
    if (controls.Wavefront) {
        // The line just inside the low x margin, over the whole length of the net.
        for (int j = 1; j <= GridSize; ++j)
            Drive(Margin + 1, j, displacement, velocity);
    }
}
