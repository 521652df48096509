#include "app/mediacheck.h"

#include "abc/lettertable.h"
#include "feedback/faces.h"
#include "hangman/hangmangame.h"
#include "media/mediafolder.h"
#include "shell/shellmedia.h"
#include "wordpot/wordlist.h"

#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QSet>

namespace {
// The files as a parent will look for them in the folder.
QStringList shown(const QList<MediaFile>& files) {
    QStringList paths;
    for (const MediaFile& file : files)
        paths.append(QDir::toNativeSeparators(MediaFolder::shownPath(file)));
    return paths;
}
} // namespace

QList<MediaFile> mediaManifest() {
    QList<MediaFile> files;
    for (const QList<MediaFile>& each : {shell::mediaFiles(), feedback::mediaFiles(), abc::mediaFiles(),
                                         wordpot::mediaFiles(), hangman::mediaFiles()}) {
        for (const MediaFile& file : each) {
            if (!files.contains(file))
                files.append(file);
        }
    }
    return files;
}

MediaCheck checkMediaFolder() {
    MediaCheck result;
    QSet<QString> reported; // windows name some files in more than one letter case: report each file once
    for (const MediaFile& file : mediaManifest()) {
        if (!MediaFolder::resolve(file).isEmpty())
            continue;
        const QString key = MediaFolder::shownPath(file).toCaseFolded();
        if (reported.contains(key))
            continue;
        reported.insert(key);
        if (file.name().endsWith(QLatin1String(".wav"), Qt::CaseInsensitive))
            result.missingSounds.append(file);
        else
            result.missingPictures.append(file);
    }
    return result;
}

bool reportMediaCheck(const MediaCheck& check) {
    const QString folder = QDir::toNativeSeparators(MediaFolder::path());
    if (!check.missingSounds.isEmpty())
        qWarning("wordpot: sounds missing (the alert plays instead): %s",
                 qPrintable(shown(check.missingSounds).join(QLatin1String(", "))));
    if (check.missingPictures.isEmpty())
        return true;
    const QStringList pictures = shown(check.missingPictures);
    qWarning("wordpot: pictures missing: %s", qPrintable(pictures.join(QLatin1String(", "))));
    QStringList names; // as a parent will look for them in the folder
    for (const QString& path : pictures)
        names.append(QFileInfo(path).fileName());
    QMessageBox::critical(
        nullptr, QStringLiteral("Wordpot"),
        QStringLiteral("Wordpot cannot start: these pictures are missing from its folder\n%1\n\n%2")
            .arg(folder, names.join(QLatin1Char('\n'))));
    return false;
}
