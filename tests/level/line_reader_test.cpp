#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "level/dat_reader.h"

namespace qzt {
namespace {

struct Lines {
    std::string bytes;
    LineReader reader;
    explicit Lines(std::string data)
        : bytes(std::move(data)), reader(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()) {}
    Line next() {
        Line line;
        reader.readLine(line);
        return line;
    }
};

TEST(LineReader, DropsTheByteBeforeEachLf) {
    Lines lines("abc\r\n\r\nxy\n\n");
    EXPECT_STREQ(lines.next().text, "abc");
    EXPECT_STREQ(lines.next().text, "");
    EXPECT_STREQ(lines.next().text, "x");  // a bare LF costs the last character
    Line empty = lines.next();
    EXPECT_EQ(empty.kind, LineKind::Text);
    EXPECT_STREQ(empty.text, "");
    EXPECT_EQ(lines.next().kind, LineKind::Exhausted);
    EXPECT_EQ(lines.next().kind, LineKind::Exhausted);
}

TEST(LineReader, UnterminatedLastLineCountsOnlyAsEnd) {
    EXPECT_STREQ(Lines("END").next().text, "END");
    EXPECT_EQ(Lines("END").next().kind, LineKind::Text);
    EXPECT_STREQ(Lines("ENX").next().text, "END");  // only its first two bytes count
    EXPECT_EQ(Lines("EN").next().kind, LineKind::EndOfFile);
    EXPECT_EQ(Lines("ENDS").next().kind, LineKind::EndOfFile);
    EXPECT_EQ(Lines("ENEMY 1 2 3 4 5 6 7").next().kind, LineKind::EndOfFile);
    Lines afterwards("x\r\nEND");
    afterwards.next();
    EXPECT_STREQ(afterwards.next().text, "END");
    EXPECT_EQ(afterwards.next().kind, LineKind::Exhausted);
}

TEST(LineReader, LongLinesGive499CharactersAndLoseTwoBytes) {
    std::string longLine;
    for (int i = 0; i < 600; ++i) longLine += char('a' + i % 26);
    Lines lines(longLine + "\r\n");
    Line first = lines.next();
    EXPECT_EQ(std::strlen(first.text), 499u);
    EXPECT_EQ(std::string(first.text), longLine.substr(0, 499));
    // Bytes 499 and 500 are lost; the rest comes as a line of its own.
    EXPECT_EQ(std::string(lines.next().text), longLine.substr(501));
    EXPECT_EQ(lines.next().kind, LineKind::Exhausted);
}

TEST(LineReader, LineLengthLimitsAtTheBoundary) {
    // 499 characters and CR LF: a LF at index 500 still ends the line.
    std::string fits(499, 'q');
    Lines exact(fits + "\r\nnext\r\n");
    EXPECT_EQ(std::string(exact.next().text), fits);
    EXPECT_STREQ(exact.next().text, "next");
    // 500 bytes without a line end at the end of the file: not "END", so end of file.
    EXPECT_EQ(Lines(std::string(500, 'q')).next().kind, LineKind::EndOfFile);
    // 501 bytes without a line end: the long-line rule applies.
    Lines over(std::string(501, 'q'));
    EXPECT_EQ(std::strlen(over.next().text), 499u);
    EXPECT_EQ(over.next().kind, LineKind::Exhausted);
}

TEST(NextToken, SplitsOnBlanksAndTabsAndCountsWhatItConsumed) {
    char token[TokenBufferSize] = "untouched";
    const char* text = " \tBEP  12\t";
    int used = nextToken(text, token);
    EXPECT_EQ(used, 5);
    EXPECT_STREQ(token, "BEP");
    used += nextToken(text + used, token);
    EXPECT_STREQ(token, "12");
    EXPECT_EQ(nextToken(text + used, token), -1);  // trailing blanks are no token
    EXPECT_STREQ(token, "12");                     // left as it was
    EXPECT_EQ(nextToken("", token), -1);
    EXPECT_EQ(nextToken("   ", token), -1);
}

TEST(NextToken, SplitsRunsLongerThan499Characters) {
    std::string run(700, 'z');
    char token[TokenBufferSize];
    int used = nextToken(run.c_str(), token);
    EXPECT_EQ(used, 499);
    EXPECT_EQ(std::strlen(token), 499u);
    EXPECT_EQ(nextToken(run.c_str() + used, token), 201);
}

TEST(DirectoryOf, CutsAfterTheLastSeparatorOfEitherKind) {
    EXPECT_EQ(directoryOf("C:\\levels\\one.dat"), "C:\\levels\\");
    EXPECT_EQ(directoryOf("/home/me/levels/one.dat"), "/home/me/levels/");
    EXPECT_EQ(directoryOf("C:\\levels/sub\\one.dat"), "C:\\levels/sub\\");
    EXPECT_EQ(directoryOf("levels/sub\\x/one.dat"), "levels/sub\\x/");
    EXPECT_EQ(directoryOf("one.dat"), "");
}

}  // namespace
}  // namespace qzt
