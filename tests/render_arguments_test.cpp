// SPDX-License-Identifier: GPL-3.0-or-later
// wogenfeld-render's command line: its help text, where every option's value
// goes, and the message each kind of bad command line gets.

#include "RenderTesting.h"
#include "render/RenderHelp.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <variant>

namespace {

QString RefusalOf(const QStringList& args) {
    const auto parsed = ParseRenderArguments(args);
    return std::holds_alternative<QString>(parsed) ? std::get<QString>(parsed)
                                                   : QStringLiteral("(accepted)");
}

// The manual page is made from this text, so it is pinned whole.
TEST(RenderArguments, HelpTextAsWritten) {
    EXPECT_EQ(RenderUsage().toStdString(), R"(Usage: wogenfeld-render [options]
Runs the Wogenfeld net without a window and writes its frames as PNG or as an
animated GIF, the motion of chosen nodes and the energy of the net as a table
and a chart, and a profile of the net along a row or a column.

The options come in three groups: the controls of the window (--example to
--source2-on), the run and its pictures (--iterations to --crop), and measuring
(--probe to --profile-column).

A FILE of - is standard output, for one output at most and not with --hash. A
regular file is written under a temporary name and renamed when complete,
keeping its permissions; a symbolic link is followed; a device, FIFO or socket
is written in place. Bad arguments or an output that cannot be opened end the
program with status 2, a failed run or write with 1.

Options:
  --example <N|CAPTION>       One of the seven examples, by number (1-7) or by
                              its caption, e.g. "Zwei Punktquellen eng";
                              default: the window's start state.
  --excitation <on|off>       "Anregung" (default on).
  --frequency <P>             Frequency slider, 0..1505 (start 800). Omega = P
                              * 0.01.
  --amplitude <P>             Amplitude slider, 0..100 (start 40).
  --coupling <P>              Coupling slider, 0..1500 (start 100).
  --boundary <MODE>           damped, loose or fixed.
  --cross-grid <on|off>       "Kreuzgitter" (cross lines, and 1.5 times the
                              time step).
  --rotate-x <P>              Rotation slider about x in degrees, -180..180
                              (start 60).
  --rotate-y <P>              Rotation slider about y in degrees, -180..180
                              (start 0).
  --rotate-z <P>              Rotation slider about z in degrees, -180..180
                              (start 0).
  --zoom <P>                  Zoom slider, 5..30 (start 11).
  --source1 <X,Y>             Position of source 1 as typed in the window
                              (1..71).
  --source2 <X,Y>             Position of source 2 as typed in the window
                              (1..71).
  --source1-on <on|off>       The source check box "1".
  --source2-on <on|off>       The source check box "2".
  --iterations <N>            Passes of the run loop (default 600).
  --lesson <FILE>             Start from the lesson FILE (.wogenfeld): its
                              start, its actions and its passes replayed, and
                              the state and frame it reached checked against
                              those it holds. It sets the controls, so the
                              example and slider options cannot be given;
                              --iterations counts on from its pass (default 0).
  --save-lesson <FILE>        Write the lesson of the run made to FILE: its
                              start, every action with its pass, and the state
                              and frame it reached, as --lesson opens it.
  --out <FILE>                Write the last frame to FILE (PNG).
  --out-dir <DIR>             Write the chosen frames to DIR/frame-NNNNNN.png,
                              NNNNNN the pass; needs --every or --strobe.
  --gif <FILE>                Write the chosen frames as an animated GIF that
                              loops forever; each frame after the first holds
                              only the rectangle that changed.
  --every <K>                 One frame every K passes (default 4 with --gif).
  --strobe                    One frame per drive period instead, at the first
                              pass whose drive phase has come round to 0 again;
                              needs "Anregung", a source or the wavefront, and a
                              frequency above 0; also thins the tables and the
                              chart to those passes.
  --fps <N>                   Playback rate of the GIF, 1..50 frames per second
                              (default 25).
  --crop                      Cut every picture to the smallest rectangle that
                              holds each drawn pixel of the pictures written,
                              plus 8 pixels; the run is then computed twice.
  --probe <X,Y>               Follow the node X,Y (1..71, as the source fields
                              count) in the tables and the chart; may be given
                              several times. The first four are the probes of
                              --save-lesson's lesson; after --lesson without
                              --probe the tables follow the lesson's probes.
  --csv <FILE>                One row per pass: pass, SimTime (the time the
                              pass's drive ran at), the displacement Z of each
                              probe, and the energy per unit mass of the visible
                              71 x 71 net (kinetic, own springs, coupling
                              springs, total).
  --csv-decimal-comma <FILE>  The same table with ";" between the fields and
                              "," as the decimal point, as spreadsheets read it
                              in German and other languages with a decimal
                              comma.
  --plot <FILE>               The same series as a line chart (PNG):
                              displacements above, energies below, against
                              SimTime.
  --profile <FILE>            The 71 displacements along a row or a column at
                              the last pass, as CSV; with one of --profile-row
                              and --profile-column. Unless --quiet, also says
                              the wavelength, the speed v = wavelength *
                              frequency of the drive, and the speed the
                              lattice's dispersion gives.
  --profile-row <Y>           The row Y (nodes 1..71 in x).
  --profile-column <X>        The column X (nodes 1..71 in y).
  --hash                      Print hashes of the net's state and of the last
                              frame.
  --quiet                     No progress on standard error (otherwise a
                              progress bar on a terminal, plain lines for long
                              runs elsewhere).
  --version                   The program's version.
  -h, -?, --help              This text.
)");
}

TEST(RenderArguments, EveryOptionsValueGoesToItsPlace) {
    QTemporaryDir folder;
    const auto path = [&folder](const char* name) { return folder.filePath(name); };
    const TRenderSettings s = Settings({"--example",
                                        "2",
                                        "--excitation",
                                        "off",
                                        "--frequency",
                                        "123",
                                        "--amplitude",
                                        "45",
                                        "--coupling",
                                        "678",
                                        "--boundary",
                                        "fixed",
                                        "--cross-grid",
                                        "off",
                                        "--rotate-x",
                                        "10",
                                        "--rotate-y",
                                        "-20",
                                        "--rotate-z",
                                        "30",
                                        "--zoom",
                                        "12",
                                        "--source1",
                                        "3,4",
                                        "--source2",
                                        "-5,+6",
                                        "--source1-on",
                                        "off",
                                        "--source2-on",
                                        "on",
                                        "--iterations",
                                        "77",
                                        "--out",
                                        path("o.png"),
                                        "--out-dir",
                                        folder.path(),
                                        "--gif",
                                        path("g.gif"),
                                        "--every",
                                        "3",
                                        "--fps",
                                        "7",
                                        "--crop",
                                        "--probe",
                                        "1,2",
                                        "--probe",
                                        "71,70",
                                        "--csv",
                                        path("c.csv"),
                                        "--csv-decimal-comma",
                                        path("d.csv"),
                                        "--plot",
                                        path("p.png"),
                                        "--profile",
                                        path("r.csv"),
                                        "--profile-column",
                                        "9",
                                        "--hash",
                                        "--quiet"});
    const TControlState& c = s.Controls;
    EXPECT_FALSE(c.Excitation.Excitation);
    EXPECT_EQ(c.Excitation.FrequencyPosition, 123);
    EXPECT_EQ(c.AmplitudePosition, 45);
    EXPECT_EQ(c.CouplingPosition, 678);
    EXPECT_EQ(c.Mode, BoundaryMode::FixedEnd);
    EXPECT_FALSE(c.View.CrossGrid);
    EXPECT_EQ(c.View.RotationX, 10);
    EXPECT_EQ(c.View.RotationY, -20);
    EXPECT_EQ(c.View.RotationZ, 30);
    EXPECT_EQ(c.View.ZoomPosition, 12);
    EXPECT_EQ(s.SourceFields, (std::array<std::string, 4>{"3", "4", "-5", "+6"}));
    EXPECT_FALSE(c.Excitation.Source1);
    EXPECT_TRUE(c.Excitation.Source2);
    EXPECT_FALSE(c.Excitation.Wavefront); // example 2 has none
    EXPECT_EQ(s.Iterations, 77);
    EXPECT_EQ(s.OutFile, path("o.png"));
    EXPECT_EQ(s.OutDir, folder.path());
    EXPECT_EQ(s.GifFile, path("g.gif"));
    EXPECT_EQ(s.Every, 3);
    EXPECT_EQ(s.Fps, 7);
    EXPECT_TRUE(s.Crop);
    ASSERT_EQ(s.Probes.size(), 2u);
    EXPECT_EQ(s.Probes[1].X, 71);
    EXPECT_EQ(s.Probes[1].Y, 70);
    EXPECT_EQ(s.CsvFile, path("c.csv"));
    EXPECT_EQ(s.CsvCommaFile, path("d.csv"));
    EXPECT_EQ(s.PlotFile, path("p.png"));
    EXPECT_EQ(s.ProfileFile, path("r.csv"));
    EXPECT_EQ(s.Profile, ProfileLine::Column);
    EXPECT_EQ(s.ProfileIndex, 9);
    EXPECT_TRUE(s.PrintHashes);
    EXPECT_TRUE(s.Quiet);
    EXPECT_FALSE(s.Strobe);

    // The window's start state with "Anregung" on, and the defaults of the run.
    const TRenderSettings plain =
        Settings({"--boundary", "loose", "--profile", path("r.csv"), "--profile-row", "71",
                  "--strobe", "--gif", path("g.gif")});
    EXPECT_EQ(plain.Controls.Mode, BoundaryMode::LooseEnd);
    EXPECT_TRUE(plain.Controls.Excitation.Excitation);
    EXPECT_TRUE(plain.Controls.View.CrossGrid);
    EXPECT_EQ(plain.Profile, ProfileLine::Row);
    EXPECT_EQ(plain.ProfileIndex, 71);
    EXPECT_TRUE(plain.Strobe);
    EXPECT_EQ(plain.Every, 0) << "the stroboscope chooses the frames";
    EXPECT_EQ(plain.Iterations, 600);
    EXPECT_EQ(plain.Fps, 25);
    EXPECT_FALSE(plain.Quiet || plain.PrintHashes || plain.Crop);
    EXPECT_EQ(Settings({"--gif", path("g.gif")}).Every, 4);
    EXPECT_EQ(Settings({"--boundary", "damped"}).Controls.Mode, BoundaryMode::DampedBorder);
}

TEST(RenderArguments, EachFaultGetsItsOwnMessage) {
    QTemporaryDir folder;
    const QString gif = folder.filePath("a.gif");
    const QString csv = folder.filePath("a.csv");
    const QString missing = folder.filePath("missing/a.gif");
    const QString nowhere = folder.filePath("nowhere");
    struct TCase {
        QStringList Args;
        QString Message;
    };
    const TCase cases[] = {
        // What the parser refuses.
        {{"--nonsense"}, "unknown option: --nonsense"},
        {{"--nonsense=3"}, "unknown option: --nonsense=3"},
        {{"-zoomy"}, "unknown option: -zoomy"},
        {{"--out", gif, "extra"}, "unknown option: extra"},
        {{"--source2-on"}, "--source2-on needs a value"},
        {{"--hash=1"}, "--hash takes no value"},
        {{"-h=1"}, "-h takes no value"},
        // Values, in the order given.
        {{"--example", "8"}, "--example: unknown example 8 (1-7 or a caption)"},
        {{"--example", "lose"}, "--example: unknown example lose (1-7 or a caption)"},
        {{"--frequency", "1506"}, "--frequency must be a whole number from 0 to 1505, not 1506"},
        {{"--amplitude", "x"}, "--amplitude must be a whole number from 0 to 100, not x"},
        {{"--coupling", "-1"}, "--coupling must be a whole number from 0 to 1500, not -1"},
        {{"--rotate-x", "-181"}, "--rotate-x must be a whole number from -180 to 180, not -181"},
        {{"--rotate-y", "181"}, "--rotate-y must be a whole number from -180 to 180, not 181"},
        {{"--rotate-z", "1.5"}, "--rotate-z must be a whole number from -180 to 180, not 1.5"},
        {{"--zoom", "4"}, "--zoom must be a whole number from 5 to 30, not 4"},
        {{"--fps", "51"}, "--fps must be a whole number from 1 to 50, not 51"},
        {{"--profile-row", "0"}, "--profile-row must be a whole number from 1 to 71, not 0"},
        {{"--profile-column", "72"},
         "--profile-column must be a whole number from 1 to 71, not 72"},
        {{"--profile-row", "3", "--profile-column", "4"},
         "--profile-column: a profile runs along one row or one column"},
        {{"--profile-row", "3", "--profile-row", "4"},
         "--profile-row: a profile runs along one row or one column"},
        {{"--excitation", "yes"}, "--excitation must be on or off, not yes"},
        {{"--cross-grid", "1"}, "--cross-grid must be on or off, not 1"},
        {{"--source1-on", "ON"}, "--source1-on must be on or off, not ON"},
        {{"--source2-on", ""}, "--source2-on must be on or off, not "},
        {{"--out="}, "--out needs a file name"},
        {{"--out-dir="}, "--out-dir needs a file name"},
        {{"--gif="}, "--gif needs a file name"},
        {{"--csv="}, "--csv needs a file name"},
        {{"--plot="}, "--plot needs a file name"},
        {{"--profile="}, "--profile needs a file name"},
        {{"--boundary", "wavy"}, "--boundary must be damped, loose or fixed, not wavy"},
        {{"--source1", "1"}, "--source1 must be two whole numbers X,Y, not 1"},
        {{"--source2", "a,b"}, "--source2 must be two whole numbers X,Y, not a,b"},
        {{"--probe", "72,1"}, "--probe must be X,Y with both from 1 to 71, not 72,1"},
        {{"--probe", "1,0"}, "--probe must be X,Y with both from 1 to 71, not 1,0"},
        {{"--probe", "5"}, "--probe must be X,Y with both from 1 to 71, not 5"},
        {{"--iterations", "-1"}, "--iterations must be a whole number of 0 or more, not -1"},
        {{"--iterations", "x"}, "--iterations must be a whole number of 0 or more, not x"},
        {{"--every", "0"}, "--every must be a whole number of 1 or more, not 0"},
        {{"--zoom", "99", "--fps", "0"}, "--zoom must be a whole number from 5 to 30, not 99"},
        {{"--fps", "0", "--every", "3"}, "--fps must be a whole number from 1 to 50, not 0"},
        // What the options ask of each other.
        {{"--strobe", "--every", "3"},
         "--strobe and --every choose the frames in two ways; give one"},
        {{"--every", "3"}, "--every needs --out-dir or --gif"},
        {{"--out-dir", folder.path()}, "--out-dir needs --every or --strobe"},
        {{"--fps", "20"}, "--fps needs --gif"},
        {{"--crop"}, "--crop needs a picture: --out, --out-dir or --gif"},
        {{"--probe", "5,5"}, "--probe needs --csv, --csv-decimal-comma, --plot or --save-lesson"},
        {{"--profile", csv},
         "--profile needs one --profile-row or --profile-column, and they need --profile"},
        {{"--profile-row", "3"},
         "--profile needs one --profile-row or --profile-column, and they need --profile"},
        {{"--strobe"}, "--strobe needs --gif, --out-dir, --csv, --csv-decimal-comma or --plot"},
        {{"--strobe", "--csv", csv, "--excitation", "off"},
         "--strobe needs a drive: \"Anregung\" and a source or the wavefront on"},
        {{"--strobe", "--gif", gif, "--source1-on", "off"},
         "--strobe needs a drive: \"Anregung\" and a source or the wavefront on"},
        {{"--strobe", "--gif", gif, "--frequency", "0"},
         "--strobe needs a frequency above 0 (Omega is 0)"},
        {{"--strobe", "--gif", gif, "--excitation", "off", "--probe", "5,5"},
         "--probe needs --csv, --csv-decimal-comma, --plot or --save-lesson"},
        {{"--strobe", "--fps", "3"}, "--fps needs --gif"},
        {{"--csv", csv, "--csv-decimal-comma", csv},
         "--csv and --csv-decimal-comma name the same file " + csv},
        // The outputs.
        {{"--every", "2", "--out-dir", "-"}, "--out-dir: standard output cannot hold frame files"},
        {{"--gif", missing},
         "--gif: cannot write " + missing + ": its folder does not exist or is not writable"},
        {{"--csv", folder.path()}, "--csv: " + folder.path() + " is a folder"},
        {{"--out", "-", "--hash"}, "--out - and --hash both write to standard output"},
        {{"--out", "-", "--csv", "-"}, "--out and --csv both write to standard output"},
        {{"--gif", gif, "--profile-row", "1", "--profile", gif},
         "--gif and --profile name the same file " + gif},
        {{"--every", "2", "--out-dir", nowhere},
         "--out-dir: cannot write into the folder " + nowhere},
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(RefusalOf(c.Args), c.Message) << c.Args.join(' ').toStdString();
    }
    EXPECT_TRUE(FilesIn(folder.path()).isEmpty());
}

// The program's frame round the messages: a line on standard error, status 2;
// help and version before anything else is looked at.
TEST(RenderArguments, TheToolsLineAndStatus) {
    const auto run = [](const QStringList& args) {
        QProcess tool;
        tool.start(QStringLiteral(WOGENFELD_RENDER_TOOL), args);
        EXPECT_TRUE(tool.waitForFinished(60000));
        return std::pair(tool.exitCode(), QString::fromLocal8Bit(tool.readAllStandardError()));
    };
    EXPECT_EQ(run({"--zoom"}),
              std::pair(2, QStringLiteral("wogenfeld-render: --zoom needs a value (see "
                                          "wogenfeld-render --help)\n")));
    EXPECT_EQ(run({"--every", "3"}),
              std::pair(2, QStringLiteral("wogenfeld-render: --every needs --out-dir or --gif "
                                          "(see wogenfeld-render --help)\n")));
    EXPECT_TRUE(
        std::holds_alternative<THelpRequested>(ParseRenderArguments({"--zoom", "99", "-h"})));
    EXPECT_TRUE(
        std::holds_alternative<THelpRequested>(ParseRenderArguments({"--version", "--help"})));
    EXPECT_TRUE(
        std::holds_alternative<TVersionRequested>(ParseRenderArguments({"--crop", "--version"})));
}

} // namespace
