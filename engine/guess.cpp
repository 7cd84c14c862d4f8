// make_a_guess() and open_guessed_cell().
#include "engine/guess.h"

#include <cstdio>

#include "engine/board.h"
#include "engine/cells.h"
#include "engine/callbacks.h"
#include "engine/random.h"
#include "engine/reveal.h"

int make_a_guess()
{
    int n = xdim * ydim;
    if (num_hidden(n) == 0)
        return 0;
    for (;;) {
        int r = random_draw() % n;
        if (r < 0 || r >= n) {
            callback_display_error("Random error");
            continue;
        }
        if (is_hidden_unflagged(cell_at(r)))
            return open_guessed_cell(r);
    }
}

int open_guessed_cell(int index)
{
    callback_guess(index);
    if (cell_at(index) == CELL_MINE) {
        blown_up = index + 1;
        return 0;
    }
    guesses++;
    num_guesses++;
    char text[80];
    std::snprintf(text, sizeof text, "Guesses: %d", guesses);
    callback_display_status(text, 0);
    hit(index % xdim, index / xdim);
    return 1;
}
