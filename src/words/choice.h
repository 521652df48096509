// The collections a parent chose, remembered in the program's one settings file. Nothing is read before
// the choice is needed, and the file is written only when a parent changes the choice.
#pragma once

#include "words/collection.h"

#include <memory>
#include <QSettings>
#include <QStringList>

namespace words {

struct Choice {
    QString language;  // the code the collections share, as their folder names it
    QStringList files; // absolute paths; none: the built-in words
    bool operator==(const Choice&) const = default;
};

// The program's settings file, in the desktop's configuration folder.
std::unique_ptr<QSettings> openSettings();

// The remembered choice less every file that has gone since, each with a problem; the built-in words when
// none is left. Writes nothing.
Choice readChoice(const QSettings& settings, QList<Problem>* gone = nullptr);
// Remembers a new choice; false, with the file untouched, when it is the one already remembered.
bool writeChoice(QSettings& settings, const Choice& choice);

} // namespace words
