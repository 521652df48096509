#include "harness.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcessEnvironment>
#include <QTest>
#include <QThread>

#include <csignal>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace e2e {
using namespace Qt::StringLiterals;

namespace {
constexpr int PollMs = 20;
constexpr int KeyDelayMs = 12; // between the press and the release of a key or button, as xdotool does

QProcessEnvironment environmentFor(const Desktop& desktop) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), desktop.display());
    if (!desktop.setup().scaleFactor.isEmpty())
        env.insert(QStringLiteral("QT_SCALE_FACTOR"), desktop.setup().scaleFactor);
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    if (desktop.setup().wayland) {
        // Without DISPLAY, a program that did not reach the compositor could not fall back to X unseen.
        env.remove(QStringLiteral("DISPLAY"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("wayland"));
        env.insert(QStringLiteral("WAYLAND_DISPLAY"), desktop.screen().waylandDisplay());
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), desktop.screen().waylandRuntimeFolder());
    }
    env.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("dummy"));
    // In the sanitizer build, LeakSanitizer's stop-the-world at exit now and then crashes on the program's
    // X and audio threads; leaks are the unit tests' business, memory errors stay fatal here. The speech
    // service's client library reads its list of voices with strstr over the rest of the list for each
    // line, which the checked strstr turns from seconds into minutes: the program's own strstr calls lose
    // the check (the string functions' other checks stay).
    const QString asan = env.value(QStringLiteral("ASAN_OPTIONS"));
    env.insert(QStringLiteral("ASAN_OPTIONS"),
               asan + (asan.isEmpty() ? "" : ":") + QStringLiteral("detect_leaks=0:intercept_strstr=0"));
    return env;
}

QString artifactsFolder() {
    const QString folder =
        QStringLiteral(WORDPOT_ARTIFACTS_DIR) + QLatin1Char('/') + QCoreApplication::applicationName();
    QDir().mkpath(folder);
    return folder;
}

