// A worker's share played in-process: what its log and trace say, and how
// they agree with each other and with the counts.
#include <map>
#include <set>

#include "batch/tally.h"
#include "driver/state.h"
#include "tests/batch/helpers.h"

namespace {

const int CELLS = 30 * 16;

// Per game of a trace: the cells in the order reported with their codes,
// the cells reported, and the status texts.
struct traced_game {
    std::vector<std::pair<std::pair<int, int>, int>> changes;
    std::set<std::pair<int, int>> cells;
    std::vector<std::string> texts;
};

std::map<int, traced_game> parse_trace(const std::string& text)
{
    std::map<int, traced_game> games;
    for (const std::string& line : lines_of(text)) {
        std::vector<std::string> f = split(line, '\t');
        traced_game& game = games[std::stoi(f[0])];
        if (f.size() == 3 && f[1] == "#") {
            game.texts.push_back(f[2]);
        } else {
            EXPECT_EQ(f.size(), 4u) << line;
            std::pair<int, int> cell{std::stoi(f.at(1)), std::stoi(f.at(2))};
            game.changes.push_back({cell, std::stoi(f.at(3))});
            game.cells.insert(cell);
        }
    }
    return games;
}

int count_starting(const std::vector<std::string>& texts, const std::string& prefix)
{
    int count = 0;
    for (const std::string& text : texts)
        count += text.rfind(prefix, 0) == 0;
    return count;
}

}  // namespace

TEST(ClassifyGame, ABadGuessIsLostEvenAtTheNoStartScore)
{
    EXPECT_EQ(classify_game(66, CELLS - 1, CELLS), OUTCOME_LOST);
}

TEST_F(BatchTest, LogAndTraceAccountForEveryGameAndAgreeWithTheCounts)
{
    struct config {
        bool no_guess;
        int verbose;  // status texts below this level are traced
        int rule;
    };
    for (const config& c : {config{false, 2, GUESS_RANDOM}, config{true, 4, GUESS_RANDOM},
                            config{false, 0, GUESS_RANDOM}, config{false, 2, GUESS_SAFEST}}) {
        SCOPED_TRACE(::testing::Message() << "no_guess " << c.no_guess << ", verbose " << c.verbose << ", rule "
                                          << c.rule);
        play(60, [&](auto& p) { p.first_x = 29; p.first_y = 15; p.no_guess = c.no_guess; p.verbose = c.verbose;
                                p.guess_rule = c.rule; });
        std::vector<std::string> log = lines_of(log_text);
        std::map<int, traced_game> games = parse_trace(trace_text);
        ASSERT_EQ(log.size(), 60u);
        ASSERT_EQ(games.size(), 60u);
        std::map<std::string, int64_t> outcomes;
        int64_t guesses = 0;
        std::vector<std::string> all_texts;
        for (int number = 1; number <= 60; number++) {
            // seed, game, score, guesses, outcome, and the chance that every guess was safe
            std::vector<std::string> f = split(log[number - 1], '\t');
            ASSERT_EQ(f.size(), c.rule == GUESS_SAFEST ? 6u : 5u) << log[number - 1];
            // The fatal guess was never sure; with no guess at all nothing was risked.
            double safe = c.rule == GUESS_SAFEST ? std::stod(f[5]) : -1;
            EXPECT_TRUE(safe == -1 || (safe > 0 && safe <= 1 && (f[4] == "lost" ? safe < 1 : f[3] != "0" || safe == 1)))
                << log[number - 1];
            int score = std::stoi(f[2]);
            EXPECT_EQ(f[0] + " " + f[1], std::to_string(TEST_SEED) + " " + std::to_string(number));
            EXPECT_EQ(f[4] == "won", score == 0) << "game " << number;
            EXPECT_EQ(f[4] == "nostart", score == CELLS - 1 && f[4] != "lost") << "game " << number;
            outcomes[f[4]]++;
            guesses += std::stoi(f[3]);
            const traced_game& game = games[number];
            // Every reported cell was opened or flagged once, and stays so:
            // the cells never reported are exactly the score.
            EXPECT_EQ(game.changes.size(), game.cells.size()) << "a cell changed twice in game " << number;
            EXPECT_EQ(int(game.cells.size()) + score, CELLS) << "game " << number;
            for (const auto& [cell, code] : game.changes)
                EXPECT_TRUE(code == -3 || (code >= 0 && code <= 8)) << code;
            ASSERT_FALSE(game.changes.empty() || game.texts.empty());
            EXPECT_EQ(game.changes.front().first, std::make_pair(29, 15)) << "the chosen first cell is opened first";
            EXPECT_GE(game.changes.front().second, 0) << "the first cell is never a mine";
            // The texts without a level are traced at any verbose.
            EXPECT_EQ(game.texts.front(), "Starting to solve");
            EXPECT_EQ(game.texts.back(), f[4] == "lost"  ? "Bad guess!"
                                         : f[4] == "won" ? "Problem solved successfully"
                                                         : "No solution found");
            EXPECT_EQ(count_starting(game.texts, "Guesses: "), c.verbose > 0 ? std::stoi(f[3]) : 0)
                << "game " << number;
            all_texts.insert(all_texts.end(), game.texts.begin(), game.texts.end());
        }
        EXPECT_EQ(count_starting(all_texts, "Marked ") > 0, c.verbose > 2);
        EXPECT_EQ(count_starting(all_texts, "Hit    ") > 0, c.verbose > 2);
        EXPECT_EQ(count_starting(all_texts, "Hit X = ") > 0, c.verbose > 3);
        for (int o = 0; o < OUTCOME_COUNT; o++)
            EXPECT_EQ(outcomes[OUTCOME_NAMES[o]], outcome_total(tally, game_outcome(o))) << OUTCOME_NAMES[o];
        EXPECT_EQ(guesses, tally.safe_guesses);
        EXPECT_GT(outcomes["won"], 0);
        if (c.no_guess) {
            EXPECT_EQ(outcomes["lost"] + guesses, 0);
            EXPECT_GT(outcomes["nostart"], 0);
        } else {
            EXPECT_GT(outcomes["lost"], 0) << "some games end on a bad guess";
            EXPECT_EQ(outcomes["unsolved"] + outcomes["nostart"], 0) << "every game ends won or lost";
        }
    }
}

TEST_F(BatchTest, StopAskedBeforeTheFirstGamePlaysNone)
{
    int32_t stop = 1;
    play(10, [&](worker_plan& p) { p.stop = &stop; });
    EXPECT_EQ(tally.finished, 0);
    EXPECT_EQ(log_text + trace_text, "");
}
