#include "harness.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcessEnvironment>
#include <QTest>
#include <QThread>

#include <X11/extensions/XTest.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace e2e {
namespace {
constexpr int PollMs = 20;
constexpr int KeyDelayMs = 12; // between the press and the release of a key or button, as xdotool does

QProcessEnvironment environmentFor(const QString& display, const QString& scaleFactor = {}) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display);
    if (!scaleFactor.isEmpty())
        env.insert(QStringLiteral("QT_SCALE_FACTOR"), scaleFactor);
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("dummy"));
    // In the sanitizer build, LeakSanitizer's stop-the-world at exit now and then crashes on the program's
    // X and audio threads; leaks are the unit tests' business, memory errors stay fatal here.
    const QString asan = env.value(QStringLiteral("ASAN_OPTIONS"));
    env.insert(QStringLiteral("ASAN_OPTIONS"),
               asan + (asan.isEmpty() ? "" : ":") + QStringLiteral("detect_leaks=0"));
    return env;
}

QString artifactsFolder() {
    const QString folder =
        QStringLiteral(WORDPOT_ARTIFACTS_DIR) + QLatin1Char('/') + QCoreApplication::applicationName();
    QDir().mkpath(folder);
    return folder;
}

QString titleOf(Display* x, Window window) {
    char* name = nullptr;
    QString title;
    if (XFetchName(x, window, &name) != 0 && name != nullptr)
        title = QString::fromLocal8Bit(name);
    if (name != nullptr)
        XFree(name);
    return title;
}

std::vector<Window> childrenOf(Display* x, Window window) {
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    std::vector<Window> result;
    if (XQueryTree(x, window, &root, &parent, &children, &count) != 0 && children != nullptr) {
        result.assign(children, children + count);
        XFree(children);
    }
    return result;
}

// The top-level windows, bottom to top; a window manager's frame is followed by the window it holds.
std::vector<Window> topLevels(Display* x) {
    std::vector<Window> result;
    for (const Window window : childrenOf(x, DefaultRootWindow(x))) {
        result.push_back(window);
        for (const Window child : childrenOf(x, window))
            result.push_back(child);
    }
    return result;
}

bool isViewable(Display* x, Window window) {
    XWindowAttributes attributes;
    return XGetWindowAttributes(x, window, &attributes) != 0 && attributes.map_state == IsViewable;
}

// How many pixels of an area of an image pass a test of their colour and place.
template <class Test> int countPixels(QRect area, const QImage& image, Test test) {
    int count = 0;
    const QRect clipped = area.intersected(image.rect());
    for (int y = clipped.top(); y <= clipped.bottom(); ++y)
        for (int x = clipped.left(); x <= clipped.right(); ++x)
            count += test(image.pixel(x, y), QPoint(x, y)) ? 1 : 0;
    return count;
}

bool near(QRgb p, QRgb q, int tolerance) {
    return std::abs(qRed(p) - qRed(q)) <= tolerance && std::abs(qGreen(p) - qGreen(q)) <= tolerance &&
           std::abs(qBlue(p) - qBlue(q)) <= tolerance;
}

// Windows may vanish between two requests; such errors are expected and not fatal.
int ignoreErrors(Display*, XErrorEvent*) {
    return 0;
}
} // namespace

bool centred(QRect window) {
    return window.topLeft() ==
           QPoint((ScreenSize.width() - window.width()) / 2, (ScreenSize.height() - window.height()) / 2);
}

bool waitUntil(const std::function<bool()>& condition, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > timeoutMs)
            return condition();
        QThread::msleep(PollMs);
    }
    return true;
}

