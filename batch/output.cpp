// Temporary-file-and-rename output, so an interrupted or failed run never
// leaves a destination half-written.
#include "batch/output.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {
std::string describe(const std::string& path, int error_number)
{
    return "cannot write '" + path + "': " + std::strerror(error_number);
}
}  // namespace

int open_output(output_file& out, const std::string& path, std::string& error)
{
    out = output_file{};
    out.path = path;
    if (path == "-") {
        out.file = stdout;
        return 1;
    }
    struct stat info;
    if (stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
        error = describe(path, EISDIR);
        return 0;
    }
    std::string pattern = path + ".XXXXXX";
    int fd = mkstemp(pattern.data());
    if (fd < 0) {
        error = describe(path, errno);
        return 0;
    }
    // mkstemp makes the file private; give it the mode a new file would get.
    mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
    out.temporary = pattern;
    out.file = fdopen(fd, "w");
    if (!out.file) {
        error = describe(path, errno);
        close(fd);
        unlink(pattern.c_str());
        return 0;
    }
    return 1;
}

int commit_output(output_file& out, std::string& error)
{
    if (out.file == stdout) {
        bool ok = std::fflush(stdout) == 0 && !std::ferror(stdout);
        if (!ok)
            error = describe("standard output", errno);
        return ok;
    }
    bool ok = std::fflush(out.file) == 0 && !std::ferror(out.file);
    int error_number = errno;
    ok = std::fclose(out.file) == 0 && ok;
    out.file = nullptr;
    if (ok && std::rename(out.temporary.c_str(), out.path.c_str()) != 0) {
        error_number = errno;
        ok = false;
    }
    if (!ok) {
        error = describe(out.path, error_number ? error_number : EIO);
        unlink(out.temporary.c_str());
    }
    return ok;
}

void discard_output(output_file& out)
{
    if (out.file && out.file != stdout) {
        std::fclose(out.file);
        unlink(out.temporary.c_str());
    }
    out.file = nullptr;
}

int append_file(output_file& out, std::FILE* part)
{
    char buffer[1 << 16];
    // Earlier parts were written through another process's stream on the
    // same open file: continue at its end.
    std::fseek(out.file, 0, SEEK_END);
    std::rewind(part);
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, part)) > 0)
        if (std::fwrite(buffer, 1, got, out.file) != got)
            return 0;
    return !std::ferror(part);
}
