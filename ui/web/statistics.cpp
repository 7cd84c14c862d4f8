// The statistics as one row of numbers: games, wins, no-starts, guesses, then
// the histogram's xdim * ydim + 1 counts.
#include "ui/web/statistics.h"

#include <emscripten.h>

#include <string>
#include <vector>

#include "driver/shutdown.h"
#include "driver/state.h"
#include "engine/board.h"
#include "ui/web/page.h"

namespace {
constexpr int COUNTERS = 4;
bool kept;  // this page's games are added to the saved statistics

int row_length()
{
    return COUNTERS + xdim * ydim + 1;
}
}  // namespace

void load_statistics()
{
    kept = true;
    std::vector<int32_t> row(row_length());
    if (!page_load_statistics(row.data(), row_length()))
        return;
    games = row[0];
    num_wins = row[1];
    num_no_starts = row[2];
    num_guesses = row[3];
    for (int s = 0; s <= xdim * ydim; s++)
        scores[s] = row[COUNTERS + s];
}

void save_statistics()
{
    if (!kept || !scores)
        return;
    std::vector<int32_t> row{games, num_wins, num_no_starts, num_guesses};
    for (int s = 0; s <= xdim * ydim; s++)
        row.push_back(relaxed_load(scores[s]));
    page_save_statistics(row.data(), row_length());
}

EMSCRIPTEN_KEEPALIVE void web_save_statistics()
{
    save_statistics();
}

EMSCRIPTEN_KEEPALIVE void web_download_statistics()
{
    std::string failure = scores ? save_scores_file() : "";
    if (!failure.empty())
        page_message_box(nullptr, failure.c_str(), 1);
    else
        page_offer_download(SCORES_FILE);
}
