// Start-up: start values, the two arrays, the tiles, the window and the first field.
#pragma once

// Returns 1 with the window shown, or 0 after a failure was shown in a box.
int Init_Instance();
