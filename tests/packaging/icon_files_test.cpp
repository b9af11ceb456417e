// The committed icon files (scripts/make-icons) against their 16 x 16 picture, read with Qt's own image
// readers: every size, in the Linux desktop's PNGs and in the Windows .ico, is the picture enlarged by taking
// each pixel from the source pixel under its centre, transparency included.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QImageReader>
#include <QString>

#include <iterator>
#include <map>
#include <utility>

namespace {

const QString iconDirectory = QStringLiteral(BRELVIX_ICON_DIRECTORY);
// What Microsoft's icon guidance asks the .ico to hold, held here on its own rather than read from the script
// that makes the files: the title bar, the taskbar and Explorer at 100, 125 and 150 % and Explorer's larger
// views.
constexpr int windowsIconSides[] = {16, 20, 24, 32, 40, 48, 64, 256};

// Premultiplied, so that a transparent pixel is transparent whatever colour the file keeps under it.
QImage comparable(const QImage& image) {
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage picture() {
    const QImage source(QStringLiteral(BRELVIX_ICON_SOURCE));
    EXPECT_EQ(source.size(), QSize(16, 16)) << BRELVIX_ICON_SOURCE;
    return comparable(source);
}

// Fails at the first pixel of `image` that is not the picture's pixel it enlarges.
void expectEnlargedPicture(const QImage& image, int side) {
    ASSERT_EQ(image.size(), QSize(side, side));
    const QImage expected = picture();
    const QImage actual = comparable(image);
    // The source pixels under a pixel's centre: two where the centre lies on the edge between them.
    const auto under = [&](int pixel) {
        const int centre = (2 * pixel + 1) * expected.width();
        const int source = centre / (2 * side);
        return std::pair(centre % (2 * side) == 0 ? source - 1 : source, source);
    };
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            const auto [left, right] = under(x);
            const auto [top, bottom] = under(y);
            const QRgb found = actual.pixel(x, y);
            ASSERT_TRUE(found == expected.pixel(left, top) || found == expected.pixel(right, top) ||
                        found == expected.pixel(left, bottom) || found == expected.pixel(right, bottom))
                << "at " << x << ',' << y;
        }
    }
}

TEST(IconFiles, ThePngsAreThePictureAtEverySize) {
    const QStringList pngs = QDir(iconDirectory).entryList({QStringLiteral("brelvix-*.png")});
    ASSERT_FALSE(pngs.isEmpty());
    for (const QString& name : pngs) {
        SCOPED_TRACE(name.toStdString());
        const QImage png(iconDirectory + u'/' + name, "PNG");
        ASSERT_FALSE(png.isNull());
        expectEnlargedPicture(png, name.section(u'-', 1).section(u'.', 0, 0).toInt());
    }
}

TEST(IconFiles, TheWindowsIconHoldsThePictureAtEverySize) {
    QImageReader reader(iconDirectory + QStringLiteral("/brelvix.ico"), "ico");
    std::map<int, QImage> entries;
    do {
        const QImage entry = reader.read();
        ASSERT_FALSE(entry.isNull()) << "Qt's ico plugin: " << reader.errorString().toStdString();
        ASSERT_TRUE(entries.emplace(entry.width(), entry).second) << "two entries of " << entry.width();
    } while (reader.jumpToNextImage());
    ASSERT_EQ(entries.size(), std::size(windowsIconSides));
    for (const int side : windowsIconSides) {
        SCOPED_TRACE(side);
        ASSERT_TRUE(entries.contains(side));
        expectEnlargedPicture(entries.at(side), side);
    }
}

} // namespace
