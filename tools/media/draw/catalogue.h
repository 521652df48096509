// Every picture the tool makes: where it goes in the repository, how it is drawn, and where
// its art comes from (for the credits).
#pragma once

#include <QColor>
#include <QImage>
#include <QString>
#include <QVector>

#include <functional>

namespace media {

struct Picture {
    QString path;   // relative to the repository root; the extension picks the file format
    QString credit; // source of the art, for assets/CREDITS
    // One image, or each size of an icon file, at the pixel ratio: 1 for the file itself, 2 for
    // the one beside it that high-resolution screens show ("name@2x.ext").
    std::function<QVector<QImage>(qreal ratio)> draw;
    int bmpDepth = 0;  // 8 or 24 for .bmp files
    bool twice = true; // whether there is a 2x file
    QColor under = {}; // for a GIF with transparent parts: what its soft edges are blended with
};

QVector<Picture> catalogue();

} // namespace media
