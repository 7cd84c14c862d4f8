// Reading the batch player's command line with CLI11, in our own words:
// --name value, --name=value, -n value, -nvalue.
#include "batch/options.h"

#include <CLI/CLI.hpp>
#include <fmt/format.h>

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <functional>
#include <limits>
#include <thread>
#include <vector>

#include "engine/board.h"
#include "engine/guess_rules.h"
#include "engine/random.h"

namespace {

inline constexpr int MAX_JOBS = 256;
inline constexpr int MAX_VERBOSE = 4;
inline constexpr std::size_t HELP_WIDTH = 80;
inline constexpr std::size_t HELP_INDENT = 21;  // where an option's text starts
const std::vector<int> DEFAULT_COMPARISON = {0, 1};  // plain --compare: random against safest
// Joins two words of the help into one that is never split between lines.
inline constexpr std::string_view NO_BREAK = "\u00a0";

// Stores an option's value where it belongs, or returns what is wrong with
// it; CLI11 puts the option's name in front ("--jobs: '0' is out of range").
using value_reader = std::function<std::string(const std::string&)>;

// A whole decimal number within [low, high].
std::string read_number(const std::string& text, int64_t low, int64_t high, int64_t& value)
{
    const char* end = text.data() + text.size();
    auto [stop, status] = std::from_chars(text.data(), end, value);
    if (status == std::errc() && stop == end && value >= low && value <= high)
        return "";
    if ((status == std::errc() || status == std::errc::result_out_of_range) && stop == end && !text.empty())
        return fmt::format("'{}' is out of range ({} to {})", text, low, high);
    return fmt::format("'{}' is not a whole number", text);
}

template <typename T>
value_reader number_into(T& place, int64_t low, int64_t high)
{
    return [&place, low, high](const std::string& text) {
        int64_t value = 0;
        std::string problem = read_number(text, low, high, value);
        if (problem.empty())
            place = T(value);
        return problem;
    };
}

value_reader path_into(std::string& place)
{
    return [&place](const std::string& text) {
        if (text.empty())
            return std::string("the file name is empty");
        place = text;
        return std::string();
    };
}

// "X,Y" naming a cell of the field.
std::string read_cell(const std::string& text, batch_options& options)
{
    std::size_t comma = text.find(',');
    if (comma == std::string::npos)
        return fmt::format("'{}' is not a cell X,Y", text);
    const int64_t any = std::numeric_limits<int32_t>::max();
    int64_t x = 0;
    int64_t y = 0;
    std::string problem = read_number(text.substr(0, comma), -any, any, x);
    if (problem.empty())
        problem = read_number(text.substr(comma + 1), -any, any, y);
    if (!problem.empty())
        return problem;
    if (x < 0 || x >= xdim || y < 0 || y >= ydim)
        return fmt::format("'{}' is outside the {} by {} field (X 0 to {}, Y 0 to {})", text, xdim, ydim, xdim - 1,
                           ydim - 1);
    options.first_x = int(x);
    options.first_y = int(y);
    return "";
}

// "random or safest": every rule's name.
std::string rule_names()
{
    std::string names = GUESS_RULES[0].name;
    for (int r = 1; r < GUESS_RULE_COUNT; r++)
        names += (r + 1 < GUESS_RULE_COUNT ? ", " : " or ") + std::string(GUESS_RULES[r].name);
    return names;
}

std::string not_a_rule(const std::string& name)
{
    return fmt::format("'{}' is not a guessing rule ({})", name, rule_names());
}

std::string read_rule(const std::string& text, batch_options& options)
{
    int rule = find_guess_rule(text);
    if (rule < 0)
        return not_a_rule(text);
    options.guess_rule = rule;
    return "";
}

// "random,safest": two or more rules, each named once.
std::string read_comparison(const std::string& text, batch_options& options)
{
    std::vector<int> rules;
    for (std::size_t start = 0; start <= text.size();) {
        std::size_t comma = std::min(text.find(',', start), text.size());
        std::string name = text.substr(start, comma - start);
        int rule = find_guess_rule(name);
        if (rule < 0)
            return not_a_rule(name);
        if (std::find(rules.begin(), rules.end(), rule) != rules.end())
            return fmt::format("'{}' names '{}' twice", text, name);
        rules.push_back(rule);
        start = comma + 1;
    }
    if (rules.size() < 2)
        return fmt::format("'{}' names one rule; a comparison takes two or more", text);
    options.compare = rules;
    return "";
}

// "K/N": part K of N.
std::string read_part(const std::string& text, batch_options& options)
{
    std::size_t slash = text.find('/');
    if (slash == std::string::npos)
        return fmt::format("'{}' is not a part K/N", text);
    int64_t parts = 0;
    int64_t part = 0;
    std::string problem = read_number(text.substr(slash + 1), 1, MAX_JOBS, parts);
    if (problem.empty())
        problem = read_number(text.substr(0, slash), 1, parts, part);
    if (!problem.empty())
        return problem;
    options.shard = int(part);
    options.shards = int(parts);
    return "";
}

CLI::Option* add_value(CLI::App& app, const std::string& names, const value_reader& read)
{
    return app.add_option(names)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast)
        ->check(CLI::Validator([read](std::string& text) { return read(text); }, ""));
}

