// Word collections: the vocabulary-file reader on good and bad files made here, the listing of the data
// folders, language names, alphabets and Hangman's words, the remembered choice, and every file of the
// desktop's own collections when they are installed.
#include "words/alphabet.h"
#include "words/catalogue.h"
#include "words/choice.h"
#include "words/collection.h"
#include "words/language.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace words;
using namespace Qt::StringLiterals;

namespace {

// A kvtml 2 file around the given entries.
QByteArray kvtml(const QString& entries, const QString& locale = u"de"_s, const QString& title = u"Tiere"_s) {
    return uR"(<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE kvtml PUBLIC "kvtml2.dtd" "http://edu.kde.org/kvtml/kvtml2.dtd">
<kvtml version="2.0">
  <information><title>%1</title></information>
  <identifiers><identifier id="0"><locale>%2</locale></identifier></identifiers>
  <entries>
%3
  </entries>
</kvtml>
)"_s.arg(title, locale, entries)
        .toUtf8();
}

// One entry per word, on a line of its own (the first on the seventh line of the file).
QString entries(const QStringList& texts) {
    QStringList lines;
    for (const QString& text : texts)
        lines << u"<entry><translation id=\"0\"><text>%1</text></translation></entry>"_s.arg(text);
    return lines.join(u'\n');
}

void write(const QString& path, const QByteArray& data) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(data);
}

// "Title [language] word(hint){picture}<sound> ...", then "; line: reason" for each skipped entry; or
// "refused line: reason". Paths are shown relative to the folder.
QString summary(const ReadResult& result, const QDir& folder) {
    QStringList parts;
    if (result.collection) {
        const Collection& collection = *result.collection;
        QString read = u"%1 [%2]"_s.arg(collection.title, collection.language);
        for (const Entry& entry : collection.entries) {
            read += u' ' + entry.text;
            if (!entry.hint.isEmpty())
                read += u'(' + entry.hint + u')';
            if (!entry.picture.isEmpty())
                read += u'{' + folder.relativeFilePath(entry.picture) + u'}';
            if (!entry.sound.isEmpty())
                read += u'<' + folder.relativeFilePath(entry.sound) + u'>';
        }
        parts << read;
    } else {
        parts << u"refused"_s;
    }
    for (const Problem& problem : result.problems)
        parts << u"%1: %2"_s.arg(problem.line).arg(problem.reason);
    return parts.join(u"; "_s);
}

// Each place of the word: its letter, "=" and its tile's letter where that differs, or a sign in
// brackets; or "!" and why Hangman cannot play it.
QString places(const QString& language, const QString& word) {
    const std::optional<Alphabet> alphabet =
        language == u"latin" ? Alphabet::latin() : Alphabet::forLanguage(language);
    if (!alphabet)
        return u"no alphabet"_s;
    if (const QString problem = hangmanProblem(*alphabet, word); !problem.isEmpty())
        return u"! "_s + problem;
    QStringList shown;
    const auto positions = alphabet->positions(word);
    for (const Alphabet::Position& place : *positions) {
        const QString tile = place.tile == Alphabet::NoTile ? QString() : alphabet->letters()[place.tile];
        shown << (tile.isEmpty()        ? u'(' + place.shown + u')'
                  : tile == place.shown ? place.shown
                                        : place.shown + u'=' + tile);
    }
    return shown.join(u' ');
}

} // namespace

