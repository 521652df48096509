#include "x11driver.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <X11/extensions/Xdamage.h>
#include <X11/extensions/XTest.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace x11driver {
namespace {
constexpr int PollMs = 20;
constexpr int StartLimitMs = 15000;
constexpr int StopLimitMs = 3000;
// Chosen to be found nowhere in the program's windows, so that a window stands out from it.
constexpr QRgb WestonBackground = qRgb(0x20, 0x40, 0x60);
const char* const WestonSocket = "wayland-x11driver";

// Windows may vanish between two requests; such errors are expected and not fatal.
int ignoreErrors(Display*, XErrorEvent*) {
    return 0;
}

std::vector<char*> pointers(std::vector<QByteArray>& strings) {
    std::vector<char*> result;
    for (QByteArray& string : strings)
        result.push_back(string.data());
    result.push_back(nullptr);
    return result;
}

// Polls a condition until it holds or the time is up.
template <class Condition> bool waitFor(Condition condition, int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return condition();
        QThread::msleep(PollMs);
    }
    return true;
}
} // namespace

// ---- Helper
// -------------------------------------------------------------------------------------------------

Helper::Helper(const QStringList& command, const QStringList& environment, const QString& output,
               int passFd) {
    const QString executable =
        command.isEmpty() ? QString() : QStandardPaths::findExecutable(command.first());
    if (executable.isEmpty())
        return;
    // Everything the child needs is made before the fork: between fork and exec only system calls are safe.
    const QByteArray path = QFile::encodeName(executable);
    std::vector<QByteArray> arguments;
    for (const QString& argument : command)
        arguments.push_back(argument.toLocal8Bit());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString& entry : environment) {
        const qsizetype equals = entry.indexOf(QLatin1Char('='));
        if (equals < 0)
            env.remove(entry);
        else
            env.insert(entry.left(equals), entry.mid(equals + 1));
    }
    std::vector<QByteArray> variables;
    for (const QString& variable : env.toStringList())
        variables.push_back(variable.toLocal8Bit());
    const std::vector<char*> argv = pointers(arguments);
    const std::vector<char*> envp = pointers(variables);
    const QByteArray log = output.isEmpty() ? QByteArray("/dev/null") : QFile::encodeName(output);
    const pid_t parent = getpid();
    m_pid = fork();
    if (m_pid == 0) {
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (getppid() != parent)
            _exit(127);
        const int in = open("/dev/null", O_RDONLY);
        const int out = open(log.constData(), O_WRONLY | O_CREAT | O_APPEND, 0644);
        dup2(in, STDIN_FILENO);
        dup2(out, STDOUT_FILENO);
        dup2(out, STDERR_FILENO);
        if (passFd >= 0)
            dup2(passFd, 3);
        close_range(passFd >= 0 ? 4 : 3, ~0U, 0);
        execve(path.constData(), argv.data(), envp.data());
        _exit(127);
    }
}

Helper::Helper(Helper&& other) noexcept
    : m_pid(std::exchange(other.m_pid, -1)) {}

Helper& Helper::operator=(Helper&& other) noexcept {
    if (this != &other) {
        stop();
        m_pid = std::exchange(other.m_pid, -1);
    }
    return *this;
}

Helper::~Helper() {
    stop();
}

bool Helper::isRunning() const {
    return m_pid > 0 && waitpid(m_pid, nullptr, WNOHANG) == 0;
}

void Helper::stop() {
    if (m_pid <= 0)
        return;
    kill(m_pid, SIGTERM);
    if (!waitFor([this] { return waitpid(m_pid, nullptr, WNOHANG) != 0; }, StopLimitMs)) {
        kill(m_pid, SIGKILL);
        waitpid(m_pid, nullptr, 0);
    }
    m_pid = -1;
}

// ---- Screen
// -------------------------------------------------------------------------------------------------

Screen::Screen(const ScreenSetup& setup)
    : m_setup(setup) {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0)
        return;
    // -displayfd: the server picks a free display and writes its number once it accepts clients.
    m_server = Helper({QStringLiteral("Xvfb"), QStringLiteral("-displayfd"), QStringLiteral("3"),
                       QStringLiteral("-screen"), QStringLiteral("0"),
                       QStringLiteral("%1x%2x24").arg(setup.size.width()).arg(setup.size.height()),
                       QStringLiteral("-nolisten"), QStringLiteral("tcp")},
                      {}, {}, fds[1]);
    close(fds[1]);
    QByteArray number;
    const QDeadlineTimer deadline(StartLimitMs);
    pollfd readable{fds[0], POLLIN, 0};
    char c = 0;
    while (!number.endsWith('\n') && poll(&readable, 1, int(deadline.remainingTime())) > 0 &&
           read(fds[0], &c, 1) == 1)
        number += c;
    close(fds[0]);
    if (!number.endsWith('\n'))
        return;
    m_display = QLatin1Char(':') + QString::fromLatin1(number.trimmed());
    XSetErrorHandler(ignoreErrors);
    waitFor([this] { return (m_x = XOpenDisplay(m_display.toLatin1().constData())) != nullptr; },
            StartLimitMs);
    if (m_x == nullptr)
        return;
    // Windows mapped and unmapped, and the answers to pings, which come to the root window.
    XSelectInput(m_x, DefaultRootWindow(m_x), StructureNotifyMask | SubstructureNotifyMask);
    XSync(m_x, False);
    m_running = startShell();
}

