// The batch player's command line.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct batch_options {
    int64_t games = 1000;
    bool until_win = false;
    uint32_t seed = 0;        // the clock now unless --seed is given
    int first_x = 0;
    int first_y = 0;
    bool no_guess = false;
    int jobs = 1;             // the number of cores unless --jobs is given
    std::string log_path;     // empty: no log; "-": standard output
    std::string trace_path;   // likewise
    int verbose = 2;
    std::string scores_path = "qxscores.txt";
    std::string plot_path;    // empty: no plot
    int guess_rule = 0;       // a row of GUESS_RULES
    std::vector<int> compare; // the rows to play every game with; empty: no comparison
    int shard = 0;            // play only part shard (1 to shards) of the run; 0: all of it
    int shards = 1;
    std::vector<std::string> merge_files;  // orvanta-batch merge FILE...
};

enum parse_result { PARSE_RUN, PARSE_MERGE, PARSE_HELP, PARSE_VERSION, PARSE_ERROR };

// The worker sequences of a run (seed S + k for sequence k): one per job,
// and no more than there are games; one for --until-win.
int sequence_count(const batch_options& options);

// Reads argv into options (which starts from the defaults, seed and jobs
// filled from the clock and the machine). On PARSE_ERROR, error holds a
// one-line message naming the problem; a problem wins over --help, and
// --help over --version, wherever each stands.
parse_result parse_options(int argc, char** argv, batch_options& options, std::string& error);

// The text --help prints.
std::string usage_text();
