#include "artwork.h"

#include "canvas.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace media {

namespace {

const QColor titleBlue(38, 110, 230);
const QColor titlePink(255, 84, 160);

QPainterPath circlePath(QPointF centre, qreal radius) {
    QPainterPath path;
    path.addEllipse(centre, radius, radius);
    return path;
}

QPainterPath octagon(QPointF centre, qreal halfWidth) {
    // Flat sides face up, down, left and right, as on a real stop sign.
    const qreal r = halfWidth / std::cos(qDegreesToRadians(22.5));
    QPainterPath path;
    for (int k = 0; k < 8; ++k) {
        const qreal a = qDegreesToRadians(22.5 + 45.0 * k);
        const QPointF v = centre + QPointF(r * std::cos(a), r * std::sin(a));
        k == 0 ? path.moveTo(v) : path.lineTo(v);
    }
    path.closeSubpath();
    return path;
}

// Lettering: each character in turn takes the next colour, outlined in a darker shade of
// its own, and the whole word is scaled to fit the box.
void lettering(QPainter& p, const QString& text, const QVector<QColor>& colours, const QRectF& box,
               const QString& family, qreal outline, bool shadow = true) {
    QFont font(family);
    font.setPixelSize(100);
    const QFontMetricsF metrics(font);
    QVector<QPainterPath> glyphs;
    QPainterPath whole;
    qreal x = 0;
    for (const QChar c : text) {
        QPainterPath g;
        g.addText(x, 0, font, QString(c));
        glyphs.append(g);
        whole.addPath(g);
        x += metrics.horizontalAdvance(c);
    }
    const QRectF ink = whole.boundingRect();
    const qreal scale = std::min(box.width() / ink.width(), box.height() / ink.height());
    QTransform t;
    t.translate(box.center().x(), box.center().y());
    t.scale(scale, scale);
    t.translate(-ink.center().x(), -ink.center().y());

    if (shadow)
        softShadow(p, t.map(whole), QPointF(outline * 0.5, outline * 0.8), outline, QColor(0, 0, 0, 70));
    for (int i = 0; i < glyphs.size(); ++i) {
        const QPainterPath g = t.map(glyphs[i]);
        const QColor c = colours[i % colours.size()];
        p.setPen(QPen(c.darker(170), outline, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(g);
        p.setPen(Qt::NoPen);
        p.setBrush(c);
        p.drawPath(g);
    }
}

// A patchwork tablecloth: squares of bright colours, dotted or striped, with white stitching.
void cloth(QPainter& p, const QRectF& area, qreal cell) {
    static const QColor patches[] = {
        QColor(255, 128, 112), QColor(255, 206, 84),  QColor(120, 206, 150),
        QColor(110, 180, 240), QColor(190, 150, 236), QColor(255, 160, 90),
    };
    p.save();
    p.setClipRect(area);
    const int cols = int(std::ceil(area.width() / cell)), rows = int(std::ceil(area.height() / cell));
    for (int j = 0; j < rows; ++j) {
        for (int i = 0; i < cols; ++i) {
            const QRectF sq(area.left() + i * cell, area.top() + j * cell, cell, cell);
            const QColor base = patches[(i + 2 * j) % 6];
            p.fillRect(sq, base);
            p.save();
            p.setClipRect(sq, Qt::IntersectClip);
            if ((i + j) % 2 == 0) {
                p.setPen(Qt::NoPen);
                p.setBrush(QColor(255, 255, 255, 170));
                const qreal step = cell / 3;
                for (int a = 0; a < 3; ++a)
                    for (int b = 0; b < 3; ++b)
                        p.drawEllipse(sq.topLeft() + QPointF((a + 0.5) * step, (b + 0.5) * step), cell * 0.06,
                                      cell * 0.06);
            } else {
                p.setPen(QPen(base.lighter(125), cell * 0.08));
                for (qreal d = -cell; d < cell * 2; d += cell / 4)
                    p.drawLine(sq.topLeft() + QPointF(d, 0), sq.topLeft() + QPointF(d + cell, cell));
            }
            p.restore();
        }
    }
    QPen stitch(QColor(255, 255, 255, 190), std::max(1.0, cell * 0.03), Qt::CustomDashLine);
    stitch.setDashPattern({3, 2});
    p.setPen(stitch);
    for (int i = 0; i <= cols; ++i)
        p.drawLine(QPointF(area.left() + i * cell - 0.5, area.top()),
                   QPointF(area.left() + i * cell - 0.5, area.bottom()));
    for (int j = 0; j <= rows; ++j)
        p.drawLine(QPointF(area.left(), area.top() + j * cell - 0.5),
                   QPointF(area.right(), area.top() + j * cell - 0.5));
    p.restore();
}

// A round bowl seen from straight above: a white rim with a blue ring, and an inside that is
// either clean white china or filled with the given soup colour.
void bowlFromAbove(QPainter& p, QPointF c, qreal outer, qreal inner, const QColor* soup) {
    softShadow(p, circlePath(c, outer), QPointF(outer * 0.05, outer * 0.07), outer * 0.05,
               QColor(40, 20, 0, 110));

    QRadialGradient rim(c - QPointF(outer * 0.35, outer * 0.35), outer * 1.7);
    rim.setColorAt(0, Qt::white);
    rim.setColorAt(0.55, QColor(246, 247, 250));
    rim.setColorAt(1, QColor(200, 204, 214));
    p.setBrush(rim);
    p.setPen(QPen(QColor(160, 164, 176), std::max(1.0, outer * 0.01)));
    p.drawEllipse(c, outer, outer);

    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(70, 150, 230), std::max(1.5, (outer - inner) * 0.16)));
    const qreal ring = (outer + inner) / 2;
    p.drawEllipse(c, ring, ring);

    if (soup) {
        QRadialGradient s(c - QPointF(inner * 0.25, inner * 0.25), inner * 1.2);
        s.setColorAt(0, soup->lighter(125));
        s.setColorAt(0.7, *soup);
        s.setColorAt(1, soup->darker(125));
        p.setBrush(s);
    } else {
        // The inner wall nearest the light is in shade; the far one catches it.
        QRadialGradient s(c + QPointF(inner * 0.18, inner * 0.22), inner * 1.15);
        s.setColorAt(0, Qt::white);
        s.setColorAt(0.72, QColor(250, 250, 252));
        s.setColorAt(0.9, QColor(228, 230, 238));
        s.setColorAt(1, QColor(206, 210, 222));
        p.setBrush(s);
    }
    p.setPen(QPen(QColor(185, 190, 204), std::max(1.0, outer * 0.008)));
    p.drawEllipse(c, inner, inner);
}

// A spoon seen from above, its bowl at the head end; angle 0 points the head straight up.
void spoon(QPainter& p, QPointF head, qreal length, qreal angleDegrees, qreal scale) {
    p.save();
    p.translate(head);
    p.rotate(angleDegrees);
    p.scale(scale, scale);
    QPainterPath path;
    path.addEllipse(QPointF(0, 0), 30, 44);
    QPainterPath handle(QPointF(-6, 38));
    handle.cubicTo(-8, 80, -9, length - 40, -14, length - 12);
    handle.quadTo(0, length + 12, 14, length - 12);
    handle.cubicTo(9, length - 40, 8, 80, 6, 38);
    handle.closeSubpath();
    path = path.united(handle);

    softShadow(p, path, QPointF(5, 6), 5, QColor(40, 20, 0, 110));
    QLinearGradient metal(-30, 0, 30, 0);
    metal.setColorAt(0, QColor(150, 156, 166));
    metal.setColorAt(0.35, QColor(250, 251, 253));
    metal.setColorAt(0.6, QColor(214, 218, 226));
    metal.setColorAt(1, QColor(140, 146, 156));
    p.setBrush(metal);
    p.setPen(QPen(QColor(110, 116, 128), 1.5));
    p.drawPath(path);
    // The hollow of the spoon's bowl.
    QRadialGradient hollow(QPointF(8, 10), 40);
    hollow.setColorAt(0, QColor(250, 251, 253));
    hollow.setColorAt(1, QColor(170, 176, 188));
    p.setBrush(hollow);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(0, 0), 23, 36);
    p.restore();
}

