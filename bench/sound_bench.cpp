// Times the sound helper in-process. Without arguments, on SDL's silent driver: how long PlayWave takes to
// return for an unwaited sound and how far a waited sound overruns its own length (medians of many plays).
// With --latency N, on the audio driver the environment gives (wordpot_bench points it at a private
// PulseAudio server): plays a tone N times after the device has been idle and N times just after another
// sound, and prints the monotonic time of each PlayWave call for wordpot_bench to match with the first
// sample the server plays.
#include "media/global.h"
#include "media/mediafolder.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <thread>
#include <vector>

namespace {
constexpr int Plays = 41;
constexpr int ToneMs = 300;
constexpr int IdleBeforeMs = 3000; // long enough for the player to let its device go
constexpr int WarmBeforeMs = 100;

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// A tone loud from its first samples, so that its start is easy to find at the sound server.
void writeTone(const QString& file, int ms) {
    const int samples = 44100 * ms / 1000;
    QByteArray data(samples * 2, Qt::Uninitialized);
    auto* out = reinterpret_cast<qint16*>(data.data());
    for (int i = 0; i < samples; ++i)
        out[i] = qint16(12000 * std::sin(2 * M_PI * 440.0 * i / 44100.0));
    auto u32 = [](quint32 v) { return QByteArray(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [](quint16 v) { return QByteArray(reinterpret_cast<const char*>(&v), 2); };
    QFile wav(file);
    if (wav.open(QIODevice::WriteOnly))
        wav.write("RIFF" + u32(quint32(36 + data.size())) + "WAVEfmt " + u32(16) + u16(1) + u16(1) +
                  u32(44100) + u32(44100 * 2) + u16(2) + u16(16) + "data" + u32(quint32(data.size())) + data);
}

long long monotonicNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void timing(const MediaFile& tone) {
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
}

void latency(const MediaFile& tone, int plays) {
    const struct {
        const char* name;
        int quietMs;
    } kinds[] = {{"idle", IdleBeforeMs}, {"warm", WarmBeforeMs}};
    // The first stream a null sink sees after its monitor starts recording is held back; it is not timed.
    Global::PlayWave(tone, true);
    for (int i = 0; i < plays; ++i) {
        for (const auto& kind : kinds) {
            std::this_thread::sleep_for(std::chrono::milliseconds(kind.quietMs));
            const long long at = monotonicNs();
            Global::PlayWave(tone, true);
            std::printf("%s %lld\n", kind.name, at);
            std::fflush(stdout);
        }
    }
}
} // namespace

int main(int argc, char* argv[]) {
    const bool measureLatency = argc == 3 && qstrcmp(argv[1], "--latency") == 0;
    if (!measureLatency)
        qputenv("SDL_AUDIODRIVER", "dummy");
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    writeTone(dir.filePath(QStringLiteral("tone.wav")), ToneMs);
    MediaFolder::setPathForTesting(dir.path());
    Global::StartSound();
    const MediaFile tone(QStringLiteral("\\tone.wav"));
    if (measureLatency)
        latency(tone, std::max(1, QByteArray(argv[2]).toInt()));
    else
        timing(tone);
    Global::StopSound();
    return 0;
}
