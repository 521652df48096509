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

// The bytes of the formats' own framing that the check reads.
constexpr QByteArrayView GifSignature("GIF8");
constexpr QByteArrayView GifEnd("\0;", 2); // the last block's terminator, then the trailer
constexpr QByteArrayView PngSignature("\x89PNG");
constexpr QByteArrayView PngEnd("IEND\xAE\x42\x60\x82");

namespace jpeg {
constexpr quint8 MarkerPrefix = 0xFF;
constexpr QByteArrayView Start("\xFF\xD8");
constexpr QByteArrayView End("\xFF\xD9");
constexpr quint8 FirstFrame = 0xC0; // start-of-frame markers run from here to LastFrame...
constexpr quint8 LastFrame = 0xCF;
constexpr quint8 HuffmanTables = 0xC4; // ...except these three, which share the range
constexpr quint8 Extension = 0xC8;
constexpr quint8 ArithmeticConditioning = 0xCC;
constexpr quint8 ScanStart = 0xDA; // the image data follows
constexpr quint8 EndMarker = 0xD9;
constexpr int MarkerSize = 4;          // the marker, then its segment's length
constexpr int FrameHeaderSize = 5;     // precision, height, width
constexpr int SmallestFrameLength = 8; // the length field, the header and at least one component's count
constexpr int MostSegments = 1000;
} // namespace jpeg

namespace ico {
constexpr QByteArrayView Signature("\0\0\1\0", 4); // reserved, then the type: 1 for an icon
constexpr int CountOffset = 4;
constexpr int DirectoryOffset = 6;
constexpr int EntrySize = 16;
constexpr int EntryDataSize = 8; // in an entry: the image's size in bytes, then its offset in the file
constexpr int EntryDataOffset = 12;
} // namespace ico

// Whether a picture file reaches the end its format marks. A GIF or JPEG cut short keeps a good header
// and decodes without an error into the top of the picture, so only its last bytes tell; they are read
// rather than the whole file, to keep the start quick.
bool reachesItsEnd(QFile& file) {
    constexpr int HeadSize = 6, TailSize = 32; // some writers pad after a JPEG's end mark
    const qint64 size = file.size();
    const QByteArray head = file.seek(0) ? file.read(HeadSize) : QByteArray();
    const QByteArray tail =
        file.seek(std::max<qint64>(0, size - TailSize)) ? file.read(TailSize) : QByteArray();
    if (head.startsWith(GifSignature))
        return tail.endsWith(GifEnd);
    if (head.startsWith(jpeg::Start))
        return tail.contains(jpeg::End);
    if (head.startsWith(PngSignature))
        return tail.endsWith(PngEnd);
    if (head.startsWith(ico::Signature)) { // every image an icon lists must be there
        const int count = qFromLittleEndian<quint16>(head.constData() + ico::CountOffset);
        const QByteArray entries =
            file.seek(ico::DirectoryOffset) ? file.read(ico::EntrySize * count) : QByteArray();
        if (entries.size() != ico::EntrySize * count)
            return false;
        for (int i = 0; i < count; ++i) {
            const char* entry = entries.constData() + ico::EntrySize * i;
            if (qint64(qFromLittleEndian<quint32>(entry + ico::EntryDataOffset)) +
                    qFromLittleEndian<quint32>(entry + ico::EntryDataSize) >
                size)
                return false;
        }
    }
    return true;
}

// Whether a JPEG file holds a frame of some size before its image data, found by walking its segments as
// the decoder would. Asking the decoder itself would load the JPEG library, some 500 KiB that the main menu
// would then carry for nothing.
bool hasJpegFrame(QFile& file) {
    using namespace jpeg;
    qint64 at = Start.size();
    for (int segments = 0; segments < MostSegments; ++segments) {
        const QByteArray marker = file.seek(at) ? file.read(MarkerSize) : QByteArray();
        if (marker.size() < MarkerSize || quint8(marker[0]) != MarkerPrefix)
            return false;
        const quint8 kind = quint8(marker[1]);
        if (kind == MarkerPrefix) { // a fill byte before the marker
            ++at;
            continue;
        }
        const int length = qFromBigEndian<quint16>(marker.constData() + 2);
        if (kind >= FirstFrame && kind <= LastFrame && kind != HuffmanTables && kind != Extension &&
            kind != ArithmeticConditioning) {
            const QByteArray frame = file.read(FrameHeaderSize);
            return length >= SmallestFrameLength && frame.size() == FrameHeaderSize &&
                   qFromBigEndian<quint16>(frame.constData() + 1) > 0 &&
                   qFromBigEndian<quint16>(frame.constData() + 3) > 0;
        }
        if (kind == ScanStart || kind == EndMarker ||
            length < 2) // image data or the end, with no frame before
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
    const bool header = file.peek(jpeg::Start.size()) == jpeg::Start ? hasJpegFrame(file) : [&] {
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
