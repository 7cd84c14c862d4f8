// The statistics across reloads: the four counters and the histogram, kept
// in the browser's storage.
#pragma once

// Takes the saved statistics, if any, as this page's own; called at start.
void load_statistics();

// Saves them as they are now (nothing once Exit has released them).
void save_statistics();

extern "C" void web_save_statistics();
