// option_of(): the Edit menu's command ids and their flags.
#include "ui/common/menu_options.h"

#include "driver/state.h"
#include "resources/resource_ids.h"

std::atomic<int32_t>* option_of(int id)
{
    switch (id) {
    case IDM_NONSTOP:
        return &nonstop;
    case IDM_GOSLOW:
        return &goslow;
    case IDM_GUESS:
        return &allow_guessing;
    default:
        return nullptr;
    }
}
