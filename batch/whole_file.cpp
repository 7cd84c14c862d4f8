// read_stream() and read_whole().
#include "batch/whole_file.h"

#include <cerrno>
#include <cstring>

bool read_stream(std::FILE* file, std::string& text, std::string& reason)
{
    char buffer[1 << 16];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
        text.append(buffer, got);
    bool read = !std::ferror(file);
    reason = read ? "" : std::strerror(errno);
    return read;
}

bool read_whole(const std::string& path, std::string& text, std::string& reason, struct stat* identity)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file || (identity && fstat(fileno(file), identity) != 0)) {
        reason = std::strerror(errno);
        if (file)
            std::fclose(file);
        return false;
    }
    bool read = read_stream(file, text, reason);
    std::fclose(file);
    return read;
}
