#include "canvas.h"

#include <QFile>
#include <QFontDatabase>
#include <QHash>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
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

QString& emojiFolder() {
    static QString folder;
    return folder;
}

QJsonObject readJson(const QString& name) {
    QFile file(emojiFolder() + "/" + name);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "mediadraw: cannot read %s\n", qPrintable(file.fileName()));
        std::exit(1);
    }
    return QJsonDocument::fromJson(file.readAll()).object();
}

// One emoji of the icon set: its drawing in the set's units, and the box its ink fills.
struct Svg {
    QString body;
    QRectF frame; // the drawing's own viewBox
    QRectF ink;   // in the same units

    // A document that shows the given part of the drawing in exactly the given pixels.
    QByteArray document(const QRectF& part, QSize pixels) const {
        return QStringLiteral("<svg xmlns=\"http://www.w3.org/2000/svg\" "
                              "xmlns:xlink=\"http://www.w3.org/1999/xlink\" width=\"%1\" height=\"%2\" "
                              "viewBox=\"%3 %4 %5 %6\">%7</svg>")
            .arg(pixels.width())
            .arg(pixels.height())
            .arg(part.x(), 0, 'g', 10)
            .arg(part.y(), 0, 'g', 10)
            .arg(part.width(), 0, 'g', 10)
            .arg(part.height(), 0, 'g', 10)
            .arg(body)
            .toUtf8();
    }
};