Desktop::Desktop(const DesktopSetup& setup)
    : m_setup(setup) {
    m_server.setProgram(QStringLiteral("Xvfb"));
    // -displayfd: the server picks a free display and prints its number once it accepts clients.
    m_server.setArguments({QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                           QStringLiteral("0"),
                           QStringLiteral("%1x%2x24").arg(setup.screen.width()).arg(setup.screen.height()),
                           QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    m_server.start();
    if (!m_server.waitForStarted(5000))
        return;
    QElapsedTimer clock;
    clock.start();
    QByteArray out;
    while (!out.contains('\n') && clock.elapsed() < 10000) {
        m_server.waitForReadyRead(PollMs);
        out += m_server.readAllStandardOutput();
    }
    if (!out.contains('\n'))
        return;
    const QString display = QLatin1Char(':') + QString::fromLatin1(out.trimmed());
    XSetErrorHandler(ignoreErrors);
    while (m_x == nullptr && clock.elapsed() < 15000) {
        m_x = XOpenDisplay(display.toLatin1().constData());
        if (m_x == nullptr)
            QThread::msleep(PollMs);
    }
    if (m_x == nullptr)
        return;
    if (setup.windowManager) {
        m_windowManager.setProcessEnvironment(environmentFor(display));
        m_windowManager.start(QStringLiteral("openbox"), {});
        // It has taken the screen once its check window names itself.
        const auto check = [&](long w) { return numbers(QString::number(w), "_NET_SUPPORTING_WM_CHECK"); };
        const long root = long(DefaultRootWindow(m_x));
        if (!waitUntil([&] { return !check(root).empty() && check(check(root)[0]) == check(root); }, 10000))
            return;
    }
    m_display = display;
}

Desktop::~Desktop() {
    if (m_x != nullptr)
        XCloseDisplay(m_x);
    m_windowManager.terminate();
    m_windowManager.waitForFinished(3000);
    m_server.terminate();
    if (!m_server.waitForFinished(3000))
        m_server.kill();
    m_server.waitForFinished(1000);
}

QStringList Desktop::windows(const QString& title) const {
    QStringList ids;
    for (const Window window : topLevels(m_x)) {
        if (isViewable(m_x, window) && titleOf(m_x, window) == title)
            ids.append(QString::number(window));
    }
    return ids;
}

std::optional<QString> Desktop::waitForWindow(const QString& title, int timeoutMs, QSize size) const {
    QStringList ids;
    waitUntil(
        [&] {
            ids = windows(title);
            if (size.isValid())
                ids.removeIf([&](const QString& id) { return geometry(id).size() != size; });
            return !ids.isEmpty();
        },
        timeoutMs);
    return ids.isEmpty() ? std::nullopt : std::optional(ids.last()); // the topmost
}

bool Desktop::hasWindow(const QString& title) const {
    return !windows(title).isEmpty();
}

bool Desktop::waitForNoWindow(const QString& title, int timeoutMs) const {
    return waitUntil([&] { return !hasWindow(title); }, timeoutMs);
}

bool Desktop::popupShown() const {
    for (const Window window : topLevels(m_x)) {
        XWindowAttributes attributes;
        if (XGetWindowAttributes(m_x, window, &attributes) != 0 && attributes.map_state == IsViewable &&
            attributes.override_redirect)
            return true;
    }
    return false;
}

QStringList Desktop::atoms(const QString& windowId, const char* property) const {
    QStringList names;
    for (const long atom : numbers(windowId, property)) {
        char* name = XGetAtomName(m_x, Atom(atom));
        names.append(QString::fromLatin1(name));
        XFree(name);
    }
    return names;
}

QList<long> Desktop::numbers(const QString& windowId, const char* property) const {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    QList<long> values;
    if (XGetWindowProperty(m_x, window(windowId), XInternAtom(m_x, property, False), 0, 64, False,
                           AnyPropertyType, &type, &format, &count, &after, &data) == Success &&
        data != nullptr) {
        if (format == 32) // Xlib hands 32-bit items over as longs
            values =
                QList<long>(reinterpret_cast<const long*>(data), reinterpret_cast<const long*>(data) + count);
        XFree(data);
    }
    return values;
}

QString Desktop::decorations(const QString& windowId) const {
    // _MOTIF_WM_HINTS: flags (1: functions given, 2: decorations given), functions, decorations.
    const QList<long> motif = numbers(windowId, "_MOTIF_WM_HINTS");
    const long functions = motif.size() >= 3 && motif[0] & 1 ? motif[1] : ~0L;
    const long decorations = motif.size() >= 3 && motif[0] & 2 ? motif[2] : ~0L;
    const QList<long> size = numbers(windowId, "WM_NORMAL_HINTS"); // flags, 4 old fields, minimum, maximum
    const bool fixed = size.size() >= 9 && (size[0] & (PMinSize | PMaxSize)) == (PMinSize | PMaxSize) &&
                       size.mid(5, 2) == size.mid(7, 2);
    const QList<long> frame = numbers(windowId, "_NET_FRAME_EXTENTS"); // left, right, top, bottom
    const bool splash =
        atoms(windowId, "_NET_WM_WINDOW_TYPE").contains(QLatin1String("_NET_WM_WINDOW_TYPE_SPLASH"));
    QStringList words{
        !splash && (m_setup.windowManager ? frame.value(2) > 0 : decorations & 0x8) ? "title" : "",
        !splash && functions & 0x20 ? "close" : "", !splash && decorations & 0x20 ? "minimize" : "",
        !splash && decorations & 0x40 ? "maximize" : "", fixed ? "" : "sizable"};
    words.removeAll(QString());
    return words.join(QLatin1Char(' '));
}

std::optional<QString> Desktop::splashWindow() const {
    for (const Window window : topLevels(m_x)) {
        const QString id = QString::number(window);
        if (isViewable(m_x, window) &&
            atoms(id, "_NET_WM_WINDOW_TYPE").contains(QLatin1String("_NET_WM_WINDOW_TYPE_SPLASH")))
            return id;
    }
    return std::nullopt;
}

std::optional<QString> Desktop::waitForSplash(int timeoutMs) const {
    std::optional<QString> splash;
    waitUntil([&] { return (splash = splashWindow()).has_value(); }, timeoutMs);
    return splash;
}

std::optional<QString> Desktop::waitForMainMenu(int timeoutMs) const {
    const QString title = QStringLiteral("Welcome to Wordpot");
    std::optional<QString> splash;
    waitUntil([&] { return hasWindow(title) || (splash = splashWindow()).has_value(); }, timeoutMs);
    if (splash)
        key(*splash, QStringLiteral("space"));
    return waitForWindow(title, timeoutMs);
}

QString Desktop::windowTree() const {
    QString text = QStringLiteral("top-level windows on %1, bottom to top:\n").arg(m_display);
    for (const Window window : topLevels(m_x)) {
        const QRect rect = geometry(QString::number(window));
        text += QStringLiteral("  %1 \"%2\" %3x%4+%5+%6 %7\n")
                    .arg(window)
                    .arg(titleOf(m_x, window))
                    .arg(rect.width())
                    .arg(rect.height())
                    .arg(rect.x())
                    .arg(rect.y())
                    .arg(isViewable(m_x, window) ? "shown" : "hidden");
    }
    return text;
}

QRect Desktop::geometry(const QString& windowId) const {
    XWindowAttributes attributes;
    if (XGetWindowAttributes(m_x, window(windowId), &attributes) == 0)
        return {};
    int x = 0;
    int y = 0;
    Window child = 0;
    XTranslateCoordinates(m_x, window(windowId), DefaultRootWindow(m_x), 0, 0, &x, &y, &child);
    return {x, y, attributes.width, attributes.height};
}

QPoint Desktop::mainMenuClient(const QString& windowId) const {
    constexpr int MainClientHeight = 355;
    const QRect window = geometry(windowId);
    return window.topLeft() + QPoint(0, window.height() - MainClientHeight);
}

void Desktop::moveTo(QPoint p) const {
    XTestFakeMotionEvent(m_x, -1, p.x(), p.y(), CurrentTime);
    XSync(m_x, False);
}

void Desktop::click(QPoint p) const {
    moveTo(p);
    // A person's click takes a little while; so does xdotool's, which these tests were first written with.
    XTestFakeButtonEvent(m_x, 1, True, KeyDelayMs);
    XTestFakeButtonEvent(m_x, 1, False, KeyDelayMs);
    XSync(m_x, False);
    QThread::msleep(2 * KeyDelayMs);
}

void Desktop::pressKey(const QString& name, bool press) const {
    static const QHash<QString, QString> Modifiers{{QStringLiteral("alt"), QStringLiteral("Alt_L")},
                                                   {QStringLiteral("ctrl"), QStringLiteral("Control_L")},
                                                   {QStringLiteral("shift"), QStringLiteral("Shift_L")}};
    const QString keysym = Modifiers.value(name.toLower(), name);
    const KeyCode code = XKeysymToKeycode(m_x, XStringToKeysym(keysym.toLatin1().constData()));
    if (code != 0)
        XTestFakeKeyEvent(m_x, code, press ? True : False, KeyDelayMs);
}

void Desktop::key(const QString& windowId, const QString& keys) const {
    moveTo(geometry(windowId).center());
    const QStringList names = keys.split(QLatin1Char('+'));
    for (const QString& name : names)
        pressKey(name, true);
    for (auto it = names.crbegin(); it != names.crend(); ++it)
        pressKey(*it, false);
    XSync(m_x, False);
    QThread::msleep(KeyDelayMs * 2 * names.size());
}

void Desktop::closeWindow(const QString& windowId) const {
    XEvent event = {};
    event.xclient.type = ClientMessage;
    event.xclient.window = window(windowId);
    event.xclient.message_type = XInternAtom(m_x, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = long(XInternAtom(m_x, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(m_x, window(windowId), False, NoEventMask, &event);
    XSync(m_x, False);
}

void Desktop::keyDown(const QString& windowId, const QString& keys) const {
    moveTo(geometry(windowId).center());
    const QStringList names = keys.split(QLatin1Char('+'));
    for (const QString& name : names)
        pressKey(name, true);
    XSync(m_x, False);
}

void Desktop::keyUp(const QString& keys) const {
    const QStringList names = keys.split(QLatin1Char('+'));
    for (auto it = names.crbegin(); it != names.crend(); ++it)
        pressKey(*it, false);
    XSync(m_x, False);
}

bool Desktop::waitForKeyPresses(const QString& windowId, int count, int timeoutMs) const {
    // Another client may watch a window's keys too: the server sends it a copy of each.
    XSelectInput(m_x, window(windowId), KeyPressMask);
    int seen = 0;
    const bool reached = waitUntil(
        [&] {
            XEvent event;
            while (XCheckTypedWindowEvent(m_x, window(windowId), KeyPress, &event) != 0)
                ++seen;
            return seen >= count;
        },
        timeoutMs);
    XSelectInput(m_x, window(windowId), NoEventMask);
    return reached;
}

Desktop::MapState Desktop::mapState(const QString& windowId) const {
    XWindowAttributes attributes;
    if (XGetWindowAttributes(m_x, window(windowId), &attributes) == 0)
        return MapState::Gone;
    return attributes.map_state == IsViewable ? MapState::Viewable : MapState::Unmapped;
}

void Desktop::askWindowManager(unsigned long about, const char* type,
                               std::initializer_list<long> data) const {
    XEvent event = {};
    event.xclient.type = ClientMessage;
    event.xclient.window = about;
    event.xclient.message_type = XInternAtom(m_x, type, False);
    event.xclient.format = 32;
    std::copy(data.begin(), data.end(), event.xclient.data.l);
    XSendEvent(m_x, DefaultRootWindow(m_x), False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
    XSync(m_x, False);
}

void Desktop::minimize(const QString& windowId) const {
    askWindowManager(window(windowId), "WM_CHANGE_STATE", {IconicState});
}

void Desktop::maximize(const QString& windowId) const {
    constexpr long Add = 1;
    askWindowManager(window(windowId), "_NET_WM_STATE",
                     {Add, long(XInternAtom(m_x, "_NET_WM_STATE_MAXIMIZED_VERT", False)),
                      long(XInternAtom(m_x, "_NET_WM_STATE_MAXIMIZED_HORZ", False))});
}

void Desktop::activate(const QString& windowId) const {
    constexpr long FromPager = 2; // a taskbar's request, which a window manager does not second-guess
    askWindowManager(window(windowId), "_NET_ACTIVE_WINDOW", {FromPager, CurrentTime});
}

bool Desktop::syncWindowManager() const {
    const Window probe = XCreateSimpleWindow(m_x, DefaultRootWindow(m_x), 0, 0, 1, 1, 0, 0, 0);
    askWindowManager(probe, "_NET_REQUEST_FRAME_EXTENTS", {});
    const QString id = QString::number(probe);
    const bool answered = waitUntil([&] { return !numbers(id, "_NET_FRAME_EXTENTS").isEmpty(); });
    XDestroyWindow(m_x, probe);
    XSync(m_x, False);
    return answered;
}

QImage Desktop::screenshot() const {
    XImage* image = XGetImage(m_x, DefaultRootWindow(m_x), 0, 0, unsigned(m_setup.screen.width()),
                              unsigned(m_setup.screen.height()), AllPlanes, ZPixmap);
    if (image == nullptr)
        return {};
    const QImage shot = QImage(reinterpret_cast<const uchar*>(image->data), image->width, image->height,
                               image->bytes_per_line, QImage::Format_RGB32)
                            .copy();
    XDestroyImage(image);
    return shot;
}

bool Desktop::waitForColour(QRect area, const QColor& colour, int atLeast, int timeoutMs) const {
    return waitUntil([&] { return countNear(screenshot(), area, colour) >= atLeast; }, timeoutMs);
}

QImage Desktop::keepScreenshot(const QString& name) const {
    const QImage image = screenshot();
    image.save(artifactsFolder() + QLatin1Char('/') + name + QStringLiteral(".png"));
    return image;
}

QString Program::builtExecutable() {
    return QStringLiteral(WORDPOT_EXECUTABLE);
}

Program::Program(const Desktop& desktop, const QString& executable) {
    m_process.setProcessEnvironment(environmentFor(desktop.display(), desktop.setup().scaleFactor));
    // A tracer may run the program, e.g. WORDPOT_E2E_WRAPPER="strace -f -o trace".
    QStringList command = qEnvironmentVariable("WORDPOT_E2E_WRAPPER").split(u' ', Qt::SkipEmptyParts);
    command << (executable.isEmpty() ? builtExecutable() : executable);
    m_process.setProgram(command.takeFirst());
    m_process.setArguments(command);
    m_process.start();
    m_process.waitForStarted(5000);
}

Program::~Program() {
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(3000);
    }
}

bool Program::waitForExit(int timeoutMs) {
    return m_process.waitForFinished(timeoutMs);
}

QString Program::standardError() {
    // The pipe is read by the event loop; let it take in what the program has written so far.
    QCoreApplication::processEvents();
    m_stderr += QString::fromLocal8Bit(m_process.readAllStandardError());
    return m_stderr;
}

QString Program::describe() {
    // Lets QProcess notice an exit that happened while nobody ran an event loop.
    m_process.waitForFinished(500);
    QString text = isRunning()
                       ? QStringLiteral("the program is running\n")
                       : QStringLiteral("the program ended: status %1, %2\n")
                             .arg(m_process.exitCode())
                             .arg(m_process.exitStatus() == QProcess::CrashExit ? "crashed" : "exited");
    text += standardError();
    if (isRunning()) {
        QProcess gdb;
        gdb.setProcessChannelMode(QProcess::MergedChannels);
        gdb.start(QStringLiteral("gdb"),
                  {QStringLiteral("-batch"), QStringLiteral("-p"), QString::number(pid()),
                   QStringLiteral("-ex"), QStringLiteral("thread apply all bt 12")});
        if (gdb.waitForFinished(60000))
            text += QString::fromLocal8Bit(gdb.readAllStandardOutput());
    }
    return text;
}

QColor colourAt(const QImage& image, QPoint point) {
    return image.rect().contains(point) ? image.pixelColor(point) : QColor();
}

int differingPixels(const QImage& a, const QImage& b, QRect area, int tolerance) {
    return countPixels(area.intersected(b.rect()), a,
                       [&](QRgb p, QPoint at) { return !near(p, b.pixel(at), tolerance); });
}

int countNear(const QImage& image, QRect area, const QColor& colour, int tolerance) {
    return countPixels(area, image, [&](QRgb p, QPoint) { return near(p, colour.rgb(), tolerance); });
}

} // namespace e2e
