// Round yellow faces drawn as vectors, so that a 16 px icon and a 256 px feedback face are
// each sharp at their own size.
#pragma once

#include <QImage>

namespace media {

enum class Face {
    Smile,    // black eyes, black smile
    Straight, // black eyes, a straight mouth
    Frown,    // black eyes, a frowning mouth
    Grin,     // open eyes, a wide open laughing mouth
    Laugh,    // eyes squeezed shut with laughter, a big open mouth
    LaughRed, // happy closed eyes, a red open mouth
    Worried,  // raised inner brows, a small frown
    Crying,   // sad brows, a frown and a tear
};

// The face on a transparent square of the given side.
QImage face(Face kind, int size);

} // namespace media
