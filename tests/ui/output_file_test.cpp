// Output files: what each kind of name is left as, what is said when it
// cannot be written, and that no temporary stays behind.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <thread>

#include "driver/output_file.h"

namespace {

const std::string FOLDER = ::testing::TempDir() + "orvanta-output-" + std::to_string(getpid()) + "/";

// Runs a shell command in FOLDER, made afresh; whether it succeeded.
bool in_fresh_folder(const std::string& command)
{
    std::string fresh = "rm -rf " + FOLDER + " && mkdir " + FOLDER + " && cd " + FOLDER + " && ";
    return std::system((fresh + command).c_str()) == 0;
}

// Everything in FOLDER, a sorted line each: name, kind (f file, l link, p pipe,
// c device, d folder), a file's bits and text, a link's target. A temporary
// left behind is a line too.
std::string listing()
{
    std::FILE* find = popen(("cd " + FOLDER + " && find . -mindepth 1 -printf '%P %y' \\( -type f -printf ' %m ' -exec "
                             "cat {} \\; -o -type l -printf ' %l' -o -true \\) -printf '\\n' | LC_ALL=C sort").c_str(),
                            "r");
    std::string text;
    for (int c; (c = std::fgetc(find)) != EOF;)
        text += char(c);
    pclose(find);
    return text;
}

// Writes text to path and commits it, or gives it up: "" or why it could not.
std::string written(const std::string& path, const std::string& text, bool commit = true)
{
    output_file out;
    std::string reason;
    bool done = open_output(out, path, reason) && std::fputs(text.c_str(), out.file) >= 0 &&
                (!commit || commit_output(out, reason));
    return done ? "" : reason;
}

}  // namespace

TEST(OutputFile, EachKindOfNameIsLeftAsItShouldBeWithNoTemporary)
{
    // The folder's start (a shell command), the name ("|": a pipe's write end reached through /proc/self/fd),
    // committed or given up, why it was not written, and the folder after with what a reader heard.
    const std::tuple<std::string, std::string, bool, std::string, std::string> cases[] = {
        {":", "out", true, "", "out f 640 new\n"},  // the bits any new file gets, not mkstemp's
        {"printf old >out; chmod 604 out", "out", true, "", "out f 604 new\n"},
        {"printf old >out; chmod 604 out; mkdir sub; ln -s ../out sub/mid; ln -s sub/mid link", "link", true, "",
         "link l sub/mid\nout f 604 new\nsub d\nsub/mid l ../out\n"},  // each link read from its own folder
        {"ln -s made out", "out", true, "", "made f 640 new\nout l made\n"},
        {"mkfifo out", "out", true, "", "out p\nnew"},  // written in place: its reader hears it
        {":", "|", true, "", "new"},
        {"mknod out c 1 3", "out", true, "", "out c\n"},  // as root: a null device
        {"mknod out c 1 7", "out", true, "No space left on device", "out c\n"},  // and a full one
        {"mkdir out", "out", true, "Is a directory", "out d\n"},
        {":", "none/out", true, "No such file or directory", ""},
        {"printf old >out; chmod 604 out", "out", false, "", "out f 604 old\n"},
    };
    mode_t mask = umask(027);
    for (const auto& [before, name, commit, reason, after] : cases) {
        SCOPED_TRACE(name + " after: " + before);
        int ends[2] = {-1, -1};
        std::string path = name == "|" && pipe2(ends, O_NONBLOCK) == 0 ? "/proc/self/fd/" + std::to_string(ends[1])
                                                                        : FOLDER + name;
        if (in_fresh_folder(before + " 2>/dev/null")) {  // mknod: as root
            if (std::filesystem::is_fifo(std::filesystem::symlink_status(path)))  // a reader first: no wait to write
                ends[0] = open(path.c_str(), O_RDONLY | O_NONBLOCK);
            EXPECT_EQ(written(path, "new", commit), reason);
            char heard[8] = {};
            EXPECT_EQ(listing() + (ends[0] >= 0 && read(ends[0], heard, sizeof heard) > 0 ? heard : ""), after);
        }
        for (int end : ends)
            close(end);  // or -1: nothing
    }
    umask(mask);
    std::filesystem::remove_all(FOLDER);
}

TEST(OutputFile, WritersOfOneNameAtOnceLeaveOneWholeFileAndNoTemporary)
{
    ASSERT_TRUE(in_fresh_folder("printf old >out; chmod 604 out"));
    auto write_often = [](char letter) {
        for (int i = 0; i < 20; i++)
            EXPECT_EQ(written(FOLDER + "out", std::string(1 << 16, letter)), "");
    };
    std::thread a(write_often, 'a'), b(write_often, 'b');
    a.join();
    b.join();
    std::string left = listing();
    EXPECT_TRUE(left == "out f 604 " + std::string(1 << 16, 'a') + "\n" ||
                left == "out f 604 " + std::string(1 << 16, 'b') + "\n");
    std::filesystem::remove_all(FOLDER);
}
