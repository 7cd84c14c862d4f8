// The engine's globals.
#include "engine/board.h"

int32_t* sea;
int32_t xdim;
int32_t ydim;
int32_t mines;
int32_t verbose;
int32_t level;
std::atomic<int32_t> blown_up;
int32_t guesses;
std::atomic<int32_t> num_guesses;
char line[132];
