// Where Hangman's letter tiles, count, buttons and stop sign stand in its client area, in pixels at 100 %
// scale. The window is built from these, and the benchmark and the end-to-end tests click and watch by them.
#pragma once

#include "forms/units.h"

namespace hangman::layout {

constexpr QSize ClientTwips(9675, 7815);

// The letter tiles stand in one row, each a little wider than its step, so neighbours overlap slightly.
constexpr QRect tile(int index) {
    constexpr int Left = 120;
    constexpr int Step = 360;
    return forms::rectTw(Left + Step * index, 120, 375, 495);
}
constexpr quint32 TileColour = 0x00FF8080;

constexpr QRect CountArea = forms::rectTw(5640, 720, 3855, 3015);
constexpr QRect StopSign = forms::rectTw(4080, 6120, 1500, 1500);
constexpr QRect TryAgainButton = forms::rectTw(120, 6240, 3495, 1335);
constexpr QRect DifficultyButton = forms::rectTw(6000, 6240, 3495, 1335);

} // namespace hangman::layout
