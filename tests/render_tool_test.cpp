// SPDX-License-Identifier: GPL-3.0-or-later
// wogenfeld-render run as a user runs it: the picture it writes and the hashes
// it prints.

#include "render/RenderArguments.h"
#include "render/Renderer.h"
#include "sim/StateHash.h"

#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <variant>

namespace {

// "Zwei Punktquellen eng" after 20 passes: the sources on the first row have
// moved the nodes at most 20 nodes away from it (a pass reaches one node
// further), so the middle and the corners (1, 1) and (71, 71) of the visible
// net still rest where the start view puts them: (400, 300), (139, 169) and
// (775, 487); the margin's corner (78, 139) is not drawn.
TEST(RenderTool, WritesAFrameAndItsHashes) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.filePath("eng.png");
    QProcess tool;
    tool.start(WOGENFELD_RENDER_TOOL,
               {"--example", "3", "--iterations", "20", "--hash", "--out", path});
    ASSERT_TRUE(tool.waitForFinished(60000));
    EXPECT_EQ(tool.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(tool.exitCode(), 0);
    const QString printed = QString::fromLatin1(tool.readAllStandardOutput());
    const QRegularExpressionMatch hashes =
        QRegularExpression("^state ([0-9a-f]{16})\nframe ([0-9a-f]{16})\n$").match(printed);
    ASSERT_TRUE(hashes.hasMatch()) << printed.toStdString();

    const QImage picture = QImage(path).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(picture.size(), QSize(800, 600));
    int blue = 0;
    for (int y = 0; y < 600; ++y) {
        for (int x = 0; x < 800; ++x) {
            const QRgb pixel = picture.pixel(x, y);
            blue += pixel == qRgb(0, 0, 255);
            ASSERT_TRUE(pixel == qRgb(0, 0, 255) || pixel == qRgb(255, 255, 255)) << x << "," << y;
        }
    }
    // 142 polylines of about 300 to 500 pixels each.
    EXPECT_GT(blue, 40000);
    EXPECT_LT(blue, 80000);
    for (const QPoint at : {QPoint(400, 300), QPoint(139, 169), QPoint(775, 487)}) {
        EXPECT_EQ(picture.pixel(at), qRgb(0, 0, 255)) << at.x() << "," << at.y();
    }
    EXPECT_EQ(picture.pixel(78, 139), qRgb(255, 255, 255));

    // The hashes are those of this picture and of the same run in this program.
    const std::uint64_t frameHash =
        HashBytes(picture.constBits(), static_cast<std::size_t>(picture.sizeInBytes()));
    EXPECT_EQ(hashes.captured(2).toULongLong(nullptr, 16), frameHash);
    const auto parsed = ParseRenderArguments({"--example", "3"});
    TRenderer renderer(std::get<TRenderSettings>(parsed));
    for (int pass = 0; pass < 20; ++pass)
        ASSERT_TRUE(renderer.Pass());
    EXPECT_EQ(hashes.captured(1).toULongLong(nullptr, 16), HashState(renderer.Net()));
}

} // namespace
