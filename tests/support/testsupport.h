// What the widget tests share: the program's own set-up with the media folder pointed at assets/, a log
// of the sounds the windows ask for, and a way to act inside a modal window's event loop.
#pragma once

#include "forms/form.h"

#include <functional>
#include <QList>
#include <QSize>
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

// Writes a word list (kvtml 2) of these words, each "text", "text|hint" or "text|hint|picture|sound" with
// the picture's and the sound's paths as the file gives them (relative to it), and returns its path.
QString writeWordList(const QString& path, const QString& locale, const QStringList& words,
                      const QString& title = QStringLiteral("Test"));

// Writes a picture file for a word list: "png" or "jpg" (a small drawing of this size), "empty" (zero
// bytes), "cut" (cut off halfway), "huge" (a PNG whose header says 20000 x 20000), "missing" (no file);
// a PNG unless the kind begins with "jpg" ("jpg empty", "jpg cut"). Returns the file's name, relative to
// the folder.
QString writePicture(const QString& folder, const QString& name, const QString& kind, QSize size = {40, 30});

// Lets deferred deletions and posted events run.
void settle();

} // namespace testsupport
