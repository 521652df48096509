// Where a game's letter tiles and word slots stand, in twips: the window's own design for the 26 tiles of
// A to Z and words of up to seven letters, and for a larger alphabet or longer words more tiles, in two
// rows, and narrower slots with smaller letters, all within the same window and clear of the circles.
#pragma once

#include <optional>
#include <QRect>
#include <vector>

namespace hangman {

struct Layout {
    std::vector<QRect> tiles;
    double tilePoints = 0;
    int countDrop = 0; // how far the count of chances moves down to clear a second row of tiles
    std::vector<QRect> wordSlots;
    double slotPoints = 0;
};

// The most tiles and the most slots a layout holds.
inline constexpr int MostTiles = 52;
inline constexpr int MostSlots = 12;

// The layout for an alphabet of this many letters and words of at most this many places; nothing when
// either will not fit.
std::optional<Layout> layoutFor(int tileCount, int longestWord);

} // namespace hangman