CLI::Option* add_flag(CLI::App& app, const std::string& names, bool& place)
{
    return app.add_flag(names, place)->disable_flag_override();
}

// The outputs a run and a merge share.
CLI::Option* add_log(CLI::App& app, batch_options& options)
{
    return add_value(app, "--log", path_into(options.log_path));
}

CLI::Option* add_scores(CLI::App& app, batch_options& options)
{
    return add_value(app, "--scores", [&options](const std::string& text) {
        if (text == "-")
            return std::string("the statistics file cannot go to standard output");
        return path_into(options.scores_path)(text);
    });
}

// The options of a run of games, and which of them cannot go together.
void add_play_options(CLI::App& app, batch_options& options)
{
    add_value(app, "-n,--games", number_into(options.games, 1, std::numeric_limits<int64_t>::max()));
    CLI::Option* until_win = add_flag(app, "--until-win", options.until_win);
    CLI::Option* seed = add_value(app, "-s,--seed", number_into(options.seed, 0, std::numeric_limits<uint32_t>::max()));
    add_value(app, "--first", [&options](const std::string& text) { return read_cell(text, options); });
    CLI::Option* no_guess = add_flag(app, "--no-guess", options.no_guess);
    CLI::Option* rule =
        add_value(app, "--guess", [&options](const std::string& text) { return read_rule(text, options); });
    CLI::Option* jobs = add_value(app, "-j,--jobs", number_into(options.jobs, 1, MAX_JOBS));
    CLI::Option* log = add_log(app, options);
    CLI::Option* trace = add_value(app, "--trace", path_into(options.trace_path));
    add_value(app, "--verbose", number_into(options.verbose, 0, MAX_VERBOSE));
    CLI::Option* scores = add_scores(app, options);
    add_value(app, "--plot", path_into(options.plot_path));
    CLI::Option* compare =
        add_value(app, "--compare", [&options](const std::string& text) { return read_comparison(text, options); })
            ->expected(0, 1);
    CLI::Option* part =
        add_value(app, "--shard", [&options](const std::string& text) { return read_part(text, options); });
    // A comparison shows its two sides only in the summary and the plot.
    compare->excludes(rule)->excludes(no_guess)->excludes(until_win)->excludes(log)->excludes(trace)->excludes(scores);
    // Every part must cut the very same run: nothing may come from the clock
    // or the machine.
    part->needs(seed)->needs(jobs)->excludes(until_win)->excludes(compare);
}

// merge FILE... with its two outputs.
CLI::App* add_merge(CLI::App& app, batch_options& options, bool& help)
{
    CLI::App* merge = app.add_subcommand("merge");
    merge->add_option("file", options.merge_files);
    add_log(*merge, options);
    add_scores(*merge, options);
    add_flag(*merge, "-h,--help", help);
    return merge;
}

// The name from the root, with the links in the part that exists followed.
std::filesystem::path resolved(const std::string& name, std::error_code& failed)
{
    std::filesystem::path path = std::filesystem::absolute(name, failed);
    return failed ? path : std::filesystem::weakly_canonical(path, failed);
}

// Whether two outputs would write one file: the same file once the names
// are resolved ("x" and "./x") or one file under two names (a hard link).
// Standard output, "-", never clashes: the streams it takes follow one
// another. An empty name is no output.
bool same_file(const std::string& a, const std::string& b)
{
    if (a.empty() || b.empty() || a == "-" || b == "-")
        return false;
    std::error_code failed;
    if (std::filesystem::equivalent(a, b, failed))
        return true;
    std::filesystem::path first = resolved(a, failed);
    if (failed)
        return a == b;
    std::filesystem::path second = resolved(b, failed);
    return failed ? a == b : first == second;
}

