// The pictures drawn by code rather than taken from the emoji font: letter tiles, the stop
// sign, the icon, the bowl pictures and the small button pictures.
#pragma once

#include <QImage>
#include <QPoint>
#include <QString>
#include <QVector>

namespace media {

// Top-left corners, in pixels, of the spelling game's 18 letter slots; each slot's tile must
// lie wholly over the bowl of the background picture.
const QVector<QPoint>& letterSlots();
constexpr int tileSize = 44; // slots are as little as 48 px apart: a gap keeps tiles apart

QImage letterTile(QChar capital);
QImage circleToken(int size);
QImage jellyBeans(int width, int height);
QImage stopSign(int size, const QString& text);
QImage windowIcon(int size);
QImage buttonFaces(int size); // pale field for the Yes and No buttons
QImage abcTitle(int width, int height);
QImage hangmanTitle(int width, int height);
QImage wordpotButton(int width, int height);
QImage splashBowl(int width, int height);
QImage eraseArrow(int size);
QImage boardBackground(int width, int height);

} // namespace media
