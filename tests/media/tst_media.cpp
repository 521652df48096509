// PlayWave and the media folder: timing of waited and unwaited sounds under SDL's dummy driver, with a
// library missing and with a stalled sound server, the newest sound winning, the alert for missing and
// damaged files, the case-blind lookup, and the input gate.
#include "media/global.h"
#include "media/inputgate.h"
#include "media/mediafolder.h"
#include "media/soundplayer.h"
#include "testsupport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <sndfile.h>

#include <cmath>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace {
// A silent 44.1 kHz 16-bit mono wave of the given length: the dummy driver only counts its samples.
QByteArray wave(int ms) {
    const auto le = [](quint32 v, int bytes) { return QByteArray(reinterpret_cast<const char*>(&v), bytes); };
    const QByteArray data(88200 * ms / 1000, '\0');
    return "RIFF" + le(36 + data.size(), 4) + "WAVEfmt " + le(16, 4) + le(1, 2) + le(1, 2) + le(44100, 4) +
           le(88200, 4) + le(2, 2) + le(16, 2) + "data" + le(data.size(), 4) + data;
}

// A 440 Hz tone in one of the formats a parent's recordings come in, written by libsndfile: its bytes.
QByteArray encoded(const QString& path, int format, int rate, int channels, int ms) {
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = channels;
    info.format = format;
    SNDFILE* const file = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
    if (file == nullptr)
        return {};
    std::vector<float> frames(std::size_t(rate * ms / 1000 * channels));
    for (std::size_t i = 0; i < frames.size(); ++i)
        frames[i] = 0.5f * float(std::sin(2 * M_PI * 440.0 * double(i / std::size_t(channels)) / rate));
    sf_writef_float(file, frames.data(), sf_count_t(frames.size()) / channels);
    sf_close(file);
    QFile written(path);
    return written.open(QIODevice::ReadOnly) ? written.readAll() : QByteArray();
}

qint64 msTaken(const std::function<void()>& action) {
    QElapsedTimer clock;
    clock.start();
    action();
    return clock.elapsed();
}

// Counts the presses that reach it, and remembers when it was last painted.
class Probe : public QWidget {
public:
    Probe() { clock.start(); }
    int presses = 0;
    QElapsedTimer clock;
    qint64 paintedAt = -1;

protected:
    void mousePressEvent(QMouseEvent*) override { ++presses; }
    void paintEvent(QPaintEvent*) override { paintedAt = clock.elapsed(); }
};
} // namespace

class MediaTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void initTestCase() {
        testsupport::prepare();
        const QList<std::pair<QString, QByteArray>> files{
            {"tone300.wav", wave(300)},
            {"UPPER.WAV", wave(300)},
            {"tone1000.wav", wave(1000)},
            {"broken.wav", "GIF89a, a picture under a sound's name"},
            {"empty.wav", ""},
            {"cut.wav", wave(300).left(30)},
            {"lying.wav", wave(1000).left(44 + 8820)}, // holds 100 ms of the 1000 its header claims
            {"locked.wav", wave(300)}};
        for (const auto& [name, bytes] : files) {
            QFile file(m_dir.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        }
        const struct {
            const char* extension;
            int format;
            int rate;
            int channels;
        } kinds[] = {{"ogg", SF_FORMAT_OGG | SF_FORMAT_VORBIS, 48000, 2},
                     {"flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 22050, 1},
                     {"mp3", SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III, 44100, 2}};
        for (const auto& kind : kinds) {
            const QByteArray bytes = encoded(m_dir.filePath(QStringLiteral("tone300.") + kind.extension),
                                             kind.format, kind.rate, kind.channels, 300);
            QVERIFY2(bytes.size() > 1000, kind.extension);
            for (const auto& [name, cut] :
                 {std::pair{"cut.", bytes.left(bytes.size() * 9 / 10)}, {"empty.", {}}}) {
                QFile file(m_dir.filePath(name + QString::fromLatin1(kind.extension)));
                QVERIFY(file.open(QIODevice::WriteOnly) && file.write(cut) == cut.size());
            }
        }
        QVERIFY(QFile::setPermissions(m_dir.filePath("locked.wav"), {}) &&
                QDir(m_dir.path()).mkdir("dir.wav"));
        MediaFolder::setPathForTesting(m_dir.path() + QLatin1Char('/'));
        Global::StartSound();
        QCOMPARE(SoundPlayer::instance().driverName(), QStringLiteral("dummy"));
    }
    void cleanupTestCase() { Global::StopSound(); }

    // A waited sound returns when it ends, an unwaited one at once; over a 1 s sound started 100 ms before,
    // the newest wins. Names are found case-blind after a "\" or "/", and the folder was given with a
    // trailing separator. A file that cannot be played gives false and the alert, short but not nothing;
    // one that is there is named in one warning, however often it is asked for.
    void playWave_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("wait");
        QTest::addColumn<bool>("overAnother");
        QTest::addColumn<int>("lengthMs"); // 0: not found
        const auto row = [](const char* tag, const char* name, bool wait, bool over, int length) {
            QTest::newRow(tag) << name << wait << over << length;
        };
        row("waited, capitals find small letters", "\\TONE300.WAV", true, false, 300);
        row("unwaited, small letters find capitals", "/upper.wav", false, false, 300);
        row("waited, over another", "\\tone300.wav", true, true, 300);
        row("unwaited, over another", "/tone300.wav", false, true, 300);
        row("doubled separators", "\\/Tone300.wav", true, false, 300);
        row("Ogg Vorbis, 48 kHz stereo", "\\tone300.ogg", true, false, 300);
        row("FLAC, 22.05 kHz mono", "\\tone300.flac", true, false, 300);
        row("MP3", "\\tone300.mp3", true, false, 300);
        row("no such file", "\\nothere.wav", true, false, 0);
        row("another format", "\\broken.wav", true, false, 0);
        row("zero bytes", "\\empty.wav", true, false, 0);
        row("cut inside its header", "\\cut.wav", true, false, 0);
        row("a header claiming more than the file holds", "\\lying.wav", true, false, 0);
        row("Ogg Vorbis cut short", "\\cut.ogg", true, false, 0);
        row("FLAC cut short", "\\cut.flac", true, false, 0);
        row("MP3 cut short", "\\cut.mp3", true, false, 0);
        row("zero bytes of Ogg Vorbis", "\\empty.ogg", true, false, 0);
        row("zero bytes of FLAC", "\\empty.flac", true, false, 0);
        row("zero bytes of MP3", "\\empty.mp3", true, false, 0);
        row("no read permission", "\\locked.wav", true, false, 0);
        row("a folder in its place", "\\dir.wav", true, false, 0);
        row("bare extension", "\\.wav", false, false, 0);
        row("a name cut short", "\\tone300.wa", false, false, 0);
        row("no name", "\\", false, false, 0);
    }

