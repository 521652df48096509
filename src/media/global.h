// Global: the one code module every window shares. It owns the sound helper PlayWave, the flag its callers
// pass as the wait argument, and the way to the media folder.
#pragma once

#include <functional>
#include <QString>

namespace Global {

// False for the whole run; the letter explorer and the spelling game's letter sounds pass it as wait.
inline bool WaitForSound = false;

// Plays the wave file at a media path. wait = true returns when the sound has ended (the windows are
// repainted first and input given meanwhile is dropped); wait = false returns at once. The newest sound
// always cuts off the one still playing. A file that cannot be found or decoded plays the built-in alert
// instead and gives false.
bool PlayWave(const QString& path, bool wait);

// The media folder as the platform reports it; a media path is this followed directly by a name.
QString AppPath();

// Opens the audio device once, for the whole run, and starts dropping input given during blocking sounds.
void StartSound();
// Closes the audio device at the end of the run.
void StopSound();

// Tests watch or replace playback: while a hook is set, PlayWave calls it instead of playing anything.
using PlayWaveHook = std::function<bool(const QString& path, bool wait)>;
void setPlayWaveHookForTesting(PlayWaveHook hook);

} // namespace Global
