// Output files on POSIX systems: a temporary beside the target, fsync, rename.
#include "driver/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <random>

namespace {

inline constexpr int MAX_LINKS = 40;  // as many as the kernel follows

int fail(std::string& reason, int error_number)
{
    reason = std::strerror(error_number ? error_number : EIO);
    return 0;
}

// name, read relative to the folder that holds path.
std::string beside(const std::string& path, const std::string& name)
{
    std::size_t slash = path.rfind('/');
    return name.starts_with('/') || slash == std::string::npos ? name : path.substr(0, slash + 1) + name;
}

// The name path's chain of symbolic links ends in, which need not exist.
// Returns 0 with errno set if a link cannot be read or the chain loops.
int follow_links(const std::string& path, std::string& target)
{
    target = path;
    for (int hops = 0; hops <= MAX_LINKS; hops++) {
        struct stat info;
        if (lstat(target.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return 1;
        char link[PATH_MAX];
        ssize_t length = readlink(target.c_str(), link, sizeof link);
        if (length == sizeof link)
            errno = ENAMETOOLONG;
        if (length < 0 || length == sizeof link)
            return 0;
        target = beside(target, std::string(link, std::size_t(length)));
    }
    errno = ELOOP;
    return 0;
}

// Creates, as mkstemp does, a file named target.XXXXXX that no other
// writer holds, but with mode less the umask: mkstemp's 0600 would need the
// umask to widen, and reading the umask changes it for every thread.
int create_temporary(const std::string& target, mode_t mode, std::string& temporary)
{
    static constexpr char LETTERS[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device draw;
    for (int attempt = 0; attempt < 100; attempt++) {
        temporary = target + '.';
        for (int letter = 0; letter < 6; letter++)
            temporary += LETTERS[draw() % (sizeof LETTERS - 1)];
        int descriptor = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (descriptor >= 0 || errno != EEXIST)
            return descriptor;
    }
    return -1;
}

// Makes the rename in target's folder durable. Some file systems cannot
// sync a folder; the file is in place by then, so that is no failure.
void sync_folder(const std::string& target)
{
    int folder = open(beside(target, ".").c_str(), O_RDONLY | O_DIRECTORY);
    if (folder >= 0) {
        fsync(folder);
        close(folder);
    }
}

}  // namespace

int open_output(output_file& out, const std::string& path, std::string& reason)
{
    if (path == "-") {
        out.file = stdout;
        return 1;
    }
    // stat, not lstat and readlink: /dev/stdout leads to /proc/self/fd/1,
    // whose link text ("pipe:[7]") names no file. A folder is refused by
    // fopen ("Is a directory").
    struct stat info;
    bool exists = stat(path.c_str(), &info) == 0;
    if (!exists && errno != ENOENT)
        return fail(reason, errno);
    if (exists && !S_ISREG(info.st_mode)) {
        out.target = path;
        out.file = std::fopen(path.c_str(), "wb");
        return out.file ? 1 : fail(reason, errno);
    }
    if (!follow_links(path, out.target))
        return fail(reason, errno);
    std::string temporary;
    int descriptor = create_temporary(out.target, exists ? 0600 : 0666, temporary);
    if (descriptor < 0)
        return fail(reason, errno);
    out.temporary = temporary;
    out.file = fdopen(descriptor, "wb");
    if (!out.file) {
        int error_number = errno;
        close(descriptor);
        return fail(reason, error_number);
    }
    // A replaced file keeps its bits, which the umask must not narrow.
    if (exists && fchmod(descriptor, info.st_mode & 07777) != 0)
        return fail(reason, errno);
    return 1;
}

int commit_output(output_file& out, std::string& reason)
{
    std::FILE* file = out.file;
    if (file == stdout) {
        out.file = nullptr;
        if (std::fflush(stdout) == 0 && !std::ferror(stdout))
            return 1;
        int error_number = errno;
        // Reported here: a last check of the stream at the exit need not.
        clearerr(stdout);
        return fail(reason, error_number);
    }
    bool written = std::fflush(file) == 0 && !std::ferror(file) && (out.temporary.empty() || fsync(fileno(file)) == 0);
    int error_number = errno;
    out.file = nullptr;
    if (std::fclose(file) != 0 && written) {
        written = false;
        error_number = errno;
    }
    if (!written)
        return fail(reason, error_number);
    if (out.temporary.empty())
        return 1;
    if (std::rename(out.temporary.c_str(), out.target.c_str()) != 0)
        return fail(reason, errno);
    out.temporary.clear();
    sync_folder(out.target);
    return 1;
}
