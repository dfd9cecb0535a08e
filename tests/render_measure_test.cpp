// SPDX-License-Identifier: GPL-3.0-or-later
// What wogenfeld-render measures, against the physics of the net.

#include "RenderTesting.h"
#include "measure/Profile.h"
#include "render/Renderer.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace {

std::vector<QList<QByteArray>> ReadTable(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    std::vector<QList<QByteArray>> rows;
    for (const QByteArray& line : file.readAll().split('\n')) {
        if (!line.isEmpty()) rows.push_back(line.split(','));
    }
    return rows;
}

double Number(const QByteArray& text) {
    char* end = nullptr;
    const double value = std::strtod(text.constData(), &end);
    EXPECT_EQ(end, text.constData() + text.size()) << "not a plain number: " << text.toStdString();
    return value;
}

TEST(Probes, ADrivenNodeFollowsTheDriveAndTheTableReadsBackExactly) {
    QTemporaryDir folder;
    const QString csv = folder.filePath("probes.csv");
    ASSERT_EQ(Render({"--example", "1", "--iterations", "300", "--probe", "36,36", "--probe",
                      "40,36", "--csv", csv}),
              RenderSucceeded);
    const auto rows = ReadTable(csv);
    ASSERT_EQ(rows.size(), 301u);
    EXPECT_EQ(rows[0], (QList<QByteArray>{"pass", "SimTime", "Z_36_36", "Z_40_36", "E_kinetic",
                                          "E_own_springs", "E_coupling_springs", "E_total"}));
    for (std::size_t k = 1; k < rows.size(); ++k) {
        ASSERT_EQ(rows[k].size(), 8);
        EXPECT_EQ(rows[k][0].toLongLong(), static_cast<long long>(k));
        // Pass k runs at t = (k - 1) * 0.01725 (damped border, cross grid), and the
        // source (36, 36) is driven to Z = -40 sin(8 t) (amplitude 40, Omega 8.00).
        const double t = Number(rows[k][1]);
        EXPECT_NEAR(t, static_cast<double>(k - 1) * 0.01725, 1e-12);
        EXPECT_NEAR(Number(rows[k][2]), -40 * std::sin(8 * t), 1e-10) << "pass " << k;
        const double total = Number(rows[k][7]);
        EXPECT_NEAR(Number(rows[k][4]) + Number(rows[k][5]) + Number(rows[k][6]), total,
                    1e-9 * total);
    }
    // The first pass: only the source moves, at V = -40 * 8 = -320, so the energy
    // is all kinetic, 320^2 / 2 = 51200.
    EXPECT_EQ(rows[1][4], "51200");
    EXPECT_EQ(rows[1][7], "51200");
    // The wave reaches (40, 36), four nodes away, only after some passes.
    EXPECT_EQ(Number(rows[2][3]), 0);
    EXPECT_NE(Number(rows[300][3]), 0);
}

TEST(Probes, TheStroboscopeThinsTheTableToOneRowPerPeriod) {
    QTemporaryDir folder;
    const QString csv = folder.filePath("strobe.csv");
    ASSERT_EQ(Render({"--example", "7", "--iterations", "150", "--strobe", "--probe", "1,36",
                      "--csv", csv}),
              RenderSucceeded);
    const auto rows = ReadTable(csv);
    // The passes where the phase comes round (see the GIF's test): 49, 96, 143.
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[1][0], "49");
    EXPECT_EQ(rows[2][0], "96");
    EXPECT_EQ(rows[3][0], "143");
    // The wavefront's line is driven; at these passes its phase is just past 0,
    // so it stands near its rest position, moving down: Z = -15 sin(phase) <= 0.
    for (std::size_t k = 1; k < rows.size(); ++k) {
        const double phase = 7.7 * Number(rows[k][1]);
        const double past = phase - 2 * M_PI * std::floor(phase / (2 * M_PI));
        EXPECT_LT(past, 7.7 * 0.01725) << "less than one pass past the turn";
        EXPECT_NEAR(Number(rows[k][2]), -15 * std::sin(phase), 1e-10);
    }
}

TEST(Probes, TheChartShowsEverySeriesInItsOwnColour) {
    QTemporaryDir folder;
    const QString plot = folder.filePath("chart.png");
    ASSERT_EQ(Render({"--example", "1", "--iterations", "200", "--probe", "36,36", "--probe",
                      "46,36", "--plot", plot}),
              RenderSucceeded);
    const QImage chart(plot);
    ASSERT_FALSE(chart.isNull());
    EXPECT_EQ(chart.size(), QSize(1100, 800)) << "two panels: probes above, energies below";
    // The colours of the two probes and of the four energies.
    for (QRgb colour : {qRgb(192, 57, 43), qRgb(31, 97, 141), qRgb(46, 134, 193), qRgb(39, 174, 96),
                        qRgb(230, 126, 34), qRgb(0, 0, 0)}) {
        bool found = false;
        for (int y = 0; y < chart.height() && !found; ++y) {
            for (int x = 0; x < chart.width() && !found; ++x)
                found = chart.pixel(x, y) == colour;
        }
        EXPECT_TRUE(found) << std::hex << colour;
    }
}

