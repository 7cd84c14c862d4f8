// The progress line, the summary and the plot.
#include <cstdio>
#include <fstream>
#include <regex>

#include "batch/plot.h"
#include "batch/report.h"
#include "tests/batch/helpers.h"

namespace {

// 10 games: 3 won, 4 lost (at 5, 5, 200 and 479 cells), 2 unsolved at 7, 1 no-start.
game_tally sample_tally()
{
    game_tally tally{};
    tally.finished = 10;
    tally.safe_guesses = 17;
    tally.by_score[OUTCOME_WON][0] = 3;
    tally.by_score[OUTCOME_LOST][5] = 2;
    tally.by_score[OUTCOME_LOST][200] = 1;
    tally.by_score[OUTCOME_LOST][479] = 1;
    tally.by_score[OUTCOME_UNSOLVED][7] = 2;
    tally.by_score[OUTCOME_NOSTART][479] = 1;
    return tally;
}

}  // namespace

TEST(Progress, ShowsGamesBarRateAndTimeLeft)
{
    EXPECT_EQ(progress_line(250, 1000, 5.0), "250/1000 games [######------------------]  25%  50 games/s  0:15 left");
    EXPECT_NE(progress_line(0, 1000, 0.0).find("--:-- left"), std::string::npos);
    EXPECT_NE(progress_line(30, 1000, 2.0).find("1:05 left"), std::string::npos);
}

TEST(Summary, NamesEveryOutcomeAndTheRate)
{
    EXPECT_EQ(summary_text(sample_tally(), {42, 2, 10, 4.0, false, 0, 0, 1}),
              "games:        10 (seed 42, 2 jobs)\n"
              "won:          3 (30.0%)\n"
              "lost:         4\n"
              "unsolved:     2\n"
              "no-start:     1\n"
              "safe guesses: 17\n"
              "time:         4.00 s (2 games/s)\n");
}

TEST(Plot, WellFormedWithTitleAxesStackedBarsAndWonGamesMarked)
{
    std::string svg = histogram_svg(sample_tally(), 480);
    EXPECT_NE(svg.find("10 games: 3 won (30.0%), 4 lost, 2 unsolved, 1 no-start"), std::string::npos);
    EXPECT_NE(svg.find(">cells left hidden</text>"), std::string::npos);
    EXPECT_NE(svg.find(">games</text>"), std::string::npos);
    EXPECT_NE(svg.find(">3 won</text>"), std::string::npos);
    // Bars of 4 scores, stacked by outcome: won at 0; lost at 4-7 under
    // unsolved; lost at 200; lost under no-start at 476-479. Four legend boxes.
    std::regex box("<rect x=\"[0-9.]+\" y=\"[0-9.]+\" width=\"[0-9.]+\" height=\"[0-9.]+\" fill=\"#");
    EXPECT_EQ(std::distance(std::sregex_iterator(svg.begin(), svg.end(), box), std::sregex_iterator()), 6 + 4);

    std::string path = ::testing::TempDir() + "orvanta-plot-test.svg";
    std::ofstream(path) << svg;
    std::FILE* lint = popen(("xmllint --noout " + path + " 2>&1").c_str(), "r");
    ASSERT_NE(lint, nullptr);
    std::string complaints = read_stream(lint);
    EXPECT_EQ(pclose(lint), 0) << complaints;
    EXPECT_EQ(complaints, "");
    std::remove(path.c_str());
}
