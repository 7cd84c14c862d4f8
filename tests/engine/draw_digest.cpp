// Plays games as orvanta-batch plays them and prints how many random draws
// they made and a digest of them all in order, for scripts/compare-games.sh.
#include <cinttypes>
#include <cstdio>
#include <cstdlib>

#include "driver/game.h"
#include "driver/state.h"
#include "engine/random.h"

int main(int argc, char** argv)
{
    if (argc != 6) {
        std::fprintf(stderr, "usage: draw_digest SEED X Y GUESSING GAMES\n");
        return 2;
    }
    set_start_values();
    if (!allocate_arrays())
        return 1;
    goslow = 0;
    userx = std::atoi(argv[2]);
    usery = std::atoi(argv[3]);
    allow_guessing = std::atoi(argv[4]);
    pin_clock(uint32_t(std::strtoul(argv[1], nullptr, 10)));
    begin_games();
    for (long game = std::atol(argv[5]); game > 0; game--)
        play_one_game();
    draw_record record = random_record();
    std::printf("%" PRIu64 " %016" PRIx64 "\n", record.draws, record.digest);
    return 0;
}
