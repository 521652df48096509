// The spelling game's rules without widgets: the word list against the board, and the draw of the next
// word with a replaced source of numbers and with the real clock-seeded one.
#include "wordpot/draw.h"
#include "wordpot/wordlist.h"

#include <QSet>
#include <QTest>

using namespace wordpot;

namespace {
// Gives the numbers of a list in turn and counts how many were taken.
struct ScriptedSource {
    QList<double> numbers;
    int taken = 0;
    double operator()() { return numbers.at(taken++); }
};

// The middle of the range of r that gives a word number.
double rFor(int index) {
    return (index + 0.5) / DrawRange;
}
} // namespace

class WordListTest : public QObject {
    Q_OBJECT
private slots:
    void theBoardHoldsExactlyTheLettersOfTheWords() {
        QSet<QChar> used;
        for (int index = 1; index <= WordCount; ++index) {
            const QString w = word(index);
            QVERIFY2(w.size() >= 3 && w.size() <= 5, qPrintable(w));
            QCOMPARE(w, w.toUpper());
            for (QChar letter : w)
                used.insert(letter);
        }
        QSet<QChar> board;
        for (const BoardSlot& slot : Board)
            board.insert(QLatin1Char(slot.letter));
        QCOMPARE(board.size(), SlotCount);      // each letter stands on the board once
        QCOMPARE(used, board);                  // so every word can be spelled from it
        QCOMPARE(slotOf(QLatin1Char('s')), 10); // SOCKS takes slot 10 twice
        QCOMPARE(slotOf(QLatin1Char('Q')), -1);
        QVERIFY(word(NoWord).isEmpty());
        QVERIFY(word(WordCount + 1).isEmpty());
    }

    void aRejectedNumberIsDrawnAgain_data() {
        QTest::addColumn<int>("last");
        QTest::addColumn<QList<double>>("numbers");
        QTest::addColumn<int>("expected");
        QTest::newRow("first number taken") << 0 << QList<double>{rFor(7)} << 7;
        QTest::newRow("r = 0 is word 0") << 0 << QList<double>{0.0, rFor(1)} << 1;
        QTest::newRow("the previous word") << 5 << QList<double>{rFor(5), rFor(6)} << 6;
        QTest::newRow("0 and the previous word mixed")
            << 9 << QList<double>{rFor(9), 0.01, rFor(9), 0.0, rFor(9), 0.999999} << 22;
    }

    void aRejectedNumberIsDrawnAgain() {
        QFETCH(int, last);
        QFETCH(QList<double>, numbers);
        QFETCH(int, expected);
        ScriptedSource source{numbers};
        QCOMPARE(drawWordIndex(last, std::ref(source)), expected);
        QCOMPARE(source.taken, numbers.size()); // k rejected numbers and one good one: k + 1 draws
    }

    void theRealDrawReachesEveryWordAndNeverZeroOrThePrevious() {
        const ClockSeededRandom random;
        QList<int> seen(WordCount + 1, 0);
        int last = NoWord;
        for (int draw = 0; draw < 4000; ++draw) {
            const int index = drawWordIndex(last, random);
            QVERIFY(index >= 1 && index <= WordCount);
            QVERIFY(index != last);
            ++seen[index];
            last = index;
        }
        for (int index = 1; index <= WordCount; ++index)
            QVERIFY2(seen[index] > 60, qPrintable(QString::number(index))); // about 180 expected
    }

    void reSeedingWithinOneClockTickDoesNotRepeat() {
        // A clock that never moves: every number is asked for within the same tick.
        const ClockSeededRandom random([] { return std::uint64_t(123456789); });
        QSet<double> numbers;
        for (int i = 0; i < 1000; ++i) {
            const double r = random();
            QVERIFY(r >= 0.0 && r < 1.0);
            numbers.insert(r);
        }
        QVERIFY2(numbers.size() > 990, qPrintable(QString::number(numbers.size())));
        // And the draw therefore ends even when the previous word would keep coming back.
        QVERIFY(drawWordIndex(3, random) != 3);
    }

    void mediaFilesAreTheNamesTheGameAsksFor() {
        const QStringList files = mediaFiles();
        QCOMPARE(files.size(), 2 * WordCount + 2 * SlotCount);
        QVERIFY(files.contains("\\APPLE.gif") && files.contains("\\SOCKS.wav") && files.contains("\\Z.gif"));
    }
};

QTEST_GUILESS_MAIN(WordListTest)
#include "tst_wordlist.moc"
