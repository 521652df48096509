// LetterTable: the 26 letters of the letter explorer with the names of their pictures, words and sounds,
// the two lookups (by typed letter, by picture name) and the rules that turn those names into media names.
#pragma once

#include "media/mediafile.h"

#include <array>
#include <QLatin1String>
#include <QString>
#include <QStringList>

namespace abc {

using namespace Qt::Literals::StringLiterals;

struct LetterRow {
    char letter;               // the capital; it and its small form, typed alone, select the row
    QLatin1String picture;     // bare file name in the media folder; the key of the picture click
    QLatin1String caption;     // the word under the picture, with its spaces
    QLatin1String wordSound;   // carries its own leading backslash
    QLatin1String letterSound; // carries its own leading backslash
};

// The names keep their irregular spellings and letter case on purpose: the media folder is searched
// without regard to case, and the big-letter click relies on the capitals of X, Y and Z.
inline constexpr std::array<LetterRow, 26> LetterTable{{
    {'A', "apple.gif"_L1, "  Apple     "_L1, "\\apple.wav"_L1, "\\a.wav"_L1},
    {'B', "ball2.gif"_L1, " Ball   "_L1, "\\ball.wav"_L1, "\\b.wav"_L1},
    {'C', "cat.gif"_L1, "  Cat   "_L1, "\\cat.wav"_L1, "\\c.wav"_L1},
    {'D', "dog.jpg"_L1, "  Dog   "_L1, "\\dog.wav"_L1, "\\d.wav"_L1},
    {'E', "elephant.jpg"_L1, "Elephant"_L1, "\\elephant.wav"_L1, "\\e.wav"_L1},
    {'F', "frog2.gif"_L1, "Frog"_L1, "\\frog.wav"_L1, "\\f.wav"_L1},
    {'G', "giraffe.gif"_L1, "Giraffe"_L1, "\\giraffe.wav"_L1, "\\g.wav"_L1},
    {'H', "horse2.gif"_L1, "Horse"_L1, "\\horse.wav"_L1, "\\h.wav"_L1},
    {'I', "icecream.jpg"_L1, " Ice Cream"_L1, "\\icecream.wav"_L1, "\\i.wav"_L1},
    {'J', "jellybeans2.jpg"_L1, "Jelly Beans"_L1, "\\jellybean.wav"_L1, "\\j.wav"_L1},
    {'K', "kite2.jpg"_L1, " Kite"_L1, "\\Kite.wav"_L1, "\\k.wav"_L1},
    {'L', "lion.jpg"_L1, "Lion"_L1, "\\lion.wav"_L1, "\\l.wav"_L1},
    {'M', "mouse2.gif"_L1, "Mouse"_L1, "\\mouse.wav"_L1, "\\m.wav"_L1},
    {'N', "nose.gif"_L1, " Nose"_L1, "\\Nose.wav"_L1, "\\n.wav"_L1},
    {'O', "octopus.gif"_L1, "Octopus"_L1, "\\Octopus.wav"_L1, "\\o.wav"_L1},
    {'P', "penguin.gif"_L1, "Penguin"_L1, "\\Penguin.wav"_L1, "\\p.wav"_L1},
    {'Q', "queen2.gif"_L1, "Queen"_L1, "\\queen.wav"_L1, "\\q.wav"_L1},
    {'R', "rabbit.gif"_L1, "Rabbit"_L1, "\\Rabbit.wav"_L1, "\\r.wav"_L1},
    {'S', "snake.gif"_L1, "Snake"_L1, "\\Snake.wav"_L1, "\\s.wav"_L1},
    {'T', "turtle.gif"_L1, "Turtle"_L1, "\\Turtle.wav"_L1, "\\t.wav"_L1},
    {'U', "umbrella.gif"_L1, "Umbrella"_L1, "\\Umbrella.wav"_L1, "\\u.wav"_L1},
    {'V', "vase.gif"_L1, "Vase"_L1, "\\Vase.wav"_L1, "\\v.wav"_L1},
    {'W', "water.gif"_L1, "Water"_L1, "\\Water.wav"_L1, "\\w.wav"_L1},
    {'X', "X-Ray.gif"_L1, "X-Ray"_L1, "\\X-ray.wav"_L1, "\\x.wav"_L1},
    {'Y', "Yak.gif"_L1, "Yak"_L1, "\\Yak.wav"_L1, "\\y.wav"_L1},
    {'Z', "Zebra.gif"_L1, "Zebra"_L1, "\\zebra.wav"_L1, "\\z.wav"_L1},
}};

// The row whose letter, capital or small, is the whole text exactly; null for anything else.
const LetterRow* findByLetter(const QString& text);
// The row whose picture name equals the name character for character; null when none does.
const LetterRow* findByPicture(const QString& picture);

// The media files of a row, and of a big-letter click.
MediaFile pictureFile(const LetterRow& row);
MediaFile wordSound(const LetterRow& row);
MediaFile letterSound(const LetterRow& row);
// A big-letter click speaks the first character of the current picture's name: a capital for X, Y and
// Z, and nothing but ".wav" when no letter has been chosen yet.
MediaFile bigLetterSound(const QString& currentPicture);

// Every media file the letter explorer can ask for, once each, spelled as it asks for it. The bare
// "\.wav" of a big-letter click before any letter names no file by design and is left out.
QList<MediaFile> mediaFiles();

} // namespace abc
