// Wordpot measured from outside, in one run, against a bare Qt Widgets window built beside it: both on a
// private Xvfb display and a private PulseAudio server (a null sink), started in turn (A B A B) so that
// machine noise falls on both alike. It prints one table: the first window and the first content on the
// screen, a key on the splash to the main menu, resident memory settled, idle CPU of the program and of
// the sound server (main menu, letter explorer), sound latency through the server, and resident memory
// over repeated openings of each activity. Input comes through XTEST; "painted" means the expected
// colours are on the screen, read back from the X server.
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPoint>
#include <QProcess>
#include <QRect>
#include <QTemporaryDir>
#include <QThread>

#include "abc/explorerlayout.h"
#include "app/mainmenulayout.h"
#include "hangman/hangmanlayout.h"
#include "wordpot/wordlist.h"
#include "x11driver.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <sys/select.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {
constexpr int TimeoutMs = 20000;
// After a window is painted, before memory and idle CPU are read: long enough for a sound started with
// the window to end even on a null sink, which holds a new stream back for up to two seconds.
constexpr int SettleMs = 5000;
constexpr int IdleMs = 5000; // how long idle CPU is counted
constexpr int AfterCycleMs = 500;
constexpr int InputPauseMs = 20;
constexpr int SampleRate = 44100;
constexpr int QuietBeforeOnsetMs = 20;
constexpr int LoudSample = 1000;
constexpr int LatestOnsetMs = 1000;
// The targets the table checks.
constexpr double ContentRatioTarget = 1.25;
constexpr double MainMenuTargetMs = 30;
constexpr double RssAboveFloorTargetMiB = 8;
constexpr double IdleCpuTarget = 0.05; // prints as 0.0 %
constexpr double OneBufferMs = 1024.0 * 1000 / SampleRate;
constexpr double GrowthTargetKiB = 1024;

struct Options {
    QString program = QStringLiteral(WORDPOT_EXECUTABLE);
    QString floor = QStringLiteral(FLOOR_EXECUTABLE);
    QString soundBench = QStringLiteral(SOUND_BENCH_EXECUTABLE);
    int runs = 7;
    int cycles = 300;
    int latencyPlays = 9;
};

long long monotonicNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

double median(std::vector<double> values) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void sleepMs(int ms) {
    QThread::msleep(ulong(ms));
}

// ---- /proc ---------------------------------------------------------------------------------------------

// CPU time of every thread of a process, in ms, from the scheduler's own nanosecond count.
double cpuMs(qint64 pid) {
    double total = 0;
    const QDir tasks(QStringLiteral("/proc/%1/task").arg(pid));
    for (const QString& task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile stat(tasks.filePath(task + QStringLiteral("/schedstat")));
        if (stat.open(QIODevice::ReadOnly))
            total += stat.readAll().split(' ').value(0).toDouble() / 1e6;
    }
    return total;
}

double rssMiB(qint64 pid) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return 0;
}

struct IdleCpu {
    double program = 0;
    double server = 0;
};

// Percent of one core used by the program and by the sound server over the same stretch of time.
IdleCpu idleCpu(qint64 program, qint64 server) {
    const double programBefore = cpuMs(program);
    const double serverBefore = cpuMs(server);
    const long long start = monotonicNs();
    sleepMs(IdleMs);
    const double elapsedMs = double(monotonicNs() - start) / 1e6;
    return {100 * (cpuMs(program) - programBefore) / elapsedMs,
            100 * (cpuMs(server) - serverBefore) / elapsedMs};
}

// ---- X ---------------------------------------------------------------------------------------------------

using x11driver::WindowId;

// The bench's looks at the screen. Without a window manager the top-level windows are the root's children;
// each window mapped or drawn wakes the waits at once.
class Desktop {
public:
    explicit Desktop(const x11driver::Screen& screen)
        : m_screen(screen) {}

    std::optional<WindowId> find(const std::function<bool(WindowId)>& match) const {
        for (const WindowId window : m_screen.children(m_screen.root())) {
            if (m_screen.isViewable(window) && match(window))
                return window;
        }
        return std::nullopt;
    }

