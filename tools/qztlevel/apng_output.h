// Animated PNG files (APNG) that loop forever, as browsers play them: the
// first frame whole, each later one as the rectangle where it differs from
// the frame before, put in place over it.
#pragma once

#include <cstdint>
#include <string>

#include "gfx/rgb_image.h"

namespace qzt {

class ApngEncoder {
public:
    // Each frame is shown for 1 / framesPerSecond of a second and each of its
    // pixels as a scale x scale block.
    ApngEncoder(int framesPerSecond, int scale);

    // Adds the next frame, of the first one's size. False for a frame without
    // pixels or when compression fails: the file is then of no use.
    bool add(const RgbImage& frame);
    // The file of the frames added; empty before the first.
    std::string file() const;

private:
    void appendFrameControl(PixelArea area);

    int framesPerSecond_;
    int scale_;
    uint32_t frameCount_ = 0;
    uint32_t sequence_ = 0;  // fcTL and fdAT chunks share one count
    RgbImage previous_;
    std::string frames_;  // every frame's fcTL and pixel chunks, in order
};

}  // namespace qzt
