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

    // The same picture drawn at twice its size, named as Qt names such files: "\apple.gif" gives
    // "\apple@2x.gif". A name with no extension gets "@2x" at its end.
    MediaFile twiceTheSize() const {
        const qsizetype dot = m_name.lastIndexOf(QLatin1Char('.'));
        const qsizetype end = dot > 0 ? dot : m_name.size();
        return MediaFile(m_name.left(end) + QLatin1String("@2x") + m_name.mid(end));
    }

private:
    QString m_name;
};
