// SPDX-License-Identifier: GPL-3.0-or-later
// The window "Messung" against the physics of the net and the renderer's table.
#include "RenderTesting.h"
#include "WindowTesting.h"
#include "measure/Readings.h"
#include "ui/MeasureWindow.h"
#include "ui/Measuring.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>

namespace {

// A shown window with "Anregung" on, "Messung" open and these probes, then
// "Null": a fresh run on the resting net, not yet fired.
std::unique_ptr<TForm1> MeasuringForm(std::initializer_list<TNodePosition> probes) {
    auto form = StartedForm();
    form->CheckBox1->setChecked(true);
    TMeasuring& measuring = form->Measuring();
    measuring.ShowWindow();
    std::size_t slot = 0;
    for (const TNodePosition& probe : probes)
        measuring.SetProbe(slot++, probe);
    form->Button1->click();
    return form;
}

TMeasureWindow& MeasureWindowOf(TForm1& form) {
    return *qobject_cast<TMeasureWindow*>(form.Measuring().Window());
}

QByteArray Contents(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

// The number in a readout, German style ("8,77").
double NumberIn(const QString& text, const QString& before) {
    const qsizetype at = text.indexOf(before);
    EXPECT_GE(at, 0) << text.toStdString();
    const QString rest = text.mid(at + before.size()).section(' ', 0, 0);
    return QLocale(QLocale::German).toDouble(rest);
}

TEST(Measuring, AProbeOnTheSourceReadsTheDrivesPeriodAndAmplitude) {
    // The source (36, 36) is driven to Z = -40 sin(8 t): period 2 pi / 8, amplitude 40.
    auto form = MeasuringForm({{36, 36}});
    Fire(*form, 1000);
    const std::optional<TProbeReading> reading = ReadProbe(*form->Measuring().Recording(), 0, 20);
    ASSERT_TRUE(reading.has_value());
    EXPECT_NEAR(reading->Period / (2 * M_PI / 8), 1, 0.01);
    EXPECT_NEAR(reading->Amplitude / 40, 1, 0.01);
}

TEST(Measuring, TwoProbesAtEqualDistanceFromTheSourceSwingInPhase) {
    // Ten nodes from the source along x and along y: the circular wave of the
    // damped net reaches both at once (it travels about 9 nodes a time unit).
    auto form = MeasuringForm({{46, 36}, {36, 46}});
    Fire(*form, 1500);
    MeasureWindowOf(*form).Refresh();
    EXPECT_TRUE(MeasureWindowOf(*form).PhaseText(1).endsWith(QStringLiteral("gleichphasig")))
        << MeasureWindowOf(*form).PhaseText(1).toStdString();
}

TEST(Measuring, TheWavelengthAndSpeedOfExampleSevenAgreeWithTheDispersionRelation) {
    struct TCase {
        int Frequency;
        int Coupling;
        double Wavelength; // of the stepped net, as below
        double Speed;      // of the lattice, as below
    };
    // A plane wave Z = cos(kappa x - Omega t) in the net's equation of motion
    // a = -Restoring Z + Coupling (sum of the neighbours - 4 Z), stepped velocity
    // first, needs 4 sin^2(Omega dt / 2) / dt^2 = Restoring + 4 Coupling sin^2(kappa / 2).
    // Example 7: Omega 7.70, Coupling 100, Restoring 10, dt 0.01725 (cross grid):
    // (2 / 0.01725 * sin 0.0664125)^2 = 59.2029; (59.2029 - 10) / 400 = 0.123007;
    // kappa = 2 asin(0.350724) = 0.716688; lambda = 2 pi / kappa = 8.767 node spacings.
    // The lattice without the step (dt -> 0): Omega^2 = 10 + 4 k sin^2(kappa / 2),
    // (59.29 - 10) / 400 = 0.123225, kappa = 2 asin(0.351034) = 0.717351,
    // v = Omega / kappa = 10.734 node spacings per unit of time.
    // Omega 12.00, k 400: stepped 143.487 - 10 = 133.487, / 1600 = 0.0834291, kappa =
    // 0.586032, lambda = 10.7216; lattice (144 - 10) / 1600 = 0.08375, kappa = 0.587191,
    // v = 20.436.
    for (const TCase& c : {TCase{770, 100, 8.767, 10.734}, TCase{1200, 400, 10.7216, 20.436}}) {
        SCOPED_TRACE(c.Coupling);
        auto form = StartedForm();
        form->CheckBox1->setChecked(true);
        form->RadioButton10->setChecked(true);
        form->ScrollBar1->setValue(c.Frequency);
        form->ScrollBar5->setValue(c.Coupling);
        form->Measuring().ShowWindow();
        form->Measuring().SetProbe(0, TNodePosition{36, 36});
        Fire(*form, 3000);
        TMeasureWindow& window = MeasureWindowOf(*form);
        window.Refresh();
        const QString length = window.WavelengthText();
        EXPECT_NEAR(NumberIn(length, QStringLiteral("Wellenlänge: ")) / c.Wavelength, 1, 0.015)
            << length.toStdString();
        const QString speed = window.SpeedText();
        const double measured = NumberIn(speed, QStringLiteral("v = λ · f: "));
        EXPECT_NEAR(measured / c.Speed, 1, 0.015) << speed.toStdString();
        const QString lattice = window.LatticeText();
        EXPECT_NEAR(NumberIn(lattice, QStringLiteral("): v = ")), c.Speed, 0.006)
            << lattice.toStdString();
        EXPECT_NEAR(NumberIn(lattice, QStringLiteral("Abweichung ")),
                    100 * (measured / c.Speed - 1), 0.15)
            << lattice.toStdString();
    }
}

TEST(Measuring, AFrequencyOutsideTheBandShowsThatNoWaveRuns) {
    // Omega^2 = 9 lies below Restoring = 10: the pendulums swing, no wave runs.
    auto form = MeasuringForm({{36, 36}});
    form->ScrollBar1->setValue(300);
    Fire(*form, 1000);
    MeasureWindowOf(*form).Refresh();
    const QString lattice = MeasureWindowOf(*form).LatticeText();
    EXPECT_TRUE(lattice.endsWith(QStringLiteral("keine laufende Welle"))) << lattice.toStdString();
}

TEST(Measuring, TheSavedTableIsTheRenderersAndARunStartClearsIt) {
    auto form = MeasuringForm({{36, 36}, {40, 36}});
    TMeasureWindow& window = MeasureWindowOf(*form);
    Fire(*form, 200);
    QTemporaryDir folder;
    const QString saved = folder.filePath("window.csv");
    const QString rendered = folder.filePath("render.csv");
    const QString savedComma = folder.filePath("window-comma.csv");
    const QString renderedComma = folder.filePath("render-comma.csv");
    ASSERT_TRUE(window.SaveTable(saved, TCsvKind::Plain));
    ASSERT_TRUE(window.SaveTable(savedComma, TCsvKind::DecimalComma));
    ASSERT_EQ(Render({"--iterations", "200", "--probe", "36,36", "--probe", "40,36", "--csv",
                      rendered, "--csv-decimal-comma", renderedComma}),
              RenderSucceeded);
    EXPECT_EQ(Contents(saved), Contents(rendered));
    EXPECT_EQ(Contents(savedComma), Contents(renderedComma));
    EXPECT_TRUE(Contents(savedComma).startsWith("pass;SimTime;Z_36_36;Z_40_36;E_kinetic;"));

    // A probe set during the run has no value in the passes before.
    form->Measuring().SetProbe(2, TNodePosition{30, 30});
    Fire(*form, 5);
    ASSERT_TRUE(window.SaveTable(saved, TCsvKind::Plain));
    const QList<QByteArray> lines = Contents(saved).split('\n');
    ASSERT_EQ(lines.size(), 207); // header, 205 passes, the last line's end
    EXPECT_TRUE(lines[0].contains(",Z_40_36,Z_30_30,E_kinetic"));
    EXPECT_EQ(lines[200].split(',')[4], "") << "pass 200, before the probe";
    EXPECT_NE(lines[201].split(',')[4], "") << "pass 201, the first with it";

    // "Null" starts the run, its table, the stopwatch and the count afresh.
    form->Measuring().StartWatch();
    Fire(*form, 5);
    form->Button1->click();
    Fire(*form, 3);
    window.Refresh();
    EXPECT_EQ(form->Measuring().Recording()->Count(), 3u);
    EXPECT_EQ(form->Measuring().Recording()->At(0).Pass, 1);
    EXPECT_EQ(form->Measuring().WatchTime(), 0);
    EXPECT_EQ(window.PassesText(), QStringLiteral("Durchgänge des Laufs: 3"));
}

} // namespace
