// The PNG icons of the Linux install: the source's pixels handed to Qt unchanged, and PNG bytes that keep
// them, transparency included.
#include "packaging/icon_files.h"

#include <gtest/gtest.h>

#include <QRgb>

namespace brelvix {
namespace {

// Pixels compared as ARGB values, so that two images of different formats but the same look are equal.
bool samePixels(const QImage& a, const QImage& b) {
    return a.convertToFormat(QImage::Format_ARGB32) == b.convertToFormat(QImage::Format_ARGB32);
}

TEST(ToQImage, KeepsEveryPixel) {
    const IconImage icon = pixelScaled(sourceIcon(), 3);
    const QImage image = toQImage(icon);
    ASSERT_EQ(image.size(), QSize(icon.width, icon.height));
    for (int y = 0; y < icon.height; ++y) {
        for (int x = 0; x < icon.width; ++x) {
            ASSERT_EQ(image.pixel(x, y), icon.pixel(x, y)) << "at " << x << ',' << y;
        }
    }
}

TEST(PngBytes, KeepTransparencyOfAnIndexedImage) {
    constexpr QRgb transparent = 0x00000000;
    constexpr QRgb opaqueNavy = 0xFF000080;
    QImage indexed(2, 1, QImage::Format_Indexed8);
    indexed.setColorTable({transparent, opaqueNavy});
    indexed.setPixel(0, 0, 0);
    indexed.setPixel(1, 0, 1);
    const QImage decoded = QImage::fromData(pngBytes(indexed), "PNG");
    ASSERT_FALSE(decoded.isNull());
    EXPECT_TRUE(decoded.hasAlphaChannel());
    EXPECT_TRUE(samePixels(decoded, indexed));
}

TEST(PngBytes, KeepTheIconsPixels) {
    const QImage icon = toQImage(pixelScaled(sourceIcon(), 16));
    EXPECT_TRUE(samePixels(QImage::fromData(pngBytes(icon), "PNG"), icon));
}

} // namespace
} // namespace brelvix
