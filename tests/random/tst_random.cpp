// The clock-seeded source of the word draws: always 0 <= r < 1, and never stuck on one number, even when
// the clock does not move between draws (the real clock moves, which only helps).
#include "random/random.h"

#include <QSet>
#include <QTest>

class RandomTest : public QObject {
    Q_OBJECT
private slots:
    void staysBelowOneAndVariesOnAStoppedClock() {
        const ClockSeededRandom random([] { return std::uint64_t(123456789); });
        QSet<double> seen;
        for (int i = 0; i < 1000; ++i) {
            const double r = random(), s = random.single();
            QVERIFY2(r >= 0 && r < 1 && s >= 0 && s < 1, qPrintable(QStringLiteral("%1 %2").arg(r).arg(s)));
            seen << r << s + 1; // both precisions, apart
        }
        QVERIFY2(seen.size() > 1980, qPrintable(QString::number(seen.size())));
    }
};

QTEST_APPLESS_MAIN(RandomTest)
#include "tst_random.moc"
