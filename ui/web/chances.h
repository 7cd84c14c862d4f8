// The chances at a guess on the page: a copy, handed to the page's overlay
// at the next animation frame, and gone once the next cell changes.
#pragma once

// The solver's show_chances(): keeps a copy until the next frame, which the
// caller asks for.
void mark_chances(const float* chance, int chosen, const char* reason);
// A cell or the field changed: the chances go at the next frame, which the
// caller asks for.
void clear_marked_chances();
// At a frame: hands the overlay to the page if it changed.
void draw_marked_chances();
