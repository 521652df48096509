#include "forms/pictures.h"

#include "media/mediafolder.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QScreen>

#include <cmath>
#include <utility>

namespace forms {

namespace {
constexpr int StandardIconSize = 32;

// Files drawn at twice the size of the picture they stand for.
constexpr qreal LargeFileRatio = 2;

QList<QImage> readAll(const QString& file) {
    QList<QImage> images;
    QImageReader reader(file);
    // An icon file holds one image per size; other formats give their first frame.
    const int count = reader.format() == "ico" ? std::max(1, reader.imageCount()) : 1;
    for (int i = 0; i < count; ++i) {
        if (i > 0 && !reader.jumpToImage(i))
            break;
        const QImage image = reader.read();
        if (!image.isNull())
            images.append(image);
    }
    return images;
}

// The images of a file drawn at fileRatio, for a screen of the given ratio. Between 100 % and 200 % the
// large images are scaled down smoothly to the screen's own pixels, which the painter then draws one to
// one; at 200 % and more they are drawn as they are.
QList<QPixmap> forScreen(const QList<QImage>& images, qreal fileRatio, qreal screen) {
    QList<QPixmap> pixmaps;
    for (QImage image : images) {
        if (fileRatio > screen) {
            const QSize pixels(int(std::lround(image.width() * screen / fileRatio)),
                               int(std::lround(image.height() * screen / fileRatio)));
            // Scaled in full colour: scaling the files' own formats as read crashed Qt 6.4's threaded scaler.
            image = image
                        .convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                                 : QImage::Format_RGB32)
                        .scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            image.setDevicePixelRatio(screen);
        } else {
            image.setDevicePixelRatio(fileRatio);
        }
        pixmaps.append(QPixmap::fromImage(image));
    }
    return pixmaps;
}

// The large file if the screen calls for it and it is there and readable, else the 1x file. A large file
// that is missing is no fault: the 1x picture is shown, enlarged, as it would be without large files.
QList<QPixmap> readForScreen(const QString& file, const QString& largeFile) {
    const qreal screen = pictureRatio();
    if (screen > 1 && !largeFile.isEmpty()) {
        if (const QList<QImage> large = readAll(largeFile); !large.isEmpty())
            return forScreen(large, LargeFileRatio, screen);
    }
    return file.isEmpty() ? QList<QPixmap>() : forScreen(readAll(file), 1, 1);
}

QList<QPixmap> readOrWarn(const QString& file, const QString& largeFile, const QString& shownName) {
    QList<QPixmap> sizes = readForScreen(file, largeFile);
    if (sizes.isEmpty())
        qWarning().noquote() << "wordpot: picture not found or unreadable:" << shownName;
    return sizes;
}

// ":/pictures/stop.gif" gives ":/pictures/stop@2x.gif", if the resources have it.
QString largeResource(const QString& resource) {
    const qsizetype dot = resource.lastIndexOf(QLatin1Char('.'));
    const QString large = resource.left(dot) + QLatin1String("@2x") + resource.mid(dot);
    return dot > 0 && QFile::exists(large) ? large : QString();
}
} // namespace

struct Picture::Sizes {
    QList<QPixmap> read;
    QString unread; // the resource still to be read, if any
};

Picture::Picture(QList<QPixmap> sizes)
    : m_sizes(std::make_shared<Sizes>(Sizes{std::move(sizes), {}})) {}

Picture Picture::readWhenNeeded(const QString& resource) {
    Picture picture;
    picture.m_sizes = std::make_shared<Sizes>(Sizes{{}, resource});
    return picture;
}

const QList<QPixmap>& Picture::sizes() const {
    static const QList<QPixmap> none;
    if (m_sizes == nullptr)
        return none;
    if (!m_sizes->unread.isEmpty()) {
        const QString resource = std::exchange(m_sizes->unread, QString());
        m_sizes->read =
            readOrWarn(resource, pictureRatio() > 1 ? largeResource(resource) : QString(), resource);
    }
    return m_sizes->read;
}

QSize Picture::layoutSize(const QPixmap& pixmap) {
    // A 2x image scaled for 150 % may be a fraction of a pixel off; rounding gives the 1x size back.
    return pixmap.deviceIndependentSize().toSize();
}

