// The statistics across reloads: the four counters and the histogram, kept
// in the browser's storage, and offered as the statistics file.
#pragma once

// Takes the saved statistics, if any, as this page's own, and from then on
// saves its games. A replay never calls it: its games are not kept.
void load_statistics();

// Saves them as they are now (nothing once Exit has released them, nor
// before load_statistics()).
void save_statistics();

extern "C" {
void web_save_statistics();
// Offers the statistics file as it stands (after Exit, the one Exit wrote).
void web_download_statistics();
}
