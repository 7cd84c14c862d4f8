// Every engine operation on small hand-built boards: its result, what it
// drew, traced and paused, in order, and the board after it. The orders in
// which cells are visited decide what is drawn first, so each row names them.
#include <gtest/gtest.h>

#include "engine/board.h"
#include "engine/cells.h"
#include "engine/layout.h"
#include "engine/neighbours.h"
#include "engine/pair_rule.h"
#include "engine/random.h"
#include "engine/reveal.h"
#include "engine/rules.h"
#include "tests/support/fixture.h"

namespace {

using picture = std::vector<std::string>;

struct operation_case {
    const char* name;
    int (*run)();
    int verbose;
    picture before;
    int result;
    const char* events;  // joined by "; "
    picture after;       // empty: as before
};

const picture RIGHT_COLUMN_PAIR = {"00*.*", "011.*", "00..*"};  // (1,1) within (2,1)
const picture LEFT_COLUMN_PAIR = {"*.*00", "*.110", "*..00"};   // the same, mirrored

const operation_case CASES[] = {
    {"flood from a corner: row above, row below, then the sides", [] { return hit(0, 0); }, 2, {"...", "..."}, 0,
     "cell 0 0; cell 1 1; cell 2 0; cell 2 1; cell 1 0; cell 0 1", {"000", "000"}},
    {"an opened cell is left alone", [] { return hit(0, 0); }, 2, {"3*F"}, 3, "", {}},
    {"a mine explodes and stays", [] { return hit(1, 0); }, 2, {"3*F"}, HIT_MINE, "text 0 ... Exploded!", {}},
    {"a flag explodes and stays", [] { return hit(2, 0); }, 2, {"3*F"}, HIT_MINE, "text 0 ... Exploded!", {}},
    {"a number opens alone, counting flags as mines", [] { return hit(1, 1); }, 2, {"F..", "...", "..*"}, 2,
     "cell 1 1", {"F..", ".2.", "..*"}},
    {"hit traces from verbose 4", [] { return hit(0, 0); }, 4, {".*"}, 1,
     "text 0 Hit X = 0 Y = 0 : recursion level = 1; cell 0 0", {"1*"}},
    {"hit traces a mine before it explodes", [] { return hit(1, 0); }, 4, {".*"}, HIT_MINE,
     "text 0 Hit X = 1 Y = 0 : recursion level = 1; text 0 ... Exploded!", {}},
    {"wash_cell: left column, right column, above, below", [] { return wash_cell(0, 0); }, 2,
     {"0.*", "..*", "***"}, 3, "cell 1 1; cell 1 0; cell 0 1", {"02*", "25*", "***"}},
    {"wash_cell counts only neighbours still hidden at their turn, traces from verbose 3",
     [] { return wash_cell(0, 0); }, 3, {"1...", "....", "...*"}, 1,
     "cell 1 1; cell 2 0; cell 3 1; cell 2 1; cell 1 0; cell 0 1; cell 1 2; cell 0 2; cell 2 2; cell 3 0; "
     "text 0 Hit      1   1",
     {"1000", "0011", "001*"}},
    {"wash_cell with nothing left to open", [] { return wash_cell(0, 0); }, 2, {"2F", "F1"}, 0, "", {}},
    {"flag_obvious: a corner 1's only hidden neighbour, flagged once", flag_obvious, 2, {"11", "1*"}, 1,
     "cell 1 1; pause 500", {"11", "1F"}},
    {"flag_obvious flags only the unflagged", flag_obvious, 2, {"F2*", "111"}, 1, "cell 2 0; pause 500",
     {"F2F", "111"}},
    {"flag_obvious needs an exact count", flag_obvious, 2, {"*2*", "1.1"}, 0, "", {}},
    {"flag_obvious within one cell in its order, tracing first", flag_obvious, 3, {"***", "*8*", "***"}, 1,
     "text 0 Marked   0   0; cell 0 0; pause 500; text 0 Marked   0   2; cell 0 2; pause 500; "
     "text 0 Marked   0   1; cell 0 1; pause 500; text 0 Marked   2   0; cell 2 0; pause 500; "
     "text 0 Marked   2   2; cell 2 2; pause 500; text 0 Marked   2   1; cell 2 1; pause 500; "
     "text 0 Marked   1   0; cell 1 0; pause 500; text 0 Marked   1   2; cell 1 2; pause 500",
     {"FFF", "F8F", "FFF"}},
    {"clear_knowns: later numbers see earlier openings", clear_knowns, 2, {"1F.", "...", "222"}, 1,
     "cell 1 1; cell 0 1; cell 2 0; cell 2 1", {"1F1", "111", "222"}},
    {"clear_knowns passes blanks and numbers with too many flags", clear_knowns, 2, {"0F", "1F"}, 0, "", {}},
    {"clear_knowns: satisfied, nothing left to open", clear_knowns, 2, {"1F", "11"}, 0, "", {}},
    {"deduce_remaining flags the last mines column by column", deduce_remaining, 2, {"*2*", "*20"}, 3,
     "cell 0 0; pause 500; cell 0 1; pause 500; cell 2 0; pause 500", {"F2F", "F20"}},
    {"deduce_remaining opens the rest column by column, counting hit calls", deduce_remaining, 2,
     {"F..", "...", "..."}, 2, "cell 0 1; cell 0 2; cell 1 1; cell 1 2; cell 2 1; cell 1 0; cell 2 0; cell 2 2",
     {"F10", "110", "000"}},
    {"deduce_remaining on a finished board", deduce_remaining, 2, {"F1", "11"}, 0, "", {}},
    {"pair: one mine each, one side within the other", [] { return check_pair(0, 0, 1, 0); }, 2, {"111", ".*."},
     1, "cell 2 1", {"111", ".*1"}},
    {"pair: the outer side's rest opens in its order (right column)", [] { return check_pair(1, 1, 2, 1); }, 2,
     RIGHT_COLUMN_PAIR, 1, "cell 3 1; cell 3 0; cell 3 2", {"00*3*", "0114*", "00.2*"}},
    {"pair: the outer side's rest opens in its order (left column)", [] { return check_pair(2, 1, 3, 1); }, 2,
     LEFT_COLUMN_PAIR, 1, "cell 1 1; cell 1 0; cell 1 2", {"*3*00", "*4110", "*2.00"}},
    {"pair: 1 and 2 left, the one cell outside the 1's is a mine", [] { return check_pair(1, 0, 2, 0); }, 2,
     {"0121", "1..."}, 1, "cell 3 1; pause 500", {"0121", "1..F"}},
    {"pair: 2 and 1 left, the other side", [] { return check_pair(1, 0, 2, 0); }, 2, {"1210", "...1"}, 1,
     "cell 0 1; pause 500", {"1210", "F..1"}},
    {"pair: two cells outside decide nothing", [] { return check_pair(1, 0, 2, 0); }, 2, {"012.", "1..."}, 0, "",
     {}},
    {"pair: the same hidden neighbours", [] { return check_pair(0, 0, 1, 0); }, 2, {"11", ".."}, 0, "", {}},
    {"pair: the first 1 has its mine flagged", [] { return check_pair(0, 0, 1, 0); }, 2, {"11", "F."}, 0, "", {}},
    {"pair: a hidden second cell", [] { return check_pair(0, 0, 1, 0); }, 2, {"1.", ".."}, 0, "", {}},
    {"pair: a blank second cell", [] { return check_pair(0, 0, 1, 0); }, 2, {"10", ".."}, 0, "", {}},
    {"pair: two mines each", [] { return check_pair(0, 0, 1, 0); }, 2, {"22.", "..."}, 0, "", {}},
    {"flag_less_obvious: later pairs see earlier openings, then the vertical pairs", flag_less_obvious, 2,
     {"11101.", ".*.01*", "00000."}, 1, "cell 2 1; cell 0 1; cell 5 2", {"11101.", "1*101*", "000001"}},
    {"flag_less_obvious: a vertical pair in the last column", flag_less_obvious, 2, {".1", "*1", ".."}, 1,
     "cell 0 2; cell 1 2; cell 0 0", {"11", "*1", "11"}},
    {"flag_less_obvious: pairs in the bottom row", flag_less_obvious, 2, {".*.", "111"}, 1,
     "cell 2 0; cell 0 0", {"1*1", "111"}},
    {"hit_1st moves a mine to the top-left unseen", [] { hit_1st(2, 0); return 0; }, 2, {"..*", "..*"}, 0,
     "cell 2 0", {"*.1", "..*"}},
    {"set_cell: a new flag is paced, an opened count is not",
     [] { set_cell(1, 0, CELL_FLAGGED); set_cell(2, 0, 4); return 0; }, 2, {"..."}, 0,
     "cell 1 0; pause 500; cell 2 0", {".F4"}},
};

}  // namespace

