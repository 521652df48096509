// The spelling game in the real program under X: opened from the main menu, a word read from the hint and
// spelled by clicking its letters, the happy window that closes by itself and a new word; then a wrong
// answer typed on the keyboard and the sad window, a right one typed, and the stop sign back to the menu.
#include "harness.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QPainter>
#include <QTest>
#include <QThread>

using namespace e2e;

namespace {
constexpr QSize ScreenSize(1024, 768);
constexpr QSize GameClient(794, 493);
constexpr QSize HappyClient(310, 291);
constexpr QSize SadClient(308, 289);
constexpr QPoint WordpotButton(296 + 80, 16 + 44); // in the main menu's client area
constexpr QRect WordPicture(600, 0, 180, 180);
constexpr QRect HintLabel(616, 208, 153, 49);
constexpr QRect AnswerBox(624, 280, 145, 49);
constexpr QRect GuessButton(616, 408, 169, 81);
constexpr QRect StopButton(8, 384, 129, 105);
constexpr int WordSoundMs = 1000; // every word sound is shorter
constexpr int LetterPicture = 44;

const QStringList Words{"APPLE", "BALL", "CAT",  "DOG", "FROG", "HORSE", "LION", "NOSE",
                        "ZEBRA", "KITE", "STAR", "ANT", "BEAR", "BEE",   "BOOK", "EGG",
                        "HAT",   "PIG",  "TREE", "TIE", "LEAF", "SOCKS"};
// The board, in pixels: each letter's slot corner in the game's client area.
const QMap<QChar, QPoint> Slots{{'Z', {96, 120}},  {'F', {152, 88}},  {'C', {208, 72}},  {'P', {288, 88}},
                                {'E', {56, 176}},  {'R', {120, 176}}, {'G', {184, 144}}, {'I', {240, 152}},
                                {'L', {312, 160}}, {'B', {64, 240}},  {'S', {128, 240}}, {'N', {184, 208}},
                                {'A', {248, 216}}, {'D', {320, 224}}, {'T', {200, 272}}, {'K', {104, 296}},
                                {'H', {152, 320}}, {'O', {272, 280}}};

QString sourceFolder() {
    return QFileInfo(QStringLiteral(__FILE__)).absoluteDir().filePath(QStringLiteral("../.."));
}

bool isDark(QColor colour) {
    return qGray(colour.rgb()) < 128;
}

int countPixels(const QImage& shot, QRect area, const std::function<bool(QColor, QPoint)>& wanted) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += wanted(colourAt(shot, {x, y}), {x, y}) ? 1 : 0;
    return count;
}

int darkPixels(const QImage& shot, QRect area) {
    return countPixels(shot, area, [](QColor c, QPoint) { return isDark(c); });
}

// The face icons are yellow.
int yellowPixels(const QImage& shot, QRect area) {
    return countPixels(shot, area,
                       [](QColor c, QPoint) { return c.red() > 200 && c.green() > 150 && c.blue() < 120; });
}

int differingPixels(const QImage& a, const QImage& b, QRect area) {
    return countPixels(a, area, [&b](QColor c, QPoint p) { return c != colourAt(b, p); });
}

// Reads the hint: the word whose rendering in the hint's font differs least from what the screen shows.
// Empty when even the best candidate is far from it.
QString readHint(const QImage& shot, QPoint client) {
    static const QString family = [] {
        const int id =
            QFontDatabase::addApplicationFont(sourceFolder() + "/src/resources/fonts/Lato-Black.ttf");
        return QFontDatabase::applicationFontFamilies(id).value(0);
    }();
    QFont font(family);
    font.setPixelSize(32);
    font.setWeight(QFont::Black);
    QString best;
    int bestDifference = std::numeric_limits<int>::max();
    for (const QString& word : Words) {
        QImage rendered(HintLabel.size(), QImage::Format_RGB32);
        rendered.fill(Qt::white);
        QPainter painter(&rendered);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(rendered.rect(), Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, word);
        painter.end();
        const QPoint label = client + HintLabel.topLeft();
        const int difference = countPixels(rendered, rendered.rect(), [&](QColor c, QPoint p) {
            return isDark(c) != isDark(colourAt(shot, label + p));
        });
        if (difference < bestDifference) {
            bestDifference = difference;
            best = word;
        }
    }
    constexpr int CloseEnough = 150; // pixels; other words differ by several hundred
    return bestDifference < CloseEnough ? best : QString();
}

// A visible window with this title and client size (the happy window shares the game's title).
std::optional<QString> windowOfSize(const Desktop& desktop, const QString& title, QSize size) {
    for (const QString& id : desktop.windows(title)) {
        if (desktop.geometry(id).size() == size)
            return id;
    }
    return std::nullopt;
}

std::optional<QString> waitForWindowOfSize(const Desktop& desktop, const QString& title, QSize size,
                                           int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    do {
        if (auto id = windowOfSize(desktop, title, size))
            return id;
        QThread::msleep(20);
    } while (clock.elapsed() < timeoutMs);
    return std::nullopt;
}

QPoint centredCorner(QSize size) {
    return {(ScreenSize.width() - size.width()) / 2, (ScreenSize.height() - size.height()) / 2};
}

} // namespace

