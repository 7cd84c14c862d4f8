// The built orvanta-batch run as a user runs it: determinism across worker
// processes, the statistics file, bad input, the interrupt.
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <thread>

#include "tests/batch/helpers.h"

namespace {

struct run_result {
    int status;  // exit status, or 128 + signal
    std::string out;
    std::string err;
};

class ProgramTest : public TempDirTest {
protected:
    // Starts the program in dir with its output going to files there.
    pid_t start(std::vector<std::string> args)
    {
        args.insert(args.begin(), BATCH_PROGRAM);
        pid_t pid = fork();
        if (pid == 0) {
            if (chdir(dir.c_str()) != 0)
                _exit(126);
            int out = open("stdout.captured", O_WRONLY | O_CREAT | O_TRUNC, 0644);
            int err = open("stderr.captured", O_WRONLY | O_CREAT | O_TRUNC, 0644);
            dup2(out, STDOUT_FILENO);
            dup2(err, STDERR_FILENO);
            std::vector<char*> argv;
            for (std::string& arg : args)
                argv.push_back(arg.data());
            argv.push_back(nullptr);
            execv(argv[0], argv.data());
            _exit(127);
        }
        return pid;
    }

    // Waits for the program, killing it if it outlives the deadline (a
    // program that ignored a stop would otherwise hang the test run).
    run_result finish(pid_t pid, std::chrono::seconds deadline = std::chrono::seconds(120))
    {
        int status = 0;
        auto until = std::chrono::steady_clock::now() + deadline;
        while (waitpid(pid, &status, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() > until) {
                ADD_FAILURE() << "the program did not end in time";
                kill(pid, SIGKILL);
                waitpid(pid, &status, 0);
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        int code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        run_result result{code, read_file(dir + "/stdout.captured"), read_file(dir + "/stderr.captured")};
        std::filesystem::remove(dir + "/stdout.captured");
        std::filesystem::remove(dir + "/stderr.captured");
        return result;
    }

    run_result run(const std::vector<std::string>& args) { return finish(start(args)); }

    std::string file(const std::string& name) { return read_file(dir + "/" + name); }
};

const std::string SEED = std::to_string(TEST_SEED);
const std::string NEXT_SEED = std::to_string(TEST_SEED + 1);

// score -> games, from the log's third column.
std::map<int, int64_t> scores_in_log(const std::string& log)
{
    std::map<int, int64_t> counts;
    for (const std::string& line : lines_of(log))
        counts[std::stoi(split(line, '\t')[2])]++;
    return counts;
}

}  // namespace

TEST_F(ProgramTest, SameSeedSameRunAndJobsSplitLikeSingleRuns)
{
    ASSERT_EQ(run({"-n", "30", "-s", SEED, "-j", "2", "--log", "both.log", "--trace", "both.trace"}).status, 0);
    ASSERT_EQ(run({"-n", "30", "-s", SEED, "-j", "2", "--log", "again.log", "--trace", "again.trace"}).status, 0);
    ASSERT_EQ(run({"-n", "15", "-s", SEED, "-j", "1", "--log", "a.log", "--trace", "a.trace"}).status, 0);
    ASSERT_EQ(run({"-n", "15", "-s", NEXT_SEED, "-j", "1", "--log", "b.log", "--trace", "b.trace"}).status, 0);
    EXPECT_EQ(lines_of(file("both.log")).size(), 30u);
    EXPECT_EQ(file("both.log"), file("again.log"));
    EXPECT_EQ(file("both.trace"), file("again.trace"));
    EXPECT_EQ(file("both.log"), file("a.log") + file("b.log"));
    EXPECT_EQ(file("both.trace"), file("a.trace") + file("b.trace"));
    EXPECT_EQ(split(lines_of(file("both.log"))[15], '\t')[0], NEXT_SEED) << "the second worker plays from S + 1";
}

TEST_F(ProgramTest, UnevenShareGivesTheFirstWorkersOneGameMore)
{
    ASSERT_EQ(run({"-n", "7", "-s", SEED, "-j", "3", "--log", "three.log"}).status, 0);
    std::map<std::string, int> per_seed;
    for (const std::string& line : lines_of(file("three.log")))
        per_seed[split(line, '\t')[0]]++;
    EXPECT_EQ(per_seed[SEED], 3);
    EXPECT_EQ(per_seed[NEXT_SEED], 2);
    EXPECT_EQ(per_seed[std::to_string(TEST_SEED + 2)], 2);
}

TEST_F(ProgramTest, StatisticsFileHasALinePerScoreAddingUpToTheGames)
{
    write_file(dir + "/qxscores.txt", "stale\r\n");
    run_result result = run({"-n", "24", "-s", SEED, "-j", "2", "--log", "games.log"});
    ASSERT_EQ(result.status, 0) << result.err;
    std::string text = file("qxscores.txt");
    std::map<int, int64_t> expected = scores_in_log(file("games.log"));
    std::vector<std::string> lines = split(text, '\n');
    ASSERT_EQ(lines.size(), 482u) << "481 lines, each ending in a line feed";
    EXPECT_EQ(lines.back(), "");
    int64_t total = 0;
    for (int s = 0; s <= 480; s++) {
        std::string line = lines[s];
        ASSERT_FALSE(line.empty());
        EXPECT_EQ(line.back(), '\r') << "line " << s;
        std::vector<std::string> fields = split(line.substr(0, line.size() - 1), '\t');
        ASSERT_EQ(fields.size(), 2u);
        EXPECT_EQ(fields[0], std::to_string(s));
        EXPECT_EQ(std::stoll(fields[1]), expected[s]) << "score " << s;
        total += std::stoll(fields[1]);
    }
    EXPECT_EQ(total, 24);
    EXPECT_NE(result.out.find("games:        24 (seed " + SEED + ", 2 jobs)"), std::string::npos) << result.out;
}

TEST_F(ProgramTest, LogAndTraceCanShareStandardOutput)
{
    run_result result = run({"-n", "2", "-s", SEED, "-j", "1", "--log", "-", "--trace", "-"});
    ASSERT_EQ(result.status, 0) << result.err;
    std::vector<std::string> lines = lines_of(result.out);
    ASSERT_GT(lines.size(), 2u);
    EXPECT_EQ(lines.front(), "1\t#\tStarting to solve");
    EXPECT_EQ(split(lines.back(), '\t').size(), 5u) << "the last game's log line ends it: " << lines.back();
    EXPECT_EQ(split(lines.back(), '\t')[1], "2");
    EXPECT_NE(result.err.find("games:        2"), std::string::npos) << "the summary moves to standard error";
}

TEST_F(ProgramTest, PlotOnStandardOutputIsTheWholeOutput)
{
    run_result result = run({"-n", "3", "-s", SEED, "--plot", "-"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out.rfind("<?xml", 0), 0u);
    EXPECT_EQ(result.out.substr(result.out.size() - 7), "</svg>\n");
    EXPECT_NE(result.err.find("games:        3"), std::string::npos);
}

TEST_F(ProgramTest, UntilWinEndsOnTheFirstWonGame)
{
    run_result result = run({"-n", "3000", "-s", SEED, "-j", "2", "--until-win", "--log", "win.log"});
    ASSERT_EQ(result.status, 0) << result.err;
    std::vector<std::string> lines = lines_of(file("win.log"));
    ASSERT_FALSE(lines.empty());
    ASSERT_LT(lines.size(), 3000u);
    EXPECT_EQ(split(lines.back(), '\t')[4], "won");
    for (std::size_t i = 0; i + 1 < lines.size(); i++)
        EXPECT_NE(split(lines[i], '\t')[4], "won") << lines[i];
    EXPECT_NE(result.out.find("1 job)"), std::string::npos) << "one sequence of games, one worker";
}

TEST_F(ProgramTest, BadInputExitsWithStatusTwoAndTouchesNoFile)
{
    write_file(dir + "/qxscores.txt", "earlier run\r\n");
    write_file(dir + "/games.log", "earlier log\n");
    const std::vector<std::vector<std::string>> bad = {
        {"--bogus"},
        {"--games", "0"},
        {"--games", "many"},
        {"--jobs", "0"},
        {"--first", "30,2"},
        {"--first", "4,16"},
        {"--log", "games.log", "--trace", "missing-dir/t.txt"},
        {"--log", "games.log", "--scores", "missing-dir/s.txt"},
        {"--log", "games.log", "--plot", "missing-dir/p.svg"},
        {"--log", "games.log", "--scores", "."},
    };
    std::vector<std::string> before = names();
    for (const auto& args : bad) {
        std::vector<std::string> full = args;
        full.insert(full.end(), {"-n", "3", "-s", SEED});
        run_result result = run(full);
        EXPECT_EQ(result.status, 2) << args[0];
        EXPECT_EQ(lines_of(result.err).size(), 1u) << args[0] << ": " << result.err;
        EXPECT_EQ(result.err.rfind("orvanta-batch: ", 0), 0u) << result.err;
        EXPECT_EQ(result.out, "") << args[0];
        EXPECT_EQ(file("qxscores.txt"), "earlier run\r\n") << args[0];
        EXPECT_EQ(file("games.log"), "earlier log\n") << args[0];
        EXPECT_EQ(names(), before) << "no temporary file left by " << args[0];
    }
}

TEST_F(ProgramTest, HelpAndVersion)
{
    run_result help = run({"--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* option : {"--games", "--until-win", "--seed", "--first", "--no-guess", "--jobs", "--log",
                               "--trace", "--verbose", "--scores", "--plot", "--version"})
        EXPECT_NE(help.out.find(option), std::string::npos) << option;
    run_result version = run({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("orvanta-batch ", 0), 0u) << version.out;
    EXPECT_TRUE(names().empty()) << "neither plays nor writes a file";
}

TEST_F(ProgramTest, InterruptStopsAfterTheGamesInHandAndWritesThem)
{
    write_file(dir + "/qxscores.txt", "earlier run\r\n");
    pid_t pid = start({"-n", "100000000", "-s", SEED, "-j", "2", "--log", "games.log", "--plot", "p.svg"});
    // Wait until games are being logged (into the log's temporary file).
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    bool playing = false;
    while (!playing && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        for (const std::string& name : names())
            if (name.rfind("games.log.", 0) == 0 && std::filesystem::file_size(dir + "/" + name) > 0)
                playing = true;
    }
    ASSERT_TRUE(playing);
    kill(pid, SIGINT);
    run_result result = finish(pid, std::chrono::seconds(20));
    EXPECT_EQ(result.status, 130) << result.err;
    int64_t logged = int64_t(lines_of(file("games.log")).size());
    EXPECT_GT(logged, 0);
    int64_t counted = 0;
    for (const std::string& line : lines_of(file("qxscores.txt")))
        counted += std::stoll(split(line, '\t')[1]);
    EXPECT_EQ(counted, logged) << "the statistics file holds exactly the finished games";
    EXPECT_NE(result.out.find("interrupted:  " + std::to_string(logged) + " of 100000000"), std::string::npos)
        << result.out;
    EXPECT_NE(file("p.svg").find("</svg>"), std::string::npos);
    std::vector<std::string> left = names();
    EXPECT_EQ(left, (std::vector<std::string>{"games.log", "p.svg", "qxscores.txt"})) << "no temporary left";
}
