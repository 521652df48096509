// Times the real program from outside, on its own Xvfb display: process start to the splash painted, a
// key on the splash to the main menu painted, a click on an activity button to its window painted, and
// resident memory and CPU use with the main menu idle. Each figure is the median of several runs.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPoint>
#include <QProcess>
#include <QRect>
#include <QThread>

#include <X11/extensions/XTest.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <unistd.h>
#include <vector>

namespace {
constexpr int Runs = 7;
constexpr int TimeoutMs = 20000;
constexpr int MainClientHeight = 355;

struct Activity {
    const char* title; // the window's title, which is also how the figure is named
    QPoint button;     // centre of its button on the main menu's client area
    QRect probe;       // where its window shows something drawn, in its client area
};

const Activity Activities[] = {
    {"Hangman", {376, 292}, {16, 16, 100, 60}}, // letter tiles along the top
    {"Wordpot", {376, 60}, {60, 60, 400, 400}}, // the board over the bowl
};

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

std::optional<Window> findWindow(Display* display, const std::function<bool(Window)>& match) {
    Window rootReturn = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(display, DefaultRootWindow(display), &rootReturn, &parent, &children, &count) == 0)
        return std::nullopt;
    std::optional<Window> found;
    for (unsigned int i = 0; i < count && !found; ++i) {
        XWindowAttributes attributes;
        if (XGetWindowAttributes(display, children[i], &attributes) && attributes.map_state == IsViewable &&
            match(children[i]))
            found = children[i];
    }
    if (children != nullptr)
        XFree(children);
    return found;
}

bool titled(Display* display, Window window, const char* title) {
    char* name = nullptr;
    const bool same =
        XFetchName(display, window, &name) != 0 && name != nullptr && std::string(name) == title;
    if (name != nullptr)
        XFree(name);
    return same;
}

bool isSplash(Display* display, Window window) {
    const Atom type = XInternAtom(display, "_NET_WM_WINDOW_TYPE", False);
    const Atom splash = XInternAtom(display, "_NET_WM_WINDOW_TYPE_SPLASH", False);
    Atom actual = 0;
    int format = 0;
    unsigned long items = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    bool result = false;
    if (XGetWindowProperty(display, window, type, 0, 8, False, XA_ATOM, &actual, &format, &items, &after,
                           &data) == Success &&
        data != nullptr) {
        const auto* atoms = reinterpret_cast<const Atom*>(data);
        result = std::find(atoms, atoms + items, splash) != atoms + items;
        XFree(data);
    }
    return result;
}

// How many pixels of an area of a window are strongly coloured (not grey, white or black).
int colouredPixels(Display* display, Window window, QRect area) {
    XImage* image = XGetImage(display, window, area.x(), area.y(), unsigned(area.width()),
                              unsigned(area.height()), AllPlanes, ZPixmap);
    if (image == nullptr)
        return 0;
    int count = 0;
    for (int y = 0; y < area.height(); ++y) {
        for (int x = 0; x < area.width(); ++x) {
            const unsigned long p = XGetPixel(image, x, y);
            const int r = int((p >> 16) & 0xFF), g = int((p >> 8) & 0xFF), b = int(p & 0xFF);
            count += (std::max({r, g, b}) - std::min({r, g, b}) > 120) ? 1 : 0;
        }
    }
    XDestroyImage(image);
    return count;
}

// Polls until a window matching `match` shows coloured pixels in `area`; returns the window.
std::optional<Window> waitForPainted(Display* display, const std::function<bool(Window)>& match,
                                     const std::function<QRect(Window)>& area) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < TimeoutMs) {
        if (const auto window = findWindow(display, match)) {
            if (colouredPixels(display, *window, area(*window)) > 50)
                return window;
        }
        QThread::usleep(300);
    }
    return std::nullopt;
}

int menuHeight(Display* display, Window main) {
    XWindowAttributes attributes;
    XGetWindowAttributes(display, main, &attributes);
    return attributes.height - MainClientHeight;
}

void pressSpace(Display* display) {
    const KeyCode space = XKeysymToKeycode(display, XK_space);
    XTestFakeKeyEvent(display, space, True, 0);
    XTestFakeKeyEvent(display, space, False, 0);
    XFlush(display);
}

void clickAt(Display* display, QPoint screen) {
    XTestFakeMotionEvent(display, -1, screen.x(), screen.y(), 0);
    XTestFakeButtonEvent(display, 1, True, 0);
    XTestFakeButtonEvent(display, 1, False, 0);
    XFlush(display);
}

QPoint screenPosition(Display* display, Window window) {
    int x = 0;
    int y = 0;
    Window child = 0;
    XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &x, &y, &child);
    return {x, y};
}

