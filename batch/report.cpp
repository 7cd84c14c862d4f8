// The progress line and the summaries.
#include "batch/report.h"

#include <fmt/format.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "engine/guess_rules.h"

namespace {
inline constexpr int BAR_WIDTH = 24;
inline constexpr double Z_95 = 1.959963984540054;  // the normal quantile of a two-sided 95% interval

double rate(int64_t games, double seconds)
{
    return seconds > 0 ? double(games) / seconds : 0.0;
}

// A summary line: its label and one text per column.
struct row {
    std::string label;
    std::vector<std::string> texts;
};

// Labels in a column of 14; every text but a row's last padded to the widest
// of those texts.
std::string lay_out(const std::vector<row>& rows)
{
    std::size_t width = 0;
    for (const row& r : rows)
        for (std::size_t i = 0; i + 1 < r.texts.size(); i++)
            width = std::max(width, r.texts[i].size());
    std::string out;
    for (const row& r : rows) {
        std::string line = fmt::format("{:<14}", r.label.empty() ? "" : r.label + ":");
        for (std::size_t i = 0; i < r.texts.size(); i++)
            line += i + 1 < r.texts.size() ? fmt::format("{:<{}}", r.texts[i], width + 3) : r.texts[i];
        out += line + "\n";
    }
    return out;
}

// "2,896 of 20,000 (14.5%, 95% CI 14.0% to 15.0%)", by the Wilson score
// interval, which stays inside 0 to 100% however few the games.
std::string share_text(int64_t count, int64_t games, bool with_games)
{
    std::string of = with_games ? " of " + grouped(games) : "";
    if (games == 0)
        return grouped(count) + of;
    double n = double(games);
    double p = double(count) / n;
    double z2 = Z_95 * Z_95;
    double centre = (p + z2 / (2 * n)) / (1 + z2 / n);
    double half = Z_95 / (1 + z2 / n) * std::sqrt(p * (1 - p) / n + z2 / (4 * n * n));
    return fmt::format("{}{} ({:.1f}%, 95% CI {:.1f}% to {:.1f}%)", grouped(count), of, 100 * p,
                       100 * std::max(0.0, centre - half), 100 * std::min(1.0, centre + half));
}

// One rule's outcomes and guesses, a text each.
std::vector<row> side_rows(const game_tally& total, bool with_games, bool chances)
{
    std::vector<row> rows;
    for (int o = 0; o < OUTCOME_COUNT; o++)
        rows.push_back({OUTCOME_LABELS[o],
                        {share_text(outcome_total(total, game_outcome(o)), total.finished, with_games)}});
    rows.push_back({"safe guesses", {grouped(total.safe_guesses)}});
    int64_t all_guesses = total.safe_guesses + outcome_total(total, OUTCOME_LOST);
    rows.push_back({"not exact", {!chances ? "-"
                                          : fmt::format("{} of {} guesses ({:.2f}%)", grouped(total.inexact_guesses),
                                                        grouped(all_guesses),
                                                        all_guesses ? 100.0 * double(total.inexact_guesses) /
                                                                          double(all_guesses)
                                                                    : 0.0)}});
    return rows;
}

std::string run_text(int64_t games, const run_facts& facts)
{
    std::string text = fmt::format("{} (seed {}, {} {}", grouped(games), facts.seed, facts.workers,
                                   facts.workers == 1 ? "job" : "jobs");
    if (facts.shard)
        text += fmt::format(", part {} of {}", facts.shard, facts.shards);
    return text + ")";
}

std::string header(int64_t games, const run_facts& facts)
{
    if (!facts.interrupted)
        return "";
    return fmt::format("interrupted:  {} of {} games played\n", grouped(games), grouped(facts.wanted));
}

std::string time_text(int64_t games, double seconds)
{
    return fmt::format("{:.2f} s ({} games/s)", seconds, grouped(int64_t(std::lround(rate(games, seconds)))));
}

}  // namespace

std::string printable(std::string_view text)
{
    std::string shown;
    for (std::size_t i = 0; i < text.size(); i++) {
        auto byte = static_cast<unsigned char>(text[i]);
        // C1 controls (U+0080 to U+009F) are C2 80 to C2 9F in UTF-8.
        bool c1 = byte == 0xc2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) < 0xa0 &&
                  static_cast<unsigned char>(text[i + 1]) >= 0x80;
        if (c1)
            i++;
        shown += byte < ' ' || byte == 0x7f || c1 ? '?' : text[i];
    }
    return shown;
}

