// mediadraw pictures STAGE EMOJI
//                            draws every picture, and its 2x file, into STAGE, laid out like
//                            the repository, with the Noto emoji taken from the icon set in
//                            the folder EMOJI: .jpg, .png and .ico files are final; a .gif or
//                            .bmp file comes as "NAME.png" (and a .bmp as "NAME.8.png" or
//                            "NAME.24.png" by its colour depth), for ImageMagick to turn into
//                            the final file. STAGE/credits.tsv gives the source of each file.
// mediadraw sheet ROOT PNG   draws the contact sheet of the finished files under ROOT.
// mediadraw family TSV FOLDER EMOJI
//                            draws the sample word list's pictures (tools/media/family.tsv) into
//                            FOLDER, each its emoji on white at its own size, as PNG or JPEG.
#include "canvas.h"
#include "catalogue.h"
#include "sheet.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageWriter>
#include <QtEndian>
#include <QTextStream>

#include <algorithm>
#include <cstdio>

using namespace media;

namespace {

bool save(const QImage& image, const QString& path, const char* format, int quality = -1) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QImageWriter writer(path, format);
    if (quality >= 0)
        writer.setQuality(quality);
    if (!writer.write(image)) {
        std::fprintf(stderr, "mediadraw: cannot write %s: %s\n", qPrintable(path),
                     qPrintable(writer.errorString()));
        return false;
    }
    return true;
}

// An icon file of PNG images, largest first (the one a viewer shows by default). PNG images are
// what lets an icon hold a 512 px face, which the older bitmap kind cannot.
bool saveIcon(QVector<QImage> images, const QString& path) {
    std::sort(images.begin(), images.end(),
              [](const QImage& a, const QImage& b) { return a.width() > b.width(); });
    QByteArray directory(6, '\0'), data;
    qToLittleEndian<quint16>(1, directory.data() + 2);
    qToLittleEndian<quint16>(quint16(images.size()), directory.data() + 4);
    const qsizetype firstImage = 6 + 16 * images.size();
    for (const QImage& image : images) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        if (!image.save(&buffer, "PNG"))
            return false;
        QByteArray entry(16, '\0');
        entry[0] = char(image.width() >= 256 ? 0 : image.width()); // 0 stands for 256 and more
        entry[1] = char(image.height() >= 256 ? 0 : image.height());
        qToLittleEndian<quint16>(1, entry.data() + 4);  // colour planes
        qToLittleEndian<quint16>(32, entry.data() + 6); // bits per pixel
        qToLittleEndian<quint32>(quint32(png.size()), entry.data() + 8);
        qToLittleEndian<quint32>(quint32(firstImage + data.size()), entry.data() + 12);
        directory += entry;
        data += png;
    }
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(directory + data) == directory.size() + data.size();
}

// GIF keeps a pixel or drops it: what is mostly the picture is blended with the colour it will
// stand on and kept whole, the rest is left out.
QImage keptOrLeftOut(const QImage& image, const QColor& under) {
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const QRgb c = line[x];
            const int a = qAlpha(c);
            const auto blend = [a](int top, int bottom) {
                return (top * a + bottom * (255 - a) + 127) / 255;
            };
            line[x] = a < 128 ? qRgba(0, 0, 0, 0)
                              : qRgb(blend(qRed(c), under.red()), blend(qGreen(c), under.green()),
                                     blend(qBlue(c), under.blue()));
        }
    }
    return out;
}

// "dir/name.ext" for ratio 1, "dir/name@2x.ext" for 2, as Qt names a picture's larger sizes.
QString atRatio(const QString& path, int ratio) {
    if (ratio == 1)
        return path;
    const qsizetype dot = path.lastIndexOf('.');
    return path.left(dot) + QStringLiteral("@%1x").arg(ratio) + path.mid(dot);
}

int drawPictures(const QString& stage, const QString& emojiSource) {
    setEmojiSource(emojiSource);
    QFile credits(stage + "/credits.tsv");
    QDir().mkpath(stage);
    if (!credits.open(QIODevice::WriteOnly | QIODevice::Text))
        return 1;
    QTextStream out(&credits);
    bool ok = true;
    for (const Picture& pic : catalogue()) {
        for (const int ratio : {1, 2}) {
            if (ratio > 1 && !pic.twice)
                continue;
            const QVector<QImage> images = pic.draw(ratio);
            const QString path = atRatio(pic.path, ratio);
            const QString target = stage + "/" + path;
            const QString ext = QFileInfo(path).suffix();
            if (ext == "ico") {
                ok &= saveIcon(images, target);
            } else if (ext == "jpg") {
                ok &= save(flattened(images.first()), target, "JPEG", 92);
            } else if (ext == "png") {
                ok &= save(images.first(), target, "PNG");
            } else if (ext == "bmp") {
                ok &= save(flattened(images.first()),
                           QStringLiteral("%1.%2.png").arg(target).arg(pic.bmpDepth), "PNG");
            } else {
                const QImage& image = images.first();
                ok &= save(pic.under.isValid() ? keptOrLeftOut(image, pic.under) : flattened(image),
                           target + ".png", "PNG");
            }
            out << path << '\t' << pic.credit << '\n';
        }
    }
    return ok ? 0 : 1;
}

// Pictures as a parent's phone gives them: one size each, landscape or portrait, no 2x file.
int drawFamily(const QString& table, const QString& folder, const QString& emojiSource) {
    setEmojiSource(emojiSource);
    QFile file(table);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return 1;
    bool ok = true;
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QStringList row = in.readLine().split('\t');
        if (row.size() < 4 || row[0].startsWith('#'))
            continue;
        const QStringList size = row[3].split('x');
        const int width = size.value(0).toInt(), height = size.value(1).toInt();
        const QString glyph = row[1];
        const QImage image = onWhite([glyph](QSize room) { return emoji(glyph, room); }, width, height,
                                     std::min(width, height) / 12, 1);
        const QString target = folder + "/" + row[2];
        ok &=
            row[2].endsWith(".jpg") ? save(flattened(image), target, "JPEG", 90) : save(image, target, "PNG");
    }
    return ok ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 4 && args[1] == "pictures")
        return drawPictures(args[2], args[3]);
    if (args.size() == 4 && args[1] == "sheet")
        return writeSheet(args[2], args[3]) ? 0 : 1;
    if (args.size() == 5 && args[1] == "family")
        return drawFamily(args[2], args[3], args[4]);
    std::fprintf(stderr, "usage: mediadraw pictures STAGE EMOJI | mediadraw sheet ROOT PNG | "
                         "mediadraw family TSV FOLDER EMOJI\n");
    return 2;
}
