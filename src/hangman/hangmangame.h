// The rules of a Hangman game, with no window: the three levels and their chances, the hidden word, which
// of its positions are uncovered, and what a guessed letter does to them; and the names of the media files
// the game asks for. frmHangman shows a Game and plays its sounds.
#pragma once

#include "media/mediafile.h"
#include "words/alphabet.h"

#include <array>
#include <QChar>
#include <QList>
#include <QString>
#include <vector>

namespace hangman {

// One tile per letter, "A" at index 0 to "Z" at index 25.
inline constexpr int LetterCount = 26;
inline QChar letterAt(int index) {
    return QChar(char16_t(u'A' + index));
}

// A level sets how many misses a game allows; its caption is what the difficulty button shows.
struct Level {
    const char* caption;
    int chances;
};
// In the order a click on the difficulty button goes round them; a window opens at the first.
inline constexpr std::array<Level, 3> Levels{{{"&EASY", 15}, {"&MEDIUM", 10}, {"&HARD", 5}}};
// One circle per chance of the most generous level.
inline constexpr int MostChances = Levels[0].chances;

// What one guessed letter did to the game.
struct Guess {
    std::vector<int> found;   // every position of the word that holds the letter, from 0; none for a miss
    bool chanceTaken = false; // a miss with a chance left to take
    bool won = false;         // every position is uncovered, on this guess or an earlier one
    bool lost = false;        // no chance is left, since this guess or an earlier one
};

// A word as a game shows it: one place per letter (or sign), each with the tile that uncovers it.
using Place = words::Alphabet::Position;

class Game {
public:
    explicit Game(int level = 0)
        : m_level(level) {}

    // A new game at the current level with this word: nothing guessed yet, and any place without a tile
    // (a space, a hyphen) uncovered from the start.
    void start(QList<Place> places);
    // The same for a built-in word in capitals, each letter A to Z its own tile.
    void start(const QString& word);
    // Goes round the levels; the next game starts at the new one.
    void nextLevel() { m_level = (m_level + 1) % int(Levels.size()); }

    // The tiles stay in play after a game has ended: guesses go on counting, but a miss with no chance
    // left takes nothing, since there is no circle below the first.
    Guess guess(int tile);
    // Whether the tile has been played in this game.
    bool hasGuessed(int tile) const { return m_guessed.contains(tile); }
    // Before the first game there is no word to win or lose.
    bool won() const;
    bool lost() const { return !m_places.isEmpty() && m_chances == 0; }

    int level() const { return m_level; }
    const QList<Place>& places() const { return m_places; }
    // The word as its places show it.
    QString word() const;
    int chances() const { return m_chances; }
    // The positions still covered: what a lost game reveals.
    std::vector<int> covered() const;

private:
    int m_level;
    QList<Place> m_places;
    std::vector<bool> m_uncovered;
    QList<int> m_guessed; // tiles, in the order they were played
    int m_chances = 0;
};

// Media files, as the window asks for them (each carries its own separator).
MediaFile letterSound(QChar capital); // "\A.wav" to "\Z.wav"
inline const MediaFile SnareSound{QStringLiteral("\\snare.wav")};
inline const MediaFile WordCompleteSound{QStringLiteral("/allright.wav")};
inline const MediaFile OutOfChancesSound{QStringLiteral("/uhoh.wav")};
inline const MediaFile CirclePicture{QStringLiteral("\\circle.gif")};
inline const MediaFile WonFace{QStringLiteral("\\face02.ico")};
inline const MediaFile LostFace{QStringLiteral("\\face04.ico")};

// Every media file the Hangman window can ask for.
QList<MediaFile> mediaFiles();

} // namespace hangman
