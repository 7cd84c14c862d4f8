// Parsing the batch player's options: --name value, --name=value, -n value, -nvalue.
#include "batch/options.h"

#include <charconv>
#include <cstring>
#include <limits>
#include <string_view>
#include <thread>

#include "engine/board.h"
#include "engine/random.h"

namespace {

struct option_kind {
    const char* name;
    char short_name;  // 0: none
    bool takes_value;
};

constexpr option_kind OPTION_KINDS[] = {
    {"games", 'n', true},    {"until-win", 0, false}, {"seed", 's', true},    {"first", 0, true},
    {"no-guess", 0, false},  {"jobs", 'j', true},     {"log", 0, true},       {"trace", 0, true},
    {"verbose", 0, true},    {"scores", 0, true},     {"plot", 0, true},      {"help", 'h', false},
    {"version", 0, false},
};

inline constexpr int MAX_JOBS = 256;
inline constexpr int MAX_VERBOSE = 4;

const option_kind* find_long(std::string_view name)
{
    for (const option_kind& option : OPTION_KINDS)
        if (name == option.name)
            return &option;
    return nullptr;
}

const option_kind* find_short(char name)
{
    for (const option_kind& option : OPTION_KINDS)
        if (option.short_name && name == option.short_name)
            return &option;
    return nullptr;
}

// Reads a whole decimal number within [low, high]; 0 with error set otherwise.
int read_number(const char* option, std::string_view text, int64_t low, int64_t high, int64_t& value,
                std::string& error)
{
    const char* end = text.data() + text.size();
    auto [stop, status] = std::from_chars(text.data(), end, value);
    if (status == std::errc() && stop == end && value >= low && value <= high)
        return 1;
    std::string quoted = "--" + std::string(option) + ": '" + std::string(text) + "' ";
    if ((status == std::errc() || status == std::errc::result_out_of_range) && stop == end && !text.empty())
        error = quoted + "is out of range (" + std::to_string(low) + " to " + std::to_string(high) + ")";
    else
        error = quoted + "is not a whole number";
    return 0;
}

// "X,Y" naming a cell of the field.
int read_cell(std::string_view text, batch_options& options, std::string& error)
{
    std::size_t comma = text.find(',');
    int64_t x = 0;
    int64_t y = 0;
    const int64_t any = std::numeric_limits<int32_t>::max();
    if (comma == std::string_view::npos) {
        error = "--first: '" + std::string(text) + "' is not a cell X,Y";
        return 0;
    }
    if (!read_number("first", text.substr(0, comma), -any, any, x, error) ||
        !read_number("first", text.substr(comma + 1), -any, any, y, error))
        return 0;
    if (x < 0 || x >= xdim || y < 0 || y >= ydim) {
        error = "--first: '" + std::string(text) + "' is outside the " + std::to_string(xdim) + " by " +
                std::to_string(ydim) + " field (X 0 to " + std::to_string(xdim - 1) + ", Y 0 to " +
                std::to_string(ydim - 1) + ")";
        return 0;
    }
    options.first_x = int(x);
    options.first_y = int(y);
    return 1;
}

int read_path(const char* option, std::string_view text, std::string& path, std::string& error)
{
    if (text.empty()) {
        error = "--" + std::string(option) + ": the file name is empty";
        return 0;
    }
    path = text;
    return 1;
}

int apply_value(const option_kind& option, std::string_view value, batch_options& options, std::string& error)
{
    std::string_view name = option.name;
    int64_t number = 0;
    if (name == "games") {
        if (!read_number(option.name, value, 1, std::numeric_limits<int64_t>::max(), number, error))
            return 0;
        options.games = number;
    } else if (name == "seed") {
        if (!read_number(option.name, value, 0, std::numeric_limits<uint32_t>::max(), number, error))
            return 0;
        options.seed = uint32_t(number);
    } else if (name == "jobs") {
        if (!read_number(option.name, value, 1, MAX_JOBS, number, error))
            return 0;
        options.jobs = int(number);
    } else if (name == "verbose") {
        if (!read_number(option.name, value, 0, MAX_VERBOSE, number, error))
            return 0;
        options.verbose = int(number);
    } else if (name == "first") {
        return read_cell(value, options, error);
    } else if (name == "log") {
        return read_path(option.name, value, options.log_path, error);
    } else if (name == "trace") {
        return read_path(option.name, value, options.trace_path, error);
    } else if (name == "scores") {
        if (value == "-") {
            error = "--scores: the statistics file cannot go to standard output";
            return 0;
        }
        return read_path(option.name, value, options.scores_path, error);
    } else {
        return read_path(option.name, value, options.plot_path, error);
    }
    return 1;
}

}  // namespace

