#include "ui/Resources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE must stand outside any namespace.
static void initResources() {
    Q_INIT_RESOURCE(resources);
}

void ensureResources() {
    static const bool done = (initResources(), true);
    Q_UNUSED(done);
}
