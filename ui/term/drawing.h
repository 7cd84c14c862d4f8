// What the terminal shows: the cells as their tiles do, the frame, the
// commands, the two-part status line, or the message that the terminal is too
// small. Defines the shared queue's drawing handlers (ui/common/window_queue.h).
#pragma once

// One colour pair a tile, from the tiles' own colours, where the terminal has colours.
void prepare_tile_colours();
