// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/RenderJob.h"

#include "control/LessonReplay.h"
#include "control/LessonText.h"
#include "measure/Profile.h"
#include "measure/Series.h"
#include "output/GifWriter.h"
#include "output/OutputFile.h"
#include "output/Plot.h"
#include "output/Stroboscope.h"
#include "render/DrawnArea.h"
#include "render/Progress.h"
#include "render/Renderer.h"
#include "render/WaveSummary.h"
#include "sim/StateHash.h"

#include <QDir>
#include <QFile>
#include <QLocale>

#include <array>
#include <cerrno>
#include <cstring>
#include <optional>

namespace {

// Which passes give a frame (and, with the stroboscope, a row of the series).
class TFrameChoice {
  public:
    explicit TFrameChoice(const TRenderSettings& settings) : Settings(settings) {}
    bool Takes(const TRenderer& renderer, long long pass) {
        if (!Settings.Strobe) return Settings.EveryKth(pass);
        return Strobe.Flash(renderer.Net().Omega * renderer.PassTime());
    }

  private:
    const TRenderSettings& Settings;
    TStroboscope Strobe;
};

// Holds the bad source fields of a lesson's replay until the renderer takes over.
class TNoFront final : public ISessionFront {
  public:
    void ReportBadSourceField(const std::string&) override {}
};

// The lesson a file holds, or why it holds none.
std::variant<TLesson, QString> LoadLesson(const QString& name) {
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("--lesson: cannot read %1: %2").arg(name, file.errorString());
    // One byte beyond the largest lesson tells the reader that the file is too large.
    const QByteArray bytes = file.read(static_cast<qint64>(MaxLessonBytes) + 1);
    if (file.error() != QFileDevice::NoError)
        return QStringLiteral("--lesson: cannot read %1: %2").arg(name, file.errorString());
    std::variant<TLesson, std::string> read = ReadLesson(bytes.toStdString());
    if (const auto* message = std::get_if<std::string>(&read))
        return QStringLiteral("--lesson %1: %2").arg(name, QString::fromStdString(*message));
    return std::get<TLesson>(std::move(read));
}

// The lesson's probes in the order of their places.
std::vector<TNodePosition> ProbesOf(const TLesson& lesson) {
    std::vector<TNodePosition> probes;
    for (const std::optional<TNodePosition>& probe : lesson.Probes)
        if (probe) probes.push_back(*probe);
    return probes;
}

class TJob {
  public:
    TJob(const TRenderSettings& settings, std::FILE* messages)
        : Settings(settings), Messages(messages),
          Progress(settings.Crop ? 2 * settings.Iterations : settings.Iterations, settings.Quiet,
                   messages),
          Series(settings.Probes, !settings.PlotFile.isEmpty()) {}

    int Run();

  private:
    void Say(const QString& text) {
        Progress.Finish();
        std::fprintf(Messages, "wogenfeld-render: %s\n", qPrintable(text));
    }
    std::optional<QString> OpenOutputs();
    // A renderer at the start of the run, or why the lesson does not replay.
    std::variant<std::unique_ptr<TRenderer>, QString> Start();
    // The rectangle that every picture written will be cut to.
    std::optional<QRect> MeasureCrop();
    int Render();
    std::optional<QString> WriteFrame(const QImage& frame, long long pass);
    std::optional<QString> FinishOutputs(const TRenderer& renderer);
    // A line of the table, plain, into each table asked for in its kind.
    std::optional<QString> WriteTables(std::string line);