    void playWave() {
        QFETCH(QString, name);
        QFETCH(bool, wait);
        QFETCH(bool, overAnother);
        QFETCH(int, lengthMs);
        const QString onDisk = m_dir.path() + QString(name).replace(0, 1, QLatin1Char('/'));
        if (lengthMs == 0 && name.size() > 1 && QFileInfo::exists(onDisk)) { // there, but unplayable
            if (QFile(onDisk).open(QIODevice::ReadOnly) && !QFileInfo(onDisk).permission(QFile::ReadOwner))
                QSKIP("run as root, which reads a file without read permission");
            const QString warning = "wordpot: sound cannot be played (the alert plays instead): " + onDisk;
            QTest::ignoreMessage(QtWarningMsg, qPrintable(warning));
        }
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".")));
        if (overAnother) {
            Global::PlayWave(MediaFile(QStringLiteral("\\TONE1000.wav")), false);
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        bool found = false;
        const qint64 ms = msTaken([&] { found = Global::PlayWave(MediaFile(name), wait); });
        QCOMPARE(found, lengthMs > 0);
        const bool inTime = !wait   ? ms < 15
                            : found ? ms >= lengthMs - 15 && ms <= lengthMs + 30
                                    : ms >= 150 && ms <= 400; // the alert, however long the file claims to be
        QVERIFY2(inTime, qPrintable(QString::number(ms)));
        QCOMPARE(SoundPlayer::instance().isPlaying(), !wait);
        // Only the newest sound may still be heard: what played before would have 900 ms to go.
        const qint64 left = msTaken([] {
            while (SoundPlayer::instance().isPlaying())
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
        });
        QVERIFY2(left <= (found ? lengthMs : 400) + 30, qPrintable(QString::number(left)));
        Global::PlayWave(MediaFile(name), false);
    }

    // An open device, even paused, keeps the sound server busy: it closes once the sound is over, and the
    // next sound still keeps its time.
    void deviceIsOpenOnlyAroundASound() {
        Global::PlayWave(MediaFile(QStringLiteral("\\tone300.wav")), true);
        QVERIFY(SoundPlayer::instance().deviceIsOpen());
        QTRY_VERIFY_WITH_TIMEOUT(!SoundPlayer::instance().deviceIsOpen(), 2000);
        const qint64 ms = msTaken([] { Global::PlayWave(MediaFile(QStringLiteral("\\tone300.wav")), true); });
        QVERIFY2(ms >= 285 && ms <= 330, qPrintable(QString::number(ms)));
    }

    // Started as the program starts it, the player loads nothing until a window has been painted; a sound
    // asked for meanwhile plays then.
    void aSoundAskedForBeforeTheFirstPaintPlaysAfterIt() {
        SoundPlayer::instance().close();
        Global::StartSound();
        Global::PlayWave(MediaFile(QStringLiteral("\\tone300.wav")), false);
        QTest::qWait(300);
        QVERIFY(!SoundPlayer::instance().deviceIsOpen());
        QWidget window;
        window.show();
        QTRY_VERIFY_WITH_TIMEOUT(SoundPlayer::instance().deviceIsOpen(), 500);
    }

    // With a library missing the player is silent after one line that says so, and a sound still lasts its
    // length: the exit's goodbye is heard out before the program ends. With no decoder, nothing has one.
    void aMissingLibraryLeavesSoundsSilentButTimed_data() {
        QTest::addColumn<bool>("noSdl");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("found");
        QTest::addColumn<int>("leastMs");
        QTest::addColumn<int>("mostMs");
        QTest::newRow("no SDL, a sound") << true << "\\tone300.wav" << true << 285 << 450;
        QTest::newRow("no SDL, no such file: the alert's time")
            << true << "\\nothere.wav" << false << 150 << 400;
        QTest::newRow("no libsndfile") << false << "\\tone300.wav" << false << 0 << 100;
    }

    void aMissingLibraryLeavesSoundsSilentButTimed() {
        QFETCH(bool, noSdl);
        QFETCH(QString, name);
        QFETCH(bool, found);
        QFETCH(int, leastMs);
        QFETCH(int, mostMs);
        SoundPlayer& player = SoundPlayer::instance();
        player.close();
        player.setLibrariesForTesting(noSdl ? "wordpot-no-such-sdl" : "",
                                      noSdl ? "" : "wordpot-no-such-sndfile");
        const auto restore = qScopeGuard([&] {
            player.close();
            player.setLibrariesForTesting({}, {});
            player.open();
        });
        QTest::ignoreMessage(
            QtWarningMsg,
            QRegularExpression(noSdl ? "^wordpot: sound is off, the sound library could not be loaded "
                                       "\\(.*\\); playing silently$"
                                     : "^wordpot: sound is off, the decoding library could not be "
                                       "loaded \\(.*\\); playing silently$"));
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".")));
        QCOMPARE(player.driverName(), noSdl ? QString() : QStringLiteral("dummy"));
        bool played = false;
        const qint64 ms = msTaken([&] { played = Global::PlayWave(MediaFile(name), true); });
        QCOMPARE(played, found);
        QVERIFY2(ms >= leastMs && ms <= mostMs, qPrintable(QString::number(ms)));
    }

    // A sound server that stalls SDL while it opens or closes the device holds a waited sound no longer
    // than its length and a margin, and the end of the run no longer than the margin.
    void aStalledServerHoldsAWaitedSoundOnlySoLong_data() {
        QTest::addColumn<QByteArray>("call");
        QTest::newRow("opening the device") << QByteArray("open");
        QTest::newRow("closing the device") << QByteArray("close");
    }

    void aStalledServerHoldsAWaitedSoundOnlySoLong() {
        QFETCH(QByteArray, call);
        // Shared with SDL's thread, which outlives this function when it is left behind.
        struct Stall {
            QByteArray call;
            std::mutex mutex;
            std::condition_variable changed;
            bool stalled = false;
            bool answered = false;
        };
        const auto stall = std::make_shared<Stall>();
        stall->call = call;
        SoundPlayer& player = SoundPlayer::instance();
        player.close();
        player.setDeviceHookForTesting([stall](const char* name) {
            if (stall->call != name)
                return;
            std::unique_lock lock(stall->mutex);
            stall->stalled = true;
            stall->changed.notify_all();
            stall->changed.wait_for(lock, std::chrono::seconds(10), [&] { return stall->answered; });
        });
        player.open();
        const auto answer = qScopeGuard([&] {
            {
                const std::lock_guard lock(stall->mutex);
                stall->answered = true;
                stall->changed.notify_all();
            }
            player.close();
            player.setDeviceHookForTesting({});
            // A thread left behind holds the hook until it has let SDL go; only then may SDL start again.
            for (int tries = 0; stall.use_count() > 1 && tries < 500; ++tries)
                QTest::qWait(10);
            player.open();
        });
        if (call == "close") { // a sound whose device is let go after it
            Global::PlayWave(MediaFile(QStringLiteral("\\tone300.wav")), false);
            std::unique_lock lock(stall->mutex);
            QVERIFY(stall->changed.wait_for(lock, std::chrono::seconds(3), [&] { return stall->stalled; }));
        }
        const qint64 waited =
            msTaken([] { Global::PlayWave(MediaFile(QStringLiteral("\\tone300.wav")), true); });
        QTest::ignoreMessage(QtWarningMsg, "wordpot: the sound server does not answer; leaving it");
        const qint64 closed = msTaken([&] { player.close(); });
        QVERIFY2(waited >= 285 && waited <= 300 + 1000 + 300, qPrintable(QString::number(waited)));
        QVERIFY2(closed <= 1000 + 300, qPrintable(QString::number(closed)));
    }

    // Before a waited sound blocks, what the handler changed is painted; presses given during the sound
    // reach the application after it and are dropped, through the gate's event filter.
    void aWaitedSoundShowsChangesAndDropsInputGivenMeanwhile() {
        Probe probe;
        probe.show();
        QVERIFY(QTest::qWaitForWindowExposed(&probe));
        InputGate::instance().setEnabled(true);
        const auto press = [&](quint64 stamp) {
            QMouseEvent event(QEvent::MouseButtonPress, QPointF(1, 1), QPointF(1, 1), Qt::LeftButton,
                              Qt::LeftButton, Qt::NoModifier);
            event.setTimestamp(stamp);
            QApplication::sendEvent(&probe, &event);
        };
        press(5000);
        probe.clock.restart();
        probe.paintedAt = -1;
        probe.update(); // only scheduled for painting...
        Global::PlayWave(MediaFile(QStringLiteral("\\tone300.wav")), true);
        // ...yet painted before the sound, not after it.
        QVERIFY2(probe.paintedAt >= 0 && probe.paintedAt < 100, qPrintable(QString::number(probe.paintedAt)));
        press(5010); // given during the sound
        press(9000); // given well after it
        InputGate::instance().setEnabled(false);
        QCOMPARE(probe.presses, 2);
    }

    // A child's presses on a display whose clock reads `start` when the gate's reads 0 and runs `ppm`
    // parts per million slow: one every `gapMs`, each delivered within a few ms. Each sound blocks for 1 s
    // from its start; two presses given during it come in after it and must be dropped, and one given
    // 50 ms after it must be taken, as must every other press.
    void inputGivenDuringABlockIsDropped_data() {
        QTest::addColumn<quint32>("start");
        QTest::addColumn<int>("ppm");
        QTest::addColumn<qint64>("gapMs");
        QTest::addColumn<QList<qint64>>("sounds");
        constexpr qint64 Minute = 60000, Hour = 60 * Minute;
        const quint32 wrapIn30s = quint32(-30000);
        QTest::newRow("no wrap") << quint32(1000) << 0 << qint64(5000) << QList<qint64>{20000, 40000};
        QTest::newRow("sound ends before the wrap") << wrapIn30s << 0 << qint64(5000) << QList<qint64>{28500};
        QTest::newRow("sound ends after the wrap") << wrapIn30s << 0 << qint64(5000) << QList<qint64>{29500};
        QTest::newRow("long after the wrap") << wrapIn30s << 0 << Minute << QList<qint64>{29500, 5 * Hour};
        QTest::newRow("a slow clock over a day, across the wrap")
            << quint32(-12 * Hour) << 100 << Minute << QList<qint64>{Hour, 12 * Hour + 500, 23 * Hour};
        QTest::newRow("a fast clock over a day")
            << quint32(7) << -100 << Minute << QList<qint64>{Hour, 12 * Hour, 23 * Hour};
    }

    void inputGivenDuringABlockIsDropped() {
        QFETCH(quint32, start);
        QFETCH(int, ppm);
        QFETCH(qint64, gapMs);
        QFETCH(QList<qint64>, sounds);
        StampGate gate;
        QStringList wrong;
        const auto deliver = [&](qint64 given, qint64 at, bool taken) {
            if (gate.admit(quint32(start + given - given * ppm / 1000000), at) != taken)
                wrong << QStringLiteral("%1 given at %2 ms").arg(taken ? "dropped" : "taken").arg(given);
        };
        for (qint64 t = 0, next = 0; t < sounds.last() + 2 * gapMs; t += gapMs) {
            deliver(t, t + 1 + t / gapMs % 7, true);
            if (next < sounds.size() && t + gapMs > sounds[next]) {
                const qint64 end = sounds[next++] + 1000;
                gate.blockEnded(end);
                deliver(end - 700, end + 1, false);
                deliver(end - 300, end + 2, false);
                deliver(end + 50, end + 52, true);
            }
        }
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.mid(0, 5).join(QLatin1String(", "))));
    }
};

QTEST_MAIN(MediaTest)
#include "tst_media.moc"
