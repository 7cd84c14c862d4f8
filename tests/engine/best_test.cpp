// The best guess against a brute force: on small fields every arrangement of
// the mines is listed, and the two clicks' safety and the chance of winning
// under the best play are worked out from that list alone.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>

#include "engine/best_guess.h"
#include "engine/chances.h"
#include "engine/safest_guess.h"
#include "tests/engine/arrangements.h"

namespace {

// The layouts where hidden cell h is safe, by the number it shows.
std::map<int, std::vector<uint32_t>> opened(const listing& l, const std::vector<uint32_t>& layouts, int h)
{
    std::map<int, std::vector<uint32_t>> parts;
    for (uint32_t layout : layouts)
        if (!(layout >> h & 1))
            parts[shown(l, layout, l.hidden[h])].push_back(layout);
    return parts;
}

double two_clicks(const listing& l, int h)
{
    double sum = 0;
    for (const auto& [number, part] : opened(l, l.layouts, h)) {
        double safest = l.hidden.size() == 1 ? 1.0 : 0.0;
        for (std::size_t d = 0; d < l.hidden.size(); d++)
            if (int(d) != h)
                safest = std::max(safest, 1 - mined_share(part, d));
        sum += double(part.size()) * safest;
    }
    return sum / double(l.layouts.size());
}

// The chance of winning from layouts, cells in open opened, under the best
// play: the best of opening each other cell that is safe in some layout.
double win(const listing& l, const std::vector<uint32_t>& layouts, uint32_t open,
           std::map<std::pair<std::vector<uint32_t>, uint32_t>, double>& known, int* choice = nullptr)
{
    uint32_t any = 0;
    uint32_t every = ~0u;
    for (uint32_t m : layouts) {
        any |= m;
        every &= m;
    }
    if ((any & ~every) == 0)
        return 1.0;
    if (auto found = known.find({layouts, open}); found != known.end() && !choice)
        return found->second;
    double best = 0;
    for (std::size_t h = 0; h < l.hidden.size(); h++) {
        if (open >> h & 1 || (every >> h & 1))
            continue;
        double sum = 0;
        for (const auto& [number, part] : opened(l, layouts, int(h)))
            sum += double(part.size()) * win(l, part, open | 1u << h, known);
        if (sum / double(layouts.size()) > best + 1e-12) {
            best = sum / double(layouts.size());
            if (choice)
                *choice = int(h);
        }
    }
    return known[{layouts, open}] = best;
}

}  // namespace

using BestTest = GameStateTest;

TEST_F(BestTest, TwoClicksAndTheEndgameAgreeWithEveryArrangement)
{
    std::mt19937 draw(11);
    endgame_arrangements = 1e6;
    int searched = 0;
    for (int round = 0; round < 150; round++) {
        SCOPED_TRACE(round);
        random_board(draw, 4, 3, 2, 5);
        listing l = list_board();
        for (std::size_t h = 0; h < l.hidden.size(); h++)
            EXPECT_NEAR(two_click_safety(l.hidden[h]), two_clicks(l, int(h)), 1e-9) << "cell " << l.hidden[h];
        std::map<std::pair<std::vector<uint32_t>, uint32_t>, double> known;
        int best = -1;
        double chance = win(l, l.layouts, 0, known, &best);
        if (best < 0)
            continue;  // nothing left to guess
        int cell = -1;
        double found = endgame_win_chance(&cell);
        if (found < 0)
            continue;  // over the search's node budget
        EXPECT_NEAR(found, chance, 1e-9);
        // The cell the search opens wins as often as the best one.
        int h = int(std::find(l.hidden.begin(), l.hidden.end(), cell) - l.hidden.begin());
        double sum = 0;
        for (const auto& [number, part] : opened(l, l.layouts, h))
            sum += double(part.size()) * win(l, part, 1u << h, known);
        EXPECT_NEAR(sum / double(l.layouts.size()), chance, 1e-9) << "cell " << cell;
        searched++;
    }
    endgame_arrangements = ENDGAME_ARRANGEMENTS;
    EXPECT_GT(searched, 50);
}

TEST_F(BestTest, KnownPositionsOpenTheCellTheRuleWants)
{
    struct known_case {
        std::vector<std::string> board;
        int mines;
        int x;
        int y;
        bool weighed;  // chosen by the look-ahead: at least as good two clicks as the safest rule's cell
    };
    const known_case KNOWN[] = {
        {{"1*1", "..."}, 1, 0, 1, false},                // safe by the mines left, though no rule sees it
        {{"*.F.*", "13F..", "012*."}, 5, 0, 0, false},  // a pair nothing can tell apart, before the free cells' 25%
        {{"*F2.", "*4.*", "..*."}, 5, 2, 1, true},       // the safest rule opens 3,0: as safe, a worse next click
        {{".2**", ".*..", "2**."}, 5, 2, 1, true},       // and 0,0 here
    };
    endgame_arrangements = 0;
    for (const known_case& c : KNOWN) {
        load_board(c.board);
        mines = c.mines;
        int chosen = best_cell();
        EXPECT_EQ(chosen, c.x + c.y * xdim) << c.board[0];
        if (!c.weighed)
            continue;
        std::vector<double> chance(std::size_t(xdim) * ydim);
        compute_chances(chance.data());
        listing l = list_board();
        auto h = [&l](int cell) { return int(std::find(l.hidden.begin(), l.hidden.end(), cell) - l.hidden.begin()); };
        EXPECT_GE(two_clicks(l, h(chosen)), two_clicks(l, h(safest_cell(chance))) - 1e-12) << c.board[0];
    }
    endgame_arrangements = ENDGAME_ARRANGEMENTS;
}
