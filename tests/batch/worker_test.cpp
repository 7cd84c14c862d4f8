// A worker's share played in-process: its log and trace agree with each other
// and with the counts, game by game, with either guessing rule or none.
#include <cstring>
#include <map>
#include <set>
#include <sstream>

#include "batch/merge_reader.h"
#include "driver/state.h"
#include "engine/guess_rules.h"
#include "tests/batch/helpers.h"

TEST_F(BatchTest, LogAndTraceAccountForEveryGameAndAgreeWithTheCountsUntilAStop)
{
    const std::map<std::string, std::string> last_texts = {
        {"won", "Problem solved successfully"}, {"lost", "Bad guess!"},
        {"unsolved", "No solution found"}, {"nostart", "No solution found"}};
    const int random = find_guess_rule("random"), safest = find_guess_rule("safest");
    for (auto [no_guess, rule] : {std::pair{false, random}, {true, random}, {false, safest}}) {
        SCOPED_TRACE(::testing::Message() << "no_guess " << no_guess << ", rule " << rule);
        play(60, [&](worker_plan& p) {
            p.no_guess = no_guess;
            p.guess_rule = rule;
        });
        // The log as merge reads it: well formed, the chance column only with the safest rule, and its games
        // by outcome and score, and their guesses, are the counts.
        merge_input in = new_merge(480);
        ASSERT_EQ(read_merge_file(in, "log", log_text), "");
        EXPECT_EQ(in.entries.size(), 60u);
        EXPECT_EQ(in.log_columns, rule == safest ? 6 : 5);
        EXPECT_EQ(std::memcmp(in.logged.by_score, tally.by_score, sizeof tally.by_score), 0);
        EXPECT_EQ(in.logged.safe_guesses, tally.safe_guesses);
        EXPECT_GT(outcome_total(tally, OUTCOME_WON), 0);
        EXPECT_GT(outcome_total(tally, no_guess ? OUTCOME_NOSTART : OUTCOME_LOST), 0);
        // Per game: its cell changes (x, y, new code, in order) and its status texts.
        std::map<int, std::vector<std::string>> changes, texts;
        std::istringstream trace(trace_text), log(log_text);
        for (std::string game, rest; std::getline(trace, game, '\t') && std::getline(trace, rest);)
            (rest[0] == '#' ? texts : changes)[std::stoi(game)].push_back(rest);
        for (int game = 1; game <= 60; game++) {
            std::string seed, number, outcome;
            int score = 0, guesses = 0;
            double safe = 1;  // with the safest rule, the chance that every guess was safe
            log >> seed >> number >> score >> guesses >> outcome;
            if (rule == safest)
                log >> safe;
            EXPECT_EQ(seed + " " + number, std::to_string(TEST_SEED) + " " + std::to_string(game));
            // The fatal guess was never sure; with no guess nothing was risked.
            EXPECT_TRUE(safe > 0 && (outcome == "lost" ? rule == random || safe < 1 : guesses || safe == 1));
            // Every cell is opened or flagged once and stays so: the cells never changed are the score.
            std::set<std::string> cells;
            for (const std::string& change : changes[game])
                cells.insert(change.substr(0, change.rfind('\t')));
            EXPECT_EQ(cells.size(), changes[game].size()) << "a cell changed twice in game " << game;
            EXPECT_EQ(int(cells.size()) + score, 480) << "game " << game;
            EXPECT_EQ(changes[game].at(0).rfind("29\t15\t", 0), 0u) << "the chosen first cell is opened first";
            EXPECT_EQ(texts[game].front() + " ... " + texts[game].back(),
                      "#\tStarting to solve ... #\t" + last_texts.at(outcome));
        }
    }
    // Both rules on the same games, from a cell where the safest rule has to estimate a chance: each side counts
    // the guesses its own rule estimated, the random rule none.
    game_tally sides[2]{};
    play(60, [&](worker_plan& p) {
        p.first_x = 15;
        p.first_y = 8;
        p.compare = {random, safest};
        p.tally = sides;
    });
    EXPECT_EQ(sides[0].inexact_guesses, 0);
    EXPECT_GT(sides[1].inexact_guesses, 0);
    int32_t stop = 1;  // asked before the first game: none is played
    play(10, [&](worker_plan& p) { p.stop = &stop; });
    EXPECT_EQ(std::to_string(tally.finished) + log_text + trace_text, "0");
}
