// The Hangman rules without a window: the word table and its draw, and a game's guesses.
#include "hangman/hangmangame.h"
#include "hangman/hangmanwords.h"

#include <cmath>
#include <map>
#include <QSet>
#include <QTest>

using namespace hangman;

class HangmanRulesTest : public QObject {
    Q_OBJECT
private slots:
    void tableHoldsDistinctCapitalWordsThatFitTheSlots() {
        QCOMPARE(int(HangmanWords.size()), 465);
        QSet<QString> seen;
        std::map<int, int> byLength;
        for (const std::string_view word : HangmanWords) {
            const QString text = QString::fromLatin1(word.data(), qsizetype(word.size()));
            QVERIFY2(!seen.contains(text), qPrintable(text));
            seen.insert(text);
            for (const QChar letter : text)
                QVERIFY2(letter >= QLatin1Char('A') && letter <= QLatin1Char('Z'), qPrintable(text));
            QVERIFY2(text.size() >= ShortestWord && text.size() <= LongestWord, qPrintable(text));
            ++byLength[int(text.size())];
        }
        const std::map<int, int> expected{{3, 20}, {4, 152}, {5, 148}, {6, 105}, {7, 40}};
        QCOMPARE(byLength, expected);
    }

    // Every r the source can give is below 1, so the largest float below 1 is the draw's worst case.
    void drawNamesAWord_data() {
        QTest::addColumn<float>("r");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("word");
        QTest::newRow("zero") << 0.0f << 0 << "ALLOW";
        QTest::newRow("just below 1/465") << std::nextafter(float(1.0 / 465), 0.0f) << 0 << "ALLOW";
        QTest::newRow("half") << 0.5f << 232 << "MIRROR";
        QTest::newRow("largest below one") << std::nextafter(1.0f, 0.0f) << 464 << "ZOOM";
    }
    void drawNamesAWord() {
        QFETCH(float, r);
        QFETCH(int, index);
        QFETCH(QString, word);
        QCOMPARE(wordIndexFor(r), index);
        const std::string_view entry = HangmanWords.at(std::size_t(index));
        QCOMPARE(QString::fromLatin1(entry.data(), qsizetype(entry.size())), word);
    }

    // Each row guesses letters in turn at a level; after each guess: the positions found, "m" for a miss
    // that took a chance, "-" for one that took none, then "W" won and "L" lost, and the chances left.
    void guesses_data() {
        QTest::addColumn<int>("level");
        QTest::addColumn<QString>("letters");
        QTest::addColumn<QString>("results");
        QTest::newRow("every occurrence at once") << 0 << "LOBAN"
                                                  << "23 15 45 15 0 15 1 15 6W 15";
        QTest::newRow("misses take chances") << 1 << "ZQ"
                                             << "m 9 m 8";
        QTest::newRow("lost at hard") << 2 << "ZQXJK"
                                      << "m 4 m 3 m 2 m 1 mL 0";
        QTest::newRow("no chance below none; a hit still uncovers") << 2 << "ZQXJKHL"
                                                                    << "m 4 m 3 m 2 m 1 mL 0 -L 0 23L 0";
        QTest::newRow("won, then lost by misses") << 2 << "BALONZQXJK"
                                                  << "0 5 1 5 23 5 45 5 6W 5 mW 4 mW 3 mW 2 mW 1 mWL 0";
    }
    void guesses() {
        QFETCH(int, level);
        QFETCH(QString, letters);
        QFETCH(QString, results);
        Game game(level);
        game.start(QStringLiteral("BALLOON"));
        QStringList seen;
        for (const QChar letter : letters) {
            const Guess guess = game.guess(letter);
            QString found;
            for (const int position : guess.found)
                found += QString::number(position);
            if (guess.found.empty())
                found = guess.chanceTaken ? QStringLiteral("m") : QStringLiteral("-");
            seen << found + (guess.won ? "W" : "") + (guess.lost ? "L" : "")
                 << QString::number(game.chances());
        }
        QCOMPARE(seen.join(QLatin1Char(' ')), results);
    }

    void aLostGameRevealsWhatIsStillCovered() {
        Game game(2);
        game.start(QStringLiteral("BALLOON"));
        for (const QChar letter : QStringLiteral("LZQXJK"))
            game.guess(letter);
        QCOMPARE(game.covered(), (std::vector<int>{0, 1, 4, 5, 6}));
    }
};

QTEST_APPLESS_MAIN(HangmanRulesTest)
#include "tst_hangmanrules.moc"
