// Writing pictures as uncompressed BMP files, 24-bit or 8-bit with a palette.
#pragma once

#include <QImage>
#include <QString>

namespace artgen {

// Bottom-up 24-bit rows, padded to 4 bytes.
bool WriteBmp24(const QString& path, const QImage& image);

// 8-bit with the picture's own palette when it has at most 256 colours (colours that the
// game's 16-bit conversion cannot tell apart are merged first); otherwise 24-bit.
bool WriteBmp8(const QString& path, const QImage& image);

} // namespace artgen
