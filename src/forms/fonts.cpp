#include "forms/fonts.h"

#include "forms/units.h"
#include "resources/resources.h"

#include <QFontDatabase>
#include <QHash>

namespace forms {
namespace {
QHash<QString, QString>& familyOfFile() {
    static QHash<QString, QString> families;
    return families;
}

QString familyOf(const QString& file) {
    const QString family = familyOfFile().value(file);
    return family.isEmpty() ? QStringLiteral("Sans Serif") : family;
}
} // namespace

void installFonts() {
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    resources::init();
    const char* const files[] = {"LiberationSans-Regular.ttf", "LiberationSans-Bold.ttf",
                                 "LiberationSerif-Bold.ttf", "Lato-Black.ttf"};
    for (const char* file : files) {
        const int id = QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/") + QLatin1String(file));
        const QStringList families = QFontDatabase::applicationFontFamilies(id);
        if (!families.isEmpty())
            familyOfFile().insert(QLatin1String(file), families.first());
    }
}

QFont font(FontFace face, double points, bool bold) {
    QFont result;
    switch (face) {
    case FontFace::MsSansSerif:
    case FontFace::Arial:
        result.setFamily(familyOf(QStringLiteral("LiberationSans-Regular.ttf")));
        break;
    case FontFace::TimesNewRoman:
        result.setFamily(familyOf(QStringLiteral("LiberationSerif-Bold.ttf")));
        break;
    case FontFace::ArialBlack:
        // Arial Black is heavy whatever its bold flag says.
        result.setFamily(familyOf(QStringLiteral("Lato-Black.ttf")));
        result.setPixelSize(fontPixels(points));
        result.setWeight(QFont::Black);
        return result;
    }
    result.setPixelSize(fontPixels(points));
    result.setBold(bold);
    return result;
}

} // namespace forms
