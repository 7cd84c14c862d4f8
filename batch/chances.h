// orvanta-batch chances FILE: a position's chances of a mine and the cell
// each guessing rule would open.
#pragma once

#include "batch/options.h"

// Reads options.position_file ("-": standard input), prints the position's
// chances and each rule's cell on standard output and returns 0; a file
// that cannot be read or is refused is named on standard error, status 2.
int run_chances(const batch_options& options);
