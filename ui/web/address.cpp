// Reading the replay's parameters, each whole or not at all.
#include "ui/web/address.h"

#include <emscripten.h>

#include <charconv>
#include <cstring>

#include "driver/bridge.h"
#include "driver/state.h"
#include "engine/board.h"
#include "engine/guess_rules.h"
#include "engine/random.h"
#include "engine/relaxed.h"
#include "resources/resource_ids.h"
#include "ui/web/commands.h"
#include "ui/web/page.h"
#include "ui/web/statistics.h"

namespace {

constexpr const char* REPLAY_NOTE = "Replay: games not saved";
constexpr int REPLAY_NOTE_MS = 2000;

// A whole decimal number, digits only, that fits in value.
template <typename T>
bool read_number(const char* first, const char* last, T& value)
{
    auto [stop, status] = std::from_chars(first, last, value);
    return first != last && status == std::errc() && stop == last;
}

bool read_cell(const char* text, int& x, int& y)
{
    const char* end = text + std::strlen(text);
    const char* comma = std::strchr(text, ',');
    return comma && read_number(text, comma, x) && read_number(comma + 1, end, y) && x >= 0 && x < xdim && y >= 0 &&
           y < ydim;
}

// The fault in the address's parameters, or null; the values are taken only if there is none.
const char* take_address(const char* seed, const char* first, const char* guess, const char* rule,
                         const char* chances)
{
    int rule_index = relaxed_load(guess_rule);
    uint32_t seconds = 0;
    int x = userx;
    int y = usery;
    if (seed && !read_number(seed, seed + std::strlen(seed), seconds))
        return "Bad seed in the address";
    if (first && !read_cell(first, x, y))
        return "Bad first cell in the address";
    if (guess && std::strcmp(guess, "0") != 0 && std::strcmp(guess, "1") != 0)
        return "Bad guess in the address";
    if (rule && (rule_index = find_guess_rule(rule)) < 0)
        return "Bad rule in the address";
    if (chances && std::strcmp(chances, "0") != 0 && std::strcmp(chances, "1") != 0)
        return "Bad chances in the address";
    userx = x;
    usery = y;
    relaxed_store(guess_rule, int32_t(rule_index));
    if (chances)
        chances_shown = chances[0] == '1';
    if (rule || chances)
        page_show_check_marks();
    if (guess) {
        allow_guessing = guess[0] == '1';
        page_show_check_marks();
    }
    if (seed)
        pin_clock(seconds);
    return nullptr;
}

void start_replay(void*)
{
    web_command(IDM_SOLVE);
}

}  // namespace

// A replay starts from no statistics and adds none to the saved ones: it
// says so first, and long enough to be read before its games start.
EMSCRIPTEN_KEEPALIVE void web_read_address(const char* seed, const char* first, const char* guess, const char* rule,
                                           const char* chances)
{
    const char* fault = take_address(seed, first, guess, rule, chances);
    if (fault)
        print_status(fault);
    if (fault || !seed) {
        load_statistics();
        return;
    }
    print_status(REPLAY_NOTE);
    emscripten_async_call(start_replay, nullptr, REPLAY_NOTE_MS);
}