// The wavelength of the straight wavefront, measured from the zero crossings of
// a profile along its direction, against the dispersion relation of this net
// and its velocity-first step. A plane wave Z = cos(kappa i - Omega t) in the
// step Z(n+1) - 2 Z(n) + Z(n-1) = -dt^2 K Z(n) (the velocity-first step written
// for Z alone) gives
//   4 sin^2(Omega dt / 2) / dt^2 = Restoring + 4 Coupling sin^2(kappa / 2),
// and lambda = 2 pi / kappa in node spacings.
double PredictedWavelength(double omega, double coupling, double dt) {
    const double s = std::sin(omega * dt / 2);
    const double q = (4 * s * s / (dt * dt) - 10) / (4 * coupling);
    return 2 * M_PI / (2 * std::asin(std::sqrt(q)));
}

TEST(Profile, WavelengthOfTheStraightFrontAgreesWithTheDispersionRelation) {
    struct TCase {
        const char* Frequency;
        const char* Coupling;
        double Predicted; // by hand from the relation above, dt = 0.01725
    };
    // Omega 7.70, k 100: 4 sin^2(0.0664125) / dt^2 = 59.2029; sin^2(kappa/2) = 49.2029 / 400
    // = 0.123007, kappa = 0.716688, lambda = 8.7670 (example 7).
    // Omega 6.00, k 100: 35.9679 - 10 = 25.9679, / 400 = 0.0649197, kappa = 0.515268, lambda
    // = 12.194. Omega 12.00, k 400: 143.487 - 10 = 133.487, / 1600 = 0.0834291, kappa = 0.586032,
    // lambda = 10.7216.
    for (const TCase& c : {TCase{"770", "100", 8.7670}, TCase{"600", "100", 12.194},
                           TCase{"1200", "400", 10.7216}}) {
        SCOPED_TRACE(c.Frequency);
        const double omega = QByteArray(c.Frequency).toDouble() * 0.01;
        const double predicted =
            PredictedWavelength(omega, QByteArray(c.Coupling).toDouble(), 0.01725);
        EXPECT_NEAR(predicted, c.Predicted, 2e-3);

        TRenderer renderer(
            Settings({"--example", "7", "--frequency", c.Frequency, "--coupling", c.Coupling}));
        for (int pass = 0; pass < 3000; ++pass)
            ASSERT_TRUE(renderer.Pass());
        const double measured =
            WavelengthOf(ProfileOf(renderer.Net(), ProfileLine::Row, 36)).value_or(0);
        EXPECT_NEAR(measured / predicted, 1.0, 0.01)
            << "measured " << measured << ", predicted " << predicted;
    }
}

TEST(Profile, RunsAlongTheRowOrTheColumnAskedFor) {
    QTemporaryDir folder;
    const QString row = folder.filePath("row.csv");
    const QString column = folder.filePath("column.csv");
    ASSERT_EQ(
        Render({"--example", "2", "--iterations", "60", "--profile", row, "--profile-row", "1"}),
        RenderSucceeded);
    ASSERT_EQ(Render({"--example", "2", "--iterations", "60", "--profile", column,
                      "--profile-column", "1"}),
              RenderSucceeded);
    const auto along = ReadTable(row);
    const auto down = ReadTable(column);
    ASSERT_EQ(along.size(), 72u);
    ASSERT_EQ(down.size(), 72u);
    EXPECT_EQ(along[0], (QList<QByteArray>{"X", "Z"}));
    EXPECT_EQ(down[0], (QList<QByteArray>{"Y", "Z"}));
    // The corner source (1, 1) is on both lines; the net is symmetric about its
    // diagonal, so the row and the column hold the same numbers (up to the order
    // in which a node's neighbours are added).
    for (std::size_t k = 1; k <= 71; ++k) {
        EXPECT_EQ(along[k][0].toInt(), static_cast<int>(k));
        EXPECT_NEAR(Number(along[k][1]), Number(down[k][1]),
                    1e-12 * (1 + std::fabs(Number(down[k][1]))))
            << k;
    }
    EXPECT_NE(Number(along[5][1]), 0) << "the wave has left the corner";
    // Pass 60 runs at t = 59 * 0.01725 = 1.01775: Z = -80 sin(8 t).
    EXPECT_NEAR(Number(along[1][1]), -80 * std::sin(8 * 1.01775), 1e-9);
    // A pass carries a disturbance one node further, and the source is still at
    // rest after the first (Z = -80 sin 0): after 60 passes nodes 1..59 have moved.
    EXPECT_NE(Number(along[59][1]), 0);
    EXPECT_EQ(Number(along[60][1]), 0);
    EXPECT_EQ(Number(along[71][1]), 0);
}

} // namespace
