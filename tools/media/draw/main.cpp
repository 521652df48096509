// mediadraw pictures STAGE   draws every picture into STAGE, laid out like the repository:
//                            .jpg and .png files are final; a .gif or .bmp file comes as
//                            "NAME.png" (and a .bmp as "NAME.8.png" or "NAME.24.png" by
//                            its colour depth) and an icon as one "NAME.SIZE.png" per image,
//                            for ImageMagick to turn into the final file. STAGE/credits.tsv
//                            gives the source of each picture.
// mediadraw sheet ROOT PNG   draws the contact sheet of the finished files under ROOT.
#include "canvas.h"
#include "catalogue.h"
#include "sheet.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageWriter>
#include <QTextStream>

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

int drawPictures(const QString& stage) {
    QFile credits(stage + "/credits.tsv");
    QDir().mkpath(stage);
    if (!credits.open(QIODevice::WriteOnly | QIODevice::Text))
        return 1;
    QTextStream out(&credits);
    bool ok = true;
    for (const Picture& pic : catalogue()) {
        const QVector<QImage> images = pic.draw();
        const QString target = stage + "/" + pic.path;
        const QString ext = QFileInfo(pic.path).suffix();
        if (ext == "ico") {
            for (const QImage& image : images)
                ok &= save(image, QStringLiteral("%1.%2.png").arg(target).arg(image.width()), "PNG");
        } else if (ext == "jpg") {
            ok &= save(flattened(images.first()), target, "JPEG", 92);
        } else if (ext == "png") {
            ok &= save(images.first(), target, "PNG");
        } else if (ext == "bmp") {
            ok &= save(flattened(images.first()), QStringLiteral("%1.%2.png").arg(target).arg(pic.bmpDepth),
                       "PNG");
        } else {
            ok &= save(flattened(images.first()), target + ".png", "PNG");
        }
        out << pic.path << '\t' << pic.credit << '\n';
    }
    return ok ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 3 && args[1] == "pictures")
        return drawPictures(args[2]);
    if (args.size() == 4 && args[1] == "sheet")
        return writeSheet(args[2], args[3]) ? 0 : 1;
    std::fprintf(stderr, "usage: mediadraw pictures STAGE | mediadraw sheet ROOT PNG\n");
    return 2;
}
