// The letters of a language as a game shows them, one tile each, in the language's order, and which tile
// finds each letter of a word: é is found by E's tile in French, Ä has its own in German. Also Hangman's
// rule for which words a game can show.
#pragma once

#include <optional>
#include <QHash>
#include <QLocale>
#include <QStringList>

namespace words {

// Signs between letters that a word shows uncovered, with no tile: space, hyphen, apostrophe (Ukrainian
// writes one inside words) and the Catalan middle dot of "l·l".
bool isInnerSign(char32_t c);

class Alphabet {
public:
    // One place of a word as a game shows it: one letter with any marks on it, in capitals, or one sign.
    struct Position {
        QString shown;
        int tile; // the index of the letter that uncovers it, or NoTile for a sign
    };
    static constexpr int NoTile = -1;

    // A to Z and nothing else: the built-in words, whose game must never change.
    static Alphabet latin();
    // The alphabet of a collection's language ("fr", "de", "pt_BR", "sr@latin"); nothing, with the reason,
    // for a language in a script none is known for.
    static std::optional<Alphabet> forLanguage(const QString& code, QString* why = nullptr);

    // The tiles in order, in capitals.
    const QStringList& letters() const { return m_letters; }
    // Capitals of the same length as the text: ß stays one letter (ẞ), Turkish i becomes İ.
    QString toUpper(const QString& text) const;
    // The word's places; nothing, with the reason, when one of them has no tile.
    std::optional<QList<Position>> positions(const QString& word, QString* why = nullptr) const;

private:
    Alphabet() = default;
    int tileOf(const QString& capital) const;

    QLocale m_locale = QLocale::c();
    QStringList m_letters;
    QHash<QString, int> m_tiles; // every letter and every character folded onto one
    bool m_foldsMarks = false;   // a letter with a mark that has no tile of its own finds its base
};

// Hangman shows one place per slot, and only words whose every letter has a tile.
inline constexpr int LongestHangmanWord = 12; // places, signs included
inline constexpr int ShortestHangmanWord = 3; // letters

// Empty when Hangman can play the word with this alphabet, otherwise why not.
QString hangmanProblem(const Alphabet& alphabet, const QString& word);

} // namespace words
