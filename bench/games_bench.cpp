// Whole games per second: layout, first move, the rule loop (with and
// without guessing), scoring. No window: the window side does nothing.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "driver/solver.h"
#include "driver/state.h"
#include "driver/window_side.h"
#include "engine/board.h"
#include "engine/random.h"

namespace {
int32_t games_wanted;
}  // namespace

void post_window_message(uint32_t, intptr_t, intptr_t) {}
void pause_thread(int) {}
void repaint_window(void*) {}
int start_solver_thread(void*) { return 0; }
void wait_taking_texts(int) {}

// The statistics text follows every game: stop there once enough are played.
void set_status_text(int part, const char*)
{
    if (part == 1 && games >= games_wanted)
        stop_solving = 1;
}

static void play_games(benchmark::State& state, int guessing)
{
    set_start_values();
    allocate_arrays();
    goslow = 0;
    allow_guessing = guessing;
    pin_clock(1700000000);
    const int batch = 1000;
    int64_t played = 0;
    for (auto _ : state) {
        games_wanted = games + batch;
        stop_solving = 0;
        SolverThread(nullptr);
        played += batch;
    }
    state.counters["games_per_second"] = benchmark::Counter(double(played), benchmark::Counter::kIsRate);
    state.counters["win_rate"] = double(num_wins) / double(games);
}

static void BM_games_with_guessing(benchmark::State& state) { play_games(state, 1); }
static void BM_games_without_guessing(benchmark::State& state) { play_games(state, 0); }

BENCHMARK(BM_games_with_guessing)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_games_without_guessing)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK_MAIN();
