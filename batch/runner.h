// The parent process: shares the games out among worker processes, shows
// progress, gathers what they played and writes the outputs.
#pragma once

#include "batch/options.h"

// Runs the batch; returns the exit status (0 done, 1 a worker failed,
// 2 an output that cannot be written, 130 interrupted).
int run_batch(const batch_options& options);
