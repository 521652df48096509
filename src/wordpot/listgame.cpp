#include "wordpot/listgame.h"

#include "wordpot/wordlist.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace wordpot {

namespace {
// An index below count from one r, safe from an r that rounds up to 1.
int pick(int count, const RandomSource& random) {
    return std::clamp(int(random() * count), 0, count - 1);
}
} // namespace

QString spellingProblem(const words::Alphabet& alphabet, const words::Entry& entry) {
    if (entry.picture.isEmpty())
        return u"has no picture"_s;
    QString why;
    const auto places = alphabet.positions(entry.text, &why);
    if (!places)
        return why;
    // The board has no tile for a sign, and a child cannot spell a space.
    for (const words::Alphabet::Position& place : *places) {
        if (place.tile == words::Alphabet::NoTile)
            return u"has \"%1\", which the board has no tile for"_s.arg(place.shown);
    }
    if (places->size() > LongestListWord)
        return u"is longer than the answer box's %1 letters"_s.arg(LongestListWord);
    if (places->size() < ShortestListWord)
        return u"is shorter than %1 letters"_s.arg(ShortestListWord);
    return {};
}

QList<int> spellingWords(const words::WordList& list) {
    QList<int> playable;
    for (int i = 0; i < list.entries.size(); ++i) {
        if (spellingProblem(list.alphabet, list.entries[i]).isEmpty())
            playable.append(i);
    }
    return playable;
}

int drawListWord(int previous, int count, const RandomSource& random) {
    if (count <= 1)
        return 0;
    for (;;) {
        const int index = pick(count, random);
        if (index != previous)
            return index;
    }
}

QStringList boardFor(const words::Alphabet& alphabet, const QList<int>& wordTiles,
                     const RandomSource& random) {
    QList<int> tiles;
    for (const int tile : wordTiles) {
        if (!tiles.contains(tile))
            tiles.append(tile);
    }
    QList<int> others;
    for (int tile = 0; tile < alphabet.letters().size(); ++tile) {
        if (!tiles.contains(tile))
            others.append(tile);
    }
    while (tiles.size() < SlotCount && !others.isEmpty())
        tiles.append(others.takeAt(pick(int(others.size()), random)));
    // Fisher-Yates over the slots, so the word's letters stand anywhere on the bowl.
    for (int i = int(tiles.size()) - 1; i > 0; --i)
        tiles.swapItemsAt(i, pick(i + 1, random));
    QStringList board;
    for (const int tile : tiles)
        board.append(alphabet.letters()[tile]);
    return board;
}

} // namespace wordpot
