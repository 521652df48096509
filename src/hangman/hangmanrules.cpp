#include "hangman/hangmanrules.h"

namespace hangman {

QString nextLevel(const QString& caption) {
    for (std::size_t i = 0; i < Levels.size(); ++i) {
        if (caption == QLatin1String(Levels[i].caption))
            return QLatin1String(Levels[(i + 1) % Levels.size()].caption);
    }
    return caption;
}

std::vector<int> scan(const QString& hiddenWord, QChar guess) {
    // The word is consumed from the front, one letter per position, so every occurrence is found.
    std::vector<int> found;
    QString workWord = hiddenWord;
    for (int i = 0; i < hiddenWord.size(); ++i) {
        if (workWord.front() == guess)
            found.push_back(i);
        workWord.remove(0, 1);
    }
    return found;
}

std::vector<int> reveal(const QString& hiddenWord, const QStringList& slotCaptions) {
    std::vector<int> missing;
    for (int i = 0; i < hiddenWord.size(); ++i) {
        if (i >= slotCaptions.size() || slotCaptions.at(i).isEmpty())
            missing.push_back(i);
    }
    return missing;
}

QString letterSound(QChar capital) {
    return QLatin1Char('\\') + capital + QLatin1String(".wav");
}

QStringList mediaFiles() {
    QStringList names;
    for (int i = 0; i < LetterCount; ++i)
        names.append(letterSound(letterAt(i)));
    for (const char* name :
         {SnareSound, WordCompleteSound, OutOfChancesSound, CirclePicture, WonFace, LostFace})
        names.append(QString::fromLatin1(name));
    return names;
}

} // namespace hangman
