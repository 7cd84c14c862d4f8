// What the batch player tells the person at the terminal: the progress line
// while it plays and the summary at the end.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>
#include <string_view>

#include "batch/tally.h"

// One line, no line end: games done of wanted, a bar, games per second and
// the time left, from the seconds spent so far.
std::string progress_line(int64_t done, int64_t wanted, double seconds);

struct run_facts {
    uint32_t seed;
    int workers;  // the run's sequences of games, one per job
    int64_t wanted;
    double seconds;
    bool interrupted;
    int guess_rule;  // a row of GUESS_RULES
    int shard;       // this is part shard of shards; 0: the whole run
    int shards;
};

// text with every control character ('\033', a C1 control) shown as '?',
// so that a name from the command line cannot steer the terminal.
std::string printable(std::string_view text);

// Prints "orvanta-batch: message", made printable, on standard error;
// returns status.
int complain(const std::string& message, int status);

// "'path'", or "standard output" for "-".
std::string output_name(const std::string& path);

// "cannot write 'path': reason", "-" named as standard output.
std::string cannot_write(const std::string& path, const std::string& reason);

// "2,896": a count (never negative) with its thousands marked.
std::string grouped(int64_t count);

// Several lines: games (and the rule, unless the first), each outcome with
// its rate and 95% confidence interval, safe guesses, (with a rule that
// reports chances) the guesses whose chances were estimated, time and games
// per second.
std::string summary_text(const game_tally& total, const run_facts& facts);

// The same for each of rules (sides[r] for rules[r]) on the same games, side
// by side, with the difference of each one's win rate from the first's and
// its 95% confidence interval, paired over the games.
std::string comparison_text(std::span<const game_tally> sides, const std::vector<int>& rules,
                            const run_facts& facts);

// The summary of merged files: every outcome when logs were merged, only
// won and not won from statistics files alone.
std::string merged_text(const game_tally& total, int files, bool from_logs);
