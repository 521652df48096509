// Hangman in the real program under X: opened from the main menu with 15 circles and the word's empty
// slots; one game played to a win with the mouse and, after two access keys in a row, one to a loss with
// the keyboard, each ending with Try Again; the stop sign brings back the main menu.
#include "hangman/hangmanwords.h"
#include "harness.h"

#include <map>
#include <QTest>
#include <set>

using namespace e2e;

namespace {
constexpr QSize ClientSize(645, 521);
constexpr QPoint HangmanButton(376, 292); // on the main menu's client area
// The window's layout in pixels (15 twips to a pixel).
constexpr QRect CountArea(376, 48, 257, 201);
constexpr QRect TryAgainArea(8, 416, 233, 89);
constexpr QPoint StopSign(322, 458);
QPoint tileCentre(char letter) {
    return {20 + 24 * (letter - 'A'), 24};
}
QPoint circleCentre(int index) {
    const QPoint spots[] = {{0, 88}, {80, 88}, {0, 168}, {80, 168}, {40, 128}};
    return QPoint(32 + 120 * (index / 5), 16) + spots[index % 5];
}

bool isWhite(const QColor& colour) {
    return colour.red() > 240 && colour.green() > 240 && colour.blue() > 240;
}

// What the slots show: '-' an empty (black) slot, 'y' a found letter, 'r' a revealed one, ' ' no slot.
QString slotsIn(const QImage& client) {
    QString state;
    for (int i = 0; i < 7; ++i) {
        const QRect slot(16 + 88 * i, 272, 81, 113);
        state += isWhite(colourAt(client, slot.topLeft() + QPoint(2, 2))) ? u' '
                 : countNear(client, slot, QColor(255, 255, 0), 60) > 40  ? u'y'
                 : countNear(client, slot, QColor(255, 0, 0), 60) > 40    ? u'r'
                                                                          : u'-';
    }
    return state;
}

int circlesIn(const QImage& client) {
    int circles = 0;
    for (int i = 0; i < 15; ++i)
        circles += isWhite(colourAt(client, circleCentre(i))) ? 0 : 1;
    return circles;
}

bool tryAgainShown(const QImage& client) {
    return countNear(client, TryAgainArea, Qt::white, 8) <
           TryAgainArea.width() * TryAgainArea.height() * 9 / 10;
}
} // namespace

class HangmanEndToEnd : public QObject {
    Q_OBJECT
private:
    Desktop* m_desktop = nullptr;
    QString m_window;
    QPoint m_client;

    QImage clientShot(const QString& keepAs = {}) const {
        const QImage screen = keepAs.isEmpty() ? m_desktop->screenshot() : m_desktop->keepScreenshot(keepAs);
        return screen.copy(QRect(m_client, ClientSize));
    }

