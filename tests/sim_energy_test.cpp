// SPDX-License-Identifier: GPL-3.0-or-later
// The energy of the net against what its integrator is known to do exactly.
//
// The step is symplectic Euler, velocity first: with K the stiffness matrix
// (Restoring on the diagonal plus Coupling times the graph Laplacian of the
// net, symmetric) and h the time step,
//   V' = V - h K Z,   Z' = Z + h V'.
// It does not keep E = V.V/2 + Z.K.Z/2, but it keeps exactly
//   H = E - (h/2) Z.K.V:
// expanding Z'.K.Z' and h Z'.K.V' with Z' = Z + h V' gives
//   H' = V'.V'/2 + Z.K.Z/2 + (h/2) Z.K.V',
// and with V' = V - h K Z the terms in h^2 Z.K^2.Z cancel, leaving
//   H' = V.V/2 + Z.K.Z/2 - (h/2) Z.K.V = H.
// In the eigenmodes of K (frequencies w_k = sqrt(lambda_k)) H_k is a quadratic
// form between E_k (1 - h w_k / 2) and E_k (1 + h w_k / 2), because
// |w_k z v| <= E_k. So for every pass
//   H / (1 + r) <= E <= H / (1 - r),   r = h sqrt(lambda_max) / 2,
// with lambda_max <= Restoring + 8 Coupling (Gershgorin: a node's Laplacian
// row has at most 4 neighbours and degree 4). Starting at rest, H = E_0.

#include "NetTesting.h"
#include "sim/Energy.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

TPass Undriven(int coupling, bool crossGrid) {
    TPass pass{.Mode = BoundaryMode::LooseEnd, .CrossGrid = crossGrid, .Coupling = coupling};
    pass.Excitation.Excitation = false;
    return pass;
}

// (h/2) Z.K.V over the loose 71 x 71 net, with K built here from the
// neighbours that exist: (K V)_i = Restoring V_i + Coupling (n_i V_i - sum of
// the neighbours' V).
Extended Correction(const TNet& net) {
    Extended sum = 0;
    for (int j = 1; j <= 71; ++j) {
        for (int i = 1; i <= 71; ++i) {
            Extended neighbours = 0;
            int n = 0;
            for (auto [di, dj] : {std::pair{-1, 0}, {1, 0}, {0, -1}, {0, 1}}) {
                const int a = i + di, b = j + dj;
                if (a < 1 || a > 71 || b < 1 || b > 71) continue;
                neighbours += net.Nodes(a, b).V;
                ++n;
            }
            const TNode& node = net.Nodes(i, j);
            const Extended kv = net.Restoring * node.V + net.Coupling * (n * node.V - neighbours);
            sum += node.Z * kv;
        }
    }
    return net.TimeStep / 2 * sum;
}

TEST(Energy, IsolatedNodeKeepsTheModifiedEnergyAndSwingsWithinItsBound) {
    // Coupling 0, dt 0.01, Restoring 10: one oscillator with w^2 = 10.
    // Z = 1, V = 0 gives H = E_0 = 10 * 1 / 2 = 5, r = 0.01 * sqrt(10) / 2 = 0.0158114,
    // so E runs between 5 / 1.0158114 = 4.92217 and 5 / 0.9841886 = 5.08033.
    auto net = MakeNet(BoundaryMode::LooseEnd);
    net->Nodes(36, 36).Z = 1;
    const TPass pass = Undriven(0, false);
    Extended low = 10, high = 0;
    for (int k = 0; k < 2000; ++k) {
        RunPasses(*net, pass, 1);
        const TEnergy energy = VisibleEnergy(*net);
        const TNode& node = net->Nodes(36, 36);
        const Extended modified = energy.Total - 0.01L / 2 * 10 * node.Z * node.V;
        ASSERT_NEAR(static_cast<double>(modified), 5.0, 1e-13) << "pass " << k + 1;
        EXPECT_EQ(energy.CouplingSprings, 0);
        EXPECT_EQ(energy.Total, energy.Kinetic + energy.OwnSprings);
        low = std::min(low, energy.Total);
        high = std::max(high, energy.Total);
    }
    EXPECT_GE(low, 4.92217L);
    EXPECT_LE(high, 5.08034L);
    // The plain energy does swing: the bound is nearly reached.
    EXPECT_LT(low, 4.9225L);
    EXPECT_GT(high, 5.0800L);
}

TEST(Energy, LooseNetWithoutDriveOrDampingStaysWithinTheDerivedBound) {
    // Coupling 100 with the cross grid (dt 0.015): lambda_max <= 10 + 800 = 810,
    // r = 0.015 * sqrt(810) / 2 = 0.2134537, so 0.824096 E_0 <= E <= 1.271383 E_0.
    auto net = MakeNet(BoundaryMode::LooseEnd);
    for (int j = 1; j <= 71; ++j) {
        for (int i = 1; i <= 71; ++i) {
            const int r2 = (i - 30) * (i - 30) + (j - 40) * (j - 40);
            net->Nodes(i, j).Z = 20 * std::exp(-static_cast<Extended>(r2) / 8);
        }
    }
    const TPass pass = Undriven(100, true);
    RunPasses(*net, pass, 1);
    const Extended start = VisibleEnergy(*net).Total - Correction(*net);
    Extended low = start, high = start;
    for (int k = 0; k < 2000; ++k) {
        RunPasses(*net, pass, 1);
        const Extended energy = VisibleEnergy(*net).Total;
        ASSERT_NEAR(static_cast<double>((energy - Correction(*net)) / start), 1.0, 1e-12)
            << "pass " << k + 2;
        low = std::min(low, energy);
        high = std::max(high, energy);
    }
    EXPECT_GE(low / start, 0.824096L);
    EXPECT_LE(high / start, 1.271383L);
    EXPECT_GT((high - low) / start, 1e-3L)
        << "the plain energy is not constant, so the test can tell";
}

} // namespace
