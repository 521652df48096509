// Shared drawing helpers of the picture maker: the fonts it may use, emoji as images from their
// vector sources, fitting art onto a canvas, soft shadows and a seeded random source. Every picture
// is drawn in layout pixels on a canvas whose device-pixel ratio gives the real pixels, so one drawing
// makes the 1x file and the 2x one.
#pragma once

#include "artwork/lettering.h"

#include <QColor>
#include <QImage>
#include <QPainterPath>
#include <QSize>
#include <QString>

#include <functional>

class QPainter;

namespace media {

using artwork::cheerfulColour;
using artwork::fitPath;
using artwork::textPath;

// Families of the fonts loaded from their package files, so that no font configuration of
// the machine can change a picture.
struct Fonts {
    QString comic;  // Comic Neue Bold: friendly lettering for titles
    QString sans;   // DejaVu Sans Bold: plain capitals a child learns to read
    QString narrow; // DejaVu Sans Condensed Bold: road-sign lettering
    QString label;  // DejaVu Sans: the contact sheet's captions
};
const Fonts& fonts();

// A canvas in the one format every drawing uses: width x height layout pixels, each of them
// ratio x ratio real pixels (a ratio of 1 or more: a painter ignores a smaller one).
QImage canvas(int width, int height, const QColor& fill = Qt::white, qreal ratio = 1);

// Where the Noto emoji's vector sources are: the folder of the icon set's icons.json and
// chars.json. Set once, before the first emoji is drawn.
void setEmojiSource(const QString& folder);

// The emoji drawn from its vector source as large as fits the given real pixels, keeping its
// shape, with its empty margins cut off. Transparent around the emoji.
QImage emoji(const QString& text, QSize room);

// Art made by draw(room), given the room in real pixels inside the margin on every side,
// centred on a white canvas of width x height layout pixels at the ratio.
QImage onWhite(const std::function<QImage(QSize)>& draw, int width, int height, int margin, qreal ratio);

// A copy with every pixel composited on white and the alpha channel dropped, ready for
// formats without transparency.
QImage flattened(const QImage& image, const QColor& background = Qt::white);

// Draws a blurred, offset silhouette of the path in the given colour: a soft shadow.
void softShadow(QPainter& p, const QPainterPath& path, QPointF offset, qreal blur, const QColor& colour);

// A small, fixed pseudo-random sequence: the same on every machine and every run.
class Random {
public:
    explicit Random(quint32 seed)
        : m_state(seed ? seed : 1) {}
    double next(); // in [0, 1)
    double between(double low, double high) { return low + (high - low) * next(); }
    int below(int n) { return int(next() * n); }

private:
    quint32 m_state;
};

} // namespace media
