// A letter tile, for any letter at any pixel ratio, fills a board slot's place in layout pixels, is drawn
// at the screen's own pixels, and leaves its corners clear so that the bowl under it shows there.
#include "artwork/lettertile.h"
#include "resources/resources.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QTest>

#include <cmath>

namespace {
QString sansBold() {
    resources::init();
    static const QString family = QFontDatabase::applicationFontFamilies(
                                      QFontDatabase::addApplicationFont(":/fonts/LiberationSans-Bold.ttf"))
                                      .value(0);
    return family;
}

int whitePixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixel(x, y) == qRgb(255, 255, 255);
    return count;
}
} // namespace

class ArtworkTest : public QObject {
    Q_OBJECT
private slots:
    void tileAtAnyRatio_data() {
        QTest::addColumn<QString>("letter");
        QTest::addColumn<qreal>("ratio");
        QTest::newRow("A at 100 %") << QStringLiteral("A") << 1.0;
        QTest::newRow("Z at 200 %") << QStringLiteral("Z") << 2.0;
        QTest::newRow("Ä at 150 %") << QStringLiteral("Ä") << 1.5;
        QTest::newRow("Ñ at 125 %") << QStringLiteral("Ñ") << 1.25;
    }
    void tileAtAnyRatio() {
        QFETCH(QString, letter);
        QFETCH(qreal, ratio);
        const QImage tile = artwork::letterTile(letter, ratio, sansBold());
        const int side = int(std::lround(artwork::TileSize * ratio));
        QCOMPARE(tile.size(), QSize(side, side));
        QCOMPARE(tile.deviceIndependentSize().toSize(), QSize(artwork::TileSize, artwork::TileSize));
        // The corners outside the rounded square are clear; its edges and middle are not.
        const int last = side - 1, mid = side / 2;
        for (const QPoint corner : {QPoint(0, 0), QPoint(last, 0), QPoint(0, last), QPoint(last, last)})
            QVERIFY2(qAlpha(tile.pixel(corner)) == 0,
                     qPrintable(QStringLiteral("%1,%2").arg(corner.x()).arg(corner.y())));
        for (const QPoint edge :
             {QPoint(mid, 2), QPoint(2, mid), QPoint(last - 2, mid), QPoint(mid, last - 2)})
            QCOMPARE(qAlpha(tile.pixel(edge)), 255);
        // The white letter covers a fair part of it at any ratio, and it stands on the letter's own colour.
        const double letterShare = double(whitePixels(tile)) / (side * side);
        QVERIFY2(letterShare > 0.08 && letterShare < 0.4, qPrintable(QString::number(letterShare)));
        QVERIFY(tile.pixel(2, mid) !=
                artwork::letterTile(QStringLiteral("B"), ratio, sansBold()).pixel(2, mid));
    }
};

QTEST_MAIN(ArtworkTest)
#include "tst_artwork.moc"
