// Random layout of the mines and the first move, which never meets a mine.
#include "engine/layout.h"

#include "engine/board.h"
#include "engine/callbacks.h"
#include "engine/random.h"
#include "engine/reveal.h"

void layout_minefield(int count, int num_mines, int reseed)
{
    if (reseed)
        reseed_random();
    for (int i = 0; i < count; i++)
        store_cell_index(i, CELL_HIDDEN);
    blown_up = 0;
    guesses = 0;
    for (int placed = 0; placed < num_mines;) {
        int index = random_draw() % count;
        if (index < 0 || index >= count) {
            callback_display_error("Random error");
            continue;
        }
        if (sea[index] == CELL_HIDDEN && index != 0) {
            store_cell_index(index, CELL_MINE);
            placed++;
        }
    }
}

void hit_1st(int x, int y)
{
    if (cell_value(x, y) == CELL_MINE) {
        store_cell_index(0, CELL_MINE);
        store_cell_index(x + y * xdim, CELL_HIDDEN);
    }
    hit(x, y);
}
