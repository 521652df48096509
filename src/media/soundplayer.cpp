#include "media/soundplayer.h"

#include "media/inputgate.h"
#include "resources/resources.h"

#include <QApplication>
#include <QDebug>
#include <QFile>
#include <QWidget>

#include <SDL.h>
#include <SDL_mixer.h>

#include <chrono>
#include <thread>

namespace {
constexpr int SampleRate = 44100;
constexpr int OutputChannels = 2;
constexpr int BufferSamples = 1024; // small enough that a short sound starts at once
constexpr int Channel = 0;          // the one channel every sound plays on
const char* const AlertResource = ":/sounds/alert.wav";

bool openMixer(const char* driver) {
    SDL_SetHint(SDL_HINT_AUDIODRIVER, driver);
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return false;
    if (Mix_OpenAudio(SampleRate, AUDIO_S16SYS, OutputChannels, BufferSamples) != 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    return true;
}

// ALSA (and sndio, which sits on it) fill stderr with noise when asked for a card that is not there, so
// they are only asked when the kernel reports one.
bool worthTrying(const QString& driver) {
    if (driver == QLatin1String("dummy") || driver == QLatin1String("disk"))
        return false;
#ifdef Q_OS_LINUX
    if (driver == QLatin1String("alsa") || driver == QLatin1String("sndio")) {
        QFile cards(QStringLiteral("/proc/asound/cards"));
        return cards.open(QIODevice::ReadOnly) && !cards.readAll().contains("no soundcards");
    }
#endif
    return true;
}

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

SoundPlayer& SoundPlayer::instance() {
    static SoundPlayer player;
    return player;
}

SoundPlayer::~SoundPlayer() {
    close();
}

bool SoundPlayer::open() {
    if (m_triedOpen)
        return m_open;
    m_triedOpen = true;
    m_open = openDevice();
    return m_open;
}

bool SoundPlayer::openDevice() {
    // SIGINT and SIGTERM must still end the program; SDL would turn them into events nobody reads.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // A driver chosen by the user's environment is tried as it stands; otherwise each real one in turn.
    const QByteArray chosen = qgetenv("SDL_AUDIODRIVER");
    bool opened = false;
    QString failure;
    if (!chosen.isEmpty()) {
        opened = openMixer(chosen.constData());
        failure = QString::fromUtf8(SDL_GetError());
    } else {
        for (int i = 0; i < SDL_GetNumAudioDrivers() && !opened; ++i) {
            const char* driver = SDL_GetAudioDriver(i);
            if (worthTrying(QString::fromUtf8(driver))) {
                opened = openMixer(driver);
                if (!opened)
                    failure +=
                        (failure.isEmpty() ? QString() : QStringLiteral(", ")) + QString::fromUtf8(driver);
            }
        }
    }
    if (!opened) {
        if (chosen != "dummy")
            qWarning("wordpot: no audio device could be opened (tried: %s); playing silently",
                     qPrintable(failure.isEmpty() ? QStringLiteral("none, no sound card") : failure));
        if (!openMixer("dummy")) {
            qWarning("wordpot: the silent audio driver failed too (%s)", SDL_GetError());
            return false;
        }
    }
    Mix_AllocateChannels(1);
    int frequency = 0;
    Uint16 format = 0;
    int channels = 0;
    Mix_QuerySpec(&frequency, &format, &channels);
    m_bytesPerMs = frequency * channels * int(SDL_AUDIO_BITSIZE(format) / 8) / 1000;
    return true;
}

void SoundPlayer::close() {
    if (!m_open)
        return;
    Mix_HaltChannel(Channel);
    if (m_current != nullptr && m_current != m_alert)
        Mix_FreeChunk(m_current);
    if (m_alert != nullptr)
        Mix_FreeChunk(m_alert);
    m_current = nullptr;
    m_alert = nullptr;
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    m_open = false;
    m_triedOpen = false;
}

QString SoundPlayer::driverName() const {
    const char* name = m_open ? SDL_GetCurrentAudioDriver() : nullptr;
    return name != nullptr ? QString::fromUtf8(name) : QString();
}

Mix_Chunk* SoundPlayer::alertChunk() {
    if (m_alert == nullptr) {
        resources::init();
        QFile file(QString::fromLatin1(AlertResource));
        if (file.open(QIODevice::ReadOnly)) {
            const QByteArray bytes = file.readAll();
            // Mix_LoadWAV_RW copies the samples, so the buffer need not outlive the call.
            m_alert = Mix_LoadWAV_RW(SDL_RWFromConstMem(bytes.constData(), int(bytes.size())), 1);
        }
    }
    return m_alert;
}

void SoundPlayer::start(Mix_Chunk* chunk) {
    // One channel: halting it is what lets the newest sound win over one still playing.
    Mix_HaltChannel(Channel);
    if (m_current != nullptr && m_current != m_alert && m_current != chunk)
        Mix_FreeChunk(m_current);
    m_current = chunk;
    if (chunk == nullptr) {
        m_durationMs = 0;
        return;
    }
    m_durationMs = m_bytesPerMs > 0 ? qint64(chunk->alen) / m_bytesPerMs : 0;
    m_started.start();
    Mix_PlayChannel(Channel, chunk, 0);
}

bool SoundPlayer::isPlaying() const {
    if (!m_open || m_current == nullptr)
        return false;
    // The mixer lets go of a sound when its last samples enter the device; the clock covers the rest.
    return Mix_Playing(Channel) != 0 || m_started.elapsed() < m_durationMs;
}

void SoundPlayer::waitUntilEnded() {
    while (isPlaying())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

bool SoundPlayer::play(const QString& file, bool wait) {
    if (!open())
        return false;
    Mix_Chunk* chunk = file.isEmpty() ? nullptr : Mix_LoadWAV(QFile::encodeName(file).constData());
    const bool found = chunk != nullptr;
    start(found ? chunk : alertChunk());
    if (wait) {
        repaintVisibleWindows();
        waitUntilEnded();
        InputGate::instance().blockEnded();
    }
    return found;
}
