// Every hidden cell's chance of holding a mine, given what the board shows.
#pragma once

// Results of compute_chances().
inline constexpr int CHANCES_EXACT = 1;
inline constexpr int CHANCES_ESTIMATED = 0;  // a group of cells was too large to count exactly
inline constexpr int CHANCES_IMPOSSIBLE = -1;  // no arrangement of the mines fits the board

// Sets chance_per_cell[x + y * xdim], for each of the xdim * ydim cells of
// the board, to the chance that the cell holds a mine, or to -1 for opened
// and flagged cells. Every arrangement of the mines left (mines less flags)
// over the hidden unflagged cells that agrees with every number counts once.
// When none does, every hidden unflagged cell gets the mines left over those
// cells. Solver thread only: it reads the board as it stands.
int compute_chances(double* chance_per_cell);
