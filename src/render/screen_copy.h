// The picture as the window last showed it, and the parts a new frame changes: the presenters
// hand the window system only those.
#pragma once

#include "render/back_buffer.h"
#include "render/blitters.h"

#include <vector>

namespace zembro {

class ScreenCopy {
  public:
    ScreenCopy() : pixels_(static_cast<std::size_t>(SCREEN_WIDTH) * SCREEN_HEIGHT, 0) {}

    // Takes what the frame changed of the picture shown, looking only at the rows the composer
    // marked; gives the changed parts as bands of rows, each as wide as its changed columns.
    std::vector<Rect> Take(const BackBuffer& frame);

    // The picture, 800 x 600 5-5-5 pixels, top row first.
    const Pixel* Row(int y) const {
        return pixels_.data() + static_cast<std::size_t>(y) * SCREEN_WIDTH;
    }
    const std::vector<Pixel>& Pixels() const { return pixels_; }

  private:
    std::vector<Pixel> pixels_;
};

} // namespace zembro
