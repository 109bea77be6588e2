// Painting helpers of the default pictures.
#include "art_kit.h"

#include <QFontDatabase>
#include <QLinearGradient>
#include <QPainter>

namespace artgen {
namespace {
QString sansFamily, sansBoldFamily;
}

QImage Canvas(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QImage Keyed(const QImage& canvas) {
    const QImage straight = canvas.convertToFormat(QImage::Format_ARGB32);
    QImage out(straight.size(), QImage::Format_RGB32);
    for (int y = 0; y < straight.height(); ++y) {
        const QRgb* from = reinterpret_cast<const QRgb*>(straight.constScanLine(y));
        QRgb* to = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < straight.width(); ++x) {
            if (qAlpha(from[x]) < 128) {
                to[x] = KEY.rgb();
                continue;
            }
            int r = qRed(from[x]), g = qGreen(from[x]), b = qBlue(from[x]);
            // The game compares 5-bit channels: keep the picture away from the key there.
            if ((r >> 3) == 31 && (g >> 3) == 0 && (b >> 3) == 31)
                g = 8;
            to[x] = qRgb(r, g, b);
        }
    }
    return out;
}

bool LoadFonts(QString& error) {
    const QString folder = QStringLiteral("/usr/share/fonts/truetype/dejavu/");
    const int regular = QFontDatabase::addApplicationFont(folder + "DejaVuSans.ttf");
    const int bold = QFontDatabase::addApplicationFont(folder + "DejaVuSans-Bold.ttf");
    if (regular < 0 || bold < 0) {
        error = "the DejaVu Sans fonts are missing from " + folder + " (package fonts-dejavu-core)";
        return false;
    }
    sansFamily = QFontDatabase::applicationFontFamilies(regular).value(0);
    sansBoldFamily = QFontDatabase::applicationFontFamilies(bold).value(0);
    return true;
}

QFont SansFont(qreal pixelSize, bool bold) {
    QFont font(bold ? sansBoldFamily : sansFamily);
    font.setPixelSize(qRound(pixelSize));
    font.setBold(bold);
    font.setStyleStrategy(QFont::PreferAntialias);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

void OutlinedText(QPainter& p, const QRectF& box, const QString& text, const QFont& font,
                  const QColor& fill, const QColor& outline, qreal outlineWidth) {
    QPainterPath path;
    const QFontMetricsF metrics(font);
    const QRectF bounds = metrics.tightBoundingRect(text);
    const QPointF origin(box.center().x() - bounds.center().x(),
                         box.center().y() - bounds.center().y());
    path.addText(origin, font, text);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    if (outlineWidth > 0) {
        p.setPen(QPen(outline, outlineWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(path);
    p.restore();
}

QPainterPath Diamond(qreal x, qreal y, qreal width, qreal height) {
    QPainterPath path;
    path.moveTo(x + width / 2, y);
    path.lineTo(x + width, y + height / 2);
    path.lineTo(x + width / 2, y + height);
    path.lineTo(x, y + height / 2);
    path.closeSubpath();
    return path;
}

void PaintTile(QPainter& p, qreal x, qreal y, const QColor& light, const QColor& dark) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    // The rim: lighter on the upper edges, darker on the lower ones.
    QLinearGradient rim(x, y, x, y + 72);
    rim.setColorAt(0, light.lighter(118));
    rim.setColorAt(1, dark.darker(150));
    p.setBrush(rim);
    p.drawPath(Diamond(x, y, 98, 72));
    // The face, inset.
    QLinearGradient face(x + 20, y + 10, x + 78, y + 62);
    face.setColorAt(0, light);
    face.setColorAt(1, dark);
    p.setBrush(face);
    p.drawPath(Diamond(x + 6, y + 4.5, 86, 63));
    // A fine engraved line around the face.
    p.setPen(QPen(QColor(255, 255, 255, 60), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(Diamond(x + 11, y + 8, 76, 56));
    p.restore();
}

} // namespace artgen