    // Waits for a visible top-level window that matches, woken by each window mapped.
    std::optional<WindowId> waitForWindow(const std::function<bool(WindowId)>& match) const {
        const long long start = monotonicNs();
        while (monotonicNs() - start < TimeoutMs * 1000000LL) {
            if (const auto window = find(match))
                return window;
            m_screen.receive(2);
        }
        return std::nullopt;
    }

    bool waitForGone(WindowId window) const {
        const long long start = monotonicNs();
        while (monotonicNs() - start < TimeoutMs * 1000000LL) {
            if (!m_screen.isViewable(window))
                return true;
            m_screen.receive(2);
        }
        return false;
    }

    // Polls until an area of the window shows strongly coloured pixels.
    bool waitForPainted(WindowId window, QRect area) const {
        const QRect onScreen = area.translated(geometry(window).topLeft());
        const long long start = monotonicNs();
        while (monotonicNs() - start < TimeoutMs * 1000000LL) {
            if (colouredPixels(m_screen.grab(onScreen)) > 50)
                return true;
            usleep(500);
        }
        return false;
    }

    bool titled(WindowId window, const char* title) const {
        return m_screen.title(window) == QLatin1String(title);
    }

    bool isSplash(WindowId window) const {
        return m_screen.atoms(window, "_NET_WM_WINDOW_TYPE")
            .contains(QLatin1String("_NET_WM_WINDOW_TYPE_SPLASH"));
    }

    QRect geometry(WindowId window) const { return m_screen.geometry(window); }

    // The main menu's client area lies under its menu bar.
    QPoint mainMenuClient(WindowId main) const {
        const QRect window = geometry(main);
        return window.topLeft() + QPoint(0, window.height() - mainmenu::layout::Client.height());
    }

    void moveTo(QPoint screen) const { m_screen.moveTo(screen); }

    void click(QPoint screen) const {
        moveTo(screen);
        m_screen.button(1, true);
        m_screen.button(1, false);
    }

    // Keys go to the window under the pointer when no window manager sets the focus.
    void key(WindowId window, const QString& keysym) const {
        moveTo(geometry(window).center());
        m_screen.key(keysym, true);
        m_screen.key(keysym, false);
    }

    // The close box, as a window manager sends it.
    void close(WindowId window) const { m_screen.sendProtocol(window, "WM_DELETE_WINDOW"); }

    const x11driver::Screen& screen() const { return m_screen; }

private:
    static int colouredPixels(const QImage& image) {
        return x11driver::countPixels(image, image.rect(), [](QRgb p, QPoint) {
            return std::max({qRed(p), qGreen(p), qBlue(p)}) - std::min({qRed(p), qGreen(p), qBlue(p)}) > 120;
        });
    }

    const x11driver::Screen& m_screen;
};

// ---- the sound server -------------------------------------------------------------------------------------

// A private PulseAudio server with one null sink, which suspends after a second without a stream, as a
// desktop's does after a few. Every program the bench starts is pointed at it.
class SoundServer {
public:
    bool start() {
        const QString socket = m_dir.filePath(QStringLiteral("native"));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), m_dir.path());
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_dir.path());
        m_process.setProcessEnvironment(env);
        m_process.setStandardOutputFile(QProcess::nullDevice());
        m_process.setStandardErrorFile(QProcess::nullDevice());
        m_process.start(QStringLiteral("pulseaudio"),
                        {QStringLiteral("-n"), QStringLiteral("--daemonize=no"),
                         QStringLiteral("--exit-idle-time=-1"), QStringLiteral("--use-pid-file=no"),
                         QStringLiteral("-L"),
                         QStringLiteral("module-native-protocol-unix auth-anonymous=1 socket=") + socket,
                         QStringLiteral("-L"), QStringLiteral("module-null-sink sink_name=bench rate=44100"),
                         QStringLiteral("-L"), QStringLiteral("module-suspend-on-idle timeout=1")});
        if (!m_process.waitForStarted(5000))
            return false;
        for (int i = 0; i < 250 && !QFile::exists(socket); ++i)
            sleepMs(20);
        // The programs, the recorder and the sound helper all reach it; none of them writes to the real home.
        qputenv("PULSE_SERVER", QByteArray("unix:") + QFile::encodeName(socket));
        qputenv("HOME", QFile::encodeName(m_dir.path()));
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_dir.path()));
        qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
        return QFile::exists(socket);
    }
    ~SoundServer() {
        m_process.terminate();
        m_process.waitForFinished(3000);
    }
    qint64 pid() const { return m_process.processId(); }

