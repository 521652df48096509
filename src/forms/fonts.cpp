#include "forms/fonts.h"

#include "forms/units.h"
#include "resources/resources.h"

#include <QFontDatabase>
#include <QResource>

#include <array>
#include <optional>

namespace forms {
namespace {
// Registers a bundled font file and gives its family name. The resource's bytes stay where the program
// was loaded: registering them copies nothing, and only the parts a font engine reads are ever touched.
QString registerFont(const char* file) {
    resources::init();
    const QResource resource(QStringLiteral(":/fonts/") + QLatin1String(file));
    const QByteArray data = resource.compressionAlgorithm() == QResource::NoCompression
                                ? QByteArray::fromRawData(reinterpret_cast<const char*>(resource.data()),
                                                          qsizetype(resource.size()))
                                : resource.uncompressedData();
    const QStringList families =
        QFontDatabase::applicationFontFamilies(QFontDatabase::addApplicationFontFromData(data));
    return families.isEmpty() ? QStringLiteral("Sans Serif") : families.first();
}

// Each face's family, its files registered on first use: a face no open window shows costs nothing.
QString familyOf(FontFace face) {
    static std::array<std::optional<QString>, 3> families; // sans, serif, black
    const auto load = [](std::optional<QString>& family, std::initializer_list<const char*> files) {
        for (const char* file : files) {
            const QString name = registerFont(file);
            family = family.value_or(name);
        }
        return *family;
    };
    switch (face) {
    case FontFace::MsSansSerif:
    case FontFace::Arial:
        return families[0] ? *families[0]
                           : load(families[0], {"LiberationSans-Regular.ttf", "LiberationSans-Bold.ttf"});
    case FontFace::TimesNewRoman:
        return families[1] ? *families[1] : load(families[1], {"LiberationSerif-Bold.ttf"});
    case FontFace::ArialBlack:
        return families[2] ? *families[2] : load(families[2], {"Lato-Black.ttf"});
    }
    return {};
}
} // namespace

QFont font(FontFace face, double points, bool bold) {
    QFont result;
    result.setFamily(familyOf(face));
    result.setPixelSize(fontPixels(points));
    // Arial Black is heavy whatever its bold flag says.
    if (face == FontFace::ArialBlack)
        result.setWeight(QFont::Black);
    else
        result.setBold(bold);
    return result;
}

} // namespace forms
