// The happy and sad feedback windows: their frames and built-in faces, the sound and face of every tick
// and the tick that closes them, closing by a click on the face or the close box, and a fresh start at
// every showing. The face icons come from a media folder made here, one colour per file.
#include "feedback/faces.h"
#include "feedback/frmHappyFace.h"
#include "feedback/frmSadface.h"
#include "forms/units.h"
#include "media/mediafolder.h"
#include "testsupport.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

using testsupport::SoundLog;

namespace {
// Each face file's large image has its own colour; its small image is black, so showing it is caught.
const QMap<QString, QColor> FaceColours{{"face01", Qt::red},
                                        {"face02", Qt::green},
                                        {"face03", Qt::blue},
                                        {"face04", Qt::cyan},
                                        {"face05", Qt::magenta}};
constexpr int LargeIcon = 256;
constexpr int SmallIcon = 32;

QByteArray png(int size, const QColor& colour) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// An icon file with a large and a small image, both stored as PNG.
void writeIcon(const QString& path, const QColor& colour) {
    const QList<QByteArray> images{png(LargeIcon, colour), png(SmallIcon, Qt::black)};
    QByteArray file;
    QDataStream out(&file, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint16(0) << quint16(1) << quint16(images.size());
    quint32 offset = 6 + 16 * quint32(images.size());
    for (int i = 0; i < images.size(); ++i) {
        const quint8 side = i == 0 ? 0 : SmallIcon; // 0 stands for 256
        out << side << side << quint8(0) << quint8(0) << quint16(1) << quint16(32)
            << quint32(images[i].size()) << offset;
        offset += quint32(images[i].size());
    }
    for (const QByteArray& image : images)
        out.writeRawData(image.constData(), int(image.size()));
    QFile target(path);
    QVERIFY(target.open(QIODevice::WriteOnly));
    target.write(file);
}

// What a face control shows: "built-in", a face file's name, or "other".
QString faceShown(const Image* image, const QString& builtIn) {
    if (image->picture().natural().toImage() == builtInPicture(builtIn).natural().toImage())
        return QStringLiteral("built-in");
    const QImage shown = image->shownPixmap().toImage();
    if (shown.width() == LargeIcon)
        return FaceColours.key(shown.pixelColor(0, 0), QStringLiteral("other"));
    return QStringLiteral("other");
}

// One of the two windows, seen the same way.
struct Face {
    Form* form;
    std::function<Image*()> image;
    std::function<qint16&()> ticks;
    std::function<void()> tick;
    std::function<Timer*()> timer;
    QString builtIn;
    QString cursor;
};

template <class Window> Face faceOf(QPointer<Image> Window::*image, const char* builtIn, const char* cursor) {
    return {&Forms::get<Window>(),
            [image] { return (Forms::get<Window>().*image).data(); },
            []() -> qint16& { return Forms::get<Window>().Ticks; },
            [] { Forms::get<Window>().Timer1_Timer(); },
            [] { return Forms::get<Window>().Timer1.data(); },
            QLatin1String(builtIn),
            QLatin1String(cursor)};
}

Face face(const QString& which) {
    return which == QLatin1String("happy")
               ? faceOf(&frmHappyFace::ImgHappyFace, ":/pictures/happyface.ico", ":/cursors/happy.ico")
               : faceOf(&frmSadface::ImgSadface, ":/pictures/sadface.ico", ":/cursors/sad.ico");
}
} // namespace

class FeedbackTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        testsupport::prepare();
        QVERIFY(m_media.isValid());
        for (auto it = FaceColours.begin(); it != FaceColours.end(); ++it)
            writeIcon(m_media.filePath(it.key() + QStringLiteral(".ico")), it.value());
        MediaFolder::setPathForTesting(m_media.path());
    }
    void cleanup() { Forms::destroyAll(); }

    void windowsAsDesigned_data() {
        QTest::addColumn<QString>("which");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QSize>("client");
        QTest::addColumn<bool>("sizable");
        QTest::addColumn<QRect>("faceRect");
        QTest::newRow("happy") << "happy"
                               << "Wordpot" << QSize(310, 291) << false << QRect(8, 16, 296, 264);
        QTest::newRow("sad") << "sad"
                             << "Form1" << QSize(308, 289) << true << QRect(0, 16, 305, 273);
    }

    void windowsAsDesigned() {
        QFETCH(QString, which);
        QFETCH(QString, caption);
        QFETCH(QSize, client);
        QFETCH(bool, sizable);
        QFETCH(QRect, faceRect);
        const Face f = face(which);
        f.form->load();
        QWidget* window = f.form->window();
        QCOMPARE(window->windowTitle(), caption);
        QCOMPARE(f.form->clientSize(), client);
        QCOMPARE(window->minimumSize() != window->maximumSize(), sizable);
        QCOMPARE(bool(window->windowFlags() & Qt::WindowMinimizeButtonHint), sizable);
        QCOMPARE(bool(window->windowFlags() & Qt::WindowMaximizeButtonHint), sizable);
        QCOMPARE(f.form->client()->grab().toImage().pixelColor(2, 2), QColor(Qt::white));
        QCOMPARE(f.image()->geometry(), faceRect);
        QVERIFY(f.image()->stretch());
        QCOMPARE(faceShown(f.image(), f.builtIn), QStringLiteral("built-in"));
        QCOMPARE(f.ticks(), qint16(1));
        QCOMPARE(f.timer()->interval(), 1000);
        QVERIFY(f.timer()->isEnabled());
        // The face cursor over the whole window, pointing from its middle.
        const QCursor cursor = window->cursor();
        QCOMPARE(cursor.shape(), Qt::BitmapCursor);
        QCOMPARE(cursor.hotSpot(), QPoint(16, 16));
        QCOMPARE(cursor.pixmap().toImage(), builtInPicture(f.cursor).natural().toImage());
        QCOMPARE(f.image()->cursor().shape(), Qt::BitmapCursor);
    }

    void eachTickPlaysAndShowsItsRowThenCloses_data() {
        QTest::addColumn<QString>("which");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("happy") << "happy"
                               << QStringList{"1: sound /gotit.wav over built-in", "1: face03", "2: face02",
                                              "3: sound /gotit.wav over face02",   "3: face05", "4: face02",
                                              "5: sound /gotit.wav over face02",   "5: face03", "6: closed"};
        QTest::newRow("sad") << "sad"
                             << QStringList{"1: sound \\uhoh.wav over face04", // the face is already there
                                            "1: face04",
                                            "2: face01",
                                            "3: sound \\uhoh.wav over face04",
                                            "3: face04",
                                            "4: closed"};
    }

    void eachTickPlaysAndShowsItsRowThenCloses() {
        QFETCH(QString, which);
        QFETCH(QStringList, expected);
        const Face f = face(which);
        QStringList events;
        int tick = 0;
        const SoundLog sounds([&](const SoundLog::Call& call) {
            QVERIFY(!call.wait);
            events << QStringLiteral("%1: sound %2 over %3")
                          .arg(tick)
                          .arg(call.name, faceShown(f.image(), f.builtIn));
        });
        f.form->load();
        while (f.form->isLoaded() && tick < 10) {
            tick = f.ticks();
            const QString before = faceShown(f.image(), f.builtIn);
            f.tick();
            if (!f.form->isLoaded()) {
                events << QStringLiteral("%1: closed").arg(tick);
                QCOMPARE(f.ticks(), qint16(tick)); // the closing tick leaves the count alone
            } else if (faceShown(f.image(), f.builtIn) != before) {
                events << QStringLiteral("%1: %2").arg(tick).arg(faceShown(f.image(), f.builtIn));
            }
        }
        QCOMPARE(events, expected);

        // The next showing starts again from the built-in face and tick 1.
        testsupport::settle();
        f.form->load();
        QCOMPARE(f.ticks(), qint16(1));
        QCOMPARE(faceShown(f.image(), f.builtIn), QStringLiteral("built-in"));
        QVERIFY(f.timer()->isEnabled());
    }

    void aClickOnTheFaceClosesBeforeAnythingIsReadOrPlayed_data() {
        QTest::addColumn<QString>("which");
        QTest::newRow("happy") << "happy";
        QTest::newRow("sad") << "sad";
    }

    void aClickOnTheFaceClosesBeforeAnythingIsReadOrPlayed() {
        QFETCH(QString, which);
        const Face f = face(which);
        const SoundLog sounds;
        QString shownAtClose;
        bool closedByClick = false;
        testsupport::whenShown(*f.form, [&] {
            QTest::mouseClick(f.image(), Qt::LeftButton);
            closedByClick = !f.form->isLoaded();
            shownAtClose = faceShown(f.image(), f.builtIn); // the control goes later, not under the click
            f.form->unload();
        });
        QElapsedTimer clock;
        clock.start();
        f.form->showModal();
        QVERIFY(closedByClick);
        QVERIFY(clock.elapsed() < 1000);
        QCOMPARE(shownAtClose, QStringLiteral("built-in"));
        QTest::qWait(1300); // no tick comes after the close
        QVERIFY(sounds.calls.isEmpty());
    }

    void unloadingAClosedWindowIsHarmless() {
        Forms::get<frmHappyFace>().unload();
        QVERIFY(!Forms::get<frmHappyFace>().isLoaded());
        QCOMPARE(Forms::loadedCount(), 0);
    }

    void mediaFilesNameEveryFileOnce() {
        QCOMPARE(feedback::mediaFiles(),
                 QStringList({"/gotit.wav", "\\face03.ico", "\\face02.ico", "\\face05.ico", "\\uhoh.wav",
                              "\\face04.ico", "\\face01.ico"}));
    }

private:
    QTemporaryDir m_media;
};

QTEST_MAIN(FeedbackTest)
#include "tst_feedback.moc"
