// Every collection the desktop offers, found in apps/kvtml/<language>/ under each of its data folders
// (the system's and the user's own), grouped by language for a parent to choose from. Listing reads only
// the head of each file (title and language), not its words.
#pragma once

#include "words/collection.h"

#include <QIODevice>
#include <QList>
#include <QLocale>
#include <QStringList>

namespace words {

struct Listed {
    QString file;  // absolute path
    QString title; // the file's own title, or its name when it has none
};

struct Language {
    QString code;              // as the folder is named: "de", "en_GB", "sr@latin"
    QString name;              // in the language itself: "Deutsch"
    QList<Listed> collections; // by title
};

struct Catalogue {
    QList<Language> languages; // the desktop's own language first, then by name
    QList<Problem> problems;   // files left out, and why
};

// Every apps/kvtml/<language>/*.kvtml under the folders, the first folder's file hiding a later one of the
// same language and name (the user's own copy hides the system's).
Catalogue listCollections(const QStringList& dataFolders, const QLocale& desktop);
// The same for the desktop's data folders and language.
Catalogue listCollections();

// The title of a vocabulary file, read from its head, or nothing, with the reason, for a file that is not
// one (kvtml 1, not XML); a file that breaks further on is refused only when it is read whole.
std::optional<QString> readTitle(QIODevice& file, Problem* problem);

} // namespace words