// The complaint about the first two outputs (option name, path; no path:
// not written) that would write one file, as one would replace the other.
std::string shared_output(const std::vector<std::pair<std::string, std::string>>& outputs)
{
    for (std::size_t i = 0; i < outputs.size(); i++)
        for (std::size_t j = i + 1; j < outputs.size(); j++)
            if (same_file(outputs[i].second, outputs[j].second))
                return fmt::format("options '{}' and '{}' both write '{}'", outputs[i].first, outputs[j].first,
                                   outputs[i].second);
    return "";
}

// argv for CLI11, which takes the arguments last first. CLI11 2.1 reads
// "--log=" as a bare "--log" that takes the next argument as its value: the
// empty value becomes an argument of its own.
std::vector<std::string> arguments(int argc, char** argv)
{
    std::vector<std::string> args;
    for (int i = argc - 1; i > 0; i--) {
        std::string arg = argv[i];
        if (arg.size() > 3 && arg.starts_with("--") && arg.find('=') == arg.size() - 1) {
            args.emplace_back();
            arg.pop_back();
        }
        args.push_back(arg);
    }
    return args;
}

// CLI11 names the option at the start of its complaints about a missing or
// an unwanted value: "--games: 1 required TEXT missing", "until-win was
// given a disallowed flag override".
std::string in_our_words(const CLI::ArgumentMismatch& mismatch)
{
    std::string text = mismatch.what();
    std::size_t flag_end = text.find(" was given");
    if (flag_end != std::string::npos)
        return "option '--" + text.substr(0, flag_end) + "' takes no value";
    return "option '" + text.substr(0, text.find(':')) + "' needs a value";
}

// An option in the help: its names, then text wrapped at HELP_WIDTH in lines
// that start at HELP_INDENT.
std::string help_entry(std::string names, const std::string& text)
{
    names.resize(std::max(names.size() + 2, HELP_INDENT), ' ');
    std::string entry;
    std::string line = names;
    bool line_empty = true;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = std::min(text.find(' ', start), text.size());
        std::string word = text.substr(start, end - start);
        start = end + 1;
        for (std::size_t at; (at = word.find(NO_BREAK)) != std::string::npos;)
            word.replace(at, NO_BREAK.size(), " ");
        if (!line_empty && line.size() + 1 + word.size() > HELP_WIDTH) {
            entry += line + "\n";
            line = std::string(HELP_INDENT, ' ');
            line_empty = true;
        }
        line += (line_empty ? "" : " ") + word;
        line_empty = false;
    }
    return entry + line + "\n";
}

// --guess and --compare, from the table of rules.
std::string rule_help()
{
    std::string rules;
    for (int r = 0; r < GUESS_RULE_COUNT; r++) {
        const guess_rule_row& row = GUESS_RULES[r];
        rules += fmt::format("{}{} ({}{}{})", r == 0 ? "" : r + 1 < GUESS_RULE_COUNT ? ", " : ", or ", row.name,
                             r == 0 ? "default: " : "", row.description,
                             row.reports_chances ? fmt::format("; the log then gains a column: the chance that all "
                                                               "the{}game's guesses were safe",
                                                               NO_BREAK)
                                                 : "");
    }
    return help_entry("      --guess RULE", "how to guess when the rules are stuck: " + rules) +
           help_entry("      --compare [RULES]",
                      fmt::format("play every game with each of RULES, two or more named with commas (default "
                                  "{},{}): their summaries side by side, the difference of each one's win rate from "
                                  "the first's, their histograms in the plot (the games the first rule plays; no "
                                  "log, trace or statistics)",
                                  GUESS_RULES[DEFAULT_COMPARISON[0]].name, GUESS_RULES[DEFAULT_COMPARISON[1]].name));
}

}  // namespace

