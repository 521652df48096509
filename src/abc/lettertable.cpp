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

MediaFile pictureFile(const LetterRow& row) {
    return MediaFile(Separator + QString(row.picture));
}

MediaFile wordSound(const LetterRow& row) {
    return MediaFile(row.wordSound);
}

MediaFile letterSound(const LetterRow& row) {
    return MediaFile(row.letterSound);
}

MediaFile bigLetterSound(const QString& currentPicture) {
    return MediaFile(Separator + currentPicture.left(1) + WaveExtension);
}

QList<MediaFile> mediaFiles() {
    QList<MediaFile> files;
    for (const LetterRow& row : LetterTable) {
        for (const MediaFile& file :
             {pictureFile(row), wordSound(row), letterSound(row), bigLetterSound(row.picture)}) {
            if (!files.contains(file))
                files.append(file);
        }
    }
    return files;
}

} // namespace abc
