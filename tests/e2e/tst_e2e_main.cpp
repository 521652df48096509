// The real program under X: it starts on its main menu, centred and of its designed size, and ends with
// status 0 from its close box, or at once on SIGTERM.
#include "harness.h"

#include <QElapsedTimer>
#include <QTest>

using namespace e2e;

namespace {
constexpr QSize ScreenSize(1024, 768);
} // namespace

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
        QCOMPARE(window.x(), (ScreenSize.width() - window.width()) / 2);
        QCOMPARE(window.y(), (ScreenSize.height() - window.height()) / 2);

        QTest::qWait(300); // let it paint
        const QImage shot = desktop.keepScreenshot(QStringLiteral("main-menu"));
        const QPoint client = window.topLeft() + QPoint(0, menuHeight);
        // The stop sign is red above its lettering; the background between the buttons is white.
        const QColor stop = colourAt(shot, client + QPoint(90, 258));
        QVERIFY2(stop.red() > 180 && stop.green() < 80 && stop.blue() < 80, qPrintable(stop.name()));
        QCOMPARE(colourAt(shot, client + QPoint(240, 180)), QColor(Qt::white));

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
