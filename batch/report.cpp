// The progress line and the summary.
#include "batch/report.h"

#include <cinttypes>

#include "batch/format.h"

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
        left = format("%" PRId64 ":%02d", remaining / 60, int(remaining % 60));
    }
    return format("%" PRId64 "/%" PRId64 " games [%s] %3d%%  %.0f games/s  %s left", done, wanted, bar.c_str(),
                  int(part * 100), per_second, left.c_str());
}

std::string summary_text(const game_tally& total, const run_facts& facts)
{
    int64_t games = total.finished;
    int64_t won = outcome_total(total, OUTCOME_WON);
    std::string text;
    if (facts.interrupted)
        text += format("interrupted:  %" PRId64 " of %" PRId64 " games played\n", games, facts.wanted);
    text += format("games:        %" PRId64 " (seed %" PRIu32 ", %d %s)\n", games, facts.seed, facts.workers,
                   facts.workers == 1 ? "job" : "jobs");
    text += format("won:          %" PRId64 " (%.1f%%)\n", won, games ? 100.0 * double(won) / double(games) : 0.0);
    text += format("lost:         %" PRId64 "\n", outcome_total(total, OUTCOME_LOST));
    text += format("unsolved:     %" PRId64 "\n", outcome_total(total, OUTCOME_UNSOLVED));
    text += format("no-start:     %" PRId64 "\n", outcome_total(total, OUTCOME_NOSTART));
    text += format("safe guesses: %" PRId64 "\n", total.safe_guesses);
    text += format("time:         %.2f s (%.0f games/s)\n", facts.seconds, rate(games, facts.seconds));
    return text;
}
