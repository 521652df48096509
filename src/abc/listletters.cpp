#include "abc/listletters.h"

#include <QCollator>

#include <algorithm>

namespace abc {

QList<ListLetter> listLetters(const words::WordList& list) {
    QList<ListLetter> letters;
    for (const QString& letter : list.alphabet.letters())
        letters.append({letter, -1});
    QList<int> order;
    for (int i = 0; i < list.entries.size(); ++i) {
        if (!list.entries[i].picture.isEmpty())
            order.append(i);
    }
    QCollator collator(list.locale);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return collator.compare(list.entries[a].text, list.entries[b].text) < 0;
    });
    for (const int i : order) {
        const auto places = list.alphabet.positions(list.entries[i].text);
        if (!places || places->isEmpty() || places->front().tile == words::Alphabet::NoTile)
            continue;
        ListLetter& letter = letters[places->front().tile];
        if (letter.entry < 0)
            letter.entry = i;
    }
    return letters;
}

} // namespace abc
