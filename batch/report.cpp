// The progress line and the summary.
#include "batch/report.h"

#include <fmt/format.h>

namespace {
inline constexpr int BAR_WIDTH = 24;

double rate(int64_t games, double seconds)
{
    return seconds > 0 ? double(games) / seconds : 0.0;
}
}  // namespace

std::string progress_line(int64_t done, int64_t wanted, double seconds)
{
    double part = wanted > 0 ? double(done) / double(wanted) : 1.0;
    int filled = int(part * BAR_WIDTH);
    std::string bar(filled, '#');
    bar.append(BAR_WIDTH - filled, '-');
    double per_second = rate(done, seconds);
    std::string left = "--:--";
    if (per_second > 0) {
        int64_t remaining = int64_t(double(wanted - done) / per_second + 0.5);
        left = fmt::format("{}:{:02d}", remaining / 60, remaining % 60);
    }
    return fmt::format("{}/{} games [{}] {:3d}%  {:.0f} games/s  {} left", done, wanted, bar, int(part * 100),
                       per_second, left);
}

std::string summary_text(const game_tally& total, const run_facts& facts)
{
    int64_t games = total.finished;
    int64_t won = outcome_total(total, OUTCOME_WON);
    std::string text;
    if (facts.interrupted)
        text += fmt::format("interrupted:  {} of {} games played\n", games, facts.wanted);
    text += fmt::format("games:        {} (seed {}, {} {})\n", games, facts.seed, facts.workers,
                        facts.workers == 1 ? "job" : "jobs");
    text += fmt::format("won:          {} ({:.1f}%)\n", won, games ? 100.0 * double(won) / double(games) : 0.0);
    text += fmt::format("lost:         {}\n", outcome_total(total, OUTCOME_LOST));
    text += fmt::format("unsolved:     {}\n", outcome_total(total, OUTCOME_UNSOLVED));
    text += fmt::format("no-start:     {}\n", outcome_total(total, OUTCOME_NOSTART));
    text += fmt::format("safe guesses: {}\n", total.safe_guesses);
    text += fmt::format("time:         {:.2f} s ({:.0f} games/s)\n", facts.seconds, rate(games, facts.seconds));
    return text;
}
