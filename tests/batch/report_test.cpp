// The progress line, the summary and the plot.
#include <cstdio>
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

int count_of(const std::string& text, const std::string& part)
{
    int count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        count++;
    return count;
}

}  // namespace

TEST(Tally, TotalsByOutcomeAndByScoreAddUp)
{
    game_tally sum{};
    add_tally(sum, sample_tally());
    add_tally(sum, sample_tally());
    EXPECT_EQ(sum.finished, 20);
    EXPECT_EQ(sum.safe_guesses, 34);
    EXPECT_EQ(outcome_total(sum, OUTCOME_LOST), 8);
    EXPECT_EQ(score_total(sum, 479), 4) << "lost and no-start games at the same score";
    EXPECT_EQ(score_total(sum, 1), 0);
}

TEST(Progress, ShowsGamesRateAndTimeLeft)
{
    std::string line = progress_line(250, 1000, 5.0);
    EXPECT_NE(line.find("250/1000 games"), std::string::npos) << line;
    EXPECT_NE(line.find(" 25%"), std::string::npos) << line;
    EXPECT_NE(line.find("50 games/s"), std::string::npos) << line;
    EXPECT_NE(line.find("0:15 left"), std::string::npos) << line;
    EXPECT_EQ(line.find('\n'), std::string::npos);
    EXPECT_NE(progress_line(0, 1000, 0.0).find("--:-- left"), std::string::npos);
    EXPECT_NE(progress_line(30, 1000, 2.0).find("1:05 left"), std::string::npos);
}

TEST(Summary, NamesEveryOutcomeAndTheRate)
{
    std::string text = summary_text(sample_tally(), {42, 2, 10, 4.0, false});
    EXPECT_NE(text.find("games:        10 (seed 42, 2 jobs)\n"), std::string::npos) << text;
    EXPECT_NE(text.find("won:          3 (30.0%)\n"), std::string::npos) << text;
    EXPECT_NE(text.find("lost:         4\n"), std::string::npos) << text;
    EXPECT_NE(text.find("unsolved:     2\n"), std::string::npos) << text;
    EXPECT_NE(text.find("no-start:     1\n"), std::string::npos) << text;
    EXPECT_NE(text.find("safe guesses: 17\n"), std::string::npos) << text;
    EXPECT_NE(text.find("time:         4.00 s (2 games/s)\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("interrupted"), std::string::npos);
    std::string stopped = summary_text(sample_tally(), {42, 1, 500, 1.0, true});
    EXPECT_NE(stopped.find("interrupted:  10 of 500 games played\n"), std::string::npos) << stopped;
    EXPECT_NE(stopped.find("1 job)"), std::string::npos) << stopped;
}

TEST(Plot, TitleAxesBarsAndWonGamesMarked)
{
    std::string svg = histogram_svg(sample_tally(), 480);
    EXPECT_NE(svg.find("10 games: 3 won (30.0%), 4 lost, 2 unsolved, 1 no-start"), std::string::npos);
    EXPECT_NE(svg.find(">cells left hidden</text>"), std::string::npos);
    EXPECT_NE(svg.find(">games</text>"), std::string::npos);
    EXPECT_NE(svg.find(">3 won</text>"), std::string::npos);
    // Bars of 4 scores, stacked by outcome: won at 0; lost at 4-7 under
    // unsolved; lost at 200; lost under no-start at 476-479. Four legend boxes.
    std::regex box("<rect x=\"[0-9.]+\" y=\"[0-9.]+\" width=\"[0-9.]+\" height=\"[0-9.]+\" fill=\"#");
    std::ptrdiff_t boxes = std::distance(std::sregex_iterator(svg.begin(), svg.end(), box), std::sregex_iterator());
    EXPECT_EQ(boxes, 6 + 4);
    EXPECT_EQ(count_of(svg, "<svg"), 1);
    EXPECT_EQ(count_of(svg, "</svg>"), 1);
}

TEST(Plot, IsWellFormedSvg)
{
    std::string path = ::testing::TempDir() + "orvanta-plot-test.svg";
    write_file(path, histogram_svg(sample_tally(), 480));
    std::string command = "xmllint --noout " + path + " 2>&1";
    std::FILE* lint = popen(command.c_str(), "r");
    ASSERT_NE(lint, nullptr);
    std::string complaints = read_stream(lint);
    EXPECT_EQ(pclose(lint), 0) << complaints;
    EXPECT_EQ(complaints, "");
    std::remove(path.c_str());
}
