// Reading a whole input file, for merge and chances.
#pragma once

#include <sys/stat.h>

#include <cstdio>
#include <string>

// Appends everything left in file to text; false, with the reason, if a read failed.
bool read_stream(std::FILE* file, std::string& text, std::string& reason);

// The whole file at path appended to text, and which file it is (however it
// was named) in identity if given; false, with the reason, if it cannot be
// opened or read.
bool read_whole(const std::string& path, std::string& text, std::string& reason, struct stat* identity = nullptr);
