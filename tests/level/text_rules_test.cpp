// The lexical layer of the data files: lines, tokens, numbers, directories.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "level/dat_reader.h"
#include "level/decimal.h"
#include "level/file_paths.h"

namespace qzt {
namespace {

using Lines = std::vector<std::string>;

// The lines of bytes held in memory (piece 0), or pulled at most piece bytes
// at a time from a file whose size says `size`; *afterTwo: bytes pulled once
// two lines were read.
Lines readAll(const std::string& bytes, size_t piece = 0, uint64_t size = 0, size_t* afterTwo = nullptr) {
    size_t at = 0;
    LineReader reader = piece ? LineReader([&](unsigned char* out, size_t max) {
        const size_t n = std::min({max, piece, bytes.size() - at});
        std::memcpy(out, bytes.data() + at, n);
        at += n;
        return n;
    }, size ? size : bytes.size()) : LineReader(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
    Lines lines;
    for (Line line; reader.readLine(line), line.kind != LineKind::Exhausted;) {
        lines.push_back(line.kind == LineKind::EndOfFile ? "<eof>" : line.text);
        if (afterTwo && lines.size() == 2) *afterTwo = at;
    }
    return lines;
}

TEST(LineReader, DropsTheByteBeforeEachLfCutsLongLinesAndKeepsOnlyAnUnterminatedEnd) {
    std::string letters;
    for (int i = 0; i < 600; ++i) letters += char('a' + i % 26);
    const std::string q499(499, 'q');
    const std::pair<std::string, Lines> cases[] = {
        {"abc\r\n\r\nxy\n\n", {"abc", "", "x", ""}}, {"x\r\nEND", {"x", "END"}},
        {"ENX", {"END"}},  // only the first two bytes count
        {"EXZ", {"<eof>"}}, {"EN", {"<eof>"}}, {"ENDS", {"<eof>"}}, {std::string(500, 'q'), {"<eof>"}},
        {letters + "\r\n", {letters.substr(0, 499), letters.substr(501)}},  // 499 characters, two bytes lost
        {q499 + "\r\nnext\r\n", {q499, "next"}}, {q499 + "qq", {q499}},
    };
    for (const auto& [bytes, lines] : cases)
        for (size_t piece : {0, 1, 7, 1000}) EXPECT_EQ(readAll(bytes, piece), lines) << bytes.substr(0, 9) << piece;
}

// Pulled piece by piece, no further than the lines need, ending where the bytes do.
TEST(LineReader, PullsOnlyWhatTheLinesNeed) {
    const std::string bytes = "one\r\n" + std::string(700, 'x') + "\r\n" + std::string(499, 'y') + "\r\nENZ";
    for (size_t piece : {1, 7, 1000}) {
        size_t pulled = 0;
        EXPECT_EQ(readAll(bytes, piece, 0, &pulled).back(), "END");
        EXPECT_LE(pulled, 5 + 501 + 501 + piece);
    }
    EXPECT_EQ(readAll("a\r\nEND", 3, 1u << 30), (Lines{"a", "END"}));  // shorter than its size said
}

TEST(NextToken, SplitsOnBlanksAndTabsAndLeavesTheBufferWhenNoneIsLeft) {
    char token[TokenBufferSize];
    const char* text = " \tBEP  12\t";
    const int used = nextToken(text, token);
    EXPECT_EQ(used, 5);
    EXPECT_STREQ(token, "BEP");
    EXPECT_EQ(nextToken(text + used + nextToken(text + used, token), token), -1);
    EXPECT_STREQ(token, "12");
    const std::string run(700, 'z');  // longer runs are split after 499 characters
    EXPECT_EQ(nextToken(run.c_str(), token), 499);
    EXPECT_EQ(std::strlen(token), 499u);
}

TEST(Decimal, ParsesLikeTheStandardConversionButSaturates) {
    const std::pair<const char*, int32_t> cases[] = {
        {"123", 123}, {"  \t-45xyz", -45}, {"+7", 7}, {"abc", 0}, {"- 5", 0}, {"", 0},
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
