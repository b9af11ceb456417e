// The PNG icons of the Linux install: the source's pixels handed to Qt unchanged, and PNG bytes that keep
// them, transparency included. Qt's zlib and PNG reader also check the standard-library encoder that writes
// the PNG entry of the Windows .ico.
#include "packaging/icon_files.h"
#include "packaging/png_encoder.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QRgb>
#include <QtEndian>

#include <cstdint>
#include <random>
#include <vector>

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

std::vector<std::uint8_t> randomBytes(std::size_t count, unsigned seed) {
    std::mt19937 generator(seed);
    std::vector<std::uint8_t> bytes(count);
    for (std::uint8_t& byte : bytes) {
        byte = static_cast<std::uint8_t>(generator());
    }
    return bytes;
}

// Every length code, 258 among them, distances up to the window's 32,768, and input that does not compress.
TEST(ZlibCompressed, InflatesToTheSameBytes) {
    // Random bytes whose first 300 come again `distance` bytes later.
    const auto repeatedAfter = [](std::size_t distance) {
        std::vector<std::uint8_t> bytes = randomBytes(distance, 1);
        bytes.insert(bytes.end(), bytes.begin(), bytes.begin() + 300);
        return bytes;
    };
    std::vector<std::uint8_t> runsOfEveryLength;
    for (std::size_t length = 1; length <= 300; ++length) {
        runsOfEveryLength.insert(runsOfEveryLength.end(), length, static_cast<std::uint8_t>(length));
    }
    const struct {
        const char* what;
        std::vector<std::uint8_t> bytes;
    } cases[] = {
        {"nothing", {}},
        {"one byte", {0x42}},
        {"a run of 258 and one more", std::vector<std::uint8_t>(259, 7)},
        {"runs of every length", runsOfEveryLength},
        {"random bytes past the window", randomBytes(70000, 2)},
        {"a repeat at the window's distance", repeatedAfter(32768)},
        {"a repeat just beyond the window", repeatedAfter(32769)},
    };
    for (const auto& input : cases) {
        const std::vector<std::uint8_t> stream = zlibCompressed(input.bytes);
        QByteArray withSize(4, '\0');
        qToBigEndian(static_cast<quint32>(input.bytes.size()), withSize.data());
        withSize.append(reinterpret_cast<const char*>(stream.data()), static_cast<qsizetype>(stream.size()));
        const QByteArray inflated = qUncompress(withSize);
        EXPECT_EQ(inflated, QByteArray(reinterpret_cast<const char*>(input.bytes.data()),
                                       static_cast<qsizetype>(input.bytes.size())))
            << input.what;
    }
}

// The last entry of the .ico the build wrote, which Explorer's large views show.
TEST(WindowsIcon, ItsPngEntryHoldsTheSourceSixteenTimesAsLarge) {
    QFile file(BRELVIX_WINDOWS_ICON);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << "cannot read " << BRELVIX_WINDOWS_ICON;
    const QByteArray ico = file.readAll();
    ASSERT_GE(ico.size(), 6);
    const quint16 entries = qFromLittleEndian<quint16>(ico.constData() + 4);
    ASSERT_GE(ico.size(), 6 + 16 * entries);
    const char* const lastEntry = ico.constData() + 6 + 16 * (entries - 1);
    const quint32 size = qFromLittleEndian<quint32>(lastEntry + 8);
    const quint32 offset = qFromLittleEndian<quint32>(lastEntry + 12);
    ASSERT_LE(qsizetype{offset} + size, ico.size());
    const QImage png = QImage::fromData(ico.mid(offset, size), "PNG");
    ASSERT_FALSE(png.isNull());
    EXPECT_TRUE(samePixels(png, toQImage(pixelScaled(sourceIcon(), 16))));
}

} // namespace
} // namespace brelvix
