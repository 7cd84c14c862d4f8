// The built orvanta-batch run as a user runs it: determinism across worker
// processes, the output files, bad input, the interrupt, a killed parent.
#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <set>
#include <thread>

#include "batch/options.h"
#include "version.h"
#include "tests/batch/helpers.h"

namespace {

struct run_result {
    int status;  // exit status, or 128 + signal
    std::string out;
    std::string err;
};

// Each test runs the program in a fresh directory under /tmp, removed after it.
class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/orvanta-batch-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    // Starts the program in dir with its output going to files there, after
    // before_exec ran in its process. An alarm ends it after two minutes
    // (status 142), so that a program that ignored a stop fails its test
    // instead of hanging the run.
    pid_t start(std::vector<std::string> args, const std::function<void()>& before_exec = nullptr)
    {
        args.insert(args.begin(), BATCH_PROGRAM);
        std::vector<char*> argv;
        for (std::string& arg : args)
            argv.push_back(arg.data());
        argv.push_back(nullptr);
        pid_t pid = fork();
        if (pid == 0) {
            alarm(120);
            if (chdir(dir.c_str()) == 0 &&
                dup2(open("stdout.captured", O_WRONLY | O_CREAT | O_TRUNC, 0644), STDOUT_FILENO) >= 0 &&
                dup2(open("stderr.captured", O_WRONLY | O_CREAT | O_TRUNC, 0644), STDERR_FILENO) >= 0) {
                if (before_exec)
                    before_exec();
                execv(argv[0], argv.data());
            }
            _exit(127);
        }
        return pid;
    }

    run_result finish(pid_t pid)
    {
        int status = 0;
        waitpid(pid, &status, 0);
        int code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        run_result result{code, file("stdout.captured"), file("stderr.captured")};
        std::filesystem::remove(dir + "/stdout.captured");
        std::filesystem::remove(dir + "/stderr.captured");
        return result;
    }

    run_result run(const std::vector<std::string>& args) { return finish(start(args)); }

