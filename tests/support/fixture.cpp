// The shared test fixture and board pictures.
#include "tests/support/fixture.h"

#include <algorithm>
#include <cstdlib>

#include "driver/bridge.h"
#include "driver/commands.h"
#include "driver/state.h"
#include "engine/board.h"

void GameStateTest::SetUp()
{
    reset_recorder();
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
    hold_pauses(false);
    EXPECT_TRUE(wait_for_solver_end()) << "a solver thread outlived its test";
}

bool wait_for_solver_end(int milliseconds)
{
    return serve_window_until([] { return !thread_running.load(std::memory_order_acquire); }, milliseconds);
}

bool solve_until_a_flag_pause()
{
    hold_pauses(true);
    solve_command();
    std::string pause = "pause " + std::to_string(GO_SLOW_FLAG_PAUSE_MS);
    return serve_window_until([&pause] { return std::ranges::count(events(), pause) > 0; });
}

void load_board(const std::vector<std::string>& rows)
{
    ydim = static_cast<int32_t>(rows.size());
    xdim = static_cast<int32_t>(rows[0].size());
    std::free(sea);
    sea = static_cast<int32_t*>(std::malloc(sizeof(int32_t) * xdim * ydim));
    for (int i = 0; i < xdim * ydim; i++) {
        char c = rows[i / xdim][i % xdim];
        sea[i] = c == '.' ? CELL_HIDDEN : c == '*' ? CELL_MINE : c == 'F' ? CELL_FLAGGED : c - '0';
    }
}

std::vector<std::string> board_picture()
{
    std::vector<std::string> rows(ydim, std::string(xdim, '?'));
    for (int i = 0; i < xdim * ydim; i++) {
        int32_t v = sea[i];
        rows[i / xdim][i % xdim] = v == CELL_HIDDEN ? '.' : v == CELL_MINE ? '*' : v == CELL_FLAGGED ? 'F' : char('0' + v);
    }
    return rows;
}
