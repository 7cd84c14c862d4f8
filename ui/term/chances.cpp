// Each hidden cell's chance of a mine as one digit, its tens of percent (0
// under 10%, 9 from 90%), '*' where the mine is certain, after the hidden
// tile's '[' so that it never reads as a count; coloured by band, the
// guessed cell reversed. Drawn from the window side's own copy.
#include "ui/term/chances.h"

#include <curses.h>

#include <vector>

#include "engine/board.h"
#include "ui/common/tile_choice.h"
#include "ui/common/window_queue.h"
#include "ui/term/screen.h"

namespace {

// Safe to likely: white on blue, black on yellow, white on red.
constexpr short BAND_COLOURS[][2] = {{COLOR_WHITE, COLOR_BLUE}, {COLOR_BLACK, COLOR_YELLOW}, {COLOR_WHITE, COLOR_RED}};
constexpr short FIRST_BAND_PAIR = TILE_COUNT + 1;  // after the tiles' pairs

chtype band_attributes[3];
std::vector<float> shown;  // empty: nothing shown

char digit_of(float chance)
{
    if (chance >= 1)
        return '*';
    return char('0' + int(chance * 10));
}

}  // namespace

void prepare_chance_colours()
{
    if (!has_colors())
        return;
    for (short band = 0; band < 3; band++)
        if (init_pair(short(FIRST_BAND_PAIR + band), BAND_COLOURS[band][0], BAND_COLOURS[band][1]) != ERR)
            band_attributes[band] = COLOR_PAIR(FIRST_BAND_PAIR + band);
}

void draw_chances(const float* chance, int chosen, const char*)
{
    shown.assign(chance, chance + xdim * ydim);
    if (!screen_fits())
        return;
    for (int i = 0; i < xdim * ydim; i++) {
        if (shown[i] < 0)
            continue;
        char digit = digit_of(shown[i]);
        int band = digit == '*' || digit >= '7' ? 2 : digit >= '4' ? 1 : 0;
        attrset(band_attributes[band] | (i == chosen ? A_REVERSE : A_NORMAL));
        char text[] = {'[', digit, '\0'};
        mvaddstr(FIELD_TOP + i / xdim, FIELD_LEFT + CELL_COLUMNS * (i % xdim), text);
    }
    attrset(A_NORMAL);
    screen_changed();
}

void clear_chances()
{
    if (shown.empty())
        return;
    std::vector<float> covered;
    covered.swap(shown);
    for (int i = 0; i < xdim * ydim; i++)
        if (covered[i] >= 0)
            draw_cell(i % xdim, i / xdim);
}
