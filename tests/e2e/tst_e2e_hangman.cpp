// Hangman in the real program under X: opened from the main menu, centred and of its designed size with
// 15 circles and the word's empty slots; one game played to a win with the mouse and one to a loss with
// the keyboard, each ending with Try Again; the stop sign brings back the main menu.
#include "hangman/hangmanwords.h"
#include "harness.h"

#include <map>
#include <QElapsedTimer>
#include <QTest>
#include <set>

using namespace e2e;

namespace {
constexpr QSize ClientSize(645, 521);
constexpr QPoint HangmanButtonCentre(296 + 80, 248 + 44);

// The window's layout in pixels (15 twips to a pixel).
QRect tileRect(int index) {
    return {8 + 24 * index, 8, 25, 33};
}
QRect slotRect(int index) {
    return {16 + 88 * index, 272, 81, 113};
}
QPoint circleCentre(int index) {
    const QList<QPoint> spots{{0, 88}, {80, 88}, {0, 168}, {80, 168}, {40, 128}};
    return QPoint(16 + 120 * (index / 5), 0) + spots[index % 5] + QPoint(16, 16);
}
const QRect CountArea(376, 48, 257, 201);
const QRect TryAgainArea(8, 416, 233, 89);
const QPoint DifficultyCentre(400 + 116, 416 + 44);
const QPoint StopSignCentre(272 + 50, 408 + 50);

const QColor White(Qt::white);
const QColor Yellow(255, 255, 0);
const QColor Red(255, 0, 0);

bool isWhite(const QColor& colour) {
    return colour.red() > 240 && colour.green() > 240 && colour.blue() > 240;
}

// What the slots show: '-' an empty (black) slot, 'y' a found letter, 'r' a revealed one, ' ' no slot.
QString slotsIn(const QImage& client) {
    QString state;
    for (int i = 0; i < 7; ++i) {
        const QRect slot = slotRect(i);
        if (isWhite(colourAt(client, slot.topLeft() + QPoint(2, 2))))
            state += QLatin1Char(' ');
        else if (countNear(client, slot, Yellow, 60) > 40)
            state += QLatin1Char('y');
        else if (countNear(client, slot, Red, 60) > 40)
            state += QLatin1Char('r');
        else
            state += QLatin1Char('-');
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
    return countNear(client, TryAgainArea, White, 8) < TryAgainArea.width() * TryAgainArea.height() * 9 / 10;
}

// Picks each guess from the words that still fit what the slots have shown, so a game at the easy level
// is always won.
class Solver {
public:
    explicit Solver(int length) {
        for (const std::string_view word : hangman::HangmanWords) {
            if (int(word.size()) == length)
                m_candidates.push_back(word);
        }
    }
    char next() const {
        std::map<char, int> counts;
        for (const std::string_view word : m_candidates) {
            for (const char letter : std::set<char>(word.begin(), word.end()))
                if (!m_guessed.contains(letter))
                    ++counts[letter];
        }
        char best = 0;
        for (const auto& [letter, count] : counts)
            if (best == 0 || count > counts.at(best))
                best = letter;
        return best;
    }
    void learn(char letter, const std::vector<int>& positions) {
        m_guessed.insert(letter);
        std::erase_if(m_candidates, [&](std::string_view word) {
            std::vector<int> at;
            for (int i = 0; i < int(word.size()); ++i)
                if (word[std::size_t(i)] == letter)
                    at.push_back(i);
            return at != positions;
        });
    }
    std::size_t candidates() const { return m_candidates.size(); }

private:
    std::vector<std::string_view> m_candidates;
    std::set<char> m_guessed;
};
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
        const int index = letter - 'A';
        const QImage before = clientShot();
        if (byKey)
            m_desktop->key(m_window, QString(QChar::fromLatin1(letter)).toLower());
        else
            m_desktop->click(m_client + tileRect(index).center());
        const auto answered = [&] {
            const QImage now = clientShot();
            const bool counted = differingPixels(now, before, CountArea) > 200;
            const bool filled = slotsIn(now) != slotsIn(before);
            const bool complete = !slotsIn(now).contains(QLatin1Char('-'));
            return isWhite(colourAt(now, tileRect(index).center())) &&
                   (counted || (filled && (!complete || tryAgainShown(now))));
        };
        return waitUntil(answered, 15000) ? clientShot() : QImage();
    }

