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

#include "batch/log_lines.h"
#include "batch/plot.h"
#include "batch/report.h"
#include "batch/worker.h"
#include "driver/output_file.h"
#include "driver/shutdown.h"
#include "driver/state.h"
#include "engine/board.h"
#include "ui/common/ending_signals.h"

namespace {

inline constexpr int EXIT_WORKER_FAILED = 1;
inline constexpr int EXIT_CANNOT_WRITE = 2;
inline constexpr int EXIT_INTERRUPTED = 130;
inline constexpr auto PROGRESS_PERIOD = std::chrono::milliseconds(100);
inline constexpr auto POLL_PERIOD = std::chrono::milliseconds(5);

volatile std::sig_atomic_t interrupted;
int32_t* shared_stop;  // read by every worker after each game

// Whichever process it reaches (the terminal's Ctrl-C or hang-up reaches
// them all; a kill only the parent), every worker ends after the game in hand.
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
    for (int signal_number : ENDING_SIGNALS)
        sigaction(signal_number, &action, nullptr);
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
    std::string log_name;  // the log and the trace as its messages name them
    std::string trace_name;
};

// What worker k's part of the output at path is called: the first worker
// writes straight to the output.
std::string part_name(const std::string& path, int k)
{
    return k == 0 ? output_name(path) : fmt::format("a temporary file for worker {}'s part of {}", k, output_name(path));
}

bool worker_failed(const worker& w)
{
    return !WIFEXITED(w.status) || WEXITSTATUS(w.status) != 0;
}

// A worker that could not write has said so itself.
bool worker_told(const worker& w)
{
    return WIFEXITED(w.status) && WEXITSTATUS(w.status) == EXIT_CANNOT_WRITE;
}

std::string describe_failure(int k, const worker& w)
{
    std::string which = fmt::format("worker {} (seed {})", k, w.plan.seed);
    if (WIFSIGNALED(w.status))
        return which + fmt::format(" was ended by signal {} ({})", WTERMSIG(w.status), strsignal(WTERMSIG(w.status)));
    return which + fmt::format(" failed with exit status {}", WEXITSTATUS(w.status));
}

