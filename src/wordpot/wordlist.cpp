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

QString pictureName(const QString& name) {
    return QLatin1Char('\\') + name + QStringLiteral(".gif");
}

QString soundName(const QString& name) {
    return QLatin1Char('\\') + name + QStringLiteral(".wav");
}

QStringList mediaFiles() {
    QStringList files;
    for (int index = 1; index <= WordCount; ++index)
        files << pictureName(word(index)) << soundName(word(index));
    for (const BoardSlot& slot : Board) {
        const QString letter(QLatin1Char(slot.letter));
        files << pictureName(letter) << soundName(letter);
    }
    return files;
}

} // namespace wordpot
