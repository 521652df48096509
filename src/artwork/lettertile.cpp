#include "artwork/lettertile.h"

#include "artwork/lettering.h"

#include <QLinearGradient>
#include <QPainter>

#include <cmath>

namespace artwork {

QImage letterTile(const QString& letter, qreal pixelRatio, const QString& fontFamily) {
    const int pixels = int(std::lround(TileSize * pixelRatio));
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    image.setDevicePixelRatio(pixelRatio);
    if (letter.isEmpty())
        return image;

    // Everything below is in layout pixels; the painter scales it to the real ones.
    constexpr qreal s = TileSize;
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor colour = cheerfulColour(letter.at(0).unicode() - 'A');
    QLinearGradient fill(0, 0, 0, s);
    fill.setColorAt(0, colour.lighter(135));
    fill.setColorAt(0.5, colour);
    fill.setColorAt(1, colour.darker(118));
    p.setBrush(fill);
    p.setPen(QPen(colour.darker(165), 1.5));
    p.drawRoundedRect(QRectF(1, 1, s - 2, s - 2), 9, 9);
    // A glossy top half, like a sweet.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 70));
    p.drawRoundedRect(QRectF(4, 3, s - 8, s * 0.42), 7, 7);

    const QPainterPath shape =
        fitPath(textPath(letter, fontFamily, 40, {}), QRectF(s * 0.17, s * 0.15, s * 0.66, s * 0.7));
    p.setPen(QPen(colour.darker(200), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shape);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPath(shape);
    return image;
}

} // namespace artwork
