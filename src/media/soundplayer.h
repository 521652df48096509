// The sound player behind PlayWave: one sound at a time, so the newest always wins. It only plays: files are
// decoded by libsndfile on the player's thread, and SDL plays them from a thread of its own, the only one
// that talks to the sound server, so a server that stalls holds no caller longer than a sound's length and a
// margin. The device is open only while a sound plays (and briefly after), so that the server can sleep. With
// no usable device, or no SDL, every sound is silent and keeps its length.
#pragma once

#include <QSet>
#include <QString>

#include <chrono>
#include <functional>
#include <memory>
#include <thread>

class SoundPlayer {
public:
    static SoundPlayer& instance();

    // Starts the player's thread, which loads the libraries and starts SDL's; later calls do nothing.
    void open();
    // While held, the player loads nothing; sounds asked for meanwhile play once it is released. A waited
    // sound releases it.
    void hold();
    void release();
    // Stops the threads and closes the device; the next open() or play() starts afresh. A thread stuck in
    // the sound server is left behind after a bounded wait rather than holding up the end of the program.
    void close();

    // Starts a sound, cutting off the one still playing; an empty name, or a file that cannot be decoded,
    // plays the alert instead (a file that cannot be decoded is named in a warning the first time). The file
    // is read on the player's thread, so this returns at once.
    void play(const QString& file);
    // Cuts off the sound still playing, or still being decoded, with no alert: speech is starting.
    void stop();
    // Blocks until the newest sound has ended, or its length and a margin have passed whatever the sound
    // server does; tells whether it was the file asked for rather than the alert.
    bool waitUntilEnded();

    // True while the newest sound has not yet been heard to its end.
    bool isPlaying() const;
    // True while the audio device is open: from a sound's start until shortly after its end.
    bool deviceIsOpen() const;

    // The SDL audio driver in use ("dummy" when no device could be opened, empty with no SDL); waits for
    // the driver to be chosen.
    QString driverName();

    // Tests stand for a stalled sound server: the hook runs on SDL's thread just before it opens ("open")
    // or closes ("close") the device, and may block.
    using DeviceHook = std::function<void(const char* call)>;
    void setDeviceHookForTesting(DeviceHook hook);
    // Tests stand for a machine without a library: the names under which SDL and libsndfile are looked
    // for, from the next open() on.
    void setLibrariesForTesting(const QString& sdl, const QString& sndfile);

    SoundPlayer(const SoundPlayer&) = delete;
    SoundPlayer& operator=(const SoundPlayer&) = delete;

private:
    struct Session;

    SoundPlayer() = default;
    ~SoundPlayer();
    void start(bool held);
    std::shared_ptr<Session> session() const;

    std::shared_ptr<Session> m_session; // from open() to close(); shared with the threads
    std::thread m_decoding;             // loads the libraries, decodes the files and times the sounds
    QString m_sdlLibrary;               // empty: the one the build names
    QString m_sndfileLibrary;
    DeviceHook m_deviceHook;
    QSet<QString> m_unplayable; // files already warned about; used by the player's thread only
};
