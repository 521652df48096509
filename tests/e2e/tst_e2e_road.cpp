// The whole road on the real program: the splash, the main menu after it, each activity opened and closed,
// the about box, the exit confirmation answered No and then Yes, and the end of the run.
#include "harness.h"

#include <QElapsedTimer>
#include <QTest>

using namespace e2e;

namespace {
constexpr int SplashMs = 5000;
const QColor Red(255, 0, 0);

QPoint centreOf(QRect twips) {
    return QPoint((twips.x() + twips.width() / 2) / 15, (twips.y() + twips.height() / 2) / 15);
}

// Waits until something of this colour is drawn inside the window.
bool painted(const Desktop& desktop, const QString& id, const QColor& colour) {
    const QRect area = desktop.geometry(id);
    return countNear(desktop.waitForScreen([&](const QImage& s) { return countNear(s, area, colour) > 200; }),
                     area, colour) > 200;
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
        QVERIFY(!desktop.hasWindow(QStringLiteral("Welcome to Wordpot")));
        // No taskbar entry; nothing asks the window manager for a frame or a title bar.
        const QStringList state = desktop.atoms(*splash, "_NET_WM_STATE");
        QVERIFY2(state.contains(QLatin1String("_NET_WM_STATE_SKIP_TASKBAR")), qPrintable(state.join(' ')));
        QVERIFY(desktop.atoms(*splash, "_NET_WM_WINDOW_TYPE")
                    .contains(QLatin1String("_NET_WM_WINDOW_TYPE_SPLASH")));
        QVERIFY(painted(desktop, *splash, Red)); // the title
        desktop.keepScreenshot(QStringLiteral("splash"));
        // A click does not close it: the main menu still comes only after five seconds.
        desktop.click(window.center());
        const auto main = desktop.waitForWindow(QStringLiteral("Welcome to Wordpot"), SplashMs + 3000);
        QVERIFY(main.has_value());
        QVERIFY2(sinceStart.elapsed() >= SplashMs, qPrintable(QString::number(sinceStart.elapsed())));
        QVERIFY2(sinceSeen.elapsed() <= SplashMs + 700, qPrintable(QString::number(sinceSeen.elapsed())));
        QVERIFY(!desktop.splashWindow().has_value());
    }

    void aKeyClosesTheSplashAtOnce() {
        Desktop desktop;
        QVERIFY(desktop.isRunning());
        Program program(desktop);
        const auto splash = desktop.waitForSplash();
        QVERIFY2(splash.has_value(), qPrintable(desktop.windowTree() + program.describe()));
        QElapsedTimer clock;
        clock.start();
        desktop.key(*splash, QStringLiteral("a"));
        QVERIFY(desktop.waitForWindow(QStringLiteral("Welcome to Wordpot"), 2000).has_value());
        QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
    }

    void activitiesAboutNoThenYesEndTheRun() {
        Desktop desktop;
        Program program(desktop);
        const auto main = desktop.waitForMainMenu();
        QVERIFY2(main.has_value(), qPrintable(desktop.windowTree() + program.describe()));
        const QPoint client = desktop.mainMenuClient(*main);

        // Each activity opens from its button and closes with its close box.
        const struct {
            QString title;
            QPoint button;
            QSize client;
        } activities[] = {{QStringLiteral("Wordpot"), {96, 60}, {646, 496}},
                          {QStringLiteral("Wordpot"), {376, 60}, {794, 493}},
                          {QStringLiteral("Hangman"), {376, 292}, {645, 521}}};
        for (const auto& activity : activities) {
            desktop.click(client + activity.button);
            const auto window = desktop.waitForWindow(activity.title, 5000);
            QVERIFY2(window.has_value(), qPrintable(desktop.windowTree()));
            QCOMPARE(desktop.geometry(*window).size(), activity.client);
            QVERIFY(centred(desktop.geometry(*window)));
            desktop.closeWindow(*window);
            QVERIFY(desktop.waitForNoWindow(activity.title, 3000));
        }

        // Help, About, then Escape.
        desktop.key(*main, QStringLiteral("alt+h"));
        QVERIFY(waitUntil([&] { return desktop.popupShown(); }));
        desktop.key(*main, QStringLiteral("Return"));
        const auto about = desktop.waitForWindow(QStringLiteral("About Wordpot"), 3000);
        QVERIFY(about.has_value());
        QCOMPARE(desktop.geometry(*about).size(), QSize(413, 235));
        QVERIFY(centred(desktop.geometry(*about)));
        QVERIFY(painted(desktop, *about, QColor(0x80, 0, 0))); // the note to parents
        desktop.keepScreenshot(QStringLiteral("about"));
        desktop.key(*about, QStringLiteral("Escape"));
        QVERIFY(desktop.waitForNoWindow(QStringLiteral("About Wordpot"), 2000));

        // The stop sign, then No.
        desktop.click(client + QPoint(90, 290));
        auto exit = desktop.waitForWindow(QStringLiteral("Exit?"), 3000);
        QVERIFY(exit.has_value());
        const QRect exitWindow = desktop.geometry(*exit);
        QCOMPARE(exitWindow.size(), QSize(389, 343));
        QVERIFY(centred(exitWindow));
        QVERIFY(painted(desktop, *exit, Red)); // the stop sign
        desktop.keepScreenshot(QStringLiteral("exit"));
        desktop.click(exitWindow.topLeft() + centreOf(QRect(3120, 3360, 2295, 1335)));
        QVERIFY(desktop.waitForNoWindow(QStringLiteral("Exit?"), 2000));
        QVERIFY(program.isRunning());

        // File, Exit, then Yes: goodbye, and the run ends with status 0.
        desktop.key(*main, QStringLiteral("alt+f"));
        QVERIFY(waitUntil([&] { return desktop.popupShown(); }));
        desktop.key(*main, QStringLiteral("Return"));
        exit = desktop.waitForWindow(QStringLiteral("Exit?"), 3000);
        QVERIFY(exit.has_value());
        desktop.click(desktop.geometry(*exit).topLeft() + centreOf(QRect(240, 3360, 2295, 1335)));
        QVERIFY(program.waitForExit(5000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
    }
};

QTEST_GUILESS_MAIN(RoadEndToEnd)
#include "tst_e2e_road.moc"
