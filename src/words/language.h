// Language codes as the desktop's vocabulary folders and files write them ("de", "en_gb", "pt_BR",
// "sr@latin", "nds"): the locale each stands for, and the name a parent knows it by.
#pragma once

#include <QLocale>
#include <QString>

namespace words {

// The C locale for a code no locale knows.
QLocale localeOf(const QString& code);

// The language's name in itself, capitalised as a heading: "Deutsch", "Français", "British English",
// "Português (Brasil)", "Srpski", "Српски (ијекавски)"; the code itself for a language no locale knows.
QString languageName(const QString& code);

// How closely a code fits the desktop's locale: 0 for another language or script, 3 for the same
// territory named, 2 for the plain language, 1 for another territory of it.
int closeness(const QString& code, const QLocale& desktop);

} // namespace words
