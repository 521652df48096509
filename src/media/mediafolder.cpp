#include "media/mediafolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {
QString fold(const QString& name) {
    return name.toCaseFolded();
}
} // namespace

QString normaliseMediaPath(const QString& path) {
    QString unified = path;
    unified.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QStringList parts = unified.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString joined = parts.join(QLatin1Char('/'));
    // An absolute path keeps its root; a drive letter ("C:") is its own root.
    const bool absolute = unified.startsWith(QLatin1Char('/'));
    const bool drive =
        !parts.isEmpty() && parts.first().size() == 2 && parts.first().at(1) == QLatin1Char(':');
    if (absolute && !drive)
        joined.prepend(QLatin1Char('/'));
    return joined;
}

MediaFolder::MediaFolder() {
    rebuild(QCoreApplication::applicationDirPath());
}

MediaFolder& MediaFolder::instance() {
    static MediaFolder folder;
    return folder;
}

void MediaFolder::rebuild(const QString& folder) {
    m_folder = folder;
    m_normalisedFolder = normaliseMediaPath(folder);
    m_index.clear();
    const QDir dir(folder);
    // Sorted, so that if two names differ only in case the same one always wins.
    const QStringList names = dir.entryList(QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString& name : names) {
        const QString key = fold(name);
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

QString MediaFolder::resolve(const QString& mediaPath) {
    const MediaFolder& self = instance();
    const QString normalised = normaliseMediaPath(mediaPath);
    const qsizetype slash = normalised.lastIndexOf(QLatin1Char('/'));
    const QString dir = slash < 0 ? QString() : slash == 0 ? QStringLiteral("/") : normalised.left(slash);
    const QString file = slash < 0 ? normalised : normalised.mid(slash + 1);
    if (file.isEmpty())
        return {};

    // Names in the media folder itself go through the one index (the common case).
    if (dir == self.m_normalisedFolder) {
        const auto it = self.m_index.constFind(fold(file));
        return it == self.m_index.constEnd() ? QString() : QDir(self.m_folder).filePath(it.value());
    }

    // Anything else is looked up as written, then case-blind within its own folder.
    if (QFileInfo(normalised).isFile())
        return normalised;
    const QDir parent(dir.isEmpty() ? QStringLiteral(".") : dir);
    const QStringList names = parent.entryList(QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString& name : names) {
        if (fold(name) == fold(file))
            return parent.filePath(name);
    }
    return {};
}
