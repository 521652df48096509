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

constexpr QRect PictureArea = forms::rectTw(3120, 1920, 3135, 3135);

// Four light-blue pairs, then four red ones, each red pair 120 twips right of and below its blue copy.
constexpr int BigLetterCopies = 4;
constexpr std::array<QRect, 2 * BigLetterCopies> BigLetterAreas{
    forms::rectTw(240, 600, 2535, 2175),  forms::rectTw(6840, 480, 2535, 2175),
    forms::rectTw(120, 4920, 2535, 2055), forms::rectTw(6720, 5040, 2535, 2175),
    forms::rectTw(360, 720, 2655, 2175),  forms::rectTw(6960, 600, 2655, 2175),
    forms::rectTw(240, 5040, 2655, 2055), forms::rectTw(6840, 5160, 2655, 2175),
};

} // namespace abc::layout
