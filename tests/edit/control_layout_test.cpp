// Controls laid out at a DPI from their table: scaled, widened where their
// text needs it, the rest of the row moved along, and nothing overlapping.
#include <gtest/gtest.h>

#include <vector>

#include "edit/control_layout.h"

namespace qzt {
namespace {

TEST(ControlLayout, ScalesRoundingAsWindowsDoesAndMeasuresFromTheViewsFarSide) {
    EXPECT_EQ(scaled(10, 144), 15);
    EXPECT_EQ(scaled(15, 120), 19);  // 18.75
    EXPECT_EQ(scaled(-3, 144), -5);  // -4.5, away from zero
    const AxisScale x{192, 510, 1030};  // the view 500 x 2 wide from 20
    EXPECT_EQ(x(50), 100);
    EXPECT_EQ(x(525), 1060);
}

// A label reaches only to the next control on its row; text wider than that
// moves the rest of the row right. Rows are told by their tops, within a few
// units; each keeps its own shift.
TEST(ControlLayout, TextWiderThanItsRoomPushesTheRestOfItsRow) {
    const std::vector<ControlSpot> spots = {
        {50, 410, 150, 20, 0},     // a label with room to spare, reaching to the next
        {200, 410, 50, 20, 0},     // a value
        {275, 412, 75, 20, 90},    // a label too wide for the 75 before the next
        {350, 410, 25, 20, 40},    // the last: grows to its text
        {10, 10, 150, 20, 200},    // another row: pushes only its own
        {120, 10, 20, 20, 0},
    };
    const std::vector<PixelBox> boxes = layOutControls(spots, AxisScale{}, AxisScale{});
    const std::vector<PixelBox> expected = {
        {50, 410, 150, 20}, {200, 410, 50, 20}, {275, 412, 90, 20}, {365, 410, 40, 20},
        {10, 10, 200, 20}, {210, 10, 20, 20},
    };
    EXPECT_EQ(boxes, expected);
}

TEST(ControlLayout, AtTwiceTheDpiEverythingDoublesUnlessItsTextNeedsMore) {
    const std::vector<ControlSpot> spots = {{525, 10, 150, 20, 120}, {595, 10, 150, 20, 160}};
    const AxisScale x{192, 510, 1020};
    const std::vector<PixelBox> boxes = layOutControls(spots, x, AxisScale{192});
    const std::vector<PixelBox> expected = {{1050, 20, 140, 40}, {1190, 20, 300, 40}};
    EXPECT_EQ(boxes, expected);
}

}  // namespace
}  // namespace qzt
