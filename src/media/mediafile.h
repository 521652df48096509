// MediaFile: a file of the media folder, named as the program asks for it: a leading "\" or "/", then the
// file name in any letter case ("\apple.gif", "/uhoh.wav"). The media folder's case-blind index is the one
// way to find it on disk. No widgets: the windows' tables name their files with it.
#pragma once

#include <QString>

class MediaFile {
public:
    explicit MediaFile(QString name)
        : m_name(std::move(name)) {}
    const QString& name() const { return m_name; }
    bool operator==(const MediaFile&) const = default;

private:
    QString m_name;
};
