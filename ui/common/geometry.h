// Where cells and status parts lie in the window's client area, and which
// cell a pixel belongs to: the same for every window system.
#pragma once

inline constexpr int TILE_SIZE = 16;   // a cell's tile is TILE_SIZE by TILE_SIZE pixels
inline constexpr int FIELD_MARGIN = 1;  // pixels left and above the first cell's tile
inline constexpr int STATUS_PART_MARGIN = 64;  // status part 0 ends this far left of the middle

// The top-left pixel of cell x's (or row y's) tile.
inline int cell_left(int x)
{
    return x * TILE_SIZE + FIELD_MARGIN;
}
inline int cell_top(int y)
{
    return y * TILE_SIZE + FIELD_MARGIN;
}

// The field's size in pixels: every tile and the margin.
int field_width();
int field_height();

// Where status part 0 ends, for a client area this wide; part 1 runs on to the right border.
inline int status_part0_right(int client_width)
{
    return client_width / 2 - STATUS_PART_MARGIN;
}

// A press at client pixel (px, py), each 0 to 65535: the margin pixel 0
// belongs to the first cell. Inside the field the cell becomes the first cell
// of every game and 1 is returned (the caller then posts Solve); outside, 0.
int press_field(unsigned px, unsigned py);
