// The background and the HUD pictures. Positions are those the game draws at and the zones it
// answers the mouse in, so the picture shows the player where to click.
#include "hud_art.h"

#include "art_kit.h"
#include "game/screen_layout.h"
#include "render/scene.h"

#include <QPainter>
#include <QRadialGradient>
#include <array>

namespace artgen {
namespace {

using zembro::DIGIT_OFFSET; // the glyphs where the scene cuts them from the strip
using zembro::DIGIT_WIDTH;
constexpr int DIGIT_HEIGHT = 28;

void Panel(QPainter& p, const QRectF& box, qreal radius) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 90));
    p.drawRoundedRect(box.translated(2, 3), radius, radius);
    QLinearGradient fill(box.topLeft(), box.bottomLeft());
    fill.setColorAt(0, QColor(34, 78, 86, 235));
    fill.setColorAt(1, QColor(10, 38, 46, 235));
    p.setBrush(fill);
    p.setPen(QPen(GOLD_DARK, 1.5));
    p.drawRoundedRect(box, radius, radius);
    p.setPen(QPen(QColor(255, 226, 150, 90), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(box.adjusted(3, 3, -3, -3), radius - 2, radius - 2);
    p.restore();
}

// A recessed slot for a counter's digits.
void DigitWell(QPainter& p, const QRectF& box) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0, 0, 0, 140), 1));
    p.setBrush(QColor(4, 16, 20, 200));
    p.drawRoundedRect(box, 5, 5);
    p.restore();
}

void Caption(QPainter& p, const QRectF& box, const QString& text, qreal size) {
    OutlinedText(p, box, text, SansFont(size, true), IVORY, QColor(0, 0, 0, 170), 2.5);
}

// A socket shaped like a cell, where a preview piece stands.
void PreviewSocket(QPainter& p, qreal x, qreal y) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(GOLD, 1.5));
    p.setBrush(QColor(0, 0, 0, 110));
    p.drawPath(Diamond(x, y));
    p.restore();
}

// A square button of the top strip, inclusive bounds as the game tests them.
void StripButton(QPainter& p, int left, int top, int right, int bottom) {
    const QRectF box(left + 0.5, top + 0.5, right - left, bottom - top);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient face(box.topLeft(), box.bottomLeft());
    face.setColorAt(0, QColor(70, 120, 126));
    face.setColorAt(1, QColor(22, 60, 68));
    p.setBrush(face);
    p.setPen(QPen(GOLD, 1.2));
    p.drawRoundedRect(box, 5, 5);
    p.restore();
}

} // namespace

QImage Background() {
    QImage image(800, 600, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient sea(400, 290, 520);
    sea.setColorAt(0, SEA.lighter(125));
    sea.setColorAt(0.6, SEA);
    sea.setColorAt(1, SEA_DEEP);
    p.fillRect(image.rect(), sea);

    // A faint lattice of the board's own diamonds over the whole sea.
    p.setPen(QPen(QColor(255, 255, 255, 14), 1));
    for (int k = -20; k <= 20; ++k) {
        p.drawLine(QPointF(402 + 98 * k - 800, 2 - 576), QPointF(402 + 98 * k + 800, 2 + 576));
        p.drawLine(QPointF(402 + 98 * k + 800, 2 - 576), QPointF(402 + 98 * k - 800, 2 + 576));
    }

    // The board's bed and a gold rim just outside its diamond.
    const QPolygonF board(
        {QPointF(402, 2), QPointF(795, 290), QPointF(402, 578), QPointF(10, 290)});
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 120));
    p.drawPolygon(board.translated(4, 6));
    p.setBrush(QColor(58, 40, 20));
    p.drawPolygon(board);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(GOLD, 2.5));
    p.drawPolygon(
        QPolygonF({QPointF(402, -1), QPointF(799, 290), QPointF(402, 581), QPointF(6, 290)}));

    // Top left: frames per second and seconds.
    Panel(p, QRectF(26, 20, 200, 88), 10);
    DigitWell(p, QRectF(140, 27, 76, 34));
    DigitWell(p, QRectF(125, 67, 76, 34));

    // Bottom left: the previews of the selected piece and of the target, and the pieces left.
    Panel(p, QRectF(12, 432, 282, 160), 12);
    PreviewSocket(p, 23, 466);
    PreviewSocket(p, 113, 465);
    Caption(p, QRectF(20, 548, 180, 26), QStringLiteral("Pedine"), 20);
    DigitWell(p, QRectF(205, 540, 80, 36));

    // Bottom right: the moves.
    Panel(p, QRectF(584, 496, 206, 92), 12);
    Caption(p, QRectF(592, 504, 174, 24), QStringLiteral("Mosse"), 20);
    DigitWell(p, QRectF(668, 528, 112, 36));

    // Top right: menu, minimise, pause and the grip that drags the window.
    const auto area = [](const zembro::ScreenRect& r) {
        return QRectF(r.left, r.top, r.Width(), r.Height());
    };
    Panel(p, area(zembro::STRIP_PANEL), 8);
    p.setPen(QPen(GOLD, 1));
    p.setBrush(QColor(120, 84, 24));
    p.drawRoundedRect(area(zembro::MENU_ZONE).adjusted(0, -0.5, -1, 0.5), 4, 4);
    OutlinedText(p, area(zembro::MENU_ZONE).adjusted(0, -1, 0, 1), QStringLiteral("MENU"),
                 SansFont(8, true), IVORY, Qt::transparent, 0);
    const zembro::ScreenRect& minimise = zembro::MINIMISE_ZONE;
    StripButton(p, minimise.left, minimise.top, minimise.right, minimise.bottom);
    p.fillRect(QRectF(minimise.left + 7, minimise.top + 19, 16, 4), IVORY);
    const zembro::ScreenRect& pause = zembro::PAUSE_ZONE;
    StripButton(p, pause.left, pause.top, pause.right, pause.bottom);
    p.fillRect(QRectF(pause.left + 9, pause.top + 7, 4, 16), IVORY);
    p.fillRect(QRectF(pause.left + 16, pause.top + 7, 4, 16), IVORY);
    // The grip's dots, three columns over the drag zone.
    p.setPen(Qt::NoPen);
    p.setBrush(GOLD);
    const zembro::ScreenRect& grip = zembro::DRAG_ZONE;
    for (int y = grip.top + 3; y <= grip.bottom - 3; y += 6)
        for (const int x : {grip.left + 4, grip.left + 9, grip.left + 14})
            p.drawEllipse(QPointF(x, y), 1.3, 1.3);
    p.end();
    return image;
}

