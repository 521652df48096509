// The media folder: the executable's own folder, indexed once by case-folded file name, so that every
// spelling the windows use of a name finds the one file.
#pragma once

#include "media/mediafile.h"

#include <QHash>
#include <QString>

class MediaFolder {
public:
    // The folder that holds the executable, as the platform reports it.
    static QString path();

    // The file on disk that a media file names, whatever the letter case of either; empty when there is none.
    // It may be a folder, which cannot be read as a file.
    static QString resolve(const MediaFile& file);

    // The file as a parent would look for it: its path on disk if it is there, else the folder and the name.
    static QString shownPath(const MediaFile& file);

    // Tests point the media folder elsewhere; the index is rebuilt for the new folder.
    static void setPathForTesting(const QString& folder);

private:
    static MediaFolder& instance();
    MediaFolder();
    void rebuild(const QString& folder);

    QString m_folder;
    QHash<QString, QString> m_index; // case-folded file name -> file name as stored
};
