#include "words/choice.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace words {

namespace {
const QString LanguageKey = u"words/language"_s;
const QString FilesKey = u"words/files"_s;

Choice remembered(const QSettings& settings) {
    return {settings.value(LanguageKey).toString(), settings.value(FilesKey).toStringList()};
}
} // namespace

std::unique_ptr<QSettings> openSettings() {
    return std::make_unique<QSettings>(QSettings::UserScope, u"Wordpot"_s, u"Wordpot"_s);
}

Choice readChoice(const QSettings& settings, QList<Problem>* gone) {
    Choice choice = remembered(settings);
    choice.files.removeIf([&](const QString& file) {
        if (QFileInfo(file).isFile())
            return false;
        if (gone)
            gone->append({file, 0, u"was chosen but is no longer there; the built-in words are used"_s});
        return true;
    });
    if (choice.files.isEmpty())
        return {};
    return choice;
}

bool writeChoice(QSettings& settings, const Choice& choice) {
    const Choice now = choice.files.isEmpty() ? Choice{} : choice;
    if (remembered(settings) == now)
        return false;
    if (now.files.isEmpty()) {
        settings.remove(u"words"_s);
    } else {
        settings.setValue(LanguageKey, now.language);
        settings.setValue(FilesKey, now.files);
    }
    settings.sync();
    return true;
}

} // namespace words
