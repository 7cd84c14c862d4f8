// The engine's only calls towards the display; the driver's bridge defines them.
#pragma once

void callback_display_minefield(int x, int y);            // redraw one cell, no wait
void callback_display_status(const char* text, int level);  // shown when level < verbose
void callback_display_error(const char* text);             // always shown
void callback_delay();                                     // the Go Slow pause after a flag
void callback_guess(int index);                            // a rule is about to open the hidden cell at index
