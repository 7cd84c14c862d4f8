// Whole games per second: layout, first move, the rules (with and without
// guessing), scoring, with the null window side.
#include <benchmark/benchmark.h>

#include "driver/game.h"
#include "driver/state.h"
#include "engine/random.h"

static void play_games(benchmark::State& state, int guessing)
{
    set_start_values();
    allocate_arrays();
    goslow = 0;
    allow_guessing = guessing;
    pin_clock(1700000000);
    begin_games();
    for (auto _ : state)
        play_one_game(nullptr);
    state.counters["games_per_second"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["win_rate"] = double(num_wins) / double(games);
}

static void BM_games_with_guessing(benchmark::State& state)
{
    play_games(state, 1);
}
static void BM_games_without_guessing(benchmark::State& state)
{
    play_games(state, 0);
}

BENCHMARK(BM_games_with_guessing)->MinTime(2.0);
BENCHMARK(BM_games_without_guessing)->MinTime(2.0);
BENCHMARK_MAIN();
