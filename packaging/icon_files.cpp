// The icon's pixels handed to Qt, and written as PNG.
#include "packaging/icon_files.h"

#include <QBuffer>

namespace brelvix {

QImage toQImage(const IconImage& image) {
    QImage result(image.width, image.height, QImage::Format_ARGB32);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            result.setPixel(x, y, image.pixel(x, y));
        }
    }
    return result;
}

QByteArray pngBytes(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.convertToFormat(QImage::Format_ARGB32).save(&buffer, "PNG")) {
        return {};
    }
    return bytes;
}

} // namespace brelvix
