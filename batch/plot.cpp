// Drawing the histogram as SVG: plain text, no library.
#include "batch/plot.h"

#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <numeric>
#include <vector>

#include "engine/guess_rules.h"

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
// A comparison's bars in the order its rules were named.
const char* const RULE_COLOURS[] = {"#8a8a8a", "#2e9d57", "#4a7fc1", "#f0a030"};
static_assert(std::size(RULE_COLOURS) >= GUESS_RULE_COUNT);

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

// Where scores and game counts go on the page.
struct frame {
    int n;
    int bins;
    int64_t step;  // games between grid lines
    int64_t top;   // games at the top of the plot area
    double plot_width;
    double plot_height;
    double cell_width;
    double bottom;

    double x_of(int score) const { return LEFT + score * cell_width; }
    double y_of(int64_t games) const { return bottom - plot_height * double(games) / double(top); }
};

frame frame_for(int n, int64_t tallest)
{
    frame f{n, n / BIN + 1, tick_step(tallest), 0, WIDTH - LEFT - RIGHT, HEIGHT - TOP - BOTTOM, 0, 0};
    f.top = (tallest + f.step - 1) / f.step * f.step;
    f.cell_width = f.plot_width / (f.bins * BIN);
    f.bottom = TOP + f.plot_height;
    return f;
}

// Each bin's games by outcome.
std::vector<std::array<int64_t, OUTCOME_COUNT>> binned(const game_tally& total, int n)
{
    std::vector<std::array<int64_t, OUTCOME_COUNT>> bars(n / BIN + 1);
    for (int s = 0; s <= n; s++)
        for (int o = 0; o < OUTCOME_COUNT; o++)
            bars[s / BIN][o] += total.by_score[o][s];
    return bars;
}

int64_t bar_total(const std::array<int64_t, OUTCOME_COUNT>& bar)
{
    return std::accumulate(bar.begin(), bar.end(), int64_t(0));
}

// The document up to the plot: size, background and the title.
std::string opening(const std::string& title)
{
    std::string svg = fmt::format(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"{0}\" height=\"{1}\" viewBox=\"0 0 {0} {1}\" "
        "font-family=\"sans-serif\" font-size=\"13\">\n"
        "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n",
        WIDTH, HEIGHT);
    svg += fmt::format("<title>{}</title>\n", title);
    svg += fmt::format(
        "<text x=\"{}\" y=\"32\" text-anchor=\"middle\" font-size=\"18\" font-weight=\"bold\">{}</text>\n",
        WIDTH / 2, title);
    return svg;
}

// Grid lines and labels of the games axis.
std::string grid(const frame& f)
{
    std::string svg;
    for (int64_t g = 0; g <= f.top; g += f.step) {
        double y = f.y_of(g);
        svg += fmt::format("<line x1=\"{}\" y1=\"{:.1f}\" x2=\"{}\" y2=\"{:.1f}\" stroke=\"#dddddd\"/>\n", LEFT, y,
                           WIDTH - RIGHT, y);
        svg += fmt::format("<text x=\"{}\" y=\"{:.1f}\" text-anchor=\"end\">{}</text>\n", LEFT - 8, y + 4, g);
    }
    return svg;
}

std::string bar(double x, double y, double width, double height, const char* colour)
{
    return fmt::format("<rect x=\"{:.2f}\" y=\"{:.2f}\" width=\"{:.2f}\" height=\"{:.2f}\" fill=\"{}\"/>\n", x, y,
                       width, height, colour);
}

// Both axes with their labels, and the note on the bars' width.
std::string axes(const frame& f)
{
    std::string svg = fmt::format("<line x1=\"{}\" y1=\"{:.1f}\" x2=\"{}\" y2=\"{:.1f}\" stroke=\"black\"/>\n", LEFT,
                                  f.bottom, WIDTH - RIGHT, f.bottom);
    svg += fmt::format("<line x1=\"{0}\" y1=\"{1}\" x2=\"{0}\" y2=\"{2:.1f}\" stroke=\"black\"/>\n", LEFT, TOP,
                       f.bottom);
    for (int s = 0; s <= f.n; s += X_TICK) {
        svg += fmt::format("<line x1=\"{0:.1f}\" y1=\"{1:.1f}\" x2=\"{0:.1f}\" y2=\"{2:.1f}\" stroke=\"black\"/>\n",
                           f.x_of(s), f.bottom, f.bottom + 5);
        svg += fmt::format("<text x=\"{:.1f}\" y=\"{:.1f}\" text-anchor=\"middle\">{}</text>\n", f.x_of(s),
                           f.bottom + 20, s);
    }
    svg += fmt::format("<text x=\"{:.1f}\" y=\"{}\" text-anchor=\"middle\" font-size=\"15\">cells left hidden</text>\n",
                       LEFT + f.plot_width / 2, HEIGHT - 20);
    svg += fmt::format("<text transform=\"translate(24 {:.1f}) rotate(-90)\" text-anchor=\"middle\" "
                       "font-size=\"15\">games</text>\n",
                       TOP + f.plot_height / 2);
    return svg;
}

