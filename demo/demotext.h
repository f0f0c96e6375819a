// Included by the demo's sources after the toolkit's headers: _() looks a
// text up in the demo's own catalogue, as the library looks its texts up in
// its own.
#ifndef KELCTRLS_DEMO_DEMOTEXT_H
#define KELCTRLS_DEMO_DEMOTEXT_H

#include <wx/translation.h>

#define DEMO_TEXT_DOMAIN "kelctrls-demo"

#undef _
#define _(s) wxGetTranslation((s), DEMO_TEXT_DOMAIN)

#endif
