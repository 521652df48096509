// Where the letter explorer's tiles, picture and big letters stand in its client area, in pixels at 100 %
// scale. The window is built from these, and the benchmark clicks and watches by them.
#pragma once

#include "forms/units.h"

#include <array>

namespace abc::layout {

constexpr QSize ClientTwips(9690, 7440);

// The 26 letter tiles, "A" to "Z", in one row along the top.
constexpr int TileCount = 26;
constexpr QRect tile(int index) {
    constexpr int Left = 120;
    constexpr int Step = 360;
    return forms::rectTw(Left + Step * index, 0, 375, 495);
}

// A word list's letters: the designed row for up to 26, and for more, narrower tiles across the same width
// with letters as much smaller.
constexpr double TilePoints = 18;
constexpr QRect listTile(int index, int count) {
    if (count <= TileCount)
        return tile(index);
    const QRect first = tile(0);
    const int overlap = first.right() + 1 - tile(1).left();
    const int span = tile(TileCount - 1).right() + 1 - first.left() - overlap;
    const int left = first.left() + span * index / count;
    return {left, first.top(), first.left() + span * (index + 1) / count - left + overlap, first.height()};
}
constexpr double listTilePoints(int count) {
    return count <= TileCount ? TilePoints : TilePoints * TileCount / count;
}

constexpr QRect PictureArea = forms::rectTw(3120, 1920, 3135, 3135);
// The picture's word, shown under it when the picture is clicked.
constexpr QRect WordCaption = forms::rectTw(3480, 5160, 2535, 1575);

// Four light-blue pairs, then four red ones, each red pair 120 twips right of and below its blue copy.
constexpr int BigLetterCopies = 4;
constexpr std::array<QRect, 2 * BigLetterCopies> BigLetterAreas{
    forms::rectTw(240, 600, 2535, 2175),  forms::rectTw(6840, 480, 2535, 2175),
    forms::rectTw(120, 4920, 2535, 2055), forms::rectTw(6720, 5040, 2535, 2175),
    forms::rectTw(360, 720, 2655, 2175),  forms::rectTw(6960, 600, 2655, 2175),
    forms::rectTw(240, 5040, 2655, 2055), forms::rectTw(6840, 5160, 2655, 2175),
};

} // namespace abc::layout
