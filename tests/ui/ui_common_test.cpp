// What the front ends share: the cell a pixel names, and the queue between the solver thread and the window thread.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

#include "driver/state.h"
#include "driver/window_side.h"
#include "engine/board.h"
#include "tests/support/fixture.h"
#include "ui/common/geometry.h"
#include "ui/common/window_queue.h"

using UiCommonTest = GameStateTest;

TEST_F(UiCommonTest, APressNamesTheCellUnderItWithTheMarginInTheFirstCell)
{
    const struct {
        unsigned px, py;
        int pressed, x, y;
    } presses[] = {{0, 0, 1, 0, 0},     {17, 33, 1, 1, 2},   {16, 16, 1, 0, 0},     {480, 256, 1, 29, 15},
                   {481, 20, 0, 29, 15}, {20, 257, 0, 29, 15}, {65535, 65535, 0, 29, 15}};
    for (const auto& p : presses) {
        EXPECT_EQ(press_field(p.px, p.py), p.pressed) << p.px << "," << p.py;
        EXPECT_EQ(std::make_pair(int(userx), int(usery)), std::make_pair(p.x, p.y)) << p.px << "," << p.py;
    }
}

TEST_F(UiCommonTest, TheQueueNeverHoldsMoreThanItsBoundAndLosesNoRedraw)
{
    const int posted = 25000;
    std::thread solver([] {
        for (int i = 0; i < posted; i++)
            show_cell(i % 30, i / 30 % 16);
        show_new_field();
    });
    int most = 0;
    ASSERT_TRUE(serve_window_until([&most] {
        most = std::max(most, pending_window_jobs());
        return events().size() == size_t(posted) + 1;
    }));
    solver.join();
    EXPECT_LE(most, WINDOW_QUEUE_CAPACITY);
    std::vector<std::pair<int, int>> drawn = cells();
    for (int i = 0; i < posted; i++)
        ASSERT_EQ(drawn[i], std::make_pair(i % 30, i / 30 % 16)) << "in the order posted";
    EXPECT_EQ(events().back(), "field");
}

TEST_F(UiCommonTest, ATextIsHandedOverOnlyWhenTakenAndTheShutdownWaitTakesTextsAndAFullQueue)
{
    std::atomic<bool> returned = false;
    std::atomic<bool> finished = false;
    std::thread solver([&returned, &finished] {
        set_status_text(0, "Starting to solve");
        returned = true;
        for (int i = 0; i < 2 * WINDOW_QUEUE_CAPACITY; i++)
            show_cell(0, 0);
        set_status_text(0, "last");
        finished = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_FALSE(returned) << "the solver waits for the window thread";
    wait_taking_texts(1000);
    EXPECT_TRUE(finished) << "the wait took both texts and emptied the full queue";
    ASSERT_TRUE(serve_window_until([&finished] { return bool(finished); }));
    solver.join();
    EXPECT_EQ(cells().size(), size_t(2 * WINDOW_QUEUE_CAPACITY));
    EXPECT_EQ(texts(0), (std::vector<std::string>{"Starting to solve", "last"}));
}

TEST_F(UiCommonTest, ChancesAreCopiedInTheirTurnBehindTheCellsBeforeThemAndTheSolverWaitsUntilThen)
{
    std::atomic<bool> returned = false;
    std::thread solver([&returned] {
        std::vector<float> chance(xdim * ydim, 0.25f);
        show_cell(1, 1);
        show_chances(chance.data(), 7, "why");
        chance.assign(chance.size(), 1.0f);  // the window side holds its own copy by now
        returned = true;
        show_cell(2, 2);
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_FALSE(returned) << "the solver waits until the window has the chances";
    ASSERT_TRUE(serve_window_until([&returned] { return bool(returned); }));
    solver.join();
    EXPECT_EQ(events(), (std::vector<std::string>{"cell 1 1", "chances 7 0.250000 why", "cell 2 2"}));
}
