#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "gfx/bmp_builder.h"
#include "gfx/bmp_decode.h"
#include "gfx/offscreen_load_steps.h"
#include "level/dat_reader.h"
#include "level/dat_writer.h"
#include "level/test_support.h"
#include "render/level_render.h"
#include "tools/qztlevel/qztlevel.h"

namespace qzt {
namespace {

using Args = std::vector<std::string>;
using RunResult = std::tuple<int, std::string, std::string>;  // exit code, out, err

const std::string BitmapMessage = "Error reading .bmp.  Make sure the directory specified in the file is correct.";

// A level's lines with CR LF after each, header line `line` (from 1) replaced when given.
std::string levelText(const Args& records, size_t line = 0, const std::string& text = "") {
    Args lines = {"Into_the_Caves", "Level_Three", "lvl.bmp", "cave.mid", "win.wav",
                  "oneup.wav",      "lose.wav",    "count.wav", "500",    "Y N N N"};
    if (line) lines[line - 1] = text;
    lines.insert(lines.end(), records.begin(), records.end());
    std::string bytes;
    for (const std::string& l : lines) bytes += l + "\r\n";
    return bytes;
}

// Spacing and order of a hand-written file, not the writer's.
const Args HandWritten = {"",          "CIS 100 198 32 32 4 1   extra words", "ENEMY 0 2 5 10 120 -150 1", "BEP 0",
                          "\tRIGHT 12 0 1", " DOWNLEFT 4 2 3 ", "EEP", "CIS 1 198 40 50 2 0", "END"};

RunResult run(const Args& args, const std::string& input = "") {
    std::vector<const char*> argv = {"qztlevel"};
    for (const std::string& arg : args) argv.push_back(arg.c_str());
    std::istringstream in(input);
    std::ostringstream out, err;
    return {runQztLevel(int(argv.size()), argv.data(), in, out, err), out.str(), err.str()};  // in order: a braced list
}

class QztLevelTool : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(test::writeBytesToFile(path("lvl.bmp"), test::buildBmp({}))); }
    std::string path(const std::string& name) const { return dir_.file(name); }
    std::string write(const std::string& name, const std::string& bytes) const {
        qzt::testing::writeFile(path(name), bytes);
        return path(name);
    }
    std::string read(const std::string& name) const { return qzt::testing::readFile(path(name)); }
    // A level on a bitmap with rows above and below the level's first one.
    std::string tallLevel(const std::string& name) const {
        EXPECT_TRUE(test::writeBytesToFile(path("tall.bmp"), test::buildBmp({40, 210, 24})));
        return write(name, levelText({"CIS 2 200 6 4 2 0", "ENEMY 0 1 5 10 3 2 0", "BEP 0", "RIGHT 4 0 1",
                                      "STOP 1 0 1", "EEP", "END"}, 3, "tall.bmp"));
    }

    qzt::testing::TempDir dir_;
};

