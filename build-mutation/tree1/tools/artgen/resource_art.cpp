// Buttons, about picture and icon.
#include "resource_art.h"

#include "art_kit.h"

#include <QPainter>
#include <QRadialGradient>
#include <QtMath>

namespace artgen {

QImage WoodButton(const QString& label, bool pressed, int grainSeed) {
    QImage image(BUTTON_WIDTH, BUTTON_HEIGHT, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient wood(0, 0, 0, BUTTON_HEIGHT);
    wood.setColorAt(0, pressed ? QColor(132, 86, 40) : QColor(190, 138, 74));
    wood.setColorAt(1, pressed ? QColor(150, 102, 52) : QColor(118, 74, 32));
    p.fillRect(image.rect(), wood);
    // Grain: gentle waves, different for every button.
    for (int i = 0; i < 9; ++i) {
        QPainterPath line;
        const qreal y0 = 3 + i * 3.3;
        line.moveTo(0, y0);
        for (int x = 0; x <= BUTTON_WIDTH; x += 6)
            line.lineTo(x, y0 + 1.2 * qSin((x + grainSeed * 37 + i * 19) / 14.0));
        p.setPen(QPen(QColor(70, 40, 12, 50 + (i * 23 + grainSeed * 11) % 40), 1));
        p.drawPath(line);
    }
    // Bevel: light above, dark below; the other way round while pressed.
    const QColor high(255, 230, 180, 150), low(40, 20, 0, 170);
    p.setPen(QPen(pressed ? low : high, 2));
    p.drawLine(QPointF(1, 1), QPointF(BUTTON_WIDTH - 1, 1));
    p.drawLine(QPointF(1, 1), QPointF(1, BUTTON_HEIGHT - 2));
    p.setPen(QPen(pressed ? high : low, 2));
    p.drawLine(QPointF(1, BUTTON_HEIGHT - 2), QPointF(BUTTON_WIDTH - 1, BUTTON_HEIGHT - 2));
    p.drawLine(QPointF(BUTTON_WIDTH - 1, 1), QPointF(BUTTON_WIDTH - 1, BUTTON_HEIGHT - 2));
    if (!label.isEmpty()) {
        // The bottom row is hidden by the 31-pixel button: the label centres on the rest.
        const QRectF box(0, pressed ? 1 : 0, BUTTON_WIDTH, BUTTON_HEIGHT - 1);
        OutlinedText(p, box, label, SansFont(16, true), IVORY, QColor(50, 24, 0), 2.5);
    }
    p.end();
    return image;
}

QImage AboutPicture() {
    QImage image(92, 69, QImage::Format_RGB32);
    image.fill(QColor(236, 233, 216));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 60));
    p.drawPath(Diamond(4, 8, 86, 58));
    QLinearGradient rim(0, 4, 0, 64);
    rim.setColorAt(0, QColor(255, 226, 130));
    rim.setColorAt(1, QColor(140, 92, 20));
    p.setBrush(rim);
    p.drawPath(Diamond(2, 4, 86, 58));
    QRadialGradient face(36, 24, 50);
    face.setColorAt(0, QColor(255, 244, 190));
    face.setColorAt(0.5, QColor(232, 184, 72));
    face.setColorAt(1, QColor(168, 116, 30));
    p.setBrush(face);
    p.drawPath(Diamond(8, 8.5, 74, 49));
    p.setPen(QPen(QColor(255, 255, 255, 140), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(Diamond(14, 12.5, 62, 41));
    p.end();
    return image;
}

QImage Icon(int size) {
    QImage image = Canvas(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);
    QRadialGradient sea(32, 28, 40);
    sea.setColorAt(0, SEA.lighter(140));
    sea.setColorAt(1, SEA_DEEP);
    p.setPen(QPen(GOLD_DARK, 1.5));
    p.setBrush(sea);
    p.drawRoundedRect(QRectF(1.5, 1.5, 61, 61), 12, 12);
    p.setPen(Qt::NoPen);
    QLinearGradient rim(0, 12, 0, 54);
    rim.setColorAt(0, QColor(255, 226, 130));
    rim.setColorAt(1, QColor(140, 92, 20));
    p.setBrush(rim);
    p.drawPath(Diamond(5, 13, 54, 38));
    QRadialGradient face(26, 26, 30);
    face.setColorAt(0, QColor(255, 244, 190));
    face.setColorAt(1, QColor(200, 146, 44));
    p.setBrush(face);
    p.drawPath(Diamond(10, 16.5, 44, 31));
    p.end();
    return image;
}

QByteArray IconSvg() {
    // The shapes of Icon(), on its 64-unit grid.
    return QByteArrayLiteral(R"svg(<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" width="64" height="64" viewBox="0 0 64 64">
  <defs>
    <radialGradient id="sea" cx="32" cy="28" r="40" gradientUnits="userSpaceOnUse">
      <stop offset="0" stop-color="#16576a"/>
      <stop offset="1" stop-color="#061a20"/>
    </radialGradient>
    <linearGradient id="rim" x1="0" y1="12" x2="0" y2="54" gradientUnits="userSpaceOnUse">
      <stop offset="0" stop-color="#ffe282"/>
      <stop offset="1" stop-color="#8c5c14"/>
    </linearGradient>
    <radialGradient id="face" cx="26" cy="26" r="30" gradientUnits="userSpaceOnUse">
      <stop offset="0" stop-color="#fff4be"/>
      <stop offset="1" stop-color="#c8922c"/>
    </radialGradient>
  </defs>
  <rect x="1.5" y="1.5" width="61" height="61" rx="12" fill="url(#sea)" stroke="#785418" stroke-width="1.5"/>
  <path d="M32 13 L59 32 L32 51 L5 32 Z" fill="url(#rim)"/>
  <path d="M32 16.5 L54 32 L32 47.5 L10 32 Z" fill="url(#face)"/>
</svg>
)svg");
}

} // namespace artgen
