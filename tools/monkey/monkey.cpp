// The monkey: plays Wordpot as a small child would, with random clicks and keys, on a private Xvfb display
// through the XTEST extension, and watches for a crash, a sanitizer report or a hang. When the program
// leaves normally (Yes on the exit question), it is started again and the play goes on.
//
// Every event draws the same count of numbers from one generator seeded by --seed, so a seed always gives
// the same stream of choices; where they land depends on the windows shown at that moment.
//
// A hang: for 10 s no window of the program answers a _NET_WM_PING while no sound is playing. Qt answers
// the ping from its event loop on the main thread, so an answer proves the loop runs (a modal window's
// nested loop answers too); a blocking sound stops the loop on purpose, and is recognised from outside by
// SDL's audio thread, which lives exactly while the audio device is open for a sound.
#include "x11driver.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {
using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr auto HangAfter = 10s;   // without an answer while no sound plays
constexpr auto SoundLimit = 60s;  // without an answer even with sound: no sound of ours is that long
constexpr auto PingEvery = 250ms; // a new ping while the last is unanswered
constexpr auto StartLimit = 60s;  // from a start to the first window, under the sanitizers on a busy machine
constexpr int CandidatePoints = 24; // tried per click, looking for a pixel that is not the background
constexpr int ScreenWidth = x11driver::DefaultScreenSize.width();
constexpr int ScreenHeight = x11driver::DefaultScreenSize.height();

// What one event does.
enum class Action {
    Click,
    DoubleClick,
    Letter,
    Digit,
    SpecialKey, // Enter, Space, Backspace, Escape, Tab
    AltLetter,
    HeldKey,       // into auto-repeat
    ClickThenHold, // a button or a key held across the blocking sound the click may start
    Drag,
    CloseBox,
};

// How many events in a hundred are of each action, in the order the draw meets them.
constexpr std::array<std::pair<Action, int>, 10> ActionWeights{{
    {Action::Click, 36},
    {Action::DoubleClick, 6},
    {Action::Letter, 24},
    {Action::Digit, 4},
    {Action::SpecialKey, 16},
    {Action::AltLetter, 5},
    {Action::HeldKey, 3},
    {Action::ClickThenHold, 3},
    {Action::Drag, 2},
    {Action::CloseBox, 1},
}};
constexpr int WeightTotal = [] {
    int total = 0;
    for (const auto& [action, weight] : ActionWeights)
        total += weight;
    return total;
}();

// The action a draw from 0 to WeightTotal - 1 falls on.
Action actionFor(int draw) {
    for (const auto& [action, weight] : ActionWeights) {
        if (draw < weight)
            return action;
        draw -= weight;
    }
    return ActionWeights.back().first;
}

constexpr double TopmostShare = 0.7; // of events that go to the topmost window (a modal one takes the input)
constexpr double OnControlShare =
    0.75; // of points looked for on something that stands out from the background
constexpr double HeldLetterShare = 0.5; // of held keys that are letters rather than special keys
constexpr double HeldButtonShare = 0.6; // of holds across a sound that are the mouse button rather than a key

std::sig_atomic_t volatile interrupted = 0;

struct Options {
    std::string program = WORDPOT_EXECUTABLE;
    std::uint64_t seed = 1;
    long events = 2000;
    int paceMs = 60; // the mean pause between two events
    std::string log;
};

[[noreturn]] void usage(int status) {
    std::printf("Usage: wordpot_monkey [--seed N] [--events N] [--pace MS] [--program PATH] [--log FILE]\n"
                "Plays Wordpot with random input under Xvfb; exits 1 on a crash, a sanitizer report or a\n"
                "hang. The program's stderr, with every event between its lines, is kept in the log.\n");
    std::exit(status);
}

Options parse(int argc, char* argv[]) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "-h" || arg == "--help")
            usage(0);
        if (i + 1 >= argc)
            usage(2);
        const std::string value = argv[++i];
        if (arg == "--seed")
            options.seed = std::stoull(value);
        else if (arg == "--events")
            options.events = std::stol(value);
        else if (arg == "--pace")
            options.paceMs = std::max(1, std::stoi(value));
        else if (arg == "--program")
            options.program = value;
        else if (arg == "--log")
            options.log = value;
        else
            usage(2);
    }
    return options;
}

void sleepFor(Clock::duration duration) {
    std::this_thread::sleep_for(duration);
}

// Children die with the monkey, whatever ends it.
void dieWithParent() {
    prctl(PR_SET_PDEATHSIG, SIGKILL);
}