x11driver::ScreenSetup screenSetup(const DesktopSetup& setup) {
    return {.size = setup.screen,
            .shell = setup.wayland         ? x11driver::Shell::Weston
                     : setup.windowManager ? x11driver::Shell::Openbox
                                           : x11driver::Shell::Plain};
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
    : m_setup(setup)
    , m_screen(screenSetup(setup))
    , m_display(m_screen.display())
    , m_x(m_screen.connection()) {}

Desktop::~Desktop() = default;

QStringList Desktop::windows(const QString& title) const {
    QStringList ids;
    for (const x11driver::WindowId window : m_screen.topLevels()) {
        if (m_screen.isViewable(window) && m_screen.title(window) == title)
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
    for (const x11driver::WindowId window : m_screen.topLevels()) {
        const std::optional<x11driver::WindowFacts> facts = m_screen.facts(window);
        if (facts && facts->viewable && facts->popup)
            return true;
    }
    return false;
}

QStringList Desktop::atoms(const QString& windowId, const char* property) const {
    return m_screen.atoms(window(windowId), property);
}

QList<long> Desktop::numbers(const QString& windowId, const char* property) const {
    return m_screen.numbers(window(windowId), property);
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
    for (const x11driver::WindowId window : m_screen.topLevels()) {
        const QString id = QString::number(window);
        if (m_screen.isViewable(window) &&
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
    for (const x11driver::WindowId window : m_screen.topLevels()) {
        const QRect rect = m_screen.geometry(window);
        text += QStringLiteral("  %1 \"%2\" %3x%4+%5+%6 %7\n")
                    .arg(window)
                    .arg(m_screen.title(window))
                    .arg(rect.width())
                    .arg(rect.height())
                    .arg(rect.x())
                    .arg(rect.y())
                    .arg(m_screen.isViewable(window) ? "shown" : "hidden");
    }
    return text;
}

QRect Desktop::geometry(const QString& windowId) const {
    return m_screen.geometry(window(windowId));
}

QPoint Desktop::mainMenuClient(const QString& windowId) const {
    constexpr int MainClientHeight = 355;
    const QRect window = geometry(windowId);
    return window.topLeft() + QPoint(0, window.height() - MainClientHeight);
}

void Desktop::moveTo(QPoint p) const {
    m_screen.moveTo(p);
    m_screen.sync();
}

void Desktop::click(QPoint p) const {
    moveTo(p);
    // A person's click takes a little while; so does xdotool's, which these tests were first written with.
    m_screen.button(1, true, KeyDelayMs);
    m_screen.button(1, false, KeyDelayMs);
    m_screen.sync();
    QThread::msleep(2 * KeyDelayMs);
}

void Desktop::pressKey(const QString& name, bool press) const {
    static const QHash<QString, QString> Modifiers{{QStringLiteral("alt"), QStringLiteral("Alt_L")},
                                                   {QStringLiteral("ctrl"), QStringLiteral("Control_L")},
                                                   {QStringLiteral("shift"), QStringLiteral("Shift_L")}};
    m_screen.key(Modifiers.value(name.toLower(), name), press, KeyDelayMs);
}

void Desktop::key(const QString& windowId, const QString& keys) const {
    moveTo(geometry(windowId).center());
    const QStringList names = keys.split(QLatin1Char('+'));
    for (const QString& name : names)
        pressKey(name, true);
    for (auto it = names.crbegin(); it != names.crend(); ++it)
        pressKey(*it, false);
    m_screen.sync();
    QThread::msleep(KeyDelayMs * 2 * names.size());
}

void Desktop::closeWindow(const QString& windowId) const {
    m_screen.sendProtocol(window(windowId), "WM_DELETE_WINDOW");
    m_screen.sync();
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
    return m_screen.screenshot();
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

Program::Program(const Desktop& desktop, const QString& executable, const Run& run) {
    QProcessEnvironment environment = environmentFor(desktop);
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_settings.path());
    environment.insert(run.environment);
    m_process.setProcessEnvironment(environment);
    // A tracer may run the program, e.g. WORDPOT_E2E_WRAPPER="strace -f -o trace".
    QStringList command = qEnvironmentVariable("WORDPOT_E2E_WRAPPER").split(u' ', Qt::SkipEmptyParts);
    command << (executable.isEmpty() ? builtExecutable() : executable) << run.arguments;
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
    return x11driver::differingPixels(a, b, area, tolerance);
}

int countNear(const QImage& image, QRect area, const QColor& colour, int tolerance) {
    return x11driver::countNear(image, area, colour, tolerance);
}

SoundServer::SoundServer() {
    const QString socket = m_runtime.filePath(u"sound"_s);
    m_server = x11driver::Helper({u"pulseaudio"_s, u"-n"_s, u"--daemonize=no"_s, u"--exit-idle-time=-1"_s,
                                  u"--use-pid-file=no"_s, u"-L"_s,
                                  u"module-native-protocol-unix auth-anonymous=1 socket="_s + socket, u"-L"_s,
                                  u"module-null-sink sink_name=heard rate=44100"_s},
                                 {u"HOME="_s + m_runtime.path(), u"XDG_RUNTIME_DIR="_s + m_runtime.path()});
    waitUntil([&] { return QFile::exists(socket); });
    m_environment.insert(u"PULSE_SERVER"_s, u"unix:"_s + socket);
    m_environment.insert(u"XDG_RUNTIME_DIR"_s, m_runtime.path());
    m_environment.insert(u"XDG_CACHE_HOME"_s, m_runtime.path()); // the speech service's logs
}

SoundServer::~SoundServer() {
    QFile pid(m_runtime.filePath(u"speech-dispatcher/pid/speech-dispatcher.pid"_s));
    if (pid.open(QIODevice::ReadOnly))
        ::kill(pid_t(pid.readAll().trimmed().toInt()), SIGKILL);
}

x11driver::Helper SoundServer::record(const QString& file) const {
    return x11driver::Helper({u"parec"_s, u"-d"_s, u"heard.monitor"_s, u"--raw"_s, u"--format=s16le"_s,
                              u"--rate=44100"_s, u"--channels=1"_s},
                             {u"PULSE_SERVER="_s + m_environment.value(u"PULSE_SERVER"_s)}, file);
}

int SoundServer::loudest(const QString& file, qint64 from) {
    QFile raw(file);
    const QByteArray data =
        raw.open(QIODevice::ReadOnly) && raw.seek(from & ~1) ? raw.readAll() : QByteArray();
    int loudest = 0;
    for (qsizetype i = 0; i + 1 < data.size(); i += 2)
        loudest = std::max(loudest, std::abs(int(qint16(quint8(data[i]) | quint8(data[i + 1]) << 8))));
    return loudest;
}

} // namespace e2e
