// The histogram of cells left hidden as an SVG bar chart.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "batch/tally.h"

// A bar per score 0 to n, stacked by outcome (won, lost, unsolved, no-start
// each in its own colour), with the totals in the title and labelled axes.
std::string histogram_svg(const game_tally& total, int n);

// The histograms of each of rules (sides[r] for rules[r]) on the same games:
// a bar per rule in each bin, on the same axes, with a legend.
std::string comparison_svg(std::span<const game_tally> sides, const std::vector<int>& rules, int n);