std::string bin_note()
{
    return fmt::format("<text x=\"{}\" y=\"{}\" fill=\"#666666\">each bar: {} scores</text>\n", LEFT, TOP - 22, BIN);
}

// Legend entries of the given width from the right edge leftwards.
std::string legend(const std::vector<std::pair<const char*, std::string>>& entries, double spacing)
{
    std::string svg;
    double legend_x = WIDTH - RIGHT - spacing * double(entries.size());
    for (std::size_t i = 0; i < entries.size(); i++) {
        double x = legend_x + spacing * double(i);
        svg += fmt::format("<rect x=\"{:.1f}\" y=\"{}\" width=\"12\" height=\"12\" fill=\"{}\"/>\n", x, TOP - 33,
                           entries[i].first);
        svg += fmt::format("<text x=\"{:.1f}\" y=\"{}\">{}</text>\n", x + 17, TOP - 22, entries[i].second);
    }
    return svg;
}

double won_rate(const game_tally& total)
{
    int64_t games = total.finished;
    return games ? 100.0 * double(outcome_total(total, OUTCOME_WON)) / double(games) : 0.0;
}

}  // namespace

std::string histogram_svg(const game_tally& total, int n)
{
    auto bars = binned(total, n);
    int64_t tallest = 1;
    for (const auto& b : bars)
        tallest = std::max(tallest, bar_total(b));
    frame f = frame_for(n, tallest);
    int64_t totals[OUTCOME_COUNT];
    for (int o = 0; o < OUTCOME_COUNT; o++)
        totals[o] = outcome_total(total, game_outcome(o));
    std::string svg = opening(fmt::format("{} games: {} won ({:.1f}%), {} lost, {} unsolved, {} no-start",
                                          total.finished, totals[OUTCOME_WON], won_rate(total), totals[OUTCOME_LOST],
                                          totals[OUTCOME_UNSOLVED], totals[OUTCOME_NOSTART]));
    svg += grid(f);
    // The bars, stacked by outcome, a pixel apart.
    for (int b = 0; b < f.bins; b++) {
        int64_t below = 0;
        for (int o = 0; o < OUTCOME_COUNT; o++) {
            int64_t count = bars[b][o];
            if (!count)
                continue;
            svg += bar(f.x_of(b * BIN) + 0.5, f.y_of(below + count), BIN * f.cell_width - 1,
                       f.y_of(below) - f.y_of(below + count), OUTCOME_COLOURS[o]);
            below += count;
        }
    }
    svg += axes(f);
    // The won games named above their bar, and a legend with the totals.
    if (totals[OUTCOME_WON])
        svg += fmt::format("<text x=\"{:.1f}\" y=\"{:.1f}\" fill=\"{}\" font-weight=\"bold\">{} won</text>\n",
                           f.x_of(0), f.y_of(bar_total(bars[0])) - 6, OUTCOME_COLOURS[OUTCOME_WON],
                           totals[OUTCOME_WON]);
    svg += bin_note();
    std::vector<std::pair<const char*, std::string>> entries;
    for (int o = 0; o < OUTCOME_COUNT; o++)
        entries.emplace_back(OUTCOME_COLOURS[o], fmt::format("{}: {}", OUTCOME_LABELS[o], totals[o]));
    svg += legend(entries, 150.0);
    return svg + "</svg>\n";
}

std::string comparison_svg(std::span<const game_tally> sides, const std::vector<int>& rules, int n)
{
    int columns = int(rules.size());
    std::vector<std::vector<std::array<int64_t, OUTCOME_COUNT>>> bars;
    for (int r = 0; r < columns; r++)
        bars.push_back(binned(sides[r], n));
    int64_t tallest = 1;
    for (const auto& side : bars)
        for (const auto& b : side)
            tallest = std::max(tallest, bar_total(b));
    frame f = frame_for(n, tallest);
    std::string rates;
    for (int r = 0; r < columns; r++)
        rates += fmt::format("{}{} won {:.1f}%", r ? ", " : "", GUESS_RULES[rules[r]].name, won_rate(sides[r]));
    std::string svg = opening(fmt::format("{} games with each guessing rule: {}", sides[0].finished, rates));
    svg += grid(f);
    // Each bin's bars side by side, in the order the rules were named.
    double width = BIN * f.cell_width / columns;
    for (int b = 0; b < f.bins; b++)
        for (int r = 0; r < columns; r++) {
            int64_t count = bar_total(bars[r][b]);
            if (count)
                svg += bar(f.x_of(b * BIN) + 0.5 + r * width, f.y_of(count), width - 0.5, f.bottom - f.y_of(count),
                           RULE_COLOURS[r]);
        }
    svg += axes(f);
    svg += bin_note();
    std::vector<std::pair<const char*, std::string>> entries;
    for (int r = 0; r < columns; r++)
        entries.emplace_back(RULE_COLOURS[r], fmt::format("{}: {} won ({:.1f}%)", GUESS_RULES[rules[r]].name,
                                                          outcome_total(sides[r], OUTCOME_WON), won_rate(sides[r])));
    svg += legend(entries, std::min(220.0, 660.0 / columns));
    return svg + "</svg>\n";
}
