// Times the sound helper in-process on SDL's dummy driver: how long PlayWave takes to return for an
// unwaited sound, and how far a waited sound overruns its own length. Each figure is the median of many
// plays.
#include "media/global.h"
#include "media/mediafolder.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {
constexpr int Plays = 41;
constexpr int ToneMs = 300;

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void writeTone(const QString& file, int ms) {
    const int samples = 44100 * ms / 1000;
    QByteArray data(samples * 2, Qt::Uninitialized);
    auto* out = reinterpret_cast<qint16*>(data.data());
    for (int i = 0; i < samples; ++i)
        out[i] = qint16(6000 * std::sin(2 * M_PI * 440.0 * i / 44100.0));
    auto u32 = [](quint32 v) { return QByteArray(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [](quint16 v) { return QByteArray(reinterpret_cast<const char*>(&v), 2); };
    QFile wav(file);
    if (wav.open(QIODevice::WriteOnly))
        wav.write("RIFF" + u32(quint32(36 + data.size())) + "WAVEfmt " + u32(16) + u16(1) + u16(1) +
                  u32(44100) + u32(44100 * 2) + u16(2) + u16(16) + "data" + u32(quint32(data.size())) + data);
}
} // namespace

int main(int argc, char* argv[]) {
    qputenv("SDL_AUDIODRIVER", "dummy");
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    writeTone(dir.filePath(QStringLiteral("tone.wav")), ToneMs);
    MediaFolder::setPathForTesting(dir.path());
    Global::StartSound();
    const MediaFile tone(QStringLiteral("\\tone.wav"));

    std::vector<double> unwaited;
    std::vector<double> overrun;
    for (int i = 0; i < Plays; ++i) {
        QElapsedTimer clock;
        clock.start();
        Global::PlayWave(tone, false);
        unwaited.push_back(double(clock.nsecsElapsed()) / 1e6);
        clock.restart();
        Global::PlayWave(tone, true);
        overrun.push_back(double(clock.nsecsElapsed()) / 1e6 - ToneMs);
    }
    std::printf(
        "median of %d plays: PlayWave unwaited returns in %.3f ms; a waited %d ms sound returns %.1f ms "
        "after its length\n",
        Plays, median(unwaited), ToneMs, median(overrun));
    Global::StopSound();
    return 0;
}
