// The merge reader: strict parsing of statistics files and logs.
#include "batch/merge_reader.h"

#include <fmt/format.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string_view>

namespace {

inline constexpr std::size_t QUOTED = 24;  // characters of a bad field shown in a message

// A field as a message can show it: printable ASCII, not too long.
std::string quoted(std::string_view field)
{
    std::string shown;
    for (char c : field.substr(0, QUOTED))
        shown += c >= ' ' && c <= '~' ? c : '?';
    return "'" + shown + (field.size() > QUOTED ? "...'" : "'");
}

// A plain decimal count from 0 to high: digits only, no sign, no leading
// zero. Returns "" or what is wrong with it.
std::string read_count(std::string_view field, int64_t high, int64_t& value)
{
    bool digits =
        !field.empty() && std::all_of(field.begin(), field.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (!digits || (field.size() > 1 && field[0] == '0'))
        return quoted(field) + " is not a count";
    auto [end, status] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (status != std::errc() || value > high)
        return fmt::format("{} is more than {}", quoted(field), high);
    return "";
}

std::vector<std::string_view> split_fields(std::string_view line)
{
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (std::size_t tab; (tab = line.find('\t', start)) != std::string_view::npos; start = tab + 1)
        fields.push_back(line.substr(start, tab - start));
    fields.push_back(line.substr(start));
    return fields;
}

// Calls read(number, line) for each line of text without its '\n', from
// line 1, until one returns a problem. A last line without its '\n' is one.
template <typename Read>
std::string each_line(const std::string& text, Read&& read)
{
    std::size_t start = 0;
    for (int number = 1; start < text.size(); number++) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            return fmt::format("line {}: the file ends inside it", number);
        std::string problem = read(number, std::string_view(text).substr(start, end - start), start);
        if (!problem.empty())
            return fmt::format("line {}: {}", number, problem);
        start = end + 1;
    }
    return "";
}

std::string read_statistics(merge_input& in, const std::string& text)
{
    std::vector<int64_t> sum = in.counts.empty() ? std::vector<int64_t>(in.cells + 1) : in.counts;
    int64_t games = in.statistics_games;
    int lines = 0;
    std::string problem = each_line(text, [&](int number, std::string_view line, std::size_t) -> std::string {
        lines = number;
        if (number > in.cells + 1)
            return fmt::format("a statistics file has {} lines, one per score 0 to {}", in.cells + 1, in.cells);
        if (line.empty() || line.back() != '\r')
            return "a statistics file's lines end in CR LF";
        std::vector<std::string_view> fields = split_fields(line.substr(0, line.size() - 1));
        if (fields.size() != 2)
            return "a statistics line is a score, a TAB and a count";
        if (fields[0] != std::to_string(number - 1))
            return fmt::format("{} where score {} belongs", quoted(fields[0]), number - 1);
        int64_t count = 0;
        std::string bad = read_count(fields[1], std::numeric_limits<int64_t>::max(), count);
        if (!bad.empty())
            return bad;
        if (__builtin_add_overflow(sum[number - 1], count, &sum[number - 1]))
            return fmt::format("the games of score {} add up to more than {}", number - 1,
                               std::numeric_limits<int64_t>::max());
        if (__builtin_add_overflow(games, count, &games))
            return fmt::format("the games of all files add up to more than {}", std::numeric_limits<int64_t>::max());
        return "";
    });
    if (!problem.empty())
        return problem;
    if (lines != in.cells + 1)
        return fmt::format("a statistics file has {} lines, one per score 0 to {}; this one {}", in.cells + 1, in.cells,
                           lines);
    in.counts = sum;
    in.statistics_games = games;
    in.statistics_files++;
    return "";
}

std::string read_log(merge_input& in, const std::string& text, int file)
{
    return each_line(text, [&](int, std::string_view line, std::size_t start) -> std::string {
        std::vector<std::string_view> fields = split_fields(line);
        int columns = int(fields.size());
        if (columns != 5 && columns != 6)
            return "a log line has 5 fields (seed, game, score, guesses, outcome) or 6 (and the chance)";
        if (in.log_columns && columns != in.log_columns)
            return fmt::format("{} fields after {} in the logs before: logs of different guessing rules", columns,
                               in.log_columns);
        in.log_columns = columns;
        int64_t seed = 0;
        int64_t game = 0;
        int64_t score = 0;
        int64_t guesses = 0;
        std::string bad = read_count(fields[0], std::numeric_limits<uint32_t>::max(), seed);
        if (bad.empty())
            bad = read_count(fields[1], std::numeric_limits<int64_t>::max(), game);
        if (bad.empty() && game == 0)
            bad = "game 0: games count from 1";
        if (bad.empty())
            bad = read_count(fields[2], in.cells, score);
        if (bad.empty())
            bad = read_count(fields[3], in.cells, guesses);
        if (!bad.empty())
            return bad;
        const char* const* name = std::find(OUTCOME_NAMES, OUTCOME_NAMES + OUTCOME_COUNT, fields[4]);
        if (name == OUTCOME_NAMES + OUTCOME_COUNT)
            return quoted(fields[4]) + " is not an outcome (won, lost, unsolved, nostart)";
        game_outcome outcome = game_outcome(name - OUTCOME_NAMES);
        bool lost = outcome == OUTCOME_LOST;
        if (classify_game(lost, int(score), in.cells) != outcome || (lost && score == 0))
            return fmt::format("a game {} cannot leave {} cells hidden", fields[4], score);
        if (columns == 6) {
            double chance = -1;
            auto [end, status] = std::from_chars(fields[5].data(), fields[5].data() + fields[5].size(), chance);
            if (status != std::errc() || end != fields[5].data() + fields[5].size() || !(chance >= 0 && chance <= 1))
                return quoted(fields[5]) + " is not a chance from 0 to 1";
        }
        in.entries.push_back({uint32_t(seed), game, file, start, line.size() + 1});
        in.logged.finished++;
        in.logged.safe_guesses += guesses;
        in.logged.by_score[outcome][score]++;
        return "";
    });
}

int64_t line_number(const merge_input& in, const log_entry& entry)
{
    const std::string& text = in.texts[entry.file];
    return std::count(text.begin(), text.begin() + std::ptrdiff_t(entry.start), '\n') + 1;
}

}  // namespace

