// PlayWave and the media folder: timing of waited and unwaited sounds under SDL's dummy driver, the
// newest sound winning, the alert for missing files, the case-blind lookup, and the input gate.
#include "media/global.h"
#include "media/inputgate.h"
#include "media/mediafolder.h"
#include "media/soundplayer.h"
#include "testsupport.h"

#include <cmath>
#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QPainter>
#include <QTemporaryDir>
#include <QtEndian>
#include <QTest>
#include <thread>

namespace {
// A 44.1 kHz 16-bit mono tone of the given length.
void writeTone(const QString& file, int ms) {
    const int samples = 44100 * ms / 1000;
    QByteArray data;
    for (int i = 0; i < samples; ++i) {
        const qint16 value = qint16(6000 * std::sin(2 * M_PI * 440.0 * i / 44100.0));
        data.append(reinterpret_cast<const char*>(&value), 2);
    }
    auto u32 = [](quint32 v) { return QByteArray(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [](quint16 v) { return QByteArray(reinterpret_cast<const char*>(&v), 2); };
    QByteArray wav = "RIFF" + u32(quint32(36 + data.size())) + "WAVEfmt " + u32(16) + u16(1) + u16(1) +
                     u32(44100) + u32(44100 * 2) + u16(2) + u16(16) + "data" + u32(quint32(data.size())) +
                     data;
    QFile out(file);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(wav);
}

qint64 timed(const std::function<void()>& action) {
    QElapsedTimer clock;
    clock.start();
    action();
    return clock.elapsed();
}

// Counts the presses that reach it.
class PressCounter : public QWidget {
public:
    int presses = 0;

protected:
    void mousePressEvent(QMouseEvent*) override { ++presses; }
};

// Remembers when it was last painted.
class PaintClock : public QWidget {
public:
    QElapsedTimer* clock = nullptr;
    qint64 paintedAt = -1;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter(this).fillRect(rect(), Qt::red);
        paintedAt = clock->elapsed();
    }
};
} // namespace

class MediaTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    static MediaFile path(const QString& name) { return MediaFile(name); }

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        writeTone(m_dir.filePath(QStringLiteral("tone300.wav")), 300);
        writeTone(m_dir.filePath(QStringLiteral("tone1000.wav")), 1000);
        writeTone(m_dir.filePath(QStringLiteral("lower.wav")), 250);
        writeTone(m_dir.filePath(QStringLiteral("UPPER.WAV")), 250);
        QFile broken(m_dir.filePath(QStringLiteral("broken.wav")));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("RIFF this is not a wave file at all");
        broken.close();
        testsupport::prepare();
        MediaFolder::setPathForTesting(m_dir.path());
        Global::StartSound();
        QCOMPARE(SoundPlayer::instance().driverName(), QStringLiteral("dummy"));
    }

    void waitedSoundReturnsWhenItEnds() {
        bool result = false;
        const qint64 ms =
            timed([&] { result = Global::PlayWave(path(QStringLiteral("\\tone300.wav")), true); });
        QVERIFY(result);
        QVERIFY2(ms >= 285 && ms <= 330, qPrintable(QString::number(ms)));
        QVERIFY(!SoundPlayer::instance().isPlaying());
    }

    void unwaitedSoundReturnsAtOnce() {
        const qint64 ms =
            timed([&] { QVERIFY(Global::PlayWave(path(QStringLiteral("\\tone300.wav")), false)); });
        QVERIFY2(ms < 15, qPrintable(QString::number(ms)));
        QVERIFY(SoundPlayer::instance().isPlaying());
        QTRY_VERIFY_WITH_TIMEOUT(!SoundPlayer::instance().isPlaying(), 1000);
    }

    void newestSoundWins_data() {
        QTest::addColumn<bool>("secondWaits");
        QTest::newRow("a waited sound cuts off one still playing") << true;
        QTest::newRow("an unwaited sound cuts off one still playing") << false;
    }

    void newestSoundWins() {
        QFETCH(bool, secondWaits);
        Global::PlayWave(path(QStringLiteral("\\tone1000.wav")), false);
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        const qint64 ms = timed([&] { Global::PlayWave(path(QStringLiteral("/tone300.wav")), secondWaits); });
        if (secondWaits)
            QVERIFY2(ms >= 285 && ms <= 330, qPrintable(QString::number(ms)));
        // The first sound would still have 900 ms to go; only the second one's 300 ms may be left.
        QElapsedTimer clock;
        clock.start();
        while (SoundPlayer::instance().isPlaying())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        QVERIFY2(clock.elapsed() <= (secondWaits ? 5 : 330), qPrintable(QString::number(clock.elapsed())));
    }

    void missingOrBrokenFilePlaysTheAlert_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("no such file") << QStringLiteral("\\nothere.wav");
        QTest::newRow("bare extension") << QStringLiteral("\\.wav");
        QTest::newRow("not a wave file") << QStringLiteral("\\broken.wav");
    }

    void missingOrBrokenFilePlaysTheAlert() {
        QFETCH(QString, name);
        bool result = true;
        const qint64 ms = timed([&] { result = Global::PlayWave(path(name), true); });
        QVERIFY(!result);
        // The caller waited for the alert, which is short but not nothing.
        QVERIFY2(ms >= 150 && ms <= 1000, qPrintable(QString::number(ms)));
    }

    void namesResolveCaseBlind_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("stored");
        const QString dir = m_dir.path();
        QTest::newRow("backslash") << dir << QStringLiteral("\\lower.wav") << QStringLiteral("lower.wav");
        QTest::newRow("forward slash") << dir << QStringLiteral("/lower.wav") << QStringLiteral("lower.wav");
        QTest::newRow("capitals find small letters")
            << dir << QStringLiteral("\\LOWER.WAV") << QStringLiteral("lower.wav");
        QTest::newRow("small letters find capitals")
            << dir << QStringLiteral("\\upper.wav") << QStringLiteral("UPPER.WAV");
        QTest::newRow("mixed case") << dir << QStringLiteral("/Upper.Wav") << QStringLiteral("UPPER.WAV");
        QTest::newRow("doubled separator")
            << dir + QLatin1Char('/') << QStringLiteral("\\lower.wav") << QStringLiteral("lower.wav");
        QTest::newRow("doubled backslashes")
            << dir << QStringLiteral("\\\\lower.wav") << QStringLiteral("lower.wav");
    }

    void namesResolveCaseBlind() {
        QFETCH(QString, folder);
        QFETCH(QString, name);
        QFETCH(QString, stored);
        MediaFolder::setPathForTesting(folder);
        QCOMPARE(MediaFolder::resolve(MediaFile(name)), m_dir.filePath(stored));
        QVERIFY(Global::PlayWave(MediaFile(name), false));
        MediaFolder::setPathForTesting(m_dir.path());
    }

    void unknownNamesResolveToNothing() {
        QCOMPARE(MediaFolder::resolve(path(QStringLiteral("\\.wav"))), QString());
        QCOMPARE(MediaFolder::resolve(path(QStringLiteral("\\lower.wa"))), QString());
        QCOMPARE(MediaFolder::resolve(path(QStringLiteral("\\"))), QString());
    }

    void waitedSoundShowsWhatChangedFirst() {
        QElapsedTimer clock;
        PaintClock widget;
        widget.clock = &clock;
        widget.resize(50, 50);
        widget.show();
        QVERIFY(QTest::qWaitForWindowExposed(&widget));
        clock.start();
        widget.paintedAt = -1;
        widget.update(); // what a handler changes is only scheduled for painting...
        Global::PlayWave(path(QStringLiteral("\\tone300.wav")), true);
        // ...yet it was painted before the sound, not after it.
        QVERIFY(widget.paintedAt >= 0);
        QVERIFY2(widget.paintedAt < 100, qPrintable(QString::number(widget.paintedAt)));
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
        constexpr qint64 SoundMs = 1000;
        const auto stampAt = [&](qint64 given) { return quint32(start + given - given * ppm / 1000000); };
        StampGate gate;
        QStringList wrong;
        const auto deliver = [&](qint64 given, qint64 at, bool expected) {
            if (gate.admit(stampAt(given), at) != expected)
                wrong << QStringLiteral("%1 given at %2 ms").arg(expected ? "dropped" : "taken").arg(given);
        };
        const qint64 end = sounds.last() + 2 * gapMs;
        for (qint64 t = 0, next = 0; t < end; t += gapMs) {
            deliver(t, t + 1 + t / gapMs % 7, true);
            if (next < sounds.size() && t + gapMs > sounds[next]) {
                const qint64 s = sounds[next++];
                gate.blockEnded(s + SoundMs);
                deliver(s + 300, s + SoundMs + 1, false);
                deliver(s + 700, s + SoundMs + 2, false);
                deliver(s + SoundMs + 50, s + SoundMs + 52, true);
            }
        }
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.mid(0, 5).join(QLatin1String(", "))));
    }

    // The same rule on the application's real input, through its event filter.
    void theGateFiltersTheApplicationsInput() {
        InputGate& gate = InputGate::instance();
        gate.setEnabled(true);
        PressCounter target;
        auto press = [&](quint64 stamp) {
            QMouseEvent event(QEvent::MouseButtonPress, QPointF(1, 1), QPointF(1, 1), Qt::LeftButton,
                              Qt::LeftButton, Qt::NoModifier);
            event.setTimestamp(stamp);
            QApplication::sendEvent(&target, &event);
        };
        press(5000);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        gate.blockEnded();
        press(5010); // given during the block
        press(9000); // given well after it
        gate.setEnabled(false);
        QCOMPARE(target.presses, 2);
    }

    void cleanupTestCase() { Global::StopSound(); }
};

QTEST_MAIN(MediaTest)
#include "tst_media.moc"