// Each command gives the editor's message, then the line (when there is one) and the
// cause; check goes on past a failing file, and resave leaves its output alone. Only
// regular files are read or replaced, and nothing waits on one that is not.
TEST_F(QztLevelTool, FailedLoadsReportMessageLineAndCause) {
    ASSERT_TRUE(test::writeBytesToFile(path("bad.bmp"), test::buildBmp({4, 2, 8, 0, 40, 300})));  // 300 colours
    std::filesystem::create_directory(path("folder.dat"));
    std::filesystem::create_directory(path("folder.bmp"));
    const std::string good = write("good.dat", levelText(HandWritten)), out = write("out.dat", "precious");
    struct Case { std::string name, bytes, errors; };  // no bytes: no file written
    const Case cases[] = {
        {"level.dat", levelText({"CIS 1 2"}), "Inncorrect syntax in .dat file\n@: line 11: CIS needs 6 numbers"},
        {"level.dat", levelText({"END"}, 3, "bad.bmp"),
         BitmapMessage + "\n@: line 3: " + path("bad.bmp") + ": colour count 300 is above 256"},
        {"level.dat", levelText({"END"}, 3, "folder.bmp"),
         BitmapMessage + "\n@: line 3: " + path("folder.bmp") + ": is a directory"},
        {"absent.dat", "", "does not exist"},  // the data file's own fault, not a bitmap's
        {"folder.dat", "", "is a directory"},
    };
    for (const Case& c : cases) {
        const std::string file = c.bytes.empty() ? path(c.name) : write(c.name, c.bytes);
        std::string errors = file + ": " + c.errors + "\n";
        for (size_t at; (at = errors.find('@')) != std::string::npos;) errors.replace(at, 1, file);
        EXPECT_EQ(run({"check", file, good, file}), RunResult(1, "", errors + errors));
        EXPECT_EQ(run({"info", file}), RunResult(1, "", errors));
        EXPECT_EQ(run({"resave", file, out}), RunResult(1, "", errors));
        EXPECT_EQ(read("out.dat"), "precious");
    }
#ifndef _WIN32
    ASSERT_EQ(mkfifo(path("pipe.dat").c_str(), 0600), 0);
    EXPECT_EQ(run({"check", path("pipe.dat"), "/dev/zero"}),
              RunResult(1, "", path("pipe.dat") + ": is not a regular file\n/dev/zero: is not a regular file\n"));
    EXPECT_EQ(run({"resave", good, path("pipe.dat")}),
              RunResult(1, "", path("pipe.dat") + ": cannot save: the path is not a regular file\n"));
#endif
}

// A good level: check says nothing, resave writes the editor's bytes, info prints
// JSON. Header bytes carry no encoding: each comes out as the character of its code.
TEST_F(QztLevelTool, GoodLevelPassesResavesAndPrintsAsJson) {
    const std::string in = write("in.dat", levelText(HandWritten, 2, "Caf\xE9_\x80\xFF"));
    EXPECT_EQ(run({"check", in, in}), RunResult(0, "", ""));
    EXPECT_EQ(run({"resave", in, path("out.dat")}), RunResult(0, "", ""));
    auto doc = std::make_unique<LevelDocument>();
    OffscreenLoadSteps steps;
    ASSERT_EQ(loadLevelFile(in.c_str(), *doc, steps), LoadOk);
    EXPECT_EQ(read("out.dat"), serializeLevel(*doc));
    EXPECT_NE(read("out.dat"), read("in.dat"));
    const auto [saveCode, saveOut, saveErr] = run({"resave", in, path("none/out.dat")});
    EXPECT_EQ(saveCode, 1);
    EXPECT_EQ(saveErr.rfind(path("none/out.dat") + ": cannot save: ", 0), 0u) << saveErr;

    const auto [code, out, err] = run({"info", in});
    ASSERT_EQ(std::tie(code, err), std::make_tuple(0, ""));
    EXPECT_EQ(out, nlohmann::ordered_json::parse(out).dump(2) + "\n") << "pretty-printed with 2 spaces";
    nlohmann::json expected = nlohmann::json::parse(R"({
        "subtitle": "Into_the_Caves", "title": "Caf\u00e9_\u0080\u00ff", "bitmapPath": "lvl.bmp",
        "musicPath": "cave.mid", "winSoundPath": "win.wav", "oneUpSoundPath": "oneup.wav", "loseSoundPath": "lose.wav",
        "scoreCountSoundPath": "count.wav", "timeBonus": 500,
        "imageSets": [{"slot": 0, "x": 1, "y": 198, "width": 40, "height": 50, "frameCount": 2},
                      {"slot": 1, "x": 100, "y": 198, "width": 32, "height": 32, "frameCount": 4}],
        "programs": [{"slot": 0, "movements": [
            {"direction": 6, "keyword": "RIGHT", "steps": 12, "firstFrame": 0, "lastFrame": 1},
            {"direction": 1, "keyword": "DOWNLEFT", "steps": 4, "firstFrame": 2, "lastFrame": 3}]}],
        "enemies": [{"slot": 0, "x": 120, "y": -150, "imageSet": 1, "animationRate": 5, "hitPoints": 10, "speed": 2,
                     "program": 0}], "enemyCount": 1})");
    expected["bitmap"] = {{"path", path("lvl.bmp")}, {"width", 4}, {"height", 2}, {"bitCount", 8}, {"colours", 256}};
    EXPECT_EQ(nlohmann::json::parse(out), expected);
}

