#include "media/global.h"

#include "media/inputgate.h"
#include "media/mediafolder.h"
#include "media/soundplayer.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace Global {
namespace {
PlayWaveHook& hook() {
    static PlayWaveHook current;
    return current;
}

// The held start. SDL and the two dozen libraries it brings in (the sound server's client and the codecs
// it links among them) take some 40 ms of the processor to load: beside the first paint they would hold it
// up, and right after it a key that closes the splash at once would find the main menu slow to paint. So
// the player loads nothing until a moment after the first window is painted, or until a sound is waited
// for, or a second has passed, whichever comes first; sounds asked for meanwhile play then.
constexpr int ReleaseAfterPaintMs = 100;
constexpr int LongestHoldMs = 1000;

void releasePlayer() {
    SoundPlayer::instance().release();
}

class FirstPaint final : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            QCoreApplication::instance()->removeEventFilter(this);
            QTimer::singleShot(ReleaseAfterPaintMs, &releasePlayer);
        }
        return false;
    }
};

// Repaints what the running handler changed, so the child sees it while the sound blocks everything.
// repaint() paints at once; processEvents() would also run timers and queued clicks, which must wait.
void repaintVisibleWindows() {
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows) {
        if (window->isVisible())
            window->repaint();
    }
}
} // namespace

bool PlayWave(const MediaFile& path, bool wait) {
    if (hook())
        return hook()(path, wait);
    SoundPlayer& player = SoundPlayer::instance();
    const QString file = MediaFolder::resolve(path);
    player.play(file);
    if (!wait)
        return !file.isEmpty();
    repaintVisibleWindows();
    const bool found = player.waitUntilEnded();
    InputGate::instance().blockEnded();
    return found;
}

void StartSound() {
    if (QCoreApplication* const application = QCoreApplication::instance()) {
        static FirstPaint firstPaint;
        SoundPlayer::instance().hold();
        application->installEventFilter(&firstPaint);
        QTimer::singleShot(LongestHoldMs, &releasePlayer);
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
