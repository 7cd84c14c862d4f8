// The safest guess: chances on boards whose answer is known by hand, and on
// small random boards against a count of every arrangement of the mines.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <iterator>
#include <random>

#include "engine/board.h"
#include "engine/reveal.h"
#include "engine/chances.h"
#include "engine/counting.h"
#include "engine/safest_guess.h"
#include "tests/support/fixture.h"

namespace {

struct known_case {
    const char* name;
    std::vector<std::string> board;
    int mines;
    std::vector<double> chances;  // of the hidden unflagged cells, in index order
    int chosen_x;
    int chosen_y;
};

const known_case KNOWN[] = {
    {"a 50/50 pair: the lower index", {"11", "*."}, 1, {0.5, 0.5}, 0, 1},
    {"1-2-1: mines under the 1s", {"121", "*.*"}, 2, {1, 0, 1}, 1, 1},
    {"a free cell safer than the frontier: a corner first", {"1....", "*..*."}, 2,
     {1. / 3, 1. / 6, 1. / 6, 1. / 6, 1. / 3, 1. / 3, 1. / 6, 1. / 6, 1. / 6}, 4, 0},
    {"a tie with the free cells: next to a number, fewest hidden around", {"1....", "*.*.*"}, 3,
     {1. / 3, 1. / 3, 1. / 3, 1. / 3, 1. / 3, 1. / 3, 1. / 3, 1. / 3, 1. / 3}, 0, 1},
    {"two independent groups and the free cells", {"1*.1", "...*", "..*."}, 3,
     {1. / 3, 1. / 3, 1. / 3, 1. / 3, 1. / 3, 1. / 3, .25, .25, .25, .25}, 0, 2},
    {"one mine left: the shared cells", {"1*1", "..."}, 1, {.5, 0, .5, 0}, 0, 1},
    {"two mines left: the outer cells", {"1.1", "*.*"}, 2, {0, 1, 0, 1}, 1, 0},
    {"flags count as mines", {"2F1", "*..", "..*"}, 3, {1, 0, 0, 1. / 3, 1. / 3, 1. / 3}, 2, 1},
};

std::size_t sea_cells()
{
    return std::size_t(xdim) * ydim;
}

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
        std::vector<double> chance(sea_cells());
        EXPECT_EQ(compute_chances(chance.data()), CHANCES_EXACT);
        std::vector<double> hidden;
        std::copy_if(chance.begin(), chance.end(), std::back_inserter(hidden), [](double p) { return p >= 0; });
        for (std::size_t i = 0; i < c.chances.size(); i++)
            EXPECT_NEAR(hidden.at(i), c.chances[i], 1e-12) << "hidden cell " << i;
        int chosen = c.chosen_x + c.chosen_y * xdim;
        EXPECT_EQ(safest_cell(chance), chosen);
        bool mine = sea[chosen] == CELL_MINE;
        EXPECT_EQ(make_safest_guess(), !mine);
        EXPECT_EQ(blown_up + guesses, mine ? chosen + 1 : 1) << "a guess found safe still counts";
        EXPECT_DOUBLE_EQ(guess_safety, 1 - chance[chosen]);
        EXPECT_EQ(inexact_guesses, 0);
    }
}

namespace {

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

TEST_F(SafestTest, ChancesAgreeWithEveryArrangementAndCutGroupsStillPlaceTheMinesLeft)
{
    std::mt19937 draw(7);
    int cut_rounds = 0;
    for (const field_case& field : FIELDS) {
        for (int round = 0; round < field.rounds; round++) {
            SCOPED_TRACE(std::to_string(field.width) + " by " + std::to_string(field.height) + ", round " +
                         std::to_string(round));
            int w = field.width;
            int n = w * field.height;
            auto near = [w](int i, int j) {
                return j != i && std::abs(j % w - i % w) <= 1 && std::abs(j / w - i / w) <= 1;
            };
            // Mines laid at random, the numbers made from them: three cells tried
            // for opening (with their floods) and about a third of the mines flagged.
            load_board(std::vector<std::string>(field.height, std::string(w, '.')));
            mines = field.fewest + int(draw() % (field.most - field.fewest + 1));
            for (int placed = 0; placed < mines;) {
                int i = int(draw() % n);
                placed += sea[i] == CELL_HIDDEN;
                sea[i] = CELL_MINE;
            }
            for (int tries = 0; tries < 3; tries++)
                if (int i = int(draw() % n); sea[i] == CELL_HIDDEN)
                    hit(i % w, i / w);
            std::vector<int> hidden;
            int left = mines;
            for (int i = 0; i < n; i++) {
                if (sea[i] == CELL_MINE && draw() % 3 == 0)
                    sea[i] = CELL_FLAGGED;
                left -= sea[i] == CELL_FLAGGED;
                if (sea[i] == CELL_MINE || sea[i] == CELL_HIDDEN)
                    hidden.push_back(i);
            }
            // Each number as the hidden cells around it (a bit each) and the mines they hold.
            std::vector<std::pair<uint32_t, int>> numbers;
            for (int i = 0; i < n; i++) {
                uint32_t around = 0;
                int held = sea[i];
                for (std::size_t h = 0; h < hidden.size(); h++)
                    around |= uint32_t(near(i, hidden[h])) << h;
                for (int j = 0; j < n; j++)
                    held -= near(i, j) && sea[j] == CELL_FLAGGED;
                if (sea[i] >= 0)
                    numbers.emplace_back(around, held);
            }
            // Every set of left hidden cells, in increasing order of its bits.
            std::vector<double> mined(n, 0.0);
            double fits = 0;
            for (uint64_t set = (1u << left) - 1; set < (uint64_t(1) << hidden.size());) {
                bool agrees = std::all_of(numbers.begin(), numbers.end(), [set](auto number) {
                    return std::popcount(set & number.first) == number.second;
                });
                fits += agrees;
                for (std::size_t h = 0; h < hidden.size(); h++)
                    mined[hidden[h]] += agrees && ((set >> h) & 1);
                uint64_t low = set & -set;
                uint64_t carried = set + low;
                set = set ? carried | (((set ^ carried) >> 2) / low) : ~uint64_t(0);
            }
            ASSERT_GT(fits, 0);
            std::vector<double> chance(sea_cells());
            EXPECT_EQ(compute_chances(chance.data()), CHANCES_EXACT);
            for (int i : hidden)
                EXPECT_NEAR(chance[i], mined[i] / fits, 1e-12) << "cell " << i;

            // Cut into halves, every group of two cells or more: the halves only
            // ever add arrangements, so no cell becomes certain that was not.
            exact_count_limit = 3;
            std::vector<double> cut(sea_cells());
            int exact = compute_chances(cut.data()) == CHANCES_EXACT;
            cut_rounds += !exact;
            double placed = 0;
            for (int i : hidden) {
                EXPECT_TRUE(cut[i] > 0 || chance[i] < 1e-9) << "cell " << i;
                EXPECT_TRUE(cut[i] < 1 || chance[i] > 1 - 1e-9) << "cell " << i;
                placed += cut[i];
            }
            EXPECT_NEAR(placed, left, 1e-9) << "every arrangement weighed still holds the mines left";
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
