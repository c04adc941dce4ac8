#include "render/level_render.h"

#include <gtest/gtest.h>

#include <sstream>
#include <utility>
#include <vector>

namespace qzt {
namespace {

using Point = std::pair<int, int>;
constexpr Rgb Black{0, 0, 0};
constexpr Rgb White{255, 255, 255};

// Pixel (x, y) of the traceable bitmap tells its own position (x, y < 1024).
Rgb traceColour(int x, int y) {
    return {uint8_t(x), uint8_t(y), uint8_t(0x80 | (x >> 8 & 3) | (y >> 8 & 3) << 2)};
}
Point traceSource(Rgb c) {
    if ((c.blue & 0xF0) != 0x80) return {-1, -1};
    return {c.red | (c.blue & 3) << 8, c.green | (c.blue >> 2 & 3) << 8};
}

RgbImage traceableBitmap(int width, int height) {
    RgbImage bitmap(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) bitmap.set(x, y, traceColour(x, y));
    return bitmap;
}

// An enemy at level (levelX, levelY) whose first frame is at bitmap (x, y).
struct Copy { int levelX, levelY, x, y, width, height; };

ImageSet imageSet(int x, int y, int width, int height, int frames = 1) { return {x, y, width, height, frames, 0, 1}; }
Enemy enemy(int x, int y, int set, int speed = 1, int program = -1) { return {x, y, set, 0, 1, speed, program, 1}; }

// Overlaps, an unused enemy, image sets unused and out of range, a frame past
// the view's right edge, and one whose copy reaches past the bitmap's corner.
LevelDocument overlappingLevel() {
    LevelDocument doc;
    doc.loaded = 1;
    doc.imageSets[0] = imageSet(1, 198, 40, 50);
    doc.imageSets[1] = imageSet(300, 400, 30, 20);
    doc.imageSets[2] = imageSet(200, 250, 60, 60);
    doc.imageSets[3] = imageSet(620, 790, 30, 20);
    doc.enemies[0] = enemy(100, 40, 1);
    doc.enemies[1] = enemy(120, 50, 0);
    doc.enemies[2] = enemy(0, 0, 0);
    doc.enemies[2].used = 0;
    doc.enemies[3] = enemy(300, 100, 9);
    doc.enemies[4] = enemy(310, 100, 20);
    doc.enemies[5] = enemy(470, 100, 2);
    doc.enemies[6] = enemy(5, 5, 3);
    doc.enemyCount = 7;
    return doc;
}
// Drawn in slot order: 0, 1 over it, 5, 6.
const std::vector<Copy> OverlappingCopies = {
    {100, 40, 300, 400, 30, 20}, {120, 50, 1, 198, 40, 50}, {470, 100, 200, 250, 60, 60}, {5, 5, 620, 790, 30, 20}};

// Every pixel of picture (top-left: client point (left, top) at scroll s) traced to the
// bitmap: the last copy over it whose source lies on the bitmap, else the background.
::testing::AssertionResult showsCopies(const RgbImage& picture, int left, int top, Scroll s, Point bitmapSize) {
    int wrong = 0;
    std::ostringstream first;
    for (int py = 0; py < picture.height; ++py)
        for (int px = 0; px < picture.width; ++px) {
            const int cx = px + left, cy = py + top;
            Point expected{s.h + cx - ViewLeft, s.v + cy - ViewTop + LevelOriginRow};
            for (const Copy& c : OverlappingCopies) {
                const int cLeft = c.levelX - s.h + ViewLeft, cTop = c.levelY - s.v + ViewTop;
                const Point source{c.x + cx - cLeft, c.y + cy - cTop};
                if (cx >= cLeft && cx < cLeft + c.width + 2 && cy >= cTop && cy < cTop + c.height + 2 &&
                    source.first < bitmapSize.first && source.second < bitmapSize.second)
                    expected = source;
            }
            const Point shown = traceSource(picture.at(px, py));
            if (shown != expected && wrong++ < 5)
                first << " (" << px << "," << py << ") shows " << shown.first << "," << shown.second << " not "
                      << expected.first << "," << expected.second << ";";
        }
    return (wrong ? ::testing::AssertionFailure() : ::testing::AssertionSuccess()) << wrong << " wrong:" << first.str();
}

constexpr RenderLayers EnemiesOnly{true, false, false};
TEST(RenderLevel, TheViewOrTheLevelWithEnemiesInSlotOrder) {
    const LevelDocument doc = overlappingLevel();
    const RgbImage bitmap = traceableBitmap(640, 800);
    for (const Scroll s : {Scroll{0, 0}, Scroll{37, 101}, Scroll{140, 223}}) {
        SCOPED_TRACE(std::to_string(s.h) + "," + std::to_string(s.v));
        const RgbImage view = renderView(doc, bitmap, s);
        ASSERT_EQ(std::make_pair(view.width, view.height), std::make_pair(ViewWidth, ViewHeight));
        EXPECT_TRUE(showsCopies(view, ViewLeft, ViewTop, s, {640, 800}));
    }
    for (const auto& [area, top] :
         {std::pair{LevelArea::LevelRows, 0}, std::pair{LevelArea::WholeBitmap, LevelOriginRow}}) {
        const RgbImage level = renderLevel(doc, bitmap, area, EnemiesOnly);
        ASSERT_EQ(std::make_pair(level.width, level.height), std::make_pair(640, 800 - LevelOriginRow + top));
        EXPECT_TRUE(showsCopies(level, ViewLeft, ViewTop - top, {}, {640, 800}));
    }
    // Without enemies, the bitmap itself; past its last row, black.
    EXPECT_EQ(renderLevel(doc, bitmap, LevelArea::WholeBitmap, {false, false, false}).bytes, bitmap.bytes);
    const RgbImage low = renderView(doc, traceableBitmap(640, 500), {0, 0});
    EXPECT_EQ(low.at(250, 380 - 1), Black);
    EXPECT_EQ(traceSource(low.at(250, 302)), Point(250, 499));
}

// n = 4 movements: red shading to orange by 50 a movement; LineTo leaves its
// end point; STOP is a 6 x 6 circle, white inside.
TEST(RenderLevel, ProgramPathsInThePreviewsColours) {
    LevelDocument doc;
    doc.loaded = 1;
    EnemyProgram& program = doc.programs[3];
    program.used = 1, program.movementCount = 4;
    const int32_t directions[] = {RIGHT, DOWN, STOP, UPLEFT}, steps[] = {5, 3, 1, 2};
    for (int i = 0; i < 4; ++i) program.direction[i] = directions[i], program.steps[i] = steps[i];
    doc.enemies[0] = enemy(50, 60, 0, 2, 3);
    doc.enemies[1] = enemy(200, 60, 0, 2, 3);
    doc.enemies[1].used = 0;
    doc.enemies[2] = enemy(300, 60, 0, 2, -1);
    doc.enemyCount = 3;
    const Rgb g0{250, 0, 0}, g50{250, 50, 0}, g100{250, 100, 0}, g150{250, 150, 0};
    const RgbImage black(640, 400);
    const RgbImage level = renderLevel(doc, black, LevelArea::LevelRows, {false, true, false});
    const std::vector<std::pair<Point, Rgb>> pixels = {
        {{50, 60}, g0},    {{59, 60}, g0},     {{60, 60}, g50},   {{60, 63}, g50},   // right 10, down 6
        {{61, 64}, g100},  {{58, 66}, g100},   {{61, 66}, White}, {{63, 64}, Black}, // the circle at (60, 66)
        {{60, 66}, g150},  {{57, 63}, g150},   {{56, 62}, Black},                    // up-left 4, end left out
        {{49, 60}, Black}, {{210, 60}, Black}, {{301, 60}, Black},                   // no path for slots 1 and 2
    };
    for (const auto& [at, colour] : pixels) {
        SCOPED_TRACE(std::to_string(at.first) + "," + std::to_string(at.second));
        EXPECT_EQ(level.at(at.first, at.second), colour);
    }
    // The whole bitmap moves the path down with the rows above the level.
    EXPECT_EQ(renderLevel(doc, black, LevelArea::WholeBitmap, {false, true, false}).at(50, 60 + LevelOriginRow), g0);
}

// Both boxes of every used image set, in one colour; nothing inside the strip.
TEST(RenderLevel, ImageSetOutlines) {
    LevelDocument doc;
    doc.loaded = 1;
    doc.imageSets[4] = imageSet(20, 220, 10, 5, 3);
    doc.imageSets[5] = imageSet(400, 300, 10, 5, 3);
    doc.imageSets[5].used = 0;
    const RgbImage level = renderLevel(doc, RgbImage(640, 400), LevelArea::LevelRows, {false, false, true});
    const Rgb green = {0, 250, 0};
    // The first frame's box (20, 23)-(31, 29), the strip's to x 53.
    for (const Point& at : {Point{20, 23}, Point{52, 23}, Point{53, 23}, Point{31, 26}, Point{53, 29}, Point{20, 29},
                           Point{20, 26}, Point{40, 29}}) {
        SCOPED_TRACE(std::to_string(at.first) + "," + std::to_string(at.second));
        EXPECT_EQ(level.at(at.first, at.second), green);
    }
    for (const Point& at : {Point{42, 26}, Point{54, 23}, Point{25, 26}, Point{400, 103}})
        EXPECT_EQ(level.at(at.first, at.second), Black) << at.first << "," << at.second;
}

TEST(RgbImage, ScaledUpMakesEveryPixelABlock) {
    const RgbImage bitmap = traceableBitmap(3, 2);
    const RgbImage big = scaledUp(bitmap, 3);
    ASSERT_EQ(std::make_pair(big.width, big.height), std::make_pair(9, 6));
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 9; ++x) EXPECT_EQ(big.at(x, y), bitmap.at(x / 3, y / 3)) << x << "," << y;
}

}  // namespace
}  // namespace qzt
