// Shared means of the default pictures: the key colour, keyed conversion, fonts, the tile shape
// and the palette of the theme.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainterPath>
#include <QString>

class QPainter;

namespace artgen {

// Pixels of this colour are not drawn by the game (every sprite's key is its bottom-left pixel).
inline const QColor KEY(255, 0, 255);

// The theme.
inline const QColor SEA_DEEP(6, 26, 32), SEA(16, 62, 72), GOLD(224, 178, 74),
    GOLD_DARK(120, 84, 24), IVORY(246, 236, 210), INK(26, 20, 14);
inline const QColor TILE_LIGHT(236, 214, 170), TILE_DARK(176, 138, 92);

// A transparent canvas to paint on with antialiasing.
QImage Canvas(int width, int height);

// A painted canvas turned into a keyed sprite: pixels at least half covered keep their colour,
// the rest become the key colour. No pixel of the picture is left equal to the key.
QImage Keyed(const QImage& canvas);

// The font families loaded from the system's DejaVu files; empty when they are missing.
bool LoadFonts(QString& error);
QFont SansFont(qreal pixelSize, bool bold);

// Text filled with `fill` and outlined with `outline`, centred in `box`.
void OutlinedText(QPainter& p, const QRectF& box, const QString& text, const QFont& font,
                  const QColor& fill, const QColor& outline, qreal outlineWidth);

// The cell's diamond inside a 98 x 72 box at (x, y): vertices on the middles of the box's edges.
QPainterPath Diamond(qreal x, qreal y, qreal width = 98, qreal height = 72);

// A raised sandstone tile filling the 98 x 72 box at (x, y), lit from the top left.
void PaintTile(QPainter& p, qreal x, qreal y, const QColor& light, const QColor& dark);

} // namespace artgen
