// Feeds the vocabulary-file reader, the listing's head reader and the alphabets every file of the desktop's
// collections and mutated copies of each: flipped bytes, cuts, repeated elements, deep nesting, huge text,
// entity definitions, spliced files. The same seed gives the same inputs. It fails on a sanitizer report
// (in the sanitizer build), a crash, or an input that holds the reader up longer than the limit.
//
//   wordpot_fuzz_kvtml [--mutations N] [--seed S] [--limit-ms MS] [FOLDER]
//
// FOLDER defaults to apps/kvtml under the desktop's data folders; with no file found it says so and exits
// with status 77 (skipped).
#include "words/alphabet.h"
#include "words/catalogue.h"
#include "words/collection.h"

#include <QBuffer>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QStandardPaths>
#include <random>

using namespace words;
using namespace Qt::StringLiterals;

namespace {

using Random = std::mt19937_64;

qsizetype pick(Random& random, qsizetype size) {
    return size <= 0 ? 0 : qsizetype(std::uniform_int_distribution<qsizetype>(0, size - 1)(random));
}

// The span of one element named name, from its start tag to its end tag, picked at random.
std::pair<qsizetype, qsizetype> someElement(Random& random, const QByteArray& data, const QByteArray& name) {
    const QByteArray open = '<' + name, close = "</" + name + '>';
    const qsizetype from = data.indexOf(open, pick(random, data.size()));
    const qsizetype start = from >= 0 ? from : data.indexOf(open);
    const qsizetype end = start >= 0 ? data.indexOf(close, start) : -1;
    if (start < 0 || end < 0)
        return {-1, -1};
    return {start, end + close.size()};
}

const QByteArray Tokens[] = {"<",
                             "&",
                             "]]>",
                             "<![CDATA[",
                             "<!--",
                             "\xff\xfe",
                             "<entry>",
                             "</entry>",
                             "&#0;",
                             "&#x10FFFF;",
                             "<?xml ?>",
                             "\0",
                             "<locale>",
                             "</kvtml>",
                             "id=\"0\"",
                             "\xc3",
                             "&amp;",
                             "<text/>",
                             "<image>file:///</image>",
                             "<sound>http://x/</sound>",
                             "\xe2\x80\x99"};

QByteArray mutate(Random& random, QByteArray data, const QList<QByteArray>& others) {
    switch (pick(random, 9)) {
    case 0: // flipped bits
        for (qsizetype n = 1 + pick(random, 8); n > 0 && !data.isEmpty(); --n)
            data[pick(random, data.size())] ^= char(1 << pick(random, 8));
        break;
    case 1: // cut short
        data.truncate(pick(random, data.size()));
        break;
    case 2: { // an element repeated, up to thousands of times
        const auto [start, end] = someElement(random, data,
                                              pick(random, 2)   ? "entry"_ba
                                              : pick(random, 2) ? "text"_ba
                                                                : "identifier"_ba);
        if (start >= 0)
            data.insert(end, data.mid(start, end - start).repeated(1 + pick(random, 3000)));
        break;
    }
    case 3: { // deep nesting, closed or not
        const qsizetype depth = 1 + pick(random, 200000);
        const qsizetype at = std::max<qsizetype>(0, data.indexOf("<entries>"));
        data.insert(at, QByteArray("<a>").repeated(depth) +
                            (pick(random, 2) ? QByteArray("</a>").repeated(depth) : ""));
        break;
    }
    case 4: { // huge text in a word or a hint, up to 8 MiB, as often a few bytes as megabytes
        const auto [start, end] = someElement(random, data, pick(random, 2) ? "text"_ba : "comment"_ba);
        if (start >= 0)
            data.insert(start + 6, QByteArray(qsizetype(1) << pick(random, 24), "aé -'1"[pick(random, 6)]));
        break;
    }
    case 5: { // entity definitions and their use
        static const QByteArray Definitions[] = {
            "<!ENTITY w \"Zebra\">", "<!ENTITY e SYSTEM \"file:///etc/passwd\">",
            "<!ENTITY a \"" + QByteArray(4000, 'a') + "\">",
            "<!ENTITY l0 \"lol\"><!ENTITY l1 \"&l0;&l0;&l0;&l0;&l0;&l0;&l0;&l0;&l0;&l0;\">"
            "<!ENTITY l2 \"&l1;&l1;&l1;&l1;&l1;&l1;&l1;&l1;&l1;&l1;\"><!ENTITY w \"&l2;&l2;&l2;&l2;&l2;\">",
            "<!ENTITY % p \"<!ENTITY w 'x'>\"> %p;"};
        const QByteArray doctype = "<!DOCTYPE kvtml [" + Definitions[pick(random, 5)] + "]>";
        const qsizetype old = data.indexOf("<!DOCTYPE");
        if (old >= 0)
            data.remove(old, data.indexOf('>', old) + 1 - old);
        const qsizetype root = data.indexOf("<kvtml");
        data.insert(std::max<qsizetype>(0, root), doctype);
        // Each word refers to the entities some number of times, up to thousands.
        QByteArray referring;
        const QByteArray reference = pick(random, 2) ? "&w;" : "&a;";
        const qsizetype most = 1 + pick(random, 5000);
        for (qsizetype from = 0;;) {
            const qsizetype text = data.indexOf("<text>", from);
            referring += data.mid(from, text < 0 ? -1 : text + 6 - from);
            if (text < 0)
                break;
            referring += reference.repeated(pick(random, most));
            from = text + 6;
        }
        data = referring;
        break;
    }
    case 6: { // a piece of another file spliced in
        const QByteArray& other = others[pick(random, others.size())];
        const qsizetype start = pick(random, other.size());
        data.insert(pick(random, data.size()), other.mid(start, pick(random, other.size() - start)));
        break;
    }
    case 7: // a token that XML or the format cares about
        for (qsizetype n = 1 + pick(random, 5); n > 0; --n)
            data.insert(pick(random, data.size() + 1), Tokens[pick(random, std::size(Tokens))]);
        break;
    default: // another value for an id, a version or a locale
        for (const QByteArray& attribute : {"id=\""_ba, "version=\""_ba, "<locale>"_ba}) {
            const qsizetype at = data.indexOf(attribute, pick(random, data.size()));
            if (at >= 0)
                data.insert(at + attribute.size(), Tokens[pick(random, std::size(Tokens))]);
        }
        break;
    }
    return data;
}

// Everything a game or the dialog would do with one file.
void exercise(const QByteArray& data, const QString& path) {
    const ReadResult result = readCollection(data, path);
    if (result.collection) {
        const std::optional<Alphabet> alphabet = Alphabet::forLanguage(result.collection->language);
        for (const Entry& entry : result.collection->entries) {
            if (alphabet)
                hangmanProblem(*alphabet, entry.text);
            Alphabet::latin().positions(entry.text);
        }
    }
    QByteArray copy = data;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    readTitle(buffer, nullptr);
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addOptions({{u"mutations"_s, u"Mutated copies of each file."_s, u"N"_s, u"20"_s},
                       {u"seed"_s, u"The seed of every choice."_s, u"S"_s, u"1"_s},
                       {u"limit-ms"_s, u"Longest time one input may take."_s, u"MS"_s, u"10000"_s}});
    parser.addPositionalArgument(u"folder"_s, u"Where the .kvtml files are."_s);
    parser.process(app);
    const QString folder = parser.positionalArguments().value(
        0, QStandardPaths::locate(QStandardPaths::GenericDataLocation, u"apps/kvtml"_s,
                                  QStandardPaths::LocateDirectory));
    QStringList paths;
    for (QDirIterator it(folder, {u"*.kvtml"_s}, QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
        paths << it.next();
    paths.sort();
    if (folder.isEmpty() || paths.isEmpty()) {
        qInfo("wordpot_fuzz_kvtml: no .kvtml file found (Debian package kdeedu-kvtml-data); skipped");
        return 77;
    }
    QList<QByteArray> originals;
    for (const QString& path : paths) {
        QFile file(path);
        originals << (file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
    }

    const int mutations = parser.value(u"mutations"_s).toInt();
    const qint64 limit = parser.value(u"limit-ms"_s).toLongLong();
    Random random(parser.value(u"seed"_s).toULongLong());
    qint64 inputs = 0, slowest = 0, total = 0;
    QString slowestInput;
    for (qsizetype i = 0; i < paths.size(); ++i) {
        for (int m = 0; m <= mutations; ++m) {
            QByteArray data = originals[i];
            // Mutations stack: some inputs are mutated once, others up to three times.
            for (qsizetype n = m == 0 ? 0 : 1 + pick(random, 3); n > 0; --n)
                data = mutate(random, std::move(data), originals);
            QElapsedTimer clock;
            clock.start();
            exercise(data, paths[i]);
            ++inputs;
            total += clock.elapsed();
            if (clock.elapsed() > slowest) {
                slowest = clock.elapsed();
                slowestInput = u"%1, mutation %2"_s.arg(paths[i]).arg(m);
            }
        }
    }
    qInfo("wordpot_fuzz_kvtml: %lld inputs from %lld files, %d mutations each, seed %s; %lld ms reading, "
          "slowest %lld ms (%s)",
          inputs, qint64(paths.size()), mutations, qPrintable(parser.value(u"seed"_s)), total, slowest,
          qPrintable(slowestInput));
    if (slowest > limit) {
        qCritical("wordpot_fuzz_kvtml: an input took longer than %lld ms", limit);
        return 1;
    }
    return 0;
}
