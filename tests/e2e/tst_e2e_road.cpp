// The whole road on the real program: the splash and the main menu after it; each activity opened from
// its button and closed by its close box, a letter typed in the letter explorer; the about box; the exit
// confirmation answered No and then Yes, and the end of the run; the close box and SIGTERM end it too.
#include "harness.h"

#include <QElapsedTimer>
#include <QTest>

using namespace e2e;

namespace {
constexpr int SplashMs = 5000;
const QString MainTitle = QStringLiteral("Welcome to Wordpot");
const QColor Red(255, 0, 0);

QPoint centreTw(QRect twips) {
    return QPoint((twips.x() + twips.width() / 2) / 15, (twips.y() + twips.height() / 2) / 15);
}

// Waits for a window of this title and size, centred, and for something of this colour drawn in it.
std::optional<QString> waitForPainted(const Desktop& desktop, const QString& title, QSize size,
                                      const QColor& colour, int atLeast = 200) {
    const auto id = desktop.waitForWindow(title, 5000, size);
    if (!id || !centred(desktop.geometry(*id)) ||
        !desktop.waitForColour(desktop.geometry(*id), colour, atLeast))
        return std::nullopt;
    return id;
}
} // namespace

class RoadEndToEnd : public QObject {
    Q_OBJECT
private slots:
    void splashThenMainMenuAfterFiveSeconds() {
        Desktop desktop;
        QVERIFY(desktop.isRunning());
        QElapsedTimer sinceStart; // the splash's timer starts after this, when the splash loads
        sinceStart.start();
        Program program(desktop);
        const auto splash = desktop.waitForSplash();
        QElapsedTimer sinceSeen; // and before this
        sinceSeen.start();
        QVERIFY2(splash.has_value(), qPrintable(desktop.windowTree() + program.describe()));
        const QRect window = desktop.geometry(*splash);
        QCOMPARE(window.size(), QSize(582, 291));
        QVERIFY(centred(window));
        QVERIFY(!desktop.hasWindow(MainTitle));
        // No taskbar entry; nothing asks the window manager for a frame or a title bar.
        const QStringList state = desktop.atoms(*splash, "_NET_WM_STATE");
        QVERIFY2(state.contains(QLatin1String("_NET_WM_STATE_SKIP_TASKBAR")), qPrintable(state.join(' ')));
        QVERIFY(desktop.atoms(*splash, "_NET_WM_WINDOW_TYPE")
                    .contains(QLatin1String("_NET_WM_WINDOW_TYPE_SPLASH")));
        QVERIFY(desktop.waitForColour(window, Red)); // the title
        desktop.keepScreenshot(QStringLiteral("splash"));
        // A click does not close it: the main menu still comes only after five seconds.
        desktop.click(window.center());
        QVERIFY(desktop.waitForWindow(MainTitle, SplashMs + 3000).has_value());
        QVERIFY2(sinceStart.elapsed() >= SplashMs, qPrintable(QString::number(sinceStart.elapsed())));
        QVERIFY2(sinceSeen.elapsed() <= SplashMs + 700, qPrintable(QString::number(sinceSeen.elapsed())));
        QVERIFY(!desktop.splashWindow().has_value());
        program.terminate(); // SIGTERM ends the run at once
        QVERIFY(program.waitForExit(2000));
    }

