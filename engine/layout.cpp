// Random layout of the mines and the first move, which never meets a mine.
#include "engine/layout.h"

#include "engine/board.h"
#include "engine/callbacks.h"
#include "engine/kept_counts.h"
#include "engine/random.h"
#include "engine/reveal.h"

void layout_minefield(int count, int num_mines, int reseed)
{
    if (reseed)
        reseed_random();
    for (int i = 0; i < count; i++)
        store_cell_index(i, CELL_HIDDEN);
    // A layout of part of the board is counted at the next operation.
    int counted = count == xdim * ydim;
    if (counted)
        count_new_field();
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
            if (counted)
                count_new_mine(index);
            placed++;
        }
    }
}

void hit_1st(int x, int y)
{
    sync_counts();
    if (cell_value(x, y) == CELL_MINE) {
        keep_cell(0, 0, CELL_MINE);
        keep_cell(x, y, CELL_HIDDEN);
    }
    hit_synced(x, y);
}