private:
    QTemporaryDir m_dir;
    QProcess m_process;
};

// Records the null sink's monitor with parec and notes when each sound starts: the first loud sample after
// a stretch of silence, stamped as its block arrives.
class Recorder {
public:
    bool start() {
        int fds[2];
        if (pipe(fds) != 0)
            return false;
        m_pid = fork();
        if (m_pid == 0) {
            dup2(fds[1], STDOUT_FILENO);
            close(fds[0]);
            close(fds[1]);
            execlp("parec", "parec", "-d", "bench.monitor", "--raw", "--format=s16le", "--rate=44100",
                   "--channels=1", "--latency-msec=2", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        m_fd = fds[0];
        m_reader = std::thread([this] { read(); });
        return m_pid > 0;
    }
    ~Recorder() {
        if (m_pid > 0) {
            kill(m_pid, SIGTERM);
            waitpid(m_pid, nullptr, 0);
        }
        if (m_reader.joinable())
            m_reader.join();
        if (m_fd >= 0)
            close(m_fd);
    }
    bool hasHeardSilence() const { return m_quiet > SampleRate / 10; }
    std::vector<long long> onsets() const {
        const std::lock_guard lock(m_mutex);
        return m_onsets;
    }

private:
    void read() {
        std::vector<qint16> block(2048);
        for (;;) {
            const ssize_t got = ::read(m_fd, block.data(), block.size() * sizeof(qint16));
            const long long stamp = monotonicNs();
            if (got <= 0)
                return;
            const std::size_t samples = std::size_t(got) / sizeof(qint16);
            for (std::size_t i = 0; i < samples; ++i) {
                const bool loud = std::abs(int(block[i])) > LoudSample;
                if (loud && m_quiet >= SampleRate * QuietBeforeOnsetMs / 1000) {
                    const long long after = (long long)(samples - i) * 1000000000LL / SampleRate;
                    const std::lock_guard lock(m_mutex);
                    m_onsets.push_back(stamp - after);
                }
                m_quiet = loud ? 0 : m_quiet + 1;
            }
        }
    }

    pid_t m_pid = -1;
    int m_fd = -1;
    std::thread m_reader;
    std::atomic<long long> m_quiet = 0;
    mutable std::mutex m_mutex;
    std::vector<long long> m_onsets;
};

// ---- the measurements -------------------------------------------------------------------------------------

struct Figures {
    std::vector<double> window, content, rss, cpu, serverCpu;
    // The letter explorer's, and for the floor the same two timers'.
    std::vector<double> explorerCpu, explorerServerCpu;
    std::vector<double> mainMenu; // Wordpot only
};

double msSince(long long startNs) {
    return double(monotonicNs() - startNs) / 1e6;
}

// The splash's title is red once it is painted; so is the top of the main menu's stop sign.
const QRect SplashTitle(40, 19, 500, 49);
const QRect MainMenuStopSign = mainmenu::layout::StopSign.adjusted(20, 10, -20, -70);
const QRect ExplorerTiles = abc::layout::tile(0) | abc::layout::tile(abc::layout::TileCount - 1);
const QRect HangmanTiles = hangman::layout::tile(0) | hangman::layout::tile(25);

// A letter of the spelling game's board, where it stands in the window.
QRect boardSlot(char letter) {
    const auto slot = std::find_if(wordpot::Board.begin(), wordpot::Board.end(),
                                   [letter](const wordpot::BoardSlot& s) { return s.letter == letter; });
    return forms::rectTw(slot->left, slot->top, wordpot::SlotSizeTwips, wordpot::SlotSizeTwips);
}

// The board's letters, which are coloured pictures.
QRect boardArea() {
    QRect area;
    for (const wordpot::BoardSlot& slot : wordpot::Board)
        area |= boardSlot(slot.letter);
    return area;
}

bool startProgram(QProcess& process, const QString& program) {
    process.setProgram(program);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start();
    return process.waitForStarted(TimeoutMs);
}

void stopProgram(QProcess& process) {
    process.terminate();
    if (!process.waitForFinished(5000))
        process.kill();
}

std::optional<WindowId> toMainMenu(const Desktop& screen, WindowId splash, double* keyToMenuMs) {
    screen.moveTo(screen.geometry(splash).center());
    const long long start = monotonicNs();
    screen.key(splash, QStringLiteral("space"));
    const auto main =
        screen.waitForWindow([&](WindowId w) { return screen.titled(w, "Welcome to Wordpot"); });
    if (!main || !screen.waitForPainted(*main, MainMenuStopSign.translated(screen.mainMenuClient(*main) -
                                                                           screen.geometry(*main).topLeft())))
        return std::nullopt;
    if (keyToMenuMs != nullptr)
        *keyToMenuMs = msSince(start);
    return main;
}

bool measureFloor(const Options& options, const Desktop& screen, const SoundServer& server, Figures& floor) {
    QProcess process;
    const long long start = monotonicNs();
    if (!startProgram(process, options.floor))
        return false;
    const auto window = screen.waitForWindow([&](WindowId w) { return screen.titled(w, "Floor"); });
    if (!window)
        return false;
    floor.window.push_back(msSince(start));
    if (!screen.waitForPainted(*window, QRect(QPoint(0, 0), screen.geometry(*window).size())))
        return false;
    floor.content.push_back(msSince(start));
    sleepMs(SettleMs);
    floor.rss.push_back(rssMiB(process.processId()));
    IdleCpu idle = idleCpu(process.processId(), server.pid());
    floor.cpu.push_back(idle.program);
    floor.serverCpu.push_back(idle.server);
    stopProgram(process);

    // Again with the letter explorer's timers ticking.
    QProcess ticking;
    ticking.setArguments({QStringLiteral("--timers")});
    if (!startProgram(ticking, options.floor))
        return false;
    const auto again = screen.waitForWindow([&](WindowId w) { return screen.titled(w, "Floor"); });
    if (!again)
        return false;
    sleepMs(SettleMs);
    idle = idleCpu(ticking.processId(), server.pid());
    floor.explorerCpu.push_back(idle.program);
    floor.explorerServerCpu.push_back(idle.server);
    stopProgram(ticking);
    return true;
}

bool measureWordpot(const Options& options, const Desktop& screen, const SoundServer& server,
                    Figures& wordpot) {
    QProcess process;
    const long long start = monotonicNs();
    if (!startProgram(process, options.program))
        return false;
    const auto splash = screen.waitForWindow([&](WindowId w) { return screen.isSplash(w); });
    if (!splash)
        return false;
    wordpot.window.push_back(msSince(start));
    if (!screen.waitForPainted(*splash, SplashTitle))
        return false;
    wordpot.content.push_back(msSince(start));

    double keyToMenuMs = 0;
    const auto main = toMainMenu(screen, *splash, &keyToMenuMs);
    if (!main)
        return false;
    wordpot.mainMenu.push_back(keyToMenuMs);
    sleepMs(SettleMs);
    wordpot.rss.push_back(rssMiB(process.processId()));
    IdleCpu idle = idleCpu(process.processId(), server.pid());
    wordpot.cpu.push_back(idle.program);
    wordpot.serverCpu.push_back(idle.server);

    screen.click(screen.mainMenuClient(*main) + mainmenu::layout::ABCButton.center());
    const auto explorer = screen.waitForWindow([&](WindowId w) { return screen.titled(w, "Wordpot"); });
    if (!explorer || !screen.waitForPainted(*explorer, ExplorerTiles))
        return false;
    sleepMs(SettleMs);
    idle = idleCpu(process.processId(), server.pid());
    wordpot.explorerCpu.push_back(idle.program);
    wordpot.explorerServerCpu.push_back(idle.server);
    stopProgram(process);
    return true;
}

struct Latency {
    std::vector<double> idle, warm;
};

// The sound helper plays a tone with the device idle before, then one just after another sound; each is
// timed from its PlayWave call to its first loud sample at the server.
bool measureLatency(const Options& options, Latency& latency) {
    Recorder recorder;
    if (!recorder.start())
        return false;
    for (int i = 0; i < 250 && !recorder.hasHeardSilence(); ++i)
        sleepMs(20);
    QProcess helper;
    helper.start(options.soundBench, {QStringLiteral("--latency"), QString::number(options.latencyPlays)});
    if (!helper.waitForFinished(options.latencyPlays * 10000 + TimeoutMs) || helper.exitCode() != 0)
        return false;
    sleepMs(500);
    const std::vector<long long> onsets = recorder.onsets();
    for (const QByteArray& line : helper.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() != 2)
            continue;
        const long long played = fields[1].toLongLong();
        const auto heard = std::lower_bound(onsets.begin(), onsets.end(), played);
        const double ms = heard == onsets.end() ? -1 : double(*heard - played) / 1e6;
        if (ms < 0 || ms > LatestOnsetMs)
            std::fprintf(stderr, "wordpot_bench: a tone played %s was not heard within %d ms\n",
                         fields[0].constData(), LatestOnsetMs);
        else
            (fields[0] == "idle" ? latency.idle : latency.warm).push_back(ms);
    }
    return !latency.idle.empty() && !latency.warm.empty();
}

struct Activity {
    const char* name;
    const char* title;
    QPoint button; // on the main menu's client area
    QRect probe;   // where the window shows colour once painted
    std::function<void(const Desktop&, WindowId, int cycle)> play;
};

// Opens each activity many times, plays a little in it and closes it by its close box; returns the growth
// of resident memory from the end of the first cycle to the end of the last, in KiB.
bool measureCycles(const Options& options, const Desktop& screen, std::vector<double>& growth) {
    const Activity activities[] = {
        {"letter explorer", "Wordpot", mainmenu::layout::ABCButton.center(), ExplorerTiles,
         [&](const Desktop& s, WindowId w, int cycle) {
             s.key(w, QStringLiteral("a"));
             s.waitForPainted(w, abc::layout::PictureArea);
             s.click(s.geometry(w).topLeft() + abc::layout::tile(cycle % abc::layout::TileCount).center());
         }},
        {"spelling game", "Wordpot", mainmenu::layout::WordpotButton.center(), boardArea(),
         [](const Desktop& s, WindowId w, int) {
             s.click(s.geometry(w).topLeft() + boardSlot('A').center()); // two letters of the board
             s.click(s.geometry(w).topLeft() + boardSlot('T').center());
         }},
        {"Hangman", "Hangman", mainmenu::layout::HangmanButton.center(), HangmanTiles,
         [](const Desktop& s, WindowId w, int cycle) {
             const char* const letters[] = {"e", "t", "a", "o", "i", "n", "s", "r"};
             s.key(w, QLatin1String(letters[cycle % 8]));
         }},
    };
    QProcess process;
    if (!startProgram(process, options.program))
        return false;
    const auto splash = screen.waitForWindow([&](WindowId w) { return screen.isSplash(w); });
    const auto main = splash ? toMainMenu(screen, *splash, nullptr) : std::nullopt;
    if (!main)
        return false;
    for (const Activity& activity : activities) {
        double first = 0;
        for (int cycle = 1; cycle <= options.cycles; ++cycle) {
            screen.click(screen.mainMenuClient(*main) + activity.button);
            const auto window =
                screen.waitForWindow([&](WindowId w) { return screen.titled(w, activity.title); });
            const char* failed = !window                                           ? "did not open"
                                 : !screen.waitForPainted(*window, activity.probe) ? "was not painted"
                                                                                   : nullptr;
            if (failed == nullptr) {
                activity.play(screen, *window, cycle);
                screen.close(*window);
                failed = screen.waitForGone(*window) ? nullptr : "did not close";
            }
            if (failed != nullptr) {
                std::fprintf(stderr, "wordpot_bench: the %s %s on its opening %d\n", activity.name, failed,
                             cycle);
                return false;
            }
            // Input stamped up to the end of a blocking sound is dropped, to the millisecond; a child's next
            // click never comes that close behind it.
            sleepMs(InputPauseMs);
            if (cycle == 1 || cycle == options.cycles) {
                sleepMs(AfterCycleMs);
                if (cycle == 1)
                    first = rssMiB(process.processId());
            }
        }
        growth.push_back((rssMiB(process.processId()) - first) * 1024);
        std::fprintf(stderr, "  %s: %d cycles, %+.0f KiB\n", activity.name, options.cycles, growth.back());
    }
    stopProgram(process);
    return true;
}

// ---- the table
// ----------------------------------------------------------------------------------------------

QString number(double value, int decimals) {
    return QString::number(value, 'f', decimals);
}

void row(const QString& figure, const QString& floor, const QString& wordpot, const QString& target = {},
         std::optional<bool> met = std::nullopt) {
    std::printf("| %s | %s | %s | %s | %s |\n", qPrintable(figure), qPrintable(floor), qPrintable(wordpot),
                qPrintable(target), met ? (*met ? "yes" : "**no**") : "");
}

bool parse(const QStringList& arguments, Options& options) {
    for (qsizetype i = 1; i + 1 < arguments.size(); i += 2) {
        const QString& name = arguments[i];
        const QString& value = arguments[i + 1];
        if (name == QLatin1String("--program"))
            options.program = value;
        else if (name == QLatin1String("--sound-bench"))
            options.soundBench = value;
        else if (name == QLatin1String("--floor"))
            options.floor = value;
        else if (name == QLatin1String("--runs"))
            options.runs = std::max(0, value.toInt());
        else if (name == QLatin1String("--cycles"))
            options.cycles = std::max(0, value.toInt());
        else
            return false;
    }
    return arguments.size() % 2 == 1;
}
} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    Options options;
    if (!parse(QCoreApplication::arguments(), options)) {
        std::fprintf(
            stderr, "usage: wordpot_bench [--runs N] [--cycles N] [--program WORDPOT] [--sound-bench HELPER] "
                    "[--floor BARE_WINDOW]\n");
        return 2;
    }
    const x11driver::Screen xvfb;
    qputenv("DISPLAY", xvfb.display().toLatin1());
    const Desktop screen(xvfb);
    SoundServer server;
    if (!xvfb.isRunning() || !server.start()) {
        std::fprintf(stderr, "wordpot_bench: no X server or no PulseAudio server\n");
        return 1;
    }

    Figures floor;
    Figures wordpot;
    for (int run = 1; run <= options.runs; ++run) {
        if (!measureFloor(options, screen, server, floor) ||
            !measureWordpot(options, screen, server, wordpot)) {
            std::fprintf(stderr, "wordpot_bench: run %d: a window was never painted\n", run);
            return 1;
        }
        std::fprintf(
            stderr,
            "run %d: first content %.1f / %.1f ms, key to menu %.1f ms, RSS %.1f / %.1f MiB, idle CPU "
            "%.2f / %.2f %%, server %.2f / %.2f %%, letter explorer %.2f / %.2f %%, server %.2f %%\n",
            run, floor.content.back(), wordpot.content.back(), wordpot.mainMenu.back(), floor.rss.back(),
            wordpot.rss.back(), floor.cpu.back(), wordpot.cpu.back(), floor.serverCpu.back(),
            wordpot.serverCpu.back(), floor.explorerCpu.back(), wordpot.explorerCpu.back(),
            wordpot.explorerServerCpu.back());
    }
    Latency latency;
    if (!measureLatency(options, latency)) {
        std::fprintf(stderr, "wordpot_bench: the sound helper's tones were not heard at the server\n");
        return 1;
    }
    std::vector<double> growth;
    if (options.cycles > 0 && !measureCycles(options, screen, growth)) {
        std::fprintf(stderr, "wordpot_bench: an activity did not open or close\n");
        return 1;
    }

    // Ratios within each A B pair, so that a slow stretch of the machine counts against neither.
    std::vector<double> ratios;
    for (std::size_t i = 0; i < floor.content.size(); ++i)
        ratios.push_back(wordpot.content[i] / floor.content[i]);
    const double ratio = median(ratios);
    const double rssAbove = median(wordpot.rss) - median(floor.rss);
    const double added = median(latency.idle) - median(latency.warm);

    std::printf(
        "\nMedians of %d runs of each, interleaved; sound latency over %d tones each way; growth over "
        "%d openings.\n\n",
        options.runs, options.latencyPlays, options.cycles);
    std::printf("| Figure | bare Qt window | Wordpot | target | met |\n");
    std::printf("|---|---|---|---|---|\n");
    row(QStringLiteral("first window (ms)"), number(median(floor.window), 1),
        number(median(wordpot.window), 1));
    row(QStringLiteral("first content (ms)"), number(median(floor.content), 1),
        number(median(wordpot.content), 1));
    row(QStringLiteral("first content, Wordpot / floor"), {}, number(ratio, 2),
        QStringLiteral("<= %1").arg(ContentRatioTarget), ratio <= ContentRatioTarget);
    row(QStringLiteral("key on the splash to main menu painted (ms)"), {},
        number(median(wordpot.mainMenu), 1), QStringLiteral("<= %1").arg(MainMenuTargetMs),
        median(wordpot.mainMenu) <= MainMenuTargetMs);
    row(QStringLiteral("resident memory, settled (MiB)"), number(median(floor.rss), 1),
        number(median(wordpot.rss), 1), QStringLiteral("<= floor + %1").arg(RssAboveFloorTargetMiB),
        rssAbove <= RssAboveFloorTargetMiB);
    const auto cpuRow = [](const char* figure, const std::vector<double>& floorCpu,
                           const std::vector<double>& cpu) {
        row(QLatin1String(figure), floorCpu.empty() ? QString() : number(median(floorCpu), 2),
            number(median(cpu), 2), QStringLiteral("0.0"), median(cpu) < IdleCpuTarget);
    };
    cpuRow("idle CPU, program, main menu (% of a core)", floor.cpu, wordpot.cpu);
    cpuRow("idle CPU, sound server, main menu (%)", floor.serverCpu, wordpot.serverCpu);
    // The floor runs the letter explorer's two timers here, doing nothing.
    cpuRow("idle CPU, program, letter explorer (%)", floor.explorerCpu, wordpot.explorerCpu);
    // Those timers may tick; what the letter explorer costs beyond them, pair by pair, is what must be
    // nothing.
    std::vector<double> beyond;
    for (std::size_t i = 0; i < floor.explorerCpu.size(); ++i)
        beyond.push_back(wordpot.explorerCpu[i] - floor.explorerCpu[i]);
    row(QStringLiteral("idle CPU, program, letter explorer beyond its two timers (%)"), {},
        number(median(beyond), 2), QStringLiteral("0.0"), median(beyond) < IdleCpuTarget);
    cpuRow("idle CPU, sound server, letter explorer (%)", floor.explorerServerCpu, wordpot.explorerServerCpu);
    row(QStringLiteral("sound latency, device idle before (ms)"), {}, number(median(latency.idle), 1));
    row(QStringLiteral("sound latency, just after another sound (ms)"), {}, number(median(latency.warm), 1));
    row(QStringLiteral("latency added by the idle device (ms)"), {}, number(added, 1),
        QStringLiteral("<= %1 (one buffer)").arg(number(OneBufferMs, 1)), added <= OneBufferMs);
    const char* const names[] = {"letter explorer", "spelling game", "Hangman"};
    for (std::size_t i = 0; i < growth.size(); ++i)
        row(QStringLiteral("resident memory growth, %1 (KiB)").arg(QLatin1String(names[i])), {},
            number(growth[i], 0), QStringLiteral("<= %1").arg(GrowthTargetKiB), growth[i] <= GrowthTargetKiB);

    return 0;
}
