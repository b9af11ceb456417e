// A deflate compressor with fixed Huffman codes, its zlib wrapping, and the PNG container around it.
#include "packaging/png_encoder.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>
#include <string_view>

namespace brelvix {

namespace {

constexpr std::size_t windowSize = 32768;
constexpr std::size_t shortestMatch = 3;
constexpr std::size_t longestMatch = 258;
// Candidates tried per position: enough to find the row above in pixel art, bounded for any input.
constexpr int longestChain = 128;

constexpr std::array<std::uint16_t, 29> lengthBase{3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                                   15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                                   67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<std::uint8_t, 29> lengthExtraBits{0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                                       2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<std::uint16_t, 30> distanceBase{
    1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
    193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<std::uint8_t, 30> distanceExtraBits{0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                                         6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
constexpr unsigned endOfBlock = 256;
constexpr unsigned firstLengthSymbol = 257;

// Deflate fills each byte from its least significant bit; Huffman codes enter most significant bit first.
class BitWriter {
public:
    explicit BitWriter(std::vector<std::uint8_t>& output)
        : output_(output) {}

    void bits(std::uint32_t value, int count) {
        for (int i = 0; i < count; ++i) {
            bit((value >> i) & 1);
        }
    }

    void huffmanCode(std::uint32_t code, int length) {
        for (int i = length - 1; i >= 0; --i) {
            bit((code >> i) & 1);
        }
    }

    void flush() {
        if (filled_ > 0) {
            output_.push_back(current_);
            current_ = 0;
            filled_ = 0;
        }
    }

private:
    void bit(std::uint32_t value) {
        current_ = static_cast<std::uint8_t>(current_ | value << filled_);
        if (++filled_ == 8) {
            flush();
        }
    }

    std::vector<std::uint8_t>& output_;
    std::uint8_t current_ = 0;
    int filled_ = 0;
};

// The fixed literal/length code of RFC 1951, 3.2.6.
void writeSymbol(BitWriter& writer, unsigned symbol) {
    if (symbol < 144) {
        writer.huffmanCode(0x30 + symbol, 8);
    } else if (symbol < 256) {
        writer.huffmanCode(0x190 + symbol - 144, 9);
    } else if (symbol < 280) {
        writer.huffmanCode(symbol - 256, 7);
    } else {
        writer.huffmanCode(0xC0 + symbol - 280, 8);
    }
}

// The index of the last base not above the value: 258 has a code of its own, not 227 with all extra bits set.
template <std::size_t count>
std::size_t codeIndex(const std::array<std::uint16_t, count>& bases, std::size_t value) {
    return static_cast<std::size_t>(std::upper_bound(bases.begin(), bases.end(), value) - bases.begin()) - 1;
}

void writeMatch(BitWriter& writer, std::size_t length, std::size_t distance) {
    const std::size_t lengthCode = codeIndex(lengthBase, length);
    writeSymbol(writer, firstLengthSymbol + static_cast<unsigned>(lengthCode));
    writer.bits(static_cast<std::uint32_t>(length - lengthBase[lengthCode]), lengthExtraBits[lengthCode]);
    const std::size_t distanceCode = codeIndex(distanceBase, distance);
    writer.huffmanCode(static_cast<std::uint32_t>(distanceCode), 5);
    writer.bits(static_cast<std::uint32_t>(distance - distanceBase[distanceCode]),
                distanceExtraBits[distanceCode]);
}

// Chains of earlier positions that start with the same three bytes, newest first.
class MatchFinder {
public:
    explicit MatchFinder(std::span<const std::uint8_t> bytes)
        : bytes_(bytes)
        , newest_(std::size_t{1} << 15, none)
        , older_(windowSize, none) {}

    void insert(std::size_t position) {
        if (position + shortestMatch > bytes_.size()) {
            return;
        }
        const std::size_t key = hash(position);
        older_[position % windowSize] = newest_[key];
        newest_[key] = position;
    }

    // The longest earlier repeat of the bytes at position, as {length, distance}; length 0 if none.
    std::pair<std::size_t, std::size_t> longestRepeat(std::size_t position) const {
        std::pair<std::size_t, std::size_t> best{0, 0};
        if (position + shortestMatch > bytes_.size()) {
            return best;
        }
        const std::size_t limit = std::min(longestMatch, bytes_.size() - position);
        std::size_t candidate = newest_[hash(position)];
        for (int tries = 0; candidate != none && position - candidate <= windowSize && tries < longestChain;
             ++tries) {
            std::size_t length = 0;
            while (length < limit && bytes_[candidate + length] == bytes_[position + length]) {
                ++length;
            }
            if (length > best.first) {
                best = {length, position - candidate};
                if (length == limit) {
                    break;
                }
            }
            candidate = older_[candidate % windowSize];
        }
        return best.first >= shortestMatch ? best : std::pair<std::size_t, std::size_t>{0, 0};
    }

private:
    static constexpr std::size_t none = static_cast<std::size_t>(-1);

    std::size_t hash(std::size_t position) const {
        return (std::size_t{bytes_[position]} << 10 ^ std::size_t{bytes_[position + 1]} << 5 ^
                bytes_[position + 2]) &
               (newest_.size() - 1);
    }

    std::span<const std::uint8_t> bytes_;
    std::vector<std::size_t> newest_;
    std::vector<std::size_t> older_;
};

std::uint32_t adler32(std::span<const std::uint8_t> bytes) {
    constexpr std::uint32_t modulus = 65521;
    std::uint32_t low = 1;
    std::uint32_t high = 0;
    for (const std::uint8_t byte : bytes) {
        low = (low + byte) % modulus;
        high = (high + low) % modulus;
    }
    return high << 16 | low;
}

std::uint32_t crc32(std::span<const std::uint8_t> bytes) {
    std::uint32_t crc = 0xFFFFFFFF;
    for (const std::uint8_t byte : bytes) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc & 1) != 0 ? (crc >> 1) ^ 0xEDB88320 : crc >> 1;
        }
    }
    return crc ^ 0xFFFFFFFF;
}

void appendBigEndian32(std::vector<std::uint8_t>& bytes, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        bytes.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

void appendChunk(std::vector<std::uint8_t>& png, std::string_view type, std::span<const std::uint8_t> data) {
    appendBigEndian32(png, static_cast<std::uint32_t>(data.size()));
    const std::size_t typeStart = png.size();
    png.insert(png.end(), type.begin(), type.end());
    png.insert(png.end(), data.begin(), data.end());
    appendBigEndian32(png, crc32(std::span(png).subspan(typeStart)));
}

} // namespace

std::vector<std::uint8_t> zlibCompressed(std::span<const std::uint8_t> bytes) {
    // Deflate with a 32 KiB window; the check bits make the two header bytes a multiple of 31.
    std::vector<std::uint8_t> output{0x78, 0x9C};
    BitWriter writer(output);
    writer.bits(1, 1); // the last block
    writer.bits(1, 2); // compressed with the fixed codes
    MatchFinder finder(bytes);
    std::size_t position = 0;
    while (position < bytes.size()) {
        const auto [length, distance] = finder.longestRepeat(position);
        if (length == 0) {
            writeSymbol(writer, bytes[position]);
            finder.insert(position++);
            continue;
        }
        writeMatch(writer, length, distance);
        for (const std::size_t end = position + length; position < end; ++position) {
            finder.insert(position);
        }
    }
    writeSymbol(writer, endOfBlock);
    writer.flush();
    appendBigEndian32(output, adler32(bytes));
    return output;
}

std::vector<std::uint8_t> pngFile(const IconImage& image) {
    if (image.width < 1 || image.height < 1 ||
        image.pixels.size() !=
            static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height)) {
        throw std::invalid_argument("a PNG image needs a pixel for each place; not " +
                                    std::to_string(image.width) + " x " + std::to_string(image.height));
    }
    std::vector<std::uint8_t> header;
    appendBigEndian32(header, static_cast<std::uint32_t>(image.width));
    appendBigEndian32(header, static_cast<std::uint32_t>(image.height));
    header.insert(header.end(),
                  {8, 6, 0, 0, 0}); // 8 bits a channel, RGBA, deflate, no filter set, no interlace

    // Each row opens with its filter type, 0: the bytes as they are. The compressor finds the repeats itself.
    std::vector<std::uint8_t> rows;
    rows.reserve(static_cast<std::size_t>(image.height) * (1 + static_cast<std::size_t>(image.width) * 4));
    for (int y = 0; y < image.height; ++y) {
        rows.push_back(0);
        for (int x = 0; x < image.width; ++x) {
            const std::uint32_t argb = image.pixel(x, y);
            rows.insert(rows.end(),
                        {static_cast<std::uint8_t>(argb >> 16), static_cast<std::uint8_t>(argb >> 8),
                         static_cast<std::uint8_t>(argb), static_cast<std::uint8_t>(argb >> 24)});
        }
    }

    std::vector<std::uint8_t> png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    appendChunk(png, "IHDR", header);
    appendChunk(png, "IDAT", zlibCompressed(rows));
    appendChunk(png, "IEND", {});
    return png;
}

} // namespace brelvix
