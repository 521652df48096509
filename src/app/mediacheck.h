// The media folder check made at start-up: every picture the program can ask for must be there (a game must
// not lose its pictures halfway through); missing sounds only play the alert.
#pragma once

#include "media/mediafile.h"

#include <QList>
#include <QObject>

#include <future>

// Every media file the windows can ask for, as they ask for it, taken from their own tables; each name
// once.
QList<MediaFile> mediaManifest();

struct MediaCheck {
    QList<MediaFile> missingPictures;
    QList<MediaFile> missingSounds;
};

// Looks every file of the manifest up in the media folder. A file named in more than one letter case is
// reported once. Safe to run off the GUI thread.
MediaCheck checkMediaFolder();

// Warns on stderr about missing sounds, and if pictures are missing says so in one message (and on
// stderr) and returns false.
bool reportMediaCheck(const MediaCheck& check);

// The start-up check, run on its own thread from construction so that the first window need not wait for
// it, and reported on the GUI thread as soon as it is done. If pictures are missing, every window is
// unloaded after the message, which ends the run.
class StartUpCheck : public QObject {
public:
    StartUpCheck();
    ~StartUpCheck() override;
    // Waits for the check if it is still running and reports it, once.
    void finish();
    bool passed() const { return m_passed; }

private:
    std::future<MediaCheck> m_check;
    bool m_reported = false;
    bool m_passed = true;
};
