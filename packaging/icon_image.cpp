// The icon's pixels from its XPM source, their pixel-exact enlargements, and the .ico container.
#include "packaging/icon_image.h"

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <limits>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>

#include "packaging/brelvix_icon.xpm"
#include "packaging/png_encoder.h"

namespace brelvix {

namespace {

[[noreturn]] void refuseXpm(const std::string& what) {
    throw std::invalid_argument("XPM image: " + what);
}

std::vector<std::string_view> words(std::string_view text) {
    std::vector<std::string_view> result;
    std::size_t start = 0;
    while ((start = text.find_first_not_of(" \t", start)) != std::string_view::npos) {
        const std::size_t end = std::min(text.find_first_of(" \t", start), text.size());
        result.push_back(text.substr(start, end - start));
        start = end;
    }
    return result;
}

int positiveNumber(std::string_view word, const char* what) {
    int value = 0;
    const char* const end = word.data() + word.size();
    const auto [stop, error] = std::from_chars(word.data(), end, value);
    if (error != std::errc{} || stop != end || value <= 0) {
        refuseXpm(std::string(what) + " is not a positive number: " + std::string(word));
    }
    return value;
}

constexpr std::uint32_t transparent = 0;
constexpr std::uint32_t opaque = 0xFF000000;

std::uint32_t colourValue(std::string_view colour) {
    if (colour == "None" || colour == "none") {
        return transparent;
    }
    std::uint32_t rgb = 0;
    if (colour.size() == 7 && colour.front() == '#') {
        const char* const end = colour.data() + colour.size();
        const auto [stop, error] = std::from_chars(colour.data() + 1, end, rgb, 16);
        if (error == std::errc{} && stop == end) {
            return opaque | rgb;
        }
    }
    refuseXpm("colour " + std::string(colour) + " is neither None nor #RRGGBB");
}

// A colour line: the pixel's characters, then pairs of a context and a colour, of which the colour display's
// ("c") is the one used.
std::uint32_t colourOfLine(std::string_view rest) {
    const std::vector<std::string_view> parts = words(rest);
    if (parts.size() % 2 != 0) {
        refuseXpm("colour line without a colour for each context: " + std::string(rest));
    }
    for (std::size_t i = 0; i < parts.size(); i += 2) {
        if (parts[i] == "c") {
            return colourValue(parts[i + 1]);
        }
    }
    refuseXpm("colour line without a colour (c) value: " + std::string(rest));
}

// The .ico header and its bitmaps are little-endian whatever the machine writing them.
void append16(std::vector<std::uint8_t>& bytes, std::uint16_t value) {
    bytes.push_back(static_cast<std::uint8_t>(value & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(value >> 8));
}

void append32(std::vector<std::uint8_t>& bytes, std::uint32_t value) {
    append16(bytes, static_cast<std::uint16_t>(value & 0xFFFF));
    append16(bytes, static_cast<std::uint16_t>(value >> 16));
}

constexpr std::size_t icoHeaderSize = 6;
constexpr std::size_t icoDirectoryEntrySize = 16;
constexpr std::uint16_t icoTypeIcon = 1;
constexpr std::uint32_t bitmapInfoHeaderSize = 40;

// The bitmap of one entry: its header, whose height counts the colour rows and the mask rows together, then
// the colour rows and the mask rows, each bottom row first. Where the mask is set, Windows versions that
// ignore alpha keep the screen, XORed with the colour, so transparent pixels are written black.
void appendDib(std::vector<std::uint8_t>& bytes, const IconImage& image) {
    const auto width = static_cast<std::uint32_t>(image.width);
    const auto height = static_cast<std::uint32_t>(image.height);
    const std::uint32_t maskRowBytes = (width + 31) / 32 * 4;
    append32(bytes, bitmapInfoHeaderSize);
    append32(bytes, width);
    append32(bytes, height * 2);
    append16(bytes, 1);  // planes
    append16(bytes, 32); // bits per pixel
    append32(bytes, 0);  // uncompressed
    append32(bytes, width * height * 4 + maskRowBytes * height);
    append32(bytes, 0); // horizontal resolution: unspecified
    append32(bytes, 0); // vertical resolution: unspecified
    append32(bytes, 0); // colours used: no palette
    append32(bytes, 0); // colours important: all

    for (int y = image.height - 1; y >= 0; --y) {
        for (int x = 0; x < image.width; ++x) {
            const std::uint32_t argb = image.pixel(x, y);
            append32(bytes, (argb >> 24) == 0 ? 0 : argb); // B, G, R, A in memory
        }
    }
    for (int y = image.height - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(maskRowBytes, 0);
        for (int x = 0; x < image.width; ++x) {
            if ((image.pixel(x, y) >> 24) == 0) {
                row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
            }
        }
        bytes.insert(bytes.end(), row.begin(), row.end());
    }
}

} // namespace

IconImage parseXpm(std::span<const char* const> lines) {
    for (const char* line : lines) {
        if (line == nullptr) {
            refuseXpm("a line is missing");
        }
    }
    if (lines.empty()) {
        refuseXpm("no header line");
    }
    const std::vector<std::string_view> header = words(lines[0]);
    // Width, height, number of colours, characters per pixel, and optionally the hot spot of a cursor.
    if (header.size() != 4 && header.size() != 6) {
        refuseXpm("the header is not width, height, colours and characters per pixel: " +
                  std::string(lines[0]));
    }
    IconImage image;
    image.width = positiveNumber(header[0], "the width");
    image.height = positiveNumber(header[1], "the height");
    const int colourCount = positiveNumber(header[2], "the number of colours");
    const int charactersPerPixel = positiveNumber(header[3], "the number of characters per pixel");
    if (lines.size() != 1 + static_cast<std::size_t>(colourCount) + static_cast<std::size_t>(image.height)) {
        refuseXpm("the header announces " + std::to_string(colourCount) + " colours and " +
                  std::to_string(image.height) + " rows, but " + std::to_string(lines.size() - 1) +
                  " lines follow it");
    }

    std::map<std::string_view, std::uint32_t> colours;
    for (int i = 0; i < colourCount; ++i) {
        const std::string_view line = lines[1 + static_cast<std::size_t>(i)];
        if (line.size() < static_cast<std::size_t>(charactersPerPixel)) {
            refuseXpm("colour line shorter than a pixel's characters: " + std::string(line));
        }
        const std::string_view key = line.substr(0, static_cast<std::size_t>(charactersPerPixel));
        if (!colours.emplace(key, colourOfLine(line.substr(key.size()))).second) {
            refuseXpm("two colours for the pixel characters \"" + std::string(key) + '"');
        }
    }

    const auto rowLength =
        static_cast<std::size_t>(image.width) * static_cast<std::size_t>(charactersPerPixel);
    for (int y = 0; y < image.height; ++y) {
        const std::string_view row =
            lines[1 + static_cast<std::size_t>(colourCount) + static_cast<std::size_t>(y)];
        if (row.size() != rowLength) {
            refuseXpm("row " + std::to_string(y) + " is " + std::to_string(row.size()) +
                      " characters long, not " + std::to_string(rowLength));
        }
        for (std::size_t at = 0; at < rowLength; at += static_cast<std::size_t>(charactersPerPixel)) {
            const auto colour = colours.find(row.substr(at, static_cast<std::size_t>(charactersPerPixel)));
            if (colour == colours.end()) {
                refuseXpm("row " + std::to_string(y) + " uses pixel characters that no colour line defines");
            }
            image.pixels.push_back(colour->second);
        }
    }
    return image;
}

IconImage sourceIcon() {
    return parseXpm(brelvix_icon_xpm);
}

IconImage pixelScaled(const IconImage& image, int factor) {
    constexpr int largestSide = std::numeric_limits<int>::max();
    if (factor < 1 || image.width > largestSide / factor || image.height > largestSide / factor) {
        throw std::invalid_argument("cannot enlarge a " + std::to_string(image.width) + " x " +
                                    std::to_string(image.height) + " image by " + std::to_string(factor));
    }
    IconImage scaled;
    scaled.width = image.width * factor;
    scaled.height = image.height * factor;
    scaled.pixels.reserve(static_cast<std::size_t>(scaled.width) * static_cast<std::size_t>(scaled.height));
    for (int y = 0; y < scaled.height; ++y) {
        for (int x = 0; x < scaled.width; ++x) {
            scaled.pixels.push_back(image.pixel(x / factor, y / factor));
        }
    }
    return scaled;
}

std::vector<std::uint8_t> icoFile(std::span<const IconImage> images) {
    if (images.empty() || images.size() > std::numeric_limits<std::uint16_t>::max()) {
        throw std::invalid_argument("a .ico holds 1 to 65535 images, not " + std::to_string(images.size()));
    }
    for (const IconImage& image : images) {
        if (image.width < 1 || image.width > largestIcoSide || image.height < 1 ||
            image.height > largestIcoSide ||
            image.pixels.size() !=
                static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height)) {
            throw std::invalid_argument(
                "a .ico entry is 1 to 256 pixels a side, with a pixel for each; not " +
                std::to_string(image.width) + " x " + std::to_string(image.height));
        }
    }