class SpellingEndToEnd : public QObject {
    Q_OBJECT
private slots:
    void aChildPlaysRoundsWithMouseAndKeyboard() {
        Desktop desktop;
        QVERIFY(desktop.isRunning());
        Program program(desktop);
        const auto menu = desktop.waitForMainMenu();
        QVERIFY2(menu.has_value(), qPrintable(program.standardError()));
        desktop.click(desktop.mainMenuClient(*menu) + WordpotButton);

        const auto game = waitForWindowOfSize(desktop, QStringLiteral("Wordpot"), GameClient, 10000);
        QVERIFY2(game.has_value(), qPrintable(program.standardError()));
        const QPoint client = desktop.geometry(*game).topLeft();
        QCOMPARE(client, centredCorner(GameClient));
        QTest::qWait(300);
        const QImage opened = desktop.screenshot();
        QCOMPARE(darkPixels(opened, HintLabel.translated(client)), 0);
        QCOMPARE(darkPixels(opened, AnswerBox.adjusted(3, 3, -3, -3).translated(client)), 0);

        // The hint shows the word while it is spoken and for two seconds after.
        desktop.click(client + WordPicture.center());
        QTest::qWait(400);
        const QImage hinted = desktop.keepScreenshot(QStringLiteral("spelling-hint"));
        const QString word = readHint(hinted, client);
        QVERIFY(!word.isEmpty());
        // The word is spoken while the window waits: clicks given meanwhile are dropped, as for a child.
        QTest::qWait(WordSoundMs);

        for (QChar letter : word) {
            desktop.click(client + Slots.value(letter) + QPoint(LetterPicture / 2, LetterPicture / 2));
            QTest::qWait(350); // slower than a double click
        }
        QTest::qWait(200);
        const QImage spelled = desktop.keepScreenshot(QStringLiteral("spelling-game"));
        QVERIFY(darkPixels(spelled, AnswerBox.adjusted(3, 3, -3, -3).translated(client)) > 100);
        QCOMPARE(darkPixels(spelled, HintLabel.translated(client)), 0); // a letter click ends the hint

        QElapsedTimer shown;
        desktop.click(client + GuessButton.center());
        const auto happy = waitForWindowOfSize(desktop, QStringLiteral("Wordpot"), HappyClient, 3000);
        QVERIFY2(happy.has_value(), qPrintable(word));
        shown.start();
        QCOMPARE(desktop.geometry(*happy).topLeft(), centredCorner(HappyClient));
        QTest::qWait(1500);
        const QImage happyShot = desktop.keepScreenshot(QStringLiteral("spelling-happy"));
        QVERIFY(yellowPixels(happyShot, QRect(centredCorner(HappyClient), HappyClient)) > 10000);
        while (windowOfSize(desktop, QStringLiteral("Wordpot"), HappyClient) && shown.elapsed() < 9000)
            QThread::msleep(20);
        QVERIFY2(shown.elapsed() > 4500 && shown.elapsed() < 7500,
                 qPrintable(QString::number(shown.elapsed())));

        QTest::qWait(300);
        const QImage next = desktop.keepScreenshot(QStringLiteral("spelling-next-word"));
        QVERIFY(differingPixels(spelled, next, WordPicture.translated(client)) > 1000);
        QCOMPARE(darkPixels(next, AnswerBox.adjusted(3, 3, -3, -3).translated(client)), 0);

        // The next word by keyboard: first wrong, then right.
        desktop.click(client + WordPicture.center());
        QTest::qWait(400);
        const QString second = readHint(desktop.screenshot(), client);
        QVERIFY(!second.isEmpty() && second != word);
        QTest::qWait(WordSoundMs);
        desktop.type(*game, QString(second.size(), QLatin1Char('z')));
        desktop.key(*game, QStringLiteral("Return"));
        const auto sad = desktop.waitForWindow(QStringLiteral("Form1"), 3000);
        QVERIFY(sad.has_value());
        QCOMPARE(desktop.geometry(*sad), QRect(centredCorner(SadClient), SadClient));
        QTest::qWait(1500);
        const QImage sadShot = desktop.keepScreenshot(QStringLiteral("spelling-sad"));
        QVERIFY(yellowPixels(sadShot, QRect(centredCorner(SadClient), SadClient)) > 10000);
        QVERIFY(desktop.waitForNoWindow(QStringLiteral("Form1"), 4000));
        const QImage wrong = desktop.screenshot();
        QVERIFY(darkPixels(wrong, AnswerBox.adjusted(3, 3, -3, -3).translated(client)) > 100);

        for (int i = 0; i < second.size(); ++i)
            desktop.key(*game, QStringLiteral("BackSpace"));
        desktop.type(*game, second.toLower());
        desktop.key(*game, QStringLiteral("Return"));
        const auto again = waitForWindowOfSize(desktop, QStringLiteral("Wordpot"), HappyClient, 3000);
        QVERIFY2(again.has_value(), qPrintable(second));
        desktop.click(centredCorner(HappyClient) + QPoint(HappyClient.width() / 2, HappyClient.height() / 2));
        QTest::qWait(500); // a click on the face closes it at once, long before its six seconds
        QVERIFY(!windowOfSize(desktop, QStringLiteral("Wordpot"), HappyClient).has_value());

        // The stop sign goes back to the main menu.
        desktop.click(client + StopButton.center());
        QVERIFY(desktop.waitForNoWindow(QStringLiteral("Wordpot"), 3000));
        QVERIFY(desktop.hasWindow(QStringLiteral("Welcome to Wordpot")));
        desktop.closeWindow(*menu);
        QVERIFY(program.waitForExit(3000));
        QCOMPARE(program.exitCode(), 0);
        QVERIFY2(!program.standardError().contains(QLatin1String("not found")),
                 qPrintable(program.standardError()));
    }
};

int main(int argc, char* argv[]) {
    // The test renders the hint's candidate words itself; the program under test runs on the X server.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    SpellingEndToEnd test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_e2e_spelling.moc"