// Smallest circle round every corner of every tile: the bowl's inside is built round it.
void enclosingCircle(const QVector<QPointF>& points, QPointF* centre, qreal* radius) {
    qreal bestR = 1e9;
    QPointF best;
    for (qreal x = 150; x <= 270; x += 0.5) {
        for (qreal y = 160; y <= 280; y += 0.5) {
            qreal r = 0;
            for (const QPointF& q : points)
                r = std::max(r, std::hypot(q.x() - x, q.y() - y));
            if (r < bestR) {
                bestR = r;
                best = QPointF(x, y);
            }
        }
    }
    *centre = best;
    *radius = bestR;
}

QPainterPath bean(qreal length, qreal width) {
    // A kidney: round ends, a dip in the middle of one side.
    const qreal l = length / 2, w = width / 2;
    QPainterPath path(QPointF(-l, 0));
    path.cubicTo(-l, -w * 1.5, -l * 0.25, -w * 1.1, 0, -w * 0.7);
    path.cubicTo(l * 0.25, -w * 1.1, l, -w * 1.5, l, 0);
    path.cubicTo(l, w * 1.35, -l, w * 1.35, -l, 0);
    path.closeSubpath();
    return path;
}

} // namespace

const QVector<QPoint>& letterSlots() {
    static const QVector<QPoint> table = {
        {96, 120},  {152, 88},  {208, 72},  {288, 88},  {56, 176},  {120, 176},
        {184, 144}, {240, 152}, {312, 160}, {64, 240},  {128, 240}, {184, 208},
        {248, 216}, {320, 224}, {200, 272}, {104, 296}, {152, 320}, {272, 280},
    };
    return table;
}

