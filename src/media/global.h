// Global: the one code module every window shares. It owns the sound helper PlayWave and the flag its
// callers pass as the wait argument.
#pragma once

#include "media/mediafile.h"

#include <functional>
#include <QLocale>
#include <QString>

namespace Global {

// The letter explorer and the spelling game's letter sounds pass it as wait; no sound of theirs is ever
// waited for.
inline constexpr bool WaitForSound = false;

// Plays a sound file of the media folder. wait = true returns when the sound has ended (the windows are
// repainted first and input given meanwhile is dropped); wait = false returns at once. The newest sound
// always cuts off the one still playing. A file that cannot be found or decoded plays the built-in alert
// instead and gives false; one that is there but cannot be decoded is named in one warning per run.
bool PlayWave(const MediaFile& path, bool wait);

// Plays a sound file of a word list (any path), as PlayWave plays the media folder's.
bool PlayFile(const QString& path, bool wait);

// Speaks text in a language through the desktop's speech service, for a word list's words and letters that
// come with no recording; it cuts off the sound still playing, as a sound cuts off speech. wait = true
// returns when it has been spoken (the windows repainted first, input given meanwhile dropped), never later
// than a phrase of its length could take. Silent, with one warning, where there is no service or no voice
// of the language.
bool Say(const QString& text, const QLocale& language, bool wait);
// Starts reaching the speech service in the background, for a window that will speak: the service takes a
// second or more to start, and a phrase asked for meanwhile could be lost.
void PrepareSpeech();

// Starts the sound player, which loads its libraries once the first window is on the screen, and starts
// dropping input given during blocking sounds.
void StartSound();
// Stops the sound player at the end of the run.
void StopSound();

// Tests watch or replace playback: while a hook is set, PlayWave and PlayFile call it instead of playing
// anything, and Say calls it with the name "say <language> <text>".
using PlayWaveHook = std::function<bool(const MediaFile& path, bool wait)>;
void setPlayWaveHookForTesting(PlayWaveHook hook);

} // namespace Global
