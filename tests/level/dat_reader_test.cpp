#include <gtest/gtest.h>

#include <cstring>

#include "level/dat_reader.h"
#include "level/file_paths.h"
#include "test_support.h"

namespace qzt {
namespace {

using testing::crlfLines;
using testing::headerLines;

struct Loaded {
    LevelDocument doc;
    testing::RecordingSteps steps;
    LoadDiagnostic diagnostic;
    LoadResult result = LoadOk;
};

Loaded load(const std::string& bytes, const std::string& onlyBitmap = "") {
    Loaded loaded;
    loaded.steps.onlyBitmap = onlyBitmap;
    loaded.result = testing::loadText(bytes, loaded.doc, loaded.steps, &loaded.diagnostic);
    return loaded;
}

std::string records(std::initializer_list<const char*> lines) { return headerLines() + crlfLines(lines); }

TEST(DatReader, LoadsTheExampleLevelIntoItsFieldsAndScreenSteps) {
    Loaded loaded = load(testing::exampleLevelBytes());
    ASSERT_EQ(loaded.result, LoadOk);
    const LevelDocument& doc = loaded.doc;
    EXPECT_EQ(doc.loaded, 1);
    EXPECT_STREQ(doc.header.scoreCountSoundPath, "count.wav");
    EXPECT_EQ(doc.header.timeBonus, 500);
    const EnemyProgram& p = doc.programs[0];
    const Enemy& e = doc.enemies[0];
    const ImageSet& set = doc.imageSets[1];
    EXPECT_EQ((std::vector<int>{p.movementCount, p.direction[1], p.steps[1], p.lastFrame[1], doc.programs[1].used,
                                doc.enemyCount, e.program, e.speed, e.animationRate, e.hitPoints, e.x, e.y, e.imageSet,
                                set.x, set.y, set.width, set.height, set.frameCount, set.slotIndex}),
              (std::vector<int>{2, DOWNLEFT, 4, 3, 0, 2, 0, 2, 5, 10, 120, 40, 1, 100, 198, 32, 32, 4, 1}));
    EXPECT_EQ(loaded.steps.calls, (std::vector<std::string>{"reset", "bitmap", "show", "caption"}));
    EXPECT_EQ(loaded.steps.bitmapPaths[0], "levels/level3.bmp");
    EXPECT_EQ(loaded.steps.captions[0], "Level_Three");
}

TEST(DatReader, ResultsOfWholeFiles) {
    struct Case {
        const char* name;
        std::string bytes;
        LoadResult result;
        int line;
        const char* cause;
    } cases[] = {
        {"END without CR LF", headerLines() + "END", LoadOk, 0, ""},
        {"no END after an enemy", records({"ENEMY 0 1 2 3 4 5 6"}), LoadEndedEarly, 13, "the file ends before END"},
        {"unterminated enemy line", headerLines() + "ENEMY 0 1 2 3 4 5 6 ", LoadEndedEarly, 12,
         "the file ends in a line without a line end, before END"},
        {"END inside a block is skipped", records({"BEP 0", "END"}), LoadEndedEarly, 14, "the file ends before END"},
        {"unterminated header line", "S\r\nT", LoadEndedEarly, 2,
         "the file ends in a line without a line end, before END"},
        {"unterminated sound path", crlfLines({"S", "T", "b.bmp", "m"}) + "w", LoadEndedEarly, 5, nullptr},
        {"ends before line 10", crlfLines({"S", "T", "b.bmp", "m"}), LoadBadMarkerLine, 10, nullptr},
        {"unterminated line 9", crlfLines({"S", "T", "b.bmp", "m", "w", "o", "l", "c"}) + "500", LoadBadMarkerLine,
         10, "expected \"Y N N N\", found \"\""},
        {"marker with a trailing blank",
         crlfLines({"S", "T", "b.bmp", "m", "w", "o", "l", "c", "5", "Y N N N ", "", "END"}), LoadBadMarkerLine, 10,
         "expected \"Y N N N\", found \"Y N N N \""},
        {"bare LF line ends", "S\nT\nlevel.bmp\nm\nw\no\nl\nc\n5\nY N N N\n\nEND\n", LoadBitmapError, 3,
         "levels/level.bm: no such bitmap"},
        {"bitmap line without line end", "S\r\nT\r\nb.bmp", LoadBitmapError, 3, "the bitmap line has no line end"},
        {"UP with two numbers", records({"BEP 0", " UP 12 0 ", "EEP", "END"}), LoadSyntaxError, 13,
         "UP needs 3 numbers"},
        {"BEP without number", records({"BEP", "EEP", "END"}), LoadSyntaxError, 12, "BEP needs a program number"},
        {"CIS with three numbers", records({"CIS 1 2 3", "END"}), LoadSyntaxError, 12, "CIS needs 6 numbers"},
        {"ENEMY with three numbers", records({"ENEMY 4 5 6", "END"}), LoadSyntaxError, 12, "ENEMY needs 7 numbers"},
        {"program slot 15", records({"BEP 15", "EEP", "END"}), LoadSyntaxError, 12, "program number 15 is outside 0..14"},
        {"program slot -1", records({"BEP -1", "EEP", "END"}), LoadSyntaxError, 12, nullptr},
        {"huge program slot", records({"BEP 99999999999", "EEP", "END"}), LoadSyntaxError, 12, nullptr},
        {"image set slot 15", records({"CIS 1 2 3 4 5 15", "END"}), LoadSyntaxError, 12,
         "image set number 15 is outside 0..14"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Loaded loaded = load(c.bytes, c.result == LoadBitmapError ? "levels/level.bmp" : "");
        EXPECT_EQ(loaded.result, c.result);
        EXPECT_EQ(loaded.doc.loaded, c.result == LoadOk);
        if (c.result == LoadOk) continue;
        EXPECT_EQ(loaded.diagnostic.line, c.line);
        if (c.cause) {
            EXPECT_EQ(loaded.diagnostic.cause, c.cause);
        }
        EXPECT_EQ(loaded.steps.captions.size(), c.result == LoadBadMarkerLine ? 1u : 0u);
    }
    EXPECT_EQ(load(crlfLines({"S", "T", "b.bmp", "m"})).steps.captions[0], "QZT Level Editor");
}

TEST(DatReader, RecordsAreToleratedInAnyOrderAndUnknownLinesSkipped) {
    Loaded loaded = load(testing::toleratedRecordsLevel());
    ASSERT_EQ(loaded.result, LoadOk);
    const LevelDocument& doc = loaded.doc;
    EXPECT_TRUE(doc.imageSets[7].used);
    EXPECT_FALSE(doc.imageSets[9].used);          // keywords are compared exactly
    EXPECT_EQ(doc.enemies[0].program, 0);         // text that is not a number reads as 0
    EXPECT_EQ(doc.enemyCount, 1);                 // the ENEMY line inside the block was skipped
    EXPECT_EQ(doc.programs[1].movementCount, 2);  // UP and STOP; "up" is no keyword
    EXPECT_EQ(doc.programs[1].lastFrame[0], 5);
    EXPECT_EQ(doc.programs[1].direction[1], STOP);
    EXPECT_TRUE(doc.programs[4].used);
    EXPECT_EQ(doc.programs[4].movementCount, 0);

    Loaded bonus = load(crlfLines({"S", "T", "b.bmp", "m", "w", "o", "l", "c", "  42 seconds", "Y N N N", "", "END"}));
    EXPECT_EQ(bonus.doc.header.timeBonus, 42);  // line 9 is read from its start
}

TEST(DatReader, RefusesRecordsBeyondTheCapacities) {
    std::string enemies = headerLines(), block = headerLines() + "BEP 2\r\n";
    for (int i = 0; i < MAX_ENEMIES; ++i) enemies += "ENEMY 0 0 0 0 0 0 0\r\n";
    for (int i = 0; i < MAX_MOVEMENTS; ++i) block += " LEFT 1 0 0 \r\n";
    EXPECT_EQ(load(enemies + "END").result, LoadOk);
    EXPECT_EQ(load(block + "EEP\r\nEND").doc.programs[2].movementCount, MAX_MOVEMENTS);
    const Loaded sixteen = load(enemies + "ENEMY 1 1 1 1 1 1 1\r\nEND"), over = load(block + " UP 1 0 0 \r\nEEP\r\nEND");
    EXPECT_EQ(sixteen.diagnostic.cause, "more than 15 enemies");
    EXPECT_EQ(sixteen.doc.enemyCount, MAX_ENEMIES);
    EXPECT_EQ(over.diagnostic.cause, "program 2 has more than 75 movements");
    EXPECT_EQ(std::pair(sixteen.result, over.result), std::pair(LoadSyntaxError, LoadSyntaxError));
}

TEST(DatReader, FailedLoadsKeepWhatWasReadAndTheNextLoadResets) {
    Loaded shortEnemy = load(records({"ENEMY 4 5 6", "END"}));
    EXPECT_TRUE(shortEnemy.doc.enemies[0].used);  // the enemy that failed midway stays, with its fields
    EXPECT_EQ(shortEnemy.doc.enemies[0].animationRate, 6);
    EXPECT_EQ(shortEnemy.doc.enemyCount, 0);

    LevelDocument doc;
    testing::RecordingSteps steps;
    ASSERT_EQ(testing::loadText(testing::exampleLevelBytes(), doc, steps), LoadOk);
    ASSERT_EQ(testing::loadText("New\r\nNewTitle\r\nb.bmp", doc, steps), LoadBitmapError);
    EXPECT_EQ(doc.loaded, 0);
    EXPECT_STREQ(doc.header.title, "NewTitle");
    EXPECT_STREQ(doc.header.musicPath, "cave.mid");  // later fields keep the previous level's texts
    EXPECT_FALSE(doc.enemies[0].used || doc.programs[0].used || doc.imageSets[0].used);
    EXPECT_EQ(doc.programs[0].movementCount, 2);  // stale fields stay
    EXPECT_EQ(doc.enemyCount, 0);
}

TEST(DatReader, LoadLevelFileJoinsTheBitmapPathInItsOwnBuffer) {
    testing::TempDir dir;
    std::string path = dir.file("level.dat");
    testing::writeFile(path, crlfLines({"S", "T", "art\\level.bmp", "m", "w", "o", "l", "c", "1", "Y N N N", "", "END"}));
    char buffer[500];
    std::strcpy(buffer, path.c_str());
    LevelDocument doc;
    testing::RecordingSteps steps;
    ASSERT_EQ(loadLevelFile(buffer, doc, steps), LoadOk);
    EXPECT_EQ(std::string(buffer), path);
#ifdef _WIN32
    EXPECT_EQ(steps.bitmapPaths[0], directoryOf(path.c_str()) + "art\\level.bmp");
#else
    EXPECT_EQ(steps.bitmapPaths[0], directoryOf(path.c_str()) + "art/level.bmp");  // "\" separates here too
#endif
    EXPECT_STREQ(doc.header.bitmapPath, "art\\level.bmp");

    // A file that cannot be opened reads as nothing: the directory is tried as the bitmap.
    LoadDiagnostic diagnostic;
    steps.onlyBitmap = dir.file("b.bmp");
    EXPECT_EQ(loadLevelFile(dir.file("missing.dat").c_str(), doc, steps, &diagnostic), LoadBitmapError);
    EXPECT_EQ(steps.bitmapPaths.back(), directoryOf(path.c_str()));
    EXPECT_EQ(diagnostic.cause, "the data file does not exist");
}

}  // namespace
}  // namespace qzt
