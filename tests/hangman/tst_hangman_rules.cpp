// Hangman's rules without a window: the word table and its draw, and what guesses do to a game.
#include "hangman/hangmangame.h"
#include "hangman/hangmanwords.h"
#include "hangman/layout.h"

#include <cmath>
#include <map>
#include <QTest>
#include <set>

using namespace hangman;
using namespace Qt::StringLiterals;

class HangmanRulesTest : public QObject {
    Q_OBJECT
private slots:
    // Real data: every word fits the slots and is spelled from the tiles, and none comes twice. Every r the
    // source gives is below 1, so the largest float below 1 is the draw's worst case.
    void wordTableAndDraw() {
        std::set<std::string_view> seen;
        std::map<std::size_t, int> byLength;
        for (const std::string_view word : HangmanWords) {
            const bool capitals = word.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ") == word.npos;
            QVERIFY2(capitals && seen.insert(word).second, word.data());
            ++byLength[word.size()];
        }
        QCOMPARE(byLength, (std::map<std::size_t, int>{{3, 20}, {4, 152}, {5, 148}, {6, 105}, {7, 40}}));
        QVERIFY(HangmanWords.at(wordIndexFor(0.0f)) == "ALLOW" &&
                HangmanWords.at(wordIndexFor(0.5f)) == "MIRROR");
        QCOMPARE(wordIndexFor(std::nextafter(1.0f, 0.0f)), WordCount - 1);
    }

    // A lost game goes on: a miss takes no chance below none, a hit uncovers every occurrence at once, and
    // the word can still be completed. After each guess: the positions found, "m" for a miss that took a
    // chance and "-" for one that took none, "W" won, "L" lost, and the chances left.
    void aGameLostAtHardGoesOn() {
        Game game(2);
        game.start(u"BALLOON"_s);
        QStringList seen;
        for (const QChar letter : u"ZQXJKLHOBAN"_s) {
            const Guess guess = game.guess(letter.unicode() - u'A');
            QString found = guess.found.empty() ? QString(guess.chanceTaken ? u'm' : u'-') : QString();
            for (const int position : guess.found)
                found += QString::number(position);
            seen << found + (guess.won ? "W" : "") + (guess.lost ? "L" : "")
                 << QString::number(game.chances());
        }
        QCOMPARE(seen.join(u' '), u"m 4 m 3 m 2 m 1 mL 0 23L 0 -L 0 45L 0 0L 0 1L 0 6WL 0"_s);
    }

    // Before its first word a game is neither won nor lost; a new word forgets the letters guessed.
    void aGameRemembersItsGuessesUntilTheNextWord() {
        constexpr int E = 4, R = 17, Z = 25;
        Game game;
        QVERIFY(!game.won() && !game.lost() && !game.guess(0).won);
        game.start(u"EAR"_s);
        game.guess(E);
        game.guess(Z);
        QVERIFY(game.hasGuessed(E) && game.hasGuessed(Z) && !game.hasGuessed(R));
        game.start(u"EAR"_s);
        QVERIFY(!game.hasGuessed(E) && !game.won());
    }

