#include "words/language.h"

#include <QMap>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace words {

namespace {

struct Code {
    QString base;     // "sr", "pt_BR"
    QString modifier; // "latin", "ijekavian", or empty
};

Code split(const QString& code) {
    const qsizetype at = code.indexOf(u'@');
    return at < 0 ? Code{code, {}} : Code{code.left(at), code.mid(at + 1)};
}

bool namesTerritory(const QString& base) {
    const QStringList parts = QString(base).replace(u'-', u'_').split(u'_');
    for (qsizetype i = 1; i < parts.size(); ++i) {
        if (QLocale::codeToTerritory(parts[i].toUpper()) != QLocale::AnyTerritory)
            return true;
    }
    return false;
}

// The name most of a language's locales give it in its own script: "English", where the locale of the
// plain code would say "American English".
QString commonName(const QLocale& locale) {
    QMap<QString, int> votes;
    for (const QLocale& each :
         QLocale::matchingLocales(locale.language(), locale.script(), QLocale::AnyTerritory))
        ++votes[each.nativeLanguageName()];
    QString best = locale.nativeLanguageName();
    for (auto it = votes.cbegin(); it != votes.cend(); ++it) {
        if (it.value() > votes.value(best))
            best = it.key();
    }
    return best;
}

} // namespace

QLocale localeOf(const QString& code) {
    const Code parts = split(code);
    const QLocale locale(parts.base);
    if (locale.language() == QLocale::C)
        return QLocale::c();
    // Debian names Serbian in Latin letters by modifiers that QLocale does not read.
    if (parts.modifier == u"latin" || parts.modifier == u"ijekavianlatin")
        return QLocale(locale.language(), QLocale::LatinScript, locale.territory());
    if (parts.modifier == u"cyrillic")
        return QLocale(locale.language(), QLocale::CyrillicScript, locale.territory());
    return locale;
}

QString languageName(const QString& code) {
    const QLocale locale = localeOf(code);
    if (locale.language() == QLocale::C)
        return code;
    const Code parts = split(code);
    QString name = commonName(locale);
    if (namesTerritory(parts.base)) {
        const QString own = locale.nativeLanguageName();
        name = own != name ? own : u"%1 (%2)"_s.arg(name, locale.nativeTerritoryName());
    }
    if (parts.modifier.startsWith(u"ijekavian"))
        name += locale.script() == QLocale::LatinScript ? u" (ijekavski)"_s : u" (ијекавски)"_s;
    if (name.isEmpty())
        return code;
    const qsizetype first = name.front().isSurrogate() ? 2 : 1;
    return locale.toUpper(name.left(first)) + name.mid(first);
}

int closeness(const QString& code, const QLocale& desktop) {
    const QLocale locale = localeOf(code);
    if (locale.language() == QLocale::C || locale.language() != desktop.language() ||
        locale.script() != desktop.script())
        return 0;
    if (!namesTerritory(split(code).base))
        return 2;
    return locale.territory() == desktop.territory() ? 3 : 1;
}

} // namespace words