    std::vector<std::uint8_t> bytes;
    append16(bytes, 0); // reserved
    append16(bytes, icoTypeIcon);
    append16(bytes, static_cast<std::uint16_t>(images.size()));
    std::vector<std::uint8_t> entryData;
    const std::size_t firstEntryOffset = icoHeaderSize + images.size() * icoDirectoryEntrySize;
    for (const IconImage& image : images) {
        const std::size_t offset = firstEntryOffset + entryData.size();
        if (image.width == largestIcoSide && image.height == largestIcoSide) {
            const std::vector<std::uint8_t> png = pngFile(image);
            entryData.insert(entryData.end(), png.begin(), png.end());
        } else {
            appendDib(entryData, image);
        }
        // A side of 256 does not fit the entry's byte and is written as 0.
        bytes.push_back(static_cast<std::uint8_t>(image.width & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(image.height & 0xFF));
        bytes.push_back(0);  // no palette
        bytes.push_back(0);  // reserved
        append16(bytes, 1);  // planes
        append16(bytes, 32); // bits per pixel
        append32(bytes, static_cast<std::uint32_t>(firstEntryOffset + entryData.size() - offset));
        append32(bytes, static_cast<std::uint32_t>(offset));
    }
    bytes.insert(bytes.end(), entryData.begin(), entryData.end());
    return bytes;
}

} // namespace brelvix
