// The sound player behind PlayWave: one SDL_mixer channel, so the newest sound always wins.
// The device is opened once and stays open; with no usable device it runs on SDL's silent dummy driver.
#pragma once

#include <QElapsedTimer>
#include <QString>

struct Mix_Chunk;

class SoundPlayer {
public:
    static SoundPlayer& instance();

    // Opens the audio device; later calls do nothing. Returns false only if not even the dummy driver opens.
    bool open();
    void close();

    // Plays a file (an empty name, or one that cannot be decoded, plays the alert instead and gives false).
    // wait = true repaints the visible windows and then blocks until the sound has ended.
    bool play(const QString& file, bool wait);

    // True while the current sound has not yet been heard to its end.
    bool isPlaying() const;

    // The SDL audio driver in use ("dummy" when no device could be opened).
    QString driverName() const;

    SoundPlayer(const SoundPlayer&) = delete;
    SoundPlayer& operator=(const SoundPlayer&) = delete;

private:
    SoundPlayer() = default;
    ~SoundPlayer();
    bool openDevice();
    Mix_Chunk* alertChunk();
    void start(Mix_Chunk* chunk);
    void waitUntilEnded();

    bool m_open = false;
    bool m_triedOpen = false;
    int m_bytesPerMs = 0;
    Mix_Chunk* m_current = nullptr; // the chunk on the channel; freed when the next one replaces it
    Mix_Chunk* m_alert = nullptr;
    QElapsedTimer m_started;
    qint64 m_durationMs = 0;
};
