// The media folder check made before the first window: every picture the program can ask for must be
// there (a game must not lose its pictures halfway through); missing sounds only play the alert.
#pragma once

#include <QStringList>

// Every media file name the windows can ask for, as they ask for it, taken from their own tables.
QStringList mediaManifest();

struct MediaCheck {
    QStringList missingPictures;
    QStringList missingSounds;
};

// Looks every name of the manifest up in the media folder.
MediaCheck checkMediaFolder();

// Runs the check at start-up: warns on stderr about missing sounds, and if pictures are missing says so
// in one message (and on stderr) and returns false.
bool mediaFolderIsComplete();
