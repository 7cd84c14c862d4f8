// The histogram of cells left hidden as an SVG bar chart.
#pragma once

#include <string>

#include "batch/tally.h"

// A bar per score 0 to n, stacked by outcome (won, lost, unsolved, no-start
// each in its own colour), with the totals in the title and labelled axes.
std::string histogram_svg(const game_tally& total, int n);

// The histograms of the random rule (sides[0]) and the safest (sides[1])
// on the same games: two bars per bin, on the same axes, with a legend.
std::string comparison_svg(const game_tally (&sides)[2], int n);
