// Checks that the media folder holds every file the program asks for, once, in formats the
// program can play and show, and that the built-in artwork has the sizes the windows lay out.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImageReader>
#include <QSet>
#include <QtEndian>
#include <QTest>

#include "app/mediacheck.h"

namespace {

const QString assetsDir = QStringLiteral(WORDPOT_ASSETS_DIR);
const QString resourcesDir = QStringLiteral(WORDPOT_RESOURCES_DIR);

// Longest sound allowed: a letter must end before Hangman goes on, the feedback sounds before
// their window starts them again 2 s later.
double maxSeconds(const QString& fileName) {
    const QString name = fileName.toLower();
    if (name.size() == 5 && name[0] >= 'a' && name[0] <= 'z' && name.endsWith(".wav"))
        return 1.0;
    if (name == "gotit.wav" || name == "uhoh.wav")
        return 1.8;
    return 3.0;
}

QStringList assetFiles() {
    return QDir(assetsDir).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

// The media name as the program asks for it, without its leading separator, in lower case:
// the key under which the case-blind lookup finds a file.
QString mediaKey(const QString& requested) {
    QString name = requested;
    while (name.startsWith('\\') || name.startsWith('/'))
        name.remove(0, 1);
    return name.toLower();
}

struct WavInfo {
    QString error; // empty when the header was read
    quint16 format = 0, channels = 0, bits = 0;
    quint32 rate = 0, dataBytes = 0;
};

WavInfo readWav(const QString& path) {
    WavInfo info;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        info.error = "cannot open";
        return info;
    }
    const QByteArray d = file.readAll();
    if (d.size() < 12 || !d.startsWith("RIFF") || d.mid(8, 4) != "WAVE") {
        info.error = "not a RIFF/WAVE file";
        return info;
    }
    bool haveFormat = false;
    qsizetype pos = 12;
    while (pos + 8 <= d.size()) {
        const QByteArray id = d.mid(pos, 4);
        const quint32 size = qFromLittleEndian<quint32>(d.constData() + pos + 4);
        const char* body = d.constData() + pos + 8;
        if (pos + 8 + qsizetype(size) > d.size()) {
            info.error = "chunk " + QString::fromLatin1(id) + " runs past the end of the file";
            return info;
        }
        if (id == "fmt " && size >= 16) {
            info.format = qFromLittleEndian<quint16>(body);
            info.channels = qFromLittleEndian<quint16>(body + 2);
            info.rate = qFromLittleEndian<quint32>(body + 4);
            info.bits = qFromLittleEndian<quint16>(body + 14);
            haveFormat = true;
        } else if (id == "data") {
            info.dataBytes = size;
            if (!haveFormat)
                info.error = "no fmt chunk before the data";
            return info;
        }
        pos += 8 + size + (size & 1);
    }
    info.error = "no data chunk";
    return info;
}

QList<QSize> frameSizes(const QString& path, QString* format) {
    QImageReader reader(path);
    *format = QString::fromLatin1(reader.format());
    QList<QSize> sizes;
    do {
        const QImage frame = reader.read();
        if (frame.isNull())
            break;
        sizes << frame.size();
    } while (reader.jumpToNextImage());
    return sizes;
}

QString describe(const QList<QSize>& sizes) {
    QStringList parts;
    for (const QSize& s : sizes)
        parts << QStringLiteral("%1x%2").arg(s.width()).arg(s.height());
    return parts.join(", ");
}

} // namespace

class TestMedia : public QObject {
    Q_OBJECT

private slots:
    void oneFilePerCaseBlindName();
    void noFileNamedBareWav();
    void requiredNames_data();
    void requiredNames();
    void everyFileIsAskedFor();
    void everyFileIsCredited();
    void wavFormat_data();
    void wavFormat();
    void mediaPictures_data();
    void mediaPictures();
    void builtInPictures_data();
    void builtInPictures();
    void bitmapDepth_data();
    void bitmapDepth();
};

void TestMedia::oneFilePerCaseBlindName() {
    // The program finds its files without regard to case: two spellings of one name would
    // make which file it gets depend on the order of a directory listing.
    QHash<QString, QStringList> byKey;
    for (const QString& name : assetFiles())
        byKey[name.toLower()] << name;
    QStringList clashes;
    for (auto it = byKey.cbegin(); it != byKey.cend(); ++it)
        if (it.value().size() > 1)
            clashes << it.value().join(" / ");
    QVERIFY2(clashes.isEmpty(), qPrintable("names differing only in case: " + clashes.join("; ")));
    QVERIFY2(!byKey.isEmpty(), "the media folder is empty");
}

void TestMedia::noFileNamedBareWav() {
    // The letter explorer asks for "\.wav" before a letter is chosen; the alert must play.
    for (const QString& name : assetFiles())
        QVERIFY2(name.toLower() != ".wav", qPrintable("the media folder holds " + name));
}

