// The whole road on the real program: the splash and the main menu after it; each activity opened from
// its button and closed by its close box, a letter typed in the letter explorer; the about box; the exit
// confirmation answered No and then Yes, and the end of the run; SIGTERM ends it too. The road runs again
// at 200 % and under a window manager, whose close box ends it.
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

// Waits for a window of this title and of this size at 100 % (scaled whole), centred, with something of
// this colour drawn in it, and with these decorations.
std::optional<QString> waitForPainted(const Desktop& desktop, const QString& title, QSize size,
                                      const QColor& colour, const QString& decorations, qreal scale = 1) {
    const auto id = desktop.waitForWindow(title, 5000, size * scale);
    const QRect window = id ? desktop.geometry(*id) : QRect();
    if (!id || !centred(QRect(window.topLeft() / scale, size)) ||
        !desktop.waitForColour(window, colour, int(200 * scale * scale)))
        return std::nullopt;
    return desktop.decorations(*id) == decorations ? id : std::nullopt;
}
} // namespace

class RoadEndToEnd : public QObject {
    Q_OBJECT
private:
    // Under a window manager the program's windows go out of sight and come back together while a modal
    // one runs: Hangman, maximised and minimised, takes the main menu with it; the main menu brought back
    // from the taskbar brings Hangman back, still maximised; closed while minimised, it gives the main menu
    // back, where it stood (the window manager animates a window back from its taskbar entry).
    void minimiseTogether(const Desktop& desktop, const QString& main, const QString& hangman) {
        const QRect place = desktop.geometry(main);
        const auto state = [&](const QString& window) { return desktop.mapState(window); };
        const auto maximised = [&] {
            const QStringList state = desktop.atoms(hangman, "_NET_WM_STATE");
            return state.contains(QLatin1String("_NET_WM_STATE_MAXIMIZED_VERT")) &&
                   state.contains(QLatin1String("_NET_WM_STATE_MAXIMIZED_HORZ"));
        };
        using enum Desktop::MapState;
        desktop.maximize(hangman);
        QVERIFY(waitUntil(maximised));
        desktop.minimize(hangman);
        QVERIFY2(waitUntil([&] { return state(hangman) == Unmapped && state(main) == Unmapped; }),
                 qPrintable(desktop.windowTree()));
        desktop.activate(main);
        QVERIFY2(waitUntil([&] { return state(hangman) == Viewable && state(main) == Viewable; }),
                 qPrintable(desktop.windowTree()));
        QVERIFY(desktop.syncWindowManager());
        QVERIFY2(maximised(), qPrintable(desktop.atoms(hangman, "_NET_WM_STATE").join(' ')));
        desktop.minimize(hangman);
        QVERIFY(waitUntil([&] { return state(hangman) == Unmapped && state(main) == Unmapped; }));
        desktop.closeWindow(hangman);
        QVERIFY2(waitUntil([&] {
                     return state(main) == Viewable && desktop.geometry(main) == place &&
                            state(hangman) != Viewable;
                 }),
                 qPrintable(desktop.windowTree()));
    }

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
        QVERIFY(centred(window));
        QVERIFY(!desktop.hasWindow(MainTitle));
        // No taskbar entry (that it asks for no frame or title bar is checked on the road).
        const QStringList state = desktop.atoms(*splash, "_NET_WM_STATE");
        QVERIFY2(state.contains(QLatin1String("_NET_WM_STATE_SKIP_TASKBAR")), qPrintable(state.join(' ')));
        // A click does not close it: the main menu still comes only after five seconds.
        desktop.click(window.center());
        QVERIFY(desktop.waitForWindow(MainTitle, SplashMs + 3000).has_value());
        QVERIFY2(sinceStart.elapsed() >= SplashMs, qPrintable(QString::number(sinceStart.elapsed())));
        QVERIFY2(sinceSeen.elapsed() <= SplashMs + 700, qPrintable(QString::number(sinceSeen.elapsed())));
        QVERIFY(!desktop.splashWindow().has_value());
        program.terminate(); // SIGTERM ends the run at once
        QVERIFY(program.waitForExit(2000));
    }

    // The road at 100 %, scaled whole at 200 % (on a screen twice as large), and under a window manager,
    // which draws the title bars and close boxes.
    void everyWindowOnTheWayAndYesEndsTheRun_data() {
        QTest::addColumn<DesktopSetup>("setup");
        QTest::newRow("100 %") << DesktopSetup{};
        QTest::newRow("200 %") << DesktopSetup{.screen = ScreenSize * 2, .scaleFactor = QStringLiteral("2")};
        QTest::newRow("openbox") << DesktopSetup{.windowManager = true};
    }
    void everyWindowOnTheWayAndYesEndsTheRun() {
        QFETCH(DesktopSetup, setup);
        const qreal s = qreal(setup.screen.width()) / ScreenSize.width();
        const QString shot = QString(QTest::currentDataTag()).remove(' ').remove('%').prepend('-');
        Desktop desktop(setup);
        const auto keep = [&](const char* name) {
            return desktop.keepScreenshot(name + (s == 1 && !setup.windowManager ? QString() : shot));
        };
        QVERIFY(desktop.isRunning());
        Program program(desktop);
        // A key closes the splash at once.
        const auto splash = desktop.waitForSplash();
        QVERIFY2(splash.has_value(), qPrintable(desktop.windowTree() + program.describe()));
        QCOMPARE(desktop.geometry(*splash).size(), QSize(582, 291) * s);
        QVERIFY(desktop.waitForColour(desktop.geometry(*splash), Red, int(200 * s * s)));
        QCOMPARE(desktop.decorations(*splash), QString());
        keep("splash");
        desktop.key(*splash, QStringLiteral("a"));
        const auto main = desktop.waitForWindow(MainTitle, 2000);
        QVERIFY2(main.has_value(), qPrintable(desktop.windowTree() + program.describe()));
        // The client area of 476 x 355 lies under the menu bar; the stop sign is red, the background white.
        const QRect window = desktop.geometry(*main);
        QCOMPARE(window.width(), 476 * s);
        QVERIFY2(window.height() >= (355 + 15) * s && window.height() <= (355 + 30) * s,
                 qPrintable(desktop.windowTree()));
        QVERIFY(centred(QRect(window.topLeft() / s, window.size() / s)));
        QCOMPARE(desktop.decorations(*main), QStringLiteral("title close"));
        const QPoint client = window.topLeft() + QPoint(0, window.height() - 355 * s);
        QVERIFY(
            desktop.waitForColour(QRect(client + QPoint(80, 250) * s, QSize(20, 20) * s), Red, 300 * s * s));
        QCOMPARE(colourAt(keep("main-menu"), client + QPoint(240, 180) * s), QColor(Qt::white));

        // Each activity opens from its button and closes with its close box; the letter explorer takes a
        // letter from the keyboard first: its four corners turn red and its picture shows.
        const struct {
            const char* title;
            QPoint button;
            QSize size;
            QColor colour; // of something drawn once it shows
            const char* screenshot;
            const char* decorations;
        } activities[] = {
            {"Wordpot", {96, 60}, {646, 496}, Qt::magenta, "letter-explorer", "title close"},
            {"Wordpot", {376, 60}, {794, 493}, Qt::white, "spelling-game", "title close"},
            {"Hangman", {376, 292}, {645, 521}, Red, "hangman", "title close minimize maximize sizable"},
        };
        for (const auto& activity : activities) {
            desktop.click(client + activity.button * s);
            const auto id = waitForPainted(desktop, activity.title, activity.size, activity.colour,
                                           activity.decorations, s);
            QVERIFY2(id.has_value(), qPrintable(desktop.windowTree()));
            if (activity.screenshot == QLatin1String("letter-explorer")) {
                desktop.key(*id, QStringLiteral("j"));
                const QRect explorer = desktop.geometry(*id);
                for (const QPoint corner :
                     {QPoint(24, 48), QPoint(464, 40), QPoint(16, 336), QPoint(456, 344)})
                    QVERIFY(desktop.waitForColour(QRect(explorer.topLeft() + corner * s, QSize(177, 137) * s),
                                                  Red, 500 * s * s));
                const QRect picture(explorer.topLeft() + QPoint(208, 128) * s, QSize(120, 120) * s);
                QVERIFY(waitUntil(
                    [&] { return countNear(desktop.screenshot(), picture, Qt::white, 10) < 12000 * s * s; }));
            }
            keep(activity.screenshot);
            if (setup.windowManager && activity.screenshot == QLatin1String("hangman")) {
                minimiseTogether(desktop, *main, *id); // and closes Hangman
                if (QTest::currentTestFailed())
                    return;
            } else {
                desktop.closeWindow(*id);
            }
            QVERIFY(desktop.waitForNoWindow(activity.title, 3000));
        }

        // Help, About, then Escape.
        desktop.key(*main, QStringLiteral("alt+h"));
        QVERIFY(waitUntil([&] { return desktop.popupShown(); }));
        desktop.key(*main, QStringLiteral("Return"));
        const auto about = waitForPainted(desktop, QStringLiteral("About Wordpot"), {413, 235},
                                          QColor(0x80, 0, 0), QStringLiteral("title close"), s);
        QVERIFY2(about.has_value(), qPrintable(desktop.windowTree())); // the note to parents, in dark red
        keep("about");
        desktop.key(*about, QStringLiteral("Escape"));
        QVERIFY(desktop.waitForNoWindow(QStringLiteral("About Wordpot"), 2000));

        // The stop sign; the question keeps the keyboard when the main menu is clicked; then No by its key.
        desktop.click(client + QPoint(90, 290) * s);
        auto exit = waitForPainted(desktop, QStringLiteral("Exit?"), {389, 343}, Red, "title close", s);
        QVERIFY2(exit.has_value(), qPrintable(desktop.windowTree()));
        keep("exit");
        desktop.click(client + QPoint(20, 150) * s);
        desktop.key(*exit, QStringLiteral("alt+n"));
        QVERIFY(desktop.waitForNoWindow(QStringLiteral("Exit?"), 2000));
        QVERIFY(program.isRunning());

        if (setup.windowManager) { // the close box the window manager drew ends the run
            const QList<long> frame =
                desktop.numbers(*main, "_NET_FRAME_EXTENTS"); // left, right, top, bottom
            desktop.click(
                QPoint(window.right() + int(frame.value(1)) - 10, window.top() - int(frame.value(2)) / 2));
        } else { // File, Exit, then Yes: goodbye, and the run ends with status 0.
            desktop.key(*main, QStringLiteral("alt+f"));
            QVERIFY(waitUntil([&] { return desktop.popupShown(); }));
            desktop.key(*main, QStringLiteral("Return"));
            exit = desktop.waitForWindow(QStringLiteral("Exit?"), 3000);
            QVERIFY(exit.has_value());
            desktop.click(desktop.geometry(*exit).topLeft() + centreTw(QRect(240, 3360, 2295, 1335)) * s);
        }
        QVERIFY(program.waitForExit(5000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
    }
};

QTEST_GUILESS_MAIN(RoadEndToEnd)
#include "tst_e2e_road.moc"
