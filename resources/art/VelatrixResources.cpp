#include "VelatrixResources.h"

#include <QtGlobal>

void velatrixInitResources() {
    Q_INIT_RESOURCE(velatrix_art);
}
