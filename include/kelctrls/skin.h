// Skin and appearance: the skin resource store, the skinned window bases and
// the window manager.
#ifndef KELCTRLS_SKIN_H
#define KELCTRLS_SKIN_H

#include <kelctrls/base.h>
#include <kelctrls/skin/skinresource.h>
#include <kelctrls/skin/windowbases.h>

#endif
