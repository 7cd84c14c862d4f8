// The field for the keyboard and screen readers: the cursor cell, which the
// arrow keys move and Enter chooses as a press would, and the counts that the
// canvas's label sums up.
#pragma once

// Hands the page the counts of hidden, flagged and opened cells and the
// game's outcome; called when the picture has changed (not once Exit has begun).
void describe_field();

extern "C" {
// The cursor moves to the first cell every game opens, as a press or the address set it.
void web_place_cursor();
// The cursor moves by dx, dy cells, staying inside the field.
void web_move_cursor(int dx, int dy);
// The cursor's cell is chosen as a press on it would choose it.
void web_choose_cursor();
}