int complain(const std::string& message, int status)
{
    std::fprintf(stderr, "orvanta-batch: %s\n", printable(message).c_str());
    return status;
}

std::string output_name(const std::string& path)
{
    return path == "-" ? "standard output" : "'" + path + "'";
}

std::string cannot_write(const std::string& path, const std::string& reason)
{
    return fmt::format("cannot write {}: {}", output_name(path), reason);
}

std::string grouped(int64_t count)
{
    std::string digits = std::to_string(count);
    for (int at = int(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(std::size_t(at), ",");
    return digits;
}

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
    const guess_rule_row& rule = GUESS_RULES[facts.guess_rule];
    std::string guess = facts.guess_rule ? fmt::format(", {} guess", rule.name) : "";
    std::vector<row> rows = {{"games", {run_text(total.finished, facts) + guess}}};
    for (const row& r : side_rows(total, true, rule.reports_chances))
        if (rule.reports_chances || r.label != "not exact")
            rows.push_back(r);
    rows.push_back({"time", {time_text(total.finished, facts.seconds)}});
    return header(total.finished, facts) + lay_out(rows);
}

std::string comparison_text(std::span<const game_tally> sides, const std::vector<int>& rules,
                            const run_facts& facts)
{
    int64_t games = sides[0].finished;
    std::string every = rules.size() == 2 ? "both" : fmt::format("all {}", rules.size());
    row names{"", {}};
    for (int rule : rules)
        names.texts.push_back(GUESS_RULES[rule].name);
    std::vector<row> rows = {{"games", {run_text(games, facts) + ", each played with " + every + " guessing rules"}},
                             names};
    std::vector<row> columns = side_rows(sides[0], false, GUESS_RULES[rules[0]].reports_chances);
    for (std::size_t r = 1; r < rules.size(); r++) {
        std::vector<row> side = side_rows(sides[r], false, GUESS_RULES[rules[r]].reports_chances);
        for (std::size_t i = 0; i < columns.size(); i++)
            columns[i].texts.push_back(side[i].texts[0]);
    }
    rows.insert(rows.end(), columns.begin(), columns.end());
    // Paired: only the games that one rule won and the other lost tell the
    // rules apart, and they give the spread of the difference.
    const char* first = GUESS_RULES[rules[0]].name;
    double n = double(std::max<int64_t>(games, 1));
    for (std::size_t r = 1; r < rules.size(); r++) {
        const char* name = GUESS_RULES[rules[r]].name;
        double b = double(sides[r].won_alone);
        double c = double(sides[r].first_won_alone);
        double difference = (b - c) / n;
        double spread = Z_95 * std::sqrt(std::max(0.0, b + c - (b - c) * (b - c) / n)) / n;
        rows.push_back({r == 1 ? "difference" : "",
                        {fmt::format("{} won {:+.1f} points (95% CI {:+.1f} to {:+.1f}; {} games won by {} alone, {} "
                                     "by {} alone)",
                                     name, 100 * difference, 100 * (difference - spread), 100 * (difference + spread),
                                     grouped(sides[r].won_alone), name, grouped(sides[r].first_won_alone), first)}});
    }
    rows.push_back(
        {"time", {time_text(int64_t(rules.size()) * games, facts.seconds) + " counting " + every + " rules"}});
    return header(games, facts) + lay_out(rows);
}

std::string merged_text(const game_tally& total, int files, bool from_logs)
{
    std::vector<row> rows = {{"games", {fmt::format("{} (merged from {} files)", grouped(total.finished), files)}}};
    if (from_logs) {
        for (const row& r : side_rows(total, true, false))
            if (r.label != "not exact")
                rows.push_back(r);
    } else {
        int64_t won = outcome_total(total, OUTCOME_WON);
        rows.push_back({"won", {share_text(won, total.finished, true)}});
        rows.push_back({"not won", {share_text(total.finished - won, total.finished, true) +
                                    "; the logs tell lost, unsolved and no-start apart"}});
    }
    return lay_out(rows);
}