// What info prints, import turns back into the bytes resave writes: the reader's
// cases, texts of any bytes, numbers at both ends of 32 bits.
TEST_F(QztLevelTool, ImportOfInfoWritesWhatResaveWrites) {
    for (const char* bitmap : {"level.bmp", "level3.bmp"})
        ASSERT_TRUE(test::writeBytesToFile(path(bitmap), test::buildBmp({})));
    const std::string levels[] = {
        qzt::testing::exampleLevelBytes(),
        qzt::testing::toleratedRecordsLevel(),
        qzt::testing::headerLines() + "END",
        levelText(HandWritten, 2, "Caf\xE9\r\x80\xFF\r"),
        levelText({"ENEMY 2147483647 0 0 0 -2147483648 0 -7", "BEP 14", "EEP", "END"}, 9, "-2147483648"),
    };
    for (const std::string& level : levels) {
        const std::string in = write("in.dat", level);
        ASSERT_EQ(run({"resave", in, path("resaved.dat")}), RunResult(0, "", ""));
        const auto [code, json, err] = run({"info", in});
        ASSERT_EQ(code, 0) << err;
        EXPECT_EQ(run({"import", write("level.json", json), path("imported.dat")}), RunResult(0, "", ""));
        EXPECT_EQ(read("imported.dat"), read("resaved.dat"));
    }
}