void stop(pid_t pid) {
    if (pid <= 0)
        return;
    kill(pid, SIGTERM);
    for (int i = 0; i < 300 && waitpid(pid, nullptr, WNOHANG) == 0; ++i)
        sleepFor(10ms);
    if (waitpid(pid, nullptr, WNOHANG) == 0) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
}

struct TopWindow {
    x11driver::WindowId id = 0;
    int x = 0, y = 0, width = 0, height = 0;
    bool popup = false;
    std::string title;
};

class Screen {
public:
    explicit Screen(const x11driver::Screen& screen)
        : m_screen(screen) {}

    // The viewable top-level windows, bottom to top.
    std::vector<TopWindow> windows() const {
        std::vector<TopWindow> result;
        for (const x11driver::WindowId id : m_screen.children(m_screen.root())) {
            const std::optional<x11driver::WindowFacts> facts = m_screen.facts(id);
            if (!facts || !facts->viewable)
                continue;
            const QRect g = facts->geometry;
            TopWindow w{
                id, g.x(), g.y(), g.width(), g.height(), facts->popup, m_screen.title(id).toStdString()};
            if (w.title.empty())
                w.title = w.popup ? "(menu)" : "(splash)";
            result.push_back(w);
        }
        return result;
    }

    // The serial stands in the timestamp's place, which the answer carries back.
    void ping(x11driver::WindowId window, unsigned long serial) const { m_screen.ping(window, serial); }

    // How many pings were answered since the last call.
    long answers() const { return m_screen.receive().pingAnswers; }

    void closeBox(x11driver::WindowId window) const { m_screen.sendProtocol(window, "WM_DELETE_WINDOW"); }

    // A window as it shows, and its most common colour.
    struct Picture {
        QImage image;
        QRgb background = 0;
        bool stands_out(int x, int y) const {
            return x < image.width() && y < image.height() && image.pixel(x, y) != background;
        }
    };
    Picture picture(const TopWindow& w) const {
        Picture p;
        p.image = m_screen.grab(QRect(w.x, w.y, w.width, w.height));
        if (p.image.isNull())
            return p;
        std::map<QRgb, int> counts;
        for (int j = 0; j < p.image.height(); j += 4)
            for (int i = 0; i < p.image.width(); i += 4)
                ++counts[p.image.pixel(i, j)];
        p.background = std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) {
                           return a.second < b.second;
                       })->first;
        return p;
    }

    const x11driver::Screen& driver() const { return m_screen; }

private:
    const x11driver::Screen& m_screen;
};

// SDL's audio thread is alive exactly while the program's audio device is open for a sound.
bool soundPlaying(pid_t pid) {
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    DIR* dir = opendir(tasks.c_str());
    if (dir == nullptr)
        return false;
    bool found = false;
    while (dirent* entry = readdir(dir)) {
        std::ifstream comm(tasks + "/" + entry->d_name + "/comm");
        std::string name;
        if (std::getline(comm, name) && name.rfind("SDLAudioP", 0) == 0)
            found = true;
    }
    closedir(dir);
    return found;
}

class Monkey {
public:
    Monkey(Options options, const x11driver::Screen& screen)
        : m_options(std::move(options))
        , m_screen(screen)
        , m_display(screen.display().toStdString())
        , m_random(m_options.seed) {}

    int run();

private:
    struct Draw {
        Action action = Action::Click;
        std::array<double, 8> u{};
        std::array<std::pair<double, double>, CandidatePoints> points{};
    };

    void startProgram();
    std::optional<std::string> check(); // a fault, if one showed
    std::string stderrSince(std::size_t& offset) const;
    void note(const std::string& line);
    bool play(const Draw& draw, const std::vector<TopWindow>& windows);
    void press(unsigned int button, bool down) const;
    void key(const std::string& name, bool down) const;
    void tap(const std::string& name) const;
    void moveTo(int x, int y) const;
    std::pair<int, int> pointIn(const TopWindow& w, const Draw& draw, bool controls) const;
    void report(const std::string& verdict, Clock::time_point began);

    Options m_options;
    Screen m_screen;
    std::string m_display;
    std::mt19937_64 m_random;
    pid_t m_program = 0;
    int m_log = -1;
    long m_events = 0;
    int m_restarts = -1;
    std::size_t m_scanned = 0;
    unsigned long m_serial = 0;
    x11driver::WindowId m_pinged = 0;
    long m_answers = 0;
    Clock::time_point m_started, m_progress, m_answer, m_lastPing;
    bool m_shown = false;
    std::map<std::string, long> m_perWindow;
    std::deque<std::string> m_recent;
};

