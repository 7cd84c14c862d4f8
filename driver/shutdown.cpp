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

int write_scores_file(const char* path, const int64_t* counts, int n)
{
    std::string temporary = std::string(path) + ".tmp";
    // Binary mode with explicit CR LF: the same bytes on every platform.
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file)
        return 0;
    bool ok = true;
    for (int s = 0; s <= n && ok; s++)
        ok = std::fprintf(file, "%d\t%lld\r\n", s, static_cast<long long>(counts[s])) > 0;
    ok = std::fclose(file) == 0 && ok;
    std::error_code error;
    if (ok)
        std::filesystem::rename(temporary, path, error);
    if (!ok || error) {
        std::remove(temporary.c_str());
        return 0;
    }
    return 1;
}

void shut_down()
{
    if (shut_down_done)
        return;
    int n = xdim * ydim;
    killthread = 1;
    stop_solving = 1;
    set_status_text(0, "Shutting down...");
    for (int test = 1; thread_running.load(std::memory_order_acquire) && test < SHUTDOWN_WAIT_TESTS; test++)
        wait_taking_texts(SHUTDOWN_WAIT_MS);
    bool solver_ended = !thread_running.load(std::memory_order_acquire);

    if (scores) {
        std::vector<int64_t> counts(n + 1);
        for (int s = 0; s <= n; s++)
            counts[s] = relaxed_load(scores[s]);
        write_scores_file(SCORES_FILE, counts.data(), n);
    }
    if (solver_ended) {
        std::free(scores);
        scores = nullptr;
        std::free(sea);
        sea = nullptr;
    }
    shut_down_done = 1;
}