Screen::~Screen() {
    m_shell.stop();
    if (m_x != nullptr)
        XCloseDisplay(m_x);
    m_server.stop();
}

bool Screen::startShell() {
    const QString display = QStringLiteral("DISPLAY=") + m_display;
    switch (m_setup.shell) {
    case Shell::Plain:
        return true;
    case Shell::Openbox: {
        m_shell = Helper({QStringLiteral("openbox")}, {display});
        // It has taken the screen once its check window names itself.
        const auto check = [&](WindowId window) { return numbers(window, "_NET_SUPPORTING_WM_CHECK"); };
        return waitFor(
            [&] {
                const QList<long> named = check(root());
                return !named.isEmpty() && check(WindowId(named[0])) == named;
            },
            StartLimitMs);
    }
    case Shell::Weston: {
        m_runtime = std::make_unique<QTemporaryDir>(); // made private to us, as a runtime folder must be
        if (!m_runtime->isValid())
            return false;
        // A plain desktop of one colour with no panel, no animation, no lock and no on-screen keyboard.
        const QString config = m_runtime->filePath(QStringLiteral("weston.ini"));
        QFile file(config);
        if (!file.open(QIODevice::WriteOnly))
            return false;
        file.write(QStringLiteral("[core]\nidle-time=0\n"
                                  "[shell]\npanel-position=none\nbackground-color=0xff%1\nlocking=false\n"
                                  "animation=none\nclose-animation=none\nstartup-animation=none\n"
                                  "focus-animation=none\n"
                                  "[input-method]\npath=\n")
                       .arg(WestonBackground & 0xFFFFFF, 6, 16, QLatin1Char('0'))
                       .toLatin1());
        file.close();
        m_shell = Helper(
            {QStringLiteral("weston"), QStringLiteral("--backend=x11-backend.so"),
             QStringLiteral("--use-pixman"), QStringLiteral("--width=%1").arg(m_setup.size.width()),
             QStringLiteral("--height=%1").arg(m_setup.size.height()),
             QStringLiteral("--socket=") + QLatin1String(WestonSocket), QStringLiteral("--config=") + config},
            {display, QStringLiteral("XDG_RUNTIME_DIR=") + m_runtime->path(),
             QStringLiteral("WAYLAND_DISPLAY"), QStringLiteral("WAYLAND_SOCKET")},
            m_runtime->filePath(QStringLiteral("weston.log")));
        // Ready once its socket takes clients and its shell has drawn the empty desktop, looked at in a
        // corner: weston draws its pointer where the X pointer is, in the middle of a new server.
        return waitFor(
            [&] {
                const QImage corner = grab(QRect(0, 0, 1, 1));
                return QFile::exists(m_runtime->filePath(QLatin1String(WestonSocket))) && !corner.isNull() &&
                       corner.pixel(0, 0) == (WestonBackground | 0xFF000000);
            },
            StartLimitMs);
    }
    }
    return false;
}

QString Screen::waylandRuntimeFolder() const {
    return m_runtime != nullptr ? m_runtime->path() : QString();
}

QString Screen::waylandDisplay() const {
    return m_runtime != nullptr ? QLatin1String(WestonSocket) : QString();
}

QColor Screen::waylandBackground() {
    return QColor::fromRgb(WestonBackground);
}

WindowId Screen::root() const {
    return DefaultRootWindow(m_x);
}

std::vector<WindowId> Screen::children(WindowId window) const {
    Window rootReturn = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    std::vector<WindowId> result;
    if (XQueryTree(m_x, window, &rootReturn, &parent, &children, &count) != 0 && children != nullptr) {
        result.assign(children, children + count);
        XFree(children);
    }
    return result;
}

std::vector<WindowId> Screen::topLevels() const {
    std::vector<WindowId> result;
    for (const WindowId window : children(root())) {
        result.push_back(window);
        for (const WindowId child : children(window))
            result.push_back(child);
    }
    return result;
}

std::optional<WindowFacts> Screen::facts(WindowId window) const {
    XWindowAttributes attributes;
    if (XGetWindowAttributes(m_x, window, &attributes) == 0)
        return std::nullopt;
    int x = 0;
    int y = 0;
    Window child = 0;
    XTranslateCoordinates(m_x, window, root(), 0, 0, &x, &y, &child);
    return WindowFacts{{x, y, attributes.width, attributes.height},
                       attributes.map_state == IsViewable,
                       attributes.override_redirect != 0};
}

bool Screen::isViewable(WindowId window) const {
    XWindowAttributes attributes;
    return XGetWindowAttributes(m_x, window, &attributes) != 0 && attributes.map_state == IsViewable;
}

