// The fixed orders in which the engine visits a cell's neighbours.
// Each rule has its own order, and the orders decide which cells are
// flagged, opened and drawn first; they must not be merged.
#pragma once

#include <array>

#include "engine/board.h"

struct neighbour_offset {
    int dx;
    int dy;
};
using neighbour_order = std::array<neighbour_offset, 8>;

// hit(): row above (left, right, middle), row below (same), then left, right.
inline constexpr neighbour_order HIT_ORDER = {{{-1, -1}, {1, -1}, {0, -1}, {-1, 1}, {1, 1}, {0, 1}, {-1, 0}, {1, 0}}};
// wash_cell(), flag_obvious(), clear_knowns(): left column (above, below,
// middle), right column (same), then above, below.
inline constexpr neighbour_order COLUMN_ORDER = {{{-1, -1}, {-1, 1}, {-1, 0}, {1, -1}, {1, 1}, {1, 0}, {0, -1}, {0, 1}}};
// The pair rule's enumerations: left (middle, above, below), right (same), above, below.
inline constexpr neighbour_order PAIR_ORDER = {{{-1, 0}, {-1, -1}, {-1, 1}, {1, 0}, {1, -1}, {1, 1}, {0, -1}, {0, 1}}};
// The safest guess: row by row, as the board is stored.
inline constexpr neighbour_order ROW_ORDER = {{{-1, -1}, {0, -1}, {1, -1}, {-1, 0}, {1, 0}, {-1, 1}, {0, 1}, {1, 1}}};

// Calls visit(nx, ny) for each neighbour of (x, y) inside the board, in the
// given order. Most cells are inside the border and need no edge tests.
template <const neighbour_order& order, typename Visit>
inline void for_each_neighbour(int x, int y, Visit&& visit)
{
    if (x > 0 && y > 0 && x < xdim - 1 && y < ydim - 1) {
        for (const neighbour_offset& o : order)
            visit(x + o.dx, y + o.dy);
        return;
    }
    for (const neighbour_offset& o : order) {
        int nx = x + o.dx;
        int ny = y + o.dy;
        if (nx >= 0 && nx < xdim && ny >= 0 && ny < ydim)
            visit(nx, ny);
    }
}

// How many of the neighbours of (x, y) are hidden (any negative code) and how
// many of those are flagged. Order does not matter here, so the common inside
// case reads the eight cells straight from the row above, its own row and the
// row below. Solver thread only: it is the board's one writer.
struct neighbour_counts {
    int hidden;
    int flagged;
};

inline neighbour_counts count_neighbours(int x, int y)
{
    neighbour_counts counts{0, 0};
    auto tally = [&counts](int32_t v) {
        counts.hidden += v < 0;
        counts.flagged += v == CELL_FLAGGED;
    };
    if (x > 0 && y > 0 && x < xdim - 1 && y < ydim - 1) {
        const int32_t* above = sea + (x - 1) + (y - 1) * xdim;
        const int32_t* middle = above + xdim;
        const int32_t* below = middle + xdim;
        tally(above[0]);
        tally(above[1]);
        tally(above[2]);
        tally(middle[0]);
        tally(middle[2]);
        tally(below[0]);
        tally(below[1]);
        tally(below[2]);
        return counts;
    }
    for_each_neighbour<HIT_ORDER>(x, y, [&tally](int nx, int ny) { tally(cell_value(nx, ny)); });
    return counts;
}
