// Wordpot measured from outside, in one run, against a bare Qt Widgets window built beside it: both on a
// private Xvfb display and a private PulseAudio server (a null sink), started in turn (A B A B) so that
// machine noise falls on both alike. It prints one table: the first window and the first content on the
// screen, a key on the splash to the main menu, resident memory settled, idle CPU of the program and of
// the sound server (main menu, letter explorer), sound latency through the server, and resident memory
// over repeated openings of each activity. Input comes through XTEST; "painted" means the expected
// colours are on the screen, read back from the X server. With --clicks N it also times what a child feels,
// N times each: a click on the main menu to each activity's window painted, a click on a letter tile to the
// letter painted and its sound started at the server, GUESS to the face painted, against the bare window's
// own click to a repaint and to a new window; --only-clicks times nothing else.
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QPoint>
#include <QProcess>
#include <QRect>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtEndian>
#include <QThread>

#include "abc/explorerlayout.h"
#include "abc/lettertable.h"
#include "app/mainmenulayout.h"
#include "hangman/hangmanlayout.h"
#include "wordpot/spellinglayout.h"
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
constexpr double OneFrameMs = 1000.0 / 60;
constexpr double SoundStartTargetMs = 25;
constexpr double SampleListRatioTarget = 1.2;
// A child's click: the pointer comes to rest on the spot, after whatever the last input set off has settled.
constexpr int SettleBeforeClickMs = 300;
constexpr int PointerRestMs = 100;
constexpr int WakeMs = 20;     // the longest wait for a drawing before the screen is looked at again
constexpr int SettledMs = 300; // with no drawing, the screen shows its answer to a click in full
constexpr int ClicksPerRound = 4;
constexpr int KeyAnswerMs = 500; // a letter typed into the spelling game has been taken
// A letter's sound has ended, the player has closed the device and the server's sink has gone idle.
constexpr int LetterPauseMs = 2500;