using EngineTest = GameStateTest;

TEST_F(EngineTest, EveryOperationOnItsBoard)
{
    for (const operation_case& c : CASES) {
        SCOPED_TRACE(c.name);
        reset_recorder();
        load_board(c.before);
        verbose = c.verbose;
        EXPECT_EQ(c.run(), c.result);
        EXPECT_EQ(joined_events(), c.events);
        EXPECT_EQ(board_picture(), c.after.empty() ? c.before : c.after);
        EXPECT_EQ(level, 0);
    }
}

TEST_F(EngineTest, ABlankCellAtLevel300OpensNoNeighbours)
{
    load_board(picture(400, "."));
    hit(0, 0);
    picture after(300, "0");
    after.resize(400, ".");
    EXPECT_EQ(board_picture(), after) << "cells 0 to 299 open, the rest stay hidden";
    EXPECT_EQ(level, 0);
}

TEST_F(EngineTest, TheInsideCountAgreesWithAVisitOfEveryNeighbour)
{
    reseed_random();
    for (int i = 0; i < xdim * ydim; i++)
        sea[i] = random_draw() % 12 - 3;
    for (int y = 0; y < ydim; y++)
        for (int x = 0; x < xdim; x++) {
            neighbour_counts expected{0, 0};
            for_each_neighbour<HIT_ORDER>(x, y, [&expected](int nx, int ny) {
                expected.hidden += cell_value(nx, ny) < 0;
                expected.flagged += cell_value(nx, ny) == CELL_FLAGGED;
            });
            neighbour_counts counted = count_neighbours(x, y);
            ASSERT_EQ(counted.hidden, expected.hidden) << x << "," << y;
            ASSERT_EQ(counted.flagged, expected.flagged) << x << "," << y;
        }
}
