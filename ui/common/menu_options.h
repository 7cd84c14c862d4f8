// The Edit menu's options: which flag each of their commands toggles.
#pragma once

#include <atomic>
#include <cstdint>

// The flag that command id toggles, or null when id is no option.
std::atomic<int32_t>* option_of(int id);
