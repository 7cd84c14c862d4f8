// Keeping the counts: the store that updates them, the counts of a new
// field, and counting everything again for a board written without the engine.
#include "engine/kept_counts.h"

#include <algorithm>
#include <cassert>
#include <cstring>

#include "engine/board.h"
#include "engine/neighbours.h"

uint32_t around[MAX_CELLS];
int32_t hidden_cells;
int32_t unflagged_mines;
cell_mask obvious_cells;
cell_mask known_cells;
cell_mask pair_cells;
cell_mask row_pair_cells;
uint32_t changes;
uint32_t changed_around[MAX_CELLS];
uint32_t row_pair_seen[MAX_CELLS];
uint32_t column_pair_seen[MAX_CELLS];
int16_t cell_column[MAX_CELLS];
int16_t cell_row[MAX_CELLS];

namespace {

// The board the counts describe: where it is, its size and a copy of every
// code, so that a write made without the engine shows as a difference.
const int32_t* kept_sea;
int32_t kept_xdim;
int32_t kept_ydim;
int32_t kept_codes[MAX_CELLS];

// Each cell's neighbours inside a board of the size named: how many, and
// their indices.
int32_t shape_xdim;
int32_t shape_ydim;
int8_t neighbours_in_board[MAX_CELLS];
int16_t neighbour_cells[MAX_CELLS][8];

// What a cell holding v adds to each neighbour's word in around.
uint32_t kinds(int32_t v)
{
    return uint32_t(v < 0) | uint32_t(v == CELL_FLAGGED) << 8 | uint32_t(v == CELL_MINE || v == CELL_FLAGGED) << 16;
}

void set_in(cell_mask& mask, int index, bool on)
{
    uint64_t bit = uint64_t{1} << (index & 63);
    uint64_t& word = mask[index >> 6];
    word = (word & ~bit) | (uint64_t{on} << (index & 63));
}

// Where the rules can act at cell i, from its code and its counts. Without
// branches: which way they would go cannot be foreseen.
void refresh(int i)
{
    int32_t v = kept_codes[i];
    int hidden = hidden_around(i);
    int flagged = flagged_around(i);
    bool open_number = (v > 0) & (hidden > flagged);
    set_in(obvious_cells, i, open_number & (hidden == v));
    set_in(known_cells, i, open_number & (flagged == v));
    set_in(pair_cells, i, open_number & (unsigned(v - flagged - 1) < 2));
}

// Takes the board as it is now for the board the counts describe, with no
// rule able to act anywhere and every pair up to date.
void note_board()
{
    int n = xdim * ydim;
    assert(n <= MAX_CELLS);
    kept_sea = sea;
    kept_xdim = xdim;
    kept_ydim = ydim;
    std::memcpy(kept_codes, sea, sizeof(int32_t) * n);
    for (cell_mask* mask : {&obvious_cells, &known_cells, &pair_cells})
        std::memset(*mask, 0, sizeof *mask);
    changes = 0;
    std::memset(changed_around, 0, sizeof(uint32_t) * n);
    std::memset(row_pair_seen, 0, sizeof(uint32_t) * n);
    std::memset(column_pair_seen, 0, sizeof(uint32_t) * n);
    if (xdim == shape_xdim && ydim == shape_ydim)
        return;
    shape_xdim = xdim;
    shape_ydim = ydim;
    std::memset(row_pair_cells, 0, sizeof row_pair_cells);
    for (int y = 0; y < ydim; y++)
        for (int x = 0; x < xdim; x++) {
            int i = x + y * xdim;
            int8_t& count = neighbours_in_board[i];
            count = 0;
            for_each_neighbour<HIT_ORDER>(x, y, [i, &count](int nx, int ny) {
                neighbour_cells[i][count++] = int16_t(nx + ny * xdim);
            });
            set_in(row_pair_cells, i, x < xdim - 1);
            cell_column[i] = int16_t(x);
            cell_row[i] = int16_t(y);
        }
}

// Every count made again from the board as it is.
void count_everything()
{
    note_board();
    hidden_cells = 0;
    unflagged_mines = 0;
    for (int y = 0; y < ydim; y++)
        for (int x = 0; x < xdim; x++) {
            int i = x + y * xdim;
            hidden_cells += is_hidden_unflagged(kept_codes[i]);
            unflagged_mines += kept_codes[i] == CELL_MINE;
            neighbour_counts counts = count_neighbours(x, y);
            int mined = 0;
            for_each_neighbour<HIT_ORDER>(x, y, [&mined](int nx, int ny) { mined += spcl_value(nx, ny) == CELL_MINE; });
            around[i] = uint32_t(counts.hidden) | uint32_t(counts.flagged) << 8 | uint32_t(mined) << 16;
            refresh(i);
        }
    // Every pair is to be looked at.
    changes = 1;
    std::fill(changed_around, changed_around + xdim * ydim, changes);
}

}  // namespace

void sync_counts()
{
    assert(xdim * ydim <= MAX_CELLS);
    if (sea != kept_sea || xdim != kept_xdim || ydim != kept_ydim ||
        std::memcmp(sea, kept_codes, sizeof(int32_t) * xdim * ydim) != 0)
        count_everything();
}

void count_new_field()
{
    note_board();
    int n = xdim * ydim;
    for (int i = 0; i < n; i++)
        around[i] = uint32_t(neighbours_in_board[i]);
    hidden_cells = n;
    unflagged_mines = 0;
}

void count_new_mine(int index)
{
    kept_codes[index] = CELL_MINE;
    unflagged_mines++;
    for (int k = 0; k < neighbours_in_board[index]; k++)
        around[neighbour_cells[index][k]] += kinds(CELL_MINE) - kinds(CELL_HIDDEN);
}

void keep_cell(int x, int y, int32_t value)
{
    int i = x + y * xdim;
    int32_t old = kept_codes[i];
    store_cell_index(i, value);
    kept_codes[i] = value;
    // Unsigned arithmetic: a byte that goes down borrows from the next, and
    // the sum still reads as the three right counts.
    uint32_t change = kinds(value) - kinds(old);
    hidden_cells += is_hidden_unflagged(value) - is_hidden_unflagged(old);
    unflagged_mines += (value == CELL_MINE) - (old == CELL_MINE);
    uint32_t now = ++changes;
    changed_around[i] = now;
    for (int k = 0; k < neighbours_in_board[i]; k++) {
        int j = neighbour_cells[i][k];
        around[j] += change;
        changed_around[j] = now;
        if (kept_codes[j] > 0)
            refresh(j);
    }
    refresh(i);
}
