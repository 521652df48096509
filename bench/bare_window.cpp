// The floor Wordpot's start-up and memory are measured against: a bare Qt Widgets window of the splash's
// size that shows one line of red text, and nothing else. With --timers it also runs the letter
// explorer's two timers (300 ms and 1000 ms), doing nothing: the floor for that window's idle CPU.
#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QTimer>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QLabel window(QStringLiteral("A bare Qt window"));
    window.setWindowTitle(QStringLiteral("Floor"));
    window.setAlignment(Qt::AlignCenter);
    QFont font = window.font();
    font.setPixelSize(32);
    font.setBold(true);
    window.setFont(font);
    QPalette palette = window.palette();
    palette.setColor(QPalette::WindowText, Qt::red);
    window.setPalette(palette);
    window.resize(582, 291);
    window.show();
    QTimer fast;
    QTimer slow;
    if (QCoreApplication::arguments().contains(QStringLiteral("--timers"))) {
        for (auto [timer, ms] : {std::pair{&fast, 300}, std::pair{&slow, 1000}}) {
            timer->setTimerType(Qt::PreciseTimer);
            QObject::connect(timer, &QTimer::timeout, [] {});
            timer->start(ms);
        }
    }
    return QApplication::exec();
}