double cpuSeconds(qint64 pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return 0;
    // After the command name's closing parenthesis, utime and stime are the 12th and 13th fields.
    const QList<QByteArray> fields = stat.readAll().split(')').last().trimmed().split(' ');
    return (fields.value(11).toDouble() + fields.value(12).toDouble()) / double(sysconf(_SC_CLK_TCK));
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

struct Figures {
    std::vector<double> splash, mainMenu, rss, idleCpu;
    std::vector<std::vector<double>> activities = std::vector<std::vector<double>>(std::size(Activities));
};

bool measure(const QString& display, Display* x, Figures& figures, int run) {
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display);
    env.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("dummy"));
    program.setProcessEnvironment(env);
    program.setProgram(QStringLiteral(WORDPOT_EXECUTABLE));
    QElapsedTimer clock;
    clock.start();
    program.start();

    // The splash's title is red once it is painted.
    const auto splash = waitForPainted(
        x, [&](Window w) { return isSplash(x, w); }, [](Window) { return QRect(40, 19, 500, 49); });
    if (!splash)
        return false;
    const double splashMs = double(clock.nsecsElapsed()) / 1e6;

    XTestFakeMotionEvent(x, -1, screenPosition(x, *splash).x() + 100, screenPosition(x, *splash).y() + 100,
                         0);
    clock.restart();
    pressSpace(x);
    const auto main = waitForPainted(
        x, [&](Window w) { return titled(x, w, "Welcome to Wordpot"); },
        [&](Window w) { return QRect(60, menuHeight(x, w) + 250, 60, 20); });
    if (!main)
        return false;
    const double mainMs = double(clock.nsecsElapsed()) / 1e6;

    QThread::msleep(1000);
    const double rss = rssMiB(program.processId());
    const double before = cpuSeconds(program.processId());
    QThread::msleep(5000);
    const double idle = 100.0 * (cpuSeconds(program.processId()) - before) / 5.0;
    std::printf(
        "run %d: start to splash painted %.1f ms, key to main menu painted %.1f ms, resident %.1f MiB, "
        "idle CPU %.2f %%",
        run, splashMs, mainMs, rss, idle);
    figures.splash.push_back(splashMs);
    figures.mainMenu.push_back(mainMs);
    figures.rss.push_back(rss);
    figures.idleCpu.push_back(idle);

    const QPoint client = screenPosition(x, *main) + QPoint(0, menuHeight(x, *main));
    for (std::size_t i = 0; i < std::size(Activities); ++i) {
        const Activity& activity = Activities[i];
        clock.restart();
        clickAt(x, client + activity.button);
        const auto window = waitForPainted(
            x, [&](Window w) { return titled(x, w, activity.title); },
            [&](Window) { return activity.probe; });
        if (!window)
            return false;
        const double openMs = double(clock.nsecsElapsed()) / 1e6;
        figures.activities[i].push_back(openMs);
        std::printf(", %s opened %.1f ms", activity.title, openMs);
        // Its close box, as a window manager would send it.
        XEvent close = {};
        close.xclient.type = ClientMessage;
        close.xclient.window = *window;
        close.xclient.message_type = XInternAtom(x, "WM_PROTOCOLS", False);
        close.xclient.format = 32;
        close.xclient.data.l[0] = long(XInternAtom(x, "WM_DELETE_WINDOW", False));
        XSendEvent(x, *window, False, NoEventMask, &close);
        XFlush(x);
        QThread::msleep(500);
    }
    std::printf("\n");
    program.terminate();
    program.waitForFinished(5000);
    return true;
}
} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QProcess server;
    server.start(QStringLiteral("Xvfb"),
                 {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                  QStringLiteral("0"), QStringLiteral("1024x768x24"), QStringLiteral("-nolisten"),
                  QStringLiteral("tcp")});
    QByteArray out;
    while (!out.contains('\n') && server.waitForReadyRead(10000))
        out += server.readAllStandardOutput();
    const QString display = QLatin1Char(':') + QString::fromLatin1(out.trimmed());
    Display* x = XOpenDisplay(display.toLatin1().constData());
    if (x == nullptr) {
        std::fprintf(stderr, "wordpot_bench: no X server\n");
        return 1;
    }
    Figures figures;
    for (int run = 1; run <= Runs; ++run) {
        if (!measure(display, x, figures, run)) {
            std::fprintf(stderr, "\nwordpot_bench: run %d: a window was never painted\n", run);
            return 1;
        }
    }
    std::printf(
        "median of %d runs: start to splash painted %.1f ms, key to main menu painted %.1f ms, resident "
        "%.1f MiB, idle CPU %.2f %%",
        Runs, median(figures.splash), median(figures.mainMenu), median(figures.rss), median(figures.idleCpu));
    for (std::size_t i = 0; i < std::size(Activities); ++i)
        std::printf(", %s opened %.1f ms", Activities[i].title, median(figures.activities[i]));
    std::printf("\n");
    XCloseDisplay(x);
    server.terminate();
    server.waitForFinished(3000);
    return 0;
}
