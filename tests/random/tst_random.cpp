// The clock-seeded source of the word draws: always 0 <= r < 1, and never stuck on one number, even when
// the clock does not move between draws.
#include "random/random.h"

#include <QSet>
#include <QTest>

class RandomTest : public QObject {
    Q_OBJECT
private slots:
    void staysBelowOneAndVaries_data() {
        QTest::addColumn<bool>("stoppedClock");
        QTest::newRow("the real clock") << false;
        QTest::newRow("a clock that does not move") << true;
    }
    void staysBelowOneAndVaries() {
        QFETCH(bool, stoppedClock);
        const ClockSeededRandom random =
            stoppedClock ? ClockSeededRandom([] { return std::uint64_t(123456789); }) : ClockSeededRandom();
        QSet<double> doubles;
        QSet<float> singles;
        for (int i = 0; i < 1000; ++i) {
            const double r = random();
            const float s = random.single();
            QVERIFY(r >= 0.0 && r < 1.0 && s >= 0.0f && s < 1.0f);
            doubles.insert(r);
            singles.insert(s);
        }
        QVERIFY2(doubles.size() > 990 && singles.size() > 990,
                 qPrintable(QStringLiteral("%1 %2").arg(doubles.size()).arg(singles.size())));
    }
};

QTEST_APPLESS_MAIN(RandomTest)
#include "tst_random.moc"
