// The media folder: the executable's own folder, and the case-blind lookup of the names the windows ask for.
// Names carry their own leading "\" or "/"; both are separators and doubled separators are harmless.
#pragma once

#include <QHash>
#include <QString>

class MediaFolder {
public:
    // The folder that holds the executable, as the platform reports it.
    static QString path();

    // The media path of a name: the folder followed directly by the name, nothing inserted or normalised.
    static QString join(const QString& name) { return path() + name; }

    // The file a media path names, found without regard to letter case; empty when there is none.
    static QString resolve(const QString& mediaPath);

    // Tests point the media folder elsewhere; the index is rebuilt for the new folder.
    static void setPathForTesting(const QString& folder);

private:
    static MediaFolder& instance();
    MediaFolder();
    void rebuild(const QString& folder);

    QString m_folder;                // as reported, used to join names
    QString m_normalisedFolder;      // with "/" separators and no doubled or trailing separator
    QHash<QString, QString> m_index; // case-folded file name -> file name as stored
};

// Splits a path on both separators, dropping empty parts, and joins it again with "/".
QString normaliseMediaPath(const QString& path);
