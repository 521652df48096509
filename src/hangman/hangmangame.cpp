#include "hangman/hangmangame.h"

#include <algorithm>

namespace hangman {

void Game::start(QList<Place> places) {
    m_places = std::move(places);
    m_uncovered.clear();
    for (const Place& place : m_places)
        m_uncovered.push_back(place.tile == words::Alphabet::NoTile);
    m_guessed.clear();
    m_chances = Levels[std::size_t(m_level)].chances;
}

void Game::start(const QString& word) {
    QList<Place> places;
    for (const QChar letter : word)
        places.append({QString(letter), letter.unicode() - u'A'});
    start(std::move(places));
}

QString Game::word() const {
    QString word;
    for (const Place& place : m_places)
        word += place.shown;
    return word;
}

Guess Game::guess(int tile) {
    Guess result;
    if (!hasGuessed(tile))
        m_guessed.append(tile);
    // Every occurrence is uncovered by the same guess.
    for (int i = 0; i < m_places.size(); ++i) {
        if (m_places[i].tile == tile) {
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
    return !m_places.isEmpty() &&
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
