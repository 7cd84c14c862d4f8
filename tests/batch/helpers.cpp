// The batch tests' helpers.
#include "tests/batch/helpers.h"

#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "driver/state.h"

std::string read_stream(std::FILE* file)
{
    std::string text;
    char buffer[4096];
    std::rewind(file);
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        text.append(buffer, got);
    return text;
}

std::string read_file(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void write_file(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

std::vector<std::string> split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(separator, start)) != std::string::npos; start = end + 1)
        parts.push_back(text.substr(start, end - start));
    parts.push_back(text.substr(start));
    return parts;
}

std::vector<std::string> lines_of(const std::string& text)
{
    std::vector<std::string> lines = split(text, '\n');
    if (!lines.empty() && lines.back().empty())
        lines.pop_back();
    return lines;
}

void BatchTest::SetUp()
{
    set_start_values();
    stop_solving = 0;
    killthread = 0;
}

worker_plan BatchTest::plan(int64_t games)
{
    worker_plan plan{};
    plan.seed = TEST_SEED;
    plan.games = games;
    plan.verbose = 2;
    plan.tally = &tally;
    return plan;
}

void BatchTest::play(worker_plan share, bool with_log, bool with_trace)
{
    std::FILE* log = with_log ? std::tmpfile() : nullptr;
    std::FILE* trace = with_trace ? std::tmpfile() : nullptr;
    share.log = log;
    share.trace = trace;
    ASSERT_TRUE(play_share(share));
    if (log) {
        log_text = read_stream(log);
        std::fclose(log);
    }
    if (trace) {
        trace_text = read_stream(trace);
        std::fclose(trace);
    }
}

void TempDirTest::SetUp()
{
    char pattern[] = "/tmp/orvanta-batch-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir = pattern;
}

void TempDirTest::TearDown()
{
    std::filesystem::remove_all(dir);
}

std::vector<std::string> TempDirTest::names() const
{
    std::vector<std::string> found;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        found.push_back(entry.path().filename().string());
    std::sort(found.begin(), found.end());
    return found;
}
