// The sound player behind PlayWave: one sound at a time, so the newest always wins. SDL's audio lives on the
// player's own thread, off the path to the first window, and the device is open only while a sound plays
// (and briefly after), so that the sound server can sleep; with no usable device it runs on SDL's silent
// dummy driver.
#pragma once

#include <QSet>
#include <QString>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

class SoundPlayer {
public:
    static SoundPlayer& instance();

    // Starts the player's thread, which initialises SDL's audio; later calls do nothing.
    void open();
    // A held player's thread waits to load SDL (at most a second) until release(), a waited sound or
    // driverName(): loading libraries on it while the first window paints makes the painting wait for the
    // dynamic loader. Sounds asked for meanwhile play once it is loaded.
    void hold();
    void release();
    // Stops the thread and closes the device; the next open() or play() starts afresh.
    void close();

    // Plays a file; an empty name, or one that cannot be decoded, plays the alert instead (a file that cannot
    // be decoded is named in a warning the first time). The file is read on the player's thread.
    // wait = true repaints the visible windows, blocks until the sound has ended and tells whether the file
    // played; wait = false returns at once and tells only whether a file was named.
    bool play(const QString& file, bool wait);

    // True while the current sound has not yet been heard to its end.
    bool isPlaying() const;
    // True while the audio device is open: from a sound's start until shortly after its end.
    bool deviceIsOpen() const;

    // The SDL audio driver in use ("dummy" when no device could be opened); waits for the thread to start.
    QString driverName();

    SoundPlayer(const SoundPlayer&) = delete;
    SoundPlayer& operator=(const SoundPlayer&) = delete;

private:
    using Clock = std::chrono::steady_clock;
    using Samples = std::vector<std::uint8_t>; // in the device's format

    SoundPlayer() = default;
    ~SoundPlayer();
    void run();
    void install(std::unique_lock<std::mutex>& lock);
    bool initialise();
    std::uint32_t openDevice();
    std::shared_ptr<const Samples> alert();
    static void fill(void* player, std::uint8_t* stream, int length);
    bool playing(Clock::time_point now) const;
    Clock::time_point nextChange(Clock::time_point now) const;
    void waitUntilEnded();

    QSet<QString> m_unplayable; // files already warned about; used by the player's thread only

    std::thread m_thread;
    // Everything below is shared with the player's thread and SDL's audio callback.
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_changed;
    bool m_ready = false; // SDL's audio is initialised, or could not be
    bool m_quit = false;
    bool m_held = false;
    QString m_driver;
    std::uint32_t m_device = 0;
    bool m_closing = false;
    QString m_request;                      // the file asked for last
    std::uint64_t m_requests = 0;           // how many sounds have been asked for
    std::uint64_t m_installed = 0;          // the request whose sound is the current one
    bool m_found = false;                   // the last installed sound was the file asked for, not the alert
    std::shared_ptr<const Samples> m_sound; // the newest sound, until the next one replaces it
    std::size_t m_position = 0;             // how much of it the device has taken
    bool m_started = false;                 // the device has taken its first samples
    Clock::time_point m_handedAt;
    Clock::time_point m_startedAt;
    Clock::duration m_length{};
    std::shared_ptr<const Samples> m_alert;
};