class WordsTest : public QObject {
    Q_OBJECT
private slots:
    void reader_data() {
        QTest::addColumn<QString>("place"); // where the file lies in the folder
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QString>("expected");
        const auto row = [&](const char* name, const QByteArray& data, const QString& expected,
                             const QString& place = u"list.kvtml"_s) {
            QTest::newRow(name) << place << data << expected;
        };

        row("first translation's text and comment, cleaned",
            kvtml(u"<entry><translation id=\"1\"><text>Horse</text></translation>"
                  "<translation id=\"0\"><text> Eich\u00ADhörnchen </text><text>Nein</text>"
                  "<comment>Klettert  auf\nBäume</comment></translation></entry>"_s),
            u"Tiere [de] Eichhörnchen(Klettert auf Bäume)"_s);
        row("no title: the file's name", kvtml(entries({u"Zebra"_s}), u"de"_s, {}), u"list [de] Zebra"_s);
        row("the folder names the language", kvtml(entries({u"buataisí"_s}), u"en"_s),
            u"Tiere [ga] buataisí"_s, u"share/apps/kvtml/ga/clothing.kvtml"_s);
        row("words and what is not one",
            kvtml(entries({u"Ice Cream"_s, u"T-Shirt"_s, u"п’ять"_s, u"libèl·lula"_s, u""_s, u"zebra"_s,
                           u"ZEBRA"_s, u"H2O"_s, u"Kappa/Rock"_s, u"Hund!"_s, u"das ist ein Satz"_s,
                           u"a - b"_s, u"-Eis"_s})),
            u"Tiere [de] Ice Cream T-Shirt п’ять libèl·lula zebra; 11: entry has no word; "
            "13: \"ZEBRA\" repeats the word of line 12; 14: \"H2O\" has a digit; "
            "15: \"Kappa/Rock\" has the sign \"/\"; 16: \"Hund!\" has the sign \"!\"; "
            "17: \"das ist ein Satz\" is a phrase, not a word; "
            "18: \"a - b\" has the sign \" \" where a letter should follow; "
            "19: \"-Eis\" does not begin with a letter"_s);
        // Parley writes "file:" and a path relative to the file, or an absolute address outside its folder.
        row("pictures and sounds",
            kvtml(u"<entry><translation id=\"0\"><text>Zebra</text><image>pics/zebra.png</image>"
                  "<sound>file:sounds/zebra%20one.wav</sound></translation></entry>\n"
                  "<entry><translation id=\"0\"><text>Hund</text><image>file://$DIR/pics/zebra.png</image>"
                  "<sound>http://example.org/hund.wav</sound></translation></entry>\n"
                  "<entry><translation id=\"0\"><text>Katze</text><image>katze.png</image>"
                  "<sound>file:katze.ogg</sound></translation></entry>"_s),
            u"Tiere [de] Zebra{pics/zebra.png}<sounds/zebra one.wav> Hund{pics/zebra.png} Katze; "
            "8: sound http://example.org/hund.wav is not a file on this computer; "
            "9: picture katze.png is not found; 9: sound file:katze.ogg is not found"_s);

        row("empty file", "  \n", u"refused; 0: is empty"_s);
        row("malformed XML", kvtml(u"<entry><translation id=\"0\"><text>Zebra</translation></entry>"_s),
            u"refused; 7: is not well-formed XML (Opening and ending tag mismatch.)"_s);
        row("not UTF-8 as declared", kvtml(entries({u"Zebra"_s, u"Bär"_s})).replace("B\xc3\xa4r", "B\xe4r"),
            u"refused; 8: has text that is not UTF-8, the encoding it declares"_s);
        row("kvtml 1", "<?xml version=\"1.0\"?>\n<kvtml encoding=\"UTF-8\">\n<e><o>hval</o></e></kvtml>",
            u"refused; 2: is in the old kvtml 1 format, which is not read"_s);
        row("another root", "<?xml version=\"1.0\"?>\n<html/>",
            u"refused; 2: is not a vocabulary file (its root is <html>)"_s);
        row("no locale", kvtml(entries({u"Zebra"_s}), {}),
            u"refused; 0: names no language (its first identifier has no locale)"_s);
        row("no word", kvtml(entries({u"42"_s})),
            u"refused; 7: \"42\" has a digit; 0: has no word that can be used"_s);
        row("internal entity", "<!DOCTYPE kvtml [<!ENTITY w \"Zebra\">]>\n<kvtml version=\"2.0\"/>",
            u"refused; 1: declares entities, which no vocabulary file needs"_s);
        row("undeclared entity", kvtml(entries({u"&zebra;"_s})),
            u"refused; 7: uses the undeclared entity &zebra;"_s);
        QByteArray laughs = "<!DOCTYPE kvtml [<!ENTITY a \"" + QByteArray(4000, 'a') + "\">]>\n<kvtml>";
        for (int i = 0; i < 100000; ++i)
            laughs += "&a;";
        row("quadratic blow-up", laughs + "</kvtml>",
            u"refused; 1: declares entities, which no vocabulary file needs"_s);
        row("deep nesting", kvtml(QString(u"<a>"_s).repeated(100000)),
            u"refused; 7: nests elements deeper than a vocabulary file does"_s);
    }
    void reader() {
        QFETCH(QString, place);
        QFETCH(QByteArray, data);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        write(dir.filePath(u"pics/zebra.png"_s), "png");
        write(dir.filePath(u"sounds/zebra one.wav"_s), "wav");
        write(dir.filePath(place), data.replace("$DIR", dir.path().toUtf8()));
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(summary(readCollection(dir.filePath(place)), QDir(dir.path())), expected);
        QVERIFY2(clock.elapsed() < 5000, "a bad file must never hold the reader up");
    }

