// Reading what orvanta-batch merge adds up: statistics files and logs,
// checked line by line. The one place where the program reads files that
// people bring, so nothing in them is trusted.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "batch/tally.h"

// A log line: its game, and where its bytes (with the line end) lie.
struct log_entry {
    uint32_t seed;
    int64_t game;
    int file;  // index into merge_input::texts
    std::size_t start;
    std::size_t length;
};

struct merge_input {
    int cells = 0;                   // a game's score is 0 to cells
    std::vector<std::string> names;  // of the files read, in order
    std::vector<std::string> texts;  // their bytes
    int statistics_files = 0;
    std::vector<int64_t> counts;  // the statistics files added up, score by score
    int64_t statistics_games = 0;  // and over all scores
    int log_files = 0;
    int log_columns = 0;  // 5, or 6 with the safest rule's chance column
    std::vector<log_entry> entries;
    game_tally logged{};  // the logged games by outcome and score, and their guesses
};

// An empty merge of games on a field of cells cells.
merge_input new_merge(int cells);

// Reads one file's bytes: a statistics file ("s TAB count CR LF" for every
// score s from 0 to cells, in order) or a log ("seed TAB game TAB score TAB
// guesses TAB outcome", and the chance all guesses were safe, LF). Returns ""
// or one line saying what is wrong and where ("line 3: ..."); the merge is
// then unusable.
std::string read_merge_file(merge_input& in, const std::string& name, std::string text);

// Once every file is read: orders the log lines by seed and game and checks
// that no game is logged twice and that logs and statistics files, when
// both are given, hold the same games. Returns "" or what is wrong.
std::string finish_merge(merge_input& in);

// The games merged, score by score: from the statistics files if any were
// read, otherwise from the logs.
std::vector<int64_t> merged_counts(const merge_input& in);