    void open() {
        const auto menu = m_desktop->waitForMainMenu();
        QVERIFY(menu.has_value());
        m_desktop->click(m_desktop->mainMenuClient(*menu) + HangmanButtonCentre);
        const auto id = m_desktop->waitForWindow(QStringLiteral("Hangman"));
        QVERIFY(id.has_value());
        m_window = *id;
        const QRect window = m_desktop->geometry(m_window);
        QCOMPARE(window.size(), ClientSize);
        QVERIFY(centred(window));
        m_client = window.topLeft();
    }

private slots:
    void playsAWonAndALostGame() {
        Desktop desktop;
        QVERIFY(desktop.isRunning());
        m_desktop = &desktop;
        Program program(desktop);
        open();
        if (QTest::currentTestFailed())
            return;

        QVERIFY(waitUntil([&] { return circlesIn(clientShot()) == 15; }));
        QImage client = clientShot(QStringLiteral("hangman-start"));
        QCOMPARE(circlesIn(client), 15);
        const QString empty = slotsIn(client);
        const int length = int(empty.trimmed().size());
        QVERIFY2(length >= 3 &&
                     empty == QString(length, QLatin1Char('-')) + QString(7 - length, QLatin1Char(' ')),
                 qPrintable(empty));
        QVERIFY(countNear(client, CountArea, Red, 60) > 200);
        QVERIFY(!tryAgainShown(client));

        // A won game, with the mouse.
        Solver solver(length);
        int guesses = 0;
        QString trace = empty; // what each guess showed, for a failure message
        while (!tryAgainShown(client) && guesses < 26) {
            const char letter = solver.next();
            if (letter == 0) {
                // Every letter is known: the completion sound plays before Try Again appears.
                QVERIFY2(waitUntil([&] { return tryAgainShown(clientShot()); }), qPrintable(trace));
                break;
            }
            const QString slotsBefore = slotsIn(client);
            client = guess(letter, false);
            QVERIFY2(!client.isNull(), QByteArray(1, letter).constData());
            std::vector<int> positions;
            const QString now = slotsIn(client);
            for (int i = 0; i < length; ++i)
                if (now[i] != slotsBefore[i])
                    positions.push_back(i);
            solver.learn(letter, positions);
            trace += QStringLiteral(" %1:%2").arg(QChar::fromLatin1(letter), now);
            if (++guesses == 3)
                clientShot(QStringLiteral("hangman-in-progress"));
            client = clientShot();
        }
        client = clientShot(QStringLiteral("hangman-won"));
        QVERIFY(tryAgainShown(client));
        QCOMPARE(slotsIn(client).trimmed(), QString(length, QLatin1Char('y')));

        // Two access keys in a row: easy to medium to hard, each starting a new game.
        desktop.key(m_window, QStringLiteral("alt+e"));
        desktop.key(m_window, QStringLiteral("alt+m"));
        QVERIFY(waitUntil([&] {
            const QImage now = clientShot();
            return !tryAgainShown(now) && circlesIn(now) == 5;
        }));
        // A lost game with the keyboard: none of these letters is a vowel, so every word misses at least
        // five of them.
        client = clientShot();
        for (const char letter : QByteArrayLiteral("QJXZVKWYFBGP")) {
            if (letter == 0 || tryAgainShown(client))
                break;
            client = guess(letter, true);
            QVERIFY(!client.isNull());
        }
        client = clientShot(QStringLiteral("hangman-lost"));
        QVERIFY(tryAgainShown(client));
        QVERIFY2(slotsIn(client).contains(QLatin1Char('r')), qPrintable(slotsIn(client)));

        // The stop sign closes the game and the main menu takes clicks again.
        desktop.click(m_client + StopSignCentre);
        QVERIFY(desktop.waitForNoWindow(QStringLiteral("Hangman")));
        const auto menu = desktop.waitForMainMenu();
        QVERIFY(menu.has_value());
        desktop.closeWindow(*menu);
        QVERIFY(program.waitForExit(3000));
        QVERIFY2(program.exitStatus() == QProcess::NormalExit && program.exitCode() == 0,
                 qPrintable(program.standardError()));
    }
};

QTEST_GUILESS_MAIN(HangmanEndToEnd)
#include "tst_e2e_hangman.moc"
