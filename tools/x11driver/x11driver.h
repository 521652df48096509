// x11driver: a private X server for the end-to-end tests, the benchmark and the monkey, and what they all do
// on it: find the top-level windows and read their properties, give input through the XTEST extension as a
// person would, and read pixels back. Optionally a window manager (openbox) or a Wayland compositor (weston,
// drawing into one window of the server) runs on it. One Xlib connection serves the life of the screen: Xvfb
// now and then drops a client that connects while others come and go.
#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

#include <cstdlib>
#include <memory>
#include <optional>
#include <sys/types.h>
#include <vector>

struct _XDisplay; // Xlib's display, kept out of the users' namespace: Xlib's macros clash with Qt's names

class QTemporaryDir;

namespace x11driver {

using WindowId = unsigned long;

constexpr QSize DefaultScreenSize(1024, 768);

// A helper process (the X server, a window manager, a compositor). It dies with the thread that started it,
// whatever ends that thread, and is ended with its object: SIGTERM, then SIGKILL after three seconds.
class Helper {
public:
    Helper() = default;
    // The command is looked up on PATH. Each "NAME=value" of `environment` is set for it and each bare "NAME"
    // removed; its output goes to `output` (appended) or nowhere. A `passFd` of ours becomes its fd 3; no
    // other descriptor beyond 2 is passed on.
    explicit Helper(const QStringList& command, const QStringList& environment = {},
                    const QString& output = {}, int passFd = -1);
    Helper(Helper&& other) noexcept;
    Helper& operator=(Helper&& other) noexcept;
    ~Helper();
    pid_t pid() const { return m_pid; }
    bool isRunning() const;
    void stop();

private:
    pid_t m_pid = -1;
};

// What runs on the X server besides the programs under test.
enum class Shell {
    Plain,   // no window manager: no frames, keyboard focus follows the pointer
    Openbox, // a light window manager, which draws title bars and close boxes
    Weston,  // a Wayland compositor whose one output is a window filling the screen
};

struct ScreenSetup {
    QSize size = DefaultScreenSize;
    Shell shell = Shell::Plain;
};

// A window's place and state as the X server has it.
struct WindowFacts {
    QRect geometry; // in screen coordinates
    bool viewable = false;
    bool popup = false; // override-redirect: a menu, a tooltip, nothing a window manager would frame
};

// What the server sent since the last look.
struct Received {
    int pingAnswers = 0; // _NET_WM_PING messages returned to the root window
    int damage = 0;      // areas drawn, once watchDamage() has been called
};

class Screen {
public:
    explicit Screen(const ScreenSetup& setup = {});
    ~Screen();
    Screen(const Screen&) = delete;
    Screen& operator=(const Screen&) = delete;

    // Whether the server runs, the connection is open and the shell, if one was asked for, has taken the
    // screen.
    bool isRunning() const { return m_running; }
    QString display() const { return m_display; }
    QSize size() const { return m_setup.size; }
    const ScreenSetup& setup() const { return m_setup; }
    ::_XDisplay* connection() const { return m_x; }
    WindowId root() const;
    // Under weston: where its socket is (XDG_RUNTIME_DIR) and its name (WAYLAND_DISPLAY), and the colour of
    // its empty desktop.
    QString waylandRuntimeFolder() const;
    QString waylandDisplay() const;
    static QColor waylandBackground();

    // ---- windows
    // The children of a window, bottom to top.
    std::vector<WindowId> children(WindowId window) const;
    // The top-level windows, bottom to top; under a window manager each frame is followed by the windows it
    // holds.
    std::vector<WindowId> topLevels() const;
    std::optional<WindowFacts> facts(WindowId window) const;
    bool isViewable(WindowId window) const;
    QRect geometry(WindowId window) const;
    QString title(WindowId window) const;
    // The atoms a property holds (_NET_WM_STATE, _NET_WM_WINDOW_TYPE).
    QStringList atoms(WindowId window, const char* property) const;
    // A property of 32-bit items, whatever its type (_NET_FRAME_EXTENTS, _MOTIF_WM_HINTS, WM_NORMAL_HINTS).
    QList<long> numbers(WindowId window, const char* property) const;

    // ---- input, through XTEST. `delayMs` is the server's pause before it takes the event: a person's click
    // or key takes a little while.
    void moveTo(QPoint screenPoint) const;
    void button(int number, bool down, int delayMs = 0) const;
    // An X keysym name ("a", "space", "Return", "Alt_L"); an unknown name does nothing.
    void key(const QString& keysym, bool down, int delayMs = 0) const;
    // Returns once the server has taken everything sent so far.
    void sync() const;
    // A WM_PROTOCOLS message as a window manager sends it: WM_DELETE_WINDOW is the close box.
    void sendProtocol(WindowId window, const char* protocol, long data1 = 0, long data2 = 0) const;
    // A _NET_WM_PING; Qt answers it from its event loop, to the root window.
    void ping(WindowId window, unsigned long serial) const;

    // ---- events
    // From now on every area drawn anywhere on the screen counts in Received::damage.
    bool watchDamage();
    // Takes in what the server has sent, waiting up to waitMs for the first of it.
    Received receive(int waitMs = 0) const;

    // ---- pixels
    // An area of the screen as it shows (clipped to the screen), or a null image.
    QImage grab(QRect area) const;
    QImage screenshot() const { return grab(QRect(QPoint(), m_setup.size)); }

private:
    bool startShell();

    ScreenSetup m_setup;
    Helper m_server;
    Helper m_shell;
    std::unique_ptr<QTemporaryDir> m_runtime;
    QString m_display;
    ::_XDisplay* m_x = nullptr;
    int m_damageEvent = -1;
    bool m_running = false;
};

// ---- counting pixels

inline bool near(QRgb p, QRgb q, int tolerance) {
    return std::abs(qRed(p) - qRed(q)) <= tolerance && std::abs(qGreen(p) - qGreen(q)) <= tolerance &&
           std::abs(qBlue(p) - qBlue(q)) <= tolerance;
}

// How many pixels of an area of an image pass a test of their colour and place.
template <class Test> int countPixels(const QImage& source, QRect area, Test test) {
    const bool direct = source.format() == QImage::Format_RGB32 || source.format() == QImage::Format_ARGB32;
    const QImage image = direct ? source : source.convertToFormat(QImage::Format_RGB32);
    int count = 0;
    const QRect clipped = area.intersected(image.rect());
    for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = clipped.left(); x <= clipped.right(); ++x)
            count += test(line[x], QPoint(x, y)) ? 1 : 0;
    }
    return count;
}

// How many pixels of an area are close to a colour.
int countNear(const QImage& image, QRect area, const QColor& colour, int tolerance = 40);
// How many pixels of an area differ clearly between two images of the same place.
int differingPixels(const QImage& a, const QImage& b, QRect area, int tolerance = 64);

} // namespace x11driver
