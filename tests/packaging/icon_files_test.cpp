// The icon files: the source read with its transparency, enlargements that stay sharp, and a .ico whose
// directory points at each image intact.
#include "packaging/icon_files.h"

#include <gtest/gtest.h>

#include <QRgb>

#include <cstdint>
#include <vector>

namespace brelvix {
namespace {

constexpr QRgb transparent = 0x00000000;
constexpr QRgb opaqueBlack = 0xFF000000;
constexpr QRgb opaqueNavy = 0xFF000080;

// Pixels compared as ARGB values, so that two images of different formats but the same look are equal.
bool samePixels(const QImage& a, const QImage& b) {
    return a.convertToFormat(QImage::Format_ARGB32) == b.convertToFormat(QImage::Format_ARGB32);
}

TEST(SourceIcon, KeepsTheTransparentGroundAndBothColours) {
    const QImage icon = sourceIcon();
    ASSERT_EQ(icon.size(), QSize(16, 16));
    EXPECT_EQ(icon.pixel(0, 0), transparent);
    EXPECT_EQ(icon.pixel(1, 1), opaqueBlack);
    EXPECT_EQ(icon.pixel(2, 11), opaqueNavy);
}

class PixelScaled : public testing::TestWithParam<int> {};

TEST_P(PixelScaled, EveryPixelBecomesABlockOfItsOwnColour) {
    const int factor = GetParam();
    const QImage icon = sourceIcon();
    const QImage scaled = pixelScaled(icon, factor);
    ASSERT_EQ(scaled.size(), icon.size() * factor);
    for (int y = 0; y < scaled.height(); ++y) {
        for (int x = 0; x < scaled.width(); ++x) {
            ASSERT_EQ(scaled.pixel(x, y), icon.pixel(x / factor, y / factor)) << "at " << x << ',' << y;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Factors, PixelScaled, testing::Values(1, 2, 3, 16));

TEST(PngBytes, KeepTransparencyOfAnIndexedImage) {
    QImage indexed(2, 1, QImage::Format_Indexed8);
    indexed.setColorTable({transparent, opaqueNavy});
    indexed.setPixel(0, 0, 0);
    indexed.setPixel(1, 0, 1);
    const QImage decoded = QImage::fromData(pngBytes(indexed), "PNG");
    ASSERT_FALSE(decoded.isNull());
    EXPECT_TRUE(decoded.hasAlphaChannel());
    EXPECT_TRUE(samePixels(decoded, indexed));
}

std::uint32_t littleEndianAt(const QByteArray& bytes, qsizetype offset, int width) {
    std::uint32_t value = 0;
    for (int i = width - 1; i >= 0; --i) {
        value = value << 8 | static_cast<std::uint8_t>(bytes.at(offset + i));
    }
    return value;
}

TEST(IcoWithPngEntries, DirectoryDescribesEachImageWhereItLies) {
    const QImage icon = sourceIcon();
    const std::vector<QImage> images{icon, pixelScaled(icon, 3), pixelScaled(icon, 16)};
    const QByteArray ico = icoWithPngEntries(images);

    ASSERT_GE(ico.size(), 6);
    EXPECT_EQ(littleEndianAt(ico, 0, 2), 0u) << "reserved";
    EXPECT_EQ(littleEndianAt(ico, 2, 2), 1u) << "type: icon";
    ASSERT_EQ(littleEndianAt(ico, 4, 2), images.size());

    qsizetype expectedOffset = 6 + 16 * static_cast<qsizetype>(images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "entry " << i);
        const qsizetype entry = 6 + 16 * static_cast<qsizetype>(i);
        const auto side = static_cast<std::uint32_t>(images[i].width() % 256);
        EXPECT_EQ(littleEndianAt(ico, entry, 1), side) << "width";
        EXPECT_EQ(littleEndianAt(ico, entry + 1, 1), side) << "height";
        EXPECT_EQ(littleEndianAt(ico, entry + 4, 2), 1u) << "planes";
        EXPECT_EQ(littleEndianAt(ico, entry + 6, 2), 32u) << "bits per pixel";
        const qsizetype size = littleEndianAt(ico, entry + 8, 4);
        const qsizetype offset = littleEndianAt(ico, entry + 12, 4);
        ASSERT_EQ(offset, expectedOffset);
        ASSERT_LE(offset + size, ico.size());
        const QImage decoded = QImage::fromData(ico.mid(offset, size), "PNG");
        EXPECT_TRUE(samePixels(decoded, images[i]));
        expectedOffset = offset + size;
    }
    EXPECT_EQ(expectedOffset, ico.size()) << "bytes after the last image";
}

} // namespace
} // namespace brelvix
