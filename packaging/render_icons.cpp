// Build-time tool: writes the PNG renditions of the program's icon that the Linux install carries, from the
// window's icon source, so the installed icons never drift from the icon the window shows.
// Usage: brelvix_render_icons OUTPUT_DIRECTORY SIZE...
// Writes brelvix-SIZE.png for each SIZE.
#include "packaging/icon_files.h"

#include <QDir>
#include <QSaveFile>
#include <QString>

#include <cstdio>
#include <exception>
#include <vector>

namespace {

// Beyond any size a desktop asks for; a mistyped size fails instead of filling the disk.
constexpr int largestSize = 1024;

bool writeFile(const QString& path, const QByteArray& bytes) {
    // Written whole or not at all, so an interrupted build leaves no truncated icon that looks up to date.
    QSaveFile file(path);
    if (bytes.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() ||
        !file.commit()) {
        std::fprintf(stderr, "brelvix_render_icons: cannot write %s: %s\n", qPrintable(path),
                     bytes.isEmpty() ? "no PNG data" : qPrintable(file.errorString()));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: brelvix_render_icons OUTPUT_DIRECTORY SIZE...\n");
        return 2;
    }
    brelvix::IconImage source;
    try {
        source = brelvix::sourceIcon();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "brelvix_render_icons: %s\n", error.what());
        return 1;
    }

    std::vector<QImage> renditions;
    for (int i = 2; i < argc; ++i) {
        bool isNumber = false;
        const int size = QString::fromLocal8Bit(argv[i]).toInt(&isNumber);
        if (!isNumber || size <= 0 || size % source.width != 0 || size > largestSize) {
            std::fprintf(stderr,
                         "brelvix_render_icons: size %s is not a whole multiple of %d up to %d; other sizes "
                         "would blur the pixel art\n",
                         argv[i], source.width, largestSize);
            return 2;
        }
        renditions.push_back(brelvix::toQImage(brelvix::pixelScaled(source, size / source.width)));
    }

    const QDir outputDirectory(QString::fromLocal8Bit(argv[1]));
    if (!outputDirectory.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "brelvix_render_icons: cannot create %s\n", argv[1]);
        return 1;
    }
    for (const QImage& rendition : renditions) {
        const QString name = QStringLiteral("brelvix-%1.png").arg(rendition.width());
        if (!writeFile(outputDirectory.filePath(name), brelvix::pngBytes(rendition))) {
            return 1;
        }
    }
    return 0;
}
