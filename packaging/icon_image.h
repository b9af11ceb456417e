// The program's icon as pixels, read from the same XPM source as the window's icon, and the Windows .ico made
// from it. Standard library only, so that a build without Qt, the Windows one included, has it too.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace brelvix {

// The largest side a .ico entry can describe.
inline constexpr int largestIcoSide = 256;

// Pixels as 0xAARRGGBB, row by row from the top.
struct IconImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    std::uint32_t pixel(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// Reads an XPM image as its C array of strings. Colours are "None" or "#RRGGBB"; anything else the icon's
// source cannot have meant and is refused with std::invalid_argument, as is every malformed line.
IconImage parseXpm(std::span<const char* const> lines);

// The window's icon, packaging/brelvix_icon.xpm.
IconImage sourceIcon();

// The image enlarged so that every pixel becomes a factor × factor block: pixel art scaled any other way
// blurs. Throws std::invalid_argument for a factor below 1 or one that makes the image too large to count.
IconImage pixelScaled(const IconImage& image, int factor);

// A .ico file of the images. Those of the largest side are PNG files, as Windows Vista and later read them:
// as a bitmap that one entry would cost over 256 KB. The others are classic device-independent bitmaps,
// 32-bit with alpha and the 1-bit mask, the entry every Windows reads. Each side must be 1 to 256 pixels, or
// std::invalid_argument is thrown.
std::vector<std::uint8_t> icoFile(std::span<const IconImage> images);

} // namespace brelvix
