// The PNG renditions of the program's icon that desktops on Linux show, made with Qt from the same pixels as
// the Windows .ico (packaging/icon_image.h).
#pragma once

#include "packaging/icon_image.h"

#include <QByteArray>
#include <QImage>

namespace brelvix {

// The pixels as a Qt image in 32-bit colour with transparency.
QImage toQImage(const IconImage& image);

// The image as PNG bytes, in 32-bit colour with transparency whatever its format; none if Qt cannot write it.
QByteArray pngBytes(const QImage& image);

} // namespace brelvix