    // A word of a list plays by its language's tiles: an accented letter is found by its letter's tile
    // where the language folds it, by its own where the language counts it as a letter, and a space or a
    // hyphen stands uncovered from the start. Each guess is a tile's letter; the places found after it.
    void wordsOfALanguage_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("tiles");
        QTest::addColumn<QString>("found"); // per guess, the positions found, "-" for a miss; "W" once won
        QTest::newRow("fr été") << u"fr"_s << u"été"_s << u"ÉET"_s << u"- 02 1W"_s;
        QTest::newRow("de Bär") << u"de"_s << u"Bär"_s << u"ABÄR"_s << u"- 0 1 2W"_s;
        QTest::newRow("es año") << u"es"_s << u"año"_s << u"NÑAO"_s << u"- 1 0 2W"_s;
        QTest::newRow("tr ılık") << u"tr"_s << u"ılık"_s << u"IİLK"_s << u"02 - 1 3W"_s;
        QTest::newRow("en ice-cream") << u"en"_s << u"ice-cream"_s << u"ICERAM"_s << u"0 14 26 5 7 8W"_s;
    }
    void wordsOfALanguage() {
        QFETCH(QString, language);
        QFETCH(QString, word);
        QFETCH(QString, tiles);
        const std::optional<words::Alphabet> alphabet = words::Alphabet::forLanguage(language);
        QVERIFY(alphabet.has_value());
        const auto places = alphabet->positions(word);
        QVERIFY(places.has_value());
        Game game;
        game.start(*places);
        QStringList found;
        for (const QChar letter : tiles) {
            const Guess guess = game.guess(int(alphabet->letters().indexOf(QString(letter))));
            QString positions = guess.found.empty() ? u"-"_s : QString();
            for (const int position : guess.found)
                positions += QString::number(position);
            found << positions + (guess.won ? u"W"_s : QString());
        }
        QTEST(found.join(u' '), "found");
    }

    // Every layout stays inside the window and clear of the circles, its slots side by side; A to Z with
    // words of up to seven places is the window's own design, tile for tile and slot for slot.
    void layouts_data() {
        QTest::addColumn<int>("tiles");
        QTest::addColumn<int>("longest");
        QTest::addColumn<bool>("fits");
        QTest::newRow("A to Z, 7") << 26 << 7 << true;
        QTest::newRow("A to Z, 3") << 26 << 3 << true;
        QTest::newRow("German, 12") << 30 << 12 << true;
        QTest::newRow("Greek, 9") << 24 << 9 << true;
        QTest::newRow("two full rows") << MostTiles << 8 << true;
        QTest::newRow("too many tiles") << MostTiles + 1 << 7 << false;
        QTest::newRow("too long") << 26 << MostSlots + 1 << false;
    }
    void layouts() {
        QFETCH(int, tiles);
        QFETCH(int, longest);
        QFETCH(bool, fits);
        const std::optional<Layout> layout = layoutFor(tiles, longest);
        QCOMPARE(layout.has_value(), fits);
        if (!fits)
            return;
        const QRect window(0, 0, 9675, 7815), aboveCircles(0, 0, 9675, 1320), slotBand(0, 3720, 9675, 2400);
        QCOMPARE(int(layout->tiles.size()), tiles);
        QCOMPARE(int(layout->wordSlots.size()), std::max(longest, 7));
        const QRect count = QRect(5640, 720, 3855, 3015).translated(0, layout->countDrop);
        for (const QRect& tile : layout->tiles)
            QVERIFY(aboveCircles.contains(tile) && !count.intersects(tile));
        QVERIFY(count.bottom() < slotBand.top() + 600); // its figures stand in its top half
        for (std::size_t i = 0; i < layout->wordSlots.size(); ++i) {
            QVERIFY(slotBand.contains(layout->wordSlots[i]) && window.contains(layout->wordSlots[i]));
            QVERIFY(i == 0 || layout->wordSlots[i].left() > layout->wordSlots[i - 1].right());
        }
        if (tiles == 26 && longest <= 7) {
            QCOMPARE(layout->tiles.front(), QRect(120, 120, 375, 495));
            QCOMPARE(layout->tiles.back(), QRect(120 + 360 * 25, 120, 375, 495));
            QCOMPARE(layout->wordSlots.front(), QRect(240, 4080, 1215, 1695));
            QCOMPARE(layout->wordSlots.back(), QRect(240 + 1320 * 6, 4080, 1215, 1695));
            QCOMPARE(layout->slotPoints, 72.0);
        } else {
            QVERIFY(layout->slotPoints <= 72.0 && layout->slotPoints >= 36.0);
        }
    }
};

QTEST_GUILESS_MAIN(HangmanRulesTest)
#include "tst_hangman_rules.moc"
