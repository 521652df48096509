// The letter explorer with a chosen word list: the list language's letters, each with the first word (in
// the language's order) that begins with it and has a picture.
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

} // namespace abc
