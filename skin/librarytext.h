// Included by the library's sources after the toolkit's headers: _() looks a
// text up in the library's own catalogue only, so that a client's catalogue
// that happens to hold the same English text never changes it.
#ifndef KELCTRLS_SKIN_LIBRARYTEXT_H
#define KELCTRLS_SKIN_LIBRARYTEXT_H

#include <kelctrls/skin/translations.h>

#include <wx/translation.h>

#undef _
#define _(s) wxGetTranslation((s), KelTranslations::TEXT_DOMAIN)

#endif
