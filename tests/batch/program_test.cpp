// The built orvanta-batch run as a user runs it, where the program itself is
// the point: its worker processes, its exit statuses, the files it leaves.
// The signals and a run in parts are in runs_test.sh.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <tuple>

#include "batch/merge_reader.h"
#include "batch/options.h"
#include "batch/report.h"
#include "version.h"
#include "tests/batch/helpers.h"

namespace {

const std::string SEED = std::to_string(TEST_SEED);

// Each test runs the program in a folder of its own, its output caught beside it.
class ProgramTest : public BatchTest {
protected:
    void SetUp() override { ASSERT_TRUE(std::filesystem::create_directories(dir)); }
    void TearDown() override { std::filesystem::remove_all(root); }

    // Runs the program in dir with args (shell words) after the shell command
    // before; returns its exit status (128 + a signal that ended it), its
    // output in out and err.
    int run(const std::string& args, const std::string& before = ":")
    {
        std::string command = before + "; cd " + dir + " && exec " BATCH_PROGRAM " " + args + " >../out 2>../err";
        int status = std::system(command.c_str());
        out = file("../out");
        err = file("../err");
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }

    std::string file(const std::string& name) const
    {
        std::ifstream in(dir + "/" + name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    std::map<std::string, std::string> listing() const  // every file in dir by name, with its text
    {
        std::map<std::string, std::string> files;
        for (const auto& entry : std::filesystem::directory_iterator(dir))
            files[entry.path().filename()] = file(entry.path().filename());
        return files;
    }

    const std::string root = ::testing::TempDir() + "orvanta-batch-" + std::to_string(getpid());
    const std::string dir = root + "/run";
    std::string out;
    std::string err;
};

}  // namespace

TEST_F(ProgramTest, JobKPlaysItsShareFromSeedSPlusKAndTheirGamesAddUp)
{
    // 31 games in two jobs: 16 from S and 15 from S + 1, played here as the workers play them.
    play(16);
    std::string log = log_text, trace = trace_text;
    play(15, [](worker_plan& p) { p.seed++; });
    EXPECT_FALSE(trace.starts_with(trace_text)) << "S + 1 plays other games than S";
    log += log_text;
    merge_input in = new_merge(480);  // the games both workers play
    ASSERT_EQ(read_merge_file(in, "log", log), "");
    const std::string games_31 = "-n 31 -s " + SEED + " -j 2 --first 29,15 ";

    // The plot on standard output, the summary apart from it; the random rule's column is the plain run's.
    EXPECT_EQ(run(games_31 + "--compare --plot -"), 0) << err;
    int64_t won = outcome_total(in.logged, OUTCOME_WON);
    EXPECT_TRUE(out.ends_with("</svg>\n") && out.find(">random: " + std::to_string(won) + " won (") != out.npos);
    EXPECT_NE(err.find("\nwon:          " + grouped(won) + " ("), std::string::npos) << err;
    EXPECT_TRUE(listing().empty()) << "a comparison writes no statistics file, log or trace";

    std::ofstream(dir + "/both.trace") << "earlier\n";
    EXPECT_EQ(run(games_31 + "--log - --trace both.trace"), 0) << err;
    EXPECT_EQ(out, log);
    auto files = listing();
    EXPECT_EQ(files.size(), 2u) << "the trace and the statistics file, no temporary";
    EXPECT_EQ(files["both.trace"], trace + trace_text);
    EXPECT_EQ(read_merge_file(in, "scores", files["qxscores.txt"]) + finish_merge(in), "") << "of the logged games";
    EXPECT_TRUE(err.starts_with("games:        31 (seed " + SEED + ", 2 jobs)\n")) << err;
    EXPECT_NE(err.find("\nsafe guesses: " + grouped(in.logged.safe_guesses) + "\n"), std::string::npos) << err;

    // Until a win: the games follow one another, so one job plays them. The log and the trace on one stream: a
    // game's trace, then its line in the log.
    EXPECT_EQ(run(games_31 + "--until-win --log - --trace -"), 0) << err;
    EXPECT_TRUE(out.starts_with("1\t#\tStarting to solve\n1\t29\t15\t")) << out.substr(0, 100);
    EXPECT_EQ(out.find("\twon\n"), out.size() - 5) << "the first game won is the last played";
    EXPECT_NE(err.find(" (seed " + SEED + ", 1 job)\n"), std::string::npos) << err;
    EXPECT_EQ(run("merge qxscores.txt"), 0) << err;  // no log: the won games are those of score 0
    EXPECT_NE(out.find("\nwon:          1 of "), std::string::npos) << out;
}

TEST_F(ProgramTest, HelpBadInputAndAFailedWriteSayWhatTheyShouldAndTouchNoOtherFile)
{
    std::ofstream(dir + "/games.log") << SEED << "\t0\t3\t0\tlost\n";  // an earlier log that merge does not take
    std::ofstream(dir + "/a.log") << SEED << "\t1\t3\t0\tlost\n";
    const std::string no_such = ": No such file or directory\n";
    const std::tuple<std::string, int, std::string, std::string> cases[] = {  // args, status, out, err
        {"--help", 0, usage_text(), ""},
        {"--version", 0, "orvanta-batch " ORVANTA_VERSION "\n", ""},
        {"--games 0", 2, "", "--games: '0' is out of range (1 to 9223372036854775807) (see --help)\n"},
        {"--log games.log --plot none/p.svg", 2, "", "cannot write 'none/p.svg'" + no_such},
        {"merge a.log missing.txt", 2, "", "cannot read 'missing.txt'" + no_such},
        {"merge games.log", 2, "", "'games.log': line 1: game 0: games count from 1\n"},
        {"merge a.log --scores none/s.txt --log games.log", 2, "", "cannot write 'none/s.txt'" + no_such},
        {"merge a.log --log none/m.log", 2, "", "cannot write 'none/m.log'" + no_such},
    };
    auto before = listing();
    for (const auto& [args, status, said, complaint] : cases) {
        SCOPED_TRACE(args);
        EXPECT_EQ(run(args), status);
        EXPECT_EQ(out, said);
        EXPECT_EQ(err, complaint.empty() ? "" : "orvanta-batch: " + complaint);
        EXPECT_EQ(listing(), before) << "no file touched, no temporary left";
    }
    // Files may grow to a kilobyte or two: the log and the summary fit, the statistics file and the plot do not.
    play(3);
    EXPECT_EQ(run("-n 3 -s " + SEED + " -j1 --first 29,15 --log new.log --plot p.svg", "ulimit -f 2; trap '' XFSZ"), 2);
    EXPECT_EQ(err, "orvanta-batch: cannot write 'qxscores.txt': File too large\n"
                   "orvanta-batch: cannot write 'p.svg': File too large\n");
    before["new.log"] = log_text;
    EXPECT_EQ(listing(), before) << "the log written all the same, no temporary left";
}
