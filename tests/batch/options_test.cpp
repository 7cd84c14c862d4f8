// The command line read in-process: every option in its forms, repeated
// options, help and version, and every kind of bad value.
#include <fmt/format.h>
#include <fmt/ranges.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

#include "batch/options.h"
#include "driver/state.h"
#include "engine/board.h"
#include "engine/random.h"

namespace {

// Parses args after set_start_values(), which gives the field the first cell
// must lie in: the options read, or the error.
std::pair<parse_result, std::string> parsed(std::vector<std::string> args)
{
    set_start_values();
    args.insert(args.begin(), "orvanta-batch");
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    batch_options o;
    std::string error;
    parse_result result = parse_options(int(argv.size()), argv.data(), o, error);
    if (result == PARSE_ERROR)
        return {result, error};
    return {result, fmt::format("games {} until-win {} seed {} field {}x{}/{} first {},{} no-guess {} jobs {} log '{}' "
                                "trace '{}' verbose {} scores '{}' plot '{}' guess {} compare {} shard {}/{}",
                                o.games, o.until_win, o.seed, xdim, ydim, mines, o.first_x, o.first_y, o.no_guess,
                                o.jobs, o.log_path, o.trace_path, o.verbose, o.scores_path, o.plot_path, o.guess_rule,
                                o.compare, o.shard, o.shards)};
}

}  // namespace