void Monkey::note(const std::string& line) {
    m_recent.push_back(line);
    if (m_recent.size() > 30)
        m_recent.pop_front();
    const std::string text = "monkey: " + line + "\n";
    if (write(m_log, text.data(), text.size()) < 0)
        std::perror("monkey: log");
}

void Monkey::startProgram() {
    ++m_restarts;
    note("start " + std::to_string(m_restarts + 1) + " after event " + std::to_string(m_events));
    m_program = fork();
    if (m_program == 0) {
        dieWithParent();
        setenv("DISPLAY", m_display.c_str(), 1);
        unsetenv("QT_QPA_PLATFORM");
        setenv("SDL_AUDIODRIVER", "dummy", 1); // silent, with every sound lasting its length
        // LeakSanitizer's stop-the-world at exit now and then crashes on the X and audio threads; leaks are
        // the unit tests' business, memory errors stay fatal.
        const char* asan = std::getenv("ASAN_OPTIONS");
        const std::string options =
            std::string(asan != nullptr ? asan : "") + (asan != nullptr ? ":" : "") + "detect_leaks=0";
        setenv("ASAN_OPTIONS", options.c_str(), 1);
        setenv("UBSAN_OPTIONS", "print_stacktrace=1:halt_on_error=1", 0);
        dup2(m_log, STDOUT_FILENO);
        dup2(m_log, STDERR_FILENO);
        execl(m_options.program.c_str(), m_options.program.c_str(), nullptr);
        _exit(127);
    }
    m_started = m_progress = m_answer = Clock::now();
    m_shown = false;
}

std::string Monkey::stderrSince(std::size_t& offset) const {
    std::ifstream in(m_options.log, std::ios::binary);
    in.seekg(std::streamoff(offset));
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    offset += text.size();
    return text;
}

std::optional<std::string> Monkey::check() {
    // Only whole lines are scanned, so a report split by a read is seen at the next.
    std::size_t offset = m_scanned;
    std::string text = stderrSince(offset);
    const std::size_t end = text.rfind('\n');
    text.resize(end == std::string::npos ? 0 : end + 1);
    m_scanned += text.size();
    for (const char* mark : {"ERROR: AddressSanitizer", "ERROR: LeakSanitizer",
                             "runtime error:", "SUMMARY: UndefinedBehaviorSanitizer"})
        if (text.find(mark) != std::string::npos)
            return std::string("sanitizer report (") + mark + ")";

    int status = 0;
    if (waitpid(m_program, &status, WNOHANG) == m_program) {
        m_program = 0;
        if (WIFSIGNALED(status))
            return "crash: killed by signal " + std::to_string(WTERMSIG(status)) + " (" +
                   strsignal(WTERMSIG(status)) + ")";
        if (WEXITSTATUS(status) != 0)
            return "exit with status " + std::to_string(WEXITSTATUS(status));
        note("the program left with status 0");
        startProgram();
        return std::nullopt;
    }

    const Clock::time_point now = Clock::now();
    const long answered = m_screen.answers();
    const bool sound = soundPlaying(m_program);
    if (answered != 0) {
        m_answer = m_progress = now;
        m_answers += answered;
    } else if (sound)
        m_progress = now;
    const std::vector<TopWindow> windows = m_screen.windows();
    if (!windows.empty())
        m_shown = true;
    if (!windows.empty() && now - m_lastPing >= PingEvery) {
        m_pinged = windows.back().id;
        m_screen.ping(m_pinged, ++m_serial);
        m_lastPing = now;
    }
    if (!m_shown && now - m_started > StartLimit)
        return "no window within " + std::to_string(StartLimit / 1s) + " s of the start";
    if (m_shown && now - m_progress > HangAfter)
        return windows.empty() ? "hang: no window shown for 10 s, while the program runs"
                               : "hang: no answer for 10 s with no sound playing";
    if (m_shown && now - m_answer > SoundLimit)
        return "hang: no answer for 60 s, though a sound plays";
    return std::nullopt;
}

void Monkey::moveTo(int x, int y) const {
    m_screen.driver().moveTo({x, y});
}

void Monkey::press(unsigned int button, bool down) const {
    m_screen.driver().button(int(button), down);
}

void Monkey::key(const std::string& name, bool down) const {
    m_screen.driver().key(QString::fromStdString(name), down);
}

void Monkey::tap(const std::string& name) const {
    key(name, true);
    sleepFor(15ms);
    key(name, false);
}

