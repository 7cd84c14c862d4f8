// The command line read in-process: every option in its forms, repeated
// options, help and version, and every kind of bad value.
#include <fmt/format.h>

#include <algorithm>
#include <thread>

#include "batch/options.h"
#include "driver/state.h"
#include "engine/random.h"
#include "tests/batch/helpers.h"

namespace {

// Parses args after set_start_values(), which gives the field the first cell must lie in;
// returns the options read, or the error.
std::string parsed(std::vector<std::string> args, parse_result& result)
{
    set_start_values();
    args.insert(args.begin(), "orvanta-batch");
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    batch_options o;
    std::string error;
    result = parse_options(int(argv.size()), argv.data(), o, error);
    if (result == PARSE_ERROR)
        return error;
    return fmt::format("games {} until-win {} seed {} first {},{} no-guess {} jobs {} log '{}' trace '{}' verbose {} "
                       "scores '{}' plot '{}'",
                       o.games, o.until_win, o.seed, o.first_x, o.first_y, o.no_guess, o.jobs, o.log_path,
                       o.trace_path, o.verbose, o.scores_path, o.plot_path);
}

struct parse_case {
    std::vector<std::string> args;
    parse_result result;
    std::string says;  // the options read (PARSE_RUN), or a part of the error
};

const std::string DEFAULTS = "games 1000 until-win false seed 5 first 0,0 no-guess false jobs 2 log '' trace '' "
                             "verbose 2 scores 'qxscores.txt' plot ''";

const parse_case CASES[] = {
    {{"-s", "5", "-j", "2"}, PARSE_RUN, DEFAULTS},
    {{"--games", "20", "--until-win", "--seed=4294967295", "--first", "29,15", "--no-guess", "-j3", "--log", "-",
      "--trace=t.txt", "--verbose", "4", "--scores", "s.txt", "--plot", "p.svg"},
     PARSE_RUN,
     "games 20 until-win true seed 4294967295 first 29,15 no-guess true jobs 3 log '-' trace 't.txt' verbose 4 "
     "scores 's.txt' plot 'p.svg'"},
    {{"-n", "7", "-s", "0", "--jobs=1", "--games=9", "-n9"}, PARSE_RUN,
     "games 9 until-win false seed 0 first 0,0 no-guess false jobs 1 log '' trace '' verbose 2 scores 'qxscores.txt' "
     "plot ''"},
    {{"--games", "5", "--version", "-h"}, PARSE_HELP, ""},
    {{"-h", "--version"}, PARSE_HELP, ""},
    {{"--version"}, PARSE_VERSION, ""},
    {{"--games", "0", "-h"}, PARSE_ERROR, "--games: '0' is out of range (1 to"},
    {{"--frobnicate"}, PARSE_ERROR, "unknown option '--frobnicate'"},
    {{"-q"}, PARSE_ERROR, "unknown option '-q'"},
    {{"stray"}, PARSE_ERROR, "unexpected argument 'stray'"},
    {{"--games"}, PARSE_ERROR, "option '--games' needs a value"},
    {{"--games", "12x"}, PARSE_ERROR, "'12x' is not a whole number"},
    {{"--games", ""}, PARSE_ERROR, "not a whole number"},
    {{"--games", "99999999999999999999"}, PARSE_ERROR, "out of range"},
    {{"--jobs", "0"}, PARSE_ERROR, "--jobs: '0' is out of range"},
    {{"--seed", "4294967296"}, PARSE_ERROR, "--seed: '4294967296' is out of range"},
    {{"--seed", "-1"}, PARSE_ERROR, "out of range"},
    {{"--verbose", "5"}, PARSE_ERROR, "--verbose: '5' is out of range"},
    {{"--first", "30,0"}, PARSE_ERROR, "outside the 30 by 16 field"},
    {{"--first", "0,16"}, PARSE_ERROR, "outside the 30 by 16 field"},
    {{"--first", "-1,3"}, PARSE_ERROR, "outside"},
    {{"--first", "3"}, PARSE_ERROR, "'3' is not a cell X,Y"},
    {{"--first", "3,y"}, PARSE_ERROR, "'y' is not a whole number"},
    {{"--until-win=yes"}, PARSE_ERROR, "option '--until-win' takes no value"},
    {{"--log="}, PARSE_ERROR, "--log: the file name is empty"},
    {{"--scores", "-"}, PARSE_ERROR, "cannot go to standard output"},
};

}  // namespace

TEST(Options, EveryFormEveryProblem)
{
    for (const parse_case& c : CASES) {
        parse_result result;
        std::string says = parsed(c.args, result);
        EXPECT_EQ(result, c.result) << c.args[0] << ": " << says;
        if (c.result == PARSE_RUN) {
            EXPECT_EQ(says, c.says);
        } else if (c.result == PARSE_ERROR) {
            EXPECT_NE(says.find(c.says), std::string::npos) << says;
        }
    }
    parse_result result;
    EXPECT_EQ(parsed({}, result), fmt::format("games 1000 until-win false seed {} first 0,0 no-guess false jobs {} log '' "
                                              "trace '' verbose 2 scores 'qxscores.txt' plot ''",
                                              clock_seconds(), std::max(1u, std::thread::hardware_concurrency())))
        << "the seed is the clock now, a job per core";
}
