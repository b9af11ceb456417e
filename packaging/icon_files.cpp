// The icon files: the source icon read from its XPM, its pixel-exact enlargements, and the .ico container.
#include "packaging/icon_files.h"

#include <QBuffer>

#include <cstdint>

#include "window/brelvix_icon.xpm"

namespace brelvix {

namespace {

// The .ico header and directory are little-endian whatever the machine writing them.
void appendLittleEndian16(QByteArray& bytes, std::uint16_t value) {
    bytes.append(static_cast<char>(value & 0xFF));
    bytes.append(static_cast<char>(value >> 8));
}

void appendLittleEndian32(QByteArray& bytes, std::uint32_t value) {
    appendLittleEndian16(bytes, static_cast<std::uint16_t>(value & 0xFFFF));
    appendLittleEndian16(bytes, static_cast<std::uint16_t>(value >> 16));
}

constexpr std::uint16_t icoHeaderSize = 6;
constexpr std::uint16_t icoDirectoryEntrySize = 16;
constexpr std::uint16_t icoImageTypeIcon = 1;

} // namespace

QImage sourceIcon() {
    return QImage(brelvix_icon_xpm).convertToFormat(QImage::Format_ARGB32);
}

QImage pixelScaled(const QImage& icon, int factor) {
    // Qt's fast transformation takes the nearest source pixel, which at a whole factor repeats each pixel.
    return icon.scaled(icon.size() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

QByteArray pngBytes(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.convertToFormat(QImage::Format_ARGB32).save(&buffer, "PNG");
    return bytes;
}

QByteArray icoWithPngEntries(std::span<const QImage> images) {
    QByteArray header;
    appendLittleEndian16(header, 0);
    appendLittleEndian16(header, icoImageTypeIcon);
    appendLittleEndian16(header, static_cast<std::uint16_t>(images.size()));

    QByteArray imageData;
    const auto firstImageOffset =
        static_cast<std::uint32_t>(icoHeaderSize + images.size() * icoDirectoryEntrySize);
    for (const QImage& image : images) {
        const QByteArray png = pngBytes(image);
        // A width or height of 256 does not fit the entry's byte and is written as 0.
        header.append(static_cast<char>(image.width() & 0xFF));
        header.append(static_cast<char>(image.height() & 0xFF));
        header.append('\0');              // no palette
        header.append('\0');              // reserved
        appendLittleEndian16(header, 1);  // colour planes
        appendLittleEndian16(header, 32); // bits per pixel
        appendLittleEndian32(header, static_cast<std::uint32_t>(png.size()));
        appendLittleEndian32(header, firstImageOffset + static_cast<std::uint32_t>(imageData.size()));
        imageData.append(png);
    }
    return header + imageData;
}

} // namespace brelvix
