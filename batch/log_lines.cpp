// put_line() and its helpers over glibc's stdio.
#include "batch/log_lines.h"

#include <stdio_ext.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

void write_in_lines(std::FILE* out)
{
    std::setvbuf(out, nullptr, _IOFBF, PIPE_BUF);
}

void put_line(std::FILE* out, std::string_view line)
{
    if (__fpending(out) + line.size() > PIPE_BUF)
        std::fflush(out);
    std::fwrite(line.data(), 1, line.size(), out);
}

int append_lines(std::FILE* out, std::FILE* part, std::string& reason)
{
    // Earlier parts were written through another process's stream on the
    // same open file: continue at its end.
    std::fseek(out, 0, SEEK_END);
    std::rewind(part);
    char* line = nullptr;
    std::size_t size = 0;
    ssize_t length;
    while ((length = getline(&line, &size, part)) > 0 && !std::ferror(out))
        put_line(out, std::string_view(line, std::size_t(length)));
    int error_number = errno;
    std::free(line);
    bool failed = std::ferror(out) || std::ferror(part);
    reason = failed ? std::strerror(error_number) : "";
    return !failed;
}
