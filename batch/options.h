// The batch player's command line.
#pragma once

#include <cstdint>
#include <string>

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
};

enum parse_result { PARSE_RUN, PARSE_HELP, PARSE_VERSION, PARSE_ERROR };

// Reads argv into options (which starts from the defaults, seed and jobs
// filled from the clock and the machine). On PARSE_ERROR, error holds a
// one-line message naming the problem; a problem wins over --help, and
// --help over --version, wherever each stands.
parse_result parse_options(int argc, char** argv, batch_options& options, std::string& error);

// The text --help prints.
std::string usage_text();
