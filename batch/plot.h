// The histogram of cells left hidden as an SVG bar chart.
#pragma once

#include <string>

#include "batch/tally.h"

// A bar per score 0 to n, stacked by outcome (won, lost, unsolved, no-start
// each in its own colour), with the totals in the title and labelled axes.
std::string histogram_svg(const game_tally& total, int n);
