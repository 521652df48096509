#include "words/catalogue.h"

#include "words/language.h"

#include <algorithm>
#include <QCollator>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QSet>
#include <QStandardPaths>
#include <QXmlStreamReader>

using namespace Qt::StringLiterals;

namespace words {

namespace {

// A vocabulary file's head (its information and identifiers) fits in a few KiB.
constexpr qint64 HeadChunk = 4096;

} // namespace

std::optional<QString> readTitle(QIODevice& file, Problem* problem) {
    const auto refuse = [&](qint64 line, const QString& reason) {
        if (problem)
            *problem = {{}, line, reason};
        return std::nullopt;
    };
    QXmlStreamReader xml;
    QByteArray head;
    QString title;
    int depth = 0;
    bool inInformation = false, inTitle = false;
    for (;;) {
        switch (xml.readNext()) {
        case QXmlStreamReader::Invalid:
            if (xml.error() == QXmlStreamReader::PrematureEndOfDocumentError && !file.atEnd() &&
                file.pos() < LargestFile) {
                const QByteArray chunk = file.read(HeadChunk);
                head += chunk;
                xml.addData(chunk);
                break;
            }
            if (head.trimmed().isEmpty())
                return refuse(0, u"is empty"_s);
            if (problem)
                *problem = xmlError(xml, head);
            return std::nullopt;
        case QXmlStreamReader::DTD:
            if (!xml.entityDeclarations().isEmpty())
                return refuse(xml.lineNumber(), u"declares entities, which no vocabulary file needs"_s);
            break;
        case QXmlStreamReader::StartElement:
            ++depth;
            if (depth == 1 && xml.name() != u"kvtml")
                return refuse(xml.lineNumber(),
                              u"is not a vocabulary file (its root is <%1>)"_s.arg(xml.name()));
            if (depth == 1 && !xml.attributes().value("version"_L1).startsWith(u"2."))
                return refuse(xml.lineNumber(), u"is not in the kvtml 2 format"_s);
            if (depth == 2 && xml.name() == u"entries")
                return cleaned(title);
            inInformation = inInformation || (depth == 2 && xml.name() == u"information");
            inTitle = inInformation && depth == 3 && xml.name() == u"title" && title.isEmpty();
            break;
        case QXmlStreamReader::EntityReference:
            return refuse(xml.lineNumber(), u"uses the undeclared entity &%1;"_s.arg(xml.name()));
        case QXmlStreamReader::Characters:
            if (inTitle)
                title += xml.text();
            break;
        case QXmlStreamReader::EndElement:
            inTitle = false;
            if (depth == 2 && inInformation)
                return cleaned(title);
            --depth;
            break;
        case QXmlStreamReader::EndDocument:
            return cleaned(title);
        default:
            break;
        }
    }
}

Catalogue listCollections(const QStringList& dataFolders, const QLocale& desktop) {
    Catalogue catalogue;
    QMap<QString, Language> byCode;
    QSet<QString> seen; // "<language>/<file name>"
    for (const QString& dataFolder : dataFolders) {
        const QDir kvtml(dataFolder + u"/apps/kvtml"_s);
        for (const QString& code : kvtml.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            const QDir folder(kvtml.filePath(code));
            for (const QFileInfo& info : folder.entryInfoList({u"*.kvtml"_s}, QDir::Files)) {
                if (seen.contains(code + u'/' + info.fileName()))
                    continue;
                seen.insert(code + u'/' + info.fileName());
                const QString path = info.absoluteFilePath();
                QFile file(path);
                Problem problem{path, 0, {}};
                if (!file.open(QIODevice::ReadOnly)) {
                    problem.reason = u"cannot be read (%1)"_s.arg(file.errorString());
                } else if (file.size() > LargestFile) {
                    problem.reason = u"is larger than %1 MiB"_s.arg(LargestFile / (1024 * 1024));
                } else if (const auto title = readTitle(file, &problem)) {
                    Language& language = byCode[code];
                    language.collections.append({path, title->isEmpty() ? info.completeBaseName() : *title});
                    continue;
                }
                problem.file = path;
                catalogue.problems.append(problem);
            }
        }
    }

    // One collator for every title: opening one per language costs more than all the reading.
    const QCollator collator(desktop);
    for (auto it = byCode.begin(); it != byCode.end(); ++it) {
        Language& language = it.value();
        language.code = it.key();
        language.name = languageName(language.code);
        std::stable_sort(language.collections.begin(), language.collections.end(),
                         [&](const Listed& a, const Listed& b) { return collator(a.title, b.title); });
        catalogue.languages.append(language);
    }
    std::stable_sort(catalogue.languages.begin(), catalogue.languages.end(),
                     [&](const Language& a, const Language& b) { return collator(a.name, b.name); });
    const auto closest = std::max_element(catalogue.languages.begin(), catalogue.languages.end(),
                                          [&](const Language& a, const Language& b) {
                                              return closeness(a.code, desktop) < closeness(b.code, desktop);
                                          });
    if (closest != catalogue.languages.end() && closeness(closest->code, desktop) > 0)
        std::rotate(catalogue.languages.begin(), closest, closest + 1);
    return catalogue;
}

Catalogue listCollections() {
    QStringList folders = QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
    // An installation under another prefix than the desktop's (cmake --install --prefix DIR) keeps its
    // sample list in DIR/share, beside DIR/lib/wordpot, where the desktop does not look.
    QDir prefix(QCoreApplication::applicationDirPath());
    if (prefix.dirName() == u"wordpot" && prefix.cdUp() && prefix.dirName() == u"lib" && prefix.cdUp()) {
        const QString own = prefix.absoluteFilePath(QStringLiteral("share"));
        if (!folders.contains(own) && !folders.contains(own + u'/'))
            folders.append(own);
    }
    return listCollections(folders, QLocale::system());
}

} // namespace words
