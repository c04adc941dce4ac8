#include "render/canvas.h"

#include <algorithm>
#include <cstring>

namespace qzt {
namespace {

struct Span {
    int64_t first, end;  // [first, end)
    bool empty() const { return first >= end; }
};

Span intersect(Span a, Span b) { return {std::max(a.first, b.first), std::min(a.end, b.end)}; }

// The steps i of a walk start + step * i that stay inside [0, size).
Span stepsInside(int64_t start, int step, int64_t size) {
    if (step == 0) return start >= 0 && start < size ? Span{INT64_MIN, INT64_MAX} : Span{0, 0};
    if (step > 0) return {-start, size - start};
    return {start - size + 1, start + 1};
}

int signOf(int64_t v) { return (v > 0) - (v < 0); }

void plot(Canvas canvas, int64_t clientX, int64_t clientY, Rgb colour) {
    const int64_t x = clientX - canvas.left, y = clientY - canvas.top;
    if (x >= 0 && y >= 0 && x < canvas.image.width && y < canvas.image.height) canvas.image.set(int(x), int(y), colour);
}

constexpr Rgb White{255, 255, 255};
// The 6 x 6 circle: 'o' the pen, '#' the brush.
constexpr const char* StopCircle[6] = {".oooo.", "o####o", "o####o", "o####o", "o####o", ".oooo."};

}  // namespace

Rgb rgbOf(Colour colour) { return {uint8_t(colour), uint8_t(colour >> 8), uint8_t(colour >> 16)}; }

void copyPixels(Canvas canvas, const RgbImage& bitmap, const BitmapCopy& copy) {
    // Destination columns and rows inside the canvas and over source pixels.
    const int64_t shiftX = int64_t(copy.sourceX) - copy.x, shiftY = int64_t(copy.sourceY) - copy.y;
    Span columns = intersect({copy.x, int64_t(copy.x) + copy.width},
                             {canvas.left, int64_t(canvas.left) + canvas.image.width});
    columns = intersect(columns, {-shiftX, bitmap.width - shiftX});
    Span rows = intersect({copy.y, int64_t(copy.y) + copy.height},
                          {canvas.top, int64_t(canvas.top) + canvas.image.height});
    rows = intersect(rows, {-shiftY, bitmap.height - shiftY});
    if (columns.empty() || rows.empty()) return;
    const size_t bytes = size_t(columns.end - columns.first) * 3;
    for (int64_t y = rows.first; y < rows.end; ++y) {
        const uint8_t* from = bitmap.row(int(y + shiftY)) + size_t(columns.first + shiftX) * 3;
        std::memcpy(canvas.image.row(int(y - canvas.top)) + size_t(columns.first - canvas.left) * 3, from, bytes);
    }
}

void drawLine(Canvas canvas, ClientPoint from, ClientPoint to, Rgb colour) {
    const int64_t dx = int64_t(to.x) - from.x, dy = int64_t(to.y) - from.y;
    const int stepX = signOf(dx), stepY = signOf(dy);
    Span steps{0, std::max(dx * stepX, dy * stepY)};
    steps = intersect(steps, stepsInside(int64_t(from.x) - canvas.left, stepX, canvas.image.width));
    steps = intersect(steps, stepsInside(int64_t(from.y) - canvas.top, stepY, canvas.image.height));
    for (int64_t i = steps.first; i < steps.end; ++i)
        plot(canvas, from.x + stepX * i, from.y + stepY * i, colour);
}

void drawRectangle(Canvas canvas, const PlanRectangle& r, Rgb colour) {
    const ClientPoint corners[5] = {{r.left, r.top}, {r.right, r.top}, {r.right, r.bottom}, {r.left, r.bottom},
                                    {r.left, r.top}};
    for (int i = 1; i < 5; ++i) drawLine(canvas, corners[i - 1], corners[i], colour);
}

void drawStopCircle(Canvas canvas, const PreviewStroke& stroke, Rgb colour) {
    for (int row = 0; row < 6; ++row)
        for (int column = 0; column < 6; ++column) {
            const char kind = StopCircle[row][column];
            if (kind != '.')
                plot(canvas, int64_t(stroke.left) + column, int64_t(stroke.top) + row, kind == 'o' ? colour : White);
        }
}

}  // namespace qzt
