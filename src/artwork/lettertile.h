// The spelling game's letter tiles: a rounded, glossy square of the letter's own colour with the letter
// in white, drawn for any letter at any pixel ratio.
#pragma once

#include <QImage>
#include <QString>

namespace artwork {

// The tile's side in layout pixels: board slots are as little as 48 px apart, and a gap keeps tiles apart.
constexpr int TileSize = 44;

// The tile for one letter (a capital; several characters are squeezed to fit), TileSize square in layout
// pixels and TileSize x pixelRatio in real ones, with the image's device-pixel ratio set. The corners
// outside the rounded square are transparent, so that what lies under the tile shows there. The colour
// follows the letter's place from A, so A to Z keep their colours and other letters get their own.
QImage letterTile(const QString& letter, qreal pixelRatio, const QString& fontFamily);

} // namespace artwork
