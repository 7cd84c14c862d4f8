// Drawing the histogram as SVG: plain text, no library.
#include "batch/plot.h"

#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <numeric>
#include <vector>

namespace {

inline constexpr int WIDTH = 960;
inline constexpr int HEIGHT = 540;
inline constexpr int LEFT = 80;  // plot area inside the margins
inline constexpr int RIGHT = 30;
inline constexpr int TOP = 80;
inline constexpr int BOTTOM = 70;
inline constexpr int X_TICK = 40;  // cells between labels on the x axis
inline constexpr int BIN = 4;      // cells per bar: wide enough bars to see

const char* const OUTCOME_COLOURS[OUTCOME_COUNT] = {"#2e9d57", "#d9463e", "#4a7fc1", "#f0a030"};
const char* const OUTCOME_LABELS[OUTCOME_COUNT] = {"won", "lost", "unsolved", "no-start"};

// A round step for about five labels up to top (never below 1 game).
int64_t tick_step(int64_t top)
{
    double raw = std::max(1.0, double(top) / 5);
    double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    for (double factor : {1.0, 2.0, 5.0, 10.0})
        if (factor * magnitude >= raw)
            return int64_t(factor * magnitude);
    return int64_t(10 * magnitude);
}

}  // namespace

std::string histogram_svg(const game_tally& total, int n)
{
    int bins = n / BIN + 1;
    std::vector<std::array<int64_t, OUTCOME_COUNT>> binned(bins);
    for (int s = 0; s <= n; s++)
        for (int o = 0; o < OUTCOME_COUNT; o++)
            binned[s / BIN][o] += total.by_score[o][s];
    int64_t tallest = 1;
    for (const auto& bar : binned)
        tallest = std::max(tallest, std::accumulate(bar.begin(), bar.end(), int64_t(0)));
    int64_t step = tick_step(tallest);
    int64_t top = (tallest + step - 1) / step * step;
    double plot_width = WIDTH - LEFT - RIGHT;
    double plot_height = HEIGHT - TOP - BOTTOM;
    double cell_width = plot_width / (bins * BIN);
    double bottom = TOP + plot_height;
    auto x_of = [&](int score) { return LEFT + score * cell_width; };
    auto y_of = [&](int64_t games) { return bottom - plot_height * double(games) / double(top); };

    int64_t games = total.finished;
    int64_t totals[OUTCOME_COUNT];
    for (int o = 0; o < OUTCOME_COUNT; o++)
        totals[o] = outcome_total(total, game_outcome(o));
    std::string svg = fmt::format(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"{0}\" height=\"{1}\" viewBox=\"0 0 {0} {1}\" "
        "font-family=\"sans-serif\" font-size=\"13\">\n"
        "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n",
        WIDTH, HEIGHT);
    std::string title = fmt::format("{} games: {} won ({:.1f}%), {} lost, {} unsolved, {} no-start", games,
                                    totals[OUTCOME_WON],
                                    games ? 100.0 * double(totals[OUTCOME_WON]) / double(games) : 0.0,
                                    totals[OUTCOME_LOST], totals[OUTCOME_UNSOLVED], totals[OUTCOME_NOSTART]);
    svg += fmt::format("<title>{}</title>\n", title);
    svg += fmt::format(
        "<text x=\"{}\" y=\"32\" text-anchor=\"middle\" font-size=\"18\" font-weight=\"bold\">{}</text>\n",
        WIDTH / 2, title);

    // Grid lines and labels of the games axis.
    for (int64_t g = 0; g <= top; g += step) {
        double y = y_of(g);
        svg += fmt::format("<line x1=\"{}\" y1=\"{:.1f}\" x2=\"{}\" y2=\"{:.1f}\" stroke=\"#dddddd\"/>\n", LEFT, y,
                           WIDTH - RIGHT, y);
        svg += fmt::format("<text x=\"{}\" y=\"{:.1f}\" text-anchor=\"end\">{}</text>\n", LEFT - 8, y + 4, g);
    }
    // The bars, stacked by outcome, a pixel apart.
    for (int b = 0; b < bins; b++) {
        int64_t below = 0;
        for (int o = 0; o < OUTCOME_COUNT; o++) {
            int64_t count = binned[b][o];
            if (!count)
                continue;
            svg += fmt::format("<rect x=\"{:.2f}\" y=\"{:.2f}\" width=\"{:.2f}\" height=\"{:.2f}\" fill=\"{}\"/>\n",
                               x_of(b * BIN) + 0.5, y_of(below + count), BIN * cell_width - 1,
                               y_of(below) - y_of(below + count), OUTCOME_COLOURS[o]);
            below += count;
        }
    }
    // The cells axis with its labels.
    svg += fmt::format("<line x1=\"{}\" y1=\"{:.1f}\" x2=\"{}\" y2=\"{:.1f}\" stroke=\"black\"/>\n", LEFT, bottom,
                       WIDTH - RIGHT, bottom);
    svg += fmt::format("<line x1=\"{0}\" y1=\"{1}\" x2=\"{0}\" y2=\"{2:.1f}\" stroke=\"black\"/>\n", LEFT, TOP,
                       bottom);
    for (int s = 0; s <= n; s += X_TICK) {
        svg += fmt::format("<line x1=\"{0:.1f}\" y1=\"{1:.1f}\" x2=\"{0:.1f}\" y2=\"{2:.1f}\" stroke=\"black\"/>\n",
                           x_of(s), bottom, bottom + 5);
        svg += fmt::format("<text x=\"{:.1f}\" y=\"{:.1f}\" text-anchor=\"middle\">{}</text>\n", x_of(s),
                           bottom + 20, s);
    }
    svg += fmt::format("<text x=\"{:.1f}\" y=\"{}\" text-anchor=\"middle\" font-size=\"15\">cells left hidden</text>\n",
                       LEFT + plot_width / 2, HEIGHT - 20);
    svg += fmt::format("<text transform=\"translate(24 {:.1f}) rotate(-90)\" text-anchor=\"middle\" "
                       "font-size=\"15\">games</text>\n",
                       TOP + plot_height / 2);
    // The won games named above their bar, and a legend with the totals.
    if (totals[OUTCOME_WON]) {
        int64_t first_bar = std::accumulate(binned[0].begin(), binned[0].end(), int64_t(0));
        svg += fmt::format("<text x=\"{:.1f}\" y=\"{:.1f}\" fill=\"{}\" font-weight=\"bold\">{} won</text>\n", x_of(0),
                           y_of(first_bar) - 6, OUTCOME_COLOURS[OUTCOME_WON], totals[OUTCOME_WON]);
    }
    svg += fmt::format("<text x=\"{}\" y=\"{}\" fill=\"#666666\">each bar: {} scores</text>\n", LEFT, TOP - 22, BIN);
    double legend_x = WIDTH - RIGHT - 150.0 * int(OUTCOME_COUNT);
    for (int o = 0; o < OUTCOME_COUNT; o++) {
        double x = legend_x + 150.0 * o;
        svg += fmt::format("<rect x=\"{:.1f}\" y=\"{}\" width=\"12\" height=\"12\" fill=\"{}\"/>\n", x, TOP - 33,
                           OUTCOME_COLOURS[o]);
        svg += fmt::format("<text x=\"{:.1f}\" y=\"{}\">{}: {}</text>\n", x + 17, TOP - 22, OUTCOME_LABELS[o],
                           totals[o]);
    }
    svg += "</svg>\n";
    return svg;
}
