// The words the games play with: the chosen collections' words in their language, or none for the
// built-in words. Read when a game first asks after a start or a new choice, never at start-up, and kept
// for the rest of the run.
#pragma once

#include "words/alphabet.h"
#include "words/choice.h"
#include "words/collection.h"
#include "words/language.h"

#include <QLocale>

namespace words {

struct WordList {
    QString language; // the code the collections share ("de", "pt_BR")
    QLocale locale;
    Alphabet alphabet;
    QList<Entry> entries; // every chosen collection's, in order, a word only once
};

// The chosen words, or nothing for the built-in ones (no choice, or nothing left of it to play with).
// Problems (a file gone or unreadable) are written to stderr once, when the choice is read.
const WordList* chosenWords();

// A parent has chosen: remembered in the settings file if it differs from what is remembered there, and
// read at the next game.
void choose(const Choice& choice);

// The choice as remembered now.
Choice currentChoice();

// The words of these files, read now, with the problems found; nothing when none can be read.
std::optional<WordList> readWords(const Choice& choice, QList<Problem>* problems);

} // namespace words
