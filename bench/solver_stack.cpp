// How much of its stack the solver thread uses in a game whose first cell
// floods an empty field down to the depth limit: the thread runs on a
// painted stack of the size it is given (32760 bytes, a page more than that
// rounded up), and the deepest byte that changed marks the high water.
// Usage: solver_stack [VERBOSE]
#include <pthread.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "driver/solver.h"
#include "driver/state.h"
#include "engine/board.h"
#include "engine/cells.h"
#include "engine/random.h"

namespace {

constexpr int PAGE = 4096;
constexpr int STACK_BYTES = (SOLVER_STACK_SIZE + PAGE - 1) / PAGE * PAGE;
constexpr unsigned char PAINT = 0xa5;
alignas(PAGE) unsigned char stack[STACK_BYTES];

void* solver(void*)
{
    SolverThread();
    return nullptr;
}

}  // namespace

int main(int argc, char** argv)
{
    set_start_values();
    if (!allocate_arrays())
        return 1;
    verbose = argc > 1 ? std::atoi(argv[1]) : verbose;
    mines = 0;
    nonstop = 0;
    goslow = 0;
    pin_clock(1700000000);
    std::memset(stack, PAINT, sizeof stack);
    pthread_attr_t attributes;
    pthread_t thread;
    if (pthread_attr_init(&attributes) || pthread_attr_setstack(&attributes, stack, sizeof stack) ||
        pthread_create(&thread, &attributes, solver, nullptr) || pthread_join(thread, nullptr))
        return 1;
    int lowest = 0;
    while (lowest < STACK_BYTES && stack[lowest] == PAINT)
        lowest++;
    int used = STACK_BYTES - lowest;
    std::printf("verbose %d: %d of %d bytes used (thread data included), %d left; game score %d\n", int(verbose), used,
                SOLVER_STACK_SIZE, SOLVER_STACK_SIZE - used, int(num_hidden(xdim * ydim)));
    return 0;
}
