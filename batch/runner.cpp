// Forking the workers, waiting for them with a progress line, and writing
// the log, trace, statistics file, plot and summary from what they played.
#include "batch/runner.h"

#include <signal.h>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fmt/format.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <thread>
#include <vector>

#include "batch/output.h"
#include "batch/plot.h"
#include "batch/report.h"
#include "batch/worker.h"
#include "driver/shutdown.h"
#include "driver/state.h"
#include "engine/board.h"

namespace {

inline constexpr int EXIT_WORKER_FAILED = 1;
inline constexpr int EXIT_CANNOT_WRITE = 2;
inline constexpr int EXIT_INTERRUPTED = 130;
inline constexpr auto PROGRESS_PERIOD = std::chrono::milliseconds(100);
inline constexpr auto POLL_PERIOD = std::chrono::milliseconds(5);

volatile std::sig_atomic_t interrupted;
int32_t* shared_stop;  // read by every worker after each game

// Whichever process it reaches (the terminal's Ctrl-C reaches them all; a
// kill only the parent), every worker ends after the game in hand.
void on_interrupt(int)
{
    interrupted = 1;
    stop_solving = 1;
    std::atomic_ref<int32_t>(*shared_stop).store(1, std::memory_order_relaxed);
}

void catch_interrupts()
{
    struct sigaction action {};
    action.sa_handler = on_interrupt;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

// Zeroed memory that the workers forked after this share with the parent.
void* shared_memory(std::size_t bytes)
{
    void* memory = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    return memory == MAP_FAILED ? nullptr : memory;
}

struct worker {
    pid_t pid;
    int status;  // as waitpid gives it
    worker_plan plan;
};

bool worker_failed(const worker& w)
{
    return !WIFEXITED(w.status) || WEXITSTATUS(w.status) != 0;
}

std::string describe_failure(int k, const worker& w)
{
    std::string which = fmt::format("worker {} (seed {})", k, w.plan.seed);
    if (WIFSIGNALED(w.status))
        return which + fmt::format(" was ended by signal {} ({})", WTERMSIG(w.status), strsignal(WTERMSIG(w.status)));
    return which + fmt::format(" failed with exit status {}", WEXITSTATUS(w.status));
}

int complain(const std::string& message, int status)
{
    std::fprintf(stderr, "orvanta-batch: %s\n", message.c_str());
    return status;
}

// What the outputs can be checked for before a single game is played.
int check_writable(const std::string& path, std::string& error)
{
    output_file probe;
    if (!open_output(probe, path, error))
        return 0;
    discard_output(probe);
    return 1;
}

[[noreturn]] void worker_main(const worker_plan& plan, pid_t parent)
{
    // A worker whose parent died stops after its current game.
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (getppid() != parent)
        _exit(EXIT_WORKER_FAILED);
    int ok = play_share(plan);
    for (std::FILE* sink : {plan.log, plan.trace})
        if (sink && (std::fflush(sink) != 0 || std::ferror(sink)))
            ok = 0;
    _exit(ok ? 0 : EXIT_WORKER_FAILED);
}

// Waits for every worker and notes how it ended, drawing the progress line
// when asked to.
void wait_for_workers(std::vector<worker>& workers, int64_t wanted, bool show_progress,
                      std::chrono::steady_clock::time_point start)
{
    std::size_t remaining = workers.size();
    auto next_draw = start;
    while (remaining > 0) {
        int status = 0;
        pid_t pid = waitpid(-1, &status, show_progress ? WNOHANG : 0);
        if (pid > 0) {
            remaining--;
            for (worker& w : workers)
                if (w.pid == pid)
                    w.status = status;
            continue;
        }
        if (pid < 0 && errno != EINTR)
            break;
        auto now = std::chrono::steady_clock::now();
        if (show_progress && now >= next_draw) {
            int64_t done = 0;
            for (const worker& w : workers)
                done += std::atomic_ref<int64_t>(w.plan.tally->finished).load(std::memory_order_relaxed);
            std::chrono::duration<double> spent = now - start;
            std::fprintf(stderr, "\r%s\033[K", progress_line(done, wanted, spent.count()).c_str());
            next_draw = now + PROGRESS_PERIOD;
        }
        if (show_progress)
            std::this_thread::sleep_for(POLL_PERIOD);
    }
    if (show_progress)
        std::fputs("\r\033[K", stderr);
}

}  // namespace

int run_batch(const batch_options& options)
{
    int n = xdim * ydim;
    std::string error;
    output_file log;
    output_file trace;
    bool one_sink = !options.trace_path.empty() && options.trace_path == options.log_path;
    if (!options.log_path.empty() && !open_output(log, options.log_path, error))
        return complain(error, EXIT_CANNOT_WRITE);
    if (!options.trace_path.empty() && !one_sink && !open_output(trace, options.trace_path, error)) {
        discard_output(log);
        return complain(error, EXIT_CANNOT_WRITE);
    }
    if (!check_writable(options.scores_path, error) ||
        (!options.plot_path.empty() && !check_writable(options.plot_path, error))) {
        discard_output(log);
        discard_output(trace);
        return complain(error, EXIT_CANNOT_WRITE);
    }
    output_file& trace_out = one_sink ? log : trace;

    // --until-win asks for the first win of one sequence of games: one worker.
    int count = options.until_win ? 1 : int(std::min<int64_t>(options.jobs, options.games));
    auto* tallies = static_cast<game_tally*>(shared_memory(sizeof(game_tally) * count));
    shared_stop = static_cast<int32_t*>(shared_memory(sizeof(int32_t)));
    if (!tallies || !shared_stop)
        return complain("cannot share memory with the workers", EXIT_WORKER_FAILED);

    std::vector<worker> workers(count);
    for (int k = 0; k < count; k++) {
        worker_plan& plan = workers[k].plan;
        plan.seed = options.seed + uint32_t(k);
        plan.games = options.games / count + (k < options.games % count);
        plan.first_x = options.first_x;
        plan.first_y = options.first_y;
        plan.until_win = options.until_win;
        plan.no_guess = options.no_guess;
        plan.verbose = options.trace_path.empty() ? 0 : options.verbose;
        plan.tally = &tallies[k];
        plan.stop = shared_stop;
        // The first worker writes straight to the destination; the others
        // to files of their own that are appended in worker order.
        plan.log = !log.file ? nullptr : k == 0 ? log.file : std::tmpfile();
        plan.trace = one_sink ? plan.log : !trace.file ? nullptr : k == 0 ? trace.file : std::tmpfile();
        if ((log.file && !plan.log) || (trace_out.file && !plan.trace))
            return complain("cannot create a temporary file for a worker's output", EXIT_CANNOT_WRITE);
    }

    catch_interrupts();
    std::fflush(nullptr);
    auto start = std::chrono::steady_clock::now();
    pid_t parent = getpid();
    int started = 0;
    for (; started < count; started++) {
        pid_t pid = fork();
        if (pid == 0)
            worker_main(workers[started].plan, parent);
        if (pid < 0)
            break;
        workers[started].pid = pid;
    }
    workers.resize(started);
    if (started < count)
        *shared_stop = 1;
    wait_for_workers(workers, options.games, isatty(STDERR_FILENO), start);
    std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start;

    auto failed = std::find_if(workers.begin(), workers.end(), worker_failed);
    if (started < count || failed != workers.end()) {
        discard_output(log);
        discard_output(trace);
        if (started < count)
            return complain("cannot start the worker processes", EXIT_WORKER_FAILED);
        return complain(describe_failure(int(failed - workers.begin()), *failed), EXIT_WORKER_FAILED);
    }

    game_tally total{};
    int written = 1;
    for (int k = 0; k < count; k++) {
        const worker_plan& plan = workers[k].plan;
        add_tally(total, *plan.tally);
        if (k == 0)
            continue;
        if (plan.log)
            written &= append_file(log, plan.log);
        if (plan.trace && !one_sink)
            written &= append_file(trace, plan.trace);
        for (std::FILE* part : {plan.log, plan.trace == plan.log ? nullptr : plan.trace})
            if (part)
                std::fclose(part);
    }
    if (!written)
        error = "cannot gather the workers' log and trace";
    for (output_file* out : {&log, &trace})
        if (out->file && !commit_output(*out, error))
            written = 0;
    std::vector<int64_t> counts(n + 1);
    for (int s = 0; s <= n; s++)
        counts[s] = score_total(total, s);
    if (!write_scores_file(options.scores_path.c_str(), counts.data(), n)) {
        error = "cannot write '" + options.scores_path + "'";
        written = 0;
    }
    if (!options.plot_path.empty() && !write_plot(options.plot_path, total, n, error))
        written = 0;

    bool stdout_taken = options.log_path == "-" || options.trace_path == "-" || options.plot_path == "-";
    run_facts facts{options.seed, count, options.games, spent.count(), interrupted != 0};
    std::fputs(summary_text(total, facts).c_str(), stdout_taken ? stderr : stdout);
    if (!written)
        return complain(error, EXIT_CANNOT_WRITE);
    return interrupted ? EXIT_INTERRUPTED : 0;
}
