// Text inside XML and HTML markup.
#ifndef KELCTRLS_CORE_MARKUP_H
#define KELCTRLS_CORE_MARKUP_H

#include <kelctrls/core/export.h>

#include <wx/string.h>

// The text with '&', '<', '>' and '"' replaced by their entities, so that it
// can stand in element content and in double-quoted attribute values.
KELCTRLS_API wxString KelEscapeMarkup(const wxString& text);

#endif
