#include "wordpot/wordlist.h"

namespace wordpot {

QString word(int index) {
    if (index <= NoWord || index > WordCount)
        return {};
    return QString::fromLatin1(WordList[std::size_t(index)]);
}

int slotOf(QChar letter) {
    const QChar upper = letter.toUpper();
    for (int slot = 0; slot < SlotCount; ++slot) {
        if (upper == QLatin1Char(Board[std::size_t(slot)].letter))
            return slot;
    }
    return -1;
}

MediaFile pictureFile(const QString& name) {
    return MediaFile(QLatin1Char('\\') + name + QStringLiteral(".gif"));
}

MediaFile soundFile(const QString& name) {
    return MediaFile(QLatin1Char('\\') + name + QStringLiteral(".wav"));
}

QList<MediaFile> mediaFiles() {
    QList<MediaFile> files;
    for (int index = 1; index <= WordCount; ++index)
        files << pictureFile(word(index)) << soundFile(word(index));
    for (const BoardSlot& slot : Board) {
        const QString letter(QLatin1Char(slot.letter));
        files << pictureFile(letter) << soundFile(letter);
    }
    return files;
}

} // namespace wordpot
