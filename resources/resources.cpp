#include "resources.h"

#include <QtCore/qglobal.h>

// Q_INIT_RESOURCE declares a function of its own and must stand outside any
// namespace.
static void InitializeImages()
{
    Q_INIT_RESOURCE(images);
}

namespace resources {

void Initialize()
{
    InitializeImages();
}

} // namespace resources
