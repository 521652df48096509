#include "app/mediacheck.h"

#include "abc/lettertable.h"
#include "feedback/faces.h"
#include "hangman/hangmangame.h"
#include "media/mediafolder.h"
#include "shell/shellmedia.h"
#include "wordpot/wordlist.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QMessageBox>
#include <QSet>
#include <QtEndian>

#include <algorithm>

namespace {
// The files as a parent will look for them in the folder.
QStringList shown(const QList<MediaFile>& files) {
    QStringList paths;
    for (const MediaFile& file : files)
        paths.append(QDir::toNativeSeparators(MediaFolder::shownPath(file)));
    return paths;
}

// Whether a picture file reaches the end its format marks. A GIF or JPEG cut short keeps a good header
// and decodes without an error into the top of the picture, so only its last bytes tell; they are read
// rather than the whole file, to keep the start quick.
bool reachesItsEnd(QFile& file) {
    const qint64 size = file.size();
    const QByteArray head = file.seek(0) ? file.read(6) : QByteArray();
    const QByteArray tail = file.seek(std::max<qint64>(0, size - 32)) ? file.read(32) : QByteArray();
    if (head.startsWith("GIF8"))
        return tail.endsWith(QByteArrayView("\0;", 2)); // the last block's terminator, then the trailer
    if (head.startsWith("\xFF\xD8"))
        return tail.contains("\xFF\xD9"); // some writers pad after the end mark
    if (head.startsWith("\x89PNG"))
        return tail.endsWith("IEND\xAE\x42\x60\x82");
    if (head.startsWith(QByteArrayView("\0\0\1\0", 4))) { // an icon: every image it lists must be there
        const int count = qFromLittleEndian<quint16>(head.constData() + 4);
        const QByteArray entries = file.seek(6) ? file.read(16 * count) : QByteArray();
        if (entries.size() != 16 * count)
            return false;
        for (int i = 0; i < count; ++i) {
            const char* entry = entries.constData() + 16 * i;
            if (qint64(qFromLittleEndian<quint32>(entry + 8)) + qFromLittleEndian<quint32>(entry + 12) > size)
                return false;
        }
    }
    return true;
}

// Whether a JPEG file holds a frame of some size before its image data, found by walking its segments as
// the decoder would. Asking the decoder itself would load the JPEG library, some 500 KiB that the main menu
// would then carry for nothing.
bool hasJpegFrame(QFile& file) {
    qint64 at = 2; // after the start mark
    for (int segments = 0; segments < 1000; ++segments) {
        const QByteArray marker = file.seek(at) ? file.read(4) : QByteArray();
        if (marker.size() < 4 || quint8(marker[0]) != 0xFF)
            return false;
        const quint8 kind = quint8(marker[1]);
        if (kind == 0xFF) { // a fill byte before the marker
            ++at;
            continue;
        }
        const int length = qFromBigEndian<quint16>(marker.constData() + 2);
        if (kind >= 0xC0 && kind <= 0xCF && kind != 0xC4 && kind != 0xC8 && kind != 0xCC) {
            const QByteArray frame = file.read(5); // precision, height, width
            return length >= 8 && frame.size() == 5 && qFromBigEndian<quint16>(frame.constData() + 1) > 0 &&
                   qFromBigEndian<quint16>(frame.constData() + 3) > 0;
        }
        if (kind == 0xDA || kind == 0xD9 || length < 2) // image data or the end, with no frame before
            return false;
        at += 2 + length;
    }
    return false;
}

// Whether a file is a picture that can be shown whole: the decoder would take its header and size, and it
// is not cut short.
bool isWholePicture(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const bool header = file.peek(2) == "\xFF\xD8" ? hasJpegFrame(file) : [&] {
        QImageReader reader(&file);
        return reader.canRead() && reader.size().isValid();
    }();
    return header && reachesItsEnd(file);
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

MediaCheck checkMediaFolder(qreal pixelRatio) {
    MediaCheck result;
    QSet<QString> reported; // windows name some files in more than one letter case: report each file once
    const auto report = [&](QList<MediaFile>& list, const MediaFile& file) {
        const QString key = MediaFolder::shownPath(file).toCaseFolded();
        if (!reported.contains(key)) {
            reported.insert(key);
            list.append(file);
        }
    };
    for (const MediaFile& file : mediaManifest()) {
        const QString path = MediaFolder::resolve(file);
        // A sound that cannot be played is named when it is first asked for.
        if (file.name().endsWith(QLatin1String(".wav"), Qt::CaseInsensitive)) {
            if (path.isEmpty())
                report(result.missingSounds, file);
            continue;
        }
        if (path.isEmpty())
            report(result.missingPictures, file);
        else if (!isWholePicture(path))
            report(result.unreadablePictures, file);
        if (pixelRatio > 1) {
            const MediaFile large = file.twiceTheSize();
            const QString largePath = MediaFolder::resolve(large);
            if (!largePath.isEmpty() && !isWholePicture(largePath))
                report(result.unreadablePictures, large);
        }
    }
    return result;
}

bool reportMediaCheck(const MediaCheck& check) {
    const QString folder = QDir::toNativeSeparators(MediaFolder::path());
    if (!check.missingSounds.isEmpty())
        qWarning("wordpot: sounds missing (the alert plays instead): %s",
                 qPrintable(shown(check.missingSounds).join(QLatin1String(", "))));
    if (check.missingPictures.isEmpty() && check.unreadablePictures.isEmpty())
        return true;
    QStringList paths, names; // names as a parent will look for them in the folder
    const auto list = [&](const QList<MediaFile>& files, const QString& why) {
        for (const QString& path : shown(files)) {
            paths.append(path + why);
            names.append(QFileInfo(path).fileName() + why);
        }
    };
    list(check.missingPictures, QString());
    list(check.unreadablePictures, QStringLiteral(" (cannot be read)"));
    qWarning("wordpot: pictures missing or unreadable: %s", qPrintable(paths.join(QLatin1String(", "))));
    QMessageBox::critical(
        nullptr, QStringLiteral("Wordpot"),
        QStringLiteral(
            "Wordpot cannot start: these pictures are missing from its folder or cannot be read\n%1\n\n%2")
            .arg(folder, names.join(QLatin1Char('\n'))));
    return false;
}
