// The real program under X: it starts on its main menu, centred and of its designed size, and ends with
// status 0 from its close box, or at once on SIGTERM.
#include "harness.h"

#include <QElapsedTimer>
#include <QTest>

using namespace e2e;

class MainMenuEndToEnd : public QObject {
    Q_OBJECT
private slots:
    void startsOnTheMainMenuAndItsCloseBoxEndsTheRun() {
        Desktop desktop;
        QVERIFY(desktop.isRunning());
        Program program(desktop);
        const auto id = desktop.waitForMainMenu();
        QVERIFY2(id.has_value(), qPrintable(desktop.windowTree() + program.describe()));
        const QRect window = desktop.geometry(*id);
        QCOMPARE(window.width(), 476);
        // The client area of 476 x 355 lies under the menu bar.
        const int menuHeight = window.height() - 355;
        QVERIFY2(menuHeight >= 15 && menuHeight <= 30, qPrintable(QString::number(window.height())));
        QVERIFY(centred(window));

        // Painted: the stop sign is red above its lettering; the background between the buttons is white.
        const QPoint client = window.topLeft() + QPoint(0, menuHeight);
        const auto painted = [&](const QImage& shot) {
            const QColor stop = colourAt(shot, client + QPoint(90, 258));
            return stop.red() > 180 && stop.green() < 80 && stop.blue() < 80 &&
                   colourAt(shot, client + QPoint(240, 180)) == QColor(Qt::white);
        };
        QVERIFY(painted(desktop.waitForScreen(painted)));
        desktop.keepScreenshot(QStringLiteral("main-menu"));

        QElapsedTimer clock;
        clock.start();
        desktop.closeWindow(*id);
        QVERIFY(program.waitForExit(2000));
        QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
    }

    void sigtermEndsTheRun() {
        Desktop desktop;
        Program program(desktop);
        const auto main = desktop.waitForMainMenu();
        QVERIFY2(main.has_value(), qPrintable(desktop.windowTree() + program.describe()));
        program.terminate();
        QVERIFY(program.waitForExit(2000));
    }
};

QTEST_GUILESS_MAIN(MainMenuEndToEnd)
#include "tst_e2e_main.moc"