QImage circleToken(int size, qreal ratio) {
    QImage image = canvas(size, size, Qt::white, ratio);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c(size / 2.0, size / 2.0);
    const qreal r = size / 2.0 - 1;
    QRadialGradient ball(c - QPointF(r * 0.35, r * 0.4), r * 1.5);
    ball.setColorAt(0, QColor(255, 190, 150));
    ball.setColorAt(0.3, QColor(255, 80, 50));
    ball.setColorAt(1, QColor(200, 20, 20));
    p.setBrush(ball);
    p.setPen(QPen(QColor(150, 10, 10), 1.2));
    p.drawEllipse(c, r, r);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 200));
    p.drawEllipse(c - QPointF(r * 0.38, r * 0.42), r * 0.22, r * 0.15);
    return image;
}

QImage jellyBeans(int width, int height, qreal scale) {
    // Drawn at any scale, smaller ones too: a canvas's pixel ratio below 1 would be ignored.
    QImage image = canvas(int(std::lround(width * scale)), int(std::lround(height * scale)), Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);
    static const QColor colours[] = {
        QColor(235, 40, 50),  QColor(255, 150, 20),  QColor(255, 220, 40), QColor(70, 190, 60),
        QColor(150, 70, 200), QColor(255, 110, 170), QColor(40, 140, 235), QColor(250, 240, 220),
        QColor(235, 40, 50),  QColor(70, 190, 60),   QColor(255, 150, 20), QColor(150, 70, 200),
        QColor(40, 140, 235), QColor(255, 110, 170), QColor(255, 220, 40),
    };
    // A heap: a wide bottom row, narrowing upwards; back rows first.
    struct Place {
        qreal x, y;
    };
    const Place heap[] = {
        {0.50, 0.30}, {0.36, 0.40}, {0.64, 0.40}, {0.22, 0.53}, {0.50, 0.52},
        {0.78, 0.53}, {0.14, 0.67}, {0.38, 0.66}, {0.62, 0.66}, {0.86, 0.67},
        {0.26, 0.80}, {0.50, 0.79}, {0.74, 0.80}, {0.38, 0.90}, {0.62, 0.90},
    };
    Random random(7);
    const qreal len = width * 0.30, wid = width * 0.17;
    QPainterPath all;
    QVector<QTransform> where;
    for (const Place& at : heap) {
        QTransform t;
        t.translate(at.x * width, at.y * height);
        t.rotate(random.between(-50, 50) + (random.next() < 0.5 ? 0 : 180));
        where.append(t);
        all.addPath(t.map(bean(len, wid)));
    }
    softShadow(p, all, QPointF(2, 4), 4, QColor(0, 0, 0, 90));
    for (int i = 0; i < where.size(); ++i) {
        const QColor c = colours[i];
        p.save();
        p.setTransform(where[i], true);
        QRadialGradient shine(QPointF(-len * 0.15, -wid * 0.3), len * 0.7);
        shine.setColorAt(0, c.lighter(150));
        shine.setColorAt(0.6, c);
        shine.setColorAt(1, c.darker(140));
        p.setBrush(shine);
        p.setPen(QPen(c.darker(180), 1.2));
        p.drawPath(bean(len, wid));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 170));
        p.drawEllipse(QPointF(-len * 0.2, -wid * 0.2), len * 0.14, wid * 0.12);
        p.restore();
    }
    return image;
}

