#include "media/global.h"

#include "media/inputgate.h"
#include "media/mediafolder.h"
#include "media/soundplayer.h"

namespace Global {
namespace {
PlayWaveHook& hook() {
    static PlayWaveHook current;
    return current;
}
} // namespace

bool PlayWave(const MediaFile& path, bool wait) {
    if (hook())
        return hook()(path, wait);
    return SoundPlayer::instance().play(MediaFolder::resolve(path), wait);
}

void StartSound() {
    SoundPlayer::instance().open();
    InputGate::install();
}

void StopSound() {
    SoundPlayer::instance().close();
}

void setPlayWaveHookForTesting(PlayWaveHook newHook) {
    hook() = std::move(newHook);
}

} // namespace Global
