// A worker's share played in-process: what its log and trace say, and how
// they agree with each other and with the counts.
#include <map>
#include <set>

#include "batch/tally.h"
#include "tests/batch/helpers.h"

namespace {

const int CELLS = 30 * 16;

struct log_line {
    std::string seed;
    int game;
    int score;
    int guesses;
    std::string outcome;
};

std::vector<log_line> parse_log(const std::string& text)
{
    std::vector<log_line> parsed;
    for (const std::string& line : lines_of(text)) {
        std::vector<std::string> f = split(line, '\t');
        EXPECT_EQ(f.size(), 5u) << line;
        if (f.size() == 5)
            parsed.push_back({f[0], std::stoi(f[1]), std::stoi(f[2]), std::stoi(f[3]), f[4]});
    }
    return parsed;
}

// Per game of a trace: the cells reported with their codes, and the status texts.
struct traced_game {
    std::map<std::pair<int, int>, std::set<int>> codes;
    std::vector<std::pair<int, int>> order;
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
            std::pair<int, int> cell{std::stoi(f[1]), std::stoi(f[2])};
            game.codes[cell].insert(std::stoi(f[3]));
            game.order.push_back(cell);
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

TEST(ClassifyGame, BadGuessIsLostWhateverItsScore)
{
    EXPECT_EQ(classify_game(0, 0, CELLS), OUTCOME_WON);
    EXPECT_EQ(classify_game(0, CELLS - 1, CELLS), OUTCOME_NOSTART);
    EXPECT_EQ(classify_game(0, 7, CELLS), OUTCOME_UNSOLVED);
    EXPECT_EQ(classify_game(0, CELLS, CELLS), OUTCOME_UNSOLVED);
    EXPECT_EQ(classify_game(66, CELLS - 1, CELLS), OUTCOME_LOST);
    EXPECT_EQ(classify_game(1, 3, CELLS), OUTCOME_LOST);
}

TEST_F(BatchTest, SameSeedPlaysTheSameGamesAndAnotherSeedOthers)
{
    play(plan(12), true, false);
    std::string first = log_text;
    tally = {};
    play(plan(12), true, false);
    EXPECT_EQ(log_text, first);
    tally = {};
    worker_plan other = plan(12);
    other.seed = TEST_SEED + 1;
    play(other, true, false);
    EXPECT_NE(log_text, first);
}

TEST_F(BatchTest, LogHasOneLinePerGameAgreeingWithTheCounts)
{
    play(plan(40), true, false);
    std::vector<log_line> lines = parse_log(log_text);
    ASSERT_EQ(lines.size(), 40u);
    EXPECT_EQ(tally.finished, 40);
    std::map<std::string, int64_t> outcomes;
    int64_t guesses = 0;
    for (std::size_t i = 0; i < lines.size(); i++) {
        const log_line& line = lines[i];
        EXPECT_EQ(line.seed, std::to_string(TEST_SEED));
        EXPECT_EQ(line.game, int(i) + 1);
        EXPECT_GE(line.score, 0);
        EXPECT_LE(line.score, CELLS);
        EXPECT_EQ(line.outcome == "won", line.score == 0) << "game " << line.game;
        outcomes[line.outcome]++;
        guesses += line.guesses;
    }
    for (int o = 0; o < OUTCOME_COUNT; o++)
        EXPECT_EQ(outcomes[OUTCOME_NAMES[o]], outcome_total(tally, game_outcome(o))) << OUTCOME_NAMES[o];
    EXPECT_EQ(guesses, tally.safe_guesses);
    EXPECT_GT(outcomes["lost"], 0) << "guessing on: some of 40 games end on a bad guess";
    EXPECT_EQ(outcomes["unsolved"] + outcomes["nostart"], 0) << "guessing on: every game ends won or lost";
}

TEST_F(BatchTest, WithoutGuessingNothingIsLostAndNoStartsAreCounted)
{
    worker_plan share = plan(60);
    share.no_guess = true;
    play(share, true, false);
    EXPECT_EQ(outcome_total(tally, OUTCOME_LOST), 0);
    EXPECT_EQ(tally.safe_guesses, 0);
    EXPECT_GT(outcome_total(tally, OUTCOME_NOSTART), 0);
    EXPECT_EQ(outcome_total(tally, OUTCOME_NOSTART), tally.by_score[OUTCOME_NOSTART][CELLS - 1]);
    for (const log_line& line : parse_log(log_text))
        EXPECT_EQ(line.outcome == "nostart", line.score == CELLS - 1) << line.game;
}

TEST_F(BatchTest, TraceAccountsForEveryCellAndEndsEachGameWithItsResult)
{
    worker_plan share = plan(12);
    play(share, true, true);
    std::vector<log_line> log = parse_log(log_text);
    std::map<int, traced_game> games = parse_trace(trace_text);
    ASSERT_EQ(games.size(), log.size());
    for (const log_line& line : log) {
        const traced_game& game = games[line.game];
        // Every reported cell was opened or flagged, and stays so: the cells
        // never reported are exactly the score.
        EXPECT_EQ(int(game.codes.size()) + line.score, CELLS) << "game " << line.game;
        for (const auto& [cell, codes] : game.codes) {
            EXPECT_EQ(codes.size(), 1u) << "a cell changed twice in game " << line.game;
            EXPECT_GE(*codes.begin(), -3);
            EXPECT_LE(*codes.begin(), 8);
            EXPECT_NE(*codes.begin(), -1);
            EXPECT_NE(*codes.begin(), -2);
        }
        ASSERT_FALSE(game.texts.empty());
        EXPECT_EQ(game.texts.front(), "Starting to solve");
        const char* result = line.outcome == "lost"  ? "Bad guess!"
                             : line.outcome == "won" ? "Problem solved successfully"
                                                     : "No solution found";
        EXPECT_EQ(game.texts.back(), result) << "game " << line.game;
        EXPECT_EQ(count_starting(game.texts, "Guesses: "), line.guesses) << "game " << line.game;
        EXPECT_EQ(count_starting(game.texts, "Marked"), 0) << "level 2 texts stay out at verbose 2";
        ASSERT_FALSE(game.order.empty());
        EXPECT_EQ(game.order.front(), std::make_pair(0, 0)) << "the first cell is opened first";
    }
}

TEST_F(BatchTest, VerboseChoosesWhichStatusTextsAreTraced)
{
    worker_plan share = plan(3);
    share.verbose = 4;
    play(share, false, true);
    std::vector<std::string> all;
    for (auto& [number, game] : parse_trace(trace_text))
        all.insert(all.end(), game.texts.begin(), game.texts.end());
    EXPECT_GT(count_starting(all, "Marked "), 0);
    EXPECT_GT(count_starting(all, "Hit    "), 0);
    EXPECT_GT(count_starting(all, "Hit X = "), 0);

    tally = {};
    share.verbose = 0;
    play(share, false, true);
    all.clear();
    for (auto& [number, game] : parse_trace(trace_text))
        all.insert(all.end(), game.texts.begin(), game.texts.end());
    EXPECT_EQ(count_starting(all, "Guesses: "), 0);
    EXPECT_EQ(count_starting(all, "Starting to solve"), 3) << "texts without a level are always traced";
}

TEST_F(BatchTest, FirstCellOfEveryGameIsTheChosenOne)
{
    worker_plan share = plan(5);
    share.first_x = 29;
    share.first_y = 15;
    play(share, false, true);
    std::map<int, traced_game> games = parse_trace(trace_text);
    ASSERT_EQ(games.size(), 5u);
    for (auto& [number, game] : games) {
        ASSERT_FALSE(game.order.empty());
        EXPECT_EQ(game.order.front(), std::make_pair(29, 15)) << "game " << number;
        EXPECT_GE(*game.codes[std::make_pair(29, 15)].begin(), 0) << "the first cell is never a mine";
    }
}

TEST_F(BatchTest, UntilWinStopsAtTheFirstWonGame)
{
    worker_plan share = plan(2000);
    share.until_win = true;
    play(share, true, false);
    std::vector<log_line> lines = parse_log(log_text);
    ASSERT_FALSE(lines.empty());
    ASSERT_LT(lines.size(), 2000u) << "a won game within 2000 tries";
    EXPECT_EQ(lines.back().outcome, "won");
    for (std::size_t i = 0; i + 1 < lines.size(); i++)
        EXPECT_NE(lines[i].outcome, "won");
    EXPECT_EQ(outcome_total(tally, OUTCOME_WON), 1);
}

TEST_F(BatchTest, StopAskedBeforeTheFirstGamePlaysNone)
{
    int32_t stop = 1;
    worker_plan share = plan(10);
    share.stop = &stop;
    play(share, true, false);
    EXPECT_EQ(tally.finished, 0);
    EXPECT_TRUE(log_text.empty());
}
