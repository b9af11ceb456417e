// The committed icon files (scripts/make-icons) against their 16 x 16 picture, read with Qt's own image
// readers: every size, in the Linux desktop's PNGs and in the Windows .ico, is the picture enlarged by
// repeating each pixel, transparency included.
#include <gtest/gtest.h>

#include <QImage>
#include <QImageReader>
#include <QString>

#include <iterator>
#include <map>

namespace {

const QString iconDirectory = QStringLiteral(BRELVIX_ICON_DIRECTORY);
constexpr int iconSides[] = {16, 32, 48, 256};

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
    const int factor = side / expected.width();
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            ASSERT_EQ(actual.pixel(x, y), expected.pixel(x / factor, y / factor)) << "at " << x << ',' << y;
        }
    }
}

TEST(IconFiles, ThePngsAreThePictureAtEverySize) {
    for (const int side : iconSides) {
        const QString path = iconDirectory + QStringLiteral("/brelvix-%1.png").arg(side);
        SCOPED_TRACE(path.toStdString());
        const QImage png(path, "PNG");
        ASSERT_FALSE(png.isNull());
        expectEnlargedPicture(png, side);
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
    ASSERT_EQ(entries.size(), std::size(iconSides));
    for (const int side : iconSides) {
        SCOPED_TRACE(side);
        ASSERT_TRUE(entries.contains(side));
        expectEnlargedPicture(entries.at(side), side);
    }
}

} // namespace
