// Common definitions of the KelCtrls library: the export macro, the
// installation path helper, atomic file writing, markup escaping and the
// image handlers (the headers of include/kelctrls/core/).
#ifndef KELCTRLS_BASE_H
#define KELCTRLS_BASE_H

#include <kelctrls/core/atomicfile.h>
#include <kelctrls/core/export.h>
#include <kelctrls/core/imagehandlers.h>
#include <kelctrls/core/installpath.h>
#include <kelctrls/core/markup.h>

#endif
