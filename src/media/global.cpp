#include "media/global.h"

#include "media/inputgate.h"
#include "media/mediafolder.h"
#include "media/soundplayer.h"
#include "media/speaker.h"

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
    return PlayFile(MediaFolder::resolve(path), wait);
}

bool PlayFile(const QString& path, bool wait) {
    if (hook())
        return hook()(MediaFile(path), wait);
    Speaker::instance().stop();
    SoundPlayer& player = SoundPlayer::instance();
    player.play(path);
    if (!wait)
        return !path.isEmpty();
    repaintVisibleWindows();
    const bool found = player.waitUntilEnded();
    InputGate::instance().blockEnded();
    return found;
}

bool Say(const QString& text, const QLocale& language, bool wait) {
    if (hook())
        return hook()(MediaFile(QStringLiteral("say %1 %2").arg(language.bcp47Name(), text)), wait);
    SoundPlayer::instance().stop();
    if (!wait)
        return Speaker::instance().say(text, language, false);
    repaintVisibleWindows();
    const bool spoken = Speaker::instance().say(text, language, true);
    InputGate::instance().blockEnded();
    return spoken;
}

void PrepareSpeech() {
    if (!hook())
        Speaker::instance().prepare();
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
    Speaker::instance().close();
    SoundPlayer::instance().close();
}

void setPlayWaveHookForTesting(PlayWaveHook newHook) {
    hook() = std::move(newHook);
}

} // namespace Global
