// Per-thread std::mt19937; a draw is its output shifted down to 31 bits.
#include "engine/random.h"

#include <atomic>
#include <ctime>
#include <random>

namespace {
thread_local std::mt19937 gen;
thread_local draw_record record{0, 0xcbf29ce484222325u};
std::atomic<bool> clock_pinned;
std::atomic<uint32_t> pinned_seconds;
}  // namespace

uint32_t clock_seconds()
{
    if (clock_pinned.load())
        return pinned_seconds.load();
    return static_cast<uint32_t>(std::time(nullptr));
}

void pin_clock(uint32_t seconds)
{
    pinned_seconds.store(seconds);
    clock_pinned.store(true);
}

draw_record random_record()
{
    return record;
}

void reseed_random()
{
    gen.seed(clock_seconds());
}

int32_t random_draw()
{
    uint32_t draw = gen() >> 1;
    record.draws++;
    record.digest = (record.digest ^ draw) * 0x100000001b3u;
    return static_cast<int32_t>(draw);
}