// A point of the window; for controls, the first of the candidates whose pixel is not the window's
// background (a button, a letter, a picture), else the last candidate.
std::pair<int, int> Monkey::pointIn(const TopWindow& w, const Draw& draw, bool controls) const {
    Screen::Picture picture;
    if (controls)
        picture = m_screen.picture(w);
    std::pair<int, int> point;
    for (const auto& [fx, fy] : draw.points) {
        point = {int(fx * (w.width - 1)), int(fy * (w.height - 1))};
        if (!controls || picture.stands_out(point.first, point.second))
            break;
    }
    return {std::clamp(w.x + point.first, 0, ScreenWidth - 1),
            std::clamp(w.y + point.second, 0, ScreenHeight - 1)};
}

// One event. Keys go to the window under the pointer (there is no window manager to give focus), so a
// key moves the pointer into a window first.
bool Monkey::play(const Draw& draw, const std::vector<TopWindow>& windows) {
    // Mostly the topmost window (a modal one takes the input); now and then any, as a child would.
    const TopWindow& w =
        draw.u[0] < TopmostShare ? windows.back() : windows[std::size_t(draw.u[1] * windows.size())];
    const auto letter = [&](double u) { return std::string(1, char('a' + int(u * 26))); };
    static const std::array<const char*, 6> Specials{"Return", "space", "BackSpace",
                                                     "Escape", "Tab",   "Return"};
    const auto [px, py] = pointIn(w, draw, draw.u[2] < OnControlShare);
    char where[96];
    std::snprintf(where, sizeof where, " at %d,%d in \"%s\"", px, py, w.title.c_str());
    std::string what;
    switch (draw.action) {
    case Action::Click:
        moveTo(px, py);
        press(1, true);
        sleepFor(12ms);
        press(1, false);
        what = "click";
        break;
    case Action::DoubleClick:
        moveTo(px, py);
        for (int i = 0; i < 2; ++i) {
            press(1, true);
            sleepFor(12ms);
            press(1, false);
            sleepFor(40ms);
        }
        what = "double click";
        break;
    case Action::Letter:
        moveTo(px, py);
        what = "key " + letter(draw.u[3]);
        tap(letter(draw.u[3]));
        break;
    case Action::Digit:
        moveTo(px, py);
        what = "key " + std::to_string(int(draw.u[3] * 10));
        tap(std::to_string(int(draw.u[3] * 10)));
        break;
    case Action::SpecialKey:
        moveTo(px, py);
        what = std::string("key ") + Specials[std::size_t(draw.u[3] * Specials.size())];
        tap(Specials[std::size_t(draw.u[3] * Specials.size())]);
        break;
    case Action::AltLetter:
        moveTo(px, py);
        what = "key alt+" + letter(draw.u[3]);
        key("Alt_L", true);
        tap(letter(draw.u[3]));
        key("Alt_L", false);
        break;
    case Action::HeldKey: {
        // Held long enough for the keyboard's auto-repeat (660 ms, then 25 a second).
        moveTo(px, py);
        const std::string name =
            draw.u[4] < HeldLetterShare ? letter(draw.u[3]) : Specials[std::size_t(draw.u[3] * 4)];
        const auto held = std::chrono::milliseconds(400 + int(draw.u[5] * 1200));
        what = "key " + name + " held " + std::to_string(held.count()) + " ms";
        key(name, true);
        sleepFor(held);
        key(name, false);
        break;
    }
    case Action::ClickThenHold: {
        // A click that may start a blocking sound, then at once a button or a key pressed and held
        // across the sound: pressed while the program blocks, released after.
        moveTo(px, py);
        press(1, true);
        sleepFor(12ms);
        press(1, false);
        sleepFor(30ms);
        const auto held = std::chrono::milliseconds(800 + int(draw.u[5] * 2500));
        const bool mouse = draw.u[4] < HeldButtonShare;
        what = std::string("click, then ") + (mouse ? "button" : "key " + letter(draw.u[3])) + " held " +
               std::to_string(held.count()) + " ms";
        if (mouse) {
            press(1, true);
            sleepFor(held);
            press(1, false);
        } else {
            key(letter(draw.u[3]), true);
            sleepFor(held);
            key(letter(draw.u[3]), false);
        }
        break;
    }
    case Action::Drag: {
        moveTo(px, py);
        press(1, true);
        sleepFor(30ms);
        const int tx = std::clamp(w.x + int(draw.u[6] * w.width), 0, ScreenWidth - 1);
        const int ty = std::clamp(w.y + int(draw.u[7] * w.height), 0, ScreenHeight - 1);
        moveTo(tx, ty);
        sleepFor(30ms);
        press(1, false);
        what = "drag to " + std::to_string(tx) + "," + std::to_string(ty) + " from";
        break;
    }
    case Action::CloseBox:
        if (w.popup)
            return false;
        m_screen.closeBox(w.id);
        what = "close box of";
        std::snprintf(where, sizeof where, " \"%s\"", w.title.c_str());
        break;
    }
    note("#" + std::to_string(m_events + 1) + " " + what + where);
    ++m_perWindow[w.title];
    return true;
}

