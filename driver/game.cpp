// play_one_game(): a game from its layout to its result text.
#include "driver/game.h"

#include "driver/bridge.h"
#include "driver/solver.h"
#include "driver/state.h"
#include "driver/window_side.h"
#include "engine/board.h"
#include "engine/cells.h"
#include "engine/guess_rules.h"
#include "engine/layout.h"
#include "engine/relaxed.h"
#include "engine/rules.h"

namespace {

// Apply the rules; when they are stuck, guess if allowed. Over when nothing
// is left to do or a guess met a mine.
void play_rules(int n)
{
    for (;;) {
        apply_rules();
        if (!allow_guessing || num_hidden(n) == 0)
            return;
        GUESS_RULES[relaxed_load(guess_rule)].guess();
        if (blown_up)
            return;
    }
}

void report_outcome(game_result& result, int n)
{
    if (result.lost) {
        print_status("Bad guess!");
        repaint_window();
        if (goslow)
            pause_thread(BAD_GUESS_PAUSE_MS);
        return;
    }
    if (result.score == n - 1) {
        result.no_start = 1;
        num_no_starts++;
    }
    if (result.score > 0) {
        print_status("No solution found");
    } else {
        print_status("Problem solved successfully");
        num_wins++;
    }
}

}  // namespace

void begin_games()
{
    layout_minefield(xdim * ydim, mines, 1);
}

game_result play_one_game()
{
    int n = xdim * ydim;
    print_status("Starting to solve");
    layout_minefield(n, mines, 0);
    print_new_field();
    games++;
    hit_1st(userx, usery);
    play_rules(n);
    game_result result{num_hidden(n), blown_up != 0, guesses, 0};
    relaxed_add(scores[result.score], 1);
    report_outcome(result, n);
    print_stats();
    return result;
}
