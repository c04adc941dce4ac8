// The lexical layer of the data files: lines, tokens, numbers, directories.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "level/dat_reader.h"
#include "level/decimal.h"

namespace qzt {
namespace {

std::vector<std::string> readAll(const std::string& bytes) {
    LineReader reader(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
    std::vector<std::string> lines;
    for (Line line; reader.readLine(line), line.kind != LineKind::Exhausted;) {
        lines.push_back(line.kind == LineKind::EndOfFile ? "<eof>" : line.text);
    }
    return lines;
}

TEST(LineReader, DropsTheByteBeforeEachLfAndKeepsOnlyAnUnterminatedEnd) {
    using Lines = std::vector<std::string>;
    EXPECT_EQ(readAll("abc\r\n\r\nxy\n\n"), (Lines{"abc", "", "x", ""}));
    EXPECT_EQ(readAll("x\r\nEND"), (Lines{"x", "END"}));
    EXPECT_EQ(readAll("ENX"), Lines{"END"});  // only the first two bytes count
    EXPECT_EQ(readAll("EXZ"), Lines{"<eof>"});
    EXPECT_EQ(readAll("EN"), Lines{"<eof>"});
    EXPECT_EQ(readAll("ENDS"), Lines{"<eof>"});
    EXPECT_EQ(readAll(std::string(500, 'q')), Lines{"<eof>"});
}

// Read piece by piece, a file gives the lines that its bytes give, reads no
// further than the lines need, and ends where the file really ends.
TEST(LineReader, PiecesGiveTheSameLinesAndStopWhereTheLinesDo) {
    std::string bytes = "one\r\n" + std::string(700, 'x') + "\r\n" + std::string(499, 'y') + "\r\nENZ";
    for (size_t piece : {size_t(1), size_t(7), size_t(1000)}) {
        size_t at = 0;
        LineReader reader([&](unsigned char* out, size_t max) {
            const size_t n = std::min({max, piece, bytes.size() - at});
            std::memcpy(out, bytes.data() + at, n);
            at += n;
            return n;
        }, bytes.size());
        std::vector<std::string> lines;
        Line line;
        for (int i = 0; i < 2; ++i) reader.readLine(line), lines.push_back(line.text);
        EXPECT_LE(at, size_t(5 + 501 + 501 + piece));
        while (reader.readLine(line), line.kind != LineKind::Exhausted) lines.push_back(line.text);
        EXPECT_EQ(lines, readAll(bytes)) << piece;
    }
    // A file shorter than its size said ends where its bytes do.
    const std::string shorter = "a\r\nEND";
    size_t at = 0;
    LineReader reader([&](unsigned char* out, size_t max) {
        const size_t n = std::min(max, shorter.size() - at);
        std::memcpy(out, shorter.data() + at, n);
        at += n;
        return n;
    }, 1u << 30);
    std::vector<std::string> lines;
    for (Line line; reader.readLine(line), line.kind != LineKind::Exhausted;) lines.push_back(line.text);
    EXPECT_EQ(lines, (std::vector<std::string>{"a", "END"}));
}

TEST(LineReader, LongLinesGive499CharactersAndLoseTwoBytes) {
    std::string longLine;
    for (int i = 0; i < 600; ++i) longLine += char('a' + i % 26);
    EXPECT_EQ(readAll(longLine + "\r\n"), (std::vector<std::string>{longLine.substr(0, 499), longLine.substr(501)}));
    std::string fits(499, 'q');  // a LF at index 500 still ends the line
    EXPECT_EQ(readAll(fits + "\r\nnext\r\n"), (std::vector<std::string>{fits, "next"}));
    EXPECT_EQ(readAll(std::string(501, 'q')), std::vector<std::string>{std::string(499, 'q')});
}

TEST(NextToken, SplitsOnBlanksAndTabsAndLeavesTheBufferWhenNoneIsLeft) {
    char token[TokenBufferSize];
    const char* text = " \tBEP  12\t";
    int used = nextToken(text, token);
    EXPECT_EQ(used, 5);
    EXPECT_STREQ(token, "BEP");
    used += nextToken(text + used, token);
    EXPECT_STREQ(token, "12");
    EXPECT_EQ(nextToken(text + used, token), -1);
    EXPECT_STREQ(token, "12");
    EXPECT_EQ(nextToken("", token), -1);
    std::string run(700, 'z');  // longer runs are split after 499 characters
    EXPECT_EQ(nextToken(run.c_str(), token), 499);
    EXPECT_EQ(std::strlen(token), 499u);
}

TEST(Decimal, ParsesLikeTheStandardConversionButSaturates) {
    std::pair<const char*, int32_t> cases[] = {
        {"123", 123},         {"  \t-45xyz", -45},         {"+7", 7},
        {"abc", 0},           {"- 5", 0},                  {"", 0},
        {"2147483648", INT32_MAX}, {"-99999999999999", INT32_MIN}, {"-2147483648", INT32_MIN},
    };
    for (const auto& [text, value] : cases) EXPECT_EQ(parseDecimal(text), value) << text;
    std::string out;
    for (int32_t value : {0, -3, 1200, INT32_MAX, INT32_MIN}) appendDecimal(out, value), out += ',';
    EXPECT_EQ(out, "0,-3,1200,2147483647,-2147483648,");
}

TEST(DirectoryOf, CutsAfterTheLastSeparatorOfEitherKind) {
    EXPECT_EQ(directoryOf("C:\\levels\\one.dat"), "C:\\levels\\");
    EXPECT_EQ(directoryOf("levels/sub\\x/one.dat"), "levels/sub\\x/");
    EXPECT_EQ(directoryOf("one.dat"), "");
}

}  // namespace
}  // namespace qzt
