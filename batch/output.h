// Output files that replace their destination only once complete.
#pragma once

#include <cstdio>
#include <string>

struct output_file {
    std::string path;       // "-" is standard output
    std::string temporary;  // beside path, renamed over it by commit_output
    std::FILE* file = nullptr;
};

// Opens a temporary file beside path (or takes standard output for "-").
// Returns 0 with a one-line error if the destination cannot be written.
int open_output(output_file& out, const std::string& path, std::string& error);

// Flushes and closes the temporary and renames it over the destination.
// Returns 0 with an error (and removes the temporary) if any step failed.
int commit_output(output_file& out, std::string& error);

// Closes and removes the temporary, leaving the destination as it was.
void discard_output(output_file& out);

// Appends everything the file holds, from its start, to out.
// Returns 0 if reading or writing failed.
int append_file(output_file& out, std::FILE* part);