void TestMedia::requiredNames_data() {
    QTest::addColumn<QString>("requested");
    const QStringList names = mediaManifest();
    QVERIFY(!names.isEmpty());
    for (const QString& name : names)
        QTest::newRow(qPrintable(name)) << name;
}

void TestMedia::requiredNames() {
    QFETCH(QString, requested);
    QVERIFY2(requested.startsWith('\\') || requested.startsWith('/'),
             "a media name starts with its own separator");
    const QString key = mediaKey(requested);
    QVERIFY2(key != ".wav", "\"\\.wav\" must stay missing, so that the alert sound plays");
    QStringList matches;
    for (const QString& name : assetFiles())
        if (name.toLower() == key)
            matches << name;
    QVERIFY2(matches.size() == 1,
             qPrintable(QStringLiteral("%1 matches %2 files in assets/").arg(requested).arg(matches.size())));
}

void TestMedia::everyFileIsAskedFor() {
    // A file nobody asks for is a misspelt name or a leftover of a renamed one.
    QSet<QString> asked;
    for (const QString& name : mediaManifest())
        asked.insert(mediaKey(name));
    QStringList unused;
    for (const QString& name : assetFiles())
        if (name != "CREDITS" && !asked.contains(name.toLower()))
            unused << name;
    QVERIFY2(unused.isEmpty(), qPrintable("files the program never asks for: " + unused.join(", ")));
}

void TestMedia::everyFileIsCredited() {
    QFile file(assetsDir + "/CREDITS");
    QVERIFY2(file.open(QIODevice::ReadOnly | QIODevice::Text), "assets/CREDITS is missing");
    QSet<QString> credited;
    for (const QByteArray& line : file.readAll().split('\n'))
        credited.insert(QString::fromUtf8(line).section(' ', 0, 0, QString::SectionSkipEmpty));
    QStringList missing;
    for (const QString& name : assetFiles())
        if (name != "CREDITS" && !credited.contains(name))
            missing << name;
    QVERIFY2(missing.isEmpty(), qPrintable("not in assets/CREDITS: " + missing.join(", ")));
}

void TestMedia::wavFormat_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<double>("maxSeconds");
    const QStringList wavs = QDir(assetsDir).entryList({"*.wav"}, QDir::Files, QDir::Name);
    QVERIFY(!wavs.isEmpty());
    for (const QString& name : wavs)
        QTest::newRow(qPrintable(name)) << assetsDir + "/" + name << maxSeconds(name);
    QTest::newRow("built-in alert") << resourcesDir + "/sounds/alert.wav" << 3.0;
}

void TestMedia::wavFormat() {
    QFETCH(QString, path);
    QFETCH(double, maxSeconds);
    const WavInfo wav = readWav(path);
    QVERIFY2(wav.error.isEmpty(), qPrintable(wav.error));
    QCOMPARE(wav.format, quint16(1)); // PCM
    QCOMPARE(wav.channels, quint16(1));
    QCOMPARE(wav.bits, quint16(16));
    QCOMPARE(wav.rate, quint32(44100));
    const double seconds = wav.dataBytes / (44100.0 * 2);
    QVERIFY2(seconds >= 0.2, qPrintable(QStringLiteral("only %1 s long").arg(seconds)));
    QVERIFY2(seconds <= maxSeconds,
             qPrintable(QStringLiteral("%1 s long, at most %2 s allowed").arg(seconds).arg(maxSeconds)));
}

void TestMedia::mediaPictures_data() {
    // Every picture in the media folder, with the largest size its window has room for.
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("maxSize");
    QTest::addColumn<QSize>("minSize");
    const QStringList pictures = QDir(assetsDir).entryList({"*.gif", "*.jpg"}, QDir::Files, QDir::Name);
    QVERIFY(!pictures.isEmpty());
    for (const QString& name : pictures) {
        const QString base = QFileInfo(name).completeBaseName().toLower();
        QSize most(185, 208), least(100, 100); // the word pictures above the hint
        if (base.size() == 1) {
            most = QSize(48, 48); // letter tiles: some board slots are 48 px apart
            least = QSize(32, 32);
        } else if (base == "circle") {
            most = QSize(36, 36);
            least = QSize(30, 30);
        } else if (base == "wordpot") {
            most = QSize(200, 192); // the splash's 3000 x 2880 twip picture place
            least = QSize(150, 150);
        }
        QTest::newRow(qPrintable(name)) << assetsDir + "/" + name << most << least;
    }
}

