// Word lists in the real program under X: a German list ticked in the Words dialog plays Hangman with its
// alphabet (Ä's tile finds the word's Ä), a game won and one lost, each letter spoken in German by the
// speech service to a private sound server; the choice is there again after a restart, and with the list
// gone the built-in game comes back. A French list given on the command line finds é by E's tile.
#include "app/mainmenulayout.h"
#include "hangman/hangmanlayout.h"
#include "hangman/layout.h"
#include "harness.h"
#include "words/alphabet.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace e2e;
using namespace Qt::StringLiterals;

namespace {
const QColor Yellow(255, 255, 0), Red(255, 0, 0), TileBlue(128, 128, 255);
const QString HangmanTitle = u"Hangman"_s;

void writeList(const QString& path, const QString& locale, const QString& word, const QString& hint) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(uR"(<?xml version="1.0" encoding="UTF-8"?>
<kvtml version="2.0">
  <information><title>Test</title></information>
  <identifiers><identifier id="0"><locale>%1</locale></identifier></identifiers>
  <entries><entry id="0"><translation id="0"><text>%2</text><comment>%3</comment></translation></entry></entries>
</kvtml>
)"_s.arg(locale, word, hint)
                   .toUtf8());
}

} // namespace

class WordsEndToEnd : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_data, m_noData, m_settings;
    // Every run speaks to it, so that no speech service started by a test outlives it or reaches the
    // machine's own sound.
    SoundServer m_sound;
    QString m_german;

    Run run(const QStringList& arguments = {}) const {
        Run run{arguments, m_sound.environment()};
        run.environment.insert(u"XDG_DATA_HOME"_s, m_data.path());
        run.environment.insert(u"XDG_DATA_DIRS"_s, m_noData.path()); // none of the machine's own lists
        run.environment.insert(u"XDG_CONFIG_HOME"_s, m_settings.path());
        return run;
    }

    // Hangman opened from the main menu: its window and its client area's top-left corner on the screen.
    static std::pair<QString, QPoint> openHangman(const Desktop& desktop, const QString& menu) {
        desktop.click(desktop.mainMenuClient(menu) + mainmenu::layout::HangmanButton.center());
        const QSize size =
            forms::sizeTw(hangman::layout::ClientTwips.width(), hangman::layout::ClientTwips.height());
        const auto id = desktop.waitForWindow(HangmanTitle, 5000, size);
        return {id.value_or(QString()), id ? desktop.geometry(*id).topLeft() : QPoint()};
    }

    // Clicks a tile that the word holds and waits for its slot to turn yellow (after the letter is spoken).
    static bool hit(const Desktop& desktop, QPoint client, QRect tile, QRect slot) {
        desktop.click(client + tile.center());
        return desktop.waitForColour(slot.translated(client), Yellow, 100, 8000);
    }
    // Clicks somewhere and waits until an area of the window shows something else.
    static bool changes(const Desktop& desktop, QPoint client, QPoint clicked, QRect area) {
        const QImage before = desktop.screenshot();
        desktop.click(client + clicked);
        return waitUntil(
            [&] { return differingPixels(before, desktop.screenshot(), area.translated(client)) > 50; },
            8000);
    }

