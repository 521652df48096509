// What the widget tests share: the program's own set-up with the media folder pointed at assets/, a log
// of the sounds the windows ask for, and a way to act inside a modal window's event loop.
#pragma once

#include "forms/form.h"

#include <functional>
#include <QList>
#include <QString>
#include <QStringList>

namespace testsupport {

// The program's fonts, style and resources, and the media folder set to the repository's assets/.
void prepare();

// While it lives, PlayWave plays nothing and records each call instead, by the name of the media file
// ("\apple.wav"). onPlay runs at each call, to look at the windows then.
class SoundLog {
public:
    struct Call {
        QString name;
        bool wait;
        bool operator==(const Call&) const = default;
    };
    explicit SoundLog(std::function<void(const Call&)> onPlay = {});
    ~SoundLog();
    SoundLog(const SoundLog&) = delete;
    SoundLog& operator=(const SoundLog&) = delete;

    QList<Call> calls;
    QStringList names() const;
    void clear() { calls.clear(); }
};

// Runs action as soon as the form's window is shown (from inside its modal event loop), once.
void whenShown(Form& form, std::function<void()> action);

// Writes a word list (kvtml 2) of these words, each "text" or "text|hint", and returns its path.
QString writeWordList(const QString& path, const QString& locale, const QStringList& words,
                      const QString& title = QStringLiteral("Test"));

// Lets deferred deletions and posted events run.
void settle();

} // namespace testsupport
