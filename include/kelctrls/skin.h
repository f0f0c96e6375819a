/// \file
/// Skin and appearance: the skin resource store, the skinned window bases,
/// the window manager, the skin catalogue, the language selection and the
/// library's translations.
#ifndef KELCTRLS_SKIN_H
#define KELCTRLS_SKIN_H

#include <kelctrls/base.h>
#include <kelctrls/skin/skinresource.h>
#include <kelctrls/skin/windowbases.h>
#include <kelctrls/skin/language.h>
#include <kelctrls/skin/skinmanager.h>
#include <kelctrls/skin/translations.h>

#endif
