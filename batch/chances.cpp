// The chances subcommand: a position read, counted, and shown as a grid.
#include "batch/chances.h"

#include <fmt/format.h>

#include <cstdio>
#include <string>
#include <vector>

#include "batch/position_reader.h"
#include "batch/report.h"
#include "batch/whole_file.h"
#include "engine/best_guess.h"
#include "engine/board.h"
#include "engine/chances.h"
#include "engine/safest_guess.h"

namespace {

inline constexpr int EXIT_BAD_INPUT = 2;

// "x,y (a mine 12.5%)", or what a rule does without a cell.
std::string cell_text(int cell, const std::vector<double>& chance)
{
    if (cell < 0)
        return "nothing: no cell is hidden";
    return fmt::format("{},{} (a mine {:.1f}%)", cell % xdim, cell / xdim, 100 * chance[cell]);
}

}  // namespace

int run_chances(const batch_options& options)
{
    std::string text;
    std::string reason;
    const std::string& path = options.position_file;
    std::string name = path == "-" ? "standard input" : "'" + path + "'";
    if (!(path == "-" ? read_stream(stdin, text, reason) : read_whole(path, text, reason)))
        return complain(fmt::format("cannot read {}: {}", name, reason), EXIT_BAD_INPUT);
    position p;
    std::string problem = read_position(text, p);
    if (!problem.empty())
        return complain(fmt::format("{}: {}", name, problem), EXIT_BAD_INPUT);
    // The engine plays on the position as if it were its board.
    sea = p.cells.data();
    xdim = p.field.width;
    ydim = p.field.height;
    mines = p.field.mines;
    std::vector<double> chance(p.cells.size());
    int exact = compute_chances(chance.data());
    std::string out = fmt::format("{}x{}/{}: the chance of a mine of each hidden cell in percent{} ('F' a flag, "
                                  "[n] an opened cell's count)\n   ",
                                  xdim, ydim, mines, exact == CHANCES_EXACT ? "" : ", estimated");
    for (int x = 0; x < xdim; x++)
        out += fmt::format("{:>6}", x);
    for (int y = 0; y < ydim; y++) {
        out += fmt::format("\n{:>3}", y);
        for (int x = 0; x < xdim; x++) {
            int32_t v = p.cells[x + y * xdim];
            out += v >= 0                 ? fmt::format("{:>6}", fmt::format("[{}]", v))
                   : v == CELL_FLAGGED ? fmt::format("{:>6}", "F")
                                          : fmt::format("{:>6.1f}", 100 * chance[x + y * xdim]);
        }
    }
    bool hidden = std::any_of(chance.begin(), chance.end(), [](double c) { return c >= 0; });
    out += fmt::format("\nrandom opens {}\nsafest opens {}\nbest opens   {}\n",
                       hidden ? "any hidden cell" : "nothing: no cell is hidden",
                       cell_text(hidden ? safest_cell(chance) : -1, chance), cell_text(best_cell(), chance));
    sea = nullptr;
    std::fputs(out.c_str(), stdout);
    return 0;
}
