// Whole games per second: layout, first move, the rules (with the random
// guess, the safest guess, and without guessing), scoring, with the null
// window side.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "driver/game.h"
#include "driver/state.h"
#include "engine/board.h"
#include "engine/guess_rules.h"
#include "engine/random.h"

static void play_games(benchmark::State& state, int guessing, int rule = 0)
{
    std::free(sea);  // the previous benchmark's board
    std::free(scores);
    set_start_values();
    if (!allocate_arrays()) {
        state.SkipWithError("no memory for the board");
        return;
    }
    goslow = 0;
    allow_guessing = guessing;
    guess_rule = rule;
    pin_clock(1700000000);
    begin_games();
    for (auto _ : state)
        play_one_game();
    state.counters["games_per_second"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["win_rate"] = double(num_wins) / double(games);
}

static void BM_games_with_guessing(benchmark::State& state)
{
    play_games(state, 1);
}
static void BM_games_with_safest_guess(benchmark::State& state)
{
    play_games(state, 1, find_guess_rule("safest"));
}
static void BM_games_without_guessing(benchmark::State& state)
{
    play_games(state, 0);
}

BENCHMARK(BM_games_with_guessing)->MinTime(2.0);
BENCHMARK(BM_games_with_safest_guess)->MinTime(2.0);
BENCHMARK(BM_games_without_guessing)->MinTime(2.0);
BENCHMARK_MAIN();
