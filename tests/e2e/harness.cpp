#include "harness.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcessEnvironment>
#include <QTest>
#include <QThread>

namespace e2e {
namespace {
constexpr int PollMs = 20;

QProcessEnvironment environmentFor(const QString& display) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display);
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
} // namespace

Desktop::Desktop() {
    m_server.setProgram(QStringLiteral("Xvfb"));
    // -displayfd: the server picks a free display and prints its number once it accepts clients.
    m_server.setArguments({QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                           QStringLiteral("0"), QStringLiteral("1024x768x24"), QStringLiteral("-nolisten"),
                           QStringLiteral("tcp")});
    m_server.setProcessChannelMode(QProcess::SeparateChannels);
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
    if (out.contains('\n'))
        m_display = QLatin1Char(':') + QString::fromLatin1(out.trimmed());
}

Desktop::~Desktop() {
    m_server.terminate();
    if (!m_server.waitForFinished(3000))
        m_server.kill();
    m_server.waitForFinished(1000);
}

QString Desktop::run(const QString& program, const QStringList& arguments, int timeoutMs) const {
    QProcess process;
    process.setProcessEnvironment(environmentFor(m_display));
    process.start(program, arguments);
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished(1000);
        return {};
    }
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

std::optional<QString> Desktop::waitForWindow(const QString& title, int timeoutMs) const {
    QElapsedTimer clock;
    clock.start();
    do {
        const QString ids =
            run(QStringLiteral("xdotool"),
                {QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                 QLatin1Char('^') + QRegularExpression::escape(title) + QLatin1Char('$')});
        const QStringList lines = ids.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        if (!lines.isEmpty())
            return lines.first().trimmed();
        QThread::msleep(PollMs);
    } while (clock.elapsed() < timeoutMs);
    return std::nullopt;
}

std::optional<QString> Desktop::splashWindow() const {
    const QString ids =
        run(QStringLiteral("xdotool"), {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                        QStringLiteral("--class"), QStringLiteral("wordpot")});
    for (const QString& id : ids.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QString type = run(QStringLiteral("xprop"), {QStringLiteral("-id"), id.trimmed(),
                                                           QStringLiteral("_NET_WM_WINDOW_TYPE")});
        if (type.contains(QLatin1String("_NET_WM_WINDOW_TYPE_SPLASH")))
            return id.trimmed();
    }
    return std::nullopt;
}

std::optional<QString> Desktop::waitForSplash(int timeoutMs) const {
    QElapsedTimer clock;
    clock.start();
    do {
        if (const auto splash = splashWindow())
            return splash;
        QThread::msleep(PollMs);
    } while (clock.elapsed() < timeoutMs);
    return std::nullopt;
}

QString Desktop::windowTree() const {
    return run(QStringLiteral("xwininfo"), {QStringLiteral("-root"), QStringLiteral("-tree")});
}

std::optional<QString> Desktop::waitForMainMenu(int timeoutMs) const {
    QElapsedTimer clock;
    clock.start();
    do {
        if (const auto main = waitForWindow(QStringLiteral("Welcome to Wordpot"), 0))
            return main;
        if (const auto splash = splashWindow())
            key(*splash, QStringLiteral("space"));
        QThread::msleep(PollMs);
    } while (clock.elapsed() < timeoutMs);
    return std::nullopt;
}

bool Desktop::hasWindow(const QString& title) const {
    return waitForWindow(title, 0).has_value();
}

bool Desktop::waitForNoWindow(const QString& title, int timeoutMs) const {
    QElapsedTimer clock;
    clock.start();
    while (hasWindow(title)) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QThread::msleep(PollMs);
    }
    return true;
}

QRect Desktop::geometry(const QString& windowId) const {
    const QString info = run(QStringLiteral("xwininfo"), {QStringLiteral("-id"), windowId});
    auto number = [&](const QString& label) {
        const QRegularExpression pattern(QRegularExpression::escape(label) + QStringLiteral(":\\s*(-?\\d+)"));
        return pattern.match(info).captured(1).toInt();
    };
    return {number(QStringLiteral("Absolute upper-left X")), number(QStringLiteral("Absolute upper-left Y")),
            number(QStringLiteral("Width")), number(QStringLiteral("Height"))};
}

void Desktop::moveTo(QPoint p) const {
    run(QStringLiteral("xdotool"),
        {QStringLiteral("mousemove"), QString::number(p.x()), QString::number(p.y())});
}

void Desktop::click(QPoint p) const {
    run(QStringLiteral("xdotool"), {QStringLiteral("mousemove"), QString::number(p.x()),
                                    QString::number(p.y()), QStringLiteral("click"), QStringLiteral("1")});
}

void Desktop::key(const QString& windowId, const QString& keys) const {
    moveTo(geometry(windowId).center());
    run(QStringLiteral("xdotool"), {QStringLiteral("key"), keys});
}

void Desktop::type(const QString& windowId, const QString& text) const {
    moveTo(geometry(windowId).center());
    run(QStringLiteral("xdotool"),
        {QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("50"), text});
}

void Desktop::closeWindow(const QString& windowId) const {
    run(QStringLiteral(WORDPOT_WMCLOSE), {windowId});
}

QImage Desktop::screenshot() const {
    QProcess process;
    process.setProcessEnvironment(environmentFor(m_display));
    process.start(QStringLiteral("import"),
                  {QStringLiteral("-window"), QStringLiteral("root"), QStringLiteral("png:-")});
    process.waitForFinished(10000);
    return QImage::fromData(process.readAllStandardOutput(), "PNG");
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
    m_process.setProcessEnvironment(environmentFor(desktop.display()));
    m_process.setProgram(executable.isEmpty() ? builtExecutable() : executable);
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
    m_stderr += QString::fromLocal8Bit(m_process.readAllStandardError());
    return m_stderr;
}

QColor colourAt(const QImage& image, QPoint point) {
    return image.rect().contains(point) ? image.pixelColor(point) : QColor();
}

int countNear(const QImage& image, QRect area, const QColor& colour, int tolerance) {
    int count = 0;
    const QRect clipped = area.intersected(image.rect());
    for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
        for (int x = clipped.left(); x <= clipped.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - colour.red()) <= tolerance &&
                std::abs(c.green() - colour.green()) <= tolerance &&
                std::abs(c.blue() - colour.blue()) <= tolerance)
                ++count;
        }
    }
    return count;
}

} // namespace e2e