private slots:
    void initTestCase() {
        m_german = m_data.filePath(u"apps/kvtml/de/tiere.kvtml"_s);
        writeList(m_german, u"de"_s, u"Bär"_s, u"Er brummt."_s);
    }

    void germanFromTheDialogWonAndLostThenAfterARestart() {
        Desktop desktop;
        QVERIFY(desktop.isRunning());
        const auto alphabet = words::Alphabet::forLanguage(u"de"_s);
        const auto layout = hangman::layoutFor(int(alphabet->letters().size()), 3);
        QVERIFY(layout.has_value());
        const auto tile = [&](const QString& letter) {
            return forms::rectTw(layout->tiles.at(std::size_t(alphabet->letters().indexOf(letter))));
        };
        const auto slot = [&](int i) { return forms::rectTw(layout->wordSlots.at(std::size_t(i))); };
        {
            Program program(desktop, {}, run());
            const auto menu = desktop.waitForMainMenu();
            E2E_VERIFY2(menu.has_value(), desktop.windowTree() + program.describe());
            // Words, Choose words...: the list, Wordpot's own words ticked, then Deutsch and its Tiere.
            desktop.key(*menu, u"alt+w"_s);
            QVERIFY(waitUntil([&] { return desktop.popupShown(); }));
            desktop.key(*menu, u"Return"_s);
            const auto dialog = desktop.waitForWindow(u"Words"_s, 5000);
            QVERIFY(dialog.has_value());
            for (const QString& key : {u"Home"_s, u"Down"_s, u"Down"_s, u"space"_s})
                desktop.key(*dialog, key);
            desktop.keepScreenshot(u"words-dialog"_s);
            desktop.key(*dialog, u"Return"_s);
            QVERIFY(desktop.waitForNoWindow(u"Words"_s, 3000));

            const auto [hangman, client] = openHangman(desktop, *menu);
            QVERIFY(!hangman.isEmpty());
            // German's 30 letters stand in two rows.
            QVERIFY(desktop.waitForColour(tile(u"Z"_s).translated(client), TileBlue, 100));
            desktop.keepScreenshot(u"hangman-de"_s);

            // A letter is spoken before its slots fill (once the speech service has started): B is heard.
            const QString heard = QDir(m_settings.path()).filePath(u"heard.raw"_s);
            {
                const x11driver::Helper recorder = m_sound.record(heard);
                QVERIFY(waitUntil([&] { return QFile::exists(heard); }));
                QVERIFY(hit(desktop, client, tile(u"B"_s), slot(0)));
                // Qt's speech engine reads every voice of the service when it starts, which takes seconds of
                // a busy machine: the window does not wait for that (its slots fill), the test does.
                E2E_VERIFY2(waitUntil([&] { return SoundServer::loudest(heard) > 1000; }, 30000),
                            u"the letter was not heard\n"_s + program.describe());
            }
            QVERIFY(hit(desktop, client, tile(u"Ä"_s), slot(1)));
            QVERIFY(hit(desktop, client, tile(u"R"_s), slot(2)));
            QVERIFY(desktop.waitForColour(hangman::layout::TryAgainButton.translated(client), Qt::black, 50));

            // At the hard level five misses lose it: what was covered shows in red.
            const QRect level = hangman::layout::DifficultyButton;
            for (int i = 0; i < 2; ++i)
                QVERIFY(changes(desktop, client, level.center(), level));
            const QRect count = hangman::layout::CountArea.translated(0, forms::px(layout->countDrop));
            for (const QString& miss : {u"C"_s, u"D"_s, u"E"_s, u"F"_s})
                QVERIFY(changes(desktop, client, tile(miss).center(), count));
            desktop.click(client + tile(u"G"_s).center());
            QVERIFY(desktop.waitForColour(slot(1).translated(client), Red, 100, 8000));
            desktop.keepScreenshot(u"hangman-de-lost"_s);
            program.terminate();
            QVERIFY(program.waitForExit(5000));
        }
        {
            // The choice was remembered: after a restart the German tiles are there again.
            Program program(desktop, {}, run());
            const auto menu = desktop.waitForMainMenu();
            E2E_VERIFY2(menu.has_value(), desktop.windowTree() + program.describe());
            const auto [hangman, client] = openHangman(desktop, *menu);
            QVERIFY(!hangman.isEmpty());
            QVERIFY(desktop.waitForColour(tile(u"Z"_s).translated(client), TileBlue, 100));
            program.terminate();
            QVERIFY(program.waitForExit(5000));
        }
    }

    // With the chosen list gone, Hangman plays its own words: one row of A to Z and nothing below it.
    void withTheListGoneTheBuiltInGame() {
        QTemporaryDir copy;
        const QString list = copy.filePath(u"tiere.kvtml"_s);
        writeList(list, u"de"_s, u"Bär"_s, u"Er brummt."_s);
        Desktop desktop;
        QVERIFY(desktop.isRunning());
        {
            Program program(desktop, {}, run({list}));
            QVERIFY(desktop.waitForMainMenu().has_value());
            program.terminate();
            QVERIFY(program.waitForExit(5000));
        }
        QVERIFY(QFile::remove(list));
        Program program(desktop, {}, run());
        const auto menu = desktop.waitForMainMenu();
        E2E_VERIFY2(menu.has_value(), desktop.windowTree() + program.describe());
        const auto [hangman, client] = openHangman(desktop, *menu);
        QVERIFY(!hangman.isEmpty());
        QVERIFY(desktop.waitForColour(hangman::layout::tile(25).translated(client), TileBlue, 100));
        const QRect secondRow(hangman::layout::tile(0).bottomLeft() + QPoint(0, 4), QSize(600, 30));
        QCOMPARE(countNear(desktop.screenshot(), secondRow.translated(client), TileBlue), 0);
        QVERIFY(waitUntil([&] { return program.standardError().contains(u"no longer there"_s); }));
    }

    // A French list given on the command line: é is E's tile, and one click finds both.
    void frenchFromTheCommandLine() {
        QTemporaryDir folder;
        const QString list = folder.filePath(u"ete.kvtml"_s);
        writeList(list, u"fr"_s, u"été"_s, u"La saison chaude."_s);
        Desktop desktop;
        QVERIFY(desktop.isRunning());
        Program program(desktop, {}, run({list}));
        const auto menu = desktop.waitForMainMenu();
        E2E_VERIFY2(menu.has_value(), desktop.windowTree() + program.describe());
        const auto [hangman, client] = openHangman(desktop, *menu);
        QVERIFY(!hangman.isEmpty());
        const auto alphabet = words::Alphabet::forLanguage(u"fr"_s);
        QCOMPARE(alphabet->letters().size(), 26);
        const auto layout = hangman::layoutFor(26, 3);
        const QRect first = forms::rectTw(layout->wordSlots[0]), last = forms::rectTw(layout->wordSlots[2]);
        QVERIFY(desktop.waitForColour(hangman::layout::tile(25).translated(client), TileBlue, 100));
        QVERIFY(hit(desktop, client, hangman::layout::tile(4), first));
        QVERIFY(countNear(desktop.screenshot(), last.translated(client), Yellow, 60) > 40);
        desktop.keepScreenshot(u"hangman-fr"_s);
    }
};

QTEST_GUILESS_MAIN(WordsEndToEnd)
#include "tst_e2e_words.moc"
