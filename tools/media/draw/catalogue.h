// Every picture the tool makes: where it goes in the repository, how it is drawn, and where
// its art comes from (for the credits).
#pragma once

#include <QImage>
#include <QString>
#include <QVector>

#include <functional>

namespace media {

struct Picture {
    QString path;   // relative to the repository root; the extension picks the file format
    QString credit; // source of the art, for assets/CREDITS
    std::function<QVector<QImage>()> draw; // one image, or each size of an icon file
    int bmpDepth = 0;                      // 8 or 24 for .bmp files
};

QVector<Picture> catalogue();

} // namespace media
