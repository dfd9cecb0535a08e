// SPDX-License-Identifier: GPL-3.0-or-later
// Makes resources/info.jpg, the info page of Wogenfeld:
//   make_info_picture OUTPUT.jpg
// It lays the page out with Qt and writes it with libjpeg as a baseline JFIF
// JPEG. Built only with -DWOGENFELD_BUILD_INFO_PICTURE=ON.

#include "InfoPage.h"
#include "resources/JpegEncoder.h"

#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QStringList>

#include <cstdio>
#include <exception>

namespace {

constexpr int Quality = 90;

bool HasPageFonts() {
    const QString family = QString::fromLatin1(InfoPageFontFamily);
    const QStringList styles = QFontDatabase::styles(family);
    return styles.contains(QStringLiteral("Book")) && styles.contains(QStringLiteral("Bold")) &&
           styles.contains(QStringLiteral("Italic"));
}

int Fail(const char* message) {
    std::fprintf(stderr, "make_info_picture: %s\n", message);
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    // Only an off-screen picture is drawn; no display is needed.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const QGuiApplication application(argc, argv);
    const QStringList arguments = QGuiApplication::arguments();
    if (arguments.size() != 2) {
        std::fprintf(stderr, "usage: make_info_picture OUTPUT.jpg\n");
        return 2;
    }
    if (!HasPageFonts()) {
        return Fail("DejaVu Serif with Book, Bold and Italic is missing "
                    "(Debian: apt-get install fonts-dejavu-core fonts-dejavu-extra)");
    }
    try {
        const QByteArray jpeg = EncodeJpeg(DrawInfoPage(), Quality);
        if (jpeg.isEmpty()) return Fail("libjpeg could not encode the page");
        QFile file(arguments[1]);
        if (!file.open(QIODevice::WriteOnly) || file.write(jpeg) != jpeg.size() || !file.flush()) {
            return Fail("cannot write the output file");
        }
    } catch (const std::exception& problem) {
        return Fail(problem.what());
    }
    return 0;
}
