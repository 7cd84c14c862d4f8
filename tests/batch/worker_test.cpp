// A worker's share played in-process: its log and trace agree with each other
// and with the counts, game by game.
#include <map>
#include <set>

#include "batch/tally.h"
#include "tests/batch/helpers.h"

TEST_F(BatchTest, LogAndTraceAccountForEveryGameAndAgreeWithTheCounts)
{
    for (bool no_guess : {false, true}) {
        SCOPED_TRACE(no_guess ? "without guessing" : "with guessing");
        play(60, [&](worker_plan& p) { p.first_x = 29; p.first_y = 15; p.no_guess = no_guess; });
        // Per game: its cell changes (cell and new code, in order) and its status texts.
        std::map<int, std::vector<std::string>> changes, texts;
        for (const std::string& line : lines_of(trace_text)) {
            std::vector<std::string> f = split(line, '\t');
            (f[1] == "#" ? texts : changes)[std::stoi(f[0])].push_back(line.substr(f[0].size() + 1));
        }
        std::vector<std::string> log = lines_of(log_text);
        ASSERT_EQ(log.size(), 60u);
        std::map<std::string, int64_t> outcomes;
        int64_t guesses = 0;
        for (int game = 1; game <= 60; game++) {
            std::vector<std::string> f = split(log[game - 1], '\t');  // seed, game, score, guesses, outcome
            int score = std::stoi(f.at(2));
            EXPECT_EQ(f[0] + " " + f[1], std::to_string(TEST_SEED) + " " + std::to_string(game));
            outcomes[f.at(4)]++;
            guesses += std::stoi(f[3]);
            EXPECT_EQ(f[4], f[4] == "lost" ? "lost" : score == 0 ? "won" : score == 479 ? "nostart" : "unsolved");
            // Every cell is opened or flagged once and stays so: the cells never changed are the score.
            std::set<std::string> cells;
            for (const std::string& change : changes[game])
                cells.insert(change.substr(0, change.rfind('\t')));
            EXPECT_EQ(cells.size(), changes[game].size()) << "a cell changed twice in game " << game;
            EXPECT_EQ(int(cells.size()) + score, 480) << "game " << game;
            EXPECT_EQ(changes[game].at(0).rfind("29\t15\t", 0), 0u) << "the chosen first cell is opened first";
            EXPECT_EQ(texts[game].front(), "#\tStarting to solve");
            EXPECT_EQ(texts[game].back(), f[4] == "lost"  ? "#\tBad guess!"
                                          : f[4] == "won" ? "#\tProblem solved successfully"
                                                          : "#\tNo solution found");
        }
        for (int o = 0; o < OUTCOME_COUNT; o++)
            EXPECT_EQ(outcomes[OUTCOME_NAMES[o]], outcome_total(tally, game_outcome(o))) << OUTCOME_NAMES[o];
        EXPECT_EQ(guesses, tally.safe_guesses);
        EXPECT_GT(outcomes["won"], 0);
        EXPECT_GT(no_guess ? outcomes["nostart"] : outcomes["lost"], 0);
    }
}

TEST_F(BatchTest, StopAskedBeforeTheFirstGamePlaysNone)
{
    int32_t stop = 1;
    play(10, [&](worker_plan& p) { p.stop = &stop; });
    EXPECT_EQ(tally.finished, 0);
    EXPECT_EQ(log_text + trace_text, "");
}