QImage MenuStrip() {
    QImage canvas = Canvas(164, 24);
    QPainter p(&canvas);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient wood(0, 0, 0, 24);
    wood.setColorAt(0, QColor(178, 126, 62));
    wood.setColorAt(1, QColor(112, 70, 28));
    p.setBrush(wood);
    p.setPen(QPen(GOLD_DARK, 1));
    p.drawRoundedRect(QRectF(14.5, 0.5, 121, 23), 5, 5);
    OutlinedText(p, QRectF(14, 0, 122, 24), QStringLiteral("Menu \u25BE"), SansFont(14, true),
                 IVORY, QColor(60, 30, 0), 2);
    p.end();
    return Keyed(canvas);
}

QImage Pointer() {
    QImage canvas = Canvas(24, 32);
    QPainter p(&canvas);
    p.setRenderHint(QPainter::Antialiasing);
    QPolygonF arrow({QPointF(1, 1), QPointF(1, 22), QPointF(6, 17), QPointF(10, 26),
                     QPointF(14, 24), QPointF(10, 16), QPointF(17, 16)});
    p.setPen(QPen(INK, 1.6, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    QLinearGradient fill(0, 0, 14, 24);
    fill.setColorAt(0, QColor(255, 246, 220));
    fill.setColorAt(1, GOLD);
    p.setBrush(fill);
    p.drawPolygon(arrow);
    p.end();
    return Keyed(canvas);
}

QImage Label(const QString& text) {
    const QFont font = SansFont(22, true);
    const int width = qCeil(QFontMetricsF(font).horizontalAdvance(text)) + 8;
    QImage canvas = Canvas(width, DIGIT_HEIGHT);
    QPainter p(&canvas);
    OutlinedText(p, QRectF(0, 1, width, DIGIT_HEIGHT - 2), text, font, IVORY, QColor(0, 0, 0), 3);
    p.end();
    return Keyed(canvas);
}

QImage DigitStrip() {
    const int width = DIGIT_OFFSET[9] + DIGIT_WIDTH[9];
    QImage canvas = Canvas(width, DIGIT_HEIGHT);
    QPainter p(&canvas);
    QFont font = SansFont(26, true);
    font.setStretch(QFont::SemiCondensed);
    for (std::size_t d = 0; d < 10; ++d) {
        // Each glyph keeps its top-left pixel clear: the game keys every glyph on it.
        const QRectF cell(DIGIT_OFFSET[d], 1, DIGIT_WIDTH[d], DIGIT_HEIGHT - 1);
        QLinearGradient gold(0, 2, 0, DIGIT_HEIGHT);
        gold.setColorAt(0, QColor(255, 240, 190));
        gold.setColorAt(1, GOLD);
        p.save();
        p.setClipRect(cell.adjusted(0, 0, 0, 0));
        QPainterPath glyph;
        const QString text = QString::number(static_cast<int>(d));
        const QRectF bounds = QFontMetricsF(font).tightBoundingRect(text);
        glyph.addText(cell.center() - bounds.center(), font, text);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(20, 10, 0), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(glyph);
        p.setPen(Qt::NoPen);
        p.setBrush(gold);
        p.drawPath(glyph);
        p.restore();
    }
    p.end();
    return Keyed(canvas);
}

QImage PauseMark() {
    QImage canvas = Canvas(16, 32);
    QPainter p(&canvas);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(60, 20, 0), 1.5));
    p.setBrush(QColor(255, 170, 40));
    p.drawRoundedRect(QRectF(1.5, 6.5, 5, 20), 1.5, 1.5);
    p.drawRoundedRect(QRectF(8.5, 6.5, 5, 20), 1.5, 1.5);
    p.end();
    return Keyed(canvas);
}

QImage MinimiseMark() {
    QImage canvas = Canvas(24, 24);
    QPainter p(&canvas);
    p.fillRect(QRectF(4, 16, 16, 4), IVORY);
    p.end();
    return Keyed(canvas);
}

} // namespace artgen
