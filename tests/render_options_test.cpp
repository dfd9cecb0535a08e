// SPDX-License-Identifier: GPL-3.0-or-later
// wogenfeld-render as a user calls it: refused arguments, failed runs, progress.

#include "RenderTesting.h"
#include "render/Progress.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct TToolRun {
    int Status;
    QString Errors;
};

TToolRun RunTool(const QStringList& args) {
    QProcess tool;
    tool.start(QStringLiteral(WOGENFELD_RENDER_TOOL), args);
    EXPECT_TRUE(tool.waitForFinished(60000));
    return {tool.exitCode(), QString::fromLocal8Bit(tool.readAllStandardError())};
}

TEST(RenderTool, BadArgumentsGiveOneLineNamingTheOptionStatusTwoAndNoFile) {
    QTemporaryDir folder;
    const QString gif = folder.filePath("a.gif");
    const QString csv = folder.filePath("a.csv");
    struct TCase {
        QStringList Args;
        const char* Option;
    };
    const TCase cases[] = {
        {{"--gif", gif, "--fps", "0"}, "--fps"},
        {{"--gif", gif, "--fps", "51"}, "--fps"},
        {{"--fps", "20"}, "--fps"},
        {{"--csv", csv, "--probe", "72,1"}, "--probe"},
        {{"--csv", csv, "--probe", "0,5"}, "--probe"},
        {{"--csv", csv, "--probe", "5"}, "--probe"},
        {{"--probe", "5,5"}, "--probe"},
        {{"--gif", gif, "--strobe", "--excitation", "off"}, "--strobe"},
        {{"--gif", gif, "--strobe", "--frequency", "0"}, "--strobe"},
        {{"--gif", gif, "--strobe", "--source1-on", "off"}, "--strobe"},
        {{"--gif", gif, "--strobe", "--every", "3"}, "--strobe"},
        {{"--strobe"}, "--strobe"},
        {{"--gif", gif, "--csv", gif}, "--csv"},
        {{"--gif", folder.filePath("missing/a.gif")}, "--gif"},
        {{"--gif", folder.path()}, "--gif"},
        {{"--csv", "/nonexistent-folder/a.csv"}, "--csv"},
        {{"--profile", csv}, "--profile"},
        {{"--profile", csv, "--profile-row", "3", "--profile-column", "4"}, "--profile-column"},
        {{"--profile", csv, "--profile-row", "72"}, "--profile-row"},
        {{"--crop"}, "--crop"},
        {{"--out-dir", folder.path()}, "--out-dir"},
        {{"--gif", gif, "--every", "0"}, "--every"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Args.join(' ').toStdString());
        const TToolRun run = RunTool(c.Args);
        EXPECT_EQ(run.Status, BadArguments);
        EXPECT_EQ(run.Errors.count('\n'), 1) << run.Errors.toStdString();
        EXPECT_TRUE(run.Errors.startsWith("wogenfeld-render: ")) << run.Errors.toStdString();
        EXPECT_TRUE(run.Errors.contains(QLatin1String(c.Option))) << run.Errors.toStdString();
        EXPECT_TRUE(FilesIn(folder.path()).isEmpty())
            << FilesIn(folder.path()).join(' ').toStdString();
    }
}

TEST(RenderTool, VersionAndHelpAsTheWindowGivesThem) {
    QProcess tool;
    tool.start(QStringLiteral(WOGENFELD_RENDER_TOOL), {"--version"});
    ASSERT_TRUE(tool.waitForFinished(60000));
    EXPECT_EQ(tool.exitCode(), 0);
    EXPECT_EQ(tool.readAllStandardOutput(),
              "wogenfeld-render " WOGENFELD_PROJECT_VERSION "\nextended reals: x87\n");

    tool.start(QStringLiteral(WOGENFELD_RENDER_TOOL), {"--help"});
    ASSERT_TRUE(tool.waitForFinished(60000));
    const QString help = QString::fromLocal8Bit(tool.readAllStandardOutput());
    EXPECT_TRUE(help.startsWith("Usage: wogenfeld-render [options]\n")) << help.toStdString();
    EXPECT_TRUE(help.contains("--zoom <P>") && help.contains("Zoom slider, 5..30"))
        << help.toStdString();
}

