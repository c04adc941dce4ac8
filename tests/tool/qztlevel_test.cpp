#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "gfx/bmp_builder.h"
#include "level/dat_reader.h"
#include "level/dat_writer.h"
#include "level/test_support.h"
#include "tools/qztlevel/level_json.h"
#include "tools/qztlevel/qztlevel.h"
#include "tools/qztlevel/tool_load_steps.h"

namespace qzt {
namespace {

namespace fs = std::filesystem;
namespace support = qzt::testing;

const char BitmapMessage[] = "Error reading .bmp.  Make sure the directory specified in the file is correct.";

// An 8-bit bitmap; clrUsed above 256 makes one the reader refuses.
std::string bitmapBytes(int32_t width, int32_t height, uint32_t clrUsed = 0) {
    test::BmpSpec spec;
    spec.width = width;
    spec.height = height;
    spec.clrUsed = clrUsed;
    const std::vector<uint8_t> bytes = test::buildBmp(spec);
    return std::string(bytes.begin(), bytes.end());
}

// Lines joined with CR LF, the data file's line end.
std::string crlf(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

std::vector<std::string> headerLines(const std::string& title = "Level_Three") {
    return {"Into_the_Caves", title, "lvl.bmp", "cave.mid", "win.wav", "oneup.wav", "lose.wav", "count.wav",
            "500",            "Y N N N"};
}

std::vector<std::string> withRecords(std::vector<std::string> lines, const std::vector<std::string>& records) {
    lines.insert(lines.end(), records.begin(), records.end());
    return lines;
}

// Records in an order and spacing of a hand-written file, not the writer's.
const std::vector<std::string> HandWrittenRecords = {
    "",
    "CIS 100 198 32 32 4 1   extra words",
    "ENEMY 0 2 5 10 120 40 1",
    "BEP 2",
    "  STOP 20 0 0",
    "EEP",
    "BEP 0",
    "\tRIGHT 12 0 1",
    " DOWNLEFT 4 2 3 ",
    "EEP",
    "ENEMY 2 1 8 3 300 -150 0",
    "CIS 1 198 40 50 2 0",
    "END",
};

struct RunResult {
    int code;
    std::string out;
    std::string err;
};

RunResult run(std::vector<std::string> args) {
    args.insert(args.begin(), "qztlevel");
    std::vector<const char*> argv;
    for (const std::string& arg : args) argv.push_back(arg.c_str());
    std::ostringstream out, err;
    int code = runQztLevel(int(argv.size()), argv.data(), out, err);
    return {code, out.str(), err.str()};
}

class QztLevelTool : public ::testing::Test {
protected:
    void SetUp() override { write("lvl.bmp", bitmapBytes(5, 600)); }

    std::string path(const std::string& name) const { return dir_.file(name); }
    std::string write(const std::string& name, const std::string& bytes) const {
        support::writeFile(path(name), bytes);
        return path(name);
    }
    std::string read(const std::string& name) const { return support::readFile(path(name)); }
    std::string level(const std::string& name) const {
        return write(name, crlf(withRecords(headerLines(), HandWrittenRecords)));
    }

    support::TempDir dir_;
};

TEST_F(QztLevelTool, CheckPassesLevelsThatLoadAndPrintsNothing) {
    RunResult r = run({"check", level("a.dat"), level("b.dat")});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "");
}

TEST_F(QztLevelTool, CheckReportsTheEditorMessageAndWhereTheLoadStopped) {
    struct Case {
        std::string bytes;
        std::string message;
        std::string where;
    };
    std::vector<std::string> badMarker = headerLines();
    badMarker[9] = "Y N N N ";
    std::vector<std::string> missingBitmap = headerLines();
    missingBitmap[2] = "missing.bmp";
    const Case cases[] = {
        {crlf(withRecords(headerLines(), {"", "ENEMY 0 2 5 10 120 40 1", "CIS 1 198 40", "END"})),
         "Inncorrect syntax in .dat file", "line 13: CIS needs 6 numbers"},
        {crlf(withRecords(headerLines(), {"BEP 0", " UP 3 0", "EEP", "END"})), "Inncorrect syntax in .dat file",
         "line 12: UP needs 3 numbers"},
        {crlf(badMarker), "Line 10 did not=\"Y N N N\"", "line 10: expected \"Y N N N\", found \"Y N N N \""},
        {crlf(withRecords(headerLines(), {"", "ENEMY 0 2 5 10 120 40 1"})), "File ended before expected",
         "line 13: the file ends before END"},
        {crlf(missingBitmap), BitmapMessage, "line 3: " + path("missing.bmp") + ": cannot open the file"},
    };
    for (const Case& c : cases) {
        const std::string file = write("level.dat", c.bytes);
        RunResult r = run({"check", file});
        EXPECT_EQ(r.code, 1) << c.where;
        EXPECT_EQ(r.err, file + ": " + c.message + "\n" + file + ": " + c.where + "\n");
        EXPECT_EQ(r.out, "");
    }
}

TEST_F(QztLevelTool, CheckNamesOnlyTheFilesThatFail) {
    const std::string good = level("good.dat");
    const std::string unterminated = write("cut.dat", crlf(headerLines()).substr(0, 20));
    const std::string absent = path("absent.dat");
    RunResult r = run({"check", good, unterminated, good, absent});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, unterminated + ": File ended before expected\n" + unterminated +
                         ": line 2: the file ends in a line without a line end, before END\n" + absent + ": " +
                         BitmapMessage + "\n" + absent + ": cannot open the data file\n");
    EXPECT_EQ(r.err.find(good), std::string::npos);
}

TEST_F(QztLevelTool, CheckGivesTheBitmapReadersCause) {
    write("lvl.bmp", bitmapBytes(4, 2, 300));
    const std::string file = level("a.dat");
    RunResult r = run({"check", file});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, file + ": " + BitmapMessage + "\n" + file + ": line 3: " + path("lvl.bmp") +
                         ": colour count 300 is above 256\n");
}

