// The merge subcommand: reads the files, writes the sums, prints the summary.
#include "batch/merge.h"

#include <sys/stat.h>

#include <fmt/format.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "batch/log_lines.h"
#include "batch/merge_reader.h"
#include "batch/report.h"
#include "driver/output_file.h"
#include "driver/shutdown.h"
#include "engine/board.h"

namespace {

inline constexpr int EXIT_BAD_INPUT = 2;

// The whole file and which file it is (however it was named), or false
// with the reason.
bool read_whole(const std::string& path, std::string& text, struct stat& identity, std::string& reason)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file || fstat(fileno(file), &identity) != 0) {
        reason = std::strerror(errno);
        if (file)
            std::fclose(file);
        return false;
    }
    char buffer[1 << 16];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
        text.append(buffer, got);
    bool read = !std::ferror(file);
    reason = read ? "" : std::strerror(errno);
    std::fclose(file);
    return read;
}

}  // namespace

int run_merge(const batch_options& options)
{
    int n = xdim * ydim;
    merge_input in = new_merge(n);
    std::vector<struct stat> read;
    for (const std::string& path : options.merge_files) {
        std::string text;
        std::string reason;
        struct stat identity;
        if (!read_whole(path, text, identity, reason))
            return complain(fmt::format("cannot read '{}': {}", path, reason), EXIT_BAD_INPUT);
        // Its games would count twice: a statistics file has no game numbers to tell.
        for (std::size_t i = 0; i < read.size(); i++)
            if (read[i].st_dev == identity.st_dev && read[i].st_ino == identity.st_ino)
                return complain(fmt::format("'{}' and '{}' are the same file", options.merge_files[i], path),
                                EXIT_BAD_INPUT);
        read.push_back(identity);
        std::string problem = read_merge_file(in, path, std::move(text));
        if (!problem.empty())
            return complain(fmt::format("'{}': {}", path, problem), EXIT_BAD_INPUT);
    }
    std::string problem = finish_merge(in);
    if (!problem.empty())
        return complain(problem, EXIT_BAD_INPUT);
    if (!options.log_path.empty() && !in.log_files)
        return complain("--log: none of the files to merge is a log", EXIT_BAD_INPUT);

    output_file scores;
    output_file log;
    std::string reason;
    if (!open_output(scores, options.scores_path, reason))
        return complain(cannot_write(options.scores_path, reason), EXIT_BAD_INPUT);
    if (!options.log_path.empty() && !open_output(log, options.log_path, reason))
        return complain(cannot_write(options.log_path, reason), EXIT_BAD_INPUT);
    if (log.file)
        write_in_lines(log.file);
    if (log.file)
        for (const log_entry& entry : in.entries)
            put_line(log.file, std::string_view(in.texts[entry.file]).substr(entry.start, entry.length));
    // The log first: a statistics file replaced while its log could not be
    // written would no longer match the log beside it.
    if (log.file && !commit_output(log, reason))
        return complain(cannot_write(options.log_path, reason), EXIT_BAD_INPUT);
    std::vector<int64_t> counts = merged_counts(in);
    if (!write_scores_file(scores, counts.data(), n, reason))
        return complain(cannot_write(options.scores_path, reason), EXIT_BAD_INPUT);

    game_tally total = in.logged;
    if (!in.log_files) {
        total.by_score[OUTCOME_WON][0] = counts[0];
        for (int64_t count : counts)
            total.finished += count;
    }
    std::string summary = merged_text(total, int(options.merge_files.size()), in.log_files > 0);
    std::fputs(summary.c_str(), options.log_path == "-" ? stderr : stdout);
    return 0;
}