QImage stopSign(int size, const QString& text, qreal ratio) {
    QImage image = canvas(size, size, Qt::white, ratio);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c(size / 2.0, size / 2.0);
    const qreal half = size / 2.0 - 0.75;
    p.setPen(QPen(QColor(150, 150, 150), 1));
    p.setBrush(Qt::white);
    p.drawPath(octagon(c, half));
    QLinearGradient red(0, 0, 0, size);
    red.setColorAt(0, QColor(236, 40, 40));
    red.setColorAt(1, QColor(196, 16, 24));
    p.setPen(Qt::NoPen);
    p.setBrush(red);
    p.drawPath(octagon(c, half - size * 0.055));
    const QPainterPath word = fitPath(textPath(text, fonts().narrow, 60, {}),
                                      QRectF(size * 0.13, size * 0.34, size * 0.74, size * 0.32));
    p.setBrush(Qt::white);
    p.drawPath(word);
    return image;
}

QImage windowIcon(int size) {
    QImage image = canvas(size, size, Qt::black);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal frame = std::max(1.0, std::round(size / 16.0));
    p.setPen(QPen(QColor(0, 255, 255), frame, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(frame / 2, frame / 2, size - frame, size - frame));
    const qreal pad = frame + std::max(1.0, size / 14.0);
    const QPainterPath abc =
        fitPath(textPath("abc", fonts().sans, 60, {}), QRectF(pad, pad, size - 2 * pad, size - 2 * pad));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 230, 60));
    p.drawPath(abc);
    return image;
}

QImage buttonFaces(int size, qreal ratio) {
    QImage image = canvas(size, size, QColor(255, 246, 200), ratio);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    Random random(101);
    // Both jittered grids spread the pattern evenly, so any part a button shows looks alike.
    const int bubbles = 4;
    const qreal bubbleCell = qreal(size) / bubbles;
    p.setPen(Qt::NoPen);
    for (int j = 0; j < bubbles; ++j) {
        for (int i = 0; i < bubbles; ++i) {
            const QPointF c((i + random.between(0.3, 0.7)) * bubbleCell,
                            (j + random.between(0.3, 0.7)) * bubbleCell);
            const qreal r = bubbleCell * random.between(0.32, 0.44);
            QRadialGradient soft(c - QPointF(r * 0.3, r * 0.3), r * 1.3);
            soft.setColorAt(0, QColor(236, 226, 252));
            soft.setColorAt(1, QColor(212, 192, 244));
            p.setBrush(soft);
            p.drawEllipse(c, r, r);
        }
    }
    const int letters = 6;
    const qreal letterCell = qreal(size) / letters;
    for (int j = 0; j < letters; ++j) {
        for (int i = 0; i < letters; ++i) {
            const QChar letter = QChar('a' + random.below(26));
            const QPointF at((i + random.between(0.25, 0.75)) * letterCell,
                             (j + random.between(0.25, 0.75)) * letterCell);
            const QPainterPath glyph =
                textPath(QString(letter), fonts().comic, letterCell * random.between(0.55, 0.75), {});
            QTransform t;
            t.translate(at.x(), at.y());
            t.rotate(random.between(-25, 25));
            p.setPen(QPen(QColor(255, 160, 70), 1.2));
            p.setBrush(QColor(255, 160, 70));
            p.drawPath(t.map(glyph));
        }
    }
    return image;
}

QImage abcTitle(int width, int height, qreal ratio) {
    QImage image = canvas(width, height, Qt::white, ratio);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // Buttons show only the middle 89 rows of a 100-row picture: keep clear of the edges.
    lettering(p, "ABC's", {titleBlue, titlePink}, QRectF(6, 14, width - 12, height - 28), fonts().comic, 3);
    return image;
}

QImage hangmanTitle(int width, int height, qreal ratio) {
    QImage image = canvas(width, height, Qt::white, ratio);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    lettering(p, "Hangman", {titleBlue, titlePink}, QRectF(6, 16, width - 12, height * 0.5), fonts().comic,
              2.5);
    // The empty slots of a hidden word, as the game shows them.
    p.setPen(QPen(QColor(90, 90, 110), 3, Qt::SolidLine, Qt::RoundCap));
    const qreal slot = (width - 24) / 7.0;
    for (int i = 0; i < 7; ++i)
        p.drawLine(QPointF(12 + i * slot + 3, height * 0.8), QPointF(12 + (i + 1) * slot - 3, height * 0.8));
    return image;
}

