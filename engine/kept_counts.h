// What the rules read instead of recounting: each cell's hidden, flagged and
// mined neighbours, the board's totals, and masks of the cells and pairs
// where a rule can act, kept up to date at every store into the board. Used
// by the thread that plays, the board's only writer.
#pragma once

#include <bit>
#include <cstdint>

// The largest board the counts are kept for; the default board has 480 cells.
inline constexpr int MAX_CELLS = 512;
inline constexpr int MASK_WORDS = MAX_CELLS / 64;

// A set of cells by index, one bit each; a pair is named by its left or upper cell.
using cell_mask = uint64_t[MASK_WORDS];

// Each cell's neighbours of three kinds, a byte each in one word, so that a
// single addition keeps all three when a neighbour changes.
extern uint32_t around[MAX_CELLS];
inline int hidden_around(int i)  // neighbours with a negative code
{
    return int(around[i] & 0xff);
}
inline int flagged_around(int i)  // neighbours holding CELL_FLAGGED
{
    return int(around[i] >> 8 & 0xff);
}
inline int mined_around(int i)  // neighbours holding CELL_MINE or CELL_FLAGGED
{
    return int(around[i] >> 16);
}
extern int32_t hidden_cells;              // cells holding CELL_MINE or CELL_HIDDEN
extern int32_t unflagged_mines;           // cells holding CELL_MINE

// Numbers with as many hidden neighbours as their value, some unflagged.
extern cell_mask obvious_cells;
// Numbers with as many flagged neighbours as their value and some hidden
// unflagged neighbour.
extern cell_mask known_cells;
// Numbers with 1 or 2 mines not yet flagged around them and some hidden
// unflagged neighbour: the only cells a pair can conclude anything from.
extern cell_mask pair_cells;
// Cells that have a neighbour to the right, on this board.
extern cell_mask row_pair_cells;

// A pair's conclusion depends only on its two cells and their neighbours, so
// a pair where check_pair found nothing needs no second look until one of
// them changes. Changes are numbered from the new field on; each cell keeps
// the number of the last change in it or around it, each pair (named by its
// left or upper cell) the number of changes made when it was last looked at.
extern uint32_t changes;
extern uint32_t changed_around[MAX_CELLS];
extern uint32_t row_pair_seen[MAX_CELLS];
extern uint32_t column_pair_seen[MAX_CELLS];

// The column and row of each cell index, on this board.
extern int16_t cell_column[MAX_CELLS];
extern int16_t cell_row[MAX_CELLS];

// The public operations call this first: if the board was written without
// the engine (a picture loaded by a test, a partial layout, another board),
// the counts are made again from it. Cheap when nothing was.
void sync_counts();

// A layout of the whole board: every cell is CELL_HIDDEN now, and
// count_new_mine follows each CELL_MINE stored at index.
void count_new_field();
void count_new_mine(int index);

// Stores a code at (x, y) and keeps every count; reports nothing.
void keep_cell(int x, int y, int32_t value);

// The first cell of mask at index from or after it, or MAX_CELLS.
inline int next_in(const cell_mask& mask, int from)
{
    int word = from >> 6;
    if (word >= MASK_WORDS)
        return MAX_CELLS;
    uint64_t bits = mask[word] & (~uint64_t{0} << (from & 63));
    while (bits == 0) {
        if (++word == MASK_WORDS)
            return MAX_CELLS;
        bits = mask[word];
    }
    return word * 64 + std::countr_zero(bits);
}

// The 64 bits of mask from bit first on (bits past the end read as 0).
inline uint64_t bits_from(const cell_mask& mask, int first)
{
    int word = first >> 6;
    int shift = first & 63;
    uint64_t bits = word < MASK_WORDS ? mask[word] >> shift : 0;
    if (shift != 0 && word + 1 < MASK_WORDS)
        bits |= mask[word + 1] << (64 - shift);
    return bits;
}
