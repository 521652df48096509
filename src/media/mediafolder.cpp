#include "media/mediafolder.h"

#include <QCoreApplication>
#include <QDir>

namespace {
// The name without its leading separators: both "\" and "/" count, and doubled ones are harmless.
QString relativeName(const MediaFile& file) {
    QString name = file.name();
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (name.startsWith(QLatin1Char('/')))
        name.remove(0, 1);
    return name;
}
} // namespace

MediaFolder::MediaFolder() {
    rebuild(QCoreApplication::applicationDirPath());
}

MediaFolder& MediaFolder::instance() {
    static MediaFolder folder;
    return folder;
}

void MediaFolder::rebuild(const QString& folder) {
    m_folder = folder;
    m_index.clear();
    // Sorted, so that if two names differ only in case the same one always wins. A folder under a media
    // file's name is found too, so that it is reported as the unreadable thing it is rather than as missing;
    // pipes and devices are not, since opening one could block the program.
    const QStringList names =
        QDir(folder).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
    for (const QString& name : names) {
        const QString key = name.toCaseFolded();
        if (!m_index.contains(key))
            m_index.insert(key, name);
    }
}

QString MediaFolder::path() {
    return instance().m_folder;
}

void MediaFolder::setPathForTesting(const QString& folder) {
    instance().rebuild(folder);
}

QString MediaFolder::resolve(const MediaFile& file) {
    const MediaFolder& self = instance();
    // A name that still holds a separator points into a subfolder, which the media folder does not have.
    const QString name = relativeName(file);
    const bool bare = !name.isEmpty() && !name.contains(QLatin1Char('/'));
    const auto it = bare ? self.m_index.constFind(name.toCaseFolded()) : self.m_index.constEnd();
    return it == self.m_index.constEnd() ? QString() : QDir(self.m_folder).filePath(it.value());
}

QString MediaFolder::shownPath(const MediaFile& file) {
    const QString found = resolve(file);
    return found.isEmpty() ? QDir(path()).filePath(relativeName(file)) : found;
}
