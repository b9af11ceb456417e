// Build-time tool: writes the program's icon files from the window's icon source, so the installed icons
// and the Windows .ico never drift from the icon the window shows.
// Usage: brelvix_render_icons OUTPUT_DIRECTORY SIZE...
// Writes brelvix-SIZE.png for each SIZE, and brelvix.ico holding all of them.
#include "packaging/icon_files.h"

#include <QDir>
#include <QSaveFile>
#include <QString>

#include <cstdio>
#include <vector>

namespace {

constexpr int largestIcoSize = 256;

bool writeFile(const QString& path, const QByteArray& bytes) {
    // Written whole or not at all, so an interrupted build leaves no truncated icon that looks up to date.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        std::fprintf(stderr, "brelvix_render_icons: cannot write %s: %s\n", qPrintable(path),
                     qPrintable(file.errorString()));
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
    const QImage source = brelvix::sourceIcon();
    if (source.isNull()) {
        std::fprintf(stderr, "brelvix_render_icons: the icon source could not be read\n");
        return 1;
    }

    std::vector<QImage> renditions;
    for (int i = 2; i < argc; ++i) {
        bool isNumber = false;
        const int size = QString::fromLocal8Bit(argv[i]).toInt(&isNumber);
        if (!isNumber || size <= 0 || size % source.width() != 0 || size > largestIcoSize) {
            std::fprintf(stderr,
                         "brelvix_render_icons: size %s is not a whole multiple of %d up to %d; other sizes "
                         "would blur the pixel art\n",
                         argv[i], source.width(), largestIcoSize);
            return 2;
        }
        renditions.push_back(brelvix::pixelScaled(source, size / source.width()));
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
    return writeFile(outputDirectory.filePath(QStringLiteral("brelvix.ico")),
                     brelvix::icoWithPngEntries(renditions))
               ? 0
               : 1;
}
