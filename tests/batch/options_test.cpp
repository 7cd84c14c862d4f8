// The command line: every option in its forms over the defaults. Bad input
// is tried on the built program.
#include <algorithm>
#include <thread>
#include <tuple>

#include "batch/options.h"
#include "driver/state.h"
#include "engine/random.h"
#include "tests/batch/helpers.h"

namespace {

parse_result parse(std::vector<std::string> args, batch_options& options, std::string& error)
{
    set_start_values();  // the field the first cell must lie in
    args.insert(args.begin(), "orvanta-batch");
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    return parse_options(int(argv.size()), argv.data(), options, error);
}

}  // namespace

TEST(Options, EveryFormOverTheDefaults)
{
    batch_options o;
    std::string error;
    ASSERT_EQ(parse({}, o, error), PARSE_RUN);
    EXPECT_EQ(std::tie(o.games, o.until_win, o.first_x, o.first_y, o.no_guess, o.verbose),
              std::make_tuple(int64_t(1000), false, 0, 0, false, 2));
    EXPECT_EQ(std::tie(o.log_path, o.trace_path, o.scores_path, o.plot_path),
              std::make_tuple("", "", "qxscores.txt", ""));
    EXPECT_EQ(std::tie(o.guess_rule, o.compare, o.shard), std::make_tuple(int(GUESS_RANDOM), false, 0));
    EXPECT_NEAR(double(o.seed), double(clock_seconds()), 5.0) << "the seed is the clock now";
    EXPECT_EQ(o.jobs, int(std::max(1u, std::thread::hardware_concurrency()))) << "a job per core";

    ASSERT_EQ(parse({"--games", "20", "--until-win", "--seed=4294967295", "--first", "29,15", "--no-guess", "-j3",
                     "--log", "-", "--trace=t.txt", "--verbose", "4", "--scores", "s.txt", "--plot", "p.svg"},
                    o, error),
              PARSE_RUN)
        << error;
    EXPECT_EQ(std::tie(o.games, o.until_win, o.seed, o.first_x, o.first_y, o.no_guess, o.jobs, o.verbose),
              std::make_tuple(int64_t(20), true, 4294967295u, 29, 15, true, 3, 4));
    EXPECT_EQ(std::tie(o.log_path, o.trace_path, o.scores_path, o.plot_path),
              std::make_tuple("-", "t.txt", "s.txt", "p.svg"));
    // --guess, --shard, --compare and merge are read in the runs of the program's tests.
    ASSERT_EQ(parse({"-n", "7", "-s", "0", "--jobs=1", "--games=9"}, o, error), PARSE_RUN) << error;
    EXPECT_EQ(std::tie(o.games, o.seed, o.jobs), std::make_tuple(int64_t(9), 0u, 1))
        << "the last of a repeated option counts";
}