struct Options {
    QString program = QStringLiteral(WORDPOT_EXECUTABLE);
    QString floor = QStringLiteral(FLOOR_EXECUTABLE);
    QString soundBench = QStringLiteral(SOUND_BENCH_EXECUTABLE);
    int runs = 7;
    int cycles = 300;
    int latencyPlays = 9;
    int clicks = 20;
    bool onlyClicks = false;
    QString startupAgainst; // another build of Wordpot, to compare start-up with and nothing else
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

// A started Wordpot's splash waited for and passed with a key: its main menu, painted.
std::optional<WindowId> pastTheSplash(const Desktop& screen) {
    const auto splash = screen.waitForWindow([&](WindowId w) { return screen.isSplash(w); });
    return splash ? toMainMenu(screen, *splash, nullptr) : std::nullopt;
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

// From the start of a Wordpot to its splash painted; the program ends there.
bool measureStartup(const QString& program, const Desktop& screen, std::vector<double>& content) {
    QProcess process;
    const long long start = monotonicNs();
    if (!startProgram(process, program))
        return false;
    const auto splash = screen.waitForWindow([&](WindowId w) { return screen.isSplash(w); });
    const bool painted = splash && screen.waitForPainted(*splash, SplashTitle);
    if (painted)
        content.push_back(msSince(start));
    stopProgram(process);
    // The splash gone before the next program starts, which waits for a splash of its own.
    return painted && screen.waitForGone(*splash);
}

// Another build's start-up against this one's, in turn (A B A B), each pair's ratio kept.
bool compareStartup(const Options& options, const Desktop& screen) {
    std::vector<double> other, ours, ratios;
    for (int run = 0; run < std::max(1, options.runs); ++run) {
        if (!measureStartup(options.startupAgainst, screen, other) ||
            !measureStartup(options.program, screen, ours))
            return false;
        ratios.push_back(ours.back() / other.back());
    }
    std::printf("\nFrom the start to the splash painted, %d runs of each, interleaved.\n\n", options.runs);
    std::printf("| Figure | other build | this build |\n|---|---|---|\n");
    std::printf("| median (ms) | %.1f | %.1f |\n", median(other), median(ours));
    std::printf("| worst (ms) | %.1f | %.1f |\n", *std::max_element(other.begin(), other.end()),
                *std::max_element(ours.begin(), ours.end()));
    std::printf("| median of the pairs' ratios, this / other | | %.2f |\n", median(ratios));
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
    const auto main = pastTheSplash(screen);
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

// ---- what a child feels ----------------------------------------------------------------------------------

// A click as a child gives it: the pointer comes to rest on the spot, the button goes down and up. The
// program answers the release, so each figure is timed from it.
long long clickAt(const x11driver::Screen& screen, QPoint point) {
    screen.moveTo(point);
    screen.sync();
    sleepMs(PointerRestMs);
    screen.button(1, true);
    screen.sync();
    const long long released = monotonicNs();
    screen.button(1, false);
    return released;
}

// When a condition on the screen is first seen to hold: it is looked at again as soon as the server reports
// a drawing, and that report's arrival is the moment taken. -1 if it never holds within the time limit.
long long whenSeen(const x11driver::Screen& screen, const std::function<bool()>& seen,
                   int timeoutMs = TimeoutMs) {
    const long long start = monotonicNs();
    long long reported = start;
    while (reported - start < timeoutMs * 1000000LL) {
        if (seen())
            return reported;
        screen.receive(WakeMs);
        reported = monotonicNs();
    }
    return -1;
}

// When an area of the screen first showed what it shows once the drawing has stopped. A window nobody has
// drawn yet shows what was under it, so nothing short of its final look tells that it is painted: the area
// is read back at each drawing the server reports until none has come for SettledMs, and the moment taken is
// the first reading that matches the last one, but for a few pixels (a caret may blink). `area` is empty
// until there is something to read, such as a window not mapped yet. -1 if nothing settles in time.
long long whenShown(const x11driver::Screen& screen, const std::function<QRect()>& area) {
    std::vector<std::pair<long long, QImage>> readings;
    const long long start = monotonicNs();
    long long reported = start;
    long long drawn = start;
    while (reported - start < TimeoutMs * 1000000LL) {
        if (const QRect now = area(); !now.isEmpty())
            readings.emplace_back(reported, screen.grab(now));
        const bool drawing = screen.receive(WakeMs).damage > 0;
        reported = monotonicNs();
        if (drawing)
            drawn = reported;
        else if (!readings.empty() && reported - drawn > SettledMs * 1000000LL) {
            const QImage& last = readings.back().second;
            for (const auto& [when, image] : readings) {
                if (image.size() == last.size() && x11driver::differingPixels(image, last, image.rect()) <=
                                                       image.width() * image.height() / 100)
                    return when;
            }
        }
    }
    return -1;
}

// How long a WAV file of 16-bit samples stays quiet before its first loud sample, as the recorder judges a
// sound's start; 0 for anything else.
double quietLeadMs(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray wav = file.readAll();
    int channels = 0;
    int rate = 0;
    int bits = 0;
    for (qsizetype at = 12; at + 8 <= wav.size();) {
        const QByteArray id = wav.mid(at, 4);
        const qsizetype size = qFromLittleEndian<quint32>(wav.constData() + at + 4);
        const char* body = wav.constData() + at + 8;
        if (id == "fmt " && size >= 16) {
            channels = qFromLittleEndian<quint16>(body + 2);
            rate = int(qFromLittleEndian<quint32>(body + 4));
            bits = qFromLittleEndian<quint16>(body + 14);
        } else if (id == "data" && bits == 16 && channels > 0 && rate > 0) {
            const qsizetype samples = std::min(size, wav.size() - at - 8) / 2;
            for (qsizetype i = 0; i < samples; ++i) {
                if (std::abs(qFromLittleEndian<qint16>(body + 2 * i)) > LoudSample)
                    return 1000.0 * double(i / channels) / rate;
            }
            return 0;
        }
        at += 8 + size + (size % 2);
    }
    return 0;
}

struct Reactions {
    std::vector<double> floorRepaint, floorWindow; // the bare window's
    std::vector<double> explorer, spelling, hangman, letterPainted, letterSound, face;
    std::vector<double> spellingBuiltIn, spellingSample; // each in a program of its own, in turn
};

// A new window on top of those open, from a click to an area of it (all of it if `probe` is empty) painted:
// the window's id and the time it took, or nothing.
std::optional<std::pair<WindowId, long long>>
windowFromClick(const Desktop& screen, QPoint point, QRect probe, const std::vector<WindowId>& open) {
    const x11driver::Screen& x = screen.screen();
    std::optional<WindowId> window;
    const long long clicked = clickAt(x, point);
    const long long shown = whenShown(x, [&] {
        if (!window)
            window = screen.find([&](WindowId w) {
                return std::find(open.begin(), open.end(), w) == open.end() && !screen.titled(w, "");
            });
        if (!window)
            return QRect();
        const QRect geometry = screen.geometry(*window);
        return (probe.isEmpty() ? QRect(QPoint(), geometry.size()) : probe).translated(geometry.topLeft());
    });
    if (shown < 0)
        return std::nullopt;
    return std::pair{*window, shown - clicked};
}

bool failed(const char* what) {
    std::fprintf(stderr, "wordpot_bench: %s\n", what);
    return false;
}

bool closeWindow(const Desktop& screen, WindowId window) {
    screen.close(window);
    return screen.waitForGone(window);
}

// The bare window: a click that repaints it, and one that opens a second window, each `count` times.
bool reactFloor(const Options& options, const Desktop& screen, Reactions& reactions, int count) {
    const x11driver::Screen& x = screen.screen();
    QProcess process;
    process.setArguments({QStringLiteral("--clicks")});
    if (!startProgram(process, options.floor))
        return false;
    const auto window = screen.waitForWindow([&](WindowId w) { return screen.titled(w, "Floor"); });
    if (!window || !screen.waitForPainted(*window, QRect(QPoint(0, 0), screen.geometry(*window).size())))
        return false;
    const QRect area = screen.geometry(*window);
    for (int i = 0; i < count; ++i) {
        sleepMs(SettleBeforeClickMs);
        const long long clicked = clickAt(x, area.topLeft() + QPoint(area.width() / 4, area.height() / 2));
        const long long seen = whenShown(x, [&] { return area; });
        if (seen < 0)
            return false;
        reactions.floorRepaint.push_back(double(seen - clicked) / 1e6);
    }
    for (int i = 0; i < count; ++i) {
        sleepMs(SettleBeforeClickMs);
        const auto second = windowFromClick(
            screen, area.topLeft() + QPoint(area.width() * 3 / 4, area.height() / 2), {}, {*window});
        if (!second || !closeWindow(screen, second->first))
            return false;
        reactions.floorWindow.push_back(double(second->second) / 1e6);
    }
    stopProgram(process);
    return true;
}

// Wordpot: each activity opened from the main menu, a letter tile clicked, GUESS clicked, each `count`
// times. `first` numbers the letters, so that every round clicks others.
bool reactWordpot(const Options& options, const Desktop& screen, const Recorder& recorder,
                  Reactions& reactions, int count, int first) {
    const x11driver::Screen& x = screen.screen();
    QProcess process;
    if (!startProgram(process, options.program))
        return false;
    const auto main = pastTheSplash(screen);
    if (!main)
        return failed("the main menu did not show");
    const QPoint client = screen.mainMenuClient(*main);
    // The first sample of each opening is a cold one: its pictures are read for the first time.
    const struct {
        QRect button;
        QRect probe;
        std::vector<double>& into;
    } activities[] = {
        {mainmenu::layout::ABCButton, ExplorerTiles, reactions.explorer},
        {mainmenu::layout::WordpotButton, boardArea(), reactions.spelling},
        {mainmenu::layout::HangmanButton, HangmanTiles, reactions.hangman},
    };
    for (const auto& activity : activities) {
        for (int i = 0; i < count; ++i) {
            sleepMs(SettleBeforeClickMs);
            const auto opened =
                windowFromClick(screen, client + activity.button.center(), activity.probe, {*main});
            if (!opened || !closeWindow(screen, opened->first))
                return failed("an activity did not open or close");
            activity.into.push_back(double(opened->second) / 1e6);
        }
    }

    // Letters: the red pair in a corner changes, and the letter is heard.
    const auto explorer =
        windowFromClick(screen, client + mainmenu::layout::ABCButton.center(), ExplorerTiles, {*main});
    if (!explorer)
        return failed("the letter explorer did not open");
    const QPoint origin = screen.geometry(explorer->first).topLeft();
    const QRect corner = abc::layout::BigLetterAreas[abc::layout::BigLetterCopies].translated(origin);
    const QDir media = QFileInfo(options.program).absoluteDir();
    for (int i = 0; i < count; ++i) {
        sleepMs(LetterPauseMs);
        const int index = (first + i) % abc::layout::TileCount;
        const long long clicked = clickAt(x, origin + abc::layout::tile(index).center());
        const long long seen = whenShown(x, [&] { return corner; });
        if (seen < 0)
            return failed("a letter was not painted");
        reactions.letterPainted.push_back(double(seen - clicked) / 1e6);
        std::optional<long long> heard;
        for (int wait = 0; wait < 100 && !heard; ++wait) {
            for (const long long onset : recorder.onsets())
                if (onset >= clicked && !heard)
                    heard = onset;
            if (!heard)
                sleepMs(WakeMs);
        }
        const QString sound = QString(QLatin1String(abc::LetterTable[std::size_t(index)].letterSound)).mid(1);
        if (!heard) {
            std::fprintf(stderr, "wordpot_bench: the letter %s was not heard\n", qPrintable(sound));
            return false;
        }
        reactions.letterSound.push_back(double(*heard - clicked) / 1e6 -
                                        quietLeadMs(media.filePath(sound.toLower())));
    }
    if (!closeWindow(screen, explorer->first))
        return failed("the letter explorer did not close");

    // GUESS with a word of Zs, which is no word: the sad face each time, closed by its close box.
    const auto game =
        windowFromClick(screen, client + mainmenu::layout::WordpotButton.center(), boardArea(), {*main});
    if (!game)
        return failed("the spelling game did not open");
    const QRect guess = wordpot::layout::GuessButton.translated(screen.geometry(game->first).topLeft());
    const auto guessEnabled = [&] {
        return x11driver::countNear(x.grab(guess), QRect(QPoint(), guess.size()), Qt::black, 60) > 30;
    };
    for (int letters = 0; letters < 8 && !guessEnabled(); ++letters) {
        screen.key(game->first, QStringLiteral("z"));
        whenSeen(x, guessEnabled, KeyAnswerMs);
    }
    if (!guessEnabled())
        return failed("GUESS was not enabled");
    for (int i = 0; i < count; ++i) {
        sleepMs(SettleBeforeClickMs);
        const auto face = windowFromClick(screen, guess.center(), {}, {*main, game->first});
        if (!face || !closeWindow(screen, face->first))
            return failed("the face did not show or close");
        reactions.face.push_back(double(face->second) / 1e6);
    }
    stopProgram(process);
    return true;
}

// The spelling game opened from the main menu `count` times by a program started with these arguments (a
// word list chosen, or none), with a settings folder of its own so that neither run finds the other's
// choice, and a runtime folder of its own for the speech service a list may start (ended with the run).
bool reactSpelling(const Options& options, const Desktop& screen, const QStringList& arguments,
                   std::vector<double>& into, int count) {
    QTemporaryDir own;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), own.path());
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), own.path());
    QProcess process;
    process.setProcessEnvironment(env);
    process.setArguments(arguments);
    if (!startProgram(process, options.program))
        return false;
    const auto stopSpeech = qScopeGuard([&] {
        QFile pid(own.filePath(QStringLiteral("speech-dispatcher/pid/speech-dispatcher.pid")));
        if (pid.open(QIODevice::ReadOnly))
            ::kill(pid_t(pid.readAll().trimmed().toInt()), SIGKILL);
    });
    const auto main = pastTheSplash(screen);
    if (!main)
        return failed("the main menu did not show");
    const QPoint button = screen.mainMenuClient(*main) + mainmenu::layout::WordpotButton.center();
    for (int i = 0; i < count; ++i) {
        sleepMs(SettleBeforeClickMs);
        const auto opened = windowFromClick(screen, button, boardArea(), {*main});
        if (!opened || !closeWindow(screen, opened->first))
            return failed("the spelling game did not open or close");
        into.push_back(double(opened->second) / 1e6);
    }
    stopProgram(process);
    return true;
}

