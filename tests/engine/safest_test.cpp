// The safest guess: the cell it opens on boards whose answer is known by hand,
// and the chances there and on small random boards against a count of every
// arrangement of the mines.
#include <gtest/gtest.h>

#include <random>

#include "engine/chances.h"
#include "engine/counting.h"
#include "engine/safest_guess.h"
#include "tests/engine/arrangements.h"

namespace {

struct known_case {
    const char* name;
    std::vector<std::string> board;
    int mines;
    int chosen_x;
    int chosen_y;
};

const known_case KNOWN[] = {
    {"a 50/50 pair: the lower index", {"11", "*."}, 1, 0, 1},
    {"1-2-1: mines under the 1s", {"121", "*.*"}, 2, 1, 1},
    {"a free cell safer than the frontier: a corner first", {"1....", "*..*."}, 2, 4, 0},
    {"a tie with the free cells: next to a number, fewest hidden around", {"1....", "*.*.*"}, 3, 0, 1},
    {"two independent groups and the free cells", {"1*.1", "...*", "..*."}, 3, 0, 2},
    {"one mine left: the shared cells", {"1*1", "..."}, 1, 0, 1},
    {"two mines left: the outer cells", {"1.1", "*.*"}, 2, 1, 0},
    {"flags count as mines", {"2F1", "*..", "..*"}, 3, 2, 1},
};

// Small fields, their mines (fewest, most) and how many positions each.
struct field_case {
    int width;
    int height;
    int fewest;
    int most;
    int rounds;
};
constexpr field_case FIELDS[] = {{5, 4, 2, 6, 300}, {5, 5, 3, 8, 40}, {6, 4, 3, 8, 40}};

}  // namespace

using SafestTest = GameStateTest;

TEST_F(SafestTest, KnownPositionsGiveTheirChancesAndTheGuessOpensTheChosenCell)
{
    for (const known_case& c : KNOWN) {
        SCOPED_TRACE(c.name);
        load_board(c.board);
        mines = c.mines;
        guesses = inexact_guesses = 0;
        blown_up = 0;
        guess_safety = 1;
        std::vector<double> chance(std::size_t(xdim) * ydim);
        EXPECT_EQ(compute_chances(chance.data()), CHANCES_EXACT);
        listing l = list_board();
        for (std::size_t h = 0; h < l.hidden.size(); h++)
            EXPECT_NEAR(chance[l.hidden[h]], mined_share(l.layouts, h), 1e-12) << "cell " << l.hidden[h];
        int chosen = c.chosen_x + c.chosen_y * xdim;
        EXPECT_EQ(safest_cell(chance), chosen);
        bool mine = sea[chosen] == CELL_MINE;
        EXPECT_EQ(make_safest_guess(), !mine);
        EXPECT_EQ(blown_up + guesses, mine ? chosen + 1 : 1) << "a guess found safe still counts";
        EXPECT_DOUBLE_EQ(guess_safety, 1 - chance[chosen]);
        EXPECT_EQ(inexact_guesses, 0);
    }
}

TEST_F(SafestTest, ChancesAgreeWithEveryArrangementAndCutGroupsStillPlaceTheMinesLeft)
{
    std::mt19937 draw(7);
    int cut_rounds = 0;
    for (const field_case& field : FIELDS) {
        for (int round = 0; round < field.rounds; round++) {
            SCOPED_TRACE(std::to_string(field.width) + " by " + std::to_string(field.height) + ", round " +
                         std::to_string(round));
            random_board(draw, field.width, field.height, field.fewest, field.most);
            listing l = list_board();
            ASSERT_FALSE(l.layouts.empty());
            std::vector<double> chance(std::size_t(xdim) * ydim);
            EXPECT_EQ(compute_chances(chance.data()), CHANCES_EXACT);
            for (std::size_t h = 0; h < l.hidden.size(); h++)
                EXPECT_NEAR(chance[l.hidden[h]], mined_share(l.layouts, h), 1e-12) << "cell " << l.hidden[h];

            // Cut into halves, every group of two cells or more: the halves only
            // ever add arrangements, so no cell becomes certain that was not.
            exact_count_limit = 3;
            std::vector<double> cut(std::size_t(xdim) * ydim);
            int exact = compute_chances(cut.data()) == CHANCES_EXACT;
            cut_rounds += !exact;
            double placed = 0;
            for (int i : l.hidden) {
                EXPECT_TRUE(cut[i] > 0 || chance[i] < 1e-9) << "cell " << i;
                EXPECT_TRUE(cut[i] < 1 || chance[i] > 1 - 1e-9) << "cell " << i;
                placed += cut[i];
            }
            EXPECT_NEAR(placed, l.left, 1e-9) << "every arrangement weighed still holds the mines left";
            inexact_guesses = 0;
            make_safest_guess();
            EXPECT_EQ(inexact_guesses, 1 - exact);
            exact_count_limit = EXACT_COUNT_STEPS;
        }
    }
    EXPECT_GT(cut_rounds, 0) << "a group over the step limit is cut and says so";
}

TEST_F(SafestTest, AFlagBesideACellCountsAsHiddenInItsRank)
{
    // A cell beside a known mine can never show a 0: the flag makes it no
    // nearer a corner. 9 more for the cells next to no number.
    load_board({"1F.", "..."});
    std::vector<int> ranks;
    for (int i : {2, 3, 4, 5})
        ranks.push_back(guess_rank(i));
    EXPECT_EQ(ranks, (std::vector<int>{12, 2, 4, 12}));
}
