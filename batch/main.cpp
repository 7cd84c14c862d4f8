// orvanta-batch: plays minesweeper games without a window and reports how they ended.
#include <cstdio>
#include <string>

#include "batch/chances.h"
#include "batch/merge.h"
#include "batch/options.h"
#include "batch/runner.h"
#include "driver/state.h"
#include "version.h"

int main(int argc, char** argv)
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
        std::fprintf(stderr, "orvanta-batch: %s (see --help)\n", error.c_str());
        return 2;
    case PARSE_MERGE:
        return run_merge(options);
    case PARSE_CHANCES:
        return run_chances(options);
    case PARSE_RUN:
        break;
    }
    return run_batch(options);
}
