// The spelling game's data: the 22 words, the 18 letters of the board with their slots, and the media
// names built from them. Plain tables, no widgets; frmWordpot lays them out and plays them.
#pragma once

#include "media/mediafile.h"

#include <array>
#include <QString>
#include <QStringList>

namespace wordpot {

// Words are numbered 1 to 22; number 0 stands for no word.
constexpr int NoWord = 0;
constexpr int WordCount = 22;
constexpr std::array<const char*, WordCount + 1> WordList = {
    "",    "APPLE", "BALL", "CAT",  "DOG", "FROG", "HORSE", "LION", "NOSE", "ZEBRA", "KITE",  "STAR",
    "ANT", "BEAR",  "BEE",  "BOOK", "EGG", "HAT",  "PIG",   "TREE", "TIE",  "LEAF",  "SOCKS",
};

// The word of a number, or an empty string for a number outside 1 to 22.
QString word(int index);

// One board slot: its letter and its top-left corner in twips within the window's client area.
struct BoardSlot {
    char letter;
    int left;
    int top;
};

constexpr int SlotCount = 18;
constexpr int SlotSizeTwips = 1125;
constexpr std::array<BoardSlot, SlotCount> Board = {{
    {'Z', 1440, 1800},
    {'F', 2280, 1320},
    {'C', 3120, 1080},
    {'P', 4320, 1320},
    {'E', 840, 2640},
    {'R', 1800, 2640},
    {'G', 2760, 2160},
    {'I', 3600, 2280},
    {'L', 4680, 2400},
    {'B', 960, 3600},
    {'S', 1920, 3600},
    {'N', 2760, 3120},
    {'A', 3720, 3240},
    {'D', 4800, 3360},
    {'T', 3000, 4080},
    {'K', 1560, 4440},
    {'H', 2280, 4800},
    {'O', 4080, 4200},
}};

// The slot that holds a letter (compared in upper case), or -1 when the board has no such letter.
int slotOf(QChar letter);

// The media files of a word or a letter as the game asks for them: a backslash, the name as stored
// (upper case) and the extension.
MediaFile pictureFile(const QString& name);
MediaFile soundFile(const QString& name);

// Every media file the spelling game can ask for.
QList<MediaFile> mediaFiles();

} // namespace wordpot
