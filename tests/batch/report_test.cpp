// The progress line, the summary and the plot.
#include <gtest/gtest.h>

#include <cstdio>
#include <regex>
#include <tuple>

#include "batch/plot.h"
#include "batch/report.h"
#include "engine/guess_rules.h"

TEST(Progress, ShowsGamesBarRateAndTimeLeft)
{
    EXPECT_EQ(progress_line(250, 1000, 5.0), "250/1000 games [######------------------]  25%  50 games/s  0:15 left");
    EXPECT_NE(progress_line(0, 1000, 0.0).find("--:-- left"), std::string::npos);
    EXPECT_NE(progress_line(30, 1000, 2.0).find("1:05 left"), std::string::npos);
}

TEST(Summary, EveryOutcomeWithItsWilsonIntervalAndBothRulesSideBySide)
{
    // 20,000 games, with the random rule and with the safest on the same games.
    // Games, safe guesses, those whose chances were estimated, games won by this rule alone and by random alone.
    const int safest = find_guess_rule("safest");
    game_tally sides[2] = {{20000, 54297, 0, 0, 0, {}}, {20000, 60000, 12, 5304, 300, {}}};
    const int64_t outcomes[2][OUTCOME_COUNT] = {{2896, 17000, 100, 4}, {7900, 12100, 0, 0}};
    for (int r = 0; r < 2; r++)
        for (int o = 0; o < OUTCOME_COUNT; o++)
            sides[r].by_score[o][o == OUTCOME_WON ? 0 : 9] = outcomes[r][o];
    EXPECT_EQ(summary_text(sides[0], {42, 2, 20000, 4.0, false, 0, 0, 1}),
              "games:        20,000 (seed 42, 2 jobs)\n"
              "won:          2,896 of 20,000 (14.5%, 95% CI 14.0% to 15.0%)\n"
              "lost:         17,000 of 20,000 (85.0%, 95% CI 84.5% to 85.5%)\n"
              "unsolved:     100 of 20,000 (0.5%, 95% CI 0.4% to 0.6%)\n"
              "no-start:     4 of 20,000 (0.0%, 95% CI 0.0% to 0.1%)\n"
              "safe guesses: 54,297\n"
              "time:         4.00 s (5,000 games/s)\n");
    std::string part = summary_text(sides[1], {42, 8, 20000, 4.0, false, safest, 3, 4});
    EXPECT_EQ(part.substr(0, part.find("won:")), "games:        20,000 (seed 42, 8 jobs, part 3 of 4), safest guess\n");
    EXPECT_NE(part.find("\nnot exact:    12 of 72,100 guesses (0.02%)\n"), std::string::npos) << part;
    EXPECT_EQ(comparison_text(sides, {0, safest}, {42, 2, 20000, 4.0, false, 0, 0, 1}),
              "games:        20,000 (seed 42, 2 jobs), each played with both guessing rules\n"
              "              random                                  safest\n"
              "won:          2,896 (14.5%, 95% CI 14.0% to 15.0%)    7,900 (39.5%, 95% CI 38.8% to 40.2%)\n"
              "lost:         17,000 (85.0%, 95% CI 84.5% to 85.5%)   12,100 (60.5%, 95% CI 59.8% to 61.2%)\n"
              "unsolved:     100 (0.5%, 95% CI 0.4% to 0.6%)         0 (0.0%, 95% CI 0.0% to 0.0%)\n"
              "no-start:     4 (0.0%, 95% CI 0.0% to 0.1%)           0 (0.0%, 95% CI 0.0% to 0.0%)\n"
              "safe guesses: 54,297                                  60,000\n"
              "not exact:    -                                       12 of 72,100 guesses (0.02%)\n"
              "difference:   safest won +25.0 points (95% CI +24.4 to +25.7; 5,304 games won by safest alone, 300 by "
              "random alone)\n"
              "time:         4.00 s (10,000 games/s) counting both rules\n");
    EXPECT_NE(comparison_svg(sides, {0, safest}, 480).find(">safest: 7900 won (39.5%)</text>"), std::string::npos);
    // More than two rules: a column each, each one's difference from the first named.
    game_tally three[3] = {sides[1], sides[0], sides[1]};
    three[1].won_alone = 300;
    three[1].first_won_alone = 5304;
    three[2].won_alone = three[2].first_won_alone = 0;
    std::string text = comparison_text(three, {safest, 0, safest}, {42, 2, 20000, 4.0, false, 0, 0, 1});
    EXPECT_TRUE(text.starts_with("games:        20,000 (seed 42, 2 jobs), each played with all 3 guessing rules\n"));
    EXPECT_EQ(text.substr(text.find("not exact:")),
              "not exact:    12 of 72,100 guesses (0.02%)            -                                       "
              "12 of 72,100 guesses (0.02%)\n"
              "difference:   random won -25.0 points (95% CI -25.7 to -24.4; 300 games won by random alone, 5,304 by "
              "safest alone)\n"
              "              safest won +0.0 points (95% CI +0.0 to +0.0; 0 games won by safest alone, 0 by safest "
              "alone)\n"
              "time:         4.00 s (15,000 games/s) counting all 3 rules\n");
}

TEST(Plot, WellFormedWithTitleAxesStackedBarsAndWonGamesMarked)
{
    // 10 games: 3 won, 4 lost (at 5, 5, 200 and 479 cells), 2 unsolved at 7, 1 no-start.
    game_tally tally{10, 17, 0, 0, 0, {}};
    for (auto [outcome, score, games] : {std::tuple{OUTCOME_WON, 0, 3}, {OUTCOME_LOST, 5, 2}, {OUTCOME_LOST, 200, 1},
                                         {OUTCOME_LOST, 479, 1}, {OUTCOME_UNSOLVED, 7, 2}, {OUTCOME_NOSTART, 479, 1}})
        tally.by_score[outcome][score] = games;
    std::string svg = histogram_svg(tally, 480);
    EXPECT_NE(svg.find("10 games: 3 won (30.0%), 4 lost, 2 unsolved, 1 no-start"), std::string::npos);
    EXPECT_NE(svg.find(">cells left hidden</text>"), std::string::npos);
    EXPECT_NE(svg.find(">games</text>"), std::string::npos);
    EXPECT_NE(svg.find(">3 won</text>"), std::string::npos);
    // Bars of 4 scores, stacked by outcome: won at 0; lost at 4-7 under
    // unsolved; lost at 200; lost under no-start at 476-479. Four legend boxes.
    std::regex box("<rect x=\"[0-9.]+\" y=\"[0-9.]+\" width=\"[0-9.]+\" height=\"[0-9.]+\" fill=\"#");
    EXPECT_EQ(std::distance(std::sregex_iterator(svg.begin(), svg.end(), box), std::sregex_iterator()), 6 + 4);
    EXPECT_NE(svg.find(" y=\"80.00\" "), std::string::npos) << "the tallest bar, of 4 games, reaches the top";
    std::FILE* lint = popen("xmllint --noout - 2>&1 | (! grep .)", "w");  // its complaints go to the test's output
    ASSERT_NE(lint, nullptr);
    std::fputs(svg.c_str(), lint);
    EXPECT_EQ(pclose(lint), 0) << "xmllint complained";
}
