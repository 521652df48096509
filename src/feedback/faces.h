// The feedback windows' animations: which sound and which face each timer tick brings. Plain tables, no
// widgets; the face window plays them, and the tick after the last step closes it.
#pragma once

#include "media/mediafile.h"

#include <array>
#include <QList>

namespace feedback {

constexpr int TickIntervalMs = 1000;

// One tick of an animation; a null name means nothing of that kind on this tick.
struct FaceStep {
    const char* sound;
    const char* picture;
};

// Ticks are numbered from 1. The happy window starts each sound before it changes the face.
constexpr std::array<FaceStep, 5> HappySteps = {{
    {"/gotit.wav", "\\face03.ico"},
    {nullptr, "\\face02.ico"},
    {"/gotit.wav", "\\face05.ico"},
    {nullptr, "\\face02.ico"},
    {"/gotit.wav", "\\face03.ico"},
}};

// The sad window changes the face before it starts the sound.
constexpr std::array<FaceStep, 3> SadSteps = {{
    {"\\uhoh.wav", "\\face04.ico"},
    {nullptr, "\\face01.ico"},
    {"\\uhoh.wav", "\\face04.ico"},
}};

// Every media file the two windows can ask for, each once.
QList<MediaFile> mediaFiles();

} // namespace feedback
