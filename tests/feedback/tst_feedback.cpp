// The happy and sad feedback windows: the sound and face of every tick and the tick that closes them, a
// click on the face, and a fresh start at every showing. The face files come from a media folder made here.
#include "feedback/faces.h"
#include "feedback/frmHappyFace.h"
#include "feedback/frmSadface.h"
#include "media/mediafolder.h"
#include "testsupport.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
feedback::FaceWindow& window(const QString& which) {
    return which == "happy"_L1 ? static_cast<feedback::FaceWindow&>(Forms::get<frmHappyFace>())
                               : Forms::get<frmSadface>();
}

forms::Image* face(const QString& which) {
    return window(which).client()->findChild<forms::Image*>();
}

// "built-in", or the name of the face file, whose red is 40 times its number.
QString shown(const QString& which) {
    const QImage picture = face(which)->picture().natural().toImage();
    if (picture == forms::builtInPicture(u":/pictures/%1face.ico"_s.arg(which)).natural().toImage())
        return u"built-in"_s;
    return u"face0%1"_s.arg(picture.pixelColor(0, 0).red() / 40);
}
} // namespace

class FeedbackTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        testsupport::prepare();
        for (int n = 1; n <= 5; ++n) {
            QImage image(64, 64, QImage::Format_RGB32);
            image.fill(QColor(40 * n, 0, 0));
            QVERIFY(image.save(m_media.filePath(u"face0%1.ico"_s.arg(n)), "PNG"));
        }
        MediaFolder::setPathForTesting(m_media.path());
    }
    void cleanup() { Forms::destroyAll(); }

    // By hand, one face per tick, each after the sound its tick started, until the tick that closes.
    void showings_data() {
        QTest::addColumn<QString>("sequence");
        QTest::newRow("happy")
            << u"/gotit.wav over built-in; face03; face02; /gotit.wav over face02; face05; "
               "face02; /gotit.wav over face02; face03; closed"_s;
        // The sad face changes before its sound starts.
        QTest::newRow("sad")
            << u"\\uhoh.wav over face04; face04; face01; \\uhoh.wav over face04; face04; closed"_s;
    }
    void showings() {
        QFETCH(QString, sequence);
        const QString which = QString::fromLatin1(QTest::currentDataTag());
        feedback::FaceWindow& f = window(which);
        QStringList events;
        const QList<MediaFile> checked = feedback::mediaFiles(); // what the start-up check looks for
        const testsupport::SoundLog sounds([&](const testsupport::SoundLog::Call& call) {
            QVERIFY(!call.wait && checked.contains(MediaFile(call.name)));
            events << call.name + u" over "_s + shown(which);
        });
        // On the real clock, the first tick comes a second after the window opens. The face is stretched
        // over the window, and the pointer is a face too. A click on the face closes the window at once:
        // nothing more is read or played, and no tick follows.
        QElapsedTimer clock;
        clock.start();
        f.show();
        QVERIFY(QTest::qWaitFor([&] { return !events.isEmpty(); }, 3000));
        QVERIFY2(clock.elapsed() >= 1000 && clock.elapsed() < 2500,
                 qPrintable(QString::number(clock.elapsed())));
        QVERIFY(face(which)->width() > 250 && face(which)->height() > 250);
        QCOMPARE(f.window()->cursor().pixmap().toImage(),
                 forms::builtInPicture(u":/cursors/%1.ico"_s.arg(which)).natural().toImage());
        QCOMPARE(f.window()->cursor().hotSpot(), QPoint(16, 16)); // its middle
        const QStringList heard = events;
        QTest::mouseClick(face(which), Qt::LeftButton);
        QVERIFY(!f.isLoaded());
        QTest::qWait(1100);
        QVERIFY(events == heard && f.Ticks == 2);

        for (int showing = 1; showing <= 2; ++showing) { // each showing starts afresh
            events.clear();
            testsupport::settle();
            f.load();
            QCOMPARE(shown(which), u"built-in"_s);
            while (f.isLoaded() && events.size() < 20) {
                f.Timer1_Timer();
                events << (f.isLoaded() ? shown(which) : u"closed"_s);
                QVERIFY(!f.isLoaded() || checked.contains(MediaFile(u"\\%1.ico"_s.arg(shown(which)))));
            }
            QCOMPARE(events.join(u"; "_s), sequence);
        }
    }

private:
    QTemporaryDir m_media;
};

QTEST_MAIN(FeedbackTest)
#include "tst_feedback.moc"
