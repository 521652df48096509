// The Hangman rules without a window: the word table, the scaling of the draw, the levels, the scan,
// the reveal and the media names.
#include "hangman/hangmanrules.h"
#include "hangman/hangmanwords.h"

#include <cmath>
#include <map>
#include <QSet>
#include <QTest>

using namespace hangman;

using Positions = std::vector<int>;
Q_DECLARE_METATYPE(Positions)

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

    // The order is part of the data: words at the ends and at the head of scattered lines of ten.
    void tableOrder_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("word");
        QTest::newRow("first") << 0 << "ALLOW";
        QTest::newRow("BALLOON") << 16 << "BALLOON";
        QTest::newRow("line 120") << 120 << "EAR";
        QTest::newRow("line 240") << 240 << "MYTH";
        QTest::newRow("NEAR before NATURE") << 243 << "NEAR";
        QTest::newRow("line 330") << 330 << "SALARY";
        QTest::newRow("UPPER before UNTIL") << 419 << "UPPER";
        QTest::newRow("line 460") << 460 << "ZERO";
        QTest::newRow("last") << 464 << "ZOOM";
    }
    void tableOrder() {
        QFETCH(int, index);
        QFETCH(QString, word);
        const std::string_view entry = HangmanWords.at(std::size_t(index));
        QCOMPARE(QString::fromLatin1(entry.data(), qsizetype(entry.size())), word);
    }

    void drawScalesRToAnIndex_data() {
        QTest::addColumn<float>("r");
        QTest::addColumn<int>("index");
        QTest::newRow("zero") << 0.0f << 0;
        QTest::newRow("largest below one") << std::nextafter(1.0f, 0.0f) << 464;
        QTest::newRow("half") << 0.5f << 232;
        QTest::newRow("just below 1/465") << std::nextafter(float(1.0 / 465), 0.0f) << 0;
        QTest::newRow("464/465") << float(464.0 / 465) << 464;
    }
    void drawScalesRToAnIndex() {
        QFETCH(float, r);
        QFETCH(int, index);
        QCOMPARE(wordIndexFor(r), index);
    }

    // Every r the real source can give is a multiple of 2^-24: each of them lands in the table, and every
    // index is named by as many of them as any other, give or take one.
    void everyIndexIsEquallyLikely() {
        constexpr int Steps = 1 << 24;
        std::vector<int> hits(WordCount, 0);
        for (int k = 0; k < Steps; ++k) {
            const int index = wordIndexFor(float(k) / float(Steps));
            if (index < 0 || index >= WordCount)
                QFAIL(qPrintable(QStringLiteral("r = %1/2^24 gives %2").arg(k).arg(index)));
            ++hits[std::size_t(index)];
        }
        const auto [fewest, most] = std::minmax_element(hits.begin(), hits.end());
        QVERIFY2(*most - *fewest <= 1, qPrintable(QStringLiteral("%1 to %2").arg(*fewest).arg(*most)));
    }

    void clockSeededSourceStaysBelowOneAndVaries() {
        QSet<float> values;
        for (int i = 0; i < 200; ++i) {
            const float r = clockSeededRandom();
            QVERIFY(r >= 0.0f && r < 1.0f);
            values.insert(r);
        }
        // Draws in quick succession, within one tick of a coarse clock, must still differ.
        QVERIFY2(values.size() > 190, qPrintable(QString::number(values.size())));
    }

    void levelsCycle_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("next");
        QTest::newRow("easy") << "&EASY"
                              << "&MEDIUM";
        QTest::newRow("medium") << "&MEDIUM"
                                << "&HARD";
        QTest::newRow("hard") << "&HARD"
                              << "&EASY";
        QTest::newRow("no level") << "EASY"
                                  << "EASY";
    }
    void levelsCycle() {
        QFETCH(QString, caption);
        QFETCH(QString, next);
        QCOMPARE(nextLevel(caption), next);
    }

    void scanFindsEveryOccurrence_data() {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QChar>("guess");
        QTest::addColumn<Positions>("found");
        QTest::newRow("double L") << "BALLOON" << QChar(u'L') << Positions{2, 3};
        QTest::newRow("double O") << "BALLOON" << QChar(u'O') << Positions{4, 5};
        QTest::newRow("first letter") << "BALLOON" << QChar(u'B') << Positions{0};
        QTest::newRow("last letter") << "BALLOON" << QChar(u'N') << Positions{6};
        QTest::newRow("apart") << "ARCHERY" << QChar(u'R') << Positions{1, 5};
        QTest::newRow("miss") << "BALLOON" << QChar(u'Z') << Positions{};
        QTest::newRow("small letter is no capital") << "BALLOON" << QChar(u'l') << Positions{};
    }
    void scanFindsEveryOccurrence() {
        QFETCH(QString, word);
        QFETCH(QChar, guess);
        QFETCH(Positions, found);
        QCOMPARE(scan(word, guess), found);
    }

    void revealPicksTheEmptySlotsOfTheWord_data() {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<Positions>("red");
        const QStringList sevenEmpty(7, QString());
        QTest::newRow("nothing found") << "EAR" << sevenEmpty << Positions{0, 1, 2};
        QStringList some = sevenEmpty;
        some[2] = some[3] = QStringLiteral("L");
        QTest::newRow("some found") << "BALLOON" << some << Positions{0, 1, 4, 5, 6};
        QTest::newRow("all found") << "EAR" << QStringList{"E", "A", "R", "", "", "", ""} << Positions{};
    }
    void revealPicksTheEmptySlotsOfTheWord() {
        QFETCH(QString, word);
        QFETCH(QStringList, captions);
        QFETCH(Positions, red);
        QCOMPARE(reveal(word, captions), red);
    }

    void mediaFilesAreNamedAsTheWindowAsksForThem() {
        const QStringList names = mediaFiles();
        QCOMPARE(names.size(), 26 + 6);
        QCOMPARE(QSet<QString>(names.begin(), names.end()).size(), names.size());
        for (const char* name : {"\\A.wav", "\\K.wav", "\\Z.wav", "\\snare.wav", "/allright.wav", "/uhoh.wav",
                                 "\\circle.gif", "\\face02.ico", "\\face04.ico"})
            QVERIFY2(names.contains(QLatin1String(name)), name);
    }
};

QTEST_APPLESS_MAIN(HangmanRulesTest)
#include "tst_hangmanrules.moc"
