// The end-to-end harness: a private X server, the real wordpot executable, real input through the XTEST
// extension (as xdotool gives it), window facts and screenshots kept as test artifacts. The X server, its
// one connection and the input are the X11 driver's, shared with the benchmark and the monkey; this adds
// what the tests ask of them in their own words.
#pragma once

#include "x11driver.h"

#include <functional>
#include <optional>
#include <QImage>
#include <QProcess>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

namespace e2e {

constexpr QSize ScreenSize(1024, 768);

// Whether a window of this rectangle stands centred on the screen.
bool centred(QRect window);

// Polls a condition until it holds or the time is up; the last answer is returned.
bool waitUntil(const std::function<bool()>& condition, int timeoutMs = 5000);

// A desktop as a parent may have it: a larger screen, a window manager (openbox), and the scaling chosen
// for it (Qt's scale factor for the programs started on it). With `wayland`, the programs are Wayland
// clients of a compositor (weston) whose output fills the X screen: no window of theirs is an X window.
struct DesktopSetup {
    QSize screen = ScreenSize;
    bool windowManager = false;
    QString scaleFactor;
    bool wayland = false;
};

// One Xvfb server for the life of the object, by default 1024 x 768 with no window manager.
class Desktop {
public:
    explicit Desktop(const DesktopSetup& setup = {});
    ~Desktop();
    bool isRunning() const { return m_screen.isRunning(); }
    QString display() const { return m_display; }
    const DesktopSetup& setup() const { return m_setup; }

    // Every visible top-level window with exactly this title.
    QStringList windows(const QString& title) const;
    // The id of the topmost visible top-level window with exactly this title (and size, if one is given),
    // waiting up to timeoutMs.
    std::optional<QString> waitForWindow(const QString& title, int timeoutMs = 10000, QSize size = {}) const;
    // Waits until no visible window has this title.
    bool waitForNoWindow(const QString& title, int timeoutMs = 10000) const;
    bool hasWindow(const QString& title) const;
    // Whether a menu or another popup (a window the window manager would not frame) is showing.
    bool popupShown() const;
    // Waits for the program's main menu and returns its window id; a splash in the way is closed with one
    // key.
    std::optional<QString> waitForMainMenu(int timeoutMs = 15000) const;
    // The splash window, if one is showing, or waiting up to timeoutMs for one.
    std::optional<QString> splashWindow() const;
    std::optional<QString> waitForSplash(int timeoutMs = 10000) const;
    // The atoms a window's property holds (_NET_WM_STATE, _NET_WM_WINDOW_TYPE).
    QStringList atoms(const QString& windowId, const char* property) const;
    // A property of 32-bit items, whatever its type (_NET_FRAME_EXTENTS, _MOTIF_WM_HINTS, WM_NORMAL_HINTS).
    QList<long> numbers(const QString& windowId, const char* property) const;
    // What a window has, from its hints: "title" (under a window manager: the title bar it drew), "close",
    // "minimize", "maximize" and "sizable", in that order; a splash has no decorations.
    QString decorations(const QString& windowId) const;
    // The window tree, for the message of a failed check.
    QString windowTree() const;
    // The window's rectangle in screen coordinates.
    QRect geometry(const QString& windowId) const;
    // The top-left corner of the main menu's client area, which lies under its menu bar.
    QPoint mainMenuClient(const QString& windowId) const;

    void click(QPoint screenPoint) const;
    void moveTo(QPoint screenPoint) const;
    // X key names joined by "+" ("a", "Return", "alt+n", "shift+a"); the pointer is moved over the window
    // first, since keyboard focus follows the pointer without a window manager.
    void key(const QString& windowId, const QString& keys) const;
    // The close box: a WM_DELETE_WINDOW message.
    void closeWindow(const QString& windowId) const;

    // Keys pressed and left down ("alt+g"), and released again; a key pressed again while down repeats,
    // as a held key does.
    void keyDown(const QString& windowId, const QString& keys) const;
    void keyUp(const QString& keys) const;
    // Waits until this many more key presses (a held key's repeats) have reached a window.
    bool waitForKeyPresses(const QString& windowId, int count, int timeoutMs = 5000) const;

