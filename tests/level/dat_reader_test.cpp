#include <gtest/gtest.h>

#include <cstring>

#include "example_level.h"
#include "level/dat_reader.h"
#include "level/dat_writer.h"
#include "test_support.h"

namespace qzt {
namespace {

using testing::crlfLines;
using testing::headerLines;
using testing::loadText;
using testing::RecordingSteps;

struct Loaded {
    LevelDocument doc;
    RecordingSteps steps;
    LoadDiagnostic diagnostic;
    LoadResult result = LoadOk;
};

Loaded load(const std::string& bytes) {
    Loaded loaded;
    loaded.result = loadText(bytes, loaded.doc, loaded.steps, &loaded.diagnostic);
    return loaded;
}

Loaded loadRecords(std::initializer_list<const char*> records) {
    return load(headerLines() + crlfLines(records));
}

TEST(DatReader, LoadsTheExampleLevelAndWritesItBackByteForByte) {
    Loaded loaded = load(testing::exampleLevelBytes());
    ASSERT_EQ(loaded.result, LoadOk);
    const LevelDocument& doc = loaded.doc;
    EXPECT_EQ(doc.loaded, 1);
    EXPECT_STREQ(doc.header.subtitle, "Into_the_Caves");
    EXPECT_STREQ(doc.header.title, "Level_Three");
    EXPECT_STREQ(doc.header.scoreCountSoundPath, "count.wav");
    EXPECT_EQ(doc.header.timeBonus, 500);
    EXPECT_EQ(doc.programs[0].movementCount, 2);
    EXPECT_EQ(doc.programs[0].direction[1], DOWNLEFT);
    EXPECT_EQ(doc.programs[0].lastFrame[1], 3);
    EXPECT_FALSE(doc.programs[1].used);
    EXPECT_EQ(doc.programs[2].steps[0], 20);
    EXPECT_EQ(doc.enemyCount, 2);
    EXPECT_EQ(doc.enemies[0].x, 120);
    EXPECT_EQ(doc.enemies[0].imageSet, 1);
    EXPECT_EQ(doc.enemies[1].program, 2);
    EXPECT_EQ(doc.imageSets[1].frameCount, 4);
    EXPECT_EQ(doc.imageSets[1].slotIndex, 1);
    EXPECT_EQ(loaded.steps.calls, (std::vector<std::string>{"reset", "bitmap", "show", "caption"}));
    EXPECT_EQ(loaded.steps.bitmapPaths[0], "levels/level3.bmp");
    EXPECT_EQ(loaded.steps.captions[0], "Level_Three");
    EXPECT_EQ(serializeLevel(doc), testing::exampleLevelBytes());
}

TEST(DatReader, EndOfDataRules) {
    EXPECT_EQ(load(headerLines() + "END").result, LoadOk);  // last line without CR LF
    EXPECT_EQ(load(headerLines() + "END\r\n").result, LoadOk);
    Loaded noEnd = loadRecords({"ENEMY 0 1 2 3 4 5 6"});
    EXPECT_EQ(noEnd.result, LoadEndedEarly);
    EXPECT_EQ(noEnd.doc.enemyCount, 1);
    EXPECT_EQ(load(headerLines() + "ENEMY 0 1 2 3 4 5 6 ").result, LoadEndedEarly);
    // Inside a block, END is just a skipped line.
    EXPECT_EQ(loadRecords({"BEP 0", "END"}).result, LoadEndedEarly);
    EXPECT_EQ(loadRecords({"BEP 0", " UP 1 2 3 "}).result, LoadEndedEarly);
    // Nothing after END is read.
    EXPECT_EQ(loadRecords({"END", "CIS 1 2", "garbage"}).result, LoadOk);
}

TEST(DatReader, BareLfFilesLoseTheBitmapPathsLastCharacter) {
    std::string bytes = "Sub\nTitle\nlevel.bmp\nm\nw\no\nl\nc\n5\nY N N N\n\nEND\n";
    Loaded loaded;
    loaded.steps.onlyBitmap = "levels/level.bmp";
    loaded.result = loadText(bytes, loaded.doc, loaded.steps, &loaded.diagnostic);
    EXPECT_EQ(loaded.result, LoadBitmapError);
    EXPECT_EQ(loaded.steps.bitmapPaths[0], "levels/level.bm");
    EXPECT_EQ(loaded.diagnostic.line, 3);
    EXPECT_EQ(loaded.diagnostic.cause, "levels/level.bm: no such bitmap");
}

TEST(DatReader, ProgramBlocks) {
    Loaded empty = loadRecords({"BEP 4", "EEP", "END"});
    ASSERT_EQ(empty.result, LoadOk);
    EXPECT_TRUE(empty.doc.programs[4].used);
    EXPECT_EQ(empty.doc.programs[4].movementCount, 0);

    Loaded mixed = loadRecords({"BEP 1", "just words", "", "7 8 9", "ENEMY 1 2 3 4 5 6 7", "\tUP\t3 4 5 extra",
                                "up 1 1 1", "STOP 2 0 0", "EEP", "END"});
    ASSERT_EQ(mixed.result, LoadOk);
    const EnemyProgram& program = mixed.doc.programs[1];
    EXPECT_EQ(program.movementCount, 2);
    EXPECT_EQ(program.direction[0], UP);
    EXPECT_EQ(program.steps[0], 3);
    EXPECT_EQ(program.lastFrame[0], 5);
    EXPECT_EQ(program.direction[1], STOP);
    EXPECT_EQ(mixed.doc.enemyCount, 0);  // the ENEMY line inside the block was skipped

    Loaded shortLine = loadRecords({"BEP 0", " UP 12 0 ", "EEP", "END"});
    EXPECT_EQ(shortLine.result, LoadSyntaxError);
    EXPECT_EQ(shortLine.diagnostic.line, 13);
    EXPECT_EQ(shortLine.diagnostic.cause, "UP needs 3 numbers");
    EXPECT_EQ(loadRecords({"BEP", "EEP", "END"}).result, LoadSyntaxError);
}

TEST(DatReader, ImageSetAndEnemyRecords) {
    Loaded loaded = loadRecords({"ENEMY 0 1 2 3 4 5 6", "ENEMY 1 1 1 1 1 1 1 trailing words",
                                 "CIS 10 200 30 40 3 7", "END"});
    ASSERT_EQ(loaded.result, LoadOk);
    EXPECT_EQ(loaded.doc.enemyCount, 2);
    EXPECT_EQ(loaded.doc.enemies[0].speed, 1);
    EXPECT_EQ(loaded.doc.enemies[0].imageSet, 6);
    const ImageSet& imageSet = loaded.doc.imageSets[7];
    EXPECT_TRUE(imageSet.used);
    EXPECT_EQ(imageSet.slotIndex, 7);
    EXPECT_EQ(imageSet.height, 40);

    Loaded shortCis = loadRecords({"CIS 1 2 3", "END"});
    EXPECT_EQ(shortCis.result, LoadSyntaxError);
    EXPECT_EQ(shortCis.diagnostic.cause, "CIS needs 6 numbers");
    for (const ImageSet& set : shortCis.doc.imageSets) EXPECT_FALSE(set.used);

    // An enemy that fails midway keeps what was read, and the level is not loaded.
    Loaded shortEnemy = loadRecords({"ENEMY 4 5 6", "END"});
    EXPECT_EQ(shortEnemy.result, LoadSyntaxError);
    EXPECT_EQ(shortEnemy.diagnostic.cause, "ENEMY needs 7 numbers");
    EXPECT_TRUE(shortEnemy.doc.enemies[0].used);
    EXPECT_EQ(shortEnemy.doc.enemies[0].animationRate, 6);
    EXPECT_EQ(shortEnemy.doc.enemyCount, 0);
    EXPECT_EQ(shortEnemy.doc.loaded, 0);
}

TEST(DatReader, RecordsComeInAnyOrderAndUnknownLinesAreSkipped) {
    Loaded loaded = loadRecords({"CIS 1 2 3 4 5 0", "cis 9 9 9 9 9 9", "# a note", "ENEMY x 1 2 3 4 5 6",
                                 "BEP 3", "EEP", "", "END"});
    ASSERT_EQ(loaded.result, LoadOk);
    EXPECT_TRUE(loaded.doc.imageSets[0].used);
    EXPECT_FALSE(loaded.doc.imageSets[9].used);
    EXPECT_EQ(loaded.doc.enemies[0].program, 0);  // text that is not a number reads as 0
    EXPECT_TRUE(loaded.doc.programs[3].used);
}

TEST(DatReader, HeaderRules) {
    std::string trailingBlank = crlfLines({"S", "T", "b.bmp", "m", "w", "o", "l", "c", "5", "Y N N N ", "", "END"});
    Loaded marker = load(trailingBlank);
    EXPECT_EQ(marker.result, LoadBadMarkerLine);
    EXPECT_EQ(marker.steps.captions, std::vector<std::string>{"QZT Level Editor"});
    EXPECT_EQ(marker.diagnostic.line, 10);

    Loaded bonus = load(crlfLines({"S", "T", "b.bmp", "m", "w", "o", "l", "c", "  42 seconds", "Y N N N", "", "END"}));
    ASSERT_EQ(bonus.result, LoadOk);
    EXPECT_EQ(bonus.doc.header.timeBonus, 42);

    // Ends with a complete line after line 3 and before line 10: the marker fails.
    EXPECT_EQ(load(crlfLines({"S", "T", "b.bmp", "m"})).result, LoadBadMarkerLine);
    // An unterminated line among the sound paths ends the file early.
    EXPECT_EQ(load(crlfLines({"S", "T", "b.bmp", "m"}) + "w").result, LoadEndedEarly);
    EXPECT_EQ(load("S\r\nT").result, LoadEndedEarly);
}

TEST(DatReader, BitmapStep) {
    Loaded missing;
    missing.steps.bitmapLoads = false;
    missing.result = loadText(testing::exampleLevelBytes(), missing.doc, missing.steps, &missing.diagnostic);
    EXPECT_EQ(missing.result, LoadBitmapError);
    EXPECT_EQ(missing.steps.calls, (std::vector<std::string>{"reset", "bitmap"}));
    EXPECT_EQ(missing.diagnostic.line, 3);

    // Line 3 without a line end: the old bitmap goes and nothing is loaded.
    Loaded unterminated = load("S\r\nT\r\nb.bmp");
    EXPECT_EQ(unterminated.result, LoadBitmapError);
    EXPECT_EQ(unterminated.steps.bitmapPaths, std::vector<std::string>{"(none)"});

    // A file that ends before line 3 still tries the directory as a bitmap.
    Loaded early;
    early.steps.onlyBitmap = "levels/b.bmp";
    early.result = loadText("S\r\n", early.doc, early.steps);
    EXPECT_EQ(early.result, LoadBitmapError);
    EXPECT_EQ(early.steps.bitmapPaths, std::vector<std::string>{"levels/"});
}

TEST(DatReader, LongHeaderLineSpillsIntoTheNextField) {
    std::string longLine(600, 'a');
    for (size_t i = 0; i < longLine.size(); ++i) longLine[i] = char('a' + i % 26);
    Loaded loaded = load(longLine + "\r\nb.bmp\r\n");
    EXPECT_EQ(std::string(loaded.doc.header.subtitle), longLine.substr(0, 499));
    EXPECT_EQ(std::string(loaded.doc.header.title), longLine.substr(501));
    EXPECT_EQ(loaded.steps.bitmapPaths[0], "levels/b.bmp");
}

TEST(DatReader, RefusesRecordsThatDoNotFitTheDocument) {
    for (const char* line : {"BEP 15", "BEP -1", "BEP 99999999999"}) {
        Loaded loaded = loadRecords({line, "EEP", "END"});
        EXPECT_EQ(loaded.result, LoadSyntaxError) << line;
        EXPECT_EQ(loaded.diagnostic.line, 12);
    }
    for (const char* line : {"CIS 1 2 3 4 5 15", "CIS 1 2 3 4 5 -1"}) {
        EXPECT_EQ(loadRecords({line, "END"}).result, LoadSyntaxError) << line;
    }

    std::string fifteen = headerLines();
    for (int i = 0; i < MAX_ENEMIES; ++i) fifteen += "ENEMY 0 0 0 0 0 0 0\r\n";
    EXPECT_EQ(load(fifteen + "END").result, LoadOk);
    Loaded sixteen = load(fifteen + "ENEMY 1 1 1 1 1 1 1\r\nEND");
    EXPECT_EQ(sixteen.result, LoadSyntaxError);
    EXPECT_EQ(sixteen.diagnostic.cause, "more than 15 enemies");
    EXPECT_EQ(sixteen.doc.enemyCount, MAX_ENEMIES);

    std::string block = headerLines() + "BEP 2\r\n";
    for (int i = 0; i < MAX_MOVEMENTS; ++i) block += " LEFT 1 0 0 \r\n";
    Loaded full = load(block + "EEP\r\nEND");
    ASSERT_EQ(full.result, LoadOk);
    EXPECT_EQ(full.doc.programs[2].movementCount, MAX_MOVEMENTS);
    Loaded over = load(block + " LEFT 1 0 0 \r\nEEP\r\nEND");
    EXPECT_EQ(over.result, LoadSyntaxError);
    EXPECT_EQ(over.doc.programs[2].movementCount, MAX_MOVEMENTS);
}

TEST(DatReader, FailedLoadKeepsWhatWasReadAndTheNextLoadResets) {
    LevelDocument doc;
    RecordingSteps steps;
    ASSERT_EQ(loadText(testing::exampleLevelBytes(), doc, steps), LoadOk);
    ASSERT_EQ(loadText("New\r\nNewTitle\r\nb.bmp", doc, steps), LoadBitmapError);
    EXPECT_EQ(doc.loaded, 0);
    EXPECT_STREQ(doc.header.title, "NewTitle");
    EXPECT_STREQ(doc.header.musicPath, "cave.mid");  // later fields keep the previous level's texts
    for (const Enemy& enemy : doc.enemies) EXPECT_FALSE(enemy.used);
    for (const EnemyProgram& program : doc.programs) EXPECT_FALSE(program.used);
    EXPECT_EQ(doc.programs[0].movementCount, 2);  // stale fields stay
    EXPECT_EQ(doc.enemyCount, 0);
}

TEST(DatReader, LoadLevelFileJoinsTheBitmapPathWithoutTouchingTheGivenPath) {
    testing::TempDir dir;
    std::string path = dir.file("level.dat");
    testing::writeFile(path, crlfLines({"S", "T", "art\\level.bmp", "m", "w", "o", "l", "c", "1", "Y N N N", "",
                                        "END"}));
    char buffer[500];
    std::strcpy(buffer, path.c_str());
    RecordingSteps steps;
    LevelDocument doc;
    ASSERT_EQ(loadLevelFile(buffer, doc, steps), LoadOk);
    EXPECT_EQ(std::string(buffer), path);
#ifdef _WIN32
    EXPECT_EQ(steps.bitmapPaths[0], directoryOf(path.c_str()) + "art\\level.bmp");
#else
    EXPECT_EQ(steps.bitmapPaths[0], directoryOf(path.c_str()) + "art/level.bmp");
#endif
    EXPECT_STREQ(doc.header.bitmapPath, "art\\level.bmp");  // the document keeps the text as read
}

TEST(DatReader, UnopenableFileIsABitmapErrorAfterTheReset) {
    testing::TempDir dir;
    LevelDocument doc;
    doc.loaded = 1;
    RecordingSteps steps;
    steps.onlyBitmap = dir.file("b.bmp");
    LoadDiagnostic diagnostic;
    EXPECT_EQ(loadLevelFile(dir.file("missing.dat").c_str(), doc, steps, &diagnostic), LoadBitmapError);
    EXPECT_EQ(doc.loaded, 0);
    EXPECT_EQ(diagnostic.cause, "cannot open the data file");
    EXPECT_EQ(steps.calls, (std::vector<std::string>{"reset", "bitmap"}));
}

TEST(DatReader, MessagesOfTheOpenCommand) {
    EXPECT_STREQ(loadResultMessage(LoadSyntaxError), "Inncorrect syntax in .dat file");
    EXPECT_STREQ(loadResultMessage(LoadBadMarkerLine), "Line 10 did not=\"Y N N N\"");
    EXPECT_STREQ(loadResultMessage(LoadEndedEarly), "File ended before expected");
    EXPECT_STREQ(loadResultMessage(LoadBitmapError),
                 "Error reading .bmp.  Make sure the directory specified in the file is correct.");
}

}  // namespace
}  // namespace qzt
