// The minefield: cell codes, the engine's globals and cell accessors.
#pragma once

#include <atomic>
#include <cstdint>

#include "engine/relaxed.h"

// A negative code is a hidden cell; 0 to 8 is an opened cell showing its count.
inline constexpr int32_t CELL_MINE = -1;     // hidden, holds a mine, no flag
inline constexpr int32_t CELL_HIDDEN = -2;   // hidden, no mine
inline constexpr int32_t CELL_FLAGGED = -3;  // hidden, flagged by the solver (always on a mine)

extern int32_t* sea;  // xdim * ydim cells, row by row: index = x + y * xdim
extern int32_t xdim;
extern int32_t ydim;
extern int32_t mines;
extern int32_t verbose;  // a status text is shown only when its level is below this
extern int32_t level;    // calls of hit() active right now
extern std::atomic<int32_t> blown_up;     // 0, or 1 + index of the mine a guess picked
extern int32_t guesses;                   // safe guesses in this game
extern std::atomic<int32_t> num_guesses;  // safe guesses since start-up
extern char line[132];                    // trace text buffer of the solver thread

// The painter reads cells while the solver writes them: each cell is one
// relaxed atomic word, a plain load or store on the machines we target.
inline int32_t cell_at(int index)
{
    return relaxed_load(sea[index]);
}
inline int32_t cell_value(int x, int y)
{
    return cell_at(x + y * xdim);
}

// Reads a flag as an unflagged mine (-1), so one comparison finds both.
inline int32_t spcl_value(int x, int y)
{
    int32_t v = cell_value(x, y);
    return v == CELL_FLAGGED ? CELL_MINE : v;
}

// A hidden cell without the solver's flag: one a rule may still open or flag.
inline bool is_hidden_unflagged(int32_t v)
{
    return v == CELL_MINE || v == CELL_HIDDEN;
}

// A store that leaves the kept counts behind: the layout counts its new
// field itself, and keep_cell keeps them.
inline void store_cell_index(int index, int32_t value)
{
    relaxed_store(sea[index], value);
}