    // The size is known before a byte is read: this file is sparse, and reading it would take seconds.
    void largeFileRefusedUnread() {
        QTemporaryDir dir;
        QFile file(dir.filePath(u"huge.kvtml"_s));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(LargestFile + 1));
        file.close();
        QCOMPARE(summary(readCollection(file.fileName()), QDir()), u"refused; 0: is larger than 8 MiB"_s);
    }

    // The user's own copy hides the system's; kvtml 1 is left out with its reason; the desktop's language
    // comes first, the others by name, each with its collections by title.
    void listing() {
        QTemporaryDir dir;
        const QString user = dir.filePath(u"user"_s), system = dir.filePath(u"system"_s);
        write(system + u"/apps/kvtml/de/tiere.kvtml"_s, kvtml(entries({u"Zebra"_s})));
        write(system + u"/apps/kvtml/de/obst.kvtml"_s, kvtml(entries({u"Apfel"_s}), u"de"_s, u"Obst"_s));
        write(system + u"/apps/kvtml/nb/dyr.kvtml"_s, "<kvtml encoding=\"UTF-8\"><e><o>hval</o></e></kvtml>");
        write(system + u"/apps/kvtml/sr@latin/zivotinje.kvtml"_s, kvtml({}, u"sr"_s, u"Životinje"_s));
        write(system + u"/apps/kvtml/fr/animaux.kvtml"_s, kvtml({}, u"fr"_s, u"Animaux"_s));
        write(system + u"/apps/kvtml/fr/notes.txt"_s, "not a collection");
        write(user + u"/apps/kvtml/de/tiere.kvtml"_s, kvtml({}, u"de"_s, u"Meine Tiere"_s));
        write(user + u"/apps/kvtml/en_GB/animals.kvtml"_s, kvtml({}, u"en"_s, {}));

        const Catalogue catalogue = listCollections({user, system}, QLocale(u"fr_FR"_s));
        QStringList seen;
        for (const Language& language : catalogue.languages) {
            QStringList titles;
            for (const Listed& listed : language.collections)
                titles << listed.title + (listed.file.startsWith(user) ? u"*"_s : QString());
            seen << u"%1 %2: %3"_s.arg(language.code, language.name, titles.join(u", "_s));
        }
        QCOMPARE(seen, (QStringList{u"fr Français: Animaux"_s, u"en_GB British English: animals*"_s,
                                    u"de Deutsch: Meine Tiere*, Obst"_s, u"sr@latin Srpski: Životinje"_s}));
        QCOMPARE(catalogue.problems.size(), 1);
        QCOMPARE(catalogue.problems[0].toString(),
                 system + u"/apps/kvtml/nb/dyr.kvtml:1: is not in the kvtml 2 format"_s);
    }

    void languageNames_data() {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("name");
        const char* rows[][2] = {{"de", "Deutsch"},
                                 {"fr", "Français"},
                                 {"en", "English"},
                                 {"en_gb", "British English"},
                                 {"pt_BR", "Português (Brasil)"},
                                 {"sr@latin", "Srpski"},
                                 {"sr@ijekavianlatin", "Srpski (ijekavski)"},
                                 {"nds", "Neddersass’sch"},
                                 {"xx", "xx"}};
        for (const auto& [code, name] : rows)
            QTest::newRow(code) << QString::fromUtf8(code) << QString::fromUtf8(name);
    }
    void languageNames() {
        QFETCH(QString, code);
        QFETCH(QString, name);
        QCOMPARE(languageName(code), name);
    }

    // The tiles in the language's own order; an unknown language in Latin letters gets A to Z, one in
    // another script none.
    void letters_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("letters");
        QTest::newRow("built-in") << u"latin"_s << u"ABCDEFGHIJKLMNOPQRSTUVWXYZ"_s;
        QTest::newRow("de") << u"de"_s << u"AÄBCDEFGHIJKLMNOÖPQRSẞTUÜVWXYZ"_s;
        QTest::newRow("tr") << u"tr"_s << u"ABCÇDEFGĞHIİJKLMNOÖPQRSŞTUÜVWXYZ"_s;
        QTest::newRow("et") << u"et"_s << u"ABCDEFGHIJKLMNOPQRSŠZŽTUVWÕÄÖÜXY"_s;
        QTest::newRow("id, not in the table") << u"id"_s << u"ABCDEFGHIJKLMNOPQRSTUVWXYZ"_s;
        QTest::newRow("ja") << u"ja"_s << u"no alphabet"_s;
    }
    void letters() {
        QFETCH(QString, language);
        QFETCH(QString, letters);
        const std::optional<Alphabet> alphabet =
            language == u"latin" ? Alphabet::latin() : Alphabet::forLanguage(language);
        QCOMPARE(alphabet ? alphabet->letters().join(QString()) : u"no alphabet"_s, letters);
    }

    void hangmanWords_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("places");
        const char* rows[][3] = {
            {"latin", "BALLOON", "B A L L O O N"},
            {"latin", "CAFÉ", "! has \"É\", which has no tile"},
            {"fr", "Élève", "É=E L È=E V E"},
            {"de", "Straße", "S T R A ẞ E"},
            {"de", "Eichhörnchen", "E I C H H Ö R N C H E N"},
            {"de", "Straßenbahnhaltestelle", "! is longer than 12"},
            {"de", "Ei", "! is shorter than 3 letters"},
            {"de", "Ice Cream", "I C E ( ) C R E A M"},
            {"es", "cigüeña", "C I G Ü=U E Ñ A"},
            {"tr", "kırmızı", "K I R M I Z I"},
            {"tr", "istanbul", "İ S T A N B U L"},
            {"ro", "şcoală", "Ş=Ș C O A L Ă"},
            {"ru", "йод", "Й О Д"},
            {"uk", "п’ять", "П (’) Я Т Ь"},
            {"el", "άλογο", "Α Λ Ο Γ Ο"},
            {"el", "προϊόν", "Π Ρ Ο Ϊ=Ι Ο Ν"},
            {"pa", "ਕਿੱਲ ਆਲੂ", "ਕਿੱ=ਕ ਲ ( ) ਆ=ਅ ਲੂ=ਲ"},
            {"pa", "ਉਪ-ਗ੍ਰਹਿ", "! joins consonants in \"ਗ੍ਰ\""},
            {"el", "apollo", "! has \"A\", which has no tile"},
        };
        for (const auto& [language, word, places] : rows)
            QTest::addRow("%s %s", language, word)
                << QString::fromUtf8(language) << QString::fromUtf8(word) << QString::fromUtf8(places);
    }
    void hangmanWords() {
        QFETCH(QString, language);
        QFETCH(QString, word);
        QFETCH(QString, places);
        QCOMPARE(::places(language, word), places);
    }

    // Reading writes nothing; a choice is written once, not again when it is made again; a chosen file
    // that has gone is dropped with a message, the built-in words when none is left.
    void choice() {
        QTemporaryDir dir;
        const QString settingsFile = dir.filePath(u"config/Wordpot.conf"_s);
        const auto settings = [&] { return std::make_unique<QSettings>(settingsFile, QSettings::IniFormat); };
        QCOMPARE(readChoice(*settings()), Choice{});
        QVERIFY(!writeChoice(*settings(), Choice{}));
        QVERIFY(!QFile::exists(settingsFile));

        const QString tiere = dir.filePath(u"tiere.kvtml"_s), obst = dir.filePath(u"obst.kvtml"_s);
        write(tiere, {});
        write(obst, {});
        const Choice chosen{u"de"_s, {tiere, obst}};
        QVERIFY(writeChoice(*settings(), chosen));
        QCOMPARE(readChoice(*settings()), chosen);
        // Rewriting would drop a comment.
        QFile file(settingsFile);
        QVERIFY(file.open(QIODevice::Append));
        file.write("; untouched\n");
        file.close();
        QVERIFY(!writeChoice(*settings(), chosen));
        QVERIFY(file.open(QIODevice::ReadOnly) && file.readAll().contains("; untouched"));

        QFile::remove(obst);
        QList<Problem> gone;
        QCOMPARE(readChoice(*settings(), &gone), (Choice{u"de"_s, {tiere}}));
        QCOMPARE(gone.size(), 1);
        QCOMPARE(gone[0].file, obst);
        QFile::remove(tiere);
        QCOMPARE(readChoice(*settings()), Choice{});
    }

    // The sample list as Parley saved it (opened, a word changed, saved: parley-saved.kvtml), read beside
    // the sample's own folder: every word keeps its picture, and the nine recorded words their sound.
    void savedByParley() {
        QFile saved(QStringLiteral(WORDPOT_SOURCE_DIR "/tests/words/parley-saved.kvtml"));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        const QByteArray data = saved.readAll();
        QVERIFY(data.contains("<generator>Parley"));
        const ReadResult read =
            readCollection(data, QStringLiteral(WORDPOT_SOURCE_DIR "/dist/words/apps/kvtml/en/saved.kvtml"));
        QVERIFY(read.collection && read.problems.isEmpty());
        int pictures = 0, sounds = 0;
        for (const Entry& entry : read.collection->entries) {
            pictures += QFileInfo(entry.picture).size() > 0 ? 1 : 0;
            sounds += QFileInfo(entry.sound).size() > 0 ? 1 : 0;
        }
        QCOMPARE(QList<int>({int(read.collection->entries.size()), pictures, sounds}),
                 QList<int>({12, 12, 9}));
    }

    // Every file of the desktop's collections is read or refused with its reason; the counts are reported.
    void desktopCollections() {
        const QString root = QStandardPaths::locate(QStandardPaths::GenericDataLocation, u"apps/kvtml"_s,
                                                    QStandardPaths::LocateDirectory);
        if (root.isEmpty())
            QSKIP("the desktop's collections (Debian package kdeedu-kvtml-data) are not installed");
        int files = 0, words = 0, skipped = 0;
        QStringList refused;
        QMap<QString, QPair<int, int>> playable; // by language: playable in Hangman, and all
        for (const QString& code : QDir(root).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            const QDir folder(root + u'/' + code);
            for (const QString& name : folder.entryList({u"*.kvtml"_s}, QDir::Files)) {
                ++files;
                const ReadResult result = readCollection(folder.filePath(name));
                if (!result.collection) {
                    refused << code + u'/' + name + u':' + QString::number(result.problems[0].line) + u' ' +
                                   result.problems[0].reason;
                    continue;
                }
                words += result.collection->entries.size();
                skipped += result.problems.size();
                const std::optional<Alphabet> alphabet = Alphabet::forLanguage(code);
                QVERIFY2(alphabet, qPrintable(code));
                for (const Entry& entry : result.collection->entries) {
                    ++playable[code].second;
                    playable[code].first += hangmanProblem(*alphabet, entry.text).isEmpty();
                }
                if (code == u"de" && name == u"animals.kvtml") {
                    const auto zebra =
                        std::find_if(result.collection->entries.cbegin(), result.collection->entries.cend(),
                                     [](const Entry& entry) { return entry.text == u"Zebra"; });
                    QCOMPARE(result.collection->entries.size(), 47);
                    QCOMPARE(zebra->hint, u"Es sieht aus wie ein Pferd und ist schwarz-weiß gestreift."_s);
                }
            }
        }
        QStringList perLanguage;
        for (auto it = playable.cbegin(); it != playable.cend(); ++it)
            perLanguage << u"%1 %2/%3"_s.arg(it.key()).arg(it->first).arg(it->second);
        qInfo("%d files, %d read with %d words (%d entries skipped), %lld refused:\n  %s\nplayable in "
              "Hangman: %s",
              files, files - int(refused.size()), words, skipped, refused.size(),
              qPrintable(refused.join(u"\n  "_s)), qPrintable(perLanguage.join(u", "_s)));
        QCOMPARE(
            refused,
            (QStringList{u"nb/animals.kvtml:3 is in the old kvtml 1 format, which is not read"_s,
                         u"nb/easy.kvtml:3 is in the old kvtml 1 format, which is not read"_s,
                         u"nb/hard.kvtml:3 is in the old kvtml 1 format, which is not read"_s,
                         u"nb/medium.kvtml:3 is in the old kvtml 1 format, which is not read"_s,
                         u"sv/animals.kvtml:112 has text that is not UTF-8, the encoding it declares"_s}));
        // The listing leaves out the same files, and offers every other language.
        const Catalogue catalogue = listCollections({QDir::cleanPath(root + u"/../.."_s)}, QLocale::c());
        QCOMPARE(catalogue.problems.size(), refused.size());
        QCOMPARE(catalogue.languages.size(), playable.size());
    }
};

QTEST_GUILESS_MAIN(WordsTest)
#include "tst_words.moc"