void TestMedia::mediaPictures() {
    QFETCH(QString, path);
    QFETCH(QSize, maxSize);
    QFETCH(QSize, minSize);
    QString format;
    const QList<QSize> sizes = frameSizes(path, &format);
    QVERIFY2(!sizes.isEmpty(), "does not decode");
    QCOMPARE(format, path.endsWith(".jpg") ? QString("jpeg") : QString("gif"));
    const QSize size = sizes.first();
    QVERIFY2(size.width() <= maxSize.width() && size.height() <= maxSize.height() &&
                 size.width() >= minSize.width() && size.height() >= minSize.height(),
             qPrintable(describe(sizes)));
}

void TestMedia::builtInPictures_data() {
    // Pictures with an exact size: the built-in artwork, and the face icons, whose large
    // image fills the feedback windows and whose small one sits on a button.
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QList<QSize>>("sizes");
    const QString r = resourcesDir + "/";
    const QSize s16(16, 16), s32(32, 32), s256(256, 256);
    QTest::newRow("stop sign") << r + "pictures/stop.gif"
                               << "gif" << QList<QSize>{{100, 100}};
    QTest::newRow("window icon") << r + "pictures/icon.ico"
                                 << "ico" << QList<QSize>{s32, s16};
    QTest::newRow("large icon") << r + "pictures/icon-256.png"
                                << "png" << QList<QSize>{s256};
    QTest::newRow("bitmap 101") << r + "bitmaps/101.bmp"
                                << "bmp" << QList<QSize>{{300, 300}};
    QTest::newRow("bitmap 102") << r + "bitmaps/102.bmp"
                                << "bmp" << QList<QSize>{{150, 100}};
    QTest::newRow("bitmap 103") << r + "bitmaps/103.bmp"
                                << "bmp" << QList<QSize>{{200, 200}};
    QTest::newRow("Wordpot button") << r + "pictures/cmdwordpot.jpg"
                                    << "jpeg" << QList<QSize>{{160, 150}};
    QTest::newRow("Hangman button") << r + "pictures/cmdhangman.gif"
                                    << "gif" << QList<QSize>{{150, 100}};
    QTest::newRow("board background") << r + "pictures/background.jpg"
                                      << "jpeg" << QList<QSize>{{600, 495}};
    QTest::newRow("erase button") << r + "pictures/erase.gif"
                                  << "gif" << QList<QSize>{{40, 40}};
    QTest::newRow("happy face") << r + "pictures/happyface.ico"
                                << "ico" << QList<QSize>{s32, s16};
    QTest::newRow("sad face") << r + "pictures/sadface.ico"
                              << "ico" << QList<QSize>{s32, s16};
    QTest::newRow("happy cursor") << r + "cursors/happy.ico"
                                  << "ico" << QList<QSize>{s32, s16};
    QTest::newRow("sad cursor") << r + "cursors/sad.ico"
                                << "ico" << QList<QSize>{s32};
    for (int i = 1; i <= 5; ++i) {
        const QString name = QStringLiteral("face%1.ico").arg(i, 2, 10, QLatin1Char('0'));
        QTest::newRow(qPrintable(name)) << assetsDir + "/" + name << "ico" << QList<QSize>{s256, s32};
    }
}

void TestMedia::builtInPictures() {
    QFETCH(QString, path);
    QFETCH(QString, format);
    QFETCH(QList<QSize>, sizes);
    QVERIFY2(QFileInfo::exists(path), "missing");
    QString actualFormat;
    QList<QSize> actual = frameSizes(path, &actualFormat);
    QCOMPARE(actualFormat, format);
    // An icon's images may come in any order; what counts is that each size is there.
    auto byArea = [](const QSize& a, const QSize& b) {
        return a.width() * a.height() > b.width() * b.height();
    };
    std::sort(actual.begin(), actual.end(), byArea);
    std::sort(sizes.begin(), sizes.end(), byArea);
    QCOMPARE(describe(actual), describe(sizes));
}

void TestMedia::bitmapDepth_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("bitsPerPixel");
    QTest::newRow("101: 256 colours") << resourcesDir + "/bitmaps/101.bmp" << 8;
    QTest::newRow("102: true colour") << resourcesDir + "/bitmaps/102.bmp" << 24;
    QTest::newRow("103: 256 colours") << resourcesDir + "/bitmaps/103.bmp" << 8;
}

void TestMedia::bitmapDepth() {
    QFETCH(QString, path);
    QFETCH(int, bitsPerPixel);
    QFile file(path);
    QVERIFY2(file.open(QIODevice::ReadOnly), "missing");
    const QByteArray header = file.read(30);
    QVERIFY2(header.size() == 30 && header.startsWith("BM"), "not a BMP file");
    QCOMPARE(int(qFromLittleEndian<quint16>(header.constData() + 28)), bitsPerPixel);
}

QTEST_MAIN(TestMedia)
#include "tst_media.moc"
