// The pair rule: conclusions from two numbers side by side or one above the other.
#pragma once

#include <cstdint>

// Up to eight cells, in the order they were appended.
struct neighbor_list {
    int32_t count;
    int32_t x[8];
    int32_t y[8];
};

// Fill list with the hidden unflagged (resp. flagged) neighbours of (x, y);
// return the count.
int enumerate_unknown_neighbors(neighbor_list& list, int x, int y);
int enumerate_flagged_neighbors(neighbor_list& list, int x, int y);

// 1 if entry index of list is also an entry of other, else 0.
int item_is_in_list(int index, const neighbor_list& list, const neighbor_list& other);

// Applies the rule to cells (x1, y1) and (x2, y2); 1 if it flagged or opened a cell.
int check_pair(int x1, int y1, int x2, int y2);

// Every horizontal pair, then every vertical pair, whose first cell is a
// number; 1 if any pair changed the board.
int flag_less_obvious();
int flag_less_obvious_synced();