    std::string file(const std::string& name)
    {
        std::ifstream in(dir + "/" + name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    std::set<std::string> names() const  // what the directory holds
    {
        std::set<std::string> found;
        for (const auto& entry : std::filesystem::directory_iterator(dir))
            found.insert(entry.path().filename().string());
        return found;
    }

    std::string dir;
};

const std::string SEED = std::to_string(TEST_SEED);
const std::string NEXT_SEED = std::to_string(TEST_SEED + 1);

}  // namespace

TEST_F(ProgramTest, TwoJobsPlayLikeTwoSingleRunsAndTheirCountsAdd)
{
    // 31 games in two workers: the first plays one more, 16 from S, the second 15 from S + 1.
    ASSERT_EQ(run({"-n", "16", "-s", SEED, "-j", "1", "--log", "a.log", "--trace", "a.trace"}).status, 0);
    ASSERT_EQ(run({"-n", "15", "-s", NEXT_SEED, "-j", "1", "--log", "b.log", "--trace", "b.trace"}).status, 0);
    std::ofstream(dir + "/both.log") << "earlier\n";
    run_result both = run({"-n", "31", "-s", SEED, "-j", "2", "--log", "both.log", "--trace", "both.trace"});
    ASSERT_EQ(both.status, 0) << both.err;
    std::vector<std::string> log = lines_of(file("both.log"));
    EXPECT_EQ(log.size(), 31u);
    EXPECT_EQ(file("both.log"), file("a.log") + file("b.log"));
    EXPECT_EQ(file("both.trace"), file("a.trace") + file("b.trace"));
    EXPECT_NE(file("a.trace").rfind(file("b.trace"), 0), 0u) << "S + 1 plays other games than S";

    // The last run's statistics file replaced the earlier runs' one.
    std::vector<int64_t> counts(481);
    int64_t guesses = 0;
    for (const std::string& line : log) {
        counts.at(std::stoi(split(line, '\t').at(2)))++;
        guesses += std::stoll(split(line, '\t').at(3));
    }
    std::string expected;  // a line per score, "s TAB games CR LF"
    for (int s = 0; s <= 480; s++)
        expected += std::to_string(s) + "\t" + std::to_string(counts[s]) + "\r\n";
    EXPECT_EQ(file("qxscores.txt"), expected);
    EXPECT_NE(both.out.find("games:        31 (seed " + SEED + ", 2 jobs)"), std::string::npos) << both.out;
    EXPECT_NE(both.out.find("safe guesses: " + std::to_string(guesses) + "\n"), std::string::npos) << both.out;
}

TEST_F(ProgramTest, OutputOnStandardOutputMovesTheSummaryToStandardError)
{
    run_result shared = run({"-n", "2", "-s", SEED, "-j", "1", "--first", "29,15", "--log", "-", "--trace", "-"});
    ASSERT_EQ(shared.status, 0) << shared.err;
    std::vector<std::string> lines = lines_of(shared.out);
    ASSERT_GT(lines.size(), 2u);
    EXPECT_EQ(lines[0], "1\t#\tStarting to solve");
    EXPECT_EQ(lines[1].rfind("1\t29\t15\t", 0), 0u) << "the chosen first cell is opened first: " << lines[1];
    EXPECT_EQ(lines.back().rfind(SEED + "\t2\t", 0), 0u) << "the last game's log line ends it: " << lines.back();
    EXPECT_NE(shared.err.find("games:        2"), std::string::npos);

    run_result plot = run({"-n", "3", "-s", SEED, "--plot", "-"});
    ASSERT_EQ(plot.status, 0) << plot.err;
    EXPECT_EQ(plot.out.rfind("<?xml", 0), 0u);
    EXPECT_TRUE(plot.out.ends_with("</svg>\n"));
    EXPECT_NE(plot.err.find("games:        3"), std::string::npos);
}

TEST_F(ProgramTest, UntilWinEndsOnTheFirstWonGame)
{
    run_result result = run({"-n", "3000", "-s", SEED, "-j", "2", "--until-win", "--log", "win.log"});
    ASSERT_EQ(result.status, 0) << result.err;
    std::string log = file("win.log");
    EXPECT_TRUE(log.ends_with("\twon\n")) << log;
    EXPECT_EQ(log.find("\twon\n"), log.size() - 5) << "one sequence of games with no win before the last";
    EXPECT_NE(result.out.find("1 job)"), std::string::npos) << "one sequence of games, one worker";
}

TEST_F(ProgramTest, BadInputIsOneLineNamingTheProblemStatusTwoAndNoFileTouched)
{
    std::ofstream(dir + "/qxscores.txt") << "earlier run\r\n";
    std::ofstream(dir + "/games.log") << "earlier log\n";
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"--games", "0"}, "--games: '0' is out of range (1 to 9223372036854775807) (see --help)\n"},
        {{"--trace", "missing-dir/t.txt"}, "cannot write 'missing-dir/t.txt': No such file or directory\n"},
        {{"--scores", "missing-dir/s.txt"}, "cannot write 'missing-dir/s.txt': No such file or directory\n"},
        {{"--plot", "missing-dir/p.svg"}, "cannot write 'missing-dir/p.svg': No such file or directory\n"},
        {{"--scores", "."}, "cannot write '.': Is a directory\n"},
    };
    std::set<std::string> before = names();
    for (const auto& [args, problem] : cases) {
        std::vector<std::string> full = {"--log", "games.log", "-n", "3", "-s", SEED};
        full.insert(full.end(), args.begin(), args.end());
        run_result result = run(full);
        EXPECT_EQ(result.status, 2) << problem;
        EXPECT_EQ(result.err, "orvanta-batch: " + problem);
        EXPECT_EQ(result.out, "") << problem;
        EXPECT_EQ(file("qxscores.txt") + file("games.log"), "earlier run\r\nearlier log\n") << problem;
        EXPECT_EQ(names(), before) << "no temporary file left: " << problem;
    }
    EXPECT_EQ(run({"-h", "--version"}).out, usage_text());
    EXPECT_EQ(run({"--version"}).out, "orvanta-batch " ORVANTA_VERSION "\n");
    EXPECT_EQ(names(), before) << "neither plays nor writes a file";
}

