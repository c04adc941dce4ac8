#include "edit/control_layout.h"

#include <algorithm>
#include <numeric>

namespace qzt {

int scaled(int units, int dpi) {
    const long long product = static_cast<long long>(units) * dpi;
    // Half a pixel away from zero, as MulDiv rounds.
    return static_cast<int>(product >= 0 ? (product + BaseDpi / 2) / BaseDpi : -((-product + BaseDpi / 2) / BaseDpi));
}

std::vector<PixelBox> layOutControls(const std::vector<ControlSpot>& spots, AxisScale x, AxisScale y) {
    std::vector<PixelBox> boxes(spots.size());
    std::vector<size_t> order(spots.size());
    std::iota(order.begin(), order.end(), size_t{0});
    // Rows top to bottom, each left to right.
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return spots[a].y < spots[b].y; });
    for (size_t first = 0; first < order.size();) {
        size_t end = first + 1;
        while (end < order.size() && spots[order[end]].y - spots[order[first]].y < RowTolerance) ++end;
        std::stable_sort(order.begin() + first, order.begin() + end,
                         [&](size_t a, size_t b) { return spots[a].x < spots[b].x; });
        int shift = 0;  // how far the row's text has pushed what follows
        for (size_t i = first; i < end; ++i) {
            const ControlSpot& spot = spots[order[i]];
            PixelBox& box = boxes[order[i]];
            box.left = x(spot.x) + shift;
            box.top = y(spot.y);
            box.height = y.dpi == BaseDpi ? spot.height : scaled(spot.height, y.dpi);
            box.width = std::max(scaled(spot.width, x.dpi), spot.needs);
            if (i + 1 == end) continue;
            // A control reaches no further than the next one on its row begins.
            int room = x(spots[order[i + 1]].x) + shift - box.left;
            if (spot.needs > room) {
                shift += spot.needs - room;
                room = spot.needs;
            }
            box.width = std::min(box.width, room);
        }
        first = end;
    }
    return boxes;
}

}  // namespace qzt
