// Times the real program from outside, on its own Xvfb display: from process start to the main menu
// painted, its resident memory and CPU use while idle. Each figure is the median of several runs.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <unistd.h>
#include <vector>

namespace {
constexpr int Runs = 7;

struct Sample {
    double startupMs = 0;
    double rssMiB = 0;
    double idleCpuPercent = 0;
};

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

std::optional<Window> findWindow(Display* display, Window root, const char* title) {
    Window parent = 0;
    Window rootReturn = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(display, root, &rootReturn, &parent, &children, &count) == 0)
        return std::nullopt;
    std::optional<Window> found;
    for (unsigned int i = 0; i < count && !found; ++i) {
        char* name = nullptr;
        XWindowAttributes attributes;
        if (XFetchName(display, children[i], &name) != 0 && name != nullptr) {
            if (std::string(name) == title && XGetWindowAttributes(display, children[i], &attributes) &&
                attributes.map_state == IsViewable)
                found = children[i];
            XFree(name);
        }
    }
    if (children != nullptr)
        XFree(children);
    return found;
}

unsigned long pixelAt(Display* display, Window window, int x, int y) {
    XImage* image = XGetImage(display, window, x, y, 1, 1, AllPlanes, ZPixmap);
    if (image == nullptr)
        return 0;
    const unsigned long pixel = XGetPixel(image, 0, 0);
    XDestroyImage(image);
    return pixel;
}

bool isStopRed(unsigned long pixel) {
    const int r = int((pixel >> 16) & 0xFF), g = int((pixel >> 8) & 0xFF), b = int(pixel & 0xFF);
    return r > 180 && g < 80 && b < 80;
}

double cpuSeconds(qint64 pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = stat.readAll().split(')').last().split(' ');
    // After the command name: state is field 3; utime and stime are fields 14 and 15.
    return (fields.value(12).toDouble() + fields.value(13).toDouble()) / double(sysconf(_SC_CLK_TCK));
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

std::optional<Sample> measure(const QString& display, Display* x) {
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display);
    env.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("dummy"));
    program.setProcessEnvironment(env);
    program.setProgram(QStringLiteral(WORDPOT_EXECUTABLE));
    QElapsedTimer clock;
    clock.start();
    program.start();
    Sample sample;
    const Window root = DefaultRootWindow(x);
    bool painted = false;
    while (!painted && clock.elapsed() < 20000) {
        if (const auto window = findWindow(x, root, "Welcome to Wordpot")) {
            XWindowAttributes attributes;
            XGetWindowAttributes(x, *window, &attributes);
            const int menuHeight = attributes.height - 355;
            // The stop sign's centre, drawn last of the main menu's pictures.
            painted = isStopRed(pixelAt(x, *window, 90, menuHeight + 290));
        }
        if (!painted)
            QThread::usleep(500);
    }
    if (!painted)
        return std::nullopt;
    sample.startupMs = double(clock.nsecsElapsed()) / 1e6;
    QThread::msleep(1000);
    sample.rssMiB = rssMiB(program.processId());
    const double before = cpuSeconds(program.processId());
    QThread::msleep(5000);
    sample.idleCpuPercent = 100.0 * (cpuSeconds(program.processId()) - before) / 5.0;
    program.terminate();
    program.waitForFinished(5000);
    return sample;
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
    std::vector<double> startup, rss, cpu;
    for (int run = 0; run < Runs; ++run) {
        const auto sample = measure(display, x);
        if (!sample) {
            std::fprintf(stderr, "wordpot_bench: run %d: the main menu was never painted\n", run + 1);
            return 1;
        }
        startup.push_back(sample->startupMs);
        rss.push_back(sample->rssMiB);
        cpu.push_back(sample->idleCpuPercent);
        std::printf("run %d: start to main menu painted %.1f ms, resident %.1f MiB, idle CPU %.2f %%\n",
                    run + 1, sample->startupMs, sample->rssMiB, sample->idleCpuPercent);
    }
    std::printf(
        "median of %d runs: start to main menu painted %.1f ms, resident %.1f MiB, idle CPU %.2f %%\n", Runs,
        median(startup), median(rss), median(cpu));
    XCloseDisplay(x);
    server.terminate();
    server.waitForFinished(3000);
    return 0;
}
