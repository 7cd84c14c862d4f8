// orvanta-batch chances: every refusal of its reader, and the whole output
// of the program on a position worked out by hand.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "batch/position_reader.h"

TEST(Position, EveryRefusalNamesItsPlace)
{
    const std::pair<std::string, std::string> refused[] = {
        {"", "line 1: the file is empty; its first line is the field, WxH/M"},
        {"9x9\n", "line 1: '9x9' is not a field WxH/M (width x height / mines)"},
        {"0x3/1\n", "line 1: '0' is out of range (1 to 512)"},
        {"3x2/5\n...\n...\n", "line 1: '3x2/5' has 5 mines: at most 4 on 6 cells (the first cell and one more stay "
                              "safe)"},
        {"3x2/1\n...\n", "line 3: a 3x2 field has 2 rows; this file has 1"},
        {"3x2/1\n...\n...\n...\n", "line 4: a 3x2 field has 2 rows; this file has 3"},
        {"3x2/1\n1x.\n...\n", "line 2, column 2: 'x' is not a count 0 to 8, '.' or 'F'"},
        {"3x2/1\n1\r.\n...\n", "line 2, column 2: byte 13 is not a count 0 to 8, '.' or 'F'"},
        {"3x2/1\n1.\n...\n", "line 2, column 3: the row is 3 cells long"},
        {"3x2/1\n1...\n...\n", "line 2, column 4: the row is 3 cells long"},
        {"3x2/1\nFF.\n...\n", "line 1: 2 flags but 1 mines"},
        {"3x2/2\n4..\n...\n", "line 2, column 1: a 4 on a cell with 3 neighbours"},
        {"3x2/2\n1F.\nF..\n", "line 2, column 1: a 1 with 2 flags around it"},
        {"3x2/2\n3..\n111\n", "line 2, column 1: a 3 with only 1 hidden cells and flags around it"},
        {"4x2/2\n1.1.\n2...\n", "line 2, column 1: no arrangement of mines fits this count and those it shares cells "
                                "with"},
        {"3x2/4\n1..\n...\n", "line 1, column 5: 4 mines do not fit the counts and flags, which hold 1 to 3"},
    };
    for (const auto& [text, problem] : refused) {
        position p;
        EXPECT_EQ(read_position(text, p), problem) << text;
    }
}

TEST(Position, TheProgramShowsTheChancesAndEachRulesCell)
{
    // One flag and one mine left, which the 2 puts beside it in the third
    // column: a third each; the rest is safe.
    std::string path = ::testing::TempDir() + "position.txt";
    std::ofstream(path, std::ios::binary) << "4x3/2\r\n1F..\r\n12..\r\n....\r\n";
    std::FILE* program = popen((BATCH_PROGRAM " chances " + path).c_str(), "r");
    ASSERT_NE(program, nullptr);
    std::string out;
    char buffer[256];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, program)) > 0;)
        out.append(buffer, got);
    EXPECT_EQ(pclose(program), 0);
    EXPECT_EQ(out, "4x3/2: the chance of a mine of each hidden cell in percent ('F' a flag, [n] an opened cell's "
                   "count)\n"
                   "        0     1     2     3\n"
                   "  0   [1]     F  33.3   0.0\n"
                   "  1   [1]   [2]  33.3   0.0\n"
                   "  2   0.0   0.0  33.3   0.0\n"
                   "random opens any hidden cell\n"
                   "safest opens 0,2 (a mine 0.0%)\n"
                   "best opens   0,2 (a mine 0.0%)\n");
    std::remove(path.c_str());
}
