#include "faces.h"

#include "canvas.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>

namespace media {

namespace {

const QColor ink(26, 20, 16);
const QColor mouthDark(110, 38, 20);
const QColor tongue(240, 88, 96);
const QColor red(226, 32, 28);

// Faces are laid out on a 100 x 100 grid. Strokes keep a minimum width in real pixels so
// that the small icons still show every feature.
class Grid {
public:
    Grid(QPainter& p, int size)
        : m_p(p)
        , m_unit(size / 100.0) {
        m_p.scale(m_unit, m_unit);
    }
    qreal width(qreal units, qreal minPixels = 1.1) const { return std::max(units, minPixels / m_unit); }
    QPen pen(const QColor& c, qreal units) const {
        return QPen(c, width(units), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    }

private:
    QPainter& m_p;
    qreal m_unit;
};

void eyes(QPainter& p, const Grid& g) {
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    const qreal rx = std::max(5.5, g.width(0, 1.6) / 2), ry = std::max(8.5, g.width(0, 2.2) / 2);
    p.drawEllipse(QPointF(34, 38), rx, ry);
    p.drawEllipse(QPointF(66, 38), rx, ry);
}

void stroke(QPainter& p, const Grid& g, const QPainterPath& path, qreal units, const QColor& c = ink) {
    p.setBrush(Qt::NoBrush);
    p.setPen(g.pen(c, units));
    p.drawPath(path);
}

QPainterPath curve(QPointF from, QPointF control, QPointF to) {
    QPainterPath path(from);
    path.quadTo(control, to);
    return path;
}

// A "D" shaped open mouth from the left corner to the right one, dropping to the given depth.
QPainterPath openMouth(qreal left, qreal right, qreal top, qreal depth) {
    const qreal mid = (left + right) / 2, half = (right - left) / 2;
    QPainterPath path(QPointF(left, top));
    path.lineTo(right, top);
    path.cubicTo(right, top + depth * 0.75, mid + half * 0.55, top + depth, mid, top + depth);
    path.cubicTo(mid - half * 0.55, top + depth, left, top + depth * 0.75, left, top);
    path.closeSubpath();
    return path;
}

void laughingMouth(QPainter& p, const Grid& g, const QPainterPath& mouth, bool teeth) {
    p.setPen(Qt::NoPen);
    p.setBrush(mouthDark);
    p.drawPath(mouth);
    p.save();
    p.setClipPath(mouth);
    const QRectF box = mouth.boundingRect();
    p.setBrush(tongue);
    p.drawEllipse(QPointF(box.center().x(), box.bottom()), box.width() * 0.3, box.height() * 0.42);
    if (teeth) {
        p.setBrush(Qt::white);
        p.drawRect(QRectF(box.left(), box.top(), box.width(), box.height() * 0.22));
    }
    p.restore();
    stroke(p, g, mouth, 2.5);
}

void brows(QPainter& p, const Grid& g) {
    stroke(p, g, curve(QPointF(22, 27), QPointF(32, 26), QPointF(42, 19)), 3.5);
    stroke(p, g, curve(QPointF(78, 27), QPointF(68, 26), QPointF(58, 19)), 3.5);
}

} // namespace

QImage face(Face kind, int size) {
    QImage image = canvas(size, size, Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    Grid g(p, size);

    // The head: warm yellow, lighter towards the top left, with a thin amber rim.
    const qreal rim = g.width(2.2, 1.0);
    const qreal r = 50 - rim / 2 - 0.5;
    QRadialGradient skin(QPointF(38, 32), 70);
    skin.setColorAt(0, QColor(255, 236, 120));
    skin.setColorAt(0.6, QColor(255, 212, 60));
    skin.setColorAt(1, QColor(250, 176, 30));
    p.setBrush(skin);
    p.setPen(QPen(QColor(204, 134, 10), rim));
    p.drawEllipse(QPointF(50, 50), r, r);

    switch (kind) {
    case Face::Smile:
        eyes(p, g);
        stroke(p, g, curve(QPointF(28, 60), QPointF(50, 84), QPointF(72, 60)), 5.5);
        break;
    case Face::Straight:
        eyes(p, g);
        stroke(p, g, curve(QPointF(32, 69), QPointF(50, 69), QPointF(68, 69)), 5.5);
        break;
    case Face::Frown:
        eyes(p, g);
        stroke(p, g, curve(QPointF(29, 76), QPointF(50, 54), QPointF(71, 76)), 5.5);
        break;
    case Face::Grin:
        eyes(p, g);
        laughingMouth(p, g, openMouth(24, 76, 56, 32), true);
        break;
    case Face::Laugh: {
        QPainterPath left(QPointF(26, 28));
        left.lineTo(42, 38);
        left.lineTo(26, 47);
        QPainterPath right(QPointF(74, 28));
        right.lineTo(58, 38);
        right.lineTo(74, 47);
        stroke(p, g, left, 5);
        stroke(p, g, right, 5);
        laughingMouth(p, g, openMouth(20, 80, 54, 36), true);
        break;
    }
    case Face::LaughRed: {
        stroke(p, g, curve(QPointF(25, 42), QPointF(34, 28), QPointF(43, 42)), 5.5);
        stroke(p, g, curve(QPointF(57, 42), QPointF(66, 28), QPointF(75, 42)), 5.5);
        const QPainterPath mouth = openMouth(24, 76, 55, 34);
        p.setPen(Qt::NoPen);
        p.setBrush(red);
        p.drawPath(mouth);
        stroke(p, g, mouth, 3.5);
        break;
    }
    case Face::Worried:
        brows(p, g);
        eyes(p, g);
        stroke(p, g, curve(QPointF(34, 76), QPointF(50, 64), QPointF(66, 76)), 5);
        break;
    case Face::Crying: {
        brows(p, g);
        eyes(p, g);
        stroke(p, g, curve(QPointF(30, 78), QPointF(50, 60), QPointF(70, 78)), 5);
        QPainterPath tear(QPointF(27, 50));
        tear.cubicTo(22, 60, 19, 64, 19, 68);
        tear.cubicTo(19, 73, 23, 76, 27, 76);
        tear.cubicTo(31, 76, 35, 73, 35, 68);
        tear.cubicTo(35, 64, 32, 60, 27, 50);
        p.setBrush(QColor(80, 170, 245));
        p.setPen(QPen(QColor(30, 110, 200), g.width(1.5, 0.8)));
        p.drawPath(tear);
        break;
    }
    }
    return image;
}

} // namespace media
