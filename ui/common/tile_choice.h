// Which of the 13 tiles shows a cell: the same on every window system.
#pragma once

inline constexpr int TILE_COUNT = 13;  // 0 to 8: opened cell with that count
inline constexpr int TILE_FLAG = 9;
inline constexpr int TILE_HIDDEN = 10;
inline constexpr int TILE_MINE = 11;      // an unflagged mine once a game is lost
inline constexpr int TILE_EXPLODED = 12;  // the mine the losing guess picked

// The tile for cell (x, y) from its code and blown_up.
int choose_tile(int x, int y);