QRect Screen::geometry(WindowId window) const {
    const std::optional<WindowFacts> known = facts(window);
    return known ? known->geometry : QRect();
}

QString Screen::title(WindowId window) const {
    char* name = nullptr;
    QString title;
    if (XFetchName(m_x, window, &name) != 0 && name != nullptr)
        title = QString::fromLocal8Bit(name);
    if (name != nullptr)
        XFree(name);
    return title;
}

QStringList Screen::atoms(WindowId window, const char* property) const {
    QStringList names;
    for (const long atom : numbers(window, property)) {
        char* name = XGetAtomName(m_x, Atom(atom));
        names.append(QString::fromLatin1(name));
        XFree(name);
    }
    return names;
}

QList<long> Screen::numbers(WindowId window, const char* property) const {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    QList<long> values;
    if (XGetWindowProperty(m_x, window, XInternAtom(m_x, property, False), 0, 64, False, AnyPropertyType,
                           &type, &format, &count, &after, &data) == Success &&
        data != nullptr) {
        if (format == 32) // Xlib hands 32-bit items over as longs
            values =
                QList<long>(reinterpret_cast<const long*>(data), reinterpret_cast<const long*>(data) + count);
        XFree(data);
    }
    return values;
}

void Screen::moveTo(QPoint p) const {
    XTestFakeMotionEvent(m_x, -1, p.x(), p.y(), CurrentTime);
    XFlush(m_x);
}

void Screen::button(int number, bool down, int delayMs) const {
    XTestFakeButtonEvent(m_x, unsigned(number), down ? True : False, unsigned(delayMs));
    XFlush(m_x);
}

void Screen::key(const QString& keysym, bool down, int delayMs) const {
    const KeyCode code = XKeysymToKeycode(m_x, XStringToKeysym(keysym.toLatin1().constData()));
    if (code != 0)
        XTestFakeKeyEvent(m_x, code, down ? True : False, unsigned(delayMs));
    XFlush(m_x);
}

void Screen::sync() const {
    XSync(m_x, False);
}

void Screen::sendProtocol(WindowId window, const char* protocol, long data1, long data2) const {
    XEvent event = {};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(m_x, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = long(XInternAtom(m_x, protocol, False));
    event.xclient.data.l[1] = data1;
    event.xclient.data.l[2] = data2;
    XSendEvent(m_x, window, False, NoEventMask, &event);
    XFlush(m_x);
}

void Screen::ping(WindowId window, unsigned long serial) const {
    // The serial stands in the timestamp's place, which the answer carries back.
    sendProtocol(window, "_NET_WM_PING", long(serial), long(window));
}

bool Screen::watchDamage() {
    int error = 0;
    if (m_damageEvent < 0 && XDamageQueryExtension(m_x, &m_damageEvent, &error) == 0)
        return false;
    // Raw rectangles: one event for every drawing, with nothing to acknowledge.
    XDamageCreate(m_x, root(), XDamageReportRawRectangles);
    XSync(m_x, False);
    return true;
}

Received Screen::receive(int waitMs) const {
    Received received;
    if (waitMs > 0 && XPending(m_x) == 0) {
        pollfd readable{ConnectionNumber(m_x), POLLIN, 0};
        poll(&readable, 1, waitMs);
    }
    const Atom protocols = XInternAtom(m_x, "WM_PROTOCOLS", False);
    const Atom ping = XInternAtom(m_x, "_NET_WM_PING", False);
    while (XPending(m_x) > 0) {
        XEvent event;
        XNextEvent(m_x, &event);
        if (event.type == ClientMessage && event.xclient.message_type == protocols &&
            Atom(event.xclient.data.l[0]) == ping)
            ++received.pingAnswers;
        else if (m_damageEvent >= 0 && event.type == m_damageEvent + XDamageNotify)
            ++received.damage;
    }
    return received;
}

QImage Screen::grab(QRect area) const {
    const QRect clipped = area.intersected(QRect(QPoint(), m_setup.size));
    if (clipped.isEmpty())
        return {};
    XImage* image = XGetImage(m_x, root(), clipped.x(), clipped.y(), unsigned(clipped.width()),
                              unsigned(clipped.height()), AllPlanes, ZPixmap);
    if (image == nullptr)
        return {};
    QImage copy = QImage(reinterpret_cast<const uchar*>(image->data), image->width, image->height,
                         image->bytes_per_line, QImage::Format_RGB32)
                      .copy();
    XDestroyImage(image);
    return copy;
}

// ---- counting pixels
// --------------------------------------------------------------------------------------------

int countNear(const QImage& image, QRect area, const QColor& colour, int tolerance) {
    return countPixels(image, area, [&](QRgb p, QPoint) { return near(p, colour.rgb(), tolerance); });
}

int differingPixels(const QImage& a, const QImage& b, QRect area, int tolerance) {
    return countPixels(a, area.intersected(b.rect()),
                       [&](QRgb p, QPoint at) { return !near(p, b.pixel(at), tolerance); });
}

} // namespace x11driver
