#include "edit/scrolling.h"

#include <algorithm>

#include "edit/view_geometry.h"

namespace qzt {
namespace {

constexpr int PageSize = 15;

// A thumb reports a position inside the bar's range; anything else is held to it.
int within(int position, int maximum) { return std::clamp(position, 0, std::max(0, maximum)); }

}  // namespace

int horizontalScroll(int code, int position, int thumb) {
    switch (code) {
    case LineBack: return position > 0 ? position - 1 : position;
    case LineForward: return position < HorizontalScrollMax ? position + 1 : position;
    case PageBack: return position < PageSize ? 0 : position - PageSize;
    case PageForward: return position > HorizontalScrollMax - PageSize ? HorizontalScrollMax : position + PageSize;
    case ThumbTrack: return within(thumb, HorizontalScrollMax);
    default: return position;
    }
}

int verticalScroll(int code, int position, int thumb, int maximum) {
    int next = position;
    switch (code) {
    case LineBack: next = position > 0 ? position - 1 : position; break;
    case LineForward: next = position < maximum ? position + 1 : position; break;
    case PageBack: next = position < PageSize ? 0 : position - PageSize; break;
    case PageForward: next = std::min(position + PageSize, maximum); break;
    case ThumbTrack: next = thumb; break;
    default: break;
    }
    // A shorter bitmap since the last scroll leaves nothing beyond its end.
    return within(next, maximum);
}

Scroll scrollShowing(int64_t levelX, int64_t levelY, int verticalMaximum) {
    const int64_t h = std::clamp<int64_t>(levelX - ViewWidth / 2, 0, HorizontalScrollMax);
    const int64_t v = std::clamp<int64_t>(levelY - ViewHeight / 2, 0, std::max(0, verticalMaximum));
    return {int(h), int(v)};
}

int verticalScrollMax(int32_t bitmapHeight) {
    return int(std::max<int64_t>(0, bitmapRows(bitmapHeight) - VerticalScrollMargin));
}

}  // namespace qzt
