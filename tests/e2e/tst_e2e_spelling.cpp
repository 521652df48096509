// The spelling game in the real program under X: opened from the main menu, the hint shown and spoken, a
// word spelled by clicking its letters, the happy window that closes by itself and a new word; then a
// wrong answer typed on the keyboard and the sad window once for a held access key, a right one typed, and
// the stop sign back to the menu.
#include "harness.h"
#include "wordpot/wordlist.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTest>

using namespace e2e;

namespace {
constexpr QSize GameClient(794, 493);
constexpr QSize HappyClient(310, 291);
constexpr QSize SadClient(308, 289);
constexpr QPoint WordpotButton(296 + 80, 16 + 44); // in the main menu's client area
constexpr QPoint WordPicture(600, 0);
constexpr QRect HintLabel(616, 208, 153, 49);
constexpr QRect AnswerBox(627, 283, 139, 43); // inside its frame
constexpr QRect GuessButton(616, 408, 169, 81);
constexpr QRect StopButton(8, 384, 129, 105);

// The centre of a letter's picture on the board, in the game's client area (pictures are 44 px square).
QPoint slotCentre(QChar letter) {
    const wordpot::BoardSlot& slot = wordpot::Board[std::size_t(wordpot::slotOf(letter))];
    return QPoint(slot.left, slot.top) / 15 + QPoint(22, 22);
}

const QColor FaceYellow(255, 212, 70);

int darkPixels(const QImage& shot, QRect area) {
    return countNear(shot, area, Qt::black, 127);
}

// The word whose picture, one of the media folder's own files, stands in the word's place (right of the
// line that divides the window).
QString shownWord(const QImage& shot, QPoint client) {
    const QDir media = QFileInfo(Program::builtExecutable()).absoluteDir();
    for (int index = 1; index <= wordpot::WordCount; ++index) {
        const QString word = wordpot::word(index);
        const QImage picture(media.filePath(word.toLower() + QStringLiteral(".gif")));
        bool same = !picture.isNull();
        for (int y = 0; same && y < picture.height(); y += 7)
            for (int x = 7; same && x < picture.width(); x += 7)
                same = colourAt(shot, client + WordPicture + QPoint(x, y)).rgb() == picture.pixel(x, y);
        if (same)
            return word;
    }
    return {};
}

} // namespace

class SpellingEndToEnd : public QObject {
    Q_OBJECT
private:
    Desktop* m_desktop = nullptr;
    QPoint m_client;

    QImage answer() const { return m_desktop->screenshot().copy(AnswerBox.translated(m_client)); }

    // Gives one input that changes the answer, and waits until it shows.
    bool changeAnswer(const std::function<void()>& input) const {
        const QImage before = answer();
        input();
        return waitUntil([&] { return differingPixels(answer(), before, before.rect()) > 20; });
    }

