// The toolkit's image file handlers, registered once for the process.
#ifndef KELCTRLS_CORE_IMAGEHANDLERS_H
#define KELCTRLS_CORE_IMAGEHANDLERS_H

#include <kelctrls/core/export.h>

// Registers every image file handler of the toolkit the first time it is
// called; later calls do nothing.
KELCTRLS_API void KelInitImageHandlers();

#endif
