// The letter explorer with a chosen word list: the list language's letters, each with the first word (in
// the language's order) that begins with it and has a picture, and where the row of tiles stands when a
// language has more letters than the designed row of 26 holds.
#pragma once

#include "words/chosen.h"

#include <QList>
#include <QString>

namespace abc {

struct ListLetter {
    QString letter; // a tile of the alphabet, in capitals
    int entry = -1; // the index of its word in the list, or -1: the letter is shown alone
};

// The explorer's tiles stand in one row across the window; past this many they would be too narrow to
// read or to hit.
inline constexpr int MostListLetters = 45;

// Every letter of the list's alphabet, in order, with its word.
QList<ListLetter> listLetters(const words::WordList& list);

// One row of tiles in twips, and the size of their letters.
struct TileRow {
    int left;
    int step;
    int width;
    int height;
    double points;
};
// The designed row for up to 26 tiles; for more, narrower tiles and smaller letters across the same width.
TileRow tileRow(int count);

} // namespace abc
