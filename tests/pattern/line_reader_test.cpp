// The fixed-buffer line reader: whole lines with their line ends, longer lines in pieces.

#include "pattern/line_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace {

std::vector<std::string> piecesOf(const std::string& content, int bufferSize) {
    TempDir dir;
    writeFile("lines", content);
    std::FILE* file = std::fopen("lines", "r");
    EXPECT_NE(file, nullptr);
    std::vector<std::string> pieces;
    if (!file) return pieces;
    LineReader lines(file, bufferSize);
    std::string piece;
    while (lines.next(piece)) pieces.push_back(piece);
    std::fclose(file);
    return pieces;
}

using Pieces = std::vector<std::string>;

TEST(LineReaderTest, HandsOverLinesWithTheirLineEnds) {
    EXPECT_EQ(piecesOf("one\n\ntwo", 100), (Pieces{"one\n", "\n", "two"}));
    EXPECT_EQ(piecesOf("", 100), Pieces{});
}

TEST(LineReaderTest, SplitsALongLineIntoPiecesOfBufferSizeLessOne) {
    EXPECT_EQ(piecesOf("abcdefgh\nij\n", 4), (Pieces{"abc", "def", "gh\n", "ij\n"}));
    // A line of exactly size - 1 characters leaves its line end as an empty line.
    EXPECT_EQ(piecesOf("abc\nd\n", 4), (Pieces{"abc", "\n", "d\n"}));
}

}  // namespace
