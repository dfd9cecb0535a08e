// SPDX-License-Identifier: GPL-3.0-or-later
// wogenfeld-render's lessons as a user makes and opens them: a saved run
// opens at the same state and frame and goes on as the run itself goes on; a
// lesson that cannot be opened is refused and leaves the user's files alone.

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct TRun {
    int Status = -1;
    QString Output;
    QString Errors;
};

TRun Render(const QStringList& args) {
    QProcess tool;
    tool.start(WOGENFELD_RENDER_TOOL, QStringList{"--quiet"} + args);
    TRun run;
    if (!tool.waitForFinished(120000)) return run;
    run.Status = tool.exitCode();
    run.Output = QString::fromUtf8(tool.readAllStandardOutput());
    run.Errors = QString::fromUtf8(tool.readAllStandardError());
    return run;
}

// The last `count` lines of a text.
std::string LastLines(const QString& text, int count) {
    const QStringList lines = text.split(u'\n', Qt::SkipEmptyParts);
    return lines.mid(lines.size() - count).join(u'\n').toStdString();
}

TEST(RenderLesson, ASavedRunOpensAtItsStateAndGoesOnAsTheRunItself) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString lesson = folder.filePath("a.wogenfeld");
    const TRun saved = Render({"--example", "3", "--iterations", "600", "--save-lesson", lesson});
    ASSERT_EQ(saved.Status, 0) << saved.Errors.toStdString();

    const TRun direct = Render({"--example", "3", "--iterations", "600", "--hash"});
    const TRun opened = Render({"--lesson", lesson, "--hash"});
    EXPECT_EQ(opened.Status, 0) << opened.Errors.toStdString();
    ASSERT_FALSE(direct.Output.isEmpty());
    EXPECT_EQ(opened.Output.toStdString(), direct.Output.toStdString());

    // Two passes on: the table's rows are those of passes 601 and 602 of the whole run.
    const TRun longer =
        Render({"--example", "3", "--iterations", "602", "--probe", "36,2", "--csv", "-"});
    const TRun onwards =
        Render({"--lesson", lesson, "--iterations", "2", "--probe", "36,2", "--csv", "-"});
    ASSERT_EQ(onwards.Status, 0) << onwards.Errors.toStdString();
    EXPECT_EQ(LastLines(onwards.Output, 2), LastLines(longer.Output, 2));
    EXPECT_TRUE(LastLines(onwards.Output, 2).starts_with("601,")) << onwards.Output.toStdString();
}

TEST(RenderLesson, TheProbesOfTheRunAreTheLessonsAndItsTablesFollowThem) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString lesson = folder.filePath("p.wogenfeld");
    const TRun saved = Render({"--example", "7", "--iterations", "300", "--probe", "36,20",
                               "--probe", "10,60", "--save-lesson", lesson});
    ASSERT_EQ(saved.Status, 0) << saved.Errors.toStdString();
    QFile file(lesson);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(text.contains("probe1 36,20\nprobe2 10,60\nprobe3 none")) << text.toStdString();

    const TRun whole = Render({"--example", "7", "--iterations", "303", "--probe", "36,20",
                               "--probe", "10,60", "--csv", "-"});
    const TRun onwards = Render({"--lesson", lesson, "--iterations", "3", "--csv", "-"});
    ASSERT_EQ(onwards.Status, 0) << onwards.Errors.toStdString();
    const QString header = whole.Output.section(u'\n', 0, 0);
    EXPECT_TRUE(onwards.Output.startsWith(header + u'\n')) << onwards.Output.toStdString();
    EXPECT_EQ(LastLines(onwards.Output, 3), LastLines(whole.Output, 3));
}

TEST(RenderLesson, ALessonThatCannotBeOpenedIsRefusedAndTouchesNoFile) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString lesson = folder.filePath("a.wogenfeld");
    ASSERT_EQ(Render({"--iterations", "30", "--save-lesson", lesson}).Status, 0);
    QFile file(lesson);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QByteArray text = file.readAll();
    file.close();
    const qsizetype state = text.indexOf("state ") + 6;
    text[state] = text[state] == '0' ? '1' : '0';
    const QString damaged = folder.filePath("damaged.wogenfeld");
    QFile out(damaged);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(text);
    out.close();

    const QString kept = folder.filePath("kept.wogenfeld");
    QFile keptFile(kept);
    ASSERT_TRUE(keptFile.open(QIODevice::WriteOnly));
    keptFile.write("the user's own\n");
    keptFile.close();
    const TRun refused = Render({"--lesson", damaged, "--save-lesson", kept, "--hash"});
    EXPECT_EQ(refused.Status, 2);
    EXPECT_TRUE(refused.Output.isEmpty());
    EXPECT_TRUE(refused.Errors.contains("Die Unterrichtsdatei führt nicht zu dem Zustand"))
        << refused.Errors.toStdString();
    ASSERT_TRUE(keptFile.open(QIODevice::ReadOnly));
    EXPECT_EQ(keptFile.readAll(), QByteArray("the user's own\n"));

    // The lesson sets the controls: an example or a slider beside it makes no sense.
    for (const QStringList& extra : {QStringList{"--example", "2"}, QStringList{"--zoom", "5"}}) {
        const TRun both = Render(QStringList{"--lesson", lesson} + extra);
        EXPECT_EQ(both.Status, 2);
        EXPECT_TRUE(both.Errors.contains("--lesson and " + extra.front()))
            << both.Errors.toStdString();
    }
}

} // namespace
