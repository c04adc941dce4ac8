#include <filesystem>
#include <memory>
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
#include "level/dat_reader.h"
#include "level/dat_writer.h"
#include "level/test_support.h"
#include "tools/qztlevel/qztlevel.h"
#include "tools/qztlevel/tool_load_steps.h"

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

RunResult run(const Args& args) {
    std::vector<const char*> argv = {"qztlevel"};
    for (const std::string& arg : args) argv.push_back(arg.c_str());
    std::ostringstream out, err;
    return {runQztLevel(int(argv.size()), argv.data(), out, err), out.str(), err.str()};  // in order: a braced list
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

// Each command gives the editor's message, then the line (when there is one) and
// the cause; check goes on past a failing file, and resave leaves its output alone.
TEST_F(QztLevelTool, FailedLoadsReportMessageLineAndCause) {
    ASSERT_TRUE(test::writeBytesToFile(path("bad.bmp"), test::buildBmp({4, 2, 8, 0, 40, 300})));  // 300 colours
    const std::string good = write("good.dat", levelText(HandWritten)), out = write("out.dat", "precious");
    struct Case { std::string bytes, errors; };  // no bytes: no file
    const std::string bitmap = "line 3: " + path("bad.bmp") + ": colour count 300 is above 256";
    const Case cases[] = {
        {levelText({"CIS 1 2"}), "Inncorrect syntax in .dat file\n@: line 11: CIS needs 6 numbers"},
        {levelText({"END"}, 3, "bad.bmp"), BitmapMessage + "\n@: " + bitmap},
        {"", "does not exist"},  // the data file's own fault, not a bitmap's
    };
    for (const Case& c : cases) {
        const std::string file = c.bytes.empty() ? path("absent.dat") : write("level.dat", c.bytes);
        std::string errors = file + ": " + c.errors + "\n";
        for (size_t at; (at = errors.find('@')) != std::string::npos;) errors.replace(at, 1, file);
        EXPECT_EQ(run({"check", file, good, file}), RunResult(1, "", errors + errors));
        EXPECT_EQ(run({"info", file}), RunResult(1, "", errors));
        EXPECT_EQ(run({"resave", file, out}), RunResult(1, "", errors));
        EXPECT_EQ(read("out.dat"), "precious");
    }
}

// Only regular files are read, and nothing waits on one that is not.
TEST_F(QztLevelTool, DataFilesAndBitmapsThatAreNoRegularFilesAreRefusedAtOnce) {
    std::filesystem::create_directory(path("folder.dat"));
    std::filesystem::create_directory(path("folder.bmp"));
    EXPECT_EQ(run({"check", path("folder.dat")}), RunResult(1, "", path("folder.dat") + ": is a directory\n"));
    const std::string level = write("level.dat", levelText({"END"}, 3, "folder.bmp"));
    EXPECT_EQ(run({"check", level}),
              RunResult(1, "", level + ": " + BitmapMessage + "\n" + level + ": line 3: " + path("folder.bmp") +
                                   ": is a directory\n"));
#ifndef _WIN32
    ASSERT_EQ(mkfifo(path("pipe.dat").c_str(), 0600), 0);
    EXPECT_EQ(run({"check", path("pipe.dat"), "/dev/zero"}),
              RunResult(1, "", path("pipe.dat") + ": is not a regular file\n/dev/zero: is not a regular file\n"));
#endif
}

// A good level: check says nothing, resave writes exactly the editor's bytes and
// info prints the level and its bitmap as JSON. Header bytes carry no encoding:
// each one comes out as the character of its code.
TEST_F(QztLevelTool, GoodLevelPassesResavesAndPrintsAsJson) {
    const std::string in = write("in.dat", levelText(HandWritten, 2, "Caf\xE9_\x80\xFF"));
    EXPECT_EQ(run({"check", in, in}), RunResult(0, "", ""));
    EXPECT_EQ(run({"resave", in, path("out.dat")}), RunResult(0, "", ""));
    auto doc = std::make_unique<LevelDocument>();
    ToolLoadSteps steps;
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

TEST(QztLevelUsage, WrongUsageExitsWithTwoAndHelpWithZero) {
    struct Case { Args args; int code; };
    for (const Case& c : {Case{{}, 2}, Case{{"frobnicate", "a.dat"}, 2}, Case{{"check"}, 2}, Case{{"resave", "a"}, 2},
                          Case{{"info", "a.dat", "b.dat"}, 2}, Case{{"check", "-v", "a.dat"}, 2}, Case{{"--help"}, 0},
                          Case{{"-h"}, 0}, Case{{"help"}, 0}, Case{{"info", "--help"}, 0}}) {
        SCOPED_TRACE(::testing::PrintToString(c.args));
        const auto [code, out, err] = run(c.args);
        EXPECT_EQ(code, c.code);
        EXPECT_EQ(c.code ? out : err, "");
        EXPECT_NE((c.code ? err : out).find("Usage: qztlevel"), std::string::npos);
    }
}

}  // namespace
}  // namespace qzt
