#include "abc/listletters.h"

#include <QCollator>

#include <algorithm>

namespace abc {

namespace {
constexpr TileRow DesignedRow{120, 360, 375, 495, 18};
constexpr int DesignedCount = 26;
// The designed row's neighbours overlap by its width less its step.
constexpr int RowWidth = DesignedRow.step * (DesignedCount - 1) + DesignedRow.width;
} // namespace

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

TileRow tileRow(int count) {
    if (count <= DesignedCount)
        return DesignedRow;
    TileRow row = DesignedRow;
    const int overlap = DesignedRow.width - DesignedRow.step;
    row.step = (RowWidth - overlap) / count;
    row.width = row.step + overlap;
    row.points = DesignedRow.points * row.step / DesignedRow.step;
    return row;
}

} // namespace abc
