// orvanta-batch: plays minesweeper games without a window and reports how they ended.
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>

#include "batch/merge.h"
#include "batch/options.h"
#include "batch/report.h"
#include "batch/runner.h"
#include "driver/state.h"
#include "version.h"

namespace {

inline constexpr int EXIT_BAD_INPUT = 2;

int run(int argc, char** argv)
{
    set_start_values();
    batch_options options;
    std::string error;
    switch (parse_options(argc, argv, options, error)) {
    case PARSE_HELP:
        std::fputs(usage_text().c_str(), stdout);
        return 0;
    case PARSE_VERSION:
        std::puts("orvanta-batch " ORVANTA_VERSION);
        return 0;
    case PARSE_ERROR:
        return complain(error + " (see --help)", EXIT_BAD_INPUT);
    case PARSE_MERGE:
        return run_merge(options);
    case PARSE_RUN:
        break;
    }
    return run_batch(options);
}

}  // namespace

int main(int argc, char** argv)
{
    // A write past the file-size limit then fails ("File too large") and is
    // reported as any failed write, instead of ending the program unheard.
    std::signal(SIGXFSZ, SIG_IGN);
    int status = run(argc, argv);
    // The summary and the help are still in the stream's buffer: a full
    // disk or a closed pipe shows only now.
    errno = 0;
    if (std::fflush(stdout) != 0 || std::ferror(stdout))
        status = complain(cannot_write("-", std::strerror(errno ? errno : EIO)), EXIT_BAD_INPUT);
    return status;
}
