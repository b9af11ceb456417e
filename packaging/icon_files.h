// The icon files made from the window's pixel-art icon: PNG renditions enlarged by whole factors, and a
// Windows .ico that holds them.
#pragma once

#include <QByteArray>
#include <QImage>

#include <span>

namespace brelvix {

// The window's icon as drawn in its source, in 32-bit colour with transparency.
QImage sourceIcon();

// The icon enlarged so that every pixel becomes a factor × factor block: pixel art scaled any other way
// blurs.
QImage pixelScaled(const QImage& icon, int factor);

// The image as PNG bytes, in 32-bit colour with transparency whatever its format.
QByteArray pngBytes(const QImage& image);

// A .ico file whose entries are the images as PNG, which Windows reads since Vista. Each image is square
// and at most 256 pixels wide, the most an entry can describe.
QByteArray icoWithPngEntries(std::span<const QImage> images);

} // namespace brelvix
