#include "render/level_render.h"
#include "render/pixel_blocks.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace qzt {
namespace {

using Point = std::pair<int, int>;
constexpr Rgb Black{0, 0, 0};

// Pixel (x, y) of the traceable bitmap tells its own position (x, y < 1024).
RgbImage traceableBitmap(int width, int height) {
    RgbImage bitmap(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) bitmap.set(x, y, {uint8_t(x), uint8_t(y), uint8_t(0x80 | x >> 8 | (y >> 8) << 2)});
    return bitmap;
}
Point traceSource(Rgb c) {
    return (c.blue & 0xF0) != 0x80 ? Point{-1, -1} : Point{c.red | (c.blue & 3) << 8, c.green | (c.blue >> 2 & 3) << 8};
}

// Overlaps, an unused enemy, one beyond the count, image sets unused and out
// of range, a frame past the view's right edge, and one whose copy reaches
// past the bitmap's corner. Drawn in slot order: 0, 1 over it, 5, 6.
struct Copy { int levelX, levelY, x, y, width, height; };
const std::vector<Copy> Copies = {{100, 40, 300, 400, 30, 20}, {120, 50, 1, 198, 40, 50}, {470, 100, 200, 250, 60, 60},
                                  {5, 5, 620, 790, 30, 20}};
LevelDocument overlappingLevel() {
    LevelDocument doc;
    doc.loaded = 1;
    doc.enemyCount = 7;
    const ImageSet sets[] = {{1, 198, 40, 50, 1, 0, 1}, {300, 400, 30, 20, 1, 1, 1}, {200, 250, 60, 60, 1, 2, 1},
                             {620, 790, 30, 20, 1, 3, 1}};
    const Enemy enemies[] = {{100, 40, 1, 0, 1, 1, -1, 1}, {120, 50, 0, 0, 1, 1, -1, 1}, {0, 0, 0, 0, 1, 1, -1, 0},
                             {300, 100, 9, 0, 1, 1, -1, 1}, {310, 100, 20, 0, 1, 1, -1, 1}, {470, 100, 2, 0, 1, 1, -1, 1},
                             {5, 5, 3, 0, 1, 1, -1, 1}, {200, 150, 0, 0, 1, 1, -1, 1}};
    std::copy(std::begin(sets), std::end(sets), doc.imageSets);
    std::copy(std::begin(enemies), std::end(enemies), doc.enemies);
    return doc;
}

// The first pixel of a picture (its top-left showing client point (left, top) at scroll s)
// that does not show the last copy over it whose source lies on the 640 x 800 bitmap, else
// the background.
std::string firstWrongPixel(const RgbImage& picture, int left, int top, Scroll s,
                            const std::vector<Copy>& copies = Copies) {
    for (int py = 0; py < picture.height; ++py)
        for (int px = 0; px < picture.width; ++px) {
            const int cx = px + left, cy = py + top;
            Point expected{s.h + cx - ViewLeft, s.v + cy - ViewTop + LevelOriginRow};
            for (const Copy& c : copies) {
                const int x = c.x + cx - (c.levelX - s.h + ViewLeft), y = c.y + cy - (c.levelY - s.v + ViewTop);
                if (x >= c.x && x < c.x + c.width + 2 && y >= c.y && y < c.y + c.height + 2 && x < 640 && y < 800)
                    expected = {x, y};
            }
            if (traceSource(picture.at(px, py)) != expected) return std::to_string(px) + "," + std::to_string(py);
        }
    return "";
}

TEST(RenderLevel, TheViewOrTheLevelWithEnemiesInSlotOrder) {
    const LevelDocument doc = overlappingLevel();
    const RgbImage bitmap = traceableBitmap(640, 800);
    for (const Scroll s : {Scroll{0, 0}, Scroll{37, 101}, Scroll{140, 223}}) {
        const RgbImage view = renderView(doc, bitmap, s);
        ASSERT_EQ(std::pair(view.width, view.height), std::pair(ViewWidth, ViewHeight));
        EXPECT_EQ(firstWrongPixel(view, ViewLeft, ViewTop, s), "") << s.h << "," << s.v;
    }
    const RgbImage whole = renderLevel(doc, bitmap, LevelArea::WholeBitmap, {true, false, false});
    EXPECT_EQ(firstWrongPixel(whole, ViewLeft, ViewTop - LevelOriginRow, {}), "");
    // Without enemies, the bitmap itself; past its last row, black.
    EXPECT_EQ(renderLevel(doc, bitmap, LevelArea::WholeBitmap, {false, false, false}).bytes, bitmap.bytes);
    const RgbImage low = renderView(doc, traceableBitmap(640, 500), {0, 0});
    EXPECT_EQ(std::pair(low.at(250, 379), traceSource(low.at(250, 302))), std::pair(Black, Point(250, 499)));
}

// Enemy 0, speed 4, animation rate 3, runs RIGHT 5 steps on frames 1 to 2 of
// its set's 3, then DOWNLEFT on frames 0 to 2; enemy 5's program is unused.
// At game frame 9 it is 20 right and 4 steps down-left, on frame 4 / 3 = 1,
// 31 pixels right of the first.
TEST(RenderLevel, AGameFrameShowsEachEnemyWhereItsProgramTookIt) {
    LevelDocument doc = overlappingLevel();
    doc.enemies[0] = {100, 40, 1, 3, 1, 4, 0, 1};
    doc.enemies[5].program = 1;
    doc.imageSets[1].frameCount = 3;
    doc.programs[0].used = 1;
    doc.programs[0].movementCount = 2;
    const int32_t directions[] = {RIGHT, DOWNLEFT}, steps[] = {5, 10}, firstFrames[] = {1, 0}, lastFrames[] = {2, 2};
    std::copy(std::begin(directions), std::end(directions), doc.programs[0].direction);
    std::copy(std::begin(steps), std::end(steps), doc.programs[0].steps);
    std::copy(std::begin(firstFrames), std::end(firstFrames), doc.programs[0].firstFrame);
    std::copy(std::begin(lastFrames), std::end(lastFrames), doc.programs[0].lastFrame);
    std::vector<Copy> copies = Copies;
    copies[0] = {104, 56, 331, 400, 30, 20};
    const RgbImage bitmap = traceableBitmap(640, 800);
    const RgbImage view = renderView(doc, bitmap, {37, 11}, {true, false, false}, 9);
    EXPECT_EQ(firstWrongPixel(view, ViewLeft, ViewTop, {37, 11}, copies), "");
    const RgbImage level = renderLevel(doc, bitmap, LevelArea::LevelRows, {true, false, false}, 9);
    EXPECT_EQ(firstWrongPixel(level, ViewLeft, ViewTop, {}, copies), "");
}

// Paths: n = 4 movements shade red to orange by 50 a movement; LineTo leaves
// its end point; STOP is a 6 x 6 circle, white inside. Outlines: both boxes
// of every used image set, nothing inside the strip.
TEST(RenderLevel, ProgramPathsInThePreviewsColoursAndImageSetOutlines) {
    LevelDocument doc;
    doc.loaded = 1;
    doc.enemyCount = 3;
    doc.programs[3].used = 1;
    doc.programs[3].movementCount = 4;
    const int32_t directions[] = {RIGHT, DOWN, STOP, UPLEFT}, steps[] = {5, 3, 1, 2};
    std::copy(std::begin(directions), std::end(directions), doc.programs[3].direction);
    std::copy(std::begin(steps), std::end(steps), doc.programs[3].steps);
    doc.enemies[0] = {50, 60, 0, 0, 1, 2, 3, 1};
    doc.enemies[1] = {200, 60, 0, 0, 1, 2, 3, 0};
    doc.enemies[2] = {300, 60, 0, 0, 1, 2, -1, 1};
    doc.imageSets[4] = {20, 220, 10, 5, 3, 4, 1};
    doc.imageSets[5] = {400, 300, 10, 5, 3, 5, 0};
    const Rgb g0{250, 0, 0}, g50{250, 50, 0}, g100{250, 100, 0}, g150{250, 150, 0}, white{255, 255, 255}, green{0, 250, 0};
    const RgbImage black(640, 400), level = renderLevel(doc, black, LevelArea::LevelRows, {false, true, true});
    ASSERT_EQ(std::pair(level.width, level.height), std::pair(640, 400 - LevelOriginRow));
    // Right 10, down 6, the circle at (60, 66), up-left 4 with its end left out; no path for slots 1 and 2.
    // The first frame's box (20, 23)-(31, 29), the strip's to x 53.
    const std::pair<Point, Rgb> pixels[] = {
        {{59, 60}, g0},    {{60, 60}, g50},    {{60, 63}, g50},   {{58, 66}, g100},  {{61, 66}, white},
        {{63, 64}, Black}, {{60, 66}, g150},   {{57, 63}, g150},  {{56, 62}, Black}, {{49, 60}, Black},
        {{210, 60}, Black}, {{301, 60}, Black}, {{20, 23}, green}, {{53, 29}, green}, {{31, 26}, green},
        {{40, 29}, green}, {{42, 26}, Black},  {{54, 23}, Black},  {{400, 103}, Black}};
    for (const auto& [at, colour] : pixels) EXPECT_EQ(level.at(at.first, at.second), colour) << at.first << "," << at.second;
    // The whole bitmap moves the path down with the rows above the level; scaled up, each pixel is a block.
    EXPECT_EQ(renderLevel(doc, black, LevelArea::WholeBitmap, {false, true, false}).at(50, 60 + LevelOriginRow), g0);
    const RgbImage big = scaledUp(level, 3);
    EXPECT_TRUE(big.width == 1920 && big.at(179, 182) == g0 && big.at(180, 180) == g50 && big.at(180, 189) == g50);
}

// The view magnified on screen: each pixel a factor x factor block, rows
// packed, nothing blended and nothing past the target.
TEST(MagnifyPixels, EachPixelBecomesABlockOfItsColour) {
    const std::vector<uint32_t> source = {1, 2, 3, 4, 5, 6};  // 3 x 2
    std::vector<uint32_t> target(9 * 6 + 1, 0xDEAD);
    magnifyPixels(source.data(), 3, 2, 3, target.data());
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 9; ++x) EXPECT_EQ(target[size_t(y) * 9 + size_t(x)], source[size_t(y / 3) * 3 + size_t(x / 3)]);
    EXPECT_EQ(target.back(), 0xDEADu);
}

}  // namespace
}  // namespace qzt