TEST(RenderTool, AFailedRunLeavesNoPartialFile) {
    QTemporaryDir folder;
    TRenderSettings settings =
        Settings({"--iterations", "50", "--every", "10", "--gif", folder.filePath("a.gif"), "--csv",
                  folder.filePath("a.csv"), "--plot", folder.filePath("a.png"), "--profile",
                  folder.filePath("p.csv"), "--profile-row", "3", "--out",
                  folder.filePath("last.png"), "--quiet"});
    settings.SourceFields[2] = "drei";
    std::FILE* messages = std::tmpfile();
    EXPECT_EQ(RunRender(settings, messages), RenderFailed);
    std::rewind(messages);
    char line[200] = {};
    ASSERT_NE(std::fgets(line, sizeof line, messages), nullptr);
    std::fclose(messages);
    EXPECT_STREQ(line, "wogenfeld-render: 'drei' is not a valid integer value\n");
    EXPECT_TRUE(FilesIn(folder.path()).isEmpty()) << FilesIn(folder.path()).join(' ').toStdString();
}

TEST(RenderTool, TheGifsSizeIsReportedUnlessQuiet) {
    QTemporaryDir folder;
    const QString gif = folder.filePath("a.gif");
    const TToolRun run = RunTool({"--iterations", "12", "--every", "4", "--gif", gif});
    EXPECT_EQ(run.Status, RenderSucceeded) << run.Errors.toStdString();
    const QString size = QString::number(QFileInfo(gif).size());
    EXPECT_TRUE(run.Errors.contains(gif + ": 3 frames, " + size + " bytes"))
        << run.Errors.toStdString();
    EXPECT_TRUE(
        RunTool({"--iterations", "12", "--every", "4", "--gif", gif, "--quiet"}).Errors.isEmpty());
}

TEST(RenderTool, TheProfilesWaveIsReportedUnlessQuiet) {
    // Example 7: Omega 7.70, k 100; the lattice, Omega^2 = 10 + 4 k sin^2(kappa / 2), gives
    // kappa = 2 asin(sqrt(49.29 / 400)) = 0.717351 and v = Omega / kappa = 10.734.
    QTemporaryDir folder;
    const QString profile = folder.filePath("p.csv");
    const TToolRun run = RunTool(
        {"--example", "7", "--iterations", "3000", "--profile", profile, "--profile-row", "36"});
    EXPECT_EQ(run.Status, RenderSucceeded) << run.Errors.toStdString();
    const QString said = run.Errors.section(profile + ": ", 1);
    EXPECT_TRUE(said.contains("the lattice's dispersion gives 10.73 (")) << said.toStdString();
    const double measured = said.section(" = ", 2, 2).section(' ', 0, 0).toDouble();
    EXPECT_NEAR(measured / 10.734, 1, 0.015) << said.toStdString();
    EXPECT_TRUE(RunTool({"--example", "7", "--iterations", "30", "--profile", profile,
                         "--profile-row", "36", "--quiet"})
                    .Errors.isEmpty());
}

TEST(RenderTool, ProgressBarShowsShareRateAndTimeLeft) {
    char text[128];
    // 450 of 1000 passes in 3 s: 150 passes/s, 550 left take 3.67 s, shown as 0:04.
    TProgress::BarText(text, sizeof text, 450, 1000, 3.0);
    EXPECT_STREQ(text, "[#############.................]  45 %     150 passes/s  0:04 left");
    // 1 of 100,000 in 0.5 s: 2 passes/s, 99,999 left take 49,999.5 s: 833:20.
    TProgress::BarText(text, sizeof text, 1, 100000, 0.5);
    EXPECT_STREQ(text, "[..............................]   0 %       2 passes/s  833:20 left");
}

} // namespace
