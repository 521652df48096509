#include "forms/pictures.h"

#include "media/mediafolder.h"

#include <QDebug>
#include <QDir>
#include <QImageReader>

#include <utility>

namespace forms {

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

QList<QPixmap> readOrWarn(const QString& file, const QString& shownName) {
    QList<QPixmap> sizes = file.isEmpty() ? QList<QPixmap>() : readAll(file);
    if (sizes.isEmpty())
        qWarning().noquote() << "wordpot: picture not found or unreadable:" << shownName;
    return sizes;
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
        m_sizes->read = readOrWarn(resource, resource);
    }
    return m_sizes->read;
}

QPixmap Picture::natural() const {
    const QList<QPixmap>& all = sizes();
    if (all.isEmpty())
        return {};
    for (const QPixmap& pixmap : all) {
        if (all.size() > 1 && pixmap.width() == StandardIconSize && pixmap.height() == StandardIconSize)
            return pixmap;
    }
    return all.first();
}

QPixmap Picture::forSize(QSize target) const {
    QPixmap best;
    for (const QPixmap& pixmap : sizes()) {
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
    return Picture(
        readOrWarn(MediaFolder::resolve(file), QDir::toNativeSeparators(MediaFolder::shownPath(file))));
}

Picture LoadResPicture(int id) {
    return Picture::readWhenNeeded(QStringLiteral(":/bitmaps/%1.bmp").arg(id));
}

Picture builtInPicture(const QString& resource) {
    return Picture::readWhenNeeded(resource);
}

} // namespace forms