TEST_F(ProgramTest, InterruptStopsAfterTheGamesInHandAndWritesThem)
{
    std::ofstream(dir + "/qxscores.txt") << "earlier run\r\n";
    pid_t pid =
        start({"-n", "100000000", "-s", SEED, "-j", "2", "--no-guess", "--log", "games.log", "--plot", "p.svg"});
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
    run_result result = finish(pid);
    EXPECT_EQ(result.status, 130) << result.err;
    int64_t logged = int64_t(lines_of(file("games.log")).size());
    EXPECT_GT(logged, 0);
    int64_t counted = 0;
    for (const std::string& line : lines_of(file("qxscores.txt")))
        counted += std::stoll(split(line, '\t').at(1));
    EXPECT_EQ(counted, logged) << "the statistics file holds exactly the finished games";
    EXPECT_EQ(file("games.log").find("\tlost\n"), std::string::npos) << "without guessing nothing is lost";
    EXPECT_NE(result.out.find("interrupted:  " + std::to_string(logged) + " of 100000000"), std::string::npos)
        << result.out;
    EXPECT_NE(file("p.svg").find("</svg>"), std::string::npos);
    EXPECT_EQ(names(), (std::set<std::string>{"games.log", "p.svg", "qxscores.txt"})) << "no temporary left";
}

TEST_F(ProgramTest, AWriteThatFailsIsNamedWithItsReasonAndLeavesNoTemporary)
{
    std::ofstream(dir + "/qxscores.txt") << "earlier run\r\n";
    // Files may grow to 1000 bytes: the log and the summary fit, the
    // statistics file and the plot do not.
    run_result result = finish(start({"-n", "3", "-s", SEED, "--log", "games.log", "--plot", "p.svg"}, [] {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{1000, 1000};
        setrlimit(RLIMIT_FSIZE, &limit);
    }));
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.err,
              "orvanta-batch: cannot write 'qxscores.txt': File too large\n"
              "orvanta-batch: cannot write 'p.svg': File too large\n");
    EXPECT_EQ(lines_of(file("games.log")).size(), 3u);
    EXPECT_EQ(file("qxscores.txt"), "earlier run\r\n");
    EXPECT_EQ(names(), (std::set<std::string>{"games.log", "qxscores.txt"}));
}

TEST_F(ProgramTest, WorkersEndWithTheirParentEvenWhenTheyCannotRunAHandler)
{
    prctl(PR_SET_CHILD_SUBREAPER, 1);  // orphaned workers become this process's to wait for
    pid_t parent = start({"-n", "100000000", "-s", SEED, "-j", "2", "--no-guess", "--log", "games.log"});
    // Two workers that have written their log, so are past their set-up.
    auto logging = [](pid_t worker) {
        std::ifstream io("/proc/" + std::to_string(worker) + "/io");
        std::string key;
        int64_t bytes = 0;
        while (io >> key >> bytes && key != "wchar:")
            continue;
        return key == "wchar:" && bytes > 0;
    };
    std::set<pid_t> workers;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while ((workers.size() < 2 || !std::all_of(workers.begin(), workers.end(), logging)) &&
           std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        std::ifstream children("/proc/" + std::to_string(parent) + "/task/" + std::to_string(parent) + "/children");
        workers = {std::istream_iterator<pid_t>(children), std::istream_iterator<pid_t>()};
    }
    EXPECT_EQ(workers.size(), 2u);
    for (pid_t worker : workers)
        kill(worker, SIGSTOP);  // a stopped worker runs no handler until it is continued
    kill(parent, SIGKILL);
    EXPECT_EQ(finish(parent).status, 128 + SIGKILL);
    deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!workers.empty() && std::chrono::steady_clock::now() < deadline) {
        std::erase_if(workers, [](pid_t worker) { return waitpid(worker, nullptr, WNOHANG) == worker; });
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_TRUE(workers.empty()) << "workers outlived their parent";
    for (pid_t worker : workers) {
        kill(worker, SIGKILL);
        waitpid(worker, nullptr, 0);
    }
    prctl(PR_SET_CHILD_SUBREAPER, 0);
}
