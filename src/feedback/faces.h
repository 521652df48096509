// The feedback windows' animations: which sound and which face each timer tick brings, and the tick on
// which each window closes. Plain tables; frmHappyFace and frmSadface play them.
#pragma once

#include <array>
#include <QStringList>

namespace feedback {

constexpr int TickIntervalMs = 1000;

// One tick of an animation; a null name means nothing of that kind on this tick.
struct FaceStep {
    const char* sound;
    const char* picture;
};

// Ticks are numbered from 1; the tick after the last step closes the window.
constexpr std::array<FaceStep, 5> HappySteps = {{
    {"/gotit.wav", "\\face03.ico"},
    {nullptr, "\\face02.ico"},
    {"/gotit.wav", "\\face05.ico"},
    {nullptr, "\\face02.ico"},
    {"/gotit.wav", "\\face03.ico"},
}};
constexpr int HappyClosingTick = int(HappySteps.size()) + 1;

constexpr std::array<FaceStep, 3> SadSteps = {{
    {"\\uhoh.wav", "\\face04.ico"},
    {nullptr, "\\face01.ico"},
    {"\\uhoh.wav", "\\face04.ico"},
}};
constexpr int SadClosingTick = int(SadSteps.size()) + 1;

// The step of a tick, or an empty step for a tick that has none.
template <std::size_t N> constexpr FaceStep stepAt(const std::array<FaceStep, N>& steps, int tick) {
    return tick >= 1 && tick <= int(N) ? steps[std::size_t(tick - 1)] : FaceStep{nullptr, nullptr};
}

// Every media file the two windows can ask for, each name once.
QStringList mediaFiles();

} // namespace feedback
