#include "forms/pictures.h"

#include "media/mediafolder.h"

#include <QDebug>
#include <QDir>
#include <QImageReader>

namespace {
constexpr int StandardIconSize = 32;

QList<QPixmap> readAll(const QString& file) {
    QList<QPixmap> sizes;
    QImageReader reader(file);
    // An icon file holds one image per size; other formats give their first frame.
    const int count = reader.format() == "ico" ? std::max(1, reader.imageCount()) : 1;
    for (int i = 0; i < count; ++i) {
        if (i > 0 && !reader.jumpToImage(i))
            break;
        const QImage image = reader.read();
        if (!image.isNull())
            sizes.append(QPixmap::fromImage(image));
    }
    return sizes;
}

Picture loadOrWarn(const QString& file, const QString& shownName) {
    QList<QPixmap> sizes = file.isEmpty() ? QList<QPixmap>() : readAll(file);
    if (sizes.isEmpty())
        qWarning().noquote() << "wordpot: picture not found or unreadable:" << shownName;
    return Picture(std::move(sizes));
}
} // namespace

Picture::Picture(QList<QPixmap> sizes)
    : m_sizes(std::move(sizes)) {}

QPixmap Picture::natural() const {
    if (m_sizes.isEmpty())
        return {};
    for (const QPixmap& pixmap : m_sizes) {
        if (m_sizes.size() > 1 && pixmap.width() == StandardIconSize && pixmap.height() == StandardIconSize)
            return pixmap;
    }
    return m_sizes.first();
}

QPixmap Picture::forSize(QSize target) const {
    QPixmap best;
    for (const QPixmap& pixmap : m_sizes) {
        const bool covers = pixmap.width() >= target.width() && pixmap.height() >= target.height();
        const bool bestCovers =
            !best.isNull() && best.width() >= target.width() && best.height() >= target.height();
        if (best.isNull() || (covers && (!bestCovers || pixmap.width() < best.width())) ||
            (!covers && !bestCovers && pixmap.width() > best.width()))
            best = pixmap;
    }
    return best;
}

Picture LoadPicture(const MediaFile& file) {
    return loadOrWarn(MediaFolder::resolve(file), QDir::toNativeSeparators(MediaFolder::shownPath(file)));
}

Picture LoadResPicture(int id) {
    const QString resource = QStringLiteral(":/bitmaps/%1.bmp").arg(id);
    return loadOrWarn(resource, resource);
}

Picture builtInPicture(const QString& resource) {
    return loadOrWarn(resource, resource);
}
