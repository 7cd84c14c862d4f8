// The command line: every option in its forms, the defaults, and the
// one-line errors for bad input.
#include <ctime>

#include "batch/options.h"
#include "tests/batch/helpers.h"

namespace {

parse_result parse(std::vector<std::string> args, batch_options& options, std::string& error)
{
    args.insert(args.begin(), "orvanta-batch");
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    return parse_options(int(argv.size()), argv.data(), options, error);
}

}  // namespace

TEST_F(BatchTest, DefaultsWithoutOptions)
{
    batch_options options;
    std::string error;
    ASSERT_EQ(parse({}, options, error), PARSE_RUN);
    EXPECT_EQ(options.games, 1000);
    EXPECT_FALSE(options.until_win);
    EXPECT_NEAR(double(options.seed), double(std::time(nullptr)), 5.0) << "the seed is the clock now";
    EXPECT_EQ(options.first_x, 0);
    EXPECT_EQ(options.first_y, 0);
    EXPECT_FALSE(options.no_guess);
    EXPECT_GE(options.jobs, 1);
    EXPECT_EQ(options.log_path, "");
    EXPECT_EQ(options.trace_path, "");
    EXPECT_EQ(options.verbose, 2);
    EXPECT_EQ(options.scores_path, "qxscores.txt");
    EXPECT_EQ(options.plot_path, "");
}

TEST_F(BatchTest, EveryOptionInLongShortAndAttachedForms)
{
    batch_options options;
    std::string error;
    ASSERT_EQ(parse({"--games", "20", "--until-win", "--seed=4294967295", "--first", "29,15", "--no-guess", "-j3",
                     "--log", "-", "--trace=t.txt", "--verbose", "4", "--scores", "s.txt", "--plot", "p.svg"},
                    options, error),
              PARSE_RUN)
        << error;
    EXPECT_EQ(options.games, 20);
    EXPECT_TRUE(options.until_win);
    EXPECT_EQ(options.seed, 4294967295u);
    EXPECT_EQ(options.first_x, 29);
    EXPECT_EQ(options.first_y, 15);
    EXPECT_TRUE(options.no_guess);
    EXPECT_EQ(options.jobs, 3);
    EXPECT_EQ(options.log_path, "-");
    EXPECT_EQ(options.trace_path, "t.txt");
    EXPECT_EQ(options.verbose, 4);
    EXPECT_EQ(options.scores_path, "s.txt");
    EXPECT_EQ(options.plot_path, "p.svg");

    ASSERT_EQ(parse({"-n", "7", "-s", "0", "--jobs=1", "--games=9"}, options, error), PARSE_RUN) << error;
    EXPECT_EQ(options.games, 9) << "the last of a repeated option counts";
    EXPECT_EQ(options.seed, 0u);
    EXPECT_EQ(options.jobs, 1);
}

TEST_F(BatchTest, HelpAndVersionAreAnsweredWhateverElseIsGiven)
{
    batch_options options;
    std::string error;
    EXPECT_EQ(parse({"--games", "5", "--help"}, options, error), PARSE_HELP);
    EXPECT_EQ(parse({"-h"}, options, error), PARSE_HELP);
    EXPECT_EQ(parse({"--version"}, options, error), PARSE_VERSION);
    EXPECT_EQ(parse({"--version", "--help"}, options, error), PARSE_HELP);
    EXPECT_NE(usage_text().find("--until-win"), std::string::npos);
}

TEST_F(BatchTest, BadInputIsOneLineNamingTheProblem)
{
    struct bad_case {
        std::vector<std::string> args;
        const char* names;  // what the message must mention
    };
    const bad_case cases[] = {
        {{"--frobnicate"}, "unknown option '--frobnicate'"},
        {{"-q"}, "unknown option '-q'"},
        {{"stray"}, "unexpected argument 'stray'"},
        {{"--games"}, "'--games' needs a value"},
        {{"--games", "0"}, "'0' is out of range (1 to"},
        {{"--games", "-5"}, "out of range"},
        {{"--games", "12x"}, "'12x' is not a whole number"},
        {{"--games", ""}, "not a whole number"},
        {{"--games", "99999999999999999999"}, "out of range"},
        {{"--jobs", "0"}, "--jobs: '0' is out of range"},
        {{"--seed", "4294967296"}, "--seed: '4294967296' is out of range"},
        {{"--seed", "-1"}, "out of range"},
        {{"--verbose", "5"}, "--verbose: '5' is out of range"},
        {{"--first", "30,0"}, "outside the 30 by 16 field"},
        {{"--first", "0,16"}, "outside the 30 by 16 field"},
        {{"--first", "-1,3"}, "outside"},
        {{"--first", "3"}, "'3' is not a cell X,Y"},
        {{"--first", "3,y"}, "'y' is not a whole number"},
        {{"--until-win=yes"}, "'--until-win' takes no value"},
        {{"--log="}, "--log: the file name is empty"},
        {{"--scores", "-"}, "cannot go to standard output"},
    };
    for (const bad_case& c : cases) {
        batch_options options;
        std::string error;
        std::string shown = c.args[0] + (c.args.size() > 1 ? " " + c.args[1] : "");
        EXPECT_EQ(parse(c.args, options, error), PARSE_ERROR) << shown;
        EXPECT_NE(error.find(c.names), std::string::npos) << shown << " gave: " << error;
        EXPECT_EQ(error.find('\n'), std::string::npos) << shown;
    }
}
