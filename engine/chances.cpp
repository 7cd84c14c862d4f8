// compute_chances(): the board's count, weighed.
#include "engine/chances.h"

#include <cmath>

#include "engine/board.h"
#include "engine/counting.h"

int compute_chances(double* chance_per_cell)
{
    static field_count count;
    count_field({sea, xdim, ydim, mines}, count);
    if (std::isinf(weigh_count(count, chance_per_cell)))
        return CHANCES_IMPOSSIBLE;
    return count.exact ? CHANCES_EXACT : CHANCES_ESTIMATED;
}
