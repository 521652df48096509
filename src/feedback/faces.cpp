#include "feedback/faces.h"

namespace feedback {
namespace {
template <std::size_t N> void addNames(QStringList& names, const std::array<FaceStep, N>& steps) {
    for (const FaceStep& step : steps) {
        for (const char* name : {step.sound, step.picture}) {
            if (name != nullptr && !names.contains(QLatin1String(name)))
                names << QLatin1String(name);
        }
    }
}
} // namespace

QStringList mediaFiles() {
    QStringList names;
    addNames(names, HappySteps);
    addNames(names, SadSteps);
    return names;
}

} // namespace feedback
