// The happy and sad feedback windows: frames and built-in faces, the sound and face of every tick and the
// tick that closes them, a click on the face, and a fresh start at every showing. The face files come from
// a media folder made here.
#include "feedback/faces.h"
#include "feedback/frmHappyFace.h"
#include "feedback/frmSadface.h"
#include "media/mediafolder.h"
#include "testsupport.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using testsupport::SoundLog;

namespace {
// Face file n is filled with red 40 x n, so the colour names the file.
constexpr int RedStep = 40;

// One of the two windows, seen the same way. The form object lives for the whole run; its controls are
// made anew at every load, so the pointers are held by reference.
struct Face {
    Form& form;
    qint16& ticks;
    QPointer<Image>& image;
    QPointer<Timer>& timer;
    std::function<void()> tick;
    QString name; // "happy" or "sad"

    // "built-in" or the face file's name.
    QString shown() const {
        const QImage picture = image->picture().natural().toImage();
        if (picture == builtInPicture(u":/pictures/%1face.ico"_s.arg(name)).natural().toImage())
            return u"built-in"_s;
        return u"face%1"_s.arg(picture.pixelColor(0, 0).red() / RedStep, 2, 10, QLatin1Char('0'));
    }
};

template <class Window> Face faceOf(Window& w, QPointer<Image>& image, const QString& name) {
    return {w, w.Ticks, image, w.Timer1, [&w] { w.Timer1_Timer(); }, name};
}

Face face(const QString& which) {
    if (which == "happy"_L1)
        return faceOf(Forms::get<frmHappyFace>(), Forms::get<frmHappyFace>().ImgHappyFace, which);
    return faceOf(Forms::get<frmSadface>(), Forms::get<frmSadface>().ImgSadface, which);
}
} // namespace

class FeedbackTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        testsupport::prepare();
        QVERIFY(m_media.isValid());
        for (int n = 1; n <= 5; ++n) {
            QImage image(64, 64, QImage::Format_RGB32);
            image.fill(QColor(RedStep * n, 0, 0));
            QVERIFY(image.save(m_media.filePath(u"face%1.ico"_s.arg(n, 2, 10, QLatin1Char('0'))), "PNG"));
        }
        MediaFolder::setPathForTesting(m_media.path());
    }
    void cleanup() { Forms::destroyAll(); }

    // Every test of this file takes both windows; each takes the columns it needs.
    void windowsAsDesigned_data() {
        QTest::addColumn<QString>("which");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QSize>("client");
        QTest::addColumn<bool>("sizable");
        QTest::addColumn<QRect>("faceRect");
        QTest::addColumn<QString>("sequence");
        QTest::newRow("happy") << u"happy"_s << u"Wordpot"_s << QSize(310, 291) << false
                               << QRect(8, 16, 296, 264)
                               << u"1: sound /gotit.wav over built-in; 1: face03; 2: face02; "
                                  "3: sound /gotit.wav over face02; 3: face05; 4: face02; "
                                  "5: sound /gotit.wav over face02; 5: face03; 6: closed"_s;
        // The sad face changes before its sound starts.
        QTest::newRow("sad") << u"sad"_s << u"Form1"_s << QSize(308, 289) << true << QRect(0, 16, 305, 273)
                             << u"1: sound \\uhoh.wav over face04; 1: face04; 2: face01; "
                                "3: sound \\uhoh.wav over face04; 3: face04; 4: closed"_s;
    }

    void windowsAsDesigned() {
        QFETCH(QString, which);
        QFETCH(QString, caption);
        QFETCH(QSize, client);
        QFETCH(bool, sizable);
        QFETCH(QRect, faceRect);
        const Face f = face(which);
        f.form.load();
        QWidget* window = f.form.window();
        QCOMPARE(window->windowTitle(), caption);
        QCOMPARE(f.form.clientSize(), client);
        QCOMPARE(window->minimumSize() != window->maximumSize(), sizable);
        QCOMPARE(bool(window->windowFlags() & Qt::WindowMaximizeButtonHint), sizable);
        QCOMPARE(f.image->geometry(), faceRect);
        QVERIFY(f.image->stretch());
        QCOMPARE(f.shown(), u"built-in"_s);
        QCOMPARE(f.timer->interval(), 1000);
        // The face cursor over the whole window, pointing from its middle.
        QCOMPARE(window->cursor().pixmap().toImage(),
                 builtInPicture(u":/cursors/%1.ico"_s.arg(which)).natural().toImage());
        QCOMPARE(window->cursor().hotSpot(), QPoint(16, 16));
    }

    void eachTickPlaysAndShowsItsRowThenCloses_data() { windowsAsDesigned_data(); }
    void eachTickPlaysAndShowsItsRowThenCloses() {
        QFETCH(QString, which);
        QFETCH(QString, sequence);
        const Face f = face(which);
        QStringList names; // what the start-up check looks for
        for (const MediaFile& file : feedback::mediaFiles())
            names.append(file.name());
        QCOMPARE(names.removeDuplicates(), 0);
        QStringList events;
        int tick = 0;
        const SoundLog sounds([&](const SoundLog::Call& call) {
            QVERIFY(!call.wait && names.contains(call.name));
            events << u"%1: sound %2 over %3"_s.arg(tick).arg(call.name, f.shown());
        });
        f.form.load();
        while (f.form.isLoaded() && tick < 10) {
            tick = f.ticks;
            const QString before = f.shown();
            f.tick();
            if (!f.form.isLoaded()) {
                events << u"%1: closed"_s.arg(tick);
            } else if (f.shown() != before) {
                events << u"%1: %2"_s.arg(tick).arg(f.shown());
                QVERIFY(names.contains(u"\\%1.ico"_s.arg(f.shown())));
            }
        }
        QCOMPARE(events.join(u"; "_s), sequence);

        // The next showing starts again from the built-in face and tick 1.
        testsupport::settle();
        f.form.load();
        QCOMPARE(f.ticks, qint16(1));
        QCOMPARE(f.shown(), u"built-in"_s);
        QVERIFY(f.timer->isEnabled());
    }

    void aClickOnTheFaceClosesBeforeAnythingIsReadOrPlayed_data() { windowsAsDesigned_data(); }
    void aClickOnTheFaceClosesBeforeAnythingIsReadOrPlayed() {
        QFETCH(QString, which);
        const Face f = face(which);
        const SoundLog sounds;
        QString shownAtClose;
        bool closedByClick = false;
        testsupport::whenShown(f.form, [&] {
            QTest::mouseClick(f.image, Qt::LeftButton);
            closedByClick = !f.form.isLoaded();
            shownAtClose = f.shown(); // the control goes later, not under the click
            f.form.unload();
        });
        f.form.showModal();
        QVERIFY(closedByClick);
        QCOMPARE(shownAtClose, u"built-in"_s);
        QTest::qWait(1300); // no tick comes after the close
        QVERIFY(sounds.calls.isEmpty());
    }

private:
    QTemporaryDir m_media;
};

QTEST_MAIN(FeedbackTest)
#include "tst_feedback.moc"
