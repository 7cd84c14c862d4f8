// A brute force the engine's chances and guesses are checked against: small
// random fields, and every arrangement of their mines listed.
#pragma once

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "engine/board.h"
#include "engine/reveal.h"
#include "tests/support/fixture.h"

inline bool touches(int a, int b)
{
    return a != b && std::abs(a % xdim - b % xdim) <= 1 && std::abs(a / xdim - b / xdim) <= 1;
}

// The hidden unflagged cells (bit h is hidden[h]), the mines left among them
// and every layout of those mines that gives each number its count.
struct listing {
    std::vector<int> hidden;
    int left = 0;
    std::vector<uint32_t> layouts;
};

// The number cell would show under layout: its flags and its mines in the layout.
inline int shown(const listing& l, uint32_t layout, int cell)
{
    int count = 0;
    for (int j = 0; j < xdim * ydim; j++)
        count += touches(cell, j) && sea[j] == CELL_FLAGGED;
    for (std::size_t h = 0; h < l.hidden.size(); h++)
        count += touches(cell, l.hidden[h]) && (layout >> h & 1);
    return count;
}

inline listing list_board()
{
    listing l;
    l.left = mines;
    for (int i = 0; i < xdim * ydim; i++) {
        l.left -= sea[i] == CELL_FLAGGED;
        if (sea[i] == CELL_MINE || sea[i] == CELL_HIDDEN)
            l.hidden.push_back(i);
    }
    // Each number as the hidden cells around it (a bit each) and the mines they
    // hold, so that a layout is tried by counting bits: fields up to 32 cells.
    std::vector<std::pair<uint32_t, int>> numbers;
    for (int i = 0; i < xdim * ydim; i++) {
        uint32_t around = 0;
        for (std::size_t h = 0; h < l.hidden.size(); h++)
            around |= uint32_t(touches(i, l.hidden[h])) << h;
        if (sea[i] >= 0)
            numbers.emplace_back(around, sea[i] - shown(l, 0, i));
    }
    // Every set of left hidden cells, in increasing order of its bits.
    for (uint64_t set = (uint64_t(1) << l.left) - 1; set < (uint64_t(1) << l.hidden.size());) {
        bool fits = true;
        for (auto [around, held] : numbers)
            fits = fits && std::popcount(set & around) == held;
        if (fits)
            l.layouts.push_back(uint32_t(set));
        uint64_t low = set & -set;
        uint64_t carried = set + low;
        set = set ? carried | (((set ^ carried) >> 2) / low) : ~uint64_t(0);
    }
    return l;
}

// The share of layouts with a mine on hidden cell h.
inline double mined_share(const std::vector<uint32_t>& layouts, std::size_t h)
{
    auto mined = std::count_if(layouts.begin(), layouts.end(), [h](uint32_t m) { return m >> h & 1; });
    return double(mined) / double(layouts.size());
}

// Mines laid at random on a width by height field, the numbers made from them:
// three cells tried for opening (with their floods) and about a third of the
// mines flagged.
inline void random_board(std::mt19937& draw, int width, int height, int fewest, int most)
{
    int n = width * height;
    load_board(std::vector<std::string>(height, std::string(width, '.')));
    mines = fewest + int(draw() % (most - fewest + 1));
    for (int placed = 0; placed < mines;) {
        int i = int(draw() % n);
        placed += sea[i] == CELL_HIDDEN;
        sea[i] = CELL_MINE;
    }
    for (int tries = 0; tries < 3; tries++)
        if (int i = int(draw() % n); sea[i] == CELL_HIDDEN)
            hit(i % width, i / width);
    for (int i = 0; i < n; i++)
        if (sea[i] == CELL_MINE && draw() % 3 == 0)
            sea[i] = CELL_FLAGGED;
}
