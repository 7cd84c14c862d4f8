// shut_down() and the statistics file.
#include "driver/shutdown.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "driver/state.h"
#include "driver/window_side.h"
#include "engine/board.h"

std::atomic<int32_t> shut_down_done;

namespace {
// The name the user can find the file by (as it is if the folder is gone).
std::string full_name(const char* name)
{
    std::error_code no_folder;
    std::filesystem::path full = std::filesystem::absolute(name, no_folder);
    return no_folder ? name : full.string();
}
}  // namespace

int write_scores_file(output_file& out, const int64_t* counts, int n, std::string& reason)
{
    // Binary mode with explicit CR LF: the same bytes on every platform. A
    // failed write leaves the stream's error set, which the commit reports.
    for (int s = 0; s <= n; s++)
        std::fprintf(out.file, "%d\t%lld\r\n", s, static_cast<long long>(counts[s]));
    return commit_output(out, reason);
}

std::string save_scores_file()
{
    int n = xdim * ydim;
    std::vector<int64_t> counts(n + 1);
    for (int s = 0; s <= n; s++)
        counts[s] = relaxed_load(scores[s]);
    output_file out;
    std::string reason;
    if (!open_output(out, SCORES_FILE, reason) || !write_scores_file(out, counts.data(), n, reason))
        return "Cannot write \"" + full_name(SCORES_FILE) + "\": " + reason;
    return "";
}

void begin_shut_down()
{
    killthread = 1;
    stop_solving = 1;
    set_status_text(0, "Shutting down...");
}

std::string shut_down()
{
    if (shut_down_done)
        return "";
    begin_shut_down();
    for (int test = 1; thread_running.load(std::memory_order_acquire) && test < SHUTDOWN_WAIT_TESTS; test++)
        wait_taking_texts(SHUTDOWN_WAIT_MS);
    bool solver_ended = !thread_running.load(std::memory_order_acquire);

    std::string failure = scores ? save_scores_file() : "";
    if (solver_ended) {
        std::free(scores);
        scores = nullptr;
        std::free(sea);
        sea = nullptr;
    }
    shut_down_done = 1;
    return failure;
}