// Each fault is named by its JSON path, exits 1 and leaves OUT alone. What import
// may be given otherwise than info prints it gives the same level.
TEST_F(QztLevelTool, ImportNamesEachFaultByItsPlace) {
    using Json = nlohmann::json;
    const std::string in = write("in.dat", levelText(HandWritten)), out = write("out.dat", "precious");
    ASSERT_EQ(run({"resave", in, path("resaved.dat")}), RunResult(0, "", ""));
    const Json info = Json::parse(std::get<1>(run({"info", in})));
    const Json movement = info["programs"][0]["movements"][0];
    struct Case { std::string pointer; std::optional<Json> value; std::string fault; };  // no value: left out
    const Case cases[] = {
        {"/bitmap", std::nullopt, ""},
        {"/bitmap", "anything", ""},
        {"/enemyCount", std::nullopt, ""},
        {"/programs/0/movements/1/keyword", std::nullopt, ""},
        {"/timeBonus", 500.0, ""},
        {"", Json::array(), "the document: expected an object, found an array"},
        {"/colour", 1, "colour: not a field of a level"},
        {"/title", "a\nb", "title: a line break would end the data-file line"},
        {"/title", std::string("a\0b", 3), "title: U+0000 would end the text"},
        {"/title", "\xC4\x80", "title: U+0100 is not a byte: each character stands for one byte, U+0001..U+00FF"},
        {"/title", std::string(500, 'x'), "title: 500 bytes, more than a data-file line holds (499)"},
        {"/imageSets/1/slot", 17, "imageSets[1].slot: 17 is not a slot (0..14)"},
        {"/imageSets/1/slot", 0, "imageSets[1].slot: slot 0 is used twice"},
        {"/imageSets/0/colour", 1, "imageSets[0].colour: not a field of an image set"},
        {"/programs", Json::object(), "programs: expected an array, found an object"},
        {"/programs/0/movements", Json(std::vector<Json>(76, movement)),
         "programs[0].movements: 76 movements, at most 75"},
        {"/programs/0/movements/0/direction", 10, "programs[0].movements[0].direction: 10 is not a direction (1..9)"},
        {"/programs/0/movements/0/keyword", "UP",
         R"(programs[0].movements[0].keyword: "UP" does not name direction 6 (RIGHT))"},
        {"/enemies/0/x", std::nullopt, "enemies[0].x: missing"},
        {"/enemies/0/x", "12", "enemies[0].x: expected a whole number, found a string"},
        {"/enemies/0/speed", 2147483648, "enemies[0].speed: 2147483648 is outside 32 bits (-2147483648..2147483647)"},
        {"/enemies/0/speed", 1.5, "enemies[0].speed: expected a whole number, found 1.5"},
        {"/enemyCount", 2, "enemyCount: 2 is not the number of enemies (1)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pointer);
        Json json = info;
        const Json::json_pointer at(c.pointer);
        if (c.value) json[at] = *c.value;
        else json[at.parent_pointer()].erase(at.back());
        const auto [code, stdOut, err] = run({"import", "-", out}, json.dump());
        EXPECT_EQ(std::tie(code, err), c.fault.empty() ? std::make_tuple(0, std::string())
                                                       : std::make_tuple(1, "standard input: " + c.fault + "\n"));
        EXPECT_EQ(read("out.dat"), c.fault.empty() ? read("resaved.dat") : "precious");
        write("out.dat", "precious");
    }
    EXPECT_EQ(run({"import", "-", out}, "{\n  \"title\": }"),
              RunResult(1, "", "standard input: invalid JSON: parse error at line 2, column 12: syntax error while "
                               "parsing value - unexpected '}'; expected '[', '{', or a literal\n"));
    EXPECT_EQ(run({"import", path("absent.json"), out}), RunResult(1, "", path("absent.json") + ": does not exist\n"));
    EXPECT_EQ(read("out.dat"), "precious");
}

// Every failure leaves OUT as it was: usage (2); no level, bitmap or level rows, or an unwritable OUT (1).
TEST_F(QztLevelTool, RenderFailsWithoutTouchingItsOutput) {
    const std::string good = tallLevel("good.dat");
    const std::string low = write("low.dat", levelText({"END"}));  // lvl.bmp: 2 rows
    const std::string bad = write("bad.dat", levelText({"CIS 1 2"}));
    const std::string out = write("out.png", "precious");
    struct Case { Args args; int code; std::string errors; };
    const Case cases[] = {
        {{"render", good}, 2, "render needs LEVEL.dat and OUT.png"},
        {{"render", good, out, "--scale", "0"}, 2, "--scale"},
        {{"render", good, out, "--scale", "17"}, 2, "--scale"},
        {{"render", good, out, "--view", "-1,0"}, 2, "--view"},
        {{"render", good, out, "--frame"}, 2, "unknown option '--frame'"},
        {{"render", bad, out}, 1, bad + ": Inncorrect syntax in .dat file\n" + bad + ": line 11: CIS needs 6 numbers\n"},
        {{"render", low, out}, 1, low + ": the bitmap has no rows from row 197 on; --whole-bitmap draws all of it\n"},
        {{"render", good, path("none/out.png")}, 1, path("none/out.png") + ": cannot save: "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.args));
        const auto [code, stdOut, err] = run(c.args);
        EXPECT_EQ(code, c.code);
        EXPECT_NE(err.find(c.errors), std::string::npos) << err;
        EXPECT_EQ(read("out.png"), "precious");
    }
    EXPECT_EQ(run({"render", low, out, "--whole-bitmap"}), RunResult(0, "", ""));
    EXPECT_EQ(read("out.png").substr(0, 8), "\x89PNG\r\n\x1A\n");
}

