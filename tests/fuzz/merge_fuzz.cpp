// libFuzzer target: the merge reader on any bytes, as one file or, split at
// the first NUL, as two. It must answer every input with one printable line
// or accept it, and an accepted statistics file must say back what it read.
#include <cstdint>
#include <string>

#include "batch/merge_reader.h"
#include "tests/fuzz/check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string bytes(reinterpret_cast<const char*>(data), size);
    std::size_t cut = bytes.find('\0');
    merge_input in = new_merge(480);
    std::string problem = read_merge_file(in, "first", bytes.substr(0, cut));
    if (problem.empty() && cut != std::string::npos)
        problem = read_merge_file(in, "second", bytes.substr(cut + 1));
    if (problem.empty())
        problem = finish_merge(in);
    for (char c : problem)
        check(c >= ' ' && c <= '~');
    if (!problem.empty() || cut != std::string::npos || !in.statistics_files)
        return 0;
    std::string again;
    for (int s = 0; s <= 480; s++)
        again += std::to_string(s) + "\t" + std::to_string(in.counts[s]) + "\r\n";
    check(again == bytes);
    return 0;
}
