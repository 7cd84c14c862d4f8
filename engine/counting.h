// The exact count of the arrangements of the mines that fit a position: one
// counting that every rule asking for chances shares.
#pragma once

#include <cstdint>
#include <vector>

// How many steps the count of one group of cells may take before the group
// is split in two and its chances become an estimate (tests lower it).
inline constexpr int64_t EXACT_COUNT_STEPS = 100000;
extern int64_t exact_count_limit;  // EXACT_COUNT_STEPS unless a test changed it

// A position: cell codes as on the board (engine/board.h), row by row, and
// the mines of the whole field. A rule that looks ahead counts a copy of
// the board with a cell it has not opened yet shown opened.
struct field_view {
    const int32_t* cells;
    int width;
    int height;
    int mines;
};

// One independent group, counted: ways[k] arrangements of its variables
// hold k mines, and mined[j * (vars.size() + 1) + k] of them mine vars[j].
// With recording on, arrangements lists each arrangement's mined variables
// (places in vars) followed by -1.
struct group {
    std::vector<int> vars;
    std::vector<double> ways;
    std::vector<double> mined;
    std::vector<int> arrangements;
};

// What the numbers of a position say: the hidden unflagged cells next to a
// number are its variables (numbered in index order), counted in groups that
// share no number; the others are free, and all share one chance.
struct field_count {
    std::vector<int> var_cell;  // the cell of each variable
    std::vector<int> var_of;    // the variable of each cell; -1 if none
    std::vector<group> groups;
    int hidden = 0;  // hidden unflagged cells
    std::vector<int> free_cells;  // those next to no number
    int left = 0;    // mines less flags
    int exact = 1;   // 0 if some group passed exact_count_limit and was cut
};

// Counts the position into out (whose storage it reuses). With record, each
// group also lists its arrangements (for a search over every arrangement,
// when they are few). Returns out.exact.
int count_field(const field_view& field, field_count& out, bool record = false);

// The chance of a mine of every cell from a count: chance[i] for the hidden
// unflagged cells, -1 for the others (chance holds width * height values).
// Returns the natural logarithm of the number of arrangements that fit, which
// the rules compare between positions; -infinity if none fits (then every
// hidden unflagged cell gets the mines left over the hidden cells).
double weigh_count(const field_count& count, double* chance);

// The number of arrangements of the whole count (free cells included), or
// more than limit if it is larger than that.
double arrangement_total(const field_count& count, double limit);
