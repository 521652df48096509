#include "app/mediacheck.h"

#include "abc/lettertable.h"
#include "feedback/faces.h"
#include "hangman/hangmanrules.h"
#include "media/global.h"
#include "media/mediafolder.h"
#include "shell/shellmedia.h"
#include "wordpot/wordlist.h"

#include <QDir>
#include <QMessageBox>
#include <QSet>

QStringList mediaManifest() {
    QStringList names;
    names << shell::mediaFiles() << feedback::mediaFiles() << abc::mediaFiles() << wordpot::mediaFiles()
          << hangman::mediaFiles();
    names.removeDuplicates();
    return names;
}

MediaCheck checkMediaFolder() {
    MediaCheck result;
    const QStringList names = mediaManifest();
    QSet<QString> reported; // windows name some files in more than one letter case: report each file once
    for (const QString& name : names) {
        if (!MediaFolder::resolve(Global::AppPath() + name).isEmpty())
            continue;
        const QString file = normaliseMediaPath(name).toCaseFolded();
        if (reported.contains(file))
            continue;
        reported.insert(file);
        if (name.endsWith(QLatin1String(".wav"), Qt::CaseInsensitive))
            result.missingSounds.append(name);
        else
            result.missingPictures.append(name);
    }
    return result;
}

bool mediaFolderIsComplete() {
    const MediaCheck check = checkMediaFolder();
    const QString folder = QDir::toNativeSeparators(Global::AppPath());
    if (!check.missingSounds.isEmpty())
        qWarning("wordpot: sounds missing from %s (the alert plays instead): %s", qPrintable(folder),
                 qPrintable(check.missingSounds.join(QLatin1String(", "))));
    if (check.missingPictures.isEmpty())
        return true;
    qWarning("wordpot: pictures missing from %s: %s", qPrintable(folder),
             qPrintable(check.missingPictures.join(QLatin1String(", "))));
    QStringList files; // as a parent will look for them in the folder: no leading separator
    for (const QString& name : check.missingPictures)
        files.append(name.mid(1));
    QMessageBox::critical(
        nullptr, QStringLiteral("Wordpot"),
        QStringLiteral("Wordpot cannot start: these pictures are missing from its folder\n%1\n\n%2")
            .arg(folder, files.join(QLatin1Char('\n'))));
    return false;
}
