// The chances at a guess, computed on the solver thread from the board as it
// stands before the guessed cell opens, so that no window ever reads a board
// that is changing.
#include "driver/chances.h"

#include <cctype>
#include <cstdio>
#include <vector>

#include "driver/bridge.h"
#include "driver/state.h"
#include "driver/window_side.h"
#include "engine/board.h"
#include "engine/guess_rules.h"
#include "engine/relaxed.h"
#include "engine/chances.h"

namespace {

// Short enough for the status bar's left part: "8.3%", "17%", "0%".
void put_percent(char* out, std::size_t size, double chance)
{
    double percent = 100 * chance;
    if (percent > 0 && percent < 9.95)
        std::snprintf(out, size, "%.1f%%", percent);
    else
        std::snprintf(out, size, "%.0f%%", percent);
}

}  // namespace

std::string rule_title(int rule)
{
    std::string title = GUESS_RULES[rule].name;
    title[0] = char(std::toupper(static_cast<unsigned char>(title[0])));
    return title;
}

void show_guess_chances(int index)
{
    static std::vector<double> chance;
    static std::vector<float> shown;
    chance.resize(std::size_t(xdim) * ydim);
    compute_chances(chance.data());
    shown.assign(chance.begin(), chance.end());
    double lowest = 1;
    int hidden = 0;
    for (double p : chance) {
        if (p < 0)
            continue;
        hidden++;
        lowest = p < lowest ? p : lowest;
    }
    int x = index % xdim;
    int y = index / xdim;
    std::string title = rule_title(relaxed_load(guess_rule));
    const char* rule = title.c_str();
    bool safest = chance[index] - lowest < 1e-9;
    char reason[200];
    char status[STATUS_TEXT_SIZE];
    char chosen_percent[16];
    char lowest_percent[16];
    put_percent(chosen_percent, sizeof chosen_percent, chance[index]);
    put_percent(lowest_percent, sizeof lowest_percent, lowest);
    if (safest) {
        std::snprintf(reason, sizeof reason,
                      "%s guess at (%d, %d): %.1f%% chance of a mine, the lowest of %d hidden cells", rule, x, y,
                      100 * chance[index], hidden);
        std::snprintf(status, sizeof status, "%s (%d,%d): %s", rule, x, y, chosen_percent);
    } else {
        std::snprintf(reason, sizeof reason,
                      "%s guess at (%d, %d): %.1f%% chance of a mine; the safest cell had %.1f%%, one of %d "
                      "hidden cells",
                      rule, x, y, 100 * chance[index], 100 * lowest, hidden);
        std::snprintf(status, sizeof status, "%s (%d,%d): %s, min %s", rule, x, y, chosen_percent, lowest_percent);
    }
    show_chances(shown.data(), index, reason);
    print_status(status);
    if (goslow)
        pause_thread(GO_SLOW_FLAG_PAUSE_MS);
}
