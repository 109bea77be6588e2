// Tiles, tokens and the fixed block.
#include "piece_art.h"

#include "art_kit.h"

#include <QPainter>
#include <QRadialGradient>

namespace artgen {
namespace {

struct Kind {
    const char16_t* symbol;
    QColor colour;
};

// Every kind differs from every other in both colour and symbol.
const Kind KINDS[PIECE_KINDS] = {
    {u"\u2605", QColor(220, 40, 40)},   // star, red
    {u"\u2665", QColor(240, 98, 146)},  // heart, pink
    {u"\u2666", QColor(30, 110, 230)},  // diamond, blue
    {u"\u2663", QColor(46, 160, 60)},   // club, green
    {u"\u2660", QColor(34, 34, 40)},    // spade, black
    {u"\u2600", QColor(255, 179, 0)},   // sun, amber
    {u"\u2602", QColor(120, 60, 200)},  // umbrella, violet
    {u"\u2696", QColor(0, 188, 212)},   // scales, cyan
    {u"\u2618", QColor(160, 210, 50)},  // shamrock, lime
    {u"\u266B", QColor(180, 40, 160)},  // notes, purple
    {u"\u2693", QColor(20, 40, 120)},   // anchor, navy
    {u"\u273F", QColor(235, 235, 225)}, // flower, white
    {u"\u2744", QColor(120, 200, 250)}, // snowflake, sky
    {u"\u262F", QColor(128, 128, 128)}, // yin-yang, grey
    {u"\u265E", QColor(120, 80, 50)},   // knight, brown
    {u"\u265C", QColor(0, 128, 110)},   // rook, teal
    {u"\u265B", QColor(190, 160, 40)},  // queen, gold
    {u"\u2691", QColor(245, 110, 20)},  // flag, orange
    {u"\u2708", QColor(170, 150, 230)}, // plane, lavender
    {u"\u260E", QColor(20, 90, 40)},    // telephone, dark green
    {u"\u2694", QColor(120, 20, 30)},   // swords, maroon
    {u"\u2615", QColor(200, 160, 110)}, // coffee, beige
    {u"\u2702", QColor(64, 224, 208)},  // scissors, turquoise
    {u"\u2699", QColor(84, 110, 122)},  // gear, slate
    {u"\u262E", QColor(218, 112, 214)}, // peace, orchid
    {u"\u2668", QColor(191, 54, 12)},   // hot springs, rust
    {u"\u26A1", QColor(253, 230, 53)},  // lightning, yellow
    {u"\u271A", QColor(250, 128, 114)}, // cross, salmon
    {u"\u263E", QColor(40, 40, 110)},   // moon, midnight
    {u"\u266A", QColor(0, 200, 120)},   // note, emerald
    {u"\u2620", QColor(70, 70, 70)},    // skull, charcoal
    {u"\u2709", QColor(255, 190, 140)}, // letter, peach
};

// Light colours carry a dark symbol, dark ones a light symbol.
bool IsLight(const QColor& c) {
    return 0.299 * c.red() + 0.587 * c.green() + 0.114 * c.blue() > 170;
}

void PaintToken(QPainter& p, const QColor& colour, const QString& symbol) {
    const QRectF top(18, 22, 62, 38); // the token's upper face
    const qreal thickness = 12;
    p.setRenderHint(QPainter::Antialiasing);
    // A soft shadow on the tile.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 24, 8, 110));
    p.drawEllipse(top.translated(3, thickness + 3));
    // The side of the cylinder.
    QPainterPath side;
    side.addRect(QRectF(top.left(), top.center().y(), top.width(), thickness));
    side.addEllipse(top.translated(0, thickness));
    QLinearGradient sideShade(top.left(), 0, top.right(), 0);
    sideShade.setColorAt(0, colour.darker(190));
    sideShade.setColorAt(0.35, colour.darker(130));
    sideShade.setColorAt(1, colour.darker(230));
    p.setBrush(sideShade);
    p.drawPath(side.simplified());
    // The face, lit from the top left, with a thin bright rim.
    QRadialGradient face(top.center() - QPointF(12, 9), top.width() * 0.75);
    face.setColorAt(0, colour.lighter(145));
    face.setColorAt(0.6, colour);
    face.setColorAt(1, colour.darker(125));
    p.setBrush(face);
    p.setPen(QPen(colour.lighter(170), 1.2));
    p.drawEllipse(top);
    // The symbol, squashed like the face it lies on.
    const bool light = IsLight(colour);
    p.save();
    p.translate(top.center());
    p.scale(1.0, 0.8);
    OutlinedText(p, QRectF(-30, -24, 60, 48), symbol, SansFont(38, true), light ? INK : IVORY,
                 light ? QColor(255, 255, 255, 150) : QColor(0, 0, 0, 160), 2.2);
    p.restore();
}

} // namespace

QImage EmptyCell() {
    QImage canvas = Canvas(CELL_WIDTH, CELL_HEIGHT);
    QPainter p(&canvas);
    PaintTile(p, 0, 0, TILE_LIGHT.darker(112), TILE_DARK.darker(118));
    p.end();
    return Keyed(canvas);
}

QImage HighlightCell(const QColor& glow) {
    QImage canvas = Canvas(CELL_WIDTH, CELL_HEIGHT);
    QPainter p(&canvas);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(glow.darker(150));
    p.drawPath(Diamond(0, 0));
    QRadialGradient shine(49, 36, 52);
    shine.setColorAt(0, glow.lighter(160));
    shine.setColorAt(0.7, glow);
    shine.setColorAt(1, glow.darker(120));
    p.setBrush(shine);
    p.drawPath(Diamond(5, 3.5, 88, 65));
    p.end();
    return Keyed(canvas);
}

QImage Piece(int kind) {
    const Kind& k = KINDS[(kind - 1) % PIECE_KINDS];
    QImage canvas = Canvas(CELL_WIDTH, CELL_HEIGHT + PIECE_RISE);
    QPainter p(&canvas);
    PaintTile(p, 0, PIECE_RISE, TILE_LIGHT, TILE_DARK);
    PaintToken(p, k.colour, QString::fromUtf16(k.symbol));
    p.end();
    return Keyed(canvas);
}

QImage FixedCell() {
    QImage canvas = Canvas(CELL_WIDTH, CELL_HEIGHT + PIECE_RISE);
    QPainter p(&canvas);
    PaintTile(p, 0, PIECE_RISE, QColor(150, 150, 156), QColor(84, 84, 92));
    p.setRenderHint(QPainter::Antialiasing);
    // A granite block standing on the tile: its top diamond and two visible sides.
    const qreal h = 20;
    const QPointF top(49, 14), right(83, 38), bottom(49, 62), left(15, 38);
    QPainterPath leftSide, rightSide, cap;
    leftSide.moveTo(left);
    leftSide.lineTo(bottom);
    leftSide.lineTo(bottom + QPointF(0, h));
    leftSide.lineTo(left + QPointF(0, h));
    leftSide.closeSubpath();
    rightSide.moveTo(bottom);
    rightSide.lineTo(right);
    rightSide.lineTo(right + QPointF(0, h));
    rightSide.lineTo(bottom + QPointF(0, h));
    rightSide.closeSubpath();
    cap.moveTo(top);
    cap.lineTo(right);
    cap.lineTo(bottom);
    cap.lineTo(left);
    cap.closeSubpath();
    p.setPen(QPen(QColor(30, 30, 36), 1.2));
    p.setBrush(QColor(92, 92, 102));
    p.drawPath(leftSide);
    p.setBrush(QColor(62, 62, 72));
    p.drawPath(rightSide);
    QLinearGradient capShade(left, right);
    capShade.setColorAt(0, QColor(176, 176, 186));
    capShade.setColorAt(1, QColor(118, 118, 130));
    p.setBrush(capShade);
    p.drawPath(cap);
    // Four rivets and a bar across the cap: plainly not a piece.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 60, 70));
    for (const QPointF& rivet :
         {QPointF(49, 22), QPointF(73, 38), QPointF(49, 54), QPointF(25, 38)})
        p.drawEllipse(rivet, 3, 2.2);
    p.setPen(QPen(QColor(52, 52, 60), 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(35, 30), QPointF(63, 46));
    p.drawLine(QPointF(63, 30), QPointF(35, 46));
    p.end();
    return Keyed(canvas);
}

} // namespace artgen
