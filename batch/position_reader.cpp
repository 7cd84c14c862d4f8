// read_position(): the rows cell by cell, then the count of arrangements.
#include "batch/position_reader.h"

#include <fmt/format.h>

#include <algorithm>
#include <cmath>
#include <string_view>

#include "engine/board.h"
#include "engine/counting.h"

namespace {

std::string at(std::size_t line, std::size_t column, const std::string& problem)
{
    return fmt::format("line {}, column {}: {}", line, column, problem);
}

// The character as the message shows it: printable as it is, else its code.
std::string shown(char c)
{
    return c >= ' ' && c <= '~' ? fmt::format("'{}'", c) : fmt::format("byte {}", int(uint8_t(c)));
}

// The neighbours of cell on the field: how many, and of those hidden and flagged.
struct around {
    int cells = 0;
    int hidden = 0;
    int flagged = 0;
};

around count_around(const position& p, int cell)
{
    around a;
    int w = p.field.width;
    for (int dy = -1; dy <= 1; dy++)
        for (int dx = -1; dx <= 1; dx++) {
            int x = cell % w + dx;
            int y = cell / w + dy;
            if ((dx || dy) && x >= 0 && x < w && y >= 0 && y < p.field.height) {
                a.cells++;
                a.hidden += is_hidden_unflagged(p.cells[x + y * w]);
                a.flagged += p.cells[x + y * w] == CELL_FLAGGED;
            }
        }
    return a;
}

// Each count against its neighbours alone.
std::string check_counts(const position& p)
{
    for (int cell = 0; cell < int(p.cells.size()); cell++) {
        int32_t count = p.cells[cell];
        if (count < 0)
            continue;
        around a = count_around(p, cell);
        std::size_t line = std::size_t(cell / p.field.width) + 2;
        std::size_t column = std::size_t(cell % p.field.width) + 1;
        if (count > a.cells)
            return at(line, column, fmt::format("a {} on a cell with {} neighbours", count, a.cells));
        if (a.flagged > count)
            return at(line, column, fmt::format("a {} with {} flags around it", count, a.flagged));
        if (a.flagged + a.hidden < count)
            return at(line, column, fmt::format("a {} with only {} hidden cells and flags around it", count,
                                                a.flagged + a.hidden));
    }
    return "";
}

// The whole position against every arrangement of its mines.
std::string check_arrangements(const position& p, std::size_t mines_column)
{
    field_count count;
    count_field({p.cells.data(), p.field.width, p.field.height, p.field.mines}, count);
    // The mines the groups can hold, fewest and most.
    int fewest = 0;
    int most = 0;
    for (const group& g : count.groups) {
        auto held = [&g](std::size_t k) { return g.ways[k] > 0; };
        std::size_t k = 0;
        while (k < g.ways.size() && !held(k))
            k++;
        if (k == g.ways.size()) {
            int first_number = p.field.width * p.field.height;
            for (int v : g.vars)
                for (int cell = 0; cell < first_number; cell++)
                    if (p.cells[cell] >= 0 && std::abs(cell % p.field.width - count.var_cell[v] % p.field.width) <= 1 &&
                        std::abs(cell / p.field.width - count.var_cell[v] / p.field.width) <= 1)
                        first_number = cell;
            return at(std::size_t(first_number / p.field.width) + 2, std::size_t(first_number % p.field.width) + 1,
                      "no arrangement of mines fits this count and those it shares cells with");
        }
        std::size_t last = g.ways.size() - 1;
        while (!held(last))
            last--;
        fewest += int(k);
        most += int(last);
    }
    std::vector<double> chance(p.cells.size());
    if (std::isinf(weigh_count(count, chance.data()))) {
        int flags = int(std::count(p.cells.begin(), p.cells.end(), CELL_FLAGGED));
        return at(1, mines_column,
                  fmt::format("{} mines do not fit the counts and flags, which hold {} to {}", p.field.mines,
                              flags + fewest, flags + most + int(count.free_cells.size())));
    }
    return "";
}

}  // namespace

std::string read_position(const std::string& text, position& out)
{
    std::vector<std::string_view> lines;
    std::string_view rest = text;
    while (!rest.empty()) {
        std::size_t end = std::min(rest.find('\n'), rest.size());
        std::string_view line = rest.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.push_back(line);
        rest.remove_prefix(std::min(end + 1, rest.size()));
    }
    if (lines.empty())
        return "line 1: the file is empty; its first line is the field, WxH/M";
    std::string problem = read_field_size(std::string(lines[0]), out.field);
    if (!problem.empty())
        return fmt::format("line 1: {}", problem);
    std::size_t width = std::size_t(out.field.width);
    std::size_t height = std::size_t(out.field.height);
    if (lines.size() - 1 != height)
        return fmt::format("line {}: a {}x{} field has {} rows; this file has {}",
                           std::min(lines.size() + 1, height + 2), width, height, height, lines.size() - 1);
    out.cells.clear();
    for (std::size_t row = 0; row < height; row++) {
        std::string_view line = lines[row + 1];
        for (std::size_t column = 0; column < line.size(); column++) {
            char c = line[column];
            if (column >= width)
                return at(row + 2, column + 1, fmt::format("the row is {} cells long", width));
            if (c >= '0' && c <= '8')
                out.cells.push_back(c - '0');
            else if (c == '.' || c == 'F')
                out.cells.push_back(c == '.' ? CELL_HIDDEN : CELL_FLAGGED);
            else
                return at(row + 2, column + 1, fmt::format("{} is not a count 0 to 8, '.' or 'F'", shown(c)));
        }
        if (line.size() < width)
            return at(row + 2, line.size() + 1, fmt::format("the row is {} cells long", width));
    }
    int flags = int(std::count(out.cells.begin(), out.cells.end(), CELL_FLAGGED));
    if (flags > out.field.mines)
        return fmt::format("line 1: {} flags but {} mines", flags, out.field.mines);
    problem = check_counts(out);
    return problem.empty() ? check_arrangements(out, lines[0].find('/') + 2) : problem;
}
