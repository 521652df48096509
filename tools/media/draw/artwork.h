// The pictures drawn by code rather than taken from the emoji set: the stop sign, the icon, the
// bowl pictures and the small button pictures (the letter tiles are the program's own drawing, in
// src/artwork). Each is drawn in layout pixels at the given pixel ratio; an icon's images are drawn
// at each real size instead.
#pragma once

#include "artwork/lettertile.h"

#include <QImage>
#include <QPoint>
#include <QString>
#include <QVector>

namespace media {

// Top-left corners, in pixels, of the spelling game's 18 letter slots; each slot's tile must
// lie wholly over the bowl of the background picture.
const QVector<QPoint>& letterSlots();

QImage circleToken(int size, qreal ratio);
QImage jellyBeans(int width, int height, qreal scale); // an image of width x height times scale
QImage stopSign(int size, const QString& text, qreal ratio);
QImage windowIcon(int size);
QImage buttonFaces(int size, qreal ratio); // pale field for the Yes and No buttons
QImage abcTitle(int width, int height, qreal ratio);
QImage hangmanTitle(int width, int height, qreal ratio);
QImage wordpotButton(int width, int height, qreal ratio);
QImage splashBowl(int width, int height, qreal ratio);
QImage eraseArrow(int size, qreal ratio);
QImage boardBackground(int width, int height, qreal ratio);

} // namespace media
