#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "gfx/bmp_builder.h"
#include "level/dat_reader.h"
#include "level/dat_writer.h"
#include "level/test_support.h"
#include "tools/qztlevel/qztlevel.h"
#include "tools/qztlevel/tool_load_steps.h"

namespace qzt {
namespace {

using Args = std::vector<std::string>;

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

struct RunResult { int code; std::string out, err; };

RunResult run(Args args) {
    args.insert(args.begin(), "qztlevel");
    std::vector<const char*> argv;
    for (const std::string& arg : args) argv.push_back(arg.c_str());
    std::ostringstream out, err;
    const int code = runQztLevel(int(argv.size()), argv.data(), out, err);
    return {code, out.str(), err.str()};
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

// Each command gives the editor's message, then the line and cause, and
// resave leaves its output alone.
TEST_F(QztLevelTool, FailedLoadsReportMessageLineAndCause) {
    test::BmpSpec refused;
    refused.clrUsed = 300;
    ASSERT_TRUE(test::writeBytesToFile(path("bad.bmp"), test::buildBmp(refused)));
    const std::string out = write("out.dat", "precious");
    struct Case { std::string bytes, message, where; };
    const Case cases[] = {
        {levelText({"CIS 1 2"}), "Inncorrect syntax in .dat file", "line 11: CIS needs 6 numbers"},
        {levelText({"END"}, 10, "Y N N N "), "Line 10 did not=\"Y N N N\"",
         "line 10: expected \"Y N N N\", found \"Y N N N \""},
        {levelText({"CIS 1 198 40 50 2 0"}), "File ended before expected", "line 12: the file ends before END"},
        {levelText({"END"}, 3, "missing.bmp"), BitmapMessage,
         "line 3: " + path("missing.bmp") + ": cannot open the file"},
        {levelText({"END"}, 3, "bad.bmp"), BitmapMessage,
         "line 3: " + path("bad.bmp") + ": colour count 300 is above 256"},
    };
    for (const Case& c : cases) {
        const std::string file = write("level.dat", c.bytes);
        for (const Args& args : {Args{"check", file}, Args{"info", file}, Args{"resave", file, out}}) {
            SCOPED_TRACE(args[0] + ", " + c.where);
            const RunResult r = run(args);
            EXPECT_EQ(r.code, 1);
            EXPECT_EQ(r.out, "");
            EXPECT_EQ(r.err, file + ": " + c.message + "\n" + file + ": " + c.where + "\n");
        }
        EXPECT_EQ(read("out.dat"), "precious");
    }
}

TEST_F(QztLevelTool, CheckNamesOnlyTheFilesThatFail) {
    const std::string good = write("good.dat", levelText(HandWritten));
    const RunResult passed = run({"check", good, good});
    EXPECT_EQ(passed.code, 0);
    EXPECT_EQ(passed.out + passed.err, "");

    const std::string cut = write("cut.dat", levelText({}).substr(0, 20));
    const std::string absent = path("absent.dat");
    const RunResult r = run({"check", good, cut, good, absent});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, cut + ": File ended before expected\n" + cut +
                         ": line 2: the file ends in a line without a line end, before END\n" + absent + ": " +
                         BitmapMessage + "\n" + absent + ": cannot open the data file\n");
}

TEST_F(QztLevelTool, ResaveWritesExactlyTheEditorsBytes) {
    const std::string in = write("in.dat", levelText(HandWritten));
    const RunResult r = run({"resave", in, path("out.dat")});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out + r.err, "");
    auto doc = std::make_unique<LevelDocument>();
    ToolLoadSteps steps;
    ASSERT_EQ(loadLevelFile(in.c_str(), *doc, steps), LoadOk);
    EXPECT_EQ(read("out.dat"), serializeLevel(*doc));
    EXPECT_NE(read("out.dat"), read("in.dat"));

    const std::string unwritable = path("no_such_dir/out.dat");
    const RunResult failed = run({"resave", in, unwritable});
    EXPECT_EQ(failed.code, 1);
    EXPECT_EQ(failed.err.rfind(unwritable + ": cannot save: ", 0), 0u) << failed.err;
}

TEST_F(QztLevelTool, InfoPrintsTheLevelAndItsBitmapAsJson) {
    // Header bytes carry no encoding: each one comes out as the character of its code.
    const RunResult r = run({"info", write("a.dat", levelText(HandWritten, 2, "Caf\xE9_\x80\xFF"))});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, nlohmann::ordered_json::parse(r.out).dump(2) + "\n") << "pretty-printed with 2 spaces";
    nlohmann::json expected = nlohmann::json::parse(R"({
        "subtitle": "Into_the_Caves", "title": "Caf\u00e9_\u0080\u00ff", "bitmapPath": "lvl.bmp",
        "musicPath": "cave.mid", "winSoundPath": "win.wav", "oneUpSoundPath": "oneup.wav",
        "loseSoundPath": "lose.wav", "scoreCountSoundPath": "count.wav", "timeBonus": 500,
        "imageSets": [{"slot": 0, "x": 1, "y": 198, "width": 40, "height": 50, "frameCount": 2},
                      {"slot": 1, "x": 100, "y": 198, "width": 32, "height": 32, "frameCount": 4}],
        "programs": [{"slot": 0, "movements": [
            {"direction": 6, "keyword": "RIGHT", "steps": 12, "firstFrame": 0, "lastFrame": 1},
            {"direction": 1, "keyword": "DOWNLEFT", "steps": 4, "firstFrame": 2, "lastFrame": 3}]}],
        "enemies": [{"slot": 0, "x": 120, "y": -150, "imageSet": 1, "animationRate": 5, "hitPoints": 10,
                     "speed": 2, "program": 0}],
        "enemyCount": 1,
        "bitmap": {"width": 4, "height": 2, "bitCount": 8, "colours": 256}})");
    expected["bitmap"]["path"] = path("lvl.bmp");
    EXPECT_EQ(nlohmann::json::parse(r.out), expected);
}

TEST(QztLevelUsage, WrongUsageExitsWithTwoAndHelpWithZero) {
    struct Case { Args args; int code; };
    for (const Case& c : {Case{{}, 2}, Case{{"frobnicate", "a.dat"}, 2}, Case{{"check"}, 2}, Case{{"resave", "a"}, 2},
                          Case{{"info", "a.dat", "b.dat"}, 2}, Case{{"check", "-v", "a.dat"}, 2}, Case{{"--help"}, 0},
                          Case{{"-h"}, 0}, Case{{"help"}, 0}, Case{{"info", "--help"}, 0}}) {
        SCOPED_TRACE(::testing::PrintToString(c.args));
        const RunResult r = run(c.args);
        EXPECT_EQ(r.code, c.code);
        EXPECT_EQ(c.code ? r.out : r.err, "");
        EXPECT_NE((c.code ? r.err : r.out).find("Usage: qztlevel"), std::string::npos);
    }
}

}  // namespace
}  // namespace qzt