parse_result parse_options(int argc, char** argv, batch_options& options, std::string& error)
{
    options = batch_options{};
    options.seed = clock_seconds();
    options.jobs = int(std::max(1u, std::thread::hardware_concurrency()));
    parse_result result = PARSE_RUN;
    for (int i = 1; i < argc; i++) {
        std::string_view arg = argv[i];
        const option_kind* option = nullptr;
        std::string_view value;
        bool has_value = false;
        if (arg.size() > 2 && arg.starts_with("--")) {
            std::size_t equals = arg.find('=');
            option = find_long(arg.substr(2, equals == std::string_view::npos ? arg.npos : equals - 2));
            if (option && equals != std::string_view::npos) {
                value = arg.substr(equals + 1);
                has_value = true;
            }
        } else if (arg.size() >= 2 && arg[0] == '-' && arg[1] != '-') {
            option = find_short(arg[1]);
            if (option && arg.size() > 2) {
                value = arg.substr(2);
                has_value = true;
            }
        } else {
            error = "unexpected argument '" + std::string(arg) + "'";
            return PARSE_ERROR;
        }
        if (!option) {
            error = "unknown option '" + std::string(arg) + "'";
            return PARSE_ERROR;
        }
        std::string shown = "--" + std::string(option->name);
        if (!option->takes_value && has_value) {
            error = "option '" + shown + "' takes no value";
            return PARSE_ERROR;
        }
        if (option->takes_value && !has_value) {
            if (i + 1 >= argc) {
                error = "option '" + shown + "' needs a value";
                return PARSE_ERROR;
            }
            value = argv[++i];
        }
        std::string_view name = option->name;
        if (name == "help")
            result = PARSE_HELP;
        else if (name == "version" && result != PARSE_HELP)
            result = PARSE_VERSION;
        else if (name == "until-win")
            options.until_win = true;
        else if (name == "no-guess")
            options.no_guess = true;
        else if (option->takes_value && !apply_value(*option, value, options, error))
            return PARSE_ERROR;
    }
    return result;
}

std::string usage_text()
{
    return "Usage: orvanta-batch [OPTION]...\n"
           "Plays minesweeper games by itself, without a window, and reports how they ended.\n"
           "\n"
           "  -n, --games N      games to play (default 1000)\n"
           "      --until-win    stop after the first won game, still at most N games\n"
           "                     (the games follow one another, so one process plays them)\n"
           "  -s, --seed S       play the games a solver started at clock reading S plays\n"
           "                     (0 to 4294967295; default: the clock now)\n"
           "      --first X,Y    the first cell of every game (default 0,0; X 0 to 29, Y 0 to 15)\n"
           "      --no-guess     never guess when the rules are stuck\n"
           "  -j, --jobs T       worker processes (1 to 256; default: the number of cores);\n"
           "                     worker k plays from seed S + k\n"
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
           "Ctrl-C stops after the games in hand and still writes what was finished.\n"
           "Exit status: 0 done, 1 a worker process failed, 2 bad input or an output file\n"
           "that cannot be written, 130 interrupted.\n";
}
