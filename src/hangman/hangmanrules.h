// The rules of a Hangman game that need no window: the three levels and their chances, the scan that
// uncovers a guessed letter, the reveal of a lost word, and the names of the media files the game asks for.
#pragma once

#include <array>
#include <QChar>
#include <QString>
#include <QStringList>
#include <vector>

namespace hangman {

// One tile per letter, "A" at index 0 to "Z" at index 25.
inline constexpr int LetterCount = 26;
inline QChar letterAt(int index) {
    return QChar(char16_t(u'A' + index));
}

// A level is the caption of the difficulty button; it sets how many misses a game allows.
struct Level {
    const char* caption;
    int chances;
};
// In the order a click on the difficulty button goes round them; a window opens at the first.
inline constexpr std::array<Level, 3> Levels{{{"&EASY", 15}, {"&MEDIUM", 10}, {"&HARD", 5}}};
// One circle per chance of the most generous level.
inline constexpr int MostChances = Levels[0].chances;

// The caption after a click on the difficulty button; a caption that is no level stays as it is.
QString nextLevel(const QString& caption);

// The word positions, from 0, whose letter is the guess; a letter that occurs twice gives two positions.
std::vector<int> scan(const QString& hiddenWord, QChar guess);

// The positions a lost game shows in red: those whose slot is still empty. Slots beyond the list count
// as empty.
std::vector<int> reveal(const QString& hiddenWord, const QStringList& slotCaptions);

// Media names, as the window asks for them (each carries its own separator).
QString letterSound(QChar capital); // "\A.wav" to "\Z.wav"
inline constexpr char SnareSound[] = "\\snare.wav";
inline constexpr char WordCompleteSound[] = "/allright.wav";
inline constexpr char OutOfChancesSound[] = "/uhoh.wav";
inline constexpr char CirclePicture[] = "\\circle.gif";
inline constexpr char WonFace[] = "\\face02.ico";
inline constexpr char LostFace[] = "\\face04.ico";

// Every media file the Hangman window can ask for.
QStringList mediaFiles();

} // namespace hangman
