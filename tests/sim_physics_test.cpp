// SPDX-License-Identifier: GPL-3.0-or-later
#include "NetTesting.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

// Energy of the visible 71 x 71 nodes: kinetic, own springs, and the coupling
// springs between visible neighbours.
Extended VisibleEnergy(const TNet& net) {
    const int first = net.Margin + 1;
    const int last = net.GridSize - net.Margin;
    Extended energy = 0;
    for (int j = first; j <= last; ++j) {
        for (int i = first; i <= last; ++i) {
            const TNode& node = net.Nodes(i, j);
            energy += (node.V * node.V + net.Restoring * node.Z * node.Z) / 2;
            if (i < last) {
                const Extended dz = net.Nodes(i + 1, j).Z - node.Z;
                energy += net.Coupling * dz * dz / 2;
            }
            if (j < last) {
                const Extended dz = net.Nodes(i, j + 1).Z - node.Z;
                energy += net.Coupling * dz * dz / 2;
            }
        }
    }
    return energy;
}

TEST(Physics, PulseAtTheCentreSpreadsWithFourFoldSymmetry) {
    auto net = MakeNet(BoundaryMode::DampedBorder);
    net->Nodes(46, 46).Z = 30;
    RunPasses(*net, {}, 400);

    Extended largest = 0;
    Extended worst = 0;
    for (int a = 0; a <= 45; ++a) {
        for (int b = 0; b <= 45; ++b) {
            const Extended z = net->Nodes(46 + a, 46 + b).Z;
            largest = std::max(largest, std::fabs(z));
            for (Extended mirrored : {net->Nodes(46 - a, 46 + b).Z, net->Nodes(46 + a, 46 - b).Z,
                                      net->Nodes(46 - a, 46 - b).Z, net->Nodes(46 + b, 46 + a).Z}) {
                worst = std::max(worst, std::fabs(z - mirrored));
            }
        }
    }
    EXPECT_GT(net->Nodes(66, 46).Z != 0, 0) << "the wave has travelled";
    EXPECT_LT(worst, largest * 1e-15L) << "largest " << static_cast<double>(largest);
}

TEST(Physics, DampingBorderDrainsTheWavesReflectingBordersKeepThem) {
    for (BoundaryMode mode :
         {BoundaryMode::DampedBorder, BoundaryMode::LooseEnd, BoundaryMode::FixedEnd}) {
        auto net = MakeNet(mode);
        TPass pass{.Mode = mode};
        pass.Excitation.Excitation = true;
        RunPasses(*net, pass, 600);
        const Extended driven = VisibleEnergy(*net);

        pass.Excitation.Excitation = false;
        RunPasses(*net, pass, 6000);
        const Extended left = VisibleEnergy(*net) / driven;
        if (mode == BoundaryMode::DampedBorder) {
            EXPECT_LT(left, 0.01L) << "energy left " << static_cast<double>(left);
        } else {
            EXPECT_GT(left, 0.5L) << "mode " << static_cast<int>(mode) << " energy left "
                                  << static_cast<double>(left);
        }
    }
}

} // namespace
