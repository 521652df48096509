#include "canvas.h"

#include <QFontDatabase>
#include <QPainter>
#include <QRawFont>
#include <QVector>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace media {

namespace {

QString loadFont(const char* file) {
    const int id = QFontDatabase::addApplicationFont(QString::fromLatin1(file));
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    if (families.isEmpty()) {
        std::fprintf(stderr, "mediadraw: cannot load font %s\n", file);
        std::exit(1);
    }
    return families.first();
}

// One horizontal then one vertical running-sum pass over an 8-bit coverage buffer.
void boxBlur(QVector<int>& a, int w, int h, int r) {
    QVector<int> tmp(a.size());
    for (int y = 0; y < h; ++y) {
        long sum = 0;
        for (int x = -r; x <= r; ++x)
            sum += a[y * w + std::clamp(x, 0, w - 1)];
        for (int x = 0; x < w; ++x) {
            tmp[y * w + x] = int(sum / (2 * r + 1));
            sum += a[y * w + std::min(x + r + 1, w - 1)] - a[y * w + std::max(x - r, 0)];
        }
    }
    for (int x = 0; x < w; ++x) {
        long sum = 0;
        for (int y = -r; y <= r; ++y)
            sum += tmp[std::clamp(y, 0, h - 1) * w + x];
        for (int y = 0; y < h; ++y) {
            a[y * w + x] = int(sum / (2 * r + 1));
            sum += tmp[std::min(y + r + 1, h - 1) * w + x] - tmp[std::max(y - r, 0) * w + x];
        }
    }
}

} // namespace

const Fonts& fonts() {
    static const Fonts loaded{
        loadFont("/usr/share/fonts/truetype/noto/NotoColorEmoji.ttf"),
        loadFont("/usr/share/fonts/opentype/comic-neue/ComicNeue-Bold.otf"),
        loadFont("/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"),
        loadFont("/usr/share/fonts/truetype/dejavu/DejaVuSansCondensed-Bold.ttf"),
        loadFont("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"),
    };
    return loaded;
}

QImage canvas(int width, int height, const QColor& fill) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(fill);
    return image;
}

QImage emoji(const QString& text) {
    // 109 px is the size of the font's bitmaps: drawn there, no glyph is resampled yet.
    constexpr int strike = 109;
    QImage image = canvas(3 * strike, 3 * strike, Qt::transparent);
    {
        QPainter p(&image);
        QFont font(fonts().emoji);
        font.setPixelSize(strike);
        p.setFont(font);
        p.drawText(image.rect(), Qt::AlignCenter, text);
    }
    int left = image.width(), top = image.height(), right = -1, bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(line[x]) > 8) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    if (right < 0) {
        std::fprintf(stderr, "mediadraw: the emoji font has no glyph for %s\n", qPrintable(text));
        std::exit(1);
    }
    return image.copy(left, top, right - left + 1, bottom - top + 1);
}

QImage onWhite(const QImage& art, int width, int height, int margin) {
    QImage out = canvas(width, height);
    const QSize room(width - 2 * margin, height - 2 * margin);
    const QImage scaled = art.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QPainter p(&out);
    p.drawImage((width - scaled.width()) / 2, (height - scaled.height()) / 2, scaled);
    return out;
}

QImage flattened(const QImage& image, const QColor& background) {
    QImage out(image.size(), QImage::Format_RGB32);
    out.fill(background);
    QPainter p(&out);
    p.drawImage(0, 0, image);
    return out;
}

void softShadow(QPainter& p, const QPainterPath& path, QPointF offset, qreal blur, const QColor& colour) {
    const int r = std::max(1, int(std::lround(blur)));
    const QRect box = path.boundingRect().toAlignedRect().adjusted(-3 * r, -3 * r, 3 * r, 3 * r);
    QImage mask(box.size(), QImage::Format_ARGB32_Premultiplied);
    mask.fill(Qt::transparent);
    {
        QPainter m(&mask);
        m.setRenderHint(QPainter::Antialiasing);
        m.translate(-box.topLeft());
        m.fillPath(path, Qt::black);
    }
    const int w = mask.width(), h = mask.height();
    QVector<int> a(w * h);
    for (int y = 0; y < h; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(mask.constScanLine(y));
        for (int x = 0; x < w; ++x)
            a[y * w + x] = qAlpha(line[x]);
    }
    // Three box passes come close to a Gaussian.
    for (int pass = 0; pass < 3; ++pass)
        boxBlur(a, w, h, r);
    QImage shadow(box.size(), QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(shadow.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const int alpha = a[y * w + x] * colour.alpha() / 255;
            line[x] = qPremultiply(qRgba(colour.red(), colour.green(), colour.blue(), alpha));
        }
    }
    p.drawImage(box.topLeft() + offset, shadow);
}

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

double Random::next() {
    // xorshift32
    m_state ^= m_state << 13;
    m_state ^= m_state >> 17;
    m_state ^= m_state << 5;
    return (m_state >> 8) / double(1u << 24);
}

QColor cheerfulColour(int index) {
    // Golden-ratio steps round the colour wheel keep any run of indexes well apart.
    const double hue = std::fmod(0.02 + index * 0.618033988749895, 1.0);
    return QColor::fromHsvF(float(hue), 0.80f, 0.95f);
}

} // namespace media