parse_result parse_options(int argc, char** argv, batch_options& options, std::string& error)
{
    options = batch_options{};
    options.seed = clock_seconds();
    options.jobs = int(std::max(1u, std::thread::hardware_concurrency()));
    CLI::App app;
    app.set_help_flag();  // ours below: usage_text(), and only once the rest was read
    app.allow_extras();   // named below in our words
    bool help = false;
    bool version = false;
    add_play_options(app, options);
    CLI::App* merge = add_merge(app, options, help);
    add_flag(app, "-h,--help", help);
    add_flag(app, "--version", version);
    try {
        app.parse(arguments(argc, argv));
    } catch (const CLI::ArgumentMismatch& mismatch) {
        error = in_our_words(mismatch);
        return PARSE_ERROR;
    } catch (const CLI::ParseError& problem) {
        error = problem.what();
        return PARSE_ERROR;
    }
    std::vector<std::string> extra = app.remaining(true);
    if (!extra.empty()) {
        const std::string& first = extra.front();
        bool option = first.size() > 1 && first[0] == '-' && first != "--";
        error = fmt::format("{} '{}'", option ? "unknown option" : "unexpected argument", first);
        return PARSE_ERROR;
    }
    if (help || version)
        return help ? PARSE_HELP : PARSE_VERSION;
    const CLI::Option* compare = app.get_option("--compare");
    if (compare->count() > 0 && compare->results().back().empty())
        options.compare = DEFAULT_COMPARISON;
    if (merge->parsed()) {
        for (const CLI::Option* given : app.get_options())
            if (given->count() > 0) {
                error = fmt::format("option '{}' does not go with merge", given->get_name());
                return PARSE_ERROR;
            }
        if (options.merge_files.empty())
            error = "merge: name the statistics files and logs to merge";
        else
            error = shared_output({{"--log", options.log_path}, {"--scores", options.scores_path}});
        return error.empty() ? PARSE_MERGE : PARSE_ERROR;
    }
    // A trace into the log's file shares the log's stream, however it is named.
    if (same_file(options.trace_path, options.log_path))
        options.trace_path = options.log_path;
    error = shared_output({{"--log", options.log_path},
                           {"--trace", options.trace_path == options.log_path ? "" : options.trace_path},
                           {"--scores", options.compare.empty() ? options.scores_path : ""},
                           {"--plot", options.plot_path}});
    if (!error.empty())
        return PARSE_ERROR;
    if (options.shard && options.shards > sequence_count(options)) {
        error = fmt::format("--shard: {} parts, but the run has only {} sequences of games (one per job and at most "
                            "one per game) to share out",
                            options.shards, sequence_count(options));
        return PARSE_ERROR;
    }
    return PARSE_RUN;
}

int sequence_count(const batch_options& options)
{
    return options.until_win ? 1 : int(std::min<int64_t>(options.jobs, options.games));
}

std::string usage_text()
{
    return "Usage: orvanta-batch [OPTION]...\n"
           "  or:  orvanta-batch merge FILE... [--scores FILE] [--log FILE]\n"
           "Plays minesweeper games by itself, without a window, and reports how they ended.\n"
           "\n"
           "  -n, --games N      games to play (default 1000)\n"
           "      --until-win    stop after the first won game, still at most N games\n"
           "                     (the games follow one another, so one process plays them)\n"
           "  -s, --seed S       play the games a solver started at clock reading S plays\n"
           "                     (0 to 4294967295; default: the clock now)\n"
           "      --first X,Y    the first cell of every game (default 0,0; X 0 to 29, Y 0 to 15)\n"
           "      --no-guess     never guess when the rules are stuck\n" +
           rule_help() +
           "  -j, --jobs T       worker processes (1 to 256; default: the number of cores);\n"
           "                     worker k plays from seed S + k\n"
           "      --shard K/N    play only part K of N of the run, each on its own machine;\n"
           "                     every part needs the same --seed, --jobs and --games\n"
           "      --log FILE     one line per game: seed, game, score, guesses, outcome\n"
           "                     (won, lost, unsolved, nostart); - for standard output\n"
           "      --trace FILE   every cell change (game, x, y, new code; -3 a flag) and status\n"
           "                     text (game, #, text); - for standard output\n"
           "      --verbose N    status texts below level N go to the trace (0 to 4; default 2;\n"
           "                     4 shows every mark and hit)\n"
           "      --scores FILE  the histogram of cells left hidden, as the game writes it\n"
           "                     (default qxscores.txt)\n"
           "      --plot FILE    the histogram as an SVG bar chart\n"
           "  -h, --help         show this help and exit\n"
           "      --version      show the version and exit\n"
           "\n"
           "merge adds up the statistics files and merges the logs (ordered by seed and game)\n"
           "of runs or parts of a run, writes them to --scores (default qxscores.txt) and\n"
           "--log, and prints the summary of all their games.\n"
           "\n"
           "A named pipe as an output waits for a reader to open it, as 'cat > FIFO' does.\n"
           "Ctrl-C, a closed terminal or any other signal that ends the program stops it\n"
           "after the games in hand, and what was finished is still written.\n"
           "Exit status: 0 done, 1 a worker process failed, 2 bad input or an output file\n"
           "that cannot be written, 130 interrupted.\n";
}