    // Guesses a letter by its tile or its key and waits until the window has answered it in full: the tile
    // gone and then the count rewritten after a miss's snare, a slot filled by a hit, or Try Again shown
    // after a completed word's fanfare. Only then does the program take input again: what is given while a
    // sound blocks it is dropped.
    QImage guess(char letter, bool byKey) {
        const QImage before = clientShot();
        if (byKey)
            m_desktop->key(m_window, QString(QChar::fromLatin1(letter)).toLower());
        else
            m_desktop->click(m_client + tileCentre(letter));
        return waitUntil(
                   [&] {
                       const QImage now = clientShot();
                       const bool filled = slotsIn(now) != slotsIn(before);
                       const bool complete = !slotsIn(now).contains(u'-');
                       return isWhite(colourAt(now, tileCentre(letter))) &&
                              (differingPixels(now, before, CountArea) > 200 ||
                               (filled && (!complete || tryAgainShown(now))));
                   },
                   15000)
                   ? clientShot()
                   : QImage();
    }

private slots:
    void playsAWonAndALostGame() {
        Desktop desktop;
        QVERIFY(desktop.isRunning());
        m_desktop = &desktop;
        Program program(desktop);
        const auto menu = desktop.waitForMainMenu();
        E2E_VERIFY2(menu.has_value(), desktop.windowTree() + program.describe());
        desktop.click(desktop.mainMenuClient(*menu) + HangmanButton);
        const auto id = desktop.waitForWindow(QStringLiteral("Hangman"), 5000, ClientSize);
        QVERIFY2(id.has_value(), qPrintable(desktop.windowTree()));
        m_window = *id;
        m_client = desktop.geometry(m_window).topLeft();

        QVERIFY(waitUntil([&] { return circlesIn(clientShot()) == 15; }));
        QImage client = clientShot(QStringLiteral("hangman-start"));
        const QString empty = slotsIn(client);
        const int length = int(empty.trimmed().size());
        QVERIFY2(length >= 3 && empty == QString(length, u'-') + QString(7 - length, u' '),
                 qPrintable(empty));
        QVERIFY(countNear(client, CountArea, Qt::red, 60) > 200);
        QVERIFY(!tryAgainShown(client));

        // A won game, with the mouse: each guess is the letter of most of the words that still fit what
        // the slots have shown, so a game at the easy level is always won.
        std::vector<std::string_view> words;
        std::copy_if(hangman::HangmanWords.begin(), hangman::HangmanWords.end(), std::back_inserter(words),
                     [length](std::string_view word) { return int(word.size()) == length; });
        std::set<char> guessed;
        QString trace = empty; // what each guess showed, for a failure message
        while (!tryAgainShown(client) && guessed.size() < 26) {
            std::map<char, int> counts;
            for (const std::string_view word : words)
                for (const char letter : std::set<char>(word.begin(), word.end()))
                    counts[letter] += guessed.contains(letter) ? 0 : 1;
            const char letter = std::max_element(counts.begin(), counts.end(), [](auto a, auto b) {
                                    return a.second < b.second;
                                })->first;
            const QString before = slotsIn(client);
            client = guess(letter, false);
            QVERIFY2(!client.isNull(), qPrintable(trace + u' ' + QChar::fromLatin1(letter)));
            const QString now = slotsIn(client);
            trace += QStringLiteral(" %1:%2").arg(QChar::fromLatin1(letter), now);
            guessed.insert(letter);
            std::erase_if(words, [&](std::string_view word) {
                for (int i = 0; i < length; ++i)
                    if ((word[std::size_t(i)] == letter) != (now[i] != before[i]))
                        return true;
                return false;
            });
            if (guessed.size() == 3)
                clientShot(QStringLiteral("hangman-in-progress"));
        }
        client = clientShot(QStringLiteral("hangman-won"));
        QVERIFY2(tryAgainShown(client), qPrintable(trace));
        QCOMPARE(slotsIn(client).trimmed(), QString(length, u'y'));

        // Two access keys in a row: easy to medium to hard, each starting a new game.
        desktop.key(m_window, QStringLiteral("alt+e"));
        desktop.key(m_window, QStringLiteral("alt+m"));
        QVERIFY(waitUntil([&] { return !tryAgainShown(client = clientShot()) && circlesIn(client) == 5; }));
        // A lost game with the keyboard: none of these letters is a vowel, so every word misses at least
        // five of them.
        for (const char letter : std::string_view("QJXZVKWYFBGP")) {
            if (tryAgainShown(client))
                break;
            client = guess(letter, true);
            QVERIFY2(!client.isNull(), QByteArray(1, letter).constData());
        }
        client = clientShot(QStringLiteral("hangman-lost"));
        QVERIFY(tryAgainShown(client));
        QVERIFY2(slotsIn(client).contains(u'r'), qPrintable(slotsIn(client)));

        // The stop sign closes the game; the main menu's close box then ends the run.
        desktop.click(m_client + StopSign);
        QVERIFY(desktop.waitForNoWindow(QStringLiteral("Hangman")));
        desktop.closeWindow(*menu);
        QVERIFY(program.waitForExit(3000));
        QVERIFY2(program.exitStatus() == QProcess::NormalExit && program.exitCode() == 0,
                 qPrintable(program.standardError()));
    }
};

QTEST_GUILESS_MAIN(HangmanEndToEnd)
#include "tst_e2e_hangman.moc"
