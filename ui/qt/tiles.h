// The 13 tiles in memory and the drawing of one cell.
#pragma once

#include <QIcon>
#include <QImage>

#include "ui/common/tile_choice.h"

// Tile i is the picture for tile index i (0 to 8 counts, then flag, hidden,
// mine, exploded mine).
extern QImage tile_images[TILE_COUNT];

// Builds the 13 tiles from the compiled-in pictures. 0 if one could not be made.
int load_tiles();

// The program's icon.
QIcon program_icon();

// An opaque copy of a tile's pixels into picture, its top-left corner at (px, py).
void blit_tile(QImage& picture, int tile, int px, int py);

// Draws cell (x, y) into picture with the tile its code and blown_up choose;
// draws nothing while killthread is set.
void print_cell(int x, int y, QImage& picture);