TEST_F(QztLevelTool, ResaveWritesExactlyTheEditorsBytes) {
    const std::string in = level("in.dat");
    RunResult r = run({"resave", in, path("out.dat")});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.err, "");

    auto doc = std::make_unique<LevelDocument>();
    ToolLoadSteps steps;
    ASSERT_EQ(loadLevelFile(in.c_str(), *doc, steps), LoadOk);
    const std::string saved = read("out.dat");
    EXPECT_EQ(saved, serializeLevel(*doc));
    EXPECT_NE(saved, read("in.dat"));
    EXPECT_NE(saved.find("BEP 0\r\n RIGHT 12 0 1 \r\n"), std::string::npos);

    // Resaving in place keeps a normalised file as it is.
    ASSERT_EQ(run({"resave", path("out.dat"), path("out.dat")}).code, 0);
    EXPECT_EQ(read("out.dat"), saved);
}

TEST_F(QztLevelTool, ResaveLeavesTheOutputAloneWhenTheInputFails) {
    const std::string in = write("in.dat", crlf(withRecords(headerLines(), {"CIS 1 2"})));
    const std::string out = write("out.dat", "precious");
    RunResult r = run({"resave", in, out});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, in + ": Inncorrect syntax in .dat file\n" + in + ": line 11: CIS needs 6 numbers\n");
    EXPECT_EQ(read("out.dat"), "precious");

    RunResult fresh = run({"resave", in, path("new.dat")});
    EXPECT_EQ(fresh.code, 1);
    EXPECT_FALSE(fs::exists(path("new.dat")));
}

TEST_F(QztLevelTool, ResaveReportsAFailedSave) {
    const std::string out = path("no_such_dir/out.dat");
    RunResult r = run({"resave", level("in.dat"), out});
    EXPECT_EQ(r.code, 1);
    const std::string prefix = out + ": cannot save: ";
    ASSERT_EQ(r.err.compare(0, prefix.size(), prefix), 0) << r.err;
    EXPECT_GT(r.err.size(), prefix.size() + 1);
    EXPECT_EQ(r.err.back(), '\n');
}

