// The word list against the board, and the draw with a scripted source of numbers and with the real one.
#include "random/random.h"
#include "wordpot/draw.h"
#include "wordpot/wordlist.h"

#include <QSet>
#include <QTest>

using namespace wordpot;

namespace {
struct ScriptedSource {
    QList<double> numbers;
    int taken = 0;
    double operator()() { return numbers.at(taken++); }
};

// The middle of the range of r that draws a word.
double rFor(int index) {
    return (index + 0.5) / DrawRange;
}
} // namespace

class WordListTest : public QObject {
    Q_OBJECT
private slots:
    void everyWordCanBeSpelledFromTheBoard() {
        QSet<QChar> used, board;
        for (int index = 1; index <= WordCount; ++index)
            for (QChar letter : word(index))
                used.insert(letter);
        for (const BoardSlot& slot : Board)
            board.insert(QLatin1Char(slot.letter));
        QCOMPARE(board.size(), SlotCount); // each letter stands on the board once
        QCOMPARE(used, board);
        QCOMPARE(slotOf(QLatin1Char('s')), 10);
        QCOMPARE(slotOf(QLatin1Char('Q')), -1);
        QCOMPARE(mediaFiles().size(), 2 * WordCount + 2 * SlotCount);
        QVERIFY(mediaFiles().contains(MediaFile("\\SOCKS.wav")) &&
                mediaFiles().contains(MediaFile("\\Z.gif")));
    }

    void aRejectedNumberIsDrawnAgain_data() {
        QTest::addColumn<int>("last");
        QTest::addColumn<QList<double>>("numbers");
        QTest::addColumn<int>("expected");
        QTest::newRow("first number taken") << 0 << QList<double>{rFor(7)} << 7;
        QTest::newRow("r = 0 is word 0") << 0 << QList<double>{0.0, rFor(1)} << 1;
        QTest::newRow("the previous word") << 5 << QList<double>{rFor(5), rFor(6)} << 6;
        QTest::newRow("mixed") << 9 << QList<double>{rFor(9), 0.01, rFor(9), 0.0, 0.999999} << 22;
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
            QVERIFY(index >= 1 && index <= WordCount && index != last);
            ++seen[index];
            last = index;
        }
        for (int index = 1; index <= WordCount; ++index)
            QVERIFY2(seen[index] > 60, qPrintable(QString::number(index))); // about 180 expected
    }
};

QTEST_GUILESS_MAIN(WordListTest)
#include "tst_wordlist.moc"
