// The view on screen against the software renderer: for bitmaps of several
// formats and at several scroll positions, the pixels read back from the
// window are exactly renderView's picture of the same document and file.
#include <string>
#include <vector>

#include "gfx/bmp_builder.h"
#include "gfx/bmp_decode.h"
#include "gui/gui_support.h"
#include "render/level_render.h"

namespace qzt::gui {
namespace {

using Bytes = std::vector<uint8_t>;

// Runs of every kind over 640 x 800: encoded runs, odd absolute blocks,
// deltas along and down the rows, runs cut at the right edge, and pixels that
// no run reaches.
Bytes runsOverTheLevel() {
    Bytes runs;
    for (int line = 0; line < 800; ++line) {
        int x = 0;
        if (line % 7 == 0) {
            runs.insert(runs.end(), {0, 2, 13, 0});
            x = 13;
        }
        if (line % 100 == 50) {
            runs.insert(runs.end(), {0, 2, 5, 1});  // down one line, 5 along
            ++line;
            x += 5;
        }
        while (x < (line % 2 ? 600 : 640)) {
            const int length = 40 + (x + line) % 200;
            runs.insert(runs.end(), {uint8_t(length), uint8_t(x * 7 + line)});
            runs.insert(runs.end(), {0, 5, uint8_t(line), uint8_t(x), 200, 100, 50, 0});
            x += length + 5;
        }
        runs.insert(runs.end(), {0, 0});
    }
    runs.insert(runs.end(), {0, 1});
    return runs;
}

struct Format {
    const char* name;
    test::BmpShape shape;
};

// Overlapping enemies, a missing image set, a frame past the view's edge and
// one reaching past the bitmap's corner.
std::string oracleLevel() {
    return levelHeader() +
           qzt::testing::crlfLines({"ENEMY 0 2 5 10 100 40 1", "ENEMY 0 2 5 10 120 50 0", "ENEMY 0 2 5 10 470 100 2",
                                    "ENEMY 0 2 5 10 300 100 9", "ENEMY 0 2 5 10 5 5 3",
                                    "CIS 1 198 40 50 2 0", "CIS 300 400 30 20 4 1", "CIS 200 250 60 60 1 2",
                                    "CIS 620 790 30 20 1 3", "END", ""});
}

class ViewOracleTest : public EditorTest, public ::testing::WithParamInterface<Format> {};

TEST_P(ViewOracleTest, TheViewIsTheRenderersPicture) {
    const std::string bitmapPath = dir.file("level.bmp");
    ASSERT_TRUE(test::writeBytesToFile(bitmapPath, test::buildBmp(GetParam().shape)));
    qzt::testing::writeFile(dir.file("level.dat"), oracleLevel());
    ASSERT_TRUE(start(dir.file("level.dat").c_str()));
    ASSERT_TRUE(session.document.loaded);
    const BmpReadResult read = readBmpFile(bitmapPath.c_str());
    ASSERT_TRUE(read.image) << read.why;
    const RgbImage bitmap = decodeBmpPixels(*read.image);

    for (const Scroll s : {Scroll{0, 0}, Scroll{37, 101}, Scroll{140, 223}}) {
        scrollTo(s.h, s.v);
        RedrawLevelView();
        const Pixels shown = readView();
        const RgbImage expected = renderView(session.document, bitmap, s);
        int wrong = 0;
        std::string first;
        for (int y = 0; y < ViewHeight; ++y)
            for (int x = 0; x < ViewWidth; ++x) {
                const qzt::Rgb e = expected.at(x, y);
                const Rgb want = Rgb(e.red) << 16 | Rgb(e.green) << 8 | e.blue;
                const Rgb got = shown.at(ViewLeft + x, ViewTop + y);
                if (got != want && wrong++ < 3)
                    first += " (" + std::to_string(x) + "," + std::to_string(y) + ") " + std::to_string(got) +
                             " not " + std::to_string(want) + ";";
            }
        EXPECT_EQ(wrong, 0) << "at " << s.h << "," << s.v << ":" << first;
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, ViewOracleTest,
                         ::testing::Values(Format{"Palette8", {640, 800, 8}}, Format{"Rgb24", {640, 800, 24}},
                                           Format{"Bitfields565", {640, 800, 16, 3}},
                                           Format{"Rle8", {640, 800, 8, 1, 40, 0, runsOverTheLevel()}}),
                         [](const ::testing::TestParamInfo<Format>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace qzt::gui
