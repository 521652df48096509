#include "abc/lettertable.h"

#include <algorithm>

namespace abc {

namespace {
constexpr QChar Separator = u'\\';
constexpr QLatin1String WaveExtension = ".wav"_L1;
} // namespace

const LetterRow* findByLetter(const QString& text) {
    if (text.size() != 1)
        return nullptr;
    // Compared with the table's own two forms, never by folding the input: other scripts have letters
    // (a dotless i, a Kelvin sign) that fold to A-Z and must select nothing.
    const QChar typed = text.front();
    const auto row = std::find_if(LetterTable.begin(), LetterTable.end(), [typed](const LetterRow& r) {
        return typed == QLatin1Char(r.letter) || typed == QLatin1Char(char(r.letter - 'A' + 'a'));
    });
    return row == LetterTable.end() ? nullptr : &*row;
}

const LetterRow* findByPicture(const QString& picture) {
    const auto row = std::find_if(LetterTable.begin(), LetterTable.end(),
                                  [&picture](const LetterRow& r) { return picture == r.picture; });
    return row == LetterTable.end() ? nullptr : &*row;
}

QString pictureName(const LetterRow& row) {
    return Separator + QString(row.picture);
}

QString wordSoundName(const LetterRow& row) {
    return row.wordSound;
}

QString letterSoundName(const LetterRow& row) {
    return row.letterSound;
}

QString bigLetterSoundName(const QString& currentPicture) {
    return Separator + currentPicture.left(1) + WaveExtension;
}

QStringList mediaFiles() {
    QStringList names;
    const auto add = [&names](const QString& name) {
        if (!names.contains(name))
            names.append(name);
    };
    for (const LetterRow& row : LetterTable) {
        add(pictureName(row));
        add(wordSoundName(row));
        add(letterSoundName(row));
        add(bigLetterSoundName(row.picture));
    }
    return names;
}

} // namespace abc