// The bare window and Wordpot in turn, a few clicks of each kind per start, until each figure has `count`.
bool measureReactions(const Options& options, Desktop& screen, x11driver::Screen& x, Reactions& reactions) {
    if (!x.watchDamage())
        return false;
    Recorder recorder;
    if (!recorder.start())
        return false;
    for (int i = 0; i < 250 && !recorder.hasHeardSilence(); ++i)
        sleepMs(20);
    for (int done = 0; done < options.clicks; done += ClicksPerRound) {
        const int count = std::min(ClicksPerRound, options.clicks - done);
        if (!reactFloor(options, screen, reactions, count) ||
            !reactWordpot(options, screen, recorder, reactions, count, done) ||
            !reactSpelling(options, screen, {}, reactions.spellingBuiltIn, count) ||
            !reactSpelling(options, screen, {QStringLiteral(SAMPLE_LIST)}, reactions.spellingSample, count))
            return false;
        std::fprintf(stderr,
                     "clicks %d of %d: letter explorer %.1f ms, letter painted %.1f ms, heard %.1f ms\n",
                     done + count, options.clicks, reactions.explorer.back(), reactions.letterPainted.back(),
                     reactions.letterSound.back());
    }
    return true;
}

void printReactions(const Reactions& r) {
    const auto worst = [](const std::vector<double>& values) {
        return values.empty() ? 0.0 : *std::max_element(values.begin(), values.end());
    };
    const auto pair = [&](const char* figure, const std::vector<double>& floor,
                          const std::vector<double>& values, double target) {
        const QString n = QString::number(values.size());
        row(QStringLiteral("%1, median (ms)").arg(QLatin1String(figure)),
            floor.empty() ? QString() : number(median(floor), 1), number(median(values), 1),
            QStringLiteral("<= %1").arg(number(target, 1)), median(values) <= target);
        row(QStringLiteral("%1, worst of %2 (ms)").arg(QLatin1String(figure), n),
            floor.empty() ? QString() : number(worst(floor), 1), number(worst(values), 1));
    };
    std::printf(
        "\nThe bare window's column: its click to a new window painted, beside a window opened; its click "
        "to a repaint, beside the letter painted.\n\n");
    std::printf("| Figure | bare Qt window | Wordpot | target | met |\n");
    std::printf("|---|---|---|---|---|\n");
    pair("click to the letter explorer painted", r.floorWindow, r.explorer, OneFrameMs);
    pair("click to the spelling game painted", r.floorWindow, r.spelling, OneFrameMs);
    pair("click to Hangman painted", r.floorWindow, r.hangman, OneFrameMs);
    pair("click on a letter tile to the letter painted", r.floorRepaint, r.letterPainted, OneFrameMs);
    pair("click on a letter tile to its sound started", {}, r.letterSound, SoundStartTargetMs);
    pair("GUESS to the face painted", r.floorWindow, r.face, OneFrameMs);

    std::printf(
        "\nThe spelling game's button to its board painted, with the sample list \"Our words\" chosen "
        "and with the built-in words, each in a program of its own started in turn.\n\n");
    std::printf("| Figure | built-in words | Our words | target | met |\n");
    std::printf("|---|---|---|---|---|\n");
    const double ratio = median(r.spellingSample) / median(r.spellingBuiltIn);
    row(QStringLiteral("click to the spelling game painted, median (ms)"),
        number(median(r.spellingBuiltIn), 1), number(median(r.spellingSample), 1));
    row(QStringLiteral("click to the spelling game painted, worst of %1 (ms)").arg(r.spellingSample.size()),
        number(worst(r.spellingBuiltIn), 1), number(worst(r.spellingSample), 1));
    row(QStringLiteral("Our words / built-in, medians"), {}, number(ratio, 2),
        QStringLiteral("<= %1").arg(SampleListRatioTarget), ratio <= SampleListRatioTarget);
}

