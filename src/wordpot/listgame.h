// The spelling game with a chosen word list: which entries it can play (a picture, and letters that a
// board of SlotCount tiles and the answer box can hold), the draw among them, and the board made for each
// word: the word's letters and others of its alphabet, scattered over the slots.
#pragma once

#include "wordpot/draw.h"
#include "words/chosen.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace wordpot {

// The answer box is laid out for five letters of the game's large font; a list's longer words are shown
// smaller, down to a size still readable at this many letters.
inline constexpr int LongestListWord = 10;
inline constexpr int ShortestListWord = 2;

// Empty when the spelling game can play the entry with this alphabet, otherwise why not.
QString spellingProblem(const words::Alphabet& alphabet, const words::Entry& entry);

// The entries of a list the game can play, by their index in it.
QList<int> spellingWords(const words::WordList& list);

// A word among count others than the previous one (-1 for none); with one word, that word.
int drawListWord(int previous, int count, const RandomSource& random);

// The board for a word (its tiles, as Alphabet::positions gives them): each of its letters once, then
// other letters of the alphabet drawn at random up to SlotCount, all of them shuffled over the slots.
QStringList boardFor(const words::Alphabet& alphabet, const QList<int>& wordTiles,
                     const RandomSource& random);

} // namespace wordpot
