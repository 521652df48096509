#include "hangman/hangmangame.h"

#include <algorithm>

namespace hangman {

void Game::start(const QString& word) {
    m_word = word;
    m_uncovered.assign(std::size_t(word.size()), false);
    m_guessed.clear();
    m_chances = Levels[std::size_t(m_level)].chances;
}

Guess Game::guess(QChar letter) {
    Guess result;
    if (!hasGuessed(letter))
        m_guessed.append(letter);
    // Every occurrence is uncovered by the same guess.
    for (int i = 0; i < m_word.size(); ++i) {
        if (m_word[i] == letter) {
            result.found.push_back(i);
            m_uncovered[std::size_t(i)] = true;
        }
    }
    if (result.found.empty() && m_chances > 0) {
        --m_chances;
        result.chanceTaken = true;
    }
    result.won = won();
    result.lost = lost();
    return result;
}

bool Game::won() const {
    return !m_word.isEmpty() &&
           std::all_of(m_uncovered.begin(), m_uncovered.end(), [](bool uncovered) { return uncovered; });
}

std::vector<int> Game::covered() const {
    std::vector<int> positions;
    for (int i = 0; i < int(m_uncovered.size()); ++i) {
        if (!m_uncovered[std::size_t(i)])
            positions.push_back(i);
    }
    return positions;
}

MediaFile letterSound(QChar capital) {
    return MediaFile(QLatin1Char('\\') + capital + QLatin1String(".wav"));
}

QList<MediaFile> mediaFiles() {
    QList<MediaFile> files;
    for (int i = 0; i < LetterCount; ++i)
        files.append(letterSound(letterAt(i)));
    files << SnareSound << WordCompleteSound << OutOfChancesSound << CirclePicture << WonFace << LostFace;
    return files;
}

} // namespace hangman
