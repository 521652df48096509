// Shared drawing helpers of the picture maker: the fonts it may use, emoji glyphs as images,
// fitting art onto a canvas, soft shadows and a seeded random source.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainterPath>
#include <QString>

class QPainter;

namespace media {

// Families of the fonts loaded from their package files, so that no font configuration of
// the machine can change a picture.
struct Fonts {
    QString emoji;  // Noto Color Emoji
    QString comic;  // Comic Neue Bold: friendly lettering for titles
    QString sans;   // DejaVu Sans Bold: plain capitals a child learns to read
    QString narrow; // DejaVu Sans Condensed Bold: road-sign lettering
    QString label;  // DejaVu Sans: the contact sheet's captions
};
const Fonts& fonts();

// A canvas in the one format every drawing uses.
QImage canvas(int width, int height, const QColor& fill = Qt::white);

// The emoji drawn at the font's own bitmap size, cropped to its visible pixels.
QImage emoji(const QString& text);

// Art scaled to fit inside the canvas less the margin on every side, centred on a white
// canvas of that size.
QImage onWhite(const QImage& art, int width, int height, int margin);

// A copy with every pixel composited on white and the alpha channel dropped, ready for
// formats without transparency.
QImage flattened(const QImage& image, const QColor& background = Qt::white);

// Draws a blurred, offset silhouette of the path in the given colour: a soft shadow.
void softShadow(QPainter& p, const QPainterPath& path, QPointF offset, qreal blur, const QColor& colour);

// Text as a path, centred on the given point by its ink (not its line box), for lettering
// that is filled and outlined.
QPainterPath textPath(const QString& text, const QString& family, qreal pixelSize, QPointF centre);

// Scales the path about its centre so that it fits the box, then centres it there.
QPainterPath fitPath(const QPainterPath& path, const QRectF& box);

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

// Colour by hue step, bright and well apart from its neighbours for any index.
QColor cheerfulColour(int index);

} // namespace media
