// The page's address: ?seed=S starts a replay of the games that
// orvanta-batch --seed S plays; &first=X,Y, &guess=0 and &rule=safest stand
// for its --first X,Y, --no-guess and --guess safest; &chances=1 turns Show
// Chances on.
#pragma once

// Each argument is the parameter's text, or null when the address has none.
// A bad one is named in the status bar (short enough for part 0: the seed
// is 0 to 4294967295, the first cell X,Y inside the field, guess 0 or 1, the
// rule a row's name of the rules table, chances 0 or 1), and the page then
// starts as without the address. Called once at start: the page takes the
// saved statistics then, unless it replays.
extern "C" void web_read_address(const char* seed, const char* first, const char* guess, const char* rule,
                                 const char* chances);
