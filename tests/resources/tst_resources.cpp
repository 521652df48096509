// The media folder holds every file the program asks for, once and credited, in formats it can play;
// pictures, the built-in ones too, have the sizes the windows' layouts leave them.
#include "app/mediacheck.h"
#include "forms/pictures.h"
#include "testsupport.h"

#include <QDir>
#include <QImageReader>
#include <QSet>
#include <QtEndian>
#include <QTest>

namespace {
const QString assetsDir = QStringLiteral(WORDPOT_ASSETS_DIR);

// Every image of a picture file: an icon's sizes, another file's first frame.
QList<QImage> images(const QString& path) {
    QList<QImage> all;
    QImageReader reader(path);
    do {
        const QImage image = reader.read();
        if (image.isNull())
            break;
        all << image;
    } while (path.endsWith(".ico") && reader.jumpToNextImage());
    return all;
}

QStringList assetFiles(const QStringList& filters) {
    QStringList files = QDir(assetsDir).entryList(filters, QDir::Files | QDir::Hidden, QDir::Name);
    files.removeAll(QStringLiteral("CREDITS"));
    return files;
}
} // namespace

class ResourcesTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { testsupport::prepare(); }

    // Every name the program's tables ask for is there, found case-blind, once, and credited; every file
    // is asked for (anything else is a misspelt name or a leftover); "\.wav" names no file, so the alert
    // plays for it.
    void namesMatchTheProgram() {
        QFile credits(assetsDir + "/CREDITS");
        QVERIFY(credits.open(QIODevice::ReadOnly | QIODevice::Text));
        QSet<QString> credited;
        for (const QByteArray& line : credits.readAll().split('\n'))
            credited.insert(QString::fromUtf8(line).section(' ', 0, 0, QString::SectionSkipEmpty));
        QHash<QString, QStringList> onDisk;
        for (const QString& name : assetFiles({})) {
            QVERIFY2(credited.contains(name), qPrintable("not in assets/CREDITS: " + name));
            onDisk[name.toLower()] << name;
        }
        QSet<QString> asked;
        for (const MediaFile& file : mediaManifest()) {
            const QString key = file.name().mid(1).toLower(); // after its "\" or "/"
            asked << key;
            QVERIFY2(onDisk.contains(key), qPrintable("missing from assets/: " + file.name()));
        }
        QVERIFY(!asked.contains(".wav"));
        // A picture's 2x file is asked for with the picture.
        for (auto it = onDisk.cbegin(); it != onDisk.cend(); ++it)
            QVERIFY2(it->size() == 1 && asked.contains(QString(it.key()).replace("@2x.", ".")),
                     qPrintable("unasked or twice: " + it->join(' ')));
    }

    // A plain header, then 16-bit PCM mono at 44.1 kHz. A letter must end before Hangman goes on, and the
    // feedback sounds before their window starts them again.
    void wavFormat_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<double>("maxSeconds");
        for (const QString& name : assetFiles({"*.wav"})) {
            const double most = name.size() == 5                            ? 1.0
                                : name == "gotit.wav" || name == "uhoh.wav" ? 1.8
                                                                            : 3.0;
            QTest::newRow(qPrintable(name)) << assetsDir + "/" + name << most;
        }
        QTest::newRow("built-in alert") << QStringLiteral(":/sounds/alert.wav") << 3.0;
    }

    void wavFormat() {
        QFETCH(QString, path);
        QFETCH(double, maxSeconds);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray d = file.readAll();
        QCOMPARE(d.left(4) + d.mid(8, 8) + d.mid(36, 4), QByteArray("RIFFWAVEfmt data"));
        const auto le = [&](int at, int bytes) -> quint32 {
            return bytes == 2 ? qFromLittleEndian<quint16>(d.constData() + at)
                              : qFromLittleEndian<quint32>(d.constData() + at);
        };
        const quint32 dataBytes = le(40, 4);
        // PCM, mono, rate, bits, and a data chunk that runs to the end of the file.
        QCOMPARE((QList<quint32>{le(20, 2), le(22, 2), le(24, 4), le(34, 2), dataBytes}),
                 (QList<quint32>{1, 1, 44100, 16, quint32(d.size() - 44)}));
        QVERIFY2(dataBytes >= 0.2 * 88200 && dataBytes <= maxSeconds * 88200,
                 qPrintable(QString::number(dataBytes / 88200.0)));
    }

    // Every picture has a 2x file of twice its size (each image of an icon too), and the screen decides which
    // one is shown: the 1x file at 100 %, the 2x file at 200 %, and between them the 2x file brought down to
    // the screen's pixels. Whichever it is, it takes the 1x picture's size in the layout.
    void picturesForTheScreen_data() {
        QTest::addColumn<QString>("file");
        for (const QString& name : assetFiles({"*.gif", "*.jpg", "*.ico"})) {
            if (!name.contains("@2x."))
                QTest::newRow(qPrintable(name)) << assetsDir + "/" + name;
        }
        for (const char* name :
             {":/pictures/stop.gif", ":/pictures/icon.ico", ":/pictures/cmdwordpot.png",
              ":/pictures/cmdhangman.gif", ":/pictures/background.jpg", ":/pictures/erase.gif",
              ":/pictures/happyface.ico", ":/pictures/sadface.ico", ":/cursors/happy.ico",
              ":/cursors/sad.ico", ":/bitmaps/101.bmp", ":/bitmaps/102.bmp", ":/bitmaps/103.bmp"})
            QTest::newRow(name) << QString(name);
    }
    void picturesForTheScreen() {
        QFETCH(QString, file);
        const QString name = QFileInfo(file).fileName();
        const forms::Picture picture = file.startsWith(":/bitmaps/")
                                           ? forms::LoadResPicture(name.left(3).toInt())
                                       : file.startsWith(":/") ? forms::builtInPicture(file)
                                                               : forms::LoadPicture(MediaFile("\\" + name));
        const qsizetype dot = file.lastIndexOf('.');
        const QList<QImage> one = images(file);
        const QList<QImage> two = images(file.left(dot) + "@2x" + file.mid(dot));
        QCOMPARE(two.size(), one.size());
        QCOMPARE(picture.sizes().size(), one.size());
        const qreal ratio = forms::pictureRatio();
        for (int i = 0; i < one.size(); ++i) {
            QCOMPARE(two[i].size(), one[i].size() * 2);
            const QPixmap shown = picture.sizes()[i];
            QCOMPARE(forms::Picture::layoutSize(shown), one[i].size());
            QCOMPARE(shown.size(), (QSizeF(one[i].size()) * ratio).toSize());
            if (ratio == 1 || ratio == 2)
                QVERIFY(shown.toImage().convertToFormat(QImage::Format_ARGB32) ==
                        (ratio == 1 ? one : two)[i].convertToFormat(QImage::Format_ARGB32));
        }
    }

    // Each picture, at the size a control shows it (an icon's 32 x 32 image), fits the place its window
    // leaves it: a letter tile that grew would overlap its neighbour on the board.
    void picturesFitTheirPlaces() {
        using Bounds = std::pair<QSize, QSize>;
        const auto check = [&](const QString& name, const forms::Picture& picture, Bounds bounds) {
            const QSize size = forms::Picture::layoutSize(picture.natural());
            QVERIFY2(!size.isEmpty() && size.expandedTo(bounds.first) == size &&
                         size.boundedTo(bounds.second) == size,
                     qPrintable(QStringLiteral("%1 %2x%3").arg(name).arg(size.width()).arg(size.height())));
        };
        for (const QString& name : assetFiles({"*.gif", "*.jpg", "*.ico"})) {
            if (name.contains("@2x."))
                continue;
            const QString base = QFileInfo(name).completeBaseName().toLower();
            const forms::Picture picture = forms::LoadPicture(MediaFile("\\" + name));
            check(name, picture,
                  base.size() == 1    ? Bounds{{32, 32}, {48, 48}} // letter tiles: board slots 48 px apart
                  : base == "circle"  ? Bounds{{30, 30}, {36, 36}} // Hangman's 33 px circles
                  : base == "wordpot" ? Bounds{{150, 150}, {200, 192}}       // the splash's picture place
                  : name.endsWith(".ico") ? Bounds{{32, 32}, {32, 32}}       // faces on Hangman's button
                                          : Bounds{{100, 100}, {185, 208}}); // word pictures, above the hint
            // A face stretched over a feedback window is drawn from its large image.
            QVERIFY2(!name.endsWith(".ico") || picture.forSize({256, 256}).width() >= 256, qPrintable(name));
        }
        check("stop sign", forms::builtInPicture(":/pictures/stop.gif"), {{100, 100}, {100, 100}});
        check("the exit's question", forms::LoadResPicture(101), {{300, 300}, {300, 300}});
        check("the bowl under the board", forms::builtInPicture(":/pictures/background.jpg"),
              {{600, 495}, {600, 495}});
        for (const char* icon : {":/pictures/icon.ico", ":/pictures/happyface.ico", ":/pictures/sadface.ico",
                                 ":/cursors/happy.ico", ":/cursors/sad.ico"})
            check(icon, forms::builtInPicture(icon), {{32, 32}, {32, 32}});
    }
};

QTEST_MAIN(ResourcesTest)
#include "tst_resources.moc"
