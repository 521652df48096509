// The letter explorer in the real program under X: opened from the main menu, a letter typed on the
// keyboard shows its big letters and picture, a click on the picture a second later writes the word, and
// the stop sign gives the main menu back.
#include "harness.h"

#include <QElapsedTimer>
#include <QTest>

using namespace e2e;

namespace {
constexpr QSize ExplorerClient(646, 496);
// Client coordinates, in pixels.
constexpr QPoint ABCButtonCentre(96, 60);
constexpr QPoint FirstTile(9, 30);
constexpr QPoint StopSignCentre(98, 242);
constexpr QPoint InsidePicture(248, 168);
constexpr QRect PictureArea(208, 128, 120, 120);
constexpr QRect WordFirstLine(232, 344, 169, 44);
constexpr QRect WordSecondLine(232, 388, 169, 44);
constexpr QRect RedLetters[] = {
    {24, 48, 177, 145}, {464, 40, 177, 145}, {16, 336, 177, 137}, {456, 344, 177, 145}};
const QColor Red(255, 0, 0);
const QColor LightBlue(0x80, 0x80, 0xFF);
const QColor Magenta(255, 0, 255);
// The picture answers clicks once its one-second timer has ticked; two periods leave room for a late tick.
constexpr int ArmedAfterMs = 2000;

int notWhite(const QImage& image, QRect area) {
    return area.width() * area.height() - countNear(image, area, Qt::white, 10);
}
} // namespace

class LetterExplorerEndToEnd : public QObject {
    Q_OBJECT
private slots:
    void exploresALetterAndReturnsToTheMainMenu() {
        Desktop desktop;
        QVERIFY(desktop.isRunning());
        Program program(desktop);
        const auto mainId = desktop.waitForMainMenu();
        QVERIFY2(mainId.has_value(), qPrintable(program.standardError()));
        const QPoint mainClient = desktop.mainMenuClient(*mainId);

        desktop.click(mainClient + ABCButtonCentre);
        const auto id = desktop.waitForWindow(QStringLiteral("Wordpot"));
        QVERIFY2(id.has_value(), qPrintable(program.standardError()));
        QElapsedTimer sinceOpen;
        sinceOpen.start();
        const QRect window = desktop.geometry(*id);
        QCOMPARE(window.size(), ExplorerClient);
        QVERIFY(centred(window));
        const QPoint client = window.topLeft();

        const auto tilesShown = [&](const QImage& shot) {
            return colourAt(shot, client + FirstTile) == Magenta;
        };
        QImage shot = desktop.waitForScreen(tilesShown);
        QVERIFY(tilesShown(shot));
        desktop.keepScreenshot(QStringLiteral("abc-open"));
        for (const QRect& area : RedLetters)
            QCOMPARE(countNear(shot, area.translated(client), Red), 0);

        desktop.key(*id, QStringLiteral("j"));
        const auto lettersShown = [&](const QImage& shot) {
            for (const QRect& area : RedLetters) {
                const QRect onScreen = area.translated(client);
                if (countNear(shot, onScreen, Red) <= 500 || countNear(shot, onScreen, LightBlue, 20) <= 50)
                    return false;
            }
            return notWhite(shot, PictureArea.translated(client)) > 2000;
        };
        shot = desktop.waitForScreen(lettersShown);
        QVERIFY(lettersShown(shot));
        desktop.keepScreenshot(QStringLiteral("abc-letter"));
        QCOMPARE(notWhite(shot, WordFirstLine.translated(client)), 0);

        QTest::qWait(std::max<int>(0, ArmedAfterMs - int(sinceOpen.elapsed())));
        desktop.click(client + InsidePicture);
        // "Jelly Beans" is wider than its label: one word on each line.
        const auto wordShown = [&](const QImage& shot) {
            return notWhite(shot, WordFirstLine.translated(client)) > 200 &&
                   notWhite(shot, WordSecondLine.translated(client)) > 200;
        };
        QVERIFY(wordShown(desktop.waitForScreen(wordShown)));
        desktop.keepScreenshot(QStringLiteral("abc-word"));

        desktop.click(client + StopSignCentre);
        QVERIFY(desktop.waitForNoWindow(QStringLiteral("Wordpot")));
        // The main menu takes input again: its button opens the explorer once more, empty.
        desktop.click(mainClient + ABCButtonCentre);
        const auto again = desktop.waitForWindow(QStringLiteral("Wordpot"));
        QVERIFY(again.has_value());
        shot = desktop.waitForScreen(tilesShown);
        QVERIFY(tilesShown(shot));
        QCOMPARE(notWhite(shot, PictureArea.translated(client)), 0);
        desktop.closeWindow(*again);
        QVERIFY(desktop.waitForNoWindow(QStringLiteral("Wordpot")));

        desktop.closeWindow(*mainId);
        QVERIFY(program.waitForExit(3000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
    }
};

QTEST_GUILESS_MAIN(LetterExplorerEndToEnd)
#include "tst_e2e_abc.moc"