void Monkey::report(const std::string& verdict, Clock::time_point began) {
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(Clock::now() - began).count();
    std::printf("wordpot_monkey: seed %llu, %ld events, %d restarts, %lld s, program %s\n",
                static_cast<unsigned long long>(m_options.seed), m_events, m_restarts,
                static_cast<long long>(seconds), m_options.program.c_str());
    std::printf("events by window:");
    for (const auto& [title, count] : m_perWindow)
        std::printf(" \"%s\" %ld;", title.c_str(), count);
    std::printf("\npings answered: %ld of %lu\nlog (the program's stderr and every event): %s\n", m_answers,
                m_serial, m_options.log.c_str());
    if (verdict != "pass") {
        std::printf("windows, bottom to top (the last ping went to %lu):\n", m_pinged);
        for (const TopWindow& w : m_screen.windows())
            std::printf("  %lu \"%s\" %dx%d+%d+%d%s\n", w.id, w.title.c_str(), w.width, w.height, w.x, w.y,
                        w.popup ? " popup" : "");
        std::printf("last events:\n");
        for (const std::string& line : m_recent)
            std::printf("  %s\n", line.c_str());
        std::size_t from = 0;
        const std::string all = stderrSince(from);
        std::size_t tail = all.size();
        for (int lines = 0; lines < 60 && tail > 0; ++lines)
            tail = all.rfind('\n', tail - 1);
        std::printf("end of the log:\n%s\n", all.substr(tail == std::string::npos ? 0 : tail).c_str());
        if (m_program > 0) {
            std::fflush(stdout);
            const std::string gdb = "gdb -batch -p " + std::to_string(m_program) +
                                    " -ex 'thread apply all bt 15' 2>/dev/null | grep -E '^(Thread|#)'";
            if (std::system(gdb.c_str()) != 0)
                std::printf("(no backtrace: gdb failed)\n");
        }
    }
    std::printf("verdict: %s\n", verdict.c_str());
}

int Monkey::run() {
    m_log = open(m_options.log.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_APPEND | O_CLOEXEC, 0644);
    if (m_log < 0) {
        std::perror(m_options.log.c_str());
        return 2;
    }
    const Clock::time_point began = Clock::now();
    std::uniform_int_distribution<int> kind(0, WeightTotal - 1);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::uniform_int_distribution<int> pause(m_options.paceMs / 2, m_options.paceMs * 3 / 2);
    startProgram();
    std::string verdict = "pass";
    while (m_events < m_options.events && !interrupted) {
        if (const std::optional<std::string> fault = check()) {
            verdict = "FAIL: " + *fault;
            break;
        }
        const std::vector<TopWindow> windows = m_screen.windows();
        if (windows.empty()) {
            sleepFor(20ms);
            continue;
        }
        Draw draw;
        draw.action = actionFor(kind(m_random));
        for (double& u : draw.u)
            u = unit(m_random);
        for (auto& [fx, fy] : draw.points)
            fx = unit(m_random), fy = unit(m_random);
        const auto wait = std::chrono::milliseconds(pause(m_random));
        if (play(draw, windows))
            ++m_events;
        sleepFor(wait);
    }
    if (interrupted)
        verdict = "interrupted";
    // The last events may still bring a fault to light.
    for (int i = 0; i < 50 && verdict == "pass"; ++i) {
        if (const std::optional<std::string> fault = check())
            verdict = "FAIL: " + *fault;
        sleepFor(20ms);
    }
    report(verdict, began);
    stop(m_program);
    close(m_log);
    return verdict == "pass" ? 0 : 1;
}
} // namespace

int main(int argc, char* argv[]) {
    Options options = parse(argc, argv);
    if (options.log.empty()) {
        char name[] = "/tmp/wordpot-monkey-XXXXXX";
        const int fd = mkstemp(name);
        if (fd < 0)
            return 2;
        close(fd);
        options.log = name;
    }
    std::signal(SIGINT, [](int) { interrupted = 1; });
    std::signal(SIGTERM, [](int) { interrupted = 1; });
    const x11driver::Screen screen;
    if (!screen.isRunning()) {
        std::fprintf(stderr, "wordpot_monkey: no Xvfb display could be started\n");
        return 2;
    }
    return Monkey(options, screen).run();
}
