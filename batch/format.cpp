// format(): vsnprintf into a string of the right length.
#include "batch/format.h"

#include <cstdarg>
#include <cstdio>

std::string format(const char* pattern, ...)
{
    va_list values;
    va_start(values, pattern);
    va_list again;
    va_copy(again, values);
    int length = std::vsnprintf(nullptr, 0, pattern, values);
    va_end(values);
    std::string text(length > 0 ? std::size_t(length) : 0, '\0');
    std::vsnprintf(text.data(), text.size() + 1, pattern, again);
    va_end(again);
    return text;
}
