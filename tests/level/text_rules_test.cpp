// The lexical layer of the data files: lines, tokens, numbers, directories.
#include <gtest/gtest.h>

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
    EXPECT_EQ(readAll("EN"), Lines{"<eof>"});
    EXPECT_EQ(readAll("ENDS"), Lines{"<eof>"});
    EXPECT_EQ(readAll(std::string(500, 'q')), Lines{"<eof>"});
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
