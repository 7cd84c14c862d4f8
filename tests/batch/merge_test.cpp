// The merge reader: what it accepts, and a line naming the problem for every
// kind of bad input.
#include <gtest/gtest.h>

#include <map>

#include "batch/merge_reader.h"

TEST(MergeReader, TakesWhatTheProgramWritesAndSaysInOneLineWhereAndWhatIsWrongElse)
{
    // A statistics file of the 30 by 16 field with the given counts, the rest 0.
    auto statistics = [](const std::map<int, std::string>& counts) {
        std::string text;
        for (int s = 0; s <= 480; s++)
            text += std::to_string(s) + "\t" + (counts.count(s) ? counts.at(s) : "0") + "\r\n";
        return text;
    };
    const std::string big = "5000000000000000000";
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{statistics({{0, big}}), statistics({{0, "4000000000000000000"}})}, ""},
        {{""}, "the file is empty"},
        {{"hello\n"}, "line 1: neither a statistics file"},
        {{"0\t0\r1\t0\r"}, "line 1: it ends in CR alone, not CR LF"},
        {{"0\t0\n1\t0\n"}, "line 1: a statistics file's lines end in CR LF"},
        {{"0\t0\r\n2\t0\r\n"}, "line 2: '2' where score 1 belongs"},
        {{statistics({}).substr(0, statistics({}).rfind("480\t"))}, "this one 480"},
        {{statistics({{5, "07"}})}, "line 6: '07' is not a count"},
        {{statistics({{5, "9223372036854775808"}})}, "'9223372036854775808' is more than 9223372036854775807"},
        {{statistics({{2, big}}), statistics({{2, big}})}, "line 3: the games of score 2 add up to more than"},
        {{statistics({{0, big}, {1, big}})}, "line 2: the games of all files add up to more than"},
        {{"1\t1\t0\t0\tdraw\n"}, "line 1: 'draw' is not an outcome"},
        {{"1\t1\t1\t0\twon\n"}, "a game won cannot leave 1 cells hidden"},
        {{"1\t1\t481\t0\tlost\n"}, "'481' is more than 480"},
        {{"1\t1\t3\t0\tlost\n1\t2\t3\t0\tlost"}, "line 2: the file ends inside it"},
        {{"1\t1\t3\t0\tlost\n", "1\t2\t3\t0\tlost\t0.5\n"}, "6 fields after 5 in the logs before"},
        {{"1\t1\t3\t0\tlost\tnan\n"}, "'nan' is not a chance"},
        {{"1\t1\t3\t0\tlost\t0.5\n1\t2\t3\t0\tlost\t0.5\t7\n"}, "line 2: a log line has 5 fields"},
        {{"1\t1\t3\t0\tlost\n", "1\t1\t3\t0\tlost\n"}, "game 1 of seed 1 is logged twice ('f0' line 1 and 'f1' line 1)"},
        {{"1\t1\t3\t0\tlost\n", statistics({{4, "1"}})}, "1 logged with score 3, 0 in the statistics files"},
        {{"1\t1\t3\t0\tlost\x1b[2J and a great deal more\n"}, "'lost?[2J and a great dea...' is not an outcome"},
    };
    for (const auto& [files, problem] : cases) {
        merge_input in = new_merge(480);
        std::string said;
        for (std::size_t i = 0; i < files.size() && said.empty(); i++)
            said = read_merge_file(in, "f" + std::to_string(i), files[i]);
        said = said.empty() ? finish_merge(in) : said;
        EXPECT_TRUE(problem.empty() ? said.empty() : said.find(problem) != std::string::npos)
            << "said: " << said << "\nexpected: " << problem;
        EXPECT_EQ(said.find('\n'), std::string::npos) << said;
    }
}
