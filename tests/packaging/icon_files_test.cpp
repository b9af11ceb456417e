// The icon's pixels read from their source, enlargements that stay sharp, and the Windows .ico that the build
// writes: the small entries bitmaps of the source's pixels, with a mask that hides exactly the transparent
// ones, and the 256-pixel entry a PNG of a few kilobytes (its pixels are checked where Qt can read it).
// Standard library only, so that these run in the Windows build too.
#include "packaging/icon_image.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

namespace brelvix {
namespace {

constexpr std::uint32_t transparent = 0x00000000;
constexpr std::uint32_t opaqueBlack = 0xFF000000;
constexpr std::uint32_t opaqueNavy = 0xFF000080;

TEST(SourceIcon, KeepsTheTransparentGroundAndBothColours) {
    const IconImage icon = sourceIcon();
    ASSERT_EQ(icon.width, 16);
    ASSERT_EQ(icon.height, 16);
    EXPECT_EQ(icon.pixel(0, 0), transparent);
    EXPECT_EQ(icon.pixel(1, 1), opaqueBlack);
    EXPECT_EQ(icon.pixel(2, 11), opaqueNavy);
}

TEST(ParseXpm, ReadsSeveralCharactersPerPixelAndTheColourContext) {
    const char* const xpm[] = {"2 1 2 2", "a. c None", "b. s edge c #102030", "a.b."};
    const IconImage image = parseXpm(xpm);
    ASSERT_EQ(image.width, 2);
    ASSERT_EQ(image.height, 1);
    EXPECT_EQ(image.pixel(0, 0), transparent);
    EXPECT_EQ(image.pixel(1, 0), 0xFF102030u);
}

TEST(ParseXpm, RefusesWhatItCannotReadFaithfully) {
    const struct {
        const char* what;
        std::vector<const char*> lines;
    } cases[] = {
        {"no lines", {}},
        {"a header of three numbers", {"1 1 1", "a c None", "a"}},
        {"a negative width", {"-1 1 1 1", "a c None", "a"}},
        {"more rows than announced", {"2 1 1 1", "a c #000000", "aa", "aa"}},
        {"a row too short", {"2 2 1 1", "a c #000000", "aa", "a"}},
        {"pixel characters no colour defines", {"2 1 1 1", "a c #000000", "ab"}},
        {"a named colour", {"1 1 1 1", "a c red", "a"}},
        {"a colour of five digits", {"1 1 1 1", "a c #00000", "a"}},
        {"a context without a colour", {"1 1 1 1", "a c", "a"}},
        {"no colour context", {"1 1 1 1", "a m #000000", "a"}},
        {"two colours for one pixel", {"1 1 2 1", "a c #000000", "a c #FFFFFF", "a"}},
    };
    for (const auto& malformed : cases) {
        EXPECT_THROW(parseXpm(malformed.lines), std::invalid_argument) << malformed.what;
    }
}

class PixelScaled : public testing::TestWithParam<int> {};

TEST_P(PixelScaled, EveryPixelBecomesABlockOfItsOwnColour) {
    const int factor = GetParam();
    const IconImage icon = sourceIcon();
    const IconImage scaled = pixelScaled(icon, factor);
    ASSERT_EQ(scaled.width, icon.width * factor);
    ASSERT_EQ(scaled.height, icon.height * factor);
    for (int y = 0; y < scaled.height; ++y) {
        for (int x = 0; x < scaled.width; ++x) {
            ASSERT_EQ(scaled.pixel(x, y), icon.pixel(x / factor, y / factor)) << "at " << x << ',' << y;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Factors, PixelScaled, testing::Values(1, 2, 3, 16));

TEST(IcoWithDibEntries, RefusesSidesAnEntryCannotDescribe) {
    for (const int side : {0, 257}) {
        const std::vector<IconImage> images{
            {side, 1, std::vector<std::uint32_t>(static_cast<std::size_t>(side), opaqueBlack)}};
        EXPECT_THROW(icoFile(images), std::invalid_argument) << side;
    }
}

std::uint32_t littleEndianAt(const std::vector<std::uint8_t>& bytes, std::size_t offset, int width) {
    std::uint32_t value = 0;
    for (int i = width - 1; i >= 0; --i) {
        value = value << 8 | bytes.at(offset + static_cast<std::size_t>(i));
    }
    return value;
}

// The file app/brelvix.rc puts into the program, as the build wrote it.
TEST(WindowsIcon, HoldsTheSourceAsBitmapsWithAMaskOfItsTransparentPixelsAndALargePng) {
    std::ifstream file(BRELVIX_WINDOWS_ICON, std::ios::binary);
    ASSERT_TRUE(file) << "cannot read " << BRELVIX_WINDOWS_ICON;
    const std::vector<std::uint8_t> ico{std::istreambuf_iterator<char>(file),
                                        std::istreambuf_iterator<char>()};
    const IconImage source = sourceIcon();
    constexpr int sides[] = {16, 32, 48};
    constexpr std::size_t bitmapCount = std::size(sides);
    constexpr std::size_t entryCount = bitmapCount + 1;

    ASSERT_GE(ico.size(), 6u);
    EXPECT_EQ(littleEndianAt(ico, 0, 2), 0u) << "reserved";
    EXPECT_EQ(littleEndianAt(ico, 2, 2), 1u) << "type: icon";
    ASSERT_EQ(littleEndianAt(ico, 4, 2), entryCount);

    std::size_t expectedOffset = 6 + 16 * entryCount;
    for (std::size_t i = 0; i < bitmapCount; ++i) {
        const auto side = static_cast<std::uint32_t>(sides[i]);
        SCOPED_TRACE(testing::Message() << side << " pixels");
        const std::size_t entry = 6 + 16 * i;
        EXPECT_EQ(littleEndianAt(ico, entry, 1), side) << "width";
        EXPECT_EQ(littleEndianAt(ico, entry + 1, 1), side) << "height";
        EXPECT_EQ(littleEndianAt(ico, entry + 2, 2), 0u) << "no palette, reserved";
        EXPECT_EQ(littleEndianAt(ico, entry + 4, 2), 1u) << "planes";
        EXPECT_EQ(littleEndianAt(ico, entry + 6, 2), 32u) << "bits per pixel";
        const std::size_t size = littleEndianAt(ico, entry + 8, 4);
        const std::size_t dib = littleEndianAt(ico, entry + 12, 4);
        ASSERT_EQ(dib, expectedOffset);
        const std::size_t maskRowBytes = (side + 31) / 32 * 4;
        const std::size_t colours = dib + 40;
        const std::size_t mask = colours + side * side * 4;
        ASSERT_EQ(size, 40 + side * side * 4 + maskRowBytes * side);
        ASSERT_LE(dib + size, ico.size());

        EXPECT_EQ(littleEndianAt(ico, dib, 4), 40u) << "BITMAPINFOHEADER";
        EXPECT_EQ(littleEndianAt(ico, dib + 4, 4), side) << "bitmap width";
        EXPECT_EQ(littleEndianAt(ico, dib + 8, 4), 2 * side) << "bitmap height: colours and mask";
        EXPECT_EQ(littleEndianAt(ico, dib + 12, 2), 1u) << "bitmap planes";
        EXPECT_EQ(littleEndianAt(ico, dib + 14, 2), 32u) << "bitmap bits per pixel";
        EXPECT_EQ(littleEndianAt(ico, dib + 16, 4), 0u) << "uncompressed";

        const std::uint32_t factor = side / 16;
        for (std::uint32_t y = 0; y < side; ++y) {
            const std::uint32_t row = side - 1 - y; // bottom row first
            for (std::uint32_t x = 0; x < side; ++x) {
                const std::uint32_t expected =
                    source.pixel(static_cast<int>(x / factor), static_cast<int>(y / factor));
                ASSERT_EQ(littleEndianAt(ico, colours + (row * side + x) * 4, 4), expected)
                    << "at " << x << ',' << y;
                const bool masked = (ico.at(mask + row * maskRowBytes + x / 8) & (0x80 >> (x % 8))) != 0;
                ASSERT_EQ(masked, expected == transparent) << "mask at " << x << ',' << y;
            }
        }
        expectedOffset = dib + size;
    }

    const std::size_t pngEntry = 6 + 16 * bitmapCount;
    EXPECT_EQ(littleEndianAt(ico, pngEntry, 2), 0u) << "256 pixels wide and high, written as 0";
    EXPECT_EQ(littleEndianAt(ico, pngEntry + 6, 2), 32u) << "bits per pixel";
    const std::size_t pngSize = littleEndianAt(ico, pngEntry + 8, 4);
    ASSERT_EQ(littleEndianAt(ico, pngEntry + 12, 4), expectedOffset);
    constexpr std::uint8_t pngSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    ASSERT_GE(pngSize, std::size(pngSignature));
    EXPECT_TRUE(std::equal(std::begin(pngSignature), std::end(pngSignature), ico.begin() + expectedOffset));
    // As a bitmap it would be 266,280 bytes.
    EXPECT_LT(pngSize, 8192u);
    EXPECT_EQ(expectedOffset + pngSize, ico.size()) << "bytes after the PNG";
}

} // namespace
} // namespace brelvix
