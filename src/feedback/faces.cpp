#include "feedback/faces.h"

#include <span>

namespace feedback {

QList<MediaFile> mediaFiles() {
    QList<MediaFile> files;
    const auto add = [&files](std::span<const FaceStep> steps) {
        for (const FaceStep& step : steps) {
            for (const char* name : {step.sound, step.picture}) {
                const MediaFile file(QLatin1String(name != nullptr ? name : ""));
                if (name != nullptr && !files.contains(file))
                    files.append(file);
            }
        }
    };
    add(HappySteps);
    add(SadSteps);
    return files;
}

} // namespace feedback
