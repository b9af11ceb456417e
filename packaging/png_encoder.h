// PNG files and the zlib streams inside them, written with the standard library alone: the .ico of the
// Windows build needs a PNG entry, and that build has neither Qt nor a zlib of its own for the host tool that
// writes it.
#pragma once

#include "packaging/icon_image.h"

#include <cstdint>
#include <span>
#include <vector>

namespace brelvix {

// The bytes as a zlib stream (RFC 1950) of one deflate block with the fixed Huffman codes (RFC 1951), its
// repeats found within the 32 KiB window. The icon's enlarged pixel art repeats whole rows and long runs,
// which this packs to a few per cent; dynamic codes would save little more on it.
std::vector<std::uint8_t> zlibCompressed(std::span<const std::uint8_t> bytes);

// The image as a PNG file: 8-bit RGBA, not interlaced, no chunk beyond the image's own, so that the same
// pixels always give the same bytes. Throws std::invalid_argument for an image without a pixel for each
// place.
std::vector<std::uint8_t> pngFile(const IconImage& image);

} // namespace brelvix
