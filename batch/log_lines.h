// The log written a whole line at a time: two runs logging into one named
// pipe keep their lines whole, as a write of at most PIPE_BUF bytes to a
// pipe is never mixed with another writer's.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

// Before anything is written to out: a buffer that put_line can fill to
// PIPE_BUF bytes without the stream writing on its own.
void write_in_lines(std::FILE* out);

// Writes line, its '\n' included, so that each write the stream makes holds
// whole lines and at most PIPE_BUF bytes.
void put_line(std::FILE* out, std::string_view line);

// Appends the lines of part, from its start, to the end of out as put_line
// does. Returns 0 with the reason if reading or writing failed.
int append_lines(std::FILE* out, std::FILE* part, std::string& reason);
