// Finding a guessing rule by its name.
#include "engine/guess_rules.h"

int find_guess_rule(std::string_view name)
{
    for (int r = 0; r < GUESS_RULE_COUNT; r++)
        if (name == GUESS_RULES[r].name)
            return r;
    return -1;
}
