#include "media/global.h"

#include "media/inputgate.h"
#include "media/mediafolder.h"
#include "media/soundplayer.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>

namespace Global {
namespace {
PlayWaveHook& hook() {
    static PlayWaveHook current;
    return current;
}

constexpr int ReleaseAfterPaintMs = 100;

// Releases the held player once a window has been painted and put on the screen.
class FirstPaint final : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            QCoreApplication::instance()->removeEventFilter(this);
            // A moment after: the two dozen libraries SDL brings in (the sound server's client and the
            // codecs it links among them) take some 40 ms of the processor, and a key that closes the
            // splash at once would find the main menu slow to paint.
            QTimer::singleShot(ReleaseAfterPaintMs, [] { SoundPlayer::instance().release(); });
        }
        return false;
    }
};
} // namespace

bool PlayWave(const MediaFile& path, bool wait) {
    if (hook())
        return hook()(path, wait);
    return SoundPlayer::instance().play(MediaFolder::resolve(path), wait);
}

void StartSound() {
    // The player waits until the first window is on the screen (see SoundPlayer::hold).
    if (QCoreApplication* const application = QCoreApplication::instance()) {
        static FirstPaint firstPaint;
        SoundPlayer::instance().hold();
        application->installEventFilter(&firstPaint);
    }
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
