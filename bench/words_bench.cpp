// Times the word lists in-process, on this machine's installed collections: listing every collection the
// dialog shows (each file's title read, nothing else), and reading the largest collection whole. Medians
// and worst of N rounds, the first (cold) round reported apart: the dialog is opened once in a while, and a
// parent meets the cold figure.
#include "words/catalogue.h"
#include "words/collection.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocale>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
struct Times {
    double first = 0;
    std::vector<double> rest;
};

template <typename Work> Times timed(int rounds, Work work) {
    Times times;
    for (int i = 0; i <= rounds; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        const double ms = double(timer.nsecsElapsed()) / 1e6;
        if (i == 0)
            times.first = ms;
        else
            times.rest.push_back(ms);
    }
    std::sort(times.rest.begin(), times.rest.end());
    return times;
}

void print(const char* figure, const Times& times) {
    std::printf("| %s | %.1f | %.1f | %.1f |\n", figure, times.first, times.rest[times.rest.size() / 2],
                times.rest.back());
}
} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 20;

    words::Catalogue catalogue;
    const Times listing = timed(rounds, [&] { catalogue = words::listCollections(); });
    QString largest;
    qsizetype collections = 0;
    for (const words::Language& language : catalogue.languages) {
        for (const words::Listed& listed : language.collections) {
            ++collections;
            if (largest.isEmpty() || QFileInfo(listed.file).size() > QFileInfo(largest).size())
                largest = listed.file;
        }
    }
    if (largest.isEmpty()) {
        std::fprintf(stderr, "words_bench: no word lists are installed (kdeedu-kvtml-data)\n");
        return 1;
    }
    qsizetype entries = 0;
    const Times reading = timed(rounds, [&] {
        const words::ReadResult read = words::readCollection(largest);
        entries = read.collection ? read.collection->entries.size() : 0;
    });

    std::printf("\n%lld collections in %lld languages; the largest, %s, %lld KiB, %lld words; %d rounds.\n\n",
                static_cast<long long>(collections), static_cast<long long>(catalogue.languages.size()),
                qPrintable(largest), static_cast<long long>(QFileInfo(largest).size() / 1024),
                static_cast<long long>(entries), rounds);
    std::printf("| Figure (ms) | first | median | worst |\n|---|---|---|---|\n");
    print("listing every collection for the dialog", listing);
    print("reading the largest collection", reading);
    return 0;
}
