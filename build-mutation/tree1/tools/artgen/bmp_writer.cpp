// The BMP files of the default pictures: a 14-byte file header, a 40-byte info header, an
// optional palette and bottom-up rows.
#include "bmp_writer.h"

#include <QFile>
#include <QHash>
#include <QVector>

namespace artgen {
namespace {

void Put16(QByteArray& out, quint16 v) {
    out.append(char(v & 0xFF));
    out.append(char(v >> 8));
}
void Put32(QByteArray& out, quint32 v) {
    for (int i = 0; i < 4; ++i)
        out.append(char((v >> (8 * i)) & 0xFF));
}

QByteArray Headers(int width, int height, int bits, int paletteSize, int stride) {
    const quint32 pixelOffset = 14 + 40 + quint32(paletteSize) * 4;
    const quint32 imageSize = quint32(stride) * quint32(height);
    QByteArray out;
    out.append("BM");
    Put32(out, pixelOffset + imageSize);
    Put32(out, 0);
    Put32(out, pixelOffset);
    Put32(out, 40);
    Put32(out, quint32(width));
    Put32(out, quint32(height));
    Put16(out, 1);
    Put16(out, quint16(bits));
    Put32(out, 0);
    Put32(out, imageSize);
    Put32(out, 2835);
    Put32(out, 2835);
    Put32(out, quint32(paletteSize));
    Put32(out, 0);
    return out;
}

bool Save(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size() && file.flush();
}

} // namespace

bool WriteBmp24(const QString& path, const QImage& source) {
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const int stride = (image.width() * 3 + 3) & ~3;
    QByteArray out = Headers(image.width(), image.height(), 24, 0, stride);
    for (int y = image.height() - 1; y >= 0; --y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            out.append(char(qBlue(row[x])));
            out.append(char(qGreen(row[x])));
            out.append(char(qRed(row[x])));
        }
        out.append(QByteArray(stride - image.width() * 3, '\0'));
    }
    return Save(path, out);
}

bool WriteBmp8(const QString& path, const QImage& source) {
    QImage image = source.convertToFormat(QImage::Format_RGB32);
    QHash<QRgb, int> index;
    QVector<QRgb> palette;
    for (int pass = 0; pass < 2; ++pass) {
        index.clear();
        palette.clear();
        for (int y = 0; y < image.height() && palette.size() <= 256; ++y) {
            const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                if (!index.contains(row[x])) {
                    index.insert(row[x], int(palette.size()));
                    palette.append(row[x]);
                }
            }
        }
        if (palette.size() <= 256)
            break;
        // Keep only what the game's conversion keeps: the top five bits of each channel.
        for (int y = 0; y < image.height(); ++y) {
            QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x)
                row[x] = qRgb(qRed(row[x]) & 0xF8, qGreen(row[x]) & 0xF8, qBlue(row[x]) & 0xF8);
        }
    }
    if (palette.size() > 256)
        return WriteBmp24(path, source);

    const int stride = (image.width() + 3) & ~3;
    QByteArray out = Headers(image.width(), image.height(), 8, int(palette.size()), stride);
    for (const QRgb c : palette) {
        out.append(char(qBlue(c)));
        out.append(char(qGreen(c)));
        out.append(char(qRed(c)));
        out.append('\0');
    }
    for (int y = image.height() - 1; y >= 0; --y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            out.append(char(index.value(row[x])));
        out.append(QByteArray(stride - image.width(), '\0'));
    }
    return Save(path, out);
}

} // namespace artgen
