// Reading "WxH/M" and the whole numbers in it.
#include "batch/field.h"

#include <fmt/format.h>

#include <charconv>
#include <cstdint>

#include "engine/kept_counts.h"

namespace {

// text as a message quotes it, as the merge reader does: a byte outside
// printable ASCII as '?', so that the message cannot steer a terminal.
std::string ascii_text(const std::string& text)
{
    std::string out;
    for (char c : text)
        out += c >= ' ' && c <= '~' ? c : '?';
    return out;
}

}  // namespace

// A whole decimal number within [low, high].
std::string read_number(const std::string& text, int64_t low, int64_t high, int64_t& value)
{
    const char* end = text.data() + text.size();
    auto [stop, status] = std::from_chars(text.data(), end, value);
    if (status == std::errc() && stop == end && value >= low && value <= high)
        return "";
    if ((status == std::errc() || status == std::errc::result_out_of_range) && stop == end && !text.empty())
        return fmt::format("'{}' is out of range ({} to {})", text, low, high);
    return fmt::format("'{}' is not a whole number", ascii_text(text));
}

std::string read_field_size(const std::string& text, field_size& field)
{
    std::size_t cross = text.find('x');
    std::size_t slash = text.find('/');
    if (cross == std::string::npos || slash == std::string::npos || slash < cross)
        return fmt::format("'{}' is not a field WxH/M (width x height / mines)", ascii_text(text));
    int64_t width = 0;
    int64_t height = 0;
    int64_t count = 0;
    std::string problem = read_number(text.substr(0, cross), 1, MAX_CELLS, width);
    if (problem.empty())
        problem = read_number(text.substr(cross + 1, slash - cross - 1), 1, MAX_CELLS, height);
    if (problem.empty())
        problem = read_number(text.substr(slash + 1), 0, MAX_CELLS, count);
    if (!problem.empty())
        return problem;
    if (width * height > MAX_CELLS)
        return fmt::format("'{}' has {} cells, more than the {} a field may have", text, width * height, MAX_CELLS);
    if (count > width * height - 2)
        return fmt::format("'{}' has {} mines: at most {} on {} cells (the first cell and one more stay safe)", text,
                           count, width * height - 2, width * height);
    field = {int(width), int(height), int(count)};
    return "";
}