    const TRenderSettings& Settings;
    std::FILE* Messages;
    std::optional<TLesson> Lesson;
    TProgress Progress;
    long long PassesDone = 0;
    QRect Crop;
    TGifWriter Gif;
    struct TTableFile {
        TOutputFile File;
        TCsvKind Kind;
    };
    std::array<TTableFile, 2> Tables{{{{}, TCsvKind::Plain}, {{}, TCsvKind::DecimalComma}}};
    TOutputFile Plot;
    TOutputFile Profile;
    TOutputFile Out;
    TSeries Series;
};

std::optional<QString> TJob::OpenOutputs() {
    if (!Settings.GifFile.isEmpty()) {
        if (std::optional<QString> failure = Gif.Open(Settings.GifFile, QStringLiteral("--gif")))
            return failure;
    }
    const std::pair<TOutputFile*, std::pair<const QString*, const char*>> files[] = {
        {&Tables[0].File, {&Settings.CsvFile, "--csv"}},
        {&Tables[1].File, {&Settings.CsvCommaFile, "--csv-decimal-comma"}},
        {&Plot, {&Settings.PlotFile, "--plot"}},
        {&Profile, {&Settings.ProfileFile, "--profile"}},
        {&Out, {&Settings.OutFile, "--out"}}};
    for (const auto& [file, what] : files) {
        if (what.first->isEmpty()) continue;
        if (std::optional<QString> failure = file->Open(*what.first, QLatin1String(what.second)))
            return failure;
    }
    WriteTables(Series.HeaderLine()); // a failure is told by the next write or the commit
    return std::nullopt;
}

std::optional<QString> TJob::WriteTables(std::string line) {
    for (TTableFile& table : Tables) {
        if (!table.File.IsOpen()) continue;
        ToCsvKind(line, table.Kind); // the plain table first: it is converted at most once
        if (!table.File.Write(line)) return table.File.Failure();
    }
    return std::nullopt;
}

std::variant<std::unique_ptr<TRenderer>, QString> TJob::Start() {
    std::unique_ptr<TRenderer> renderer;
    if (Lesson) {
        TNoFront front;
        std::variant<std::unique_ptr<TSession>, std::string> replayed =
            ReplayLesson(*Lesson, RenderBackground(), front);
        if (const auto* message = std::get_if<std::string>(&replayed))
            return QStringLiteral("--lesson %1: %2")
                .arg(Settings.LessonFile, QString::fromStdString(*message));
        renderer =
            std::make_unique<TRenderer>(std::get<std::unique_ptr<TSession>>(std::move(replayed)));
    } else {
        renderer = std::make_unique<TRenderer>(Settings);
    }
    renderer->SetProbes(Settings.Probes);
    return renderer;
}

std::optional<QRect> TJob::MeasureCrop() {
    auto started = Start();
    if (std::holds_alternative<QString>(started)) return std::nullopt;
    const std::unique_ptr<TRenderer>& renderer = std::get<std::unique_ptr<TRenderer>>(started);
    TFrameChoice choice(Settings);
    const QRgb background = renderer->Frame().pixel(0, 0);
    QRect drawn;
    const long long first = renderer->Session().PassesMade();
    // A lesson run on no further: its last frame is the one it reached.
    if (Settings.Iterations == 0 && Out.IsOpen()) drawn |= DrawnRect(renderer->Frame(), background);
    for (long long pass = first + 1; pass <= first + Settings.Iterations; ++pass) {
        if (!renderer->Pass()) return std::nullopt;
        Progress.Update(++PassesDone);
        const bool framed = choice.Takes(*renderer, pass) && Settings.WritesFrames();
        const bool last = pass == first + Settings.Iterations && Out.IsOpen();
        if (framed || last) drawn |= DrawnRect(renderer->Frame(), background);
    }
    return CropRect(drawn, renderer->Frame().size());
}

std::optional<QString> TJob::WriteFrame(const QImage& frame, long long pass) {
    if (!Settings.OutDir.isEmpty()) {
        const QString name = QStringLiteral("frame-%1.png").arg(pass, 6, 10, QLatin1Char('0'));
        const QImage picture = Settings.Crop ? frame.copy(Crop) : frame;
        if (std::optional<QString> failure =
                WritePngFile(picture, QDir(Settings.OutDir).filePath(name), "--out-dir")) {
            return failure;
        }
    }
    if (!Settings.GifFile.isEmpty()) return Gif.AddFrame(frame);
    return std::nullopt;
}

std::optional<QString> TJob::FinishOutputs(const TRenderer& renderer) {
    if (Out.IsOpen()) {
        if (std::optional<QString> failure = Out.CommitPng(renderer.Frame().copy(Crop)))
            return failure;
    }
    if (Profile.IsOpen()) {
        const std::array<Extended, VisibleNodes> profile =
            ProfileOf(renderer.Net(), Settings.Profile, Settings.ProfileIndex);
        Profile.Write(ProfileTable(profile, Settings.Profile));
        if (std::optional<QString> failure = Profile.Commit()) return failure;
        if (!Settings.Quiet)
            Say(Settings.ProfileFile + QStringLiteral(": ") + WaveSummary(profile, renderer.Net()));
    }
    for (TTableFile& table : Tables) {
        if (!table.File.IsOpen()) continue;
        if (std::optional<QString> failure = table.File.Commit()) return failure;
    }
    if (Plot.IsOpen()) {
        if (std::optional<QString> failure = Plot.CommitPng(DrawPlot(Series))) return failure;
    }
    if (!Settings.GifFile.isEmpty()) {
        if (std::optional<QString> failure = Gif.Finish()) return failure;
        if (!Settings.Quiet) {
            Say(QStringLiteral("%1: %2 frames, %3 bytes (%4)")
                    .arg(Settings.GifFile)
                    .arg(Gif.Frames())
                    .arg(Gif.Bytes())
                    .arg(QLocale::c().formattedDataSize(Gif.Bytes())));
        }
    }
    return std::nullopt;
}

int TJob::Render() {
    auto started = Start();
    if (const auto* failure = std::get_if<QString>(&started)) {
        Say(*failure);
        return BadArguments;
    }
    TRenderer& renderer = *std::get<std::unique_ptr<TRenderer>>(started);
    TFrameChoice choice(Settings);
    if (!Settings.Crop) Crop = renderer.Frame().rect();
    if (!Settings.GifFile.isEmpty()) Gif.Begin(Crop, Settings.Fps);
    // After a lesson the passes count on from its own.
    const long long first = renderer.Session().PassesMade();
    for (long long pass = first + 1; pass <= first + Settings.Iterations; ++pass) {
        if (!renderer.Pass()) {
            Say(renderer.Error());
            return RenderFailed;
        }
        Progress.Update(++PassesDone);
        const bool taken = choice.Takes(renderer, pass);
        std::optional<QString> failure;
        if (taken) failure = WriteFrame(renderer.Frame(), pass);
        const bool tables = Tables[0].File.IsOpen() || Tables[1].File.IsOpen();
        if (!failure && (tables || Plot.IsOpen()) && (taken || !Settings.Strobe)) {
            const TSeriesRow row = Series.Measure(renderer.Net(), pass, renderer.PassTime());
            Series.Record(row);
            if (tables) failure = WriteTables(TSeries::RowLine(row));
        }
        if (failure) {
            Say(*failure);
            return RenderFailed;
        }
    }
    Progress.Finish();
    if (std::optional<QString> failure = FinishOutputs(renderer)) {
        Say(*failure);
        return RenderFailed;
    }
    if (!Settings.SaveLessonFile.isEmpty()) {
        const std::string text = LessonText(LessonOf(renderer.Session(), WOGENFELD_VERSION));
        if (std::optional<QString> failure =
                WriteTextFile(text, Settings.SaveLessonFile, QStringLiteral("--save-lesson"))) {
            Say(*failure);
            return RenderFailed;
        }
    }
    if (Settings.PrintHashes) {
        std::printf("state %016llx\nframe %016llx\n",
                    static_cast<unsigned long long>(HashState(renderer.Net())),
                    static_cast<unsigned long long>(renderer.FrameHash()));
        // A closed pipe is no success: SIGPIPE is ignored, so it shows here.
        if (std::fflush(stdout) != 0) {
            const QString cause = QString::fromLocal8Bit(std::strerror(errno));
            Say(QStringLiteral("--hash: cannot write standard output: %1").arg(cause));
            return RenderFailed;
        }
    }
    return RenderSucceeded;
}

int TJob::Run() {
    if (!Settings.LessonFile.isEmpty()) {
        std::variant<TLesson, QString> loaded = LoadLesson(Settings.LessonFile);
        if (const auto* failure = std::get_if<QString>(&loaded)) {
            Say(*failure);
            return BadArguments;
        }
        Lesson = std::get<TLesson>(std::move(loaded));
        if (Settings.Probes.empty())
            Series = TSeries(ProbesOf(*Lesson), !Settings.PlotFile.isEmpty());
    }
    if (std::optional<QString> failure = OpenOutputs()) {
        Say(*failure);
        return BadArguments;
    }
    if (Settings.Crop) {
        const std::optional<QRect> measured = MeasureCrop();
        if (!measured) return Render(); // the start fails again, and says so
        Crop = *measured;
    }
    return Render();
}

} // namespace

int RunRender(const TRenderSettings& settings, std::FILE* messages) {
    TJob job(settings, messages);
    return job.Run();
}
