// The floor Wordpot's start-up and memory are measured against: a bare Qt Widgets window of the splash's
// size that shows one line of red text, and nothing else. With --timers it also runs the letter
// explorer's two timers (300 ms and 1000 ms), doing nothing: the floor for that window's idle CPU. With
// --clicks a click (on its release, as Wordpot's controls take it) on the left half turns the text from red
// to blue or back, and on the right half opens a second window: the floors for a click's answer.
#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QMouseEvent>
#include <QTimer>

namespace {
QFont boldFont(const QWidget& widget) {
    QFont font = widget.font();
    font.setPixelSize(32);
    font.setBold(true);
    return font;
}

void setTextColour(QLabel& label, const QColor& colour) {
    QPalette palette = label.palette();
    palette.setColor(QPalette::WindowText, colour);
    label.setPalette(palette);
}

class Window : public QLabel {
public:
    explicit Window(bool clicks)
        : QLabel(QStringLiteral("A bare Qt window"))
        , m_clicks(clicks) {}

protected:
    void mousePressEvent(QMouseEvent* event) override { event->accept(); }

    void mouseReleaseEvent(QMouseEvent* event) override {
        if (!m_clicks)
            return;
        if (event->position().x() < width() / 2) {
            m_blue = !m_blue;
            setTextColour(*this, m_blue ? Qt::blue : Qt::red);
            return;
        }
        m_second.setText(QStringLiteral("A second window"));
        m_second.setWindowTitle(QStringLiteral("Floor 2"));
        m_second.setFont(boldFont(m_second));
        setTextColour(m_second, Qt::red);
        m_second.resize(400, 200);
        m_second.show();
    }

private:
    bool m_clicks;
    bool m_blue = false;
    QLabel m_second;
};
} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    Window window(QCoreApplication::arguments().contains(QStringLiteral("--clicks")));
    window.setWindowTitle(QStringLiteral("Floor"));
    window.setAlignment(Qt::AlignCenter);
    window.setFont(boldFont(window));
    setTextColour(window, Qt::red);
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
