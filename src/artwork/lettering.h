// Shapes and colours of the drawn artwork that more than one picture shares: text as outlines that can
// be fitted to a box, and the bright colour that goes with each letter.
#pragma once

#include <QColor>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <QString>

namespace artwork {

// Text as a path, centred on the given point by its ink (not its line box), for lettering that is filled
// and outlined.
QPainterPath textPath(const QString& text, const QString& family, qreal pixelSize, QPointF centre);

// Scales the path about its centre so that it fits the box, then centres it there.
QPainterPath fitPath(const QPainterPath& path, const QRectF& box);

// Colour by hue step, bright and well apart from its neighbours for any index.
QColor cheerfulColour(int index);

} // namespace artwork
