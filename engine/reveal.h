// Opening cells: hit() with its depth-bounded flood fill, and wash_cell().
#pragma once

// A blank cell opened at this nesting level or deeper opens no neighbours,
// which bounds the solver thread's stack whatever the size of the region.
inline constexpr int HIT_DEPTH_LIMIT = 300;
// What hit() returns for a cell that holds a mine or a flag.
inline constexpr int HIT_MINE = 9;

// Opens (x, y) and, when its count is 0, floods its neighbours.
// Returns the cell's count (0 to 8), or HIT_MINE if it holds a mine or a flag.
int hit(int x, int y);
int hit_synced(int x, int y);

// Opens every hidden unflagged neighbour of (x, y); returns how many of
// them it opened itself (not counting cells their floods opened).
int wash_cell(int x, int y);
int wash_cell_synced(int x, int y);
