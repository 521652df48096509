// Pictures for the windows: media files by path, the numbered bitmap resources, and built-in pictures.
// A picture that cannot be loaded is an empty picture and one warning on stderr; the caller goes on.
// On a screen of more than 100 % a picture is read from its file drawn at twice the size ("name@2x.ext")
// where there is one, so that it is as sharp as the text; its layout size stays the 1x picture's.
#pragma once

#include "media/mediafile.h"

#include <QList>
#include <QPixmap>
#include <QString>

#include <memory>

namespace forms {

// One picture as the classic controls hold it. An icon file carries several sizes; the others one.
// A built-in picture is read when it is first drawn or measured, so that a window's pictures cost nothing
// before it is on the screen; copies share what was read.
class Picture {
public:
    Picture() = default;
    explicit Picture(QList<QPixmap> sizes);

    bool isNull() const { return sizes().isEmpty(); }
    // The size a control shows when it does not stretch: 32 x 32 for an icon that has it, else the first.
    QPixmap natural() const;
    // The smallest image at least as large as the target, or the largest there is (for stretching).
    QPixmap forSize(QSize target) const;
    // Each image, with the device-pixel ratio it was read for.
    const QList<QPixmap>& sizes() const;

    // The size an image takes in a layout: its 1x picture's, whatever the screen.
    static QSize layoutSize(const QPixmap& pixmap);

private:
    friend Picture LoadResPicture(int id);
    friend Picture builtInPicture(const QString& resource);
    struct Sizes;
    static Picture readWhenNeeded(const QString& resource);

    std::shared_ptr<Sizes> m_sizes;
};

// The device-pixel ratio pictures are read for: the primary screen's, where every window opens.
qreal pictureRatio();

// LoadPicture of a file of the media folder.
Picture LoadPicture(const MediaFile& file);

// A picture of a word list, any file Qt's image plugins read, scaled to fit the area (layout pixels)
// keeping its proportions, at the screen's pixel ratio; turned upright as a phone's photograph says. One
// that cannot be shown is an empty picture and one warning naming the file and why.
Picture LoadListPicture(const QString& path, QSize area);

// Why a word list's picture cannot be shown, from its header alone (nothing is decoded), or empty.
QString listPictureProblem(const QString& path);

// A larger picture is refused before it is decoded: a phone's photograph has 12 to 50 megapixels, and
// decoding one of 400 would take 1.6 GB.
inline constexpr qint64 MostPicturePixels = 50'000'000;

// Bitmap resource 101, 102 or 103 carried in the program.
Picture LoadResPicture(int id);

// A picture built into a window, by its resource name (":/pictures/stop.gif").
Picture builtInPicture(const QString& resource);

} // namespace forms
