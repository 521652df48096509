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

QStringList assetFiles(const QStringList& filters = {}) {
    return QDir(assetsDir).entryList(filters, QDir::Files | QDir::Hidden, QDir::Name);
}

// Longest sound allowed: a letter must end before Hangman goes on, the feedback sounds before
// their window starts them again 2 s later.
double maxSeconds(const QString& fileName) {
    const QString name = fileName.toLower();
    if (name.size() == 5 && name[0].isLetter() && name.endsWith(".wav"))
        return 1.0;
    return name == "gotit.wav" || name == "uhoh.wav" ? 1.8 : 3.0;
}

struct WavInfo {
    QString error; // empty when a whole data chunk was found
    quint16 format = 0, channels = 0, bits = 0;
    quint32 rate = 0, dataBytes = 0;
};

WavInfo readWav(const QString& path) {
    WavInfo info;
    QFile file(path);
    const QByteArray d = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    if (!d.startsWith("RIFF") || d.mid(8, 4) != "WAVE") {
        info.error = "not a RIFF/WAVE file";
        return info;
    }
    // Walk the chunks: encoders may put others (LIST and so on) before the data.
    for (qsizetype pos = 12; pos + 8 <= d.size();) {
        const QByteArray id = d.mid(pos, 4);
        const quint32 size = qFromLittleEndian<quint32>(d.constData() + pos + 4);
        const char* body = d.constData() + pos + 8;
        if (pos + 8 + qsizetype(size) > d.size())
            break;
        if (id == "fmt " && size >= 16) {
            info.format = qFromLittleEndian<quint16>(body);
            info.channels = qFromLittleEndian<quint16>(body + 2);
            info.rate = qFromLittleEndian<quint32>(body + 4);
            info.bits = qFromLittleEndian<quint16>(body + 14);
        } else if (id == "data") {
            info.dataBytes = size;
            return info;
        }
        pos += 8 + size + (size & 1);
    }
    info.error = "no whole data chunk";
    return info;
}

// The sizes of every image in the file, largest first, as "32x32, 16x16".
QString frameSizes(const QString& path, QString* format) {
    QImageReader reader(path);
    *format = QString::fromLatin1(reader.format());
    QList<QSize> sizes;
    do {
        const QImage frame = reader.read();
        if (frame.isNull())
            break;
        sizes << frame.size();
    } while (reader.jumpToNextImage());
    std::sort(sizes.begin(), sizes.end(),
              [](QSize a, QSize b) { return a.width() * a.height() > b.width() * b.height(); });
    QStringList parts;
    for (const QSize& s : sizes)
        parts << QStringLiteral("%1x%2").arg(s.width()).arg(s.height());
    return parts.join(", ");
}

} // namespace

class ResourcesTest : public QObject {
    Q_OBJECT

private slots:
    // Every name the program asks for is there, once, found without regard to case; every file is asked
    // for (anything else is a misspelt name or a leftover); "\.wav" stays missing so the alert plays.
    void namesMatchTheProgram() {
        QHash<QString, QStringList> byKey;
        for (const QString& name : assetFiles())
            if (name != "CREDITS")
                byKey[name.toLower()] << name;
        QVERIFY2(!byKey.isEmpty(), "the media folder is empty");
        QSet<QString> asked;
        QStringList missing, clashes, unused;
        for (const MediaFile& file : mediaManifest()) {
            const QString& name = file.name();
            QVERIFY2(name.startsWith('\\') || name.startsWith('/'), qPrintable(name));
            const QString key = name.mid(1).toLower();
            asked.insert(key);
            if (!byKey.contains(key))
                missing << name;
        }
        for (auto it = byKey.cbegin(); it != byKey.cend(); ++it) {
            if (it.value().size() > 1)
                clashes << it.value().join(" / ");
            if (!asked.contains(it.key()))
                unused << it.value();
        }
        QVERIFY2(!byKey.contains(".wav") && !asked.contains(".wav"), "\"\\.wav\" must name no file");
        QVERIFY2(clashes.isEmpty(), qPrintable("names differing only in case: " + clashes.join("; ")));
        QVERIFY2(missing.isEmpty(), qPrintable("missing from assets/: " + missing.join(", ")));
        QVERIFY2(unused.isEmpty(), qPrintable("files the program never asks for: " + unused.join(", ")));
    }

