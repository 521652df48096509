// The mouse cursor of a feedback window: a built-in face icon with its hotspot in the middle, so the face
// itself points wherever the child points.
#pragma once

#include "forms/pictures.h"

#include <QCursor>

namespace feedback {

inline QCursor faceCursor(const QString& resource) {
    const QPixmap face = builtInPicture(resource).natural();
    return QCursor(face, face.width() / 2, face.height() / 2);
}

} // namespace feedback