// Renders an SVG document with librsvg, which draws every feature the Noto emoji use.
QImage renderSvg(const QByteArray& document) {
    static const QString rsvg = QStandardPaths::findExecutable(QStringLiteral("rsvg-convert"));
    QProcess process;
    process.start(rsvg, {QStringLiteral("--format=png")});
    process.write(document);
    process.closeWriteChannel();
    process.waitForFinished(-1);
    QImage image;
    if (rsvg.isEmpty() || process.exitCode() != 0 ||
        !image.loadFromData(process.readAllStandardOutput(), "PNG")) {
        std::fprintf(stderr, "mediadraw: rsvg-convert failed: %s\n",
                     process.readAllStandardError().constData());
        std::exit(1);
    }
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

const Svg& emojiSvg(const QString& text) {
    static QHash<QString, Svg> known;
    if (const auto it = known.constFind(text); it != known.cend())
        return *it;
    static const QJsonObject set = readJson(QStringLiteral("icons.json"));
    static const QJsonObject chars = readJson(QStringLiteral("chars.json"));
    QStringList codes;
    for (const uint cp : text.toUcs4())
        if (cp != 0xFE0F) // the emoji presentation selector is not part of the name
            codes << QString::number(cp, 16);
    QString name = chars.value(codes.join('-')).toString();
    const QJsonObject aliases = set.value("aliases").toObject();
    while (aliases.contains(name))
        name = aliases.value(name).toObject().value("parent").toString();
    const QJsonObject icon = set.value("icons").toObject().value(name).toObject();
    if (icon.isEmpty()) {
        std::fprintf(stderr, "mediadraw: the emoji set has no picture for %s\n", qPrintable(text));
        std::exit(1);
    }
    Svg svg;
    svg.body = icon.value("body").toString();
    svg.frame = QRectF(icon.value("left").toDouble(0), icon.value("top").toDouble(0),
                       icon.value("width").toDouble(set.value("width").toDouble(16)),
                       icon.value("height").toDouble(set.value("height").toDouble(16)));
    // The ink is measured on a large rendering: an eighth of a unit of the set's 128.
    constexpr int measure = 1024;
    const QImage big = renderSvg(svg.document(
        svg.frame, QSize(measure, int(std::lround(measure * svg.frame.height() / svg.frame.width())))));
    int left = big.width(), top = big.height(), right = -1, bottom = -1;
    for (int y = 0; y < big.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(big.constScanLine(y));
        for (int x = 0; x < big.width(); ++x) {
            if (qAlpha(line[x]) > 8) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    if (right < 0) {
        std::fprintf(stderr, "mediadraw: the emoji for %s draws nothing\n", qPrintable(text));
        std::exit(1);
    }
    const qreal unit = svg.frame.width() / measure;
    svg.ink = QRectF(svg.frame.x() + left * unit, svg.frame.y() + top * unit, (right - left + 1) * unit,
                     (bottom - top + 1) * unit);
    return *known.insert(text, svg);
}

} // namespace

const Fonts& fonts() {
    static const Fonts loaded{
        loadFont("/usr/share/fonts/opentype/comic-neue/ComicNeue-Bold.otf"),
        loadFont("/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"),
        loadFont("/usr/share/fonts/truetype/dejavu/DejaVuSansCondensed-Bold.ttf"),
        loadFont("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"),
    };
    return loaded;
}

QImage canvas(int width, int height, const QColor& fill, qreal ratio) {
    QImage image(int(std::lround(width * ratio)), int(std::lround(height * ratio)),
                 QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(fill);
    return image;
}

void setEmojiSource(const QString& folder) {
    emojiFolder() = folder;
}

QImage emoji(const QString& text, QSize room) {
    const Svg& svg = emojiSvg(text);
    const qreal scale = std::min(room.width() / svg.ink.width(), room.height() / svg.ink.height());
    return renderSvg(svg.document(svg.ink, QSize(int(std::lround(svg.ink.width() * scale)),
                                                 int(std::lround(svg.ink.height() * scale)))));
}

QImage onWhite(const std::function<QImage(QSize)>& draw, int width, int height, int margin, qreal ratio) {
    QImage out = canvas(width, height, Qt::white, ratio);
    const QSize room(int(std::lround((width - 2 * margin) * ratio)),
                     int(std::lround((height - 2 * margin) * ratio)));
    QImage art = draw(room);
    // Placed on whole real pixels, so that nothing of the art is resampled.
    const QPoint at((out.width() - art.width()) / 2, (out.height() - art.height()) / 2);
    art.setDevicePixelRatio(ratio);
    QPainter p(&out);
    p.drawImage(QPointF(at) / ratio, art);
    return out;
}

QImage flattened(const QImage& image, const QColor& background) {
    QImage out(image.size(), QImage::Format_RGB32);
    out.setDevicePixelRatio(image.devicePixelRatio());
    out.fill(background);
    QPainter p(&out);
    p.drawImage(0, 0, image);
    return out;
}

void softShadow(QPainter& p, const QPainterPath& path, QPointF offset, qreal blur, const QColor& colour) {
    // The shadow is made at the canvas's own pixels, so that a 2x picture's shadow is as fine as the rest.
    const qreal ratio = p.device()->devicePixelRatioF();
    const int r = std::max(1, int(std::lround(blur)));
    const QRect box = path.boundingRect().toAlignedRect().adjusted(-3 * r, -3 * r, 3 * r, 3 * r);
    const QSize pixels(int(std::lround(box.width() * ratio)), int(std::lround(box.height() * ratio)));
    QImage mask(pixels, QImage::Format_ARGB32_Premultiplied);
    mask.setDevicePixelRatio(ratio);
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
    const int pixelRadius = std::max(1, int(std::lround(blur * ratio)));
    for (int pass = 0; pass < 3; ++pass)
        boxBlur(a, w, h, pixelRadius);
    QImage shadow(pixels, QImage::Format_ARGB32_Premultiplied);
    shadow.setDevicePixelRatio(ratio);
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(shadow.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const int alpha = a[y * w + x] * colour.alpha() / 255;
            line[x] = qPremultiply(qRgba(colour.red(), colour.green(), colour.blue(), alpha));
        }
    }
    p.drawImage(box.topLeft() + offset, shadow);
}

double Random::next() {
    // xorshift32
    m_state ^= m_state << 13;
    m_state ^= m_state >> 17;
    m_state ^= m_state << 5;
    return (m_state >> 8) / double(1u << 24);
}

} // namespace media
