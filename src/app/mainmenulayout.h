// Where the main menu's controls stand in its client area, in pixels at 100 % scale. The window is built
// from these, and the benchmark and the end-to-end tests click by them.
#pragma once

#include "forms/units.h"

namespace mainmenu::layout {

constexpr QSize ClientTwips(7140, 5325);
constexpr QSize Client = forms::sizeTw(ClientTwips.width(), ClientTwips.height());
constexpr QRect ABCButton = forms::rectTw(240, 240, 2415, 1335);
constexpr QRect WordpotButton = forms::rectTw(4440, 240, 2415, 1335);
constexpr QRect HangmanButton = forms::rectTw(4440, 3720, 2415, 1335);
constexpr QRect StopSign = forms::rectTw(600, 3600, 1500, 1500);

} // namespace mainmenu::layout
