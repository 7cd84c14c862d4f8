// Reading the replay's parameters, each whole or not at all.
#include "ui/web/address.h"

#include <emscripten.h>

#include <cctype>
#include <charconv>
#include <cstring>
#include <iterator>

#include "driver/bridge.h"
#include "driver/state.h"
#include "engine/board.h"
#include "engine/random.h"
#include "engine/relaxed.h"
#include "resources/resource_ids.h"
#include "ui/web/commands.h"
#include "ui/web/page.h"

namespace {

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

// A rule's name as the menu shows it, in lower case: "safest".
bool read_rule(const char* text, int& rule)
{
    for (rule = 0; rule < int(std::size(GUESS_RULE_NAMES)); rule++) {
        const char* name = GUESS_RULE_NAMES[rule];
        std::size_t at = 0;
        while (name[at] && std::tolower(static_cast<unsigned char>(name[at])) == text[at])
            at++;
        if (!name[at] && !text[at])
            return true;
    }
    return false;
}

}  // namespace

EMSCRIPTEN_KEEPALIVE void web_read_address(const char* seed, const char* first, const char* guess, const char* rule,
                                           const char* chances)
{
    int rule_index = relaxed_load(guess_rule);
    uint32_t seconds = 0;
    int x = userx;
    int y = usery;
    if (seed && !read_number(seed, seed + std::strlen(seed), seconds)) {
        print_status("Bad seed in the address");
        return;
    }
    if (first && !read_cell(first, x, y)) {
        print_status("Bad first cell in the address");
        return;
    }
    if (guess && std::strcmp(guess, "0") != 0 && std::strcmp(guess, "1") != 0) {
        print_status("Bad guess in the address");
        return;
    }
    if (rule && !read_rule(rule, rule_index)) {
        print_status("Bad rule in the address");
        return;
    }
    if (chances && std::strcmp(chances, "0") != 0 && std::strcmp(chances, "1") != 0) {
        print_status("Bad chances in the address");
        return;
    }
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
    if (seed) {
        pin_clock(seconds);
        web_command(IDM_SOLVE);
    }
}
