#include "words/collection.h"

#include "words/alphabet.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QStringDecoder>
#include <QUrl>
#include <QXmlStreamReader>

using namespace Qt::StringLiterals;

namespace words {

namespace {

// A word of a game, not a phrase: "blat de moro" still, "santa cruz de tenerife" no longer.
constexpr int MostWordsInEntry = 3;
constexpr int LongestEntry = 40;
// Vocabulary files nest a handful of elements; lessons inside lessons a few more.
constexpr int DeepestNesting = 64;

// The reader stops at text that is not in the encoding a file declares, but names the line it stopped
// at, not the line of the text.
bool isUtf8(QStringView encoding) {
    return encoding.isEmpty() || encoding.compare(u"UTF-8", Qt::CaseInsensitive) == 0;
}

qint64 lineOfBadUtf8(const QByteArray& data) {
    qint64 line = 1;
    for (qsizetype start = 0; start < data.size(); ++line) {
        const qsizetype end = data.indexOf('\n', start);
        const qsizetype next = end < 0 ? data.size() : end + 1;
        QStringDecoder decoder(QStringDecoder::Utf8);
        const QString decoded = decoder(QByteArrayView(data).sliced(start, next - start));
        if (decoder.hasError())
            return line;
        start = next;
    }
    return 0;
}

struct EntryBeingRead {
    qint64 line = 0;
    bool haveText = false;
    Entry entry;
    QString picture, sound; // as written
};

class Reader {
public:
    Reader(const QByteArray& data, const QString& path)
        : m_data(data)
        , m_xml(data)
        , m_path(path)
        , m_folder(QFileInfo(path).absolutePath()) {}

    ReadResult read();

private:
    void refuse(qint64 line, const QString& reason) {
        if (!m_refused)
            m_result.problems.append({m_path, line, reason});
        m_refused = true;
    }
    void skip(qint64 line, const QString& reason) { m_result.problems.append({m_path, line, reason}); }
    void startElement(int depth);
    void endEntry();
    QString elementText(int depth);
    QString localFile(const QString& written, qint64 line, const char* what);