[[noreturn]] void worker_main(const worker& w, pid_t parent)
{
    const worker_plan& plan = w.plan;
    // A worker whose parent died has no one to play for. SIGKILL, because a
    // handler or a stopped worker would hold up any other signal.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != parent)  // it died before the line above
        _exit(EXIT_WORKER_FAILED);
    if (!play_share(plan))
        _exit(EXIT_WORKER_FAILED);
    for (std::FILE* sink : {plan.log, plan.trace})
        if (sink && std::fflush(sink) != 0)
            note_write(sink);
    int error_number = 0;
    std::FILE* failed = failed_write(error_number);
    if (!failed)
        _exit(0);
    // The run can no longer be written whole: every worker stops.
    std::atomic_ref<int32_t>(*shared_stop).store(1, std::memory_order_relaxed);
    complain(fmt::format("cannot write {}: {}", failed == plan.log ? w.log_name : w.trace_name,
                         std::strerror(error_number)),
             0);
    _exit(EXIT_CANNOT_WRITE);
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
    // The run's sequences of games; a part plays the sequences first to
    // last - 1, one worker each.
    int sequences = sequence_count(options);
    int first = options.shard ? (options.shard - 1) * sequences / options.shards : 0;
    int last = options.shard ? options.shard * sequences / options.shards : sequences;
    int count = last - first;
    bool comparing = !options.compare.empty();
    int sides = std::max(1, int(options.compare.size()));
    auto* tallies = static_cast<game_tally*>(shared_memory(sizeof(game_tally) * count * sides));
    shared_stop = static_cast<int32_t*>(shared_memory(sizeof(int32_t)));
    if (!tallies || !shared_stop)
        return complain("cannot share memory with the workers", EXIT_WORKER_FAILED);
    // From here an interrupt ends the run in order: every temporary is
    // committed or removed by its owner.
    catch_interrupts();

    // All outputs are opened before a game is played, so that one that
    // cannot be written costs no games.
    bool one_sink = !options.trace_path.empty() && options.trace_path == options.log_path;
    output_file log;
    output_file trace;
    output_file scores;
    output_file plot;
    const std::pair<output_file*, std::string> outputs[] = {{&log, options.log_path},
                                                            {&trace, one_sink ? "" : options.trace_path},
                                                            {&scores, comparing ? "" : options.scores_path},
                                                            {&plot, options.plot_path}};
    std::string reason;
    for (const auto& [out, path] : outputs)
        if (!path.empty() && !open_output(*out, path, reason))
            return complain(cannot_write(path, reason), EXIT_CANNOT_WRITE);
    output_file& trace_out = one_sink ? log : trace;
    if (log.file)
        write_in_lines(log.file);

    std::vector<worker> workers(count);
    for (int k = 0; k < count; k++) {
        worker_plan& plan = workers[k].plan;
        int sequence = first + k;
        plan.seed = options.seed + uint32_t(sequence);
        plan.games = options.games / sequences + (sequence < options.games % sequences);
        plan.first_x = options.first_x;
        plan.first_y = options.first_y;
        plan.until_win = options.until_win;
        plan.no_guess = options.no_guess;
        plan.guess_rule = options.guess_rule;
        plan.compare = options.compare;
        plan.verbose = options.trace_path.empty() ? 0 : options.verbose;
        plan.tally = &tallies[k * sides];
        plan.stop = shared_stop;
        // The first worker writes straight to the destination; the others
        // to files of their own that are appended in worker order.
        plan.log = !log.file ? nullptr : k == 0 ? log.file : std::tmpfile();
        plan.trace = one_sink ? plan.log : !trace.file ? nullptr : k == 0 ? trace.file : std::tmpfile();
        workers[k].log_name = part_name(options.log_path, k);
        workers[k].trace_name = part_name(options.trace_path, k);
        if ((log.file && !plan.log) || (trace_out.file && !plan.trace))
            return complain("cannot create a temporary file for a worker's output", EXIT_CANNOT_WRITE);
    }

    std::fflush(nullptr);
    auto start = std::chrono::steady_clock::now();
    pid_t parent = getpid();
    int started = 0;
    for (; started < count; started++) {
        pid_t pid = fork();
        if (pid == 0)
            worker_main(workers[started], parent);
        if (pid < 0)
            break;
        workers[started].pid = pid;
    }
    workers.resize(started);
    if (started < count)
        *shared_stop = 1;
    int64_t wanted = 0;
    for (const worker& w : workers)
        wanted += w.plan.games;
    wait_for_workers(workers, wanted, isatty(STDERR_FILENO), start);
    std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start;

    if (started < count)
        return complain("cannot start the worker processes", EXIT_WORKER_FAILED);
    if (std::any_of(workers.begin(), workers.end(), worker_told))
        return EXIT_CANNOT_WRITE;
    auto failed = std::find_if(workers.begin(), workers.end(), worker_failed);
    if (failed != workers.end())
        return complain(describe_failure(int(failed - workers.begin()), *failed), EXIT_WORKER_FAILED);

    std::vector<game_tally> totals(sides);
    const game_tally& total = totals[0];
    std::vector<std::string> problems;
    for (int k = 0; k < count; k++) {
        const worker_plan& plan = workers[k].plan;
        for (int r = 0; r < sides; r++)
            add_tally(totals[r], plan.tally[r]);
        if (k == 0)
            continue;
        if (plan.log && !append_lines(log.file, plan.log, reason))
            problems.push_back(cannot_write(options.log_path, reason));
        if (plan.trace && !one_sink && !append_lines(trace.file, plan.trace, reason))
            problems.push_back(cannot_write(options.trace_path, reason));
        for (std::FILE* part : {plan.log, plan.trace == plan.log ? nullptr : plan.trace})
            if (part)
                std::fclose(part);
    }
    auto commit = [&](output_file& out, const std::string& path) {
        if (out.file && !commit_output(out, reason))
            problems.push_back(cannot_write(path, reason));
    };
    commit(log, options.log_path);
    commit(trace, options.trace_path);
    std::vector<int64_t> counts(n + 1);
    for (int s = 0; s <= n; s++)
        counts[s] = score_total(total, s);
    if (scores.file && !write_scores_file(scores, counts.data(), n, reason))
        problems.push_back(cannot_write(options.scores_path, reason));
    if (plot.file)
        std::fputs((comparing ? comparison_svg(totals, options.compare, n) : histogram_svg(total, n)).c_str(),
                   plot.file);
    commit(plot, options.plot_path);

    bool stdout_taken = options.log_path == "-" || options.trace_path == "-" || options.plot_path == "-";
    run_facts facts{options.seed,       sequences,     wanted,        spent.count(), interrupted != 0,
                    options.guess_rule, options.shard, options.shards};
    std::string summary = comparing ? comparison_text(totals, options.compare, facts) : summary_text(total, facts);
    std::fputs(summary.c_str(), stdout_taken ? stderr : stdout);
    int status = interrupted ? EXIT_INTERRUPTED : 0;
    for (const std::string& problem : problems)
        status = complain(problem, EXIT_CANNOT_WRITE);
    return status;
}
