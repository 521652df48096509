// Where the spelling game's picture and buttons stand in its client area, in pixels at 100 % scale (the
// board's letters are in wordlist.h). The window is built from these, and the benchmark clicks by them.
#pragma once

#include "forms/units.h"

namespace wordpot::layout {

constexpr QSize ClientTwips(11910, 7395);
constexpr QRect WordPicture = forms::rectTw(9000, 0, 2775, 3255);
constexpr QRect GuessButton = forms::rectTw(9240, 6120, 2535, 1215);
constexpr QRect StopButton = forms::rectTw(120, 5760, 1935, 1575);

} // namespace wordpot::layout