    const QByteArray& m_data;
    QXmlStreamReader m_xml;
    const QString m_path;
    const QDir m_folder;
    ReadResult m_result;
    bool m_refused = false;
    QString m_title, m_locale;
    // What the parent elements are, as far as the reader cares.
    bool m_inInformation = false, m_inIdentifiers = false, m_inFirstIdentifier = false;
    bool m_inEntries = false, m_inFirstTranslation = false;
    std::optional<EntryBeingRead> m_entry;
    QList<Entry> m_entries;
    QHash<QString, qint64> m_lineOfWord; // by case-folded text
};

ReadResult Reader::read() {
    int depth = 0;
    while (!m_refused && !m_xml.atEnd()) {
        switch (m_xml.readNext()) {
        case QXmlStreamReader::DTD:
            // An entity declared in the file can make a small file expand a thousandfold; no vocabulary
            // file declares one.
            if (!m_xml.entityDeclarations().isEmpty())
                refuse(m_xml.lineNumber(), u"declares entities, which no vocabulary file needs"_s);
            break;
        case QXmlStreamReader::EntityReference:
            refuse(m_xml.lineNumber(), u"uses the undeclared entity &%1;"_s.arg(m_xml.name()));
            break;
        case QXmlStreamReader::StartElement:
            if (++depth > DeepestNesting)
                refuse(m_xml.lineNumber(), u"nests elements deeper than a vocabulary file does"_s);
            else
                startElement(depth);
            // Reading an element's text consumes its end.
            if (m_xml.tokenType() == QXmlStreamReader::EndElement)
                --depth;
            break;
        case QXmlStreamReader::EndElement:
            if (depth == 2) {
                m_inInformation = m_inIdentifiers = m_inEntries = false;
            } else if (depth == 3) {
                if (m_entry)
                    endEntry();
                m_inFirstIdentifier = false;
            } else if (depth == 4) {
                m_inFirstTranslation = false;
            }
            --depth;
            break;
        default:
            break;
        }
    }
    if (m_xml.hasError() && !m_refused) {
        const Problem problem = xmlError(m_xml, m_data);
        refuse(problem.line, problem.reason);
    }

    Collection collection;
    collection.file = QFileInfo(m_path).absoluteFilePath();
    collection.title = m_title.isEmpty() ? QFileInfo(m_path).completeBaseName() : m_title;
    collection.language = folderLanguage(m_path);
    if (collection.language.isEmpty())
        collection.language = m_locale;
    if (!m_refused && collection.language.isEmpty())
        refuse(0, u"names no language (its first identifier has no locale)"_s);
    if (!m_refused && m_entries.isEmpty())
        refuse(0, u"has no word that can be used"_s);
    if (!m_refused) {
        collection.entries = std::move(m_entries);
        m_result.collection = std::move(collection);
    }
    return std::move(m_result);
}

void Reader::startElement(int depth) {
    const QStringView name = m_xml.name();
    const auto isFirst = [this] { return m_xml.attributes().value("id"_L1) == u"0"; };
    const auto text = [this, depth] { return elementText(depth); };
    if (depth == 1) {
        if (name != u"kvtml")
            return refuse(m_xml.lineNumber(), u"is not a vocabulary file (its root is <%1>)"_s.arg(name));
        const QString version = m_xml.attributes().value("version"_L1).toString();
        if (version.isEmpty())
            return refuse(m_xml.lineNumber(), u"is in the old kvtml 1 format, which is not read"_s);
        if (!version.startsWith(u"2."))
            return refuse(m_xml.lineNumber(), u"is in kvtml version %1, which is not read"_s.arg(version));
    } else if (depth == 2) {
        m_inInformation = name == u"information";
        m_inIdentifiers = name == u"identifiers";
        m_inEntries = name == u"entries";
    } else if (depth == 3) {
        if (m_inInformation && name == u"title" && m_title.isEmpty())
            m_title = cleaned(text());
        else if (m_inIdentifiers && name == u"identifier")
            m_inFirstIdentifier = isFirst();
        else if (m_inEntries && name == u"entry")
            m_entry = EntryBeingRead{m_xml.lineNumber()};
    } else if (depth == 4) {
        if (m_inFirstIdentifier && name == u"locale" && m_locale.isEmpty())
            m_locale = text().trimmed();
        else if (m_entry && name == u"translation")
            m_inFirstTranslation = isFirst();
    } else if (depth == 5 && m_inFirstTranslation) {
        EntryBeingRead& entry = *m_entry;
        if (name == u"text" && !entry.haveText) {
            entry.entry.text = cleaned(text());
            entry.haveText = true;
        } else if (name == u"comment" && entry.entry.hint.isEmpty()) {
            entry.entry.hint = cleaned(text());
        } else if (name == u"image" && entry.picture.isEmpty()) {
            entry.picture = text().trimmed();
        } else if (name == u"sound" && entry.sound.isEmpty()) {
            entry.sound = text().trimmed();
        }
    }
}

// The element's own text up to its end, without its children's. Unlike QXmlStreamReader::readElementText,
// which drops an entity it cannot resolve and so would change the word, this refuses the file.
QString Reader::elementText(int depth) {
    QString text;
    int nested = 0;
    while (!m_refused && !m_xml.atEnd()) {
        switch (m_xml.readNext()) {
        case QXmlStreamReader::Characters:
            if (nested == 0)
                text += m_xml.text();
            break;
        case QXmlStreamReader::EntityReference:
            refuse(m_xml.lineNumber(), u"uses the undeclared entity &%1;"_s.arg(m_xml.name()));
            break;
        case QXmlStreamReader::StartElement:
            if (depth + ++nested > DeepestNesting)
                refuse(m_xml.lineNumber(), u"nests elements deeper than a vocabulary file does"_s);
            break;
        case QXmlStreamReader::EndElement:
            if (nested-- == 0)
                return text;
            break;
        default:
            break;
        }
    }
    return text;
}

void Reader::endEntry() {
    EntryBeingRead read = std::move(*m_entry);
    m_entry.reset();
    Entry& entry = read.entry;
    if (entry.text.isEmpty())
        return skip(read.line, u"entry has no word"_s);
    if (const QString problem = wordProblem(entry.text); !problem.isEmpty())
        return skip(read.line, u"\"%1\" %2"_s.arg(entry.text, problem));
    const QString key = entry.text.toCaseFolded();
    if (const auto first = m_lineOfWord.constFind(key); first != m_lineOfWord.cend())
        return skip(read.line, u"\"%1\" repeats the word of line %2"_s.arg(entry.text).arg(*first));
    m_lineOfWord.insert(key, read.line);
    entry.picture = localFile(read.picture, read.line, "picture");
    entry.sound = localFile(read.sound, read.line, "sound");
    m_entries.append(std::move(entry));
}

// Parley writes a picture or sound as a file: address, relative to the vocabulary file when it lies
// beside or below it ("file:pictures/zebra.png"), absolute otherwise; hand-written files give plain paths.
QString Reader::localFile(const QString& written, qint64 line, const char* what) {
    if (written.isEmpty())
        return {};
    QString path = written;
    const QUrl url(written);
    // One letter before a colon is a drive, not a scheme.
    if (url.isValid() && url.scheme().size() > 1) {
        if (url.scheme() != u"file") {
            skip(line, u"%1 %2 is not a file on this computer"_s.arg(QLatin1StringView(what), written));
            return {};
        }
        path = url.path();
    }
    const QFileInfo file(m_folder, path);
    if (!file.isFile()) {
        skip(line, u"%1 %2 is not found"_s.arg(QLatin1StringView(what), written));
        return {};
    }
    return file.absoluteFilePath();
}

} // namespace

QString cleaned(const QString& text) {
    QString normal = text.normalized(QString::NormalizationForm_C);
    normal.remove(QChar(0x00AD));
    return normal.simplified();
}

Problem xmlError(const QXmlStreamReader& xml, const QByteArray& data) {
    const qint64 badLine = lineOfBadUtf8(data);
    if (badLine > 0 && isUtf8(xml.documentEncoding()))
        return {{}, badLine, u"has text that is not UTF-8, the encoding it declares"_s};
    return {{}, xml.lineNumber(), u"is not well-formed XML (%1)"_s.arg(xml.errorString())};
}

QString Problem::toString() const {
    return line > 0 ? u"%1:%2: %3"_s.arg(file).arg(line).arg(reason) : u"%1: %2"_s.arg(file, reason);
}

ReadResult readCollection(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {{}, {{path, 0, u"cannot be read (%1)"_s.arg(file.errorString())}}};
    if (file.size() > LargestFile)
        return {{}, {{path, 0, u"is larger than %1 MiB"_s.arg(LargestFile / (1024 * 1024))}}};
    // Read no more than the limit even if the file grows meanwhile.
    return readCollection(file.read(LargestFile + 1), path);
}

ReadResult readCollection(const QByteArray& data, const QString& path) {
    if (data.size() > LargestFile)
        return {{}, {{path, 0, u"is larger than %1 MiB"_s.arg(LargestFile / (1024 * 1024))}}};
    if (data.trimmed().isEmpty())
        return {{}, {{path, 0, u"is empty"_s}}};
    return Reader(data, path).read();
}

QString folderLanguage(const QString& path) {
    const QStringList folders = QFileInfo(path).absoluteFilePath().split(u'/');
    const qsizetype n = folders.size();
    if (n >= 4 && folders[n - 4] == u"apps" && folders[n - 3] == u"kvtml")
        return folders[n - 2];
    return {};
}

QString wordProblem(const QString& text) {
    if (text.isEmpty())
        return u"is empty"_s;
    if (text.size() > LongestEntry)
        return u"is longer than a word"_s;
    const QList<uint> chars = text.toUcs4();
    for (const char32_t c : chars) {
        const QChar::Category category = QChar::category(c);
        if (category >= QChar::Number_DecimalDigit && category <= QChar::Number_Other)
            return u"has a digit"_s;
        if (!QChar::isLetter(c) && !QChar::isMark(c) && !isInnerSign(c))
            return u"has the sign \"%1\""_s.arg(QString::fromUcs4(&c, 1));
    }
    if (!QChar::isLetter(chars.front()))
        return u"does not begin with a letter"_s;
    int words = 1;
    for (qsizetype i = 1; i < chars.size(); ++i) {
        const char32_t c = chars[i];
        if (!isInnerSign(c))
            continue;
        if (i + 1 == chars.size() || !QChar::isLetter(chars[i + 1]))
            return u"has the sign \"%1\" where a letter should follow"_s.arg(QString::fromUcs4(&c, 1));
        if (c == u' ' && ++words > MostWordsInEntry)
            return u"is a phrase, not a word"_s;
    }
    return {};
}

} // namespace words
