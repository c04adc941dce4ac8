// qztlevel's commands: what each prints and writes, what it refuses and why;
// a failure leaves its output as it was.
#include <cstdio>
#include <memory>
#include <random>
#include <sstream>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "gfx/bmp_builder.h"
#include "gfx/bmp_decode.h"
#include "gfx/offscreen_load_steps.h"
#include "level/test_support.h"
#include "render/level_render.h"
#include "tools/qztlevel/png_output.h"
#include "tools/qztlevel/qztlevel.h"

namespace qzt {
namespace {

using Args = std::vector<std::string>;
using RunResult = std::tuple<int, std::string, std::string>;  // exit code, out, err
using Json = nlohmann::json;
using qzt::testing::crlfLines;
using qzt::testing::headerLines;

// Spacing and order of a hand-written file, not the writer's, on lvl.bmp.
std::string handWritten(const std::string& title = "Title") {
    return headerLines("lvl.bmp", title) + crlfLines({"CIS 100 198 32 32 4 1   extra words", "ENEMY 0 2 5 10 120 -150 1",
                                                      "BEP 0", "\tRIGHT 12 0 1", " DOWNLEFT 4 2 3 ", "EEP",
                                                      "CIS 1 198 40 50 2 0", "END"});
}

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

    qzt::testing::TempDir dir_;
};

// Each load failure gives the editor's message, then the line (when there is one)
// and the cause; check goes on past a failing file.
TEST_F(QztLevelTool, FailedLoadsReportMessageLineAndCause) {
    ASSERT_TRUE(test::writeBytesToFile(path("bad.bmp"), test::buildBmp({4, 2, 8, 0, 40, 300})));  // 300 colours
    std::filesystem::create_directory(path("folder.dat"));
    const std::string good = write("good.dat", handWritten()), out = write("out.dat", "precious");
    const std::string syntax = write("syntax.dat", headerLines("lvl.bmp") + "CIS 1 2\r\n");
    const std::string bitmap = write("bitmap.dat", headerLines("bad.bmp") + "END\r\n");
    const std::pair<std::string, std::string> cases[] = {
        {syntax, "Inncorrect syntax in .dat file\n" + syntax + ": line 12: CIS needs 6 numbers"},
        {bitmap, "Error reading .bmp.  Make sure the directory specified in the file is correct.\n" + bitmap +
                 ": line 3: " + path("bad.bmp") + ": colour count 300 is above 256"},
        {path("absent.dat"), "does not exist"},  // the data file's own fault, not a bitmap's
        {path("folder.dat"), "is a directory"},
    };
    for (const auto& [file, said] : cases) {
        const std::string errors = file + ": " + said + "\n";
        EXPECT_EQ(run({"check", file, good, file}), RunResult(1, "", errors + errors));
        EXPECT_EQ(run({"info", file}), RunResult(1, "", errors));
        EXPECT_EQ(run({"resave", file, out}), RunResult(1, "", errors));
        EXPECT_EQ(read("out.dat"), "precious");
    }
}

// Saved into a folder without its bitmap, a level is written all the same,
// with a warning; beside its bitmap, it is written without one.
TEST_F(QztLevelTool, ResaveWarnsWhenTheBitmapStaysBehind) {
    const std::string in = write("in.dat", handWritten()), out = path("elsewhere/out.dat");
    std::filesystem::create_directory(path("elsewhere"));
    EXPECT_EQ(run({"resave", in, out}), RunResult(0, "", out + ": warning: the level's bitmap lvl.bmp is not in " +
                                                          out + "'s folder; the level will not open there until it is copied\n"));
    EXPECT_EQ(run({"resave", in, path("resaved.dat")}), RunResult(0, "", ""));
    EXPECT_EQ(read("elsewhere/out.dat"), read("resaved.dat"));
}

// What info prints, import turns back into the bytes resave writes: texts of
// any bytes, numbers at both ends of 32 bits, empty lists. Info is pretty-printed
// with 2 spaces, each header byte the character of its code, with the bitmap's facts.
TEST_F(QztLevelTool, InfoPrintsWhatImportTurnsBackIntoWhatResaveWrites) {
    for (const char* bitmap : {"level.bmp", "level3.bmp"}) ASSERT_TRUE(test::writeBytesToFile(path(bitmap), test::buildBmp({})));
    for (const std::string& level : {handWritten("Caf\xE9\r\x80\xFF\r"), qzt::testing::exampleLevelBytes(), headerLines() + "END"}) {
        const std::string in = write("in.dat", level);
        EXPECT_EQ(run({"check", in, in}), RunResult(0, "", ""));
        ASSERT_EQ(run({"resave", in, path("resaved.dat")}), RunResult(0, "", ""));
        const auto [code, info, err] = run({"info", in});
        ASSERT_EQ(std::tie(code, err), std::make_tuple(0, ""));
        EXPECT_EQ(info, nlohmann::ordered_json::parse(info).dump(2) + "\n");
        EXPECT_EQ(run({"import", write("level.json", info), path("imported.dat")}), RunResult(0, "", ""));
        EXPECT_EQ(read("imported.dat"), read("resaved.dat"));
    }
    const Json info = Json::parse(std::get<1>(run({"info", path("in.dat")})));
    EXPECT_EQ(Json::parse(std::get<1>(run({"info", write("in.dat", handWritten("Caf\xE9_\x80\xFF"))})))["title"], "Caf\u00e9_\u0080\u00ff");
    EXPECT_EQ(info["bitmap"], Json({{"path", path("level.bmp")}, {"width", 4}, {"height", 2}, {"bitCount", 8}, {"colours", 256}}));
}

// Each fault is named by its JSON path, exits 1 and leaves OUT alone. What import
// may be given otherwise than info prints it gives the same level.
TEST_F(QztLevelTool, ImportNamesEachFaultByItsPlace) {
    const std::string in = write("in.dat", handWritten()), out = write("out.dat", "precious");
    ASSERT_EQ(run({"resave", in, path("resaved.dat")}), RunResult(0, "", ""));
    const Json info = Json::parse(std::get<1>(run({"info", in})));
    const Json movement = info["programs"][0]["movements"][0];
    struct Case { std::string pointer; std::optional<Json> value; std::string fault; };  // no value: left out
    const Case cases[] = {
        {"/bitmap", "anything", ""}, {"/enemyCount", std::nullopt, ""}, {"/timeBonus", 500.0, ""},
        {"/programs/0/movements/1/keyword", std::nullopt, ""},
        {"", Json::array(), "the document: expected an object, found an array"},
        {"/colour", 1, "colour: not a field of a level"},
        {"/title", "a\nb", "title: a line break would end the data-file line"},
        {"/title", std::string("a\0b", 3), "title: U+0000 would end the text"},
        {"/title", "\xC4\x80", "title: U+0100 is not a byte: each character stands for one byte, U+0001..U+00FF"},
        {"/title", std::string(500, 'x'), "title: 500 bytes, more than a data-file line holds (499)"},
        {"/imageSets/1/slot", 15, "imageSets[1].slot: 15 is not a slot (0..14)"},
        {"/imageSets/1/slot", 0, "imageSets[1].slot: slot 0 is used twice"},
        {"/imageSets/0/colour", 1, "imageSets[0].colour: not a field of an image set"},
        {"/programs/0/movements", Json(std::vector<Json>(76, movement)), "programs[0].movements: 76 movements, at most 75"},
        {"/programs/0/movements/0/direction", 10, "programs[0].movements[0].direction: 10 is not a direction (1..9)"},
        {"/programs/0/movements/0/keyword", "UP", R"(programs[0].movements[0].keyword: "UP" does not name direction 6 (RIGHT))"},
        {"/enemies/0/x", std::nullopt, "enemies[0].x: missing"},
        {"/enemies/0/x", "12", "enemies[0].x: expected a whole number, found a string"},
        {"/enemies/0/y", true, "enemies[0].y: expected a whole number, found true"},
        {"/enemies/0/speed", 2147483648, "enemies[0].speed: 2147483648 is outside 32 bits (-2147483648..2147483647)"},
        {"/enemies/0/speed", 1.5, "enemies[0].speed: expected a whole number, found 1.5"},
        {"/enemyCount", 2, "enemyCount: 2 is not the number of enemies (1)"},
    };
    for (const Case& c : cases) {
        Json json = info;
        const Json::json_pointer at(c.pointer);
        if (c.value) json[at] = *c.value;
        else json[at.parent_pointer()].erase(at.back());
        const auto [code, stdOut, err] = run({"import", "-", out}, json.dump());
        EXPECT_EQ(std::tie(code, err), c.fault.empty() ? std::make_tuple(0, std::string())
                                                       : std::make_tuple(1, "standard input: " + c.fault + "\n"));
        EXPECT_EQ(read("out.dat"), c.fault.empty() ? read("resaved.dat") : "precious") << c.pointer;
        write("out.dat", "precious");
    }
    // A number beyond a double and nesting without end are JSON faults too; 64 deep is still JSON.
    const std::pair<std::string, std::string> texts[] = {
        {"{\n  \"title\": }", "invalid JSON: parse error at line 2, column 12: syntax error while parsing value - "
                             "unexpected '}'; expected '[', '{', or a literal"},
        {"{\"timeBonus\": 1,\n \"x\": [-1e400]}", "invalid JSON: parse error at line 2, column 13: number overflow "
                                                 "parsing '-1e400'"},
        {std::string(64, '[') + std::string(64, ']'), "the document: expected an object, found an array"},
        {std::string(65, '[') + std::string(65, ']'), "invalid JSON: arrays and objects nested more than 64 deep"},
    };
    for (const auto& [text, fault] : texts)
        EXPECT_EQ(run({"import", "-", out}, text), RunResult(1, "", "standard input: " + fault + "\n"));
    EXPECT_EQ(run({"import", path("absent.json"), out}), RunResult(1, "", path("absent.json") + ": does not exist\n"));
    EXPECT_EQ(read("out.dat"), "precious");
}

// lint prints each finding as a line, file by file, and check's lines for a
// file that does not load; an error, or with --strict a warning, exits 1. Each
// level is checked on its own bitmap, however many levels share one.
TEST_F(QztLevelTool, LintPrintsFindingsFileByFileAndExitsOneOnAnError) {
    ASSERT_TRUE(test::writeBytesToFile(path("tall.bmp"), test::buildBmp({40, 210, 24})));  // level rows 0 to 12
    for (const char* sound : {"m.mid", "w.wav", "o.wav", "l.wav"}) write(sound, "");  // c.wav is missing
    const std::string records = crlfLines({"BEP 0", "STOP 1 0 0", "EEP", "ENEMY 0 1 5 1 0 0 0", "CIS 0 0 6 9 1 0", "END"});
    const std::string fits = write("fits.dat", headerLines("tall.bmp") + records);
    const std::string small = write("small.dat", headerLines("lvl.bmp") + records);  // 4 x 2
    const std::string bad = write("bad.dat", headerLines("lvl.bmp") + "CIS 1 2\r\n");
    const auto soundMissing = [](const std::string& file) {
        return file + ": warning file-missing: scoreCountSoundPath (line 8) \"c.wav\" names no file beside the level (header)\n";
    };
    const std::string smallOutside = small + ": warning enemy-outside-level: its box covers columns 0 to 7 and rows 0 to "
                                      "10; the level has columns 0 to 3 and no rows (enemy 0)\n";
    const std::string smallBitmap = "frame 0 covers columns 0 to 7 and rows 0 to 10; the bitmap has columns 0 to 3 and rows 0 to 1";
    const std::tuple<Args, int, std::string, std::string> runs[] = {
        {{"lint", fits}, 0, soundMissing(fits), ""},
        {{"lint", "--strict", fits}, 1, soundMissing(fits), ""},
        {{"lint", bad, fits}, 1, soundMissing(fits), std::get<2>(run({"check", bad}))},
        {{"lint", small, fits}, 1,
         soundMissing(small) + smallOutside + small + ": error image-set-outside-bitmap: " + smallBitmap + " (image set 0)\n" +
             soundMissing(fits),
         ""},
    };
    for (const auto& [args, code, out, err] : runs) EXPECT_EQ(run(args), RunResult(code, out, err)) << args[1];

    const auto [code, out, err] = run({"lint", "--json", small});
    const Json findings = Json::parse(out);
    EXPECT_EQ(std::tie(code, err), std::make_tuple(1, ""));
    ASSERT_EQ(findings.size(), 3u);
    EXPECT_EQ(findings[2], Json({{"file", small}, {"severity", "error"}, {"rule", "image-set-outside-bitmap"},
                                 {"message", smallBitmap}, {"kind", "imageSet"}, {"slot", 0}}));
}

// Each option reaches the renderer (whose pictures are tested with it; what
// animate writes, another decoder reads back in apng_test.py). Every failure
// leaves OUT as it was: usage (2); no level, bitmap or level rows, or an
// unwritable OUT (1). Help asked for is no failure.
TEST_F(QztLevelTool, RenderDrawsWhatTheOptionsAskAndFailuresLeaveTheOutputAlone) {
    ASSERT_TRUE(test::writeBytesToFile(path("tall.bmp"), test::buildBmp({40, 210, 24})));  // rows above the level's
    const std::string level = write("level.dat", headerLines("tall.bmp") + crlfLines({"CIS 2 200 6 4 2 0",
        "ENEMY 0 1 5 10 3 2 0", "BEP 0", "RIGHT 4 0 1", "STOP 1 0 1", "EEP", "END"}));
    auto doc = std::make_unique<LevelDocument>();
    OffscreenLoadSteps steps;
    ASSERT_EQ(loadLevelFile(level.c_str(), *doc, steps), LoadOk);
    const RgbImage bitmap = decodeBmpPixels(*steps.bitmap());
    const std::pair<Args, RgbImage> pictures[] = {
        {{}, renderLevel(*doc, bitmap, LevelArea::LevelRows, {})},
        {{"--whole-bitmap", "--no-enemies"}, renderLevel(*doc, bitmap, LevelArea::WholeBitmap, {false, true, true})},
        {{"--no-paths", "--scale", "3"}, scaledUp(renderLevel(*doc, bitmap, LevelArea::LevelRows, {true, false, true}), 3)},
        {{"--view", "1,2", "--no-outlines"}, renderView(*doc, bitmap, {1, 2}, {true, true, false})},
        {{"--frame", "3"}, renderLevel(*doc, bitmap, LevelArea::LevelRows, {}, 3)},
    };
    for (const auto& [options, picture] : pictures) {
        Args args = {"render", level, path("out.png")};
        args.insert(args.end(), options.begin(), options.end());
        EXPECT_EQ(run(args), RunResult(0, "", ""));
        EXPECT_TRUE(read("out.png") == encodePng(picture)) << ::testing::PrintToString(options);
    }

    const std::string low = write("low.dat", headerLines("lvl.bmp") + "END\r\n");  // lvl.bmp: 2 rows
    const std::string bad = write("bad.dat", headerLines("lvl.bmp") + "CIS 1 2\r\n"), out = write("out.png", "precious");
    const std::tuple<Args, int, std::string> failures[] = {
        {{}, 2, "no command given"}, {{"frobnicate", "a.dat"}, 2, "unknown command 'frobnicate'"},
        {{"check"}, 2, "check needs at least one file"}, {{"lint", "--strict"}, 2, "lint needs at least one file"},
        {{"info", "a.dat", out}, 2, "info needs exactly one file"},
        {{"check", "-v", "a.dat"}, 2, "unknown option '-v'"}, {{"help"}, 0, "Usage: qztlevel"},
        {{"render", "--help"}, 0, "Usage: qztlevel render"},
        {{"render", level}, 2, "render needs LEVEL.dat and OUT.png"},
        {{"render", level, out, "--scale", "0"}, 2, "--scale"},
        {{"render", level, out, "--scale", "17"}, 2, "--scale"},
        {{"render", level, out, "--view", "-1,0"}, 2, "--view"},
        {{"render", level, out, "--frame", "2147483648"}, 2, "--frame"},
        {{"animate", level}, 2, "animate needs LEVEL.dat and OUT.png"},
        {{"animate", level, out, "--fps", "7"}, 2, "--fps: 7 not in {1,2,3,4,5,6,10,12,15,20,30,60}"},
        {{"animate", level, out, "--seconds", "0"}, 2, "--seconds"},
        {{"animate", level, out, "--frame", "3"}, 2, "unknown option '--frame'"},
        {{"animate", low, out}, 1, low + ": the bitmap has no rows from row 197 on; --whole-bitmap draws all of it\n"},
        {{"animate", level, path("none/out.png")}, 1, path("none/out.png") + ": cannot save: "},
        {{"render", bad, out}, 1, bad + ": Inncorrect syntax in .dat file\n" + bad + ": line 12: CIS needs 6 numbers\n"},
        {{"render", low, out}, 1, low + ": the bitmap has no rows from row 197 on; --whole-bitmap draws all of it\n"},
        {{"render", level, path("none/out.png")}, 1, path("none/out.png") + ": cannot save: "},
        {{"resave", level, path("none/out.dat")}, 1, path("none/out.dat") + ": cannot save: "},
    };
    for (const auto& [args, code, said] : failures) {
        const auto [exitCode, out, err] = run(args);
        EXPECT_EQ(std::pair(exitCode, code ? out : err), std::pair(code, std::string())) << ::testing::PrintToString(args);
        EXPECT_NE((code ? err : out).find(said), std::string::npos) << err;
        EXPECT_EQ(read("out.png"), "precious");
    }
}

#ifndef _WIN32
// Rows of noise and of ramps, so that every filter is chosen somewhere: what
// ImageMagick decodes is the picture written.
TEST(PngOutput, OthersDecodeThePictureWritten) {
    RgbImage picture(37, 23);
    std::mt19937 random(7);
    for (size_t i = 0; i < picture.bytes.size(); ++i) picture.bytes[i] = uint8_t(i / 111 % 2 ? random() : i * i / 3);
    qzt::testing::TempDir dir;
    std::string decoded;
    qzt::testing::writeFile(dir.file("out.png"), encodePng(picture));
    std::FILE* pipe = popen(("convert '" + dir.file("out.png") + "' -format '%w %h ' -write info:- -depth 8 rgb:-").c_str(), "r");
    ASSERT_TRUE(pipe);
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) decoded.append(buffer, n);
    pclose(pipe);
    EXPECT_TRUE(decoded == "37 23 " + std::string(picture.bytes.begin(), picture.bytes.end()));
}
#endif

}  // namespace
}  // namespace qzt
