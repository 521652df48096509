#include "words/alphabet.h"

#include "words/language.h"

#include <algorithm>
#include <QCollator>
#include <QTextBoundaryFinder>

using namespace Qt::StringLiterals;

namespace words {

namespace {

// Which letters a language counts as its own is a matter of how it is taught, not of Unicode or of
// collation: German sorts Ä with A, as French sorts É with E, yet a German child learns Ä as a letter
// and a French child learns É as an E. So a table says it, one row per language of the desktop's
// collections. Latin languages take A to Z and add their own letters; the others list all of theirs.
// Anything else with a mark (French É, Spanish Á, Greek Ά, Punjabi ਕਿ) is found by its base letter.
struct Letters {
    QLocale::Language language;
    QLocale::Script script;
    const char16_t* own;
    // Letters with no decomposition that are still another letter's form: Romanian's older cedillas,
    // and the Gurmukhi vowels that stand alone, each written on one of three bearers.
    const char16_t* folds = u""; // pairs: the form, then its letter
};

constexpr char16_t LatinLetters[] = u"ABCDEFGHIJKLMNOPQRSTUVWXYZ";

// clang-format off
const Letters Table[] = {
    {QLocale::Czech, QLocale::LatinScript, u"ÁČĎÉĚÍŇÓŘŠŤÚŮÝŽ"},
    {QLocale::Danish, QLocale::LatinScript, u"ÆØÅ"},
    {QLocale::German, QLocale::LatinScript, u"ÄÖÜẞ"},
    {QLocale::LowGerman, QLocale::LatinScript, u"ÄÖÜẞ"},
    {QLocale::Spanish, QLocale::LatinScript, u"Ñ"},
    {QLocale::Galician, QLocale::LatinScript, u"Ñ"},
    {QLocale::Estonian, QLocale::LatinScript, u"ŠŽÕÄÖÜ"},
    {QLocale::Finnish, QLocale::LatinScript, u"ÅÄÖ"},
    {QLocale::Swedish, QLocale::LatinScript, u"ÅÄÖ"},
    {QLocale::NorwegianBokmal, QLocale::LatinScript, u"ÆØÅ"},
    {QLocale::NorwegianNynorsk, QLocale::LatinScript, u"ÆØÅ"},
    {QLocale::Hungarian, QLocale::LatinScript, u"ÁÉÍÓÖŐÚÜŰ"},
    {QLocale::Polish, QLocale::LatinScript, u"ĄĆĘŁŃÓŚŹŻ"},
    {QLocale::Romanian, QLocale::LatinScript, u"ĂÂÎȘȚ", u"ŞȘŢȚ"},
    {QLocale::Slovak, QLocale::LatinScript, u"ÁÄČĎÉÍĹĽŇÓÔŔŠŤÚÝŽ"},
    {QLocale::Slovenian, QLocale::LatinScript, u"ČŠŽ"},
    {QLocale::Serbian, QLocale::LatinScript, u"ČĆĐŠŽ"},
    {QLocale::Turkish, QLocale::LatinScript, u"ÇĞİÖŞÜ"},
    {QLocale::Russian, QLocale::CyrillicScript, u"АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ"},
    {QLocale::Ukrainian, QLocale::CyrillicScript, u"АБВГҐДЕЄЖЗИІЇЙКЛМНОПРСТУФХЦЧШЩЬЮЯ"},
    {QLocale::Bulgarian, QLocale::CyrillicScript, u"АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЬЮЯ"},
    {QLocale::Serbian, QLocale::CyrillicScript, u"АБВГДЂЕЖЗИЈКЛЉМНЊОПРСТЋУФХЦЧЏШ"},
    {QLocale::Tajik, QLocale::CyrillicScript, u"АБВГҒДЕЁЖЗИӢЙКҚЛМНОПРСТУӮФХҲЧҶШЪЭЮЯ"},
    {QLocale::Greek, QLocale::GreekScript, u"ΑΒΓΔΕΖΗΘΙΚΛΜΝΞΟΠΡΣΤΥΦΧΨΩ"},
    // The 35 letters and the six with a dot below, each written as a letter and its dot.
    {QLocale::Punjabi, QLocale::GurmukhiScript,
     u"ੳਅੲਸਹਕਖਗਘਙਚਛਜਝਞਟਠਡਢਣਤਥਦਧਨਪਫਬਭਮਯਰਲਵੜ" u"ਸ਼ਖ਼ਗ਼ਜ਼ਫ਼ਲ਼",
     u"ਆਅਐਅਔਅਇੲਈੲਏੲਉੳਊੳਓੳ"},
};
// clang-format on

// The letters of a table's string: a letter with its marks is one.
QStringList graphemes(const QString& text) {
    QStringList letters;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qsizetype start = 0;
    for (qsizetype end = finder.toNextBoundary(); end > 0; end = finder.toNextBoundary()) {
        letters.append(text.mid(start, end - start));
        start = end;
    }
    return letters;
}

// A virama joins two consonants into one shape that cannot be cut into two slots.
bool joinsConsonants(const QString& place) {
    return std::any_of(place.cbegin(), place.cend(), [](QChar c) { return c.combiningClass() == 9; });
}

QString withoutMarks(const QString& capital) {
    const QString decomposed = capital.normalized(QString::NormalizationForm_D);
    const char32_t base = decomposed.front().isHighSurrogate() && decomposed.size() > 1
                              ? QChar::surrogateToUcs4(decomposed[0], decomposed[1])
                              : decomposed.front().unicode();
    return QString::fromUcs4(&base, 1);
}

} // namespace

bool isInnerSign(char32_t c) {
    return c == u' ' || c == u'-' || c == u'\u2010' || c == u'\'' || c == u'\u2019' || c == u'\u02BC' ||
           c == u'\u00B7';
}

Alphabet Alphabet::latin() {
    Alphabet alphabet;
    for (const char16_t letter : std::u16string_view(LatinLetters)) {
        alphabet.m_tiles.insert(QString(QChar(letter)), int(alphabet.m_letters.size()));
        alphabet.m_letters.append(QString(QChar(letter)));
    }
    return alphabet;
}

std::optional<Alphabet> Alphabet::forLanguage(const QString& code, QString* why) {
    const QLocale locale = localeOf(code);
    const auto row = std::find_if(std::begin(Table), std::end(Table), [&](const Letters& letters) {
        return letters.language == locale.language() && letters.script == locale.script();
    });
    const bool latinScript = locale.script() == QLocale::LatinScript;
    if (row == std::end(Table) && !latinScript) {
        if (why)
            *why = u"no alphabet is known for the language \"%1\""_s.arg(code);
        return std::nullopt;
    }
    Alphabet alphabet;
    alphabet.m_locale = locale;
    alphabet.m_foldsMarks = true;
    QString own = row == std::end(Table) ? QString() : QString::fromUtf16(row->own);
    if (latinScript)
        own.prepend(QString::fromUtf16(LatinLetters));
    alphabet.m_letters = graphemes(own.normalized(QString::NormalizationForm_C));
    QCollator collator(locale);
    std::stable_sort(alphabet.m_letters.begin(), alphabet.m_letters.end(), collator);
    for (int i = 0; i < alphabet.m_letters.size(); ++i)
        alphabet.m_tiles.insert(alphabet.m_letters[i], i);
    if (row != std::end(Table)) {
        const QStringList folds = graphemes(QString::fromUtf16(row->folds));
        for (qsizetype i = 0; i + 1 < folds.size(); i += 2)
            alphabet.m_tiles.insert(folds[i], alphabet.m_tiles.value(folds[i + 1], NoTile));
    }
    return alphabet;
}

QString Alphabet::toUpper(const QString& text) const {
    QString upper;
    for (QString place : graphemes(text)) {
        // German's capital sharp s keeps a word's length, where "SS" would not.
        place.replace(u'ß', u'ẞ');
        const QString capital = m_locale.toUpper(place);
        if (graphemes(capital).size() == 1) {
            upper += capital;
            continue;
        }
        // Letters whose capital is two (ŉ, ǰ) keep their own form.
        for (const char32_t c : place.toUcs4())
            upper += QString::fromUcs4(std::array{QChar::toUpper(c)}.data(), 1);
    }
    return upper;
}

int Alphabet::tileOf(const QString& capital) const {
    if (const auto tile = m_tiles.constFind(capital); tile != m_tiles.cend())
        return *tile;
    if (!m_foldsMarks)
        return NoTile;
    // An own letter carrying one more mark (Ǘ in a German word) is still that letter.
    for (qsizetype length = capital.size() - 1; length > 0; --length) {
        if (const auto tile = m_tiles.constFind(capital.left(length)); tile != m_tiles.cend())
            return *tile;
    }
    return m_tiles.value(withoutMarks(capital), NoTile);
}

std::optional<QList<Alphabet::Position>> Alphabet::positions(const QString& word, QString* why) const {
    QList<Position> places;
    for (const QString& place : graphemes(toUpper(word.normalized(QString::NormalizationForm_C)))) {
        if (place.size() == 1 && isInnerSign(place.front().unicode())) {
            places.append({place, NoTile});
            continue;
        }
        const int tile = joinsConsonants(place) ? NoTile : tileOf(place);
        if (tile == NoTile) {
            if (why)
                *why = joinsConsonants(place) ? u"joins consonants in \"%1\""_s.arg(place)
                                              : u"has \"%1\", which has no tile"_s.arg(place);
            return std::nullopt;
        }
        places.append({place, tile});
    }
    return places;
}

QString hangmanProblem(const Alphabet& alphabet, const QString& word) {
    QString why;
    const auto places = alphabet.positions(word, &why);
    if (!places)
        return why;
    if (places->size() > LongestHangmanWord)
        return u"is longer than %1"_s.arg(LongestHangmanWord);
    const auto letters = std::count_if(places->cbegin(), places->cend(),
                                       [](const Alphabet::Position& place) { return place.tile >= 0; });
    if (letters < ShortestHangmanWord)
        return u"is shorter than %1 letters"_s.arg(ShortestHangmanWord);
    return {};
}

} // namespace words
