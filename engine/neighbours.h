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

// Calls visit(nx, ny) for each neighbour of (x, y) inside the board, in the given order.
template <const neighbour_order& order, typename Visit>
inline void for_each_neighbour(int x, int y, Visit&& visit)
{
    for (const neighbour_offset& o : order) {
        int nx = x + o.dx;
        int ny = y + o.dy;
        if (nx >= 0 && nx < xdim && ny >= 0 && ny < ydim)
            visit(nx, ny);
    }
}
