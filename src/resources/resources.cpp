#include "resources/resources.h"

#include <QtGlobal>

// Outside any namespace, as the resource initialiser requires.
static void initWordpotResources() {
    Q_INIT_RESOURCE(resources);
}

namespace resources {
void init() {
    static const bool done = (initWordpotResources(), true);
    Q_UNUSED(done);
}
} // namespace resources
