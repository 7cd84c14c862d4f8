// The shared test fixture and board pictures.
#include "tests/support/fixture.h"

#include <chrono>
#include <cstdlib>
#include <thread>

#include "driver/bridge.h"
#include "driver/state.h"
#include "engine/board.h"

void GameStateTest::SetUp()
{
    reset_window_side();
    reset_run_flags();
    std::free(sea);
    std::free(scores);
    set_start_values();
    ASSERT_TRUE(allocate_arrays());
    for (int i = 0; i < xdim * ydim; i++)
        sea[i] = CELL_HIDDEN;
}

void GameStateTest::TearDown()
{
    stop_solving = 1;
    killthread = 1;
    release_pauses();
    EXPECT_TRUE(wait_for_solver_end(20000)) << "a solver thread outlived its test";
}

bool wait_for_solver_end(int milliseconds)
{
    auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (thread_running.load(std::memory_order_acquire)) {
        if (std::chrono::steady_clock::now() > until)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

void load_board(const std::vector<std::string>& rows)
{
    ydim = static_cast<int32_t>(rows.size());
    xdim = static_cast<int32_t>(rows[0].size());
    std::free(sea);
    sea = static_cast<int32_t*>(std::malloc(sizeof(int32_t) * xdim * ydim));
    for (int y = 0; y < ydim; y++) {
        for (int x = 0; x < xdim; x++) {
            char c = rows[y][x];
            int32_t& cell = sea[x + y * xdim];
            if (c == '.')
                cell = CELL_HIDDEN;
            else if (c == '*')
                cell = CELL_MINE;
            else if (c == 'F')
                cell = CELL_FLAGGED;
            else
                cell = c - '0';
        }
    }
}

std::vector<std::string> board_picture()
{
    std::vector<std::string> rows(ydim, std::string(xdim, '?'));
    for (int y = 0; y < ydim; y++)
        for (int x = 0; x < xdim; x++) {
            int32_t v = sea[x + y * xdim];
            rows[y][x] = v == CELL_HIDDEN ? '.' : v == CELL_MINE ? '*' : v == CELL_FLAGGED ? 'F' : char('0' + v);
        }
    return rows;
}

std::vector<std::pair<int, int>> reported_cells()
{
    std::vector<std::pair<int, int>> cells;
    for (const recorded_message& m : posted_messages())
        if (m.message == WM_SHOW_CELL)
            cells.emplace_back(static_cast<int>(m.wparam), static_cast<int>(m.lparam));
    return cells;
}
