// printf-style formatting into a std::string, checked by the compiler.
#pragma once

#include <string>

__attribute__((format(printf, 1, 2))) std::string format(const char* pattern, ...);
