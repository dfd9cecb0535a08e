// SPDX-License-Identifier: GPL-3.0-or-later
// Where wogenfeld-render's outputs go: devices, FIFOs, pipes, standard output
// and symbolic links, each left as it was and given what was asked for.

#include "RenderTesting.h"

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

struct TToolRun {
    int Status; // -1: the tool died of a signal
    QByteArray Output;
    QString Errors;
};

// The tool in `folder`, standard output a pipe to the test, or `stdoutFd` where given.
TToolRun RunTool(const QString& folder, const QStringList& args, int stdoutFd = -1) {
    QProcess tool;
    tool.setWorkingDirectory(folder);
    if (stdoutFd >= 0)
        tool.setChildProcessModifier([stdoutFd] { ::dup2(stdoutFd, STDOUT_FILENO); });
    tool.start(QStringLiteral(WOGENFELD_RENDER_TOOL),
               args + QStringList{"--quiet", "--iterations", "8"});
    EXPECT_TRUE(tool.waitForFinished(60000));
    return {tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1,
            tool.readAllStandardOutput(), QString::fromLocal8Bit(tool.readAllStandardError())};
}

QString Failed(const char* option, const char* file, int error) {
    return QStringLiteral("wogenfeld-render: %1: cannot write %2: %3\n")
        .arg(option, file, std::strerror(error));
}

