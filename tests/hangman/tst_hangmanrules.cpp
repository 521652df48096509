// The Hangman rules without a window: the word table and its draw, the scan, the reveal and the media names.
#include "forms/random.h"
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

    void clockSeededSourceStaysBelowOneAndVaries() {
        QSet<float> values;
        for (int i = 0; i < 200; ++i) {
            const float r = forms::ClockSeededRandom().single();
            QVERIFY(r >= 0.0f && r < 1.0f);
            values.insert(r);
        }
        // Draws within one tick of a coarse clock must still differ.
        QVERIFY2(values.size() > 190, qPrintable(QString::number(values.size())));
    }

    void scanFindsEveryOccurrence_data() {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QChar>("guess");
        QTest::addColumn<Positions>("found");
        QTest::newRow("first") << "ARCHERY" << QChar(u'A') << Positions{0};
        QTest::newRow("apart") << "ARCHERY" << QChar(u'R') << Positions{1, 5};
        QTest::newRow("last") << "ARCHERY" << QChar(u'Y') << Positions{6};
        QTest::newRow("miss") << "ARCHERY" << QChar(u'Z') << Positions{};
    }
    void scanFindsEveryOccurrence() {
        QFETCH(QString, word);
        QFETCH(QChar, guess);
        QFETCH(Positions, found);
        QCOMPARE(scan(word, guess), found);
    }

    void revealPicksTheEmptySlotsOfTheWord_data() {
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<Positions>("red");
        QTest::newRow("some found") << QStringList{"", "A", "", "", "", "", ""} << Positions{0, 2};
        QTest::newRow("all found") << QStringList{"E", "A", "R", "", "", "", ""} << Positions{};
        QTest::newRow("short list") << QStringList{"E"} << Positions{1, 2};
    }
    void revealPicksTheEmptySlotsOfTheWord() {
        QFETCH(QStringList, captions);
        QFETCH(Positions, red);
        QCOMPARE(reveal(QStringLiteral("EAR"), captions), red);
    }

    void mediaFilesHoldEveryNameTheWindowAsksFor() {
        const QStringList names = mediaFiles();
        QCOMPARE(QSet<QString>(names.begin(), names.end()).size(), 26 + 6);
        for (const char* name : {"\\A.wav", "\\Z.wav", "\\snare.wav", "/allright.wav", "/uhoh.wav",
                                 "\\circle.gif", "\\face02.ico", "\\face04.ico"})
            QVERIFY2(names.contains(QLatin1String(name)), name);
    }
};

QTEST_APPLESS_MAIN(HangmanRulesTest)
#include "tst_hangmanrules.moc"