    // Whether a window is on the screen, out of it (minimised, or hidden), or no longer exists.
    enum class MapState { Gone, Unmapped, Viewable };
    MapState mapState(const QString& windowId) const;
    // What a taskbar and a title bar ask of the window manager: minimise, maximise, bring back and focus.
    void minimize(const QString& windowId) const;
    void maximize(const QString& windowId) const;
    void activate(const QString& windowId) const;
    // Waits until the window manager has handled every request made before this call: it answers one of
    // its own, a frame-extents request for a window of the harness.
    bool syncWindowManager() const;

    QImage screenshot() const;
    // Waits until at least this many pixels of a screen area are close to a colour.
    bool waitForColour(QRect area, const QColor& colour, int atLeast = 200, int timeoutMs = 5000) const;
    // Saves a screenshot under the test artifacts folder and returns it.
    QImage keepScreenshot(const QString& name) const;

    const x11driver::Screen& screen() const { return m_screen; }

private:
    unsigned long window(const QString& windowId) const { return windowId.toULong(nullptr, 0); }
    void pressKey(const QString& name, bool press) const;
    // A client message about a window to the window manager (through the root window).
    void askWindowManager(unsigned long window, const char* type, std::initializer_list<long> data) const;

    DesktopSetup m_setup;
    x11driver::Screen m_screen;
    QString m_display;
    ::_XDisplay* m_x = nullptr; // the screen's connection
};

// What a test adds to a run of the program: its arguments, and variables over the desktop's environment.
// Unless a test names its own, each run gets a settings folder of its own (XDG_CONFIG_HOME), so that no
// choice of words remembered on this machine reaches it.
struct Run {
    QStringList arguments;
    QProcessEnvironment environment;
};

// The real program, started on a desktop with silent audio.
class Program {
public:
    // The built executable, or another copy of it (with its own media folder beside it).
    explicit Program(const Desktop& desktop, const QString& executable = {}, const Run& run = {});
    static QString builtExecutable();
    ~Program();
    bool waitForExit(int timeoutMs);
    int exitCode() const { return m_process.exitCode(); }
    QProcess::ExitStatus exitStatus() const { return m_process.exitStatus(); }
    bool isRunning() const { return m_process.state() != QProcess::NotRunning; }
    void terminate() { m_process.terminate(); }
    qint64 pid() const { return m_process.processId(); }
    QString standardError();
    // For the message of a failed check: whether it runs, what it wrote, and where its threads are.
    QString describe();

private:
    QProcess m_process;
    QString m_stderr;
    QTemporaryDir m_settings;
};

// A private sound server with one null sink, and a folder of the program's own for the speech service it
// starts (ended with the object: it would outlive the program).
class SoundServer {
public:
    SoundServer();
    ~SoundServer();
    SoundServer(const SoundServer&) = delete;
    SoundServer& operator=(const SoundServer&) = delete;
    // What a program is run with to play through the server and to reach the speech service.
    QProcessEnvironment environment() const { return m_environment; }
    // Records the sink until the recorder is destroyed.
    x11driver::Helper record(const QString& file) const;
    // The loudest sample of a recording, from a byte on.
    static int loudest(const QString& file, qint64 from = 0);

private:
    QTemporaryDir m_runtime;
    x11driver::Helper m_server;
    QProcessEnvironment m_environment;
};

// The colour at a point of an image, or an invalid colour outside it.
QColor colourAt(const QImage& image, QPoint point);
// How many pixels of an area differ clearly between two images (repainting may change a few levels).
int differingPixels(const QImage& a, const QImage& b, QRect area, int tolerance = 64);
// How many pixels of an area are close to a colour.
int countNear(const QImage& image, QRect area, const QColor& colour, int tolerance = 40);

} // namespace e2e

// QVERIFY2 builds its message even when the check holds, and Program::describe() attaches a debugger, which
// stops the program for as long as that takes (seconds on a busy machine, long enough for the splash's timer
// to run out). This builds the message, a QString, only for a check that failed.
#define E2E_VERIFY2(statement, description)                                                                  \
    do {                                                                                                     \
        if (!(statement)) {                                                                                  \
            QTest::qVerify(false, #statement, qPrintable(description), __FILE__, __LINE__);                  \
            return;                                                                                          \
        }                                                                                                    \
    } while (false)
