// orvanta-batch merge: statistics files and logs of several runs made one.
#pragma once

#include "batch/options.h"

// Reads every file of options.merge_files, writes their sum to
// options.scores_path and their logs, ordered by seed and game, to
// options.log_path (when given), and prints the summary. Bad input or an
// output that cannot be written is one line on standard error and exit
// status 2, with no output file touched; 0 otherwise.
int run_merge(const batch_options& options);
