// The media folder check made before the first window: every picture the program can ask for must be
// there and whole (a game must not lose its pictures halfway through); missing sounds only play the alert.
#pragma once

#include "media/mediafile.h"

#include <QList>
#include <QtGlobal>

// Every media file the windows can ask for, as they ask for it, taken from their own tables; each name
// once.
QList<MediaFile> mediaManifest();

struct MediaCheck {
    QList<MediaFile> missingPictures;
    QList<MediaFile> unreadablePictures; // there, but not a picture that can be shown whole
    QList<MediaFile> missingSounds;
};

// Looks every file of the manifest up in the media folder, and reads the header and end of every picture.
// On a screen of more than 100 % (pixelRatio above 1) a picture's 2x file is optional, but one that is
// there is read as well and reported like its picture when it is damaged; at 100 % no 2x file is read.
// A file named in more than one letter case is reported once. Safe to run off the GUI thread.
MediaCheck checkMediaFolder(qreal pixelRatio = 1);

// Warns on stderr about missing sounds, and if pictures are missing or unreadable says so in one message
// (and on stderr) and returns false.
bool reportMediaCheck(const MediaCheck& check);
