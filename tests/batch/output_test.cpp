// Output files: a destination is replaced only by a complete file, never
// clobbered by a failed or abandoned one.
#include <sys/stat.h>
#include <unistd.h>

#include "batch/output.h"
#include "tests/batch/helpers.h"

using OutputTest = TempDirTest;

TEST_F(OutputTest, CommitReplacesTheDestinationWithTheWholeText)
{
    std::string path = dir + "/out.txt";
    write_file(path, "old contents\n");
    output_file out;
    std::string error;
    ASSERT_TRUE(open_output(out, path, error)) << error;
    std::fputs("new\n", out.file);
    EXPECT_EQ(read_file(path), "old contents\n") << "untouched until committed";
    ASSERT_TRUE(commit_output(out, error)) << error;
    EXPECT_EQ(read_file(path), "new\n");
    EXPECT_EQ(names(), std::vector<std::string>{"out.txt"}) << "no temporary left behind";
}

TEST_F(OutputTest, DiscardLeavesTheDestinationAsItWas)
{
    std::string path = dir + "/out.txt";
    write_file(path, "keep me\n");
    output_file out;
    std::string error;
    ASSERT_TRUE(open_output(out, path, error)) << error;
    std::fputs("partial", out.file);
    discard_output(out);
    EXPECT_EQ(read_file(path), "keep me\n");
    EXPECT_EQ(names(), std::vector<std::string>{"out.txt"});
}

TEST_F(OutputTest, NewFileGetsTheModeAnyNewFileWouldGet)
{
    std::string path = dir + "/fresh.txt";
    output_file out;
    std::string error;
    ASSERT_TRUE(open_output(out, path, error)) << error;
    ASSERT_TRUE(commit_output(out, error)) << error;
    mode_t mask = umask(0);
    umask(mask);
    struct stat info;
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0666 & ~mask);
}

TEST_F(OutputTest, UnwritablePlacesAreRefusedWithTheReason)
{
    output_file out;
    std::string error;
    EXPECT_FALSE(open_output(out, dir + "/missing/out.txt", error));
    EXPECT_NE(error.find("cannot write '" + dir + "/missing/out.txt': No such file or directory"), std::string::npos)
        << error;
    EXPECT_FALSE(open_output(out, dir, error));
    EXPECT_NE(error.find("Is a directory"), std::string::npos) << error;
    EXPECT_TRUE(names().empty());
}

TEST_F(OutputTest, AppendFileAddsAPartAfterWhatIsThere)
{
    std::string path = dir + "/joined.txt";
    output_file out;
    std::string error;
    ASSERT_TRUE(open_output(out, path, error)) << error;
    std::fputs("first\n", out.file);
    std::FILE* part = std::tmpfile();
    std::fputs("second\n", part);
    EXPECT_TRUE(append_file(out, part));
    std::fclose(part);
    ASSERT_TRUE(commit_output(out, error)) << error;
    EXPECT_EQ(read_file(path), "first\nsecond\n");
}
