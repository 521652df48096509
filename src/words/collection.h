// A word collection as a vocabulary file (kvtml 2.0) gives it: title, language and words, each with its
// hint and the picture and sound it names. Reading never throws; what it skips it says, with where and why.
#pragma once

#include <optional>
#include <QByteArray>
#include <QList>
#include <QString>

class QXmlStreamReader;

namespace words {

// Something skipped: a whole file, or one entry or one picture of it.
struct Problem {
    QString file;
    qint64 line = 0; // 0 when there is no line to name
    QString reason;
    // "file:line: reason", or "file: reason"
    QString toString() const;
};

struct Entry {
    QString text;    // one word, or a few joined by single spaces, hyphens or apostrophes
    QString hint;    // the comment of the word, one line; may be empty
    QString picture; // absolute path of a file that exists, or empty
    QString sound;   // the same
};

struct Collection {
    QString file;  // absolute path
    QString title; // the file's own title, or its name when it has none
    // The language code the words are in: the folder's name for a file in apps/kvtml/<language>/ (some
    // files of the desktop's own collections name "en" while their words are in the folder's language),
    // otherwise the file's own locale, "de", "pt_BR" or "sr@latin".
    QString language;
    QList<Entry> entries;
};

struct ReadResult {
    std::optional<Collection> collection; // nothing when the whole file is refused
    QList<Problem> problems;              // every entry or picture skipped, or why the file was refused
};

// Larger files are refused before they are read: the desktop's largest holds 170 KiB.
inline constexpr qint64 LargestFile = 8 * 1024 * 1024;

ReadResult readCollection(const QString& path);
// The same for a file's contents already in memory; path names it and places its pictures.
ReadResult readCollection(const QByteArray& data, const QString& path);

// The language a file's folder gives it: "de" for .../apps/kvtml/de/animals.kvtml, or empty.
QString folderLanguage(const QString& path);

// Text as a game shows it: composed characters, no soft hyphen (one file hides one after a word), no white
// space at the ends and single spaces inside.
QString cleaned(const QString& text);

// Why the XML reader stopped reading data, and at which line (of the data's own fault where it is an
// encoding fault, which the reader names at a later line); no file named.
Problem xmlError(const QXmlStreamReader& xml, const QByteArray& data);

// Empty when text is one entry a game can take (after trimming; see collection.cpp), or why not.
QString wordProblem(const QString& text);

} // namespace words
