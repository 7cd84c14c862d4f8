// libFuzzer target: the position reader of orvanta-batch chances on any
// bytes. It must answer every input with one printable line or accept it,
// and an accepted position must say back the rows it read.
#include <cstdint>
#include <string>

#include "batch/position_reader.h"
#include "tests/fuzz/check.h"
#include "engine/board.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string bytes(reinterpret_cast<const char*>(data), size);
    position p;
    std::string problem = read_position(bytes, p);
    for (char c : problem)
        check(c >= ' ' && c <= '~');
    if (!problem.empty())
        return 0;
    check(int(p.cells.size()) == p.field.width * p.field.height);
    // The rows again, as the file gave them without its CRs.
    std::string rows;
    for (std::size_t i = 0; i < p.cells.size(); i++) {
        int32_t v = p.cells[i];
        rows += v >= 0 ? char('0' + v) : v == CELL_FLAGGED ? 'F' : '.';
        if ((i + 1) % std::size_t(p.field.width) == 0)
            rows += '\n';
    }
    std::string given;
    for (char c : bytes.substr(bytes.find('\n') + 1))
        if (c != '\r')
            given += c;
    if (given.empty() || given.back() != '\n')
        given += '\n';
    check(rows == given);
    return 0;
}
