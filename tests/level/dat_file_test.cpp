// Data files read and written: the lexical layer (lines, tokens, numbers,
// directories), whole files and the result of each, and the writer's bytes.
#include <gtest/gtest.h>

#include <cstring>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "level/decimal.h"
#include "level/file_paths.h"
#include "test_support.h"

namespace qzt {
namespace {

using testing::crlfLines;
using testing::headerLines;
using Lines = std::vector<std::string>;

// The lines of bytes held in memory (piece 0), or pulled at most piece bytes
// at a time from a file whose size says `size`.
Lines readAll(const std::string& bytes, size_t piece = 0, uint64_t size = 0) {
    size_t at = 0;
    LineReader reader = piece ? LineReader([&](unsigned char* out, size_t max) {
        const size_t n = std::min({max, piece, bytes.size() - at});
        std::memcpy(out, bytes.data() + at, n);
        at += n;
        return n;
    }, size ? size : bytes.size()) : LineReader(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
    Lines lines;
    for (Line line; reader.readLine(line), line.kind != LineKind::Exhausted;)
        lines.push_back(line.kind == LineKind::EndOfFile ? "<eof>" : line.text);
    return lines;
}

// A line loses the byte before its LF and ends after 499 characters; an
// unterminated last line counts only as END, from its first two bytes.
TEST(TextRules, LinesTokensNumbersAndDirectories) {
    std::string letters;
    for (int i = 0; i < 600; ++i) letters += char('a' + i % 26);
    const std::string q499(499, 'q');
    const std::pair<std::string, Lines> cases[] = {
        {"abc\r\n\r\nxy\n\n", {"abc", "", "x", ""}}, {"x\r\nEND", {"x", "END"}}, {"ENX", {"END"}}, {"EXZ", {"<eof>"}},
        {"EN", {"<eof>"}}, {"ENDS", {"<eof>"}}, {std::string(500, 'q'), {"<eof>"}}, {q499 + "qq", {q499}},
        {letters + "\r\n", {letters.substr(0, 499), letters.substr(501)}}, {q499 + "\r\nnext\r\n", {q499, "next"}},
    };
    for (const auto& [bytes, lines] : cases)
        for (size_t piece : {0, 1, 7, 1000}) EXPECT_EQ(readAll(bytes, piece), lines) << bytes.substr(0, 9) << piece;
    EXPECT_EQ(readAll("a\r\nEND", 3, 1u << 30), (Lines{"a", "END"}));  // shorter than its size said

    char token[TokenBufferSize];
    EXPECT_EQ(nextToken(std::string(700, 'z').c_str(), token), 499);  // longer runs are split after 499
    EXPECT_EQ(std::strlen(token), 499u);
    const std::pair<const char*, int32_t> numbers[] = {{"123", 123}, {"  \t-45xyz", -45}, {"+7", 7}, {"abc", 0},
        {"- 5", 0}, {"", 0}, {"2147483648", INT32_MAX}, {"-99999999999999", INT32_MIN}, {"-2147483648", INT32_MIN}};
    for (const auto& [text, value] : numbers) EXPECT_EQ(parseDecimal(text), value) << text;
    EXPECT_EQ(directoryOf("C:\\levels/sub\\x.dat") + directoryOf("one.dat"), "C:\\levels/sub\\");
}

// Bytes loaded as if from directory "levels/"; only onlyBitmap loads when it is given.
struct Loaded {
    LevelDocument doc;
    testing::RecordingSteps steps;
    LoadDiagnostic diagnostic;
    LoadResult result;
    explicit Loaded(const std::string& bytes, const std::string& onlyBitmap = "")
        : result((steps.onlyBitmap = onlyBitmap, testing::loadText(bytes, doc, steps, &diagnostic))) {}
};

std::string records(std::initializer_list<const char*> lines) { return headerLines() + crlfLines(lines); }

TEST(DatReader, LoadsTheExampleLevelIntoItsFieldsAndScreenSteps) {
    const Loaded loaded(testing::exampleLevelBytes());
    const LevelDocument& doc = loaded.doc;
    const EnemyProgram& p = doc.programs[2];
    const Enemy& e = doc.enemies[0];
    const ImageSet& set = doc.imageSets[1];
    EXPECT_EQ((std::vector<int>{loaded.result, doc.loaded, doc.header.timeBonus, doc.programs[0].movementCount,
                                doc.programs[1].used, doc.enemyCount, p.direction[2], p.steps[2], p.firstFrame[2],
                                p.lastFrame[2], e.program, e.speed, e.animationRate, e.hitPoints, e.x, e.y, e.imageSet,
                                set.x, set.y, set.width, set.height, set.frameCount, set.slotIndex}),
              (std::vector<int>{LoadOk, 1, INT32_MIN, 5, 0, 2, UP, INT32_MAX, -1, 0, 0, 2, 5, 10, 120, 40, 1, 100, 197,
                                32, 31, 4, 1}));
    EXPECT_EQ(loaded.steps.calls, (Lines{"reset", "bitmap levels/level3.bmp", "show", "caption Level_\xE9\x80\xFF"}));
}

// Up to the capacities and beyond them, cut short, or broken.
TEST(DatReader, ResultsOfWholeFiles) {
    std::string enemies = headerLines(), block = headerLines() + "BEP 2\r\n";
    for (int i = 0; i < MAX_ENEMIES; ++i) enemies += "ENEMY 0 0 0 0 0 0 0\r\n";
    for (int i = 0; i < MAX_MOVEMENTS; ++i) block += " LEFT 1 0 0 \r\n";
    const std::string ended = "the file ends before END", cut = "the file ends in a line without a line end, before END";
    const std::string marker = "expected \"Y N N N\", found \"";
    struct Case { std::string bytes; LoadResult result; int line; std::string cause; } cases[] = {
        {headerLines() + "END", LoadOk, 0, ""}, {enemies + "END", LoadOk, 0, ""}, {block + "EEP\r\nEND", LoadOk, 0, ""},
        {enemies + "ENEMY 1 1 1 1 1 1 1\r\nEND", LoadSyntaxError, 27, "more than 15 enemies"},
        {block + " UP 1 0 0 \r\nEEP\r\nEND", LoadSyntaxError, 88, "program 2 has more than 75 movements"},
        {records({"ENEMY 0 1 2 3 4 5 6"}), LoadEndedEarly, 13, ended},
        {headerLines() + "ENEMY 0 1 2 3 4 5 6 ", LoadEndedEarly, 12, cut},
        {records({"BEP 0", "END"}), LoadEndedEarly, 14, ended},  // END inside a block is skipped
        {"S\r\nT", LoadEndedEarly, 2, cut},
        {crlfLines({"S", "T", "b.bmp", "m"}) + "w", LoadEndedEarly, 5, cut},
        {crlfLines({"S", "T", "b.bmp", "m"}), LoadBadMarkerLine, 10, marker + "\""},
        {crlfLines({"S", "T", "b.bmp", "m", "w", "o", "l", "c"}) + "500", LoadBadMarkerLine, 10, marker + "\""},
        {crlfLines({"S", "T", "b.bmp", "m", "w", "o", "l", "c", "5", "Y N N N ", "", "END"}), LoadBadMarkerLine, 10,
         marker + "Y N N N \""},
        {"S\nT\nlevel.bmp\nm\nw\no\nl\nc\n5\nY N N N\n\nEND\n", LoadBitmapError, 3, "levels/level.bm: no such bitmap"},
        {"S\r\nT\r\nb.bmp", LoadBitmapError, 3, "the bitmap line has no line end"},
        {records({"BEP 0", " UP 12 0 ", "EEP", "END"}), LoadSyntaxError, 13, "UP needs 3 numbers"},
        {records({"BEP", "EEP", "END"}), LoadSyntaxError, 12, "BEP needs a program number"},
        {records({"CIS 1 2 3", "END"}), LoadSyntaxError, 12, "CIS needs 6 numbers"},
        {records({"ENEMY 4 5 6", "END"}), LoadSyntaxError, 12, "ENEMY needs 7 numbers"},
        {records({"BEP 15", "EEP", "END"}), LoadSyntaxError, 12, "program number 15 is outside 0..14"},
        {records({"BEP -1", "EEP", "END"}), LoadSyntaxError, 12, "program number -1 is outside 0..14"},
        {records({"CIS 1 2 3 4 5 15", "END"}), LoadSyntaxError, 12, "image set number 15 is outside 0..14"},
    };
    for (const Case& c : cases) {
        const Loaded loaded(c.bytes, c.result == LoadBitmapError ? "levels/level.bmp" : "");
        EXPECT_EQ(std::tuple(loaded.result, loaded.doc.loaded, loaded.diagnostic.line, loaded.diagnostic.cause),
                  std::tuple(c.result, c.result == LoadOk, c.line, c.cause)) << c.bytes;
        // A caption only for a level, or the program's own after a bad marker line.
        const std::string last = loaded.steps.calls.back(), caption = last.rfind("caption ", 0) ? "" : last;
        EXPECT_EQ(caption, c.result == LoadOk ? "caption Title" : c.result == LoadBadMarkerLine ? "caption QZT Level Editor" : "");
    }
}

// Records in any order among lines the reader skips: unknown words, keywords
// in another case, an ENEMY line inside a program block, lines after END.
TEST(DatReader, RecordsAreToleratedInAnyOrderAndUnknownLinesSkipped) {
    const Loaded loaded(records({"CIS 1 2 3 4 5 7", "cis 9 9 9 9 9 9", "# a note", "ENEMY x 1 2 3 4 5 6 extra", "BEP 1",
                                 "just words", "7 8 9", "ENEMY 1 2 3 4 5 6 7", "\tUP\t3 4 5 extra", "up 1 1 1",
                                 "STOP 2 0 0", "EEP", "BEP 4", "EEP", "", "END", "CIS 1 2"}));
    EXPECT_EQ(serializeLevel(loaded.doc), headerLines() + crlfLines({"BEP 1", " UP 3 4 5 ", " STOP 2 0 0 ", "EEP",
        "BEP 4", "EEP", "", "ENEMY 0 1 2 3 4 5 6 ", "", "CIS 1 2 3 4 5 7 ", "", "END", ""}) + SavedFileComment);
    const Loaded bonus(crlfLines({"S", "T", "b.bmp", "m", "w", "o", "l", "c", "  42 s", "Y N N N", "", "END"}));
    EXPECT_EQ(bonus.doc.header.timeBonus, 42);  // line 9 is read from its start
}

// A failed load keeps what it read; the next starts afresh, but fields it
// does not reach keep the previous level's values.
TEST(DatReader, FailedLoadsKeepWhatWasReadAndTheNextLoadResets) {
    const Loaded shortEnemy(records({"ENEMY 4 5 6", "END"}));  // it stays, with its fields, but uncounted
    EXPECT_EQ(std::tuple(shortEnemy.doc.enemies[0].used, shortEnemy.doc.enemies[0].animationRate, shortEnemy.doc.enemyCount),
              std::tuple(1, 6, 0));
    LevelDocument doc;
    testing::RecordingSteps steps;
    ASSERT_EQ(testing::loadText(testing::exampleLevelBytes(), doc, steps), LoadOk);
    ASSERT_EQ(testing::loadText("New\r\nNewTitle\r\nb.bmp", doc, steps), LoadBitmapError);
    EXPECT_EQ(std::string(doc.header.title) + doc.header.musicPath, "NewTitlecave.mid");
    EXPECT_FALSE(doc.loaded || doc.enemies[0].used || doc.programs[0].used || doc.imageSets[0].used);
    EXPECT_EQ(std::pair(doc.programs[0].movementCount, doc.enemyCount), std::pair(5, 0));
}

// The bitmap path is joined to the file's directory, "\\" separating
// everywhere; a file that cannot be opened reads as nothing, so the directory
// is tried. Only regular files are read, and nothing waits on others.
TEST(DatReader, LoadLevelFileFindsTheBitmapBesideIt) {
    testing::TempDir dir;
    const std::string path = dir.file("level.dat"), directory = directoryOf(path.c_str());
    testing::writeFile(path, crlfLines({"S", "T", "art\\level.bmp", "m", "w", "o", "l", "c", "1", "Y N N N", "", "END"}));
    LevelDocument doc;
    testing::RecordingSteps steps;
    ASSERT_EQ(loadLevelFile(path.c_str(), doc, steps), LoadOk);
    EXPECT_EQ(steps.calls[1], "bitmap " + directory + "art" + directory.back() + "level.bmp");
    LoadDiagnostic diagnostic;
    steps.onlyBitmap = "none";
    EXPECT_EQ(loadLevelFile(dir.file("missing.dat").c_str(), doc, steps, &diagnostic), LoadBitmapError);
    EXPECT_EQ(steps.calls.back() + ", " + diagnostic.cause, "bitmap " + directory + ", the data file does not exist");
#ifndef _WIN32
    ASSERT_EQ(mkfifo(dir.file("pipe.dat").c_str(), 0600), 0);
    EXPECT_EQ(levelFileProblem(dir.file("pipe.dat").c_str()) + ", " + levelFileProblem("/dev/zero"),
              "is not a regular file, is not a regular file");
#endif
}

LevelDocument loadBack(const std::string& bytes) {
    const Loaded loaded(bytes);
    EXPECT_EQ(loaded.result, LoadOk);
    return loaded.doc;
}

// The example holds every keyword, both ends of 32 bits and bytes above 127;
// a text may fill its line.
TEST(DatWriter, WritesWhatItReadsByteForByte) {
    for (const std::string& bytes : {testing::exampleLevelBytes(), headerLines("b.bmp", std::string(499, '\xFF')) +
                                                                      crlfLines({"", "", "", "END", ""}) + SavedFileComment})
        EXPECT_EQ(serializeLevel(loadBack(bytes)), bytes);
}

// A movement without keyword is written but not read back; enemies come back packed.
TEST(DatWriter, WritesUsedSlotsOnlyWithSlotNumbersAndPacksEnemies) {
    LevelDocument doc = loadBack(headerLines() + "END");
    doc.programs[1].movementCount = 3;  // not used: never written
    EnemyProgram& program = doc.programs[3];
    program.used = 1;
    program.movementCount = 2;
    program.direction[0] = UP;
    program.steps[0] = 12;
    program.firstFrame[0] = 0;
    program.lastFrame[0] = 3;
    program.direction[1] = 42;
    program.steps[1] = 7;
    program.firstFrame[1] = 1;
    program.lastFrame[1] = 2;
    doc.programs[5].used = 1;  // no movements: BEP directly followed by EEP
    doc.enemies[2] = Enemy{1, 2, 3, 4, 5, 6, 7, 1};
    doc.enemies[3] = Enemy{9, 9, 9, 9, 9, 9, 9, 0};
    doc.imageSets[5] = ImageSet{7, 8, 9, 10, 3, 11, 1};  // slotIndex disagrees: the slot is written
    EXPECT_EQ(serializeLevel(doc), headerLines() + crlfLines({"BEP 3", " UP 12 0 3 ", "7 1 2 ", "EEP", "BEP 5", "EEP", "",
                                                              "ENEMY 7 6 4 5 1 2 3 ", "", "CIS 7 8 9 10 3 5 ", "",
                                                              "END", ""}) + SavedFileComment);
    const LevelDocument back = loadBack(serializeLevel(doc));
    EXPECT_EQ(std::tuple(back.programs[3].movementCount, back.enemies[0].x, back.enemyCount), std::tuple(1, 1, 1));
    program.movementCount = 1000;  // never read past the arrays
    const std::string bytes = serializeLevel(doc);
    EXPECT_EQ(std::count(bytes.begin(), bytes.begin() + bytes.find("BEP 5"), '\n'), 11 + 1 + MAX_MOVEMENTS + 1);
}

}  // namespace
}  // namespace qzt