TEST_F(QztLevelTool, InfoDescribesTheLevelAndItsBitmap) {
    // Header bytes carry no encoding: each one comes out as the character of its code.
    const std::string file = write("a.dat", crlf(withRecords(headerLines("Caf\xE9_\x80\xFF"), HandWrittenRecords)));
    RunResult r = run({"info", file});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, nlohmann::ordered_json::parse(r.out).dump(2) + "\n") << "pretty-printed with 2 spaces";
    const nlohmann::json info = nlohmann::json::parse(r.out);

    EXPECT_EQ(info["title"], "Caf\xC3\xA9_\xC2\x80\xC3\xBF");
    EXPECT_EQ(info["subtitle"], "Into_the_Caves");
    EXPECT_EQ(info["bitmapPath"], "lvl.bmp");
    EXPECT_EQ(info["musicPath"], "cave.mid");
    EXPECT_EQ(info["scoreCountSoundPath"], "count.wav");
    EXPECT_EQ(info["timeBonus"], 500);
    EXPECT_EQ(info["enemyCount"], 2);

    EXPECT_EQ(info["imageSets"], nlohmann::json::parse(R"([
        {"slot": 0, "x": 1, "y": 198, "width": 40, "height": 50, "frameCount": 2},
        {"slot": 1, "x": 100, "y": 198, "width": 32, "height": 32, "frameCount": 4}])"));
    EXPECT_EQ(info["programs"], nlohmann::json::parse(R"([
        {"slot": 0, "movements": [
            {"direction": 6, "keyword": "RIGHT", "steps": 12, "firstFrame": 0, "lastFrame": 1},
            {"direction": 1, "keyword": "DOWNLEFT", "steps": 4, "firstFrame": 2, "lastFrame": 3}]},
        {"slot": 2, "movements": [
            {"direction": 5, "keyword": "STOP", "steps": 20, "firstFrame": 0, "lastFrame": 0}]}])"));
    EXPECT_EQ(info["enemies"], nlohmann::json::parse(R"([
        {"slot": 0, "x": 120, "y": 40, "imageSet": 1, "animationRate": 5, "hitPoints": 10, "speed": 2, "program": 0},
        {"slot": 1, "x": 300, "y": -150, "imageSet": 0, "animationRate": 8, "hitPoints": 3, "speed": 1, "program": 2}])"));
    EXPECT_EQ(info["bitmap"], (nlohmann::json{{"path", path("lvl.bmp")},
                                              {"width", 5},
                                              {"height", 600},
                                              {"bitCount", 8},
                                              {"colours", 256}}));
}

TEST(QztLevelJson, AMovementWithoutKeywordHasANullKeywordAndUnusedSlotsAreLeftOut) {
    auto doc = std::make_unique<LevelDocument>();
    EnemyProgram& program = doc->programs[3];
    program.used = 1;
    program.movementCount = 2;
    program.direction[0] = 0;
    program.direction[1] = UP;
    program.steps[0] = 7;
    doc->programs[4].movementCount = 5;  // not used: left out
    doc->imageSets[1].width = 9;         // likewise
    BmpImage bitmap;
    const nlohmann::ordered_json info = levelInfoJson(*doc, "x.bmp", bitmap);
    ASSERT_EQ(info["programs"].size(), 1u);
    EXPECT_EQ(info["programs"][0]["slot"], 3);
    EXPECT_TRUE(info["programs"][0]["movements"][0]["keyword"].is_null());
    EXPECT_EQ(info["programs"][0]["movements"][0]["steps"], 7);
    EXPECT_EQ(info["programs"][0]["movements"][1]["keyword"], "UP");
    EXPECT_TRUE(info["enemies"].empty());
    EXPECT_TRUE(info["imageSets"].empty());
}

TEST_F(QztLevelTool, InfoPrintsNothingForALevelThatFails) {
    write("lvl.bmp", "BA not a bitmap");
    const std::string file = level("a.dat");
    RunResult r = run({"info", file});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, file + ": " + BitmapMessage + "\n" + file + ": line 3: " + path("lvl.bmp") +
                         ": not a BMP file (signature)\n");
}

TEST(QztLevelUsage, WrongUsageExitsWithTwoAndHelpWithZero) {
    const std::vector<std::vector<std::string>> wrong = {
        {}, {"frobnicate", "a.dat"}, {"check"}, {"resave", "a.dat"}, {"resave", "a", "b", "c"},
        {"info"}, {"info", "a.dat", "b.dat"}, {"check", "-v", "a.dat"},
    };
    for (const auto& args : wrong) {
        RunResult r = run(args);
        EXPECT_EQ(r.code, 2) << ::testing::PrintToString(args);
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find("Usage: qztlevel"), std::string::npos);
    }
    for (const auto& args : std::vector<std::vector<std::string>>{{"--help"}, {"-h"}, {"help"}, {"info", "--help"}}) {
        RunResult r = run(args);
        EXPECT_EQ(r.code, 0) << ::testing::PrintToString(args);
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(r.out.rfind("Usage: qztlevel", 0), 0u);
    }
}

}  // namespace
}  // namespace qzt
