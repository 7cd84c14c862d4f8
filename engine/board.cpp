// The engine's globals, set_cell and the two board counts.
#include "engine/board.h"

#include "engine/callbacks.h"

int32_t* sea;
int32_t xdim;
int32_t ydim;
int32_t mines;
int32_t verbose;
int32_t level;
std::atomic<int32_t> blown_up;
int32_t guesses;
std::atomic<int32_t> num_guesses;
char line[132];

void set_cell(int x, int y, int32_t value)
{
    store_cell_index(x + y * xdim, value);
    callback_display_minefield(x, y);
    if (value == CELL_FLAGGED)
        callback_delay();
}

int num_hidden(int count)
{
    int n = 0;
    for (int i = 0; i < count; i++) {
        int32_t v = sea[i];
        n += v == CELL_MINE || v == CELL_HIDDEN;
    }
    return n;
}

int num_unflagged_mines(int count)
{
    int n = 0;
    for (int i = 0; i < count; i++)
        n += sea[i] == CELL_MINE;
    return n;
}
