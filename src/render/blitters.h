// The five pixel routines that do all the drawing: keyed copies of whole sprites and of glyphs
// from a strip, half-blended overlays, and the save/restore of the rectangle
// under the software pointer. Either image may hold its rows in either order.
// Positions are the top-left corner in destination pixels, y downward. Every routine stays
// inside the destination and inside the source, whatever the position and sub-rectangle.
#pragma once

#include "render/image_view.h"

namespace zembro {

// A rectangle of destination pixels, right and bottom excluded.
struct Rect {
    int left, top, right, bottom;
    bool Empty() const { return right <= left || bottom <= top; }
};

// The part of a w x h rectangle at (x, y) that lies inside a width x height image; empty when
// none does.
Rect Clip(int x, int y, int w, int h, int width, int height);

// The whole source, skipping pixels equal to its first stored pixel (the bottom-left one of a
// bottom-up picture). Gives false when nothing of it is visible.
bool DrawKeyed(PixelView dst, int x, int y, ConstPixelView src);

// The sub-rectangle (sx, sy, w, h) of the source (sy counted from its top; 0 for w or h means
// the whole width or height), skipping pixels equal to the one at (sx, sy).
void DrawGlyph(PixelView dst, int x, int y, ConstPixelView src, int sx, int sy, int w, int h);

// The whole source, each drawn pixel averaged with the destination, skipping pixels equal to
// the source's top-left one. Clipping at the top or left makes the first visible pixel the key.
void DrawBlended(PixelView dst, int x, int y, ConstPixelView src);

// Copies the screen rectangle at (x, y) of the buffer's size into the buffer, or back.
bool SaveUnder(ConstPixelView screen, int x, int y, PixelView buffer);
bool RestoreUnder(PixelView screen, int x, int y, ConstPixelView buffer);

// Half of each channel of `s` plus half of each channel of `d`: no carry between channels.
constexpr Pixel BlendPixels(Pixel s, Pixel d) {
    return static_cast<Pixel>(((s >> 1) & 0x7DEF) + ((d >> 1) & 0x7DEF));
}

} // namespace zembro
