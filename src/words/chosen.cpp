#include "words/chosen.h"

#include <QSet>

namespace words {
namespace {
struct Cache {
    bool read = false;
    std::optional<WordList> list;
};

Cache& cache() {
    static Cache instance;
    return instance;
}

void warn(const QList<Problem>& problems) {
    for (const Problem& problem : problems)
        qWarning("wordpot: %s", qPrintable(problem.toString()));
}
} // namespace

std::optional<WordList> readWords(const Choice& choice, QList<Problem>* problems) {
    const std::optional<Alphabet> alphabet = Alphabet::forLanguage(choice.language);
    if (!alphabet || choice.files.isEmpty())
        return std::nullopt;
    WordList list{choice.language, localeOf(choice.language), *alphabet, {}};
    QSet<QString> seen;
    for (const QString& file : choice.files) {
        ReadResult result = readCollection(file);
        problems->append(result.problems);
        if (!result.collection)
            continue;
        for (Entry& entry : result.collection->entries) {
            if (!seen.contains(entry.text)) {
                seen.insert(entry.text);
                list.entries.append(std::move(entry));
            }
        }
    }
    if (list.entries.isEmpty())
        return std::nullopt;
    return list;
}

const WordList* chosenWords() {
    Cache& c = cache();
    if (!c.read) {
        c.read = true;
        QList<Problem> problems;
        c.list = readWords(readChoice(*openSettings(), &problems), &problems);
        warn(problems);
    }
    return c.list ? &*c.list : nullptr;
}

Choice currentChoice() {
    return readChoice(*openSettings());
}

void choose(const Choice& choice) {
    writeChoice(*openSettings(), choice);
    cache() = Cache();
}

} // namespace words