QPixmap Picture::natural() const {
    const QList<QPixmap>& all = sizes();
    if (all.isEmpty())
        return {};
    for (const QPixmap& pixmap : all) {
        if (all.size() > 1 && layoutSize(pixmap) == QSize(StandardIconSize, StandardIconSize))
            return pixmap;
    }
    return all.first();
}

QPixmap Picture::forSize(QSize target) const {
    QPixmap best;
    QSize bestSize;
    for (const QPixmap& pixmap : sizes()) {
        const QSize size = layoutSize(pixmap);
        const bool covers = size.width() >= target.width() && size.height() >= target.height();
        const bool bestCovers =
            !best.isNull() && bestSize.width() >= target.width() && bestSize.height() >= target.height();
        if (best.isNull() || (covers && (!bestCovers || size.width() < bestSize.width())) ||
            (!covers && !bestCovers && size.width() > bestSize.width())) {
            best = pixmap;
            bestSize = size;
        }
    }
    return best;
}

qreal pictureRatio() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->devicePixelRatio() : 1.0;
}

Picture LoadPicture(const MediaFile& file) {
    const QString large = pictureRatio() > 1 ? MediaFolder::resolve(file.twiceTheSize()) : QString();
    return Picture(readOrWarn(MediaFolder::resolve(file), large,
                              QDir::toNativeSeparators(MediaFolder::shownPath(file))));
}

namespace {
// Room for the largest picture allowed, in the format it decodes to, and no more.
constexpr int DecodeLimitMiB = int(MostPicturePixels * 4 / (1024 * 1024)) + 1;

void prepareListReader(QImageReader& reader) {
    reader.setAutoTransform(true);
    reader.setAllocationLimit(DecodeLimitMiB);
}

QString problemOf(QImageReader& reader) {
    if (!QFileInfo(reader.fileName()).isFile())
        return QStringLiteral("is not found");
    if (!reader.canRead())
        return QStringLiteral("is not a picture that can be read (%1)").arg(reader.errorString());
    const QSize size = reader.size();
    if (size.isValid() && qint64(size.width()) * size.height() > MostPicturePixels)
        return QStringLiteral("is %1 x %2 pixels, more than the %3 megapixels a picture may have")
            .arg(size.width())
            .arg(size.height())
            .arg(MostPicturePixels / 1'000'000);
    return {};
}
} // namespace

QString listPictureProblem(const QString& path) {
    QImageReader reader(path);
    prepareListReader(reader);
    return problemOf(reader);
}

Picture LoadListPicture(const QString& path, QSize area) {
    QImageReader reader(path);
    prepareListReader(reader);
    QString problem = problemOf(reader);
    QImage image;
    if (problem.isEmpty()) {
        // Decoded straight at the size shown where the format can (JPEG, SVG), else scaled after.
        const qreal ratio = pictureRatio();
        const bool turned = reader.transformation().testFlag(QImageIOHandler::TransformationRotate90);
        QSize upright = reader.size();
        if (turned)
            upright.transpose();
        if (!upright.isEmpty()) {
            QSize shown = upright.scaled(area * ratio, Qt::KeepAspectRatio).expandedTo({1, 1});
            if (turned)
                shown.transpose();
            reader.setScaledSize(shown);
        }
        image = reader.read();
        if (image.isNull())
            problem = QStringLiteral("cannot be decoded (%1)").arg(reader.errorString());
        else if (upright.isEmpty()) // a format that tells no size before decoding
            image = image.scaled(area * ratio, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        image.setDevicePixelRatio(ratio);
    }
    if (!problem.isEmpty()) {
        qWarning().noquote() << "wordpot: picture" << QDir::toNativeSeparators(path) << problem;
        return {};
    }
    return Picture({QPixmap::fromImage(image)});
}

Picture LoadResPicture(int id) {
    return Picture::readWhenNeeded(QStringLiteral(":/bitmaps/%1.bmp").arg(id));
}

Picture builtInPicture(const QString& resource) {
    return Picture::readWhenNeeded(resource);
}

} // namespace forms
