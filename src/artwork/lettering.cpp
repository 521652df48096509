#include "artwork/lettering.h"

#include <QFont>
#include <QTransform>

#include <algorithm>
#include <cmath>

namespace artwork {

QPainterPath textPath(const QString& text, const QString& family, qreal pixelSize, QPointF centre) {
    QFont font(family);
    font.setPixelSize(int(std::lround(pixelSize)));
    QPainterPath path;
    path.addText(0, 0, font, text);
    const QRectF ink = path.boundingRect();
    return path.translated(centre - ink.center());
}

QPainterPath fitPath(const QPainterPath& path, const QRectF& box) {
    const QRectF ink = path.boundingRect();
    const qreal scale = std::min(box.width() / ink.width(), box.height() / ink.height());
    QTransform t;
    t.translate(box.center().x(), box.center().y());
    t.scale(scale, scale);
    t.translate(-ink.center().x(), -ink.center().y());
    return t.map(path);
}

QColor cheerfulColour(int index) {
    // Golden-ratio steps round the colour wheel keep any run of indexes well apart.
    const double hue = std::fmod(0.02 + index * 0.618033988749895, 1.0);
    return QColor::fromHsvF(float(hue), 0.80f, 0.95f);
}

} // namespace artwork
