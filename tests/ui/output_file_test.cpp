// Output files: what each kind of name is left as, what is said when it
// cannot be written, and that no temporary stays behind.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include "driver/output_file.h"

namespace fs = std::filesystem;

namespace {

// Everything under the current folder, a sorted line each: name, kind (f file,
// l link, p pipe, c device, d folder), a file's bits and text, a link's target.
// A temporary left behind is a line too.
std::string listing()
{
    std::FILE* find = popen("find . -mindepth 1 -printf '%P %y' \\( -type f -printf ' %m ' -exec cat {} \\; "
                            "-o -type l -printf ' %l' -o -true \\) -printf '\\n' | LC_ALL=C sort",
                            "r");
    std::string text;
    for (int c; (c = std::fgetc(find)) != EOF;)
        text += char(c);
    pclose(find);
    return text;
}

struct output_case {
    const char* before;  // a shell command that makes the folder's start
    const char* path;    // "|": a pipe's write end reached through /proc/self/fd
    bool commit;         // or give the output up
    const char* reason;  // "" when written
    const char* after;   // the listing
};

}  // namespace

TEST(OutputFile, EachKindOfNameIsLeftAsItShouldBeWithNoTemporary)
{
    const output_case cases[] = {
        {"", "out", true, "", "out f 640 new\n"},  // the bits any new file gets, not mkstemp's
        {"printf old >out; chmod 604 out", "out", true, "", "out f 604 new\n"},
        {"printf old >out; chmod 604 out; mkdir sub; ln -s ../out sub/mid; ln -s sub/mid link", "link", true, "",
         "link l sub/mid\nout f 604 new\nsub d\nsub/mid l ../out\n"},  // each link read from its own folder
        {"ln -s made out", "out", true, "", "made f 640 new\nout l made\n"},
        {"mkfifo out", "out", true, "", "out p\n"},  // written in place: its reader hears it
        {"", "|", true, "", ""},
        {"mknod out c 1 3", "out", true, "", "out c\n"},  // as root: a null device
        {"mknod out c 1 7", "out", true, "No space left on device", "out c\n"},  // and a full one
        {"mkdir out", "out", true, "Is a directory", "out d\n"},
        {"", "none/out", true, "No such file or directory", ""},
        {"printf old >out; chmod 604 out", "out", false, "", "out f 604 old\n"},
    };
    fs::path home = fs::current_path();
    fs::path dir = fs::path(::testing::TempDir()) / ("orvanta-output-" + std::to_string(getpid()));
    mode_t mask = umask(027);
    for (const output_case& row : cases) {
        SCOPED_TRACE(std::string(row.path) + " after: " + row.before);
        fs::remove_all(dir);
        fs::create_directories(dir);
        fs::current_path(dir);
        std::string path = row.path;
        int pipe_ends[2] = {-1, -1};
        if (path == "|" && pipe2(pipe_ends, O_NONBLOCK) == 0)
            path = "/proc/self/fd/" + std::to_string(pipe_ends[1]);
        bool made = std::system((std::string(row.before) + " 2>/dev/null").c_str()) == 0;  // mknod: as root
        if (fs::is_fifo(fs::symlink_status(path)))  // a reader first, so that opening it to write does not wait
            pipe_ends[0] = open(path.c_str(), O_RDONLY | O_NONBLOCK);
        if (made) {
            std::string reason;
            {
                output_file out;
                bool written = open_output(out, path, reason) && std::fputs("new", out.file) >= 0 &&
                               (!row.commit || commit_output(out, reason));
                EXPECT_EQ(written ? "" : reason, row.reason);
            }
            EXPECT_EQ(listing(), row.after);
            char heard[8] = {};
            if (pipe_ends[0] >= 0) {
                EXPECT_EQ(read(pipe_ends[0], heard, sizeof heard), 3);
                EXPECT_STREQ(heard, "new");
            }
        }
        for (int end : pipe_ends)
            if (end >= 0)
                close(end);
        fs::current_path(home);
    }
    fs::remove_all(dir);
    umask(mask);
}

TEST(OutputFile, WritersOfOneNameAtOnceLeaveOneWholeFileAndNoTemporary)
{
    fs::path dir = fs::path(::testing::TempDir()) / ("orvanta-writers-" + std::to_string(getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    std::string path = (dir / "out").string();
    std::atomic<int> failures = 0;
    auto write_often = [&](char letter) {
        for (int i = 0; i < 20; i++) {
            output_file out;
            std::string reason;
            if (!open_output(out, path, reason) || std::fputs(std::string(1 << 16, letter).c_str(), out.file) < 0 ||
                !commit_output(out, reason))
                failures++;
        }
    };
    std::thread a(write_often, 'a');
    std::thread b(write_often, 'b');
    a.join();
    b.join();
    EXPECT_EQ(failures, 0);
    std::ifstream in(path);
    std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_TRUE(text == std::string(1 << 16, 'a') || text == std::string(1 << 16, 'b'));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
    fs::remove_all(dir);
}