#ifndef _WIN32
// Width, height and RGB bytes of a PNG as ImageMagick decodes it.
std::tuple<int, int, std::string> decodedByImageMagick(const std::string& png) {
    std::string output;
    if (std::FILE* pipe = popen(("convert '" + png + "' -format '%w %h\n' -write info:- -depth 8 rgb:-").c_str(), "r")) {
        char buffer[4096];
        for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, n);
        pclose(pipe);
    }
    int width = 0, height = 0;
    const size_t line = output.find('\n');
    std::sscanf(output.c_str(), "%d %d", &width, &height);
    return {width, height, line == std::string::npos ? "" : output.substr(line + 1)};
}

// The PNG holds the renderer's picture for the options given, pixel for pixel.
TEST_F(QztLevelTool, RenderWritesThePictureAsAPngOthersDecode) {
    const std::string level = tallLevel("level.dat");
    auto doc = std::make_unique<LevelDocument>();
    OffscreenLoadSteps steps;
    ASSERT_EQ(loadLevelFile(level.c_str(), *doc, steps), LoadOk);
    const RgbImage bitmap = decodeBmpPixels(*steps.bitmap());
    const RgbImage rows = renderLevel(*doc, bitmap, LevelArea::LevelRows, {});
    struct Case { Args options; RgbImage expected; };
    const Case cases[] = {
        {{}, rows},
        {{"--whole-bitmap", "--no-enemies"}, renderLevel(*doc, bitmap, LevelArea::WholeBitmap, {false, true, true})},
        {{"--no-paths", "--scale", "3"}, scaledUp(renderLevel(*doc, bitmap, LevelArea::LevelRows, {true, false, true}), 3)},
        {{"--view", "1,1", "--no-outlines"}, renderView(*doc, bitmap, {1, 1}, {true, true, false})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.options));
        Args args = {"render", level, path("out.png")};
        args.insert(args.end(), c.options.begin(), c.options.end());
        ASSERT_EQ(run(args), RunResult(0, "", ""));
        const auto [width, height, rgb] = decodedByImageMagick(path("out.png"));
        EXPECT_EQ(std::make_pair(width, height), std::make_pair(c.expected.width, c.expected.height));
        EXPECT_TRUE(rgb == std::string(c.expected.bytes.begin(), c.expected.bytes.end()));
    }
    // Sample pixels: the bitmap's row 197 on top, the enemy's frame at level (3, 2),
    // the path's first pixel in red at the enemy's corner.
    EXPECT_EQ(rows.height, 210 - 197);
    EXPECT_EQ(rows.at(0, 0), bitmap.at(0, 197));
    EXPECT_EQ(rows.at(4, 6), bitmap.at(3, 204));
    EXPECT_EQ(rows.at(3, 2), (Rgb{250, 0, 0}));
}
#endif

TEST(QztLevelUsage, WrongUsageExitsWithTwoAndHelpWithZero) {
    struct Case { Args args; int code; };
    for (const Case& c : {Case{{}, 2}, Case{{"frobnicate", "a.dat"}, 2}, Case{{"check"}, 2}, Case{{"resave", "a"}, 2},
                          Case{{"info", "a.dat", "b.dat"}, 2}, Case{{"import", "a.json"}, 2},
                          Case{{"check", "-v", "a.dat"}, 2}, Case{{"--help"}, 0},
                          Case{{"-h"}, 0}, Case{{"help"}, 0}, Case{{"info", "--help"}, 0},
                          Case{{"import", "--help"}, 0}, Case{{"render", "--help"}, 0}}) {
        SCOPED_TRACE(::testing::PrintToString(c.args));
        const auto [code, out, err] = run(c.args);
        EXPECT_EQ(code, c.code);
        EXPECT_EQ(c.code ? out : err, "");
        EXPECT_NE((c.code ? err : out).find("Usage: qztlevel"), std::string::npos);
    }
}

}  // namespace
}  // namespace qzt