merge_input new_merge(int cells)
{
    merge_input in;
    in.cells = cells;
    return in;
}

std::string read_merge_file(merge_input& in, const std::string& name, std::string text)
{
    if (text.empty())
        return "the file is empty";
    std::string_view first_line = std::string_view(text).substr(0, text.find('\n'));
    std::size_t return_at = first_line.find('\r');
    if (return_at != std::string_view::npos && return_at + 1 < first_line.size())
        return "line 1: it ends in CR alone, not CR LF";
    int fields = int(split_fields(first_line).size());
    int file = int(in.texts.size());
    in.names.push_back(name);
    in.texts.push_back(std::move(text));
    if (fields == 2)
        return read_statistics(in, in.texts.back());
    if (fields == 5 || fields == 6) {
        in.log_files++;
        return read_log(in, in.texts.back(), file);
    }
    return "line 1: neither a statistics file (score TAB count) nor a log (seed TAB game TAB score TAB guesses TAB "
           "outcome)";
}

std::string finish_merge(merge_input& in)
{
    std::stable_sort(in.entries.begin(), in.entries.end(), [](const log_entry& a, const log_entry& b) {
        return a.seed != b.seed ? a.seed < b.seed : a.game < b.game;
    });
    for (std::size_t i = 1; i < in.entries.size(); i++) {
        const log_entry& a = in.entries[i - 1];
        const log_entry& b = in.entries[i];
        if (a.seed == b.seed && a.game == b.game)
            return fmt::format("game {} of seed {} is logged twice ('{}' line {} and '{}' line {})", b.game, b.seed,
                               in.names[a.file], line_number(in, a), in.names[b.file], line_number(in, b));
    }
    if (in.statistics_files && in.log_files)
        for (int s = 0; s <= in.cells; s++)
            if (score_total(in.logged, s) != in.counts[s])
                return fmt::format("the logs and the statistics files hold other games: {} logged with score {}, {} "
                                   "in the statistics files",
                                   score_total(in.logged, s), s, in.counts[s]);
    return "";
}

std::vector<int64_t> merged_counts(const merge_input& in)
{
    if (in.statistics_files)
        return in.counts;
    std::vector<int64_t> counts(in.cells + 1);
    for (int s = 0; s <= in.cells; s++)
        counts[s] = score_total(in.logged, s);
    return counts;
}
