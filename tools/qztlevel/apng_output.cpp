#include "tools/qztlevel/apng_output.h"

#include <cstring>

#include "tools/qztlevel/png_chunks.h"

namespace qzt {
namespace {

bool samePixel(const RgbImage& a, const RgbImage& b, int x, int y) {
    return std::memcmp(a.row(y) + size_t(x) * 3, b.row(y) + size_t(x) * 3, 3) == 0;
}

// The smallest rectangle holding every pixel where the two differ; one pixel
// when none does, since a frame holds at least one.
PixelArea changedArea(const RgbImage& before, const RgbImage& after) {
    int top = -1, bottom = -1, left = after.width, right = -1;
    for (int y = 0; y < after.height; ++y) {
        if (std::memcmp(before.row(y), after.row(y), after.rowBytes()) == 0) continue;
        if (top < 0) top = y;
        bottom = y;
        for (int x = 0; x < left; ++x)
            if (!samePixel(before, after, x, y)) left = x;
        for (int x = after.width - 1; x > right; --x)
            if (!samePixel(before, after, x, y)) right = x;
    }
    if (top < 0) return {0, 0, 1, 1};
    return {left, top, right - left + 1, bottom - top + 1};
}

void appendBigEndian16(std::string& out, uint16_t value) {
    out += char(value >> 8);
    out += char(value);
}

}  // namespace

ApngEncoder::ApngEncoder(int framesPerSecond, int scale) : framesPerSecond_(framesPerSecond), scale_(scale) {}

// The frame's rectangle, in scaled pixels, and its delay. It stays in place
// under the next frame, whose rectangle replaces the pixels beneath it.
void ApngEncoder::appendFrameControl(PixelArea area) {
    std::string control;
    png::appendBigEndian(control, sequence_++);
    for (const int value : {area.width, area.height, area.x, area.y})
        png::appendBigEndian(control, uint32_t(value) * uint32_t(scale_));
    appendBigEndian16(control, 1);
    appendBigEndian16(control, uint16_t(framesPerSecond_));
    control += std::string("\0\0", 2);  // dispose: none; blend: source
    png::appendChunk(frames_, "fcTL", control);
}

bool ApngEncoder::add(const RgbImage& frame) {
    const bool first = frameCount_ == 0;
    const PixelArea area = first ? PixelArea{0, 0, frame.width, frame.height} : changedArea(previous_, frame);
    appendFrameControl(area);
    std::string pixels;
    // Unlike the first frame's IDAT, later frames' data chunks are numbered.
    if (!first) png::appendBigEndian(pixels, sequence_++);
    if (!png::compressRows(scaledUp(first ? frame : cropped(frame, area), scale_), pixels)) return false;
    png::appendChunk(frames_, first ? "IDAT" : "fdAT", pixels);
    previous_ = frame;
    ++frameCount_;
    return true;
}

std::string ApngEncoder::file() const {
    if (frameCount_ == 0) return {};
    std::string file = png::Signature;
    png::appendChunk(file, "IHDR", png::rgbHeader(previous_.width * scale_, previous_.height * scale_));
    std::string control;
    png::appendBigEndian(control, frameCount_);
    png::appendBigEndian(control, 0);  // plays: forever
    png::appendChunk(file, "acTL", control);
    file += frames_;
    png::appendChunk(file, "IEND", {});
    return file;
}

}  // namespace qzt