QImage wordpotButton(int width, int height, qreal ratio) {
    QImage image = canvas(width, height, Qt::white, ratio);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    cloth(p, QRectF(0, 0, width, height), 25);
    const QPointF c(width * 0.45, height * 0.5);
    const qreal outer = height * 0.43, inner = outer * 0.8;
    const QColor soup(250, 130, 40);
    bowlFromAbove(p, c, outer, inner, &soup);
    // Pasta letters floating in the soup, evenly spread, leaving room round the title.
    Random random(160);
    constexpr qreal pasta = 17;
    for (qreal y = c.y() - inner; y < c.y() + inner; y += pasta) {
        for (qreal x = c.x() - inner; x < c.x() + inner; x += pasta) {
            const QPointF at(x + random.between(0.2, 0.8) * pasta, y + random.between(0.2, 0.8) * pasta);
            const QChar letter = QChar('a' + random.below(26));
            const qreal angle = random.between(-40, 40);
            if (std::hypot(at.x() - c.x(), at.y() - c.y()) > inner - 8 || std::abs(at.y() - c.y()) < 20)
                continue;
            QTransform t;
            t.translate(at.x(), at.y());
            t.rotate(angle);
            p.setPen(QPen(QColor(255, 236, 190), 0.8));
            p.setBrush(QColor(255, 236, 190));
            p.drawPath(t.map(textPath(QString(letter), fonts().comic, 13, {})));
        }
    }
    spoon(p, QPointF(width * 0.9, height * 0.28), 150, 6, 0.45);
    // The white word needs a dark edge to read over the soup and the cloth.
    QFont title(fonts().comic);
    title.setPixelSize(100);
    QPainterPath word;
    word.addText(0, 0, title, "Wordpot");
    word = fitPath(word, QRectF(4, height * 0.5 - 17, width - 8, 34));
    softShadow(p, word, QPointF(1.5, 2), 2, QColor(0, 0, 0, 160));
    p.setPen(QPen(QColor(120, 40, 0), 3.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(word);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPath(word);
    return image;
}

QImage splashBowl(int width, int height, qreal ratio) {
    QImage image = canvas(width, height, Qt::white, ratio);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal cx = width / 2.0, rimY = height * 0.44, rx = width * 0.42, ry = height * 0.09;
    const qreal bottom = height * 0.74;

    // Inside of the bowl, full of orange soup, behind the rim's far edge.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 140, 50));
    p.drawEllipse(QPointF(cx, rimY), rx * 0.96, ry * 0.85);
    const QRectF rimBox(cx - rx, rimY - ry, 2 * rx, 2 * ry);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(20, 70, 160), 2));
    p.drawArc(rimBox, 0, 180 * 16);

    // Letter tiles jumping out of the soup.
    struct Jump {
        QChar letter;
        qreal x, y, angle;
    };
    const Jump jumps[] = {
        {'a', 0.22, 0.30, -20},
        {'B', 0.41, 0.19, -6},
        {'c', 0.60, 0.23, 9},
        {'d', 0.78, 0.31, 22},
    };
    const qreal t = width * 0.19;
    for (const Jump& j : jumps) {
        p.save();
        p.translate(j.x * width, j.y * height);
        p.rotate(j.angle);
        const QColor colour = cheerfulColour(j.letter.toUpper().unicode() - 'A');
        const QRectF tile(-t / 2, -t / 2, t, t);
        QPainterPath tilePath;
        tilePath.addRoundedRect(tile, t * 0.2, t * 0.2);
        softShadow(p, tilePath, QPointF(1, 2), 2, QColor(0, 0, 0, 80));
        QLinearGradient fill(0, -t / 2, 0, t / 2);
        fill.setColorAt(0, colour.lighter(135));
        fill.setColorAt(1, colour.darker(115));
        p.setBrush(fill);
        p.setPen(QPen(colour.darker(160), 1.5));
        p.drawPath(tilePath);
        const QPainterPath letter = fitPath(textPath(QString(j.letter), fonts().comic, 40, {}),
                                            tile.adjusted(t * 0.2, t * 0.16, -t * 0.2, -t * 0.16));
        p.setPen(QPen(colour.darker(200), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(letter);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawPath(letter);
        p.restore();
    }

    // The front of the bowl hides the feet of the tiles.
    QPainterPath body(QPointF(cx - rx, rimY));
    body.arcTo(QRectF(cx - rx, rimY - ry, 2 * rx, 2 * ry), 180, 180);
    body.cubicTo(cx + rx, rimY + (bottom - rimY) * 0.8, cx + rx * 0.5, bottom, cx, bottom);
    body.cubicTo(cx - rx * 0.5, bottom, cx - rx, rimY + (bottom - rimY) * 0.8, cx - rx, rimY);
    body.closeSubpath();
    QPainterPath foot;
    foot.addRoundedRect(QRectF(cx - rx * 0.35, bottom - 6, rx * 0.7, 10), 4, 4);
    softShadow(p, body.united(foot), QPointF(2, 4), 4, QColor(0, 0, 0, 70));
    p.setBrush(QColor(40, 120, 220));
    p.setPen(QPen(QColor(20, 70, 160), 1.5));
    p.drawPath(foot);
    QLinearGradient glaze(cx - rx, 0, cx + rx, 0);
    glaze.setColorAt(0, QColor(40, 120, 220));
    glaze.setColorAt(0.35, QColor(110, 190, 255));
    glaze.setColorAt(1, QColor(30, 100, 200));
    p.setBrush(glaze);
    p.drawPath(body);
    // White dots round the bowl.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 230));
    for (int i = 0; i < 7; ++i) {
        const qreal x = cx - rx * 0.75 + i * rx * 0.25;
        const qreal y = rimY + (bottom - rimY) * 0.45 + std::pow((x - cx) / rx, 2) * -(bottom - rimY) * 0.25;
        p.drawEllipse(QPointF(x, y), 4, 4);
    }
    // The rim's near edge, a little lighter where the light catches it.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(150, 210, 255), 2));
    p.drawArc(rimBox, 180 * 16, 180 * 16);

    lettering(p, "Wordpot",
              {titlePink, QColor(255, 150, 20), QColor(60, 180, 70), titleBlue, QColor(150, 80, 210),
               QColor(240, 60, 60), QColor(20, 170, 190)},
              QRectF(4, height * 0.79, width - 8, height * 0.19), fonts().comic, 2.5);
    return image;
}

QImage eraseArrow(int size, qreal ratio) {
    QImage image = canvas(size, size, QColor(192, 192, 192), ratio);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size / 40.0;
    // Raised edges, like a key.
    p.setPen(QPen(QColor(240, 240, 240), 1));
    p.drawLine(QPointF(0.5, 0.5), QPointF(size - 1.5, 0.5));
    p.drawLine(QPointF(0.5, 0.5), QPointF(0.5, size - 1.5));
    p.setPen(QPen(QColor(120, 120, 120), 1));
    p.drawLine(QPointF(size - 0.5, 0.5), QPointF(size - 0.5, size - 0.5));
    p.drawLine(QPointF(0.5, size - 0.5), QPointF(size - 0.5, size - 0.5));

    p.scale(s, s);
    // Comes up from the lower right, turns over the top and heads left.
    QPainterPath shaft(QPointF(28, 32));
    shaft.cubicTo(33, 26, 34, 16, 27, 12);
    shaft.cubicTo(23, 10, 19, 11, 15, 11.5);
    const QColor blue(20, 80, 220);
    p.setPen(QPen(blue.darker(130), 6.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(shaft);
    p.setPen(QPen(blue, 4.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(shaft);
    QPainterPath head(QPointF(5, 11.5));
    head.lineTo(16, 4);
    head.lineTo(16, 19);
    head.closeSubpath();
    p.setPen(QPen(blue.darker(130), 1));
    p.setBrush(blue);
    p.drawPath(head);
    return image;
}

QImage boardBackground(int width, int height, qreal ratio) {
    QImage image = canvas(width, height, Qt::white, ratio);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    cloth(p, QRectF(0, 0, width, height), 55);

    QVector<QPointF> corners;
    constexpr qreal margin = 3;
    for (const QPoint& s : letterSlots()) {
        const QRectF r = QRectF(s, QSizeF(artwork::TileSize, artwork::TileSize))
                             .adjusted(-margin, -margin, margin, margin);
        corners << r.topLeft() << r.topRight() << r.bottomLeft() << r.bottomRight();
    }
    QPointF c;
    qreal inner;
    enclosingCircle(corners, &c, &inner);
    const qreal outer = inner + 22;
    if (c.x() - outer < 0 || c.y() - outer < 0 || c.y() + outer > height || c.x() + outer > 420) {
        std::fprintf(stderr, "mediadraw: the bowl round the letter slots does not fit the picture\n");
        std::exit(1);
    }
    bowlFromAbove(p, c, outer, inner, nullptr);
    spoon(p, QPointF(c.x() + outer + 70, c.y() - outer * 0.35), 250, 12, 1.0);
    return image;
}

} // namespace media
