// The floor Wordpot's start-up and memory are measured against: a bare Qt Widgets window of the splash's
// size that shows one line of red text, and nothing else.
#include <QApplication>
#include <QFont>
#include <QLabel>

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
    return QApplication::exec();
}
