// The display bridge: every cell change, new field, status and statistics
// text leaves the engine and the game loop through here. Everything is
// silent while killthread is set.
#pragma once

inline constexpr int STATUS_TEXT_SIZE = 64;  // 63 characters and the NUL
inline constexpr int GO_SLOW_FLAG_PAUSE_MS = 500;

extern char glob_status[STATUS_TEXT_SIZE];  // last status text, shown in part 0
extern char szText[STATUS_TEXT_SIZE];       // last statistics text, shown in part 1

void print_new_field();
void print_status(const char* text);  // a longer text is cut to 63 characters
void print_stats();

// Copies glob_status whole, as a repaint shows it, without a torn read.
void copy_glob_status(char out[STATUS_TEXT_SIZE]);
