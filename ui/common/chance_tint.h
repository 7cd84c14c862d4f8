// The tint over a hidden tile with Show Chances on: from blue at 0% to orange
// at 100% (a pair that people with any common colour blindness tell apart),
// half covering the tile. The page's script follows the same two colours.
#pragma once

#include <cstdint>

struct tint_colour {
    uint8_t red;
    uint8_t green;
    uint8_t blue;
};

inline constexpr tint_colour SAFE_TINT = {0x00, 0x72, 0xB2};
inline constexpr tint_colour MINE_TINT = {0xE6, 0x9F, 0x00};
inline constexpr uint8_t TINT_ALPHA = 0x80;

inline tint_colour chance_tint(float chance)
{
    auto mix = [chance](uint8_t safe, uint8_t mine) { return uint8_t(safe + (mine - safe) * chance + 0.5f); };
    return {mix(SAFE_TINT.red, MINE_TINT.red), mix(SAFE_TINT.green, MINE_TINT.green),
            mix(SAFE_TINT.blue, MINE_TINT.blue)};
}
