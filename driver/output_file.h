// Every file the programs write: a file is replaced whole or not at all, and
// what a name stands for (a link, a pipe, a device) stays what it was.
// The two functions are defined once per platform: ui/common/output_file.cpp
// (POSIX) and ui/win32/output_file.cpp.
#pragma once

#include <cstdio>
#include <string>

// One output being written. It owns its temporary: the destructor closes the
// file and removes the temporary unless commit_output moved it into place,
// so no temporary outlives its owner, whichever way the owner goes.
struct output_file {
    std::FILE* file = nullptr;  // written between open_output and commit_output
    std::string target;         // the file the bytes end in: the name with its links followed
    std::string temporary;      // beside target; empty when written in place

    output_file() = default;
    output_file(const output_file&) = delete;
    output_file& operator=(const output_file&) = delete;
    ~output_file()
    {
        if (file && file != stdout)
            std::fclose(file);
        if (!temporary.empty())
            std::remove(temporary.c_str());
    }
};

// Opens path, into a fresh out, for writing. "-" is standard output.
// Symbolic links are followed to their final target, which a dangling link
// has created. A regular file, or none, is written to a temporary with a
// name of its own in the target's folder, with the permission bits of the
// file it replaces (a new one gets those any new file gets). Anything else
// that exists (a named pipe, a terminal, a device) is written in place.
// On Windows, where only the statistics file is written, a name is taken as
// it is: links are not followed and nothing but a folder is told apart.
// Returns 0 with the reason ("Is a directory") if path cannot be written.
int open_output(output_file& out, const std::string& path, std::string& reason);

// Flushes and closes the file. A temporary is synced to the disk, renamed
// over the target and the rename synced. Returns 0 with the reason if any
// step failed; the target is then as it was (and the temporary goes with out).
int commit_output(output_file& out, std::string& reason);