    void everyFileIsCredited() {
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

    void wavFormat_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<double>("maxSeconds");
        for (const QString& name : assetFiles({"*.wav"}))
            QTest::newRow(qPrintable(name)) << assetsDir + "/" + name << maxSeconds(name);
        QTest::newRow("built-in alert") << resourcesDir + "/sounds/alert.wav" << 3.0;
    }

    void wavFormat() {
        QFETCH(QString, path);
        QFETCH(double, maxSeconds);
        const WavInfo wav = readWav(path);
        QVERIFY2(wav.error.isEmpty(), qPrintable(wav.error));
        QCOMPARE(wav.format, quint16(1)); // PCM
        QCOMPARE(wav.channels, quint16(1));
        QCOMPARE(wav.bits, quint16(16));
        QCOMPARE(wav.rate, quint32(44100));
        const double seconds = wav.dataBytes / (44100.0 * 2);
        QVERIFY2(seconds >= 0.2 && seconds <= maxSeconds,
                 qPrintable(QStringLiteral("%1 s long, %2 s at most").arg(seconds).arg(maxSeconds)));
    }

    // Every picture of the media folder, between the least size that still reads and the largest its
    // window has room for.
    void mediaPictures_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QSize>("least");
        QTest::addColumn<QSize>("most");
        for (const QString& name : assetFiles({"*.gif", "*.jpg"})) {
            const QString base = QFileInfo(name).completeBaseName().toLower();
            QSize least(100, 100), most(185, 208); // the word pictures, above the spelling game's hint
            if (base.size() == 1)
                least = {32, 32}, most = {48, 48}; // letter tiles: some board slots are 48 px apart
            else if (base == "circle")
                least = {30, 30}, most = {36, 36};
            else if (base == "wordpot")
                least = {150, 150}, most = {200, 192}; // the splash's 3000 x 2880 twip picture place
            QTest::newRow(qPrintable(name)) << assetsDir + "/" + name << least << most;
        }
    }

    void mediaPictures() {
        QFETCH(QString, path);
        QFETCH(QSize, least);
        QFETCH(QSize, most);
        QImageReader reader(path);
        QCOMPARE(reader.format(), path.endsWith(".jpg") ? QByteArray("jpeg") : QByteArray("gif"));
        const QImage image = reader.read();
        QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
        QVERIFY2(image.width() >= least.width() && image.height() >= least.height() &&
                     image.width() <= most.width() && image.height() <= most.height(),
                 qPrintable(QStringLiteral("%1x%2").arg(image.width()).arg(image.height())));
    }

    // Pictures of an exact size: the built-in artwork, and the face icons, whose large image fills
    // the feedback windows and whose small one sits on a button.
    void exactPictures_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("sizes");
        const auto row = [](const QString& path, const char* format, const char* sizes) {
            QTest::newRow(qPrintable(QFileInfo(path).fileName())) << path << format << sizes;
        };
        const QString r = resourcesDir + "/";
        row(r + "pictures/stop.gif", "gif", "100x100");
        row(r + "pictures/icon.ico", "ico", "32x32, 16x16");
        row(r + "pictures/icon-256.png", "png", "256x256");
        row(r + "bitmaps/101.bmp", "bmp", "300x300");
        row(r + "bitmaps/102.bmp", "bmp", "150x100");
        row(r + "bitmaps/103.bmp", "bmp", "200x200");
        row(r + "pictures/cmdwordpot.jpg", "jpeg", "160x150");
        row(r + "pictures/cmdhangman.gif", "gif", "150x100");
        row(r + "pictures/background.jpg", "jpeg", "600x495");
        row(r + "pictures/erase.gif", "gif", "40x40");
        row(r + "pictures/happyface.ico", "ico", "32x32, 16x16");
        row(r + "pictures/sadface.ico", "ico", "32x32, 16x16");
        row(r + "cursors/happy.ico", "ico", "32x32, 16x16");
        row(r + "cursors/sad.ico", "ico", "32x32");
        for (const QString& name : assetFiles({"*.ico"}))
            row(assetsDir + "/" + name, "ico", "256x256, 32x32");
    }

    void exactPictures() {
        QFETCH(QString, path);
        QFETCH(QString, format);
        QFETCH(QString, sizes);
        QVERIFY2(QFileInfo::exists(path), "missing");
        QString actualFormat;
        QCOMPARE(frameSizes(path, &actualFormat), sizes);
        QCOMPARE(actualFormat, format);
    }
};

QTEST_MAIN(ResourcesTest)
#include "tst_resources.moc"