// Every name in `folder`, devices and FIFOs among them.
QStringList Entries(const QString& folder) {
    return QDir(folder).entryList(
        QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

bool IsCharDevice(const QString& path, unsigned minor) {
    struct stat info {};
    return ::lstat(qPrintable(path), &info) == 0 && S_ISCHR(info.st_mode) &&
           info.st_rdev == makedev(1, minor);
}

// /tmp may be mounted without devices; the build tree, where the tests run as root, may allow them.
TEST(RenderOutputs, DevicesAreWrittenInPlaceAndAFullOneFailsTheRun) {
    QTemporaryDir folder(QStringLiteral(WOGENFELD_TEST_FOLDER "/device-XXXXXX"));
    ASSERT_TRUE(folder.isValid());
    for (const auto& [name, minor] : {std::pair{"null", 3u}, std::pair{"full", 7u}}) {
        const QString node = folder.filePath(name);
        if (::mknod(qPrintable(node), S_IFCHR | 0666, makedev(1, minor)) != 0) {
            GTEST_SKIP() << "cannot make a device node in the build tree: " << std::strerror(errno);
        }
        const int fd = ::open(qPrintable(node), O_WRONLY);
        if (fd < 0)
            GTEST_SKIP() << "cannot open a device node in the build tree: " << std::strerror(errno);
        ::close(fd);
    }
    const TToolRun gif = RunTool(folder.path(), {"--gif", "null"});
    EXPECT_EQ(gif.Status, RenderSucceeded) << gif.Errors.toStdString();
    EXPECT_TRUE(IsCharDevice(folder.filePath("null"), 3));

    const TToolRun full = RunTool(folder.path(), {"--out", "full"});
    EXPECT_EQ(full.Status, RenderFailed);
    EXPECT_EQ(full.Errors, Failed("--out", "full", ENOSPC));
    EXPECT_TRUE(IsCharDevice(folder.filePath("full"), 7));
    EXPECT_EQ(Entries(folder.path()), QStringList({"full", "null"}));
}

TEST(RenderOutputs, AFifoReachesItsReaderAndAClosedPipeFailsTheRun) {
    QTemporaryDir folder;
    const QString fifo = folder.filePath("fifo");
    ASSERT_EQ(::mkfifo(qPrintable(fifo), 0644), 0) << std::strerror(errno);
    // The table is small enough to wait in the pipe until the tool has ended.
    const int reader = ::open(qPrintable(fifo), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0) << std::strerror(errno);
    const TToolRun csv = RunTool(folder.path(), {"--csv", "fifo"});
    EXPECT_EQ(csv.Status, RenderSucceeded) << csv.Errors.toStdString();
    QByteArray table;
    char buffer[4096];
    for (ssize_t got; (got = ::read(reader, buffer, sizeof buffer)) > 0;)
        table.append(buffer, got);
    ::close(reader);
    EXPECT_TRUE(table.startsWith("pass,SimTime,")) << table.toStdString();
    EXPECT_EQ(table.count('\n'), 9); // the header and the 8 passes
    struct stat info {};
    EXPECT_TRUE(::lstat(qPrintable(fifo), &info) == 0 && S_ISFIFO(info.st_mode));

    // A reader gone before the first byte: the write fails, whatever writes to the pipe.
    for (const QStringList& args : {QStringList{"--out", "-"}, QStringList{"--hash"}}) {
        SCOPED_TRACE(args.join(' ').toStdString());
        int pipeEnds[2];
        ASSERT_EQ(::pipe(pipeEnds), 0);
        ::close(pipeEnds[0]);
        const TToolRun closed = RunTool(folder.path(), args, pipeEnds[1]);
        ::close(pipeEnds[1]);
        EXPECT_EQ(closed.Status, RenderFailed);
        EXPECT_EQ(closed.Errors,
                  args[0] == "--out"
                      ? Failed("--out", "-", EPIPE)
                      : QStringLiteral("wogenfeld-render: --hash: cannot write standard "
                                       "output: %1\n")
                            .arg(std::strerror(EPIPE)));
    }
}

TEST(RenderOutputs, StandardOutputCarriesOnePngAndNoOtherOutput) {
    QTemporaryDir folder;
    ASSERT_EQ(RunTool(folder.path(), {"--out", "file.png"}).Status, RenderSucceeded);
    const QImage file(folder.filePath("file.png"));
    for (const char* name : {"-", "/dev/stdout"}) {
        SCOPED_TRACE(name);
        const TToolRun run = RunTool(folder.path(), {"--out", name});
        EXPECT_EQ(run.Status, RenderSucceeded) << run.Errors.toStdString();
        const QImage piped = QImage::fromData(run.Output, "PNG");
        EXPECT_EQ(piped.size(), QSize(800, 600));
        EXPECT_EQ(piped, file);
    }
    const std::pair<QStringList, const char*> refused[] = {
        {{"--out", "-", "--hash"}, "--out"},
        {{"--csv", "-", "--plot", "-"}, "--plot"},
        {{"--out-dir", "-", "--every", "2"}, "--out-dir"}};
    for (const auto& [args, option] : refused) {
        SCOPED_TRACE(args.join(' ').toStdString());
        const TToolRun run = RunTool(folder.path(), args);
        EXPECT_EQ(run.Status, BadArguments);
        EXPECT_TRUE(run.Errors.startsWith("wogenfeld-render: ") &&
                    run.Errors.contains(QLatin1String(option)))
            << run.Errors.toStdString();
        EXPECT_EQ(run.Errors.count('\n'), 1);
        EXPECT_TRUE(run.Output.isEmpty());
    }
    EXPECT_EQ(Entries(folder.path()), QStringList{"file.png"});

    // Standard output sent to a file by the shell: that open file is written,
    // not replaced behind the shell's back by a renamed one.
    const QString redirected = folder.filePath("redirected.png");
    const int fd = ::open(qPrintable(redirected), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0);
    struct stat before {};
    ASSERT_EQ(::fstat(fd, &before), 0);
    const TToolRun run = RunTool(folder.path(), {"--out", "/dev/stdout"}, fd);
    ::close(fd);
    EXPECT_EQ(run.Status, RenderSucceeded) << run.Errors.toStdString();
    struct stat after {};
    ASSERT_EQ(::stat(qPrintable(redirected), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(QImage(redirected), file);
}

TEST(RenderOutputs, LinksAreFollowedAndAFilesPermissionsKept) {
    QTemporaryDir folder;
    const QString kept = folder.filePath("kept.png");
    QFile old(kept);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
    old.close();
    ASSERT_EQ(::chmod(qPrintable(kept), 0640), 0);
    ASSERT_EQ(::symlink("kept.png", qPrintable(folder.filePath("link.png"))), 0);
    ASSERT_EQ(::symlink("made.csv", qPrintable(folder.filePath("dangling.csv"))), 0);

    const TToolRun run = RunTool(folder.path(), {"--out", "link.png", "--csv", "dangling.csv"});
    EXPECT_EQ(run.Status, RenderSucceeded) << run.Errors.toStdString();
    EXPECT_EQ(QFileInfo(folder.filePath("link.png")).symLinkTarget(), kept);
    EXPECT_EQ(QFileInfo(folder.filePath("dangling.csv")).symLinkTarget(),
              folder.filePath("made.csv"));
    EXPECT_EQ(QImage(kept).size(), QSize(800, 600));
    struct stat info {};
    ASSERT_EQ(::stat(qPrintable(kept), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    QFile made(folder.filePath("made.csv"));
    ASSERT_TRUE(made.open(QIODevice::ReadOnly));
    EXPECT_TRUE(made.readAll().startsWith("pass,SimTime,"));
    EXPECT_EQ(Entries(folder.path()),
              QStringList({"dangling.csv", "kept.png", "link.png", "made.csv"}));
}

} // namespace