    void aKeyClosesTheSplashAtOnceAndTheCloseBoxEndsTheRun() {
        Desktop desktop;
        QVERIFY(desktop.isRunning());
        Program program(desktop);
        const auto splash = desktop.waitForSplash();
        QVERIFY2(splash.has_value(), qPrintable(desktop.windowTree() + program.describe()));
        QElapsedTimer clock;
        clock.start();
        desktop.key(*splash, QStringLiteral("a"));
        const auto main = desktop.waitForWindow(MainTitle, 2000);
        QVERIFY(main.has_value());
        QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
        desktop.closeWindow(*main);
        QVERIFY(program.waitForExit(2000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
    }

    void everyWindowOnTheWayAndYesEndsTheRun() {
        Desktop desktop;
        Program program(desktop);
        const auto main = desktop.waitForMainMenu();
        QVERIFY2(main.has_value(), qPrintable(desktop.windowTree() + program.describe()));
        // The client area of 476 x 355 lies under the menu bar; the stop sign is red, the background white.
        const QRect window = desktop.geometry(*main);
        QCOMPARE(window.width(), 476);
        QVERIFY2(window.height() >= 355 + 15 && window.height() <= 355 + 30,
                 qPrintable(desktop.windowTree()));
        QVERIFY(centred(window));
        const QPoint client = desktop.mainMenuClient(*main);
        QVERIFY(desktop.waitForColour(QRect(client + QPoint(80, 250), QSize(20, 20)), Red, 300));
        QCOMPARE(colourAt(desktop.keepScreenshot(QStringLiteral("main-menu")), client + QPoint(240, 180)),
                 QColor(Qt::white));

        // Each activity opens from its button and closes with its close box; the letter explorer takes a
        // letter from the keyboard first: its four corners turn red and its picture shows.
        const struct {
            QString title;
            QPoint button;
            QSize size;
            QColor colour; // of something drawn once it shows
            QString screenshot;
        } activities[] = {
            {QStringLiteral("Wordpot"), {96, 60}, {646, 496}, Qt::magenta, QStringLiteral("letter-explorer")},
            {QStringLiteral("Wordpot"), {376, 60}, {794, 493}, Qt::white, QStringLiteral("spelling-game")},
            {QStringLiteral("Hangman"), {376, 292}, {645, 521}, Red, QStringLiteral("hangman")},
        };
        for (const auto& activity : activities) {
            desktop.click(client + activity.button);
            const auto id = waitForPainted(desktop, activity.title, activity.size, activity.colour);
            QVERIFY2(id.has_value(), qPrintable(desktop.windowTree()));
            if (activity.screenshot == QLatin1String("letter-explorer")) {
                desktop.key(*id, QStringLiteral("j"));
                const QRect explorer = desktop.geometry(*id);
                for (const QPoint corner :
                     {QPoint(24, 48), QPoint(464, 40), QPoint(16, 336), QPoint(456, 344)})
                    QVERIFY(
                        desktop.waitForColour(QRect(explorer.topLeft() + corner, QSize(177, 137)), Red, 500));
                const QRect picture(explorer.topLeft() + QPoint(208, 128), QSize(120, 120));
                QVERIFY(waitUntil(
                    [&] { return countNear(desktop.screenshot(), picture, Qt::white, 10) < 12000; }));
            }
            desktop.keepScreenshot(activity.screenshot);
            desktop.closeWindow(*id);
            QVERIFY(desktop.waitForNoWindow(activity.title, 3000));
        }

        // Help, About, then Escape.
        desktop.key(*main, QStringLiteral("alt+h"));
        QVERIFY(waitUntil([&] { return desktop.popupShown(); }));
        desktop.key(*main, QStringLiteral("Return"));
        const auto about =
            waitForPainted(desktop, QStringLiteral("About Wordpot"), {413, 235}, QColor(0x80, 0, 0));
        QVERIFY2(about.has_value(), qPrintable(desktop.windowTree())); // the note to parents, in dark red
        desktop.keepScreenshot(QStringLiteral("about"));
        desktop.key(*about, QStringLiteral("Escape"));
        QVERIFY(desktop.waitForNoWindow(QStringLiteral("About Wordpot"), 2000));

        // The stop sign, then No.
        desktop.click(client + QPoint(90, 290));
        auto exit = waitForPainted(desktop, QStringLiteral("Exit?"), {389, 343}, Red);
        QVERIFY2(exit.has_value(), qPrintable(desktop.windowTree()));
        desktop.keepScreenshot(QStringLiteral("exit"));
        desktop.click(desktop.geometry(*exit).topLeft() + centreTw(QRect(3120, 3360, 2295, 1335)));
        QVERIFY(desktop.waitForNoWindow(QStringLiteral("Exit?"), 2000));
        QVERIFY(program.isRunning());

        // File, Exit, then Yes: goodbye, and the run ends with status 0.
        desktop.key(*main, QStringLiteral("alt+f"));
        QVERIFY(waitUntil([&] { return desktop.popupShown(); }));
        desktop.key(*main, QStringLiteral("Return"));
        exit = desktop.waitForWindow(QStringLiteral("Exit?"), 3000);
        QVERIFY(exit.has_value());
        desktop.click(desktop.geometry(*exit).topLeft() + centreTw(QRect(240, 3360, 2295, 1335)));
        QVERIFY(program.waitForExit(5000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
    }
};

QTEST_GUILESS_MAIN(RoadEndToEnd)
#include "tst_e2e_road.moc"
