// The deepest flood must fit the solver thread's stack of 32760 bytes.
#include <gtest/gtest.h>
#include <pthread.h>

#include <cstdio>

#include "engine/board.h"
#include "engine/reveal.h"
#include "tests/support/fixture.h"

using StackTest = GameStateTest;

namespace {
void* open_corner(void*)
{
    hit(0, 0);
    return nullptr;
}
}  // namespace

TEST_F(StackTest, AnEmptyFieldOpenedFromACornerFitsTheSolverStack)
{
    for (int i = 0; i < xdim * ydim; i++)
        sea[i] = CELL_HIDDEN;
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    ASSERT_EQ(pthread_attr_setstacksize(&attributes, solver_stack_size()), 0);
    pthread_t thread;
    ASSERT_EQ(pthread_create(&thread, &attributes, open_corner, nullptr), 0);
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attributes);

    int deepest = deepest_report_level();
    EXPECT_EQ(deepest, HIT_DEPTH_LIMIT) << "the flood reaches the depth limit";
    int hidden = num_hidden(xdim * ydim);
    EXPECT_GT(hidden, 0) << "the limit cut the flood short";
    EXPECT_LT(hidden, 480);
    EXPECT_EQ(level, 0);
    double per_level = double(stack_bytes_to_deepest_report()) / (deepest - 1);
    std::printf("stack %d bytes; deepest level %d; %d cells left hidden; %.1f bytes of stack per level of hit\n",
                solver_stack_size(), deepest, hidden, per_level);
    RecordProperty("stack_bytes_per_level", std::to_string(per_level));
    EXPECT_LE(per_level * HIT_DEPTH_LIMIT, solver_stack_size());
}
