// Speech through the desktop's speech service, for the words and letters of a word list that come with no
// recording. Qt's speech engine lives on a thread of its own with its own event loop, started at the first
// phrase, so that a waited phrase can block the windows (as a waited sound does) while the engine still
// hears from the service. With no service, or no voice for a language, it is silent, and says so once.
#pragma once

#include <QLocale>
#include <QString>

#include <condition_variable>
#include <memory>
#include <mutex>

class QThread;

class Speaker {
public:
    static Speaker& instance();

    // Speaks text in the language, cutting off any phrase still being spoken. wait = true returns when it
    // has been spoken, and never later than a phrase of its length could take; false when nothing was
    // spoken (no service, or no voice of that language: never a voice of another).
    bool say(const QString& text, const QLocale& language, bool wait);
    // Reaches the speech service ahead of the first phrase: the service starts with its first client and
    // takes a second or more, and a phrase asked for meanwhile can be lost.
    void prepare();
    // Cuts off a phrase still being spoken: a sound that starts meanwhile wins.
    void stop();
    // Ends the thread at the end of the run.
    void close();

    // The longest a waited phrase of this many characters may block.
    static int longestMs(qsizetype characters);

    Speaker(const Speaker&) = delete;
    Speaker& operator=(const Speaker&) = delete;

private:
    class Engine;
    Speaker() = default;
    ~Speaker();
    void start();

    std::unique_ptr<QThread> m_thread;
    Engine* m_engine = nullptr; // lives on m_thread

    // Shared with the engine's thread.
    std::mutex m_mutex;
    std::condition_variable m_changed;
    quint64 m_asked = 0;   // phrases asked for
    quint64 m_ended = 0;   // the newest phrase that has ended (been spoken, cut off or refused)
    bool m_spoken = false; // whether that phrase was spoken
};