    // Each key changes the answer before the next is given.
    bool type(const QString& window, const QStringList& keys) const {
        return std::all_of(keys.begin(), keys.end(), [&](const QString& key) {
            return changeAnswer([&] { m_desktop->key(window, key); });
        });
    }

private slots:
    void aChildPlaysRoundsWithMouseAndKeyboard() {
        Desktop desktop;
        QVERIFY(desktop.isRunning());
        m_desktop = &desktop;
        Program program(desktop);
        const auto menu = desktop.waitForMainMenu();
        QVERIFY2(menu.has_value(), qPrintable(program.standardError()));
        desktop.click(desktop.mainMenuClient(*menu) + WordpotButton);

        const auto game = desktop.waitForWindow(QStringLiteral("Wordpot"), 10000, GameClient);
        QVERIFY2(game.has_value(), qPrintable(program.standardError()));
        m_client = desktop.geometry(*game).topLeft();
        QVERIFY(centred(desktop.geometry(*game)));
        QString word;
        QVERIFY(waitUntil([&] { return !(word = shownWord(desktop.screenshot(), m_client)).isEmpty(); }));
        const QImage opened = desktop.screenshot();
        QCOMPARE(darkPixels(opened, HintLabel.translated(m_client)), 0);
        QCOMPARE(darkPixels(opened, AnswerBox.translated(m_client)), 0);

        // The hint shows the word while it is spoken and for two seconds after; the window takes no
        // input before the word has been spoken.
        const auto hint = [&] { return darkPixels(desktop.screenshot(), HintLabel.translated(m_client)); };
        desktop.click(m_client + WordPicture + QPoint(90, 90));
        QVERIFY(waitUntil([&] { return hint() > 100; }));
        desktop.keepScreenshot(QStringLiteral("spelling-hint"));
        QVERIFY(waitUntil([&] { return hint() == 0; }));

        for (QChar letter : word)
            QVERIFY2(changeAnswer([&] { desktop.click(m_client + slotCentre(letter)); }), qPrintable(word));
        desktop.keepScreenshot(QStringLiteral("spelling-game"));

        const auto happyShown = [&] {
            return desktop.waitForWindow(QStringLiteral("Wordpot"), 0, HappyClient).has_value();
        };
        QElapsedTimer shown;
        desktop.click(m_client + GuessButton.center());
        const auto happy = desktop.waitForWindow(QStringLiteral("Wordpot"), 3000, HappyClient);
        QVERIFY2(happy.has_value(), qPrintable(word));
        shown.start();
        const QRect happyWindow = desktop.geometry(*happy);
        QVERIFY(centred(happyWindow));
        QVERIFY(desktop.waitForColour(happyWindow, FaceYellow, 10000));
        desktop.keepScreenshot(QStringLiteral("spelling-happy"));
        QVERIFY(waitUntil([&] { return !happyShown(); }, 9000));
        QVERIFY2(shown.elapsed() > 4500 && shown.elapsed() < 7500,
                 qPrintable(QString::number(shown.elapsed())));

        // A new word, and an empty answer.
        QString second;
        QVERIFY(waitUntil([&] {
            second = shownWord(desktop.screenshot(), m_client);
            return !second.isEmpty() && second != word;
        }));
        desktop.keepScreenshot(QStringLiteral("spelling-next-word"));
        QCOMPARE(darkPixels(desktop.screenshot(), AnswerBox.translated(m_client)), 0);

        // The next word by keyboard: first wrong, GUESS by its access key held down until the sad face has
        // gone and the key has repeated into the game a few times; then right in small letters.
        QVERIFY(type(*game, QStringList(second.size(), QStringLiteral("z"))));
        desktop.keyDown(*game, QStringLiteral("alt+g"));
        const auto sad = desktop.waitForWindow(QStringLiteral("Form1"), 3000, SadClient);
        QVERIFY(sad.has_value() && centred(desktop.geometry(*sad)));
        const QRect sadWindow = desktop.geometry(*sad);
        QVERIFY(desktop.waitForColour(sadWindow, FaceYellow, 10000));
        desktop.keepScreenshot(QStringLiteral("spelling-sad"));
        QVERIFY(desktop.waitForNoWindow(QStringLiteral("Form1"), 5000));
        QVERIFY(desktop.waitForKeyPresses(*game, 3));
        desktop.keyUp(QStringLiteral("alt+g"));
        QVERIFY(darkPixels(desktop.screenshot(), AnswerBox.translated(m_client)) > 100); // the answer stays

        // Each erases a letter at once: no second sad face has taken the keyboard.
        QVERIFY(type(*game, QStringList(second.size(), QStringLiteral("BackSpace"))));
        QVERIFY(type(*game, second.toLower().split(QString(), Qt::SkipEmptyParts)));
        desktop.key(*game, QStringLiteral("Return"));
        const auto again = desktop.waitForWindow(QStringLiteral("Wordpot"), 3000, HappyClient);
        QVERIFY2(again.has_value(), qPrintable(second));
        // A click on the face closes it at once, long before its six seconds.
        QElapsedTimer clicked;
        clicked.start();
        desktop.click(desktop.geometry(*again).center());
        QVERIFY(waitUntil([&] { return !happyShown(); }));
        QVERIFY2(clicked.elapsed() < 2000, qPrintable(QString::number(clicked.elapsed())));

        // The stop sign goes back to the main menu.
        desktop.click(m_client + StopButton.center());
        QVERIFY(desktop.waitForNoWindow(QStringLiteral("Wordpot"), 3000));
        QVERIFY(desktop.hasWindow(QStringLiteral("Welcome to Wordpot")));
        desktop.closeWindow(*menu);
        QVERIFY(program.waitForExit(3000));
        QCOMPARE(program.exitCode(), 0);
        QVERIFY2(!program.standardError().contains(QLatin1String("not found")),
                 qPrintable(program.standardError()));
    }
};

QTEST_GUILESS_MAIN(SpellingEndToEnd)
#include "tst_e2e_spelling.moc"