bool parse(const QStringList& arguments, Options& options) {
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& name = arguments[i];
        if (name == QLatin1String("--only-clicks")) {
            options.onlyClicks = true;
            continue;
        }
        if (i + 1 >= arguments.size())
            return false;
        const QString& value = arguments[++i];
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
        else if (name == QLatin1String("--startup-against"))
            options.startupAgainst = value;
        else if (name == QLatin1String("--clicks"))
            options.clicks = std::max(0, value.toInt());
        else
            return false;
    }
    return true;
}
} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    Options options;
    if (!parse(QCoreApplication::arguments(), options)) {
        std::fprintf(stderr, "usage: wordpot_bench [--runs N] [--cycles N] [--clicks N] [--only-clicks] "
                             "[--startup-against OTHER_WORDPOT] "
                             "[--program WORDPOT] "
                             "[--sound-bench HELPER] [--floor BARE_WINDOW]\n");
        return 2;
    }
    x11driver::Screen xvfb;
    qputenv("DISPLAY", xvfb.display().toLatin1());
    Desktop screen(xvfb);
    SoundServer server;
    if (!xvfb.isRunning() || !server.start()) {
        std::fprintf(stderr, "wordpot_bench: no X server or no PulseAudio server\n");
        return 1;
    }

    if (!options.startupAgainst.isEmpty()) {
        if (!compareStartup(options, screen)) {
            std::fprintf(stderr, "wordpot_bench: a splash was never painted\n");
            return 1;
        }
        return 0;
    }
    if (options.onlyClicks) {
        Reactions reactions;
        if (!measureReactions(options, screen, xvfb, reactions)) {
            std::fprintf(stderr, "wordpot_bench: a click was not answered\n");
            return 1;
        }
        printReactions(reactions);
        return 0;
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
    // Last: the damage the screen reports from now on would pile up unread in the waits above.
    Reactions reactions;
    if (options.clicks > 0 && !measureReactions(options, screen, xvfb, reactions)) {
        std::fprintf(stderr, "wordpot_bench: a click was not answered\n");
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

    if (options.clicks > 0)
        printReactions(reactions);
    return 0;
}
