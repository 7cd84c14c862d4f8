// Output files on Windows: a temporary beside the target, flushed to the
// disk and moved over the target in one step.
#include "driver/output_file.h"

#include <io.h>
#include <windows.h>

#include <cerrno>
#include <cstring>
#include <system_error>

namespace {

int fail(std::string& reason, const std::string& text)
{
    reason = text;
    return 0;
}

std::string last_error()
{
    return std::system_category().message(int(GetLastError()));
}

}  // namespace

int open_output(output_file& out, const std::string& path, std::string& reason)
{
    if (path == "-") {
        out.file = stdout;
        return 1;
    }
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return fail(reason, std::strerror(EISDIR));
    std::size_t slash = path.find_last_of("/\\");
    std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    char temporary[MAX_PATH];
    if (!GetTempFileNameA(folder.c_str(), "orv", 0, temporary))  // creates it, under a name of its own
        return fail(reason, last_error());
    out.target = path;
    out.temporary = temporary;
    out.file = std::fopen(temporary, "wb");
    return out.file ? 1 : fail(reason, std::strerror(errno));
}

int commit_output(output_file& out, std::string& reason)
{
    std::FILE* file = out.file;
    out.file = nullptr;
    if (file == stdout)
        return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 1 : fail(reason, std::strerror(errno ? errno : EIO));
    bool flushed = std::fflush(file) == 0 && !std::ferror(file);
    std::string problem = !flushed ? std::strerror(errno ? errno : EIO) : "";
    if (flushed && !FlushFileBuffers(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)))))
        problem = last_error();
    if (std::fclose(file) != 0 && problem.empty())
        problem = std::strerror(errno);
    if (!problem.empty())
        return fail(reason, problem);
    if (!MoveFileExA(out.temporary.c_str(), out.target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return fail(reason, last_error());
    out.temporary.clear();
    return 1;
}