TEST(Options, EveryFormEveryProblem)
{
    pin_clock(1700000000);  // read twice below: the clock must not tick between
    const std::pair<std::vector<std::string>, std::string> runs[] = {
        {{"--guess", "safest", "--shard", "2/4", "-s", "5", "-j", "4", "--log", "l", "--trace", "./l"},
         "games 1000 until-win false seed 5 field 30x16/99 first 0,0 no-guess false jobs 4 log 'l' trace 'l' verbose 2 "
         "scores 'qxscores.txt' plot '' guess 1 compare [] shard 2/4"},
        {{"--games", "20", "--until-win", "--seed=4294967295", "--first", "29,15", "--no-guess", "-j3", "--log", "-",
          "--trace=t.txt", "--verbose", "4", "--scores", "s.txt", "--plot", "p.svg", "--guess", "best"},
         "games 20 until-win true seed 4294967295 field 30x16/99 first 29,15 no-guess true jobs 3 log '-' "
         "trace 't.txt' verbose 4 scores 's.txt' plot 'p.svg' guess 2 compare [] shard 0/1"},
        {{"--first", "15,31", "--field", "16x32/100", "-s", "1", "-j", "1"},  // the cell is checked on the field given
         "games 1000 until-win false seed 1 field 16x32/100 first 15,31 no-guess false jobs 1 log '' trace '' "
         "verbose 2 scores 'qxscores.txt' plot '' guess 0 compare [] shard 0/1"},
        {{"-n", "7", "-s", "0", "--jobs=1", "--games=9", "-n9", "--compare"},
         "games 9 until-win false seed 0 field 30x16/99 first 0,0 no-guess false jobs 1 log '' trace '' verbose 2 "
         "scores 'qxscores.txt' plot '' guess 0 compare [0, 1] shard 0/1"},
        {{"--compare", "best,safest,random", "-s", "0", "-j", "1"},
         "games 1000 until-win false seed 0 field 30x16/99 first 0,0 no-guess false jobs 1 log '' trace '' verbose 2 "
         "scores 'qxscores.txt' plot '' guess 0 compare [2, 1, 0] shard 0/1"},
        {{},  // the seed is the clock now, a job per core
         fmt::format("games 1000 until-win false seed {} field 30x16/99 first 0,0 no-guess false jobs {} log '' "
                     "trace '' verbose 2 scores 'qxscores.txt' plot '' guess 0 compare [] shard 0/1",
                     clock_seconds(), std::max(1u, std::thread::hardware_concurrency()))},
    };
    for (const auto& [args, read] : runs)
        EXPECT_EQ(parsed(args), std::pair(PARSE_RUN, read));
    // --help wins over --version wherever each stands (the program shows what --version says).
    EXPECT_EQ(parsed({"--games", "5", "--version", "-h"}).first, PARSE_HELP);
    EXPECT_EQ(parsed({"-h", "--version"}).first, PARSE_HELP);
    const std::string field = " is outside the 30 by 16 field (X 0 to 29, Y 0 to 15)";
    const std::pair<std::vector<std::string>, std::string> errors[] = {
        {{"--games", "0", "-h"}, "--games: '0' is out of range (1 to 9223372036854775807)"},  // a problem wins over -h
        {{"--guess", "safest", "--compare"}, "--guess excludes --compare"},
        {{"--compare", "--log", "-"}, "--log excludes --compare"},
        {{"--frobnicate"}, "unknown option '--frobnicate'"},
        {{"-q"}, "unknown option '-q'"},
        {{"stray"}, "unexpected argument 'stray'"},
        {{"--games"}, "option '--games' needs a value"},
        {{"--games", "12x"}, "--games: '12x' is not a whole number"},
        {{"--games", ""}, "--games: '' is not a whole number"},
        {{"--games", "99999999999999999999"},
         "--games: '99999999999999999999' is out of range (1 to 9223372036854775807)"},
        {{"--jobs", "0"}, "--jobs: '0' is out of range (1 to 256)"},
        {{"--seed", "4294967296"}, "--seed: '4294967296' is out of range (0 to 4294967295)"},
        {{"--seed", "-1"}, "--seed: '-1' is out of range (0 to 4294967295)"},
        {{"--verbose", "5"}, "--verbose: '5' is out of range (0 to 4)"},
        {{"--first", "30,0"}, "--first: '30,0'" + field},
        {{"--first", "0,16"}, "--first: '0,16'" + field},
        {{"--first", "-1,3"}, "--first: '-1,3'" + field},
        {{"--first", "3"}, "--first: '3' is not a cell X,Y"},
        {{"--first", "3,y"}, "--first: 'y' is not a whole number"},
        {{"--until-win=yes"}, "option '--until-win' takes no value"},
        {{"--log="}, "--log: the file name is empty"},
        {{"--scores", "-"}, "--scores: the statistics file cannot go to standard output"},
        {{"--guess", "worst"}, "--guess: 'worst' is not a guessing rule (random, safest or best)"},
        {{"--compare=random,worst"}, "--compare: 'worst' is not a guessing rule (random, safest or best)"},
        {{"--compare", "safest"}, "--compare: 'safest' names one rule; a comparison takes two or more"},
        {{"--compare", "safest,random,safest"}, "--compare: 'safest,random,safest' names 'safest' twice"},
        {{"--field", "0x16/0"}, "--field: '0' is out of range (1 to 512)"},
        {{"--field", "30x0/0"}, "--field: '0' is out of range (1 to 512)"},
        {{"--field", "23x23/99"}, "--field: '23x23/99' has 529 cells, more than the 512 a field may have"},
        {{"--field", "9x9/80"}, "--field: '9x9/80' has 80 mines: at most 79 on 81 cells (the first cell and one more "
                                "stay safe)"},
        {{"--field", "9x9"}, "--field: '9x9' is not a field WxH/M (width x height / mines)"},
        {{"--field", "9/9x9"}, "--field: '9/9x9' is not a field WxH/M (width x height / mines)"},
        {{"--field", "9x9/-1"}, "--field: '-1' is out of range (0 to 512)"},
        {{"--field", "9x9/10", "--first", "9,0"}, "--first: '9,0' is outside the 9 by 9 field (X 0 to 8, Y 0 to 8)"},
        {{"--shard", "1/2", "-s", "1"}, "--shard requires --jobs"},
        {{"--shard", "3/2", "-j", "2", "-s", "1"}, "--shard: '3' is out of range (1 to 2)"},
        {{"--shard", "4/4", "-j", "8", "-n", "3", "-s", "1"},
         "--shard: 4 parts, but the run has only 3 sequences of games (one per job and at most one per game) to "
         "share out"},
        {{"--first", "1,1", "merge", "a.log"}, "option '--first' does not go with merge"},
        {{"--log", "x", "--trace", "t", "--scores", "./x"}, "options '--log' and '--scores' both write 'x'"},
        {{"merge", "a.log", "--log", "./qxscores.txt"}, "options '--log' and '--scores' both write './qxscores.txt'"},
    };
    for (const auto& [args, error] : errors)
        EXPECT_EQ(parsed(args), std::pair(PARSE_ERROR, error));
}
