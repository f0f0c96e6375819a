// Where the library finds the files of the installation.
#ifndef KELCTRLS_CORE_INSTALLPATH_H
#define KELCTRLS_CORE_INSTALLPATH_H

#include <kelctrls/core/export.h>

#include <wx/string.h>

// Returns the path of a file of the installation: the current working
// directory joined with `relative`, which may use '/' or '\' as separator.
// The installation layout was made for a case-insensitive file system, so
// each component is matched without regard to case against what exists on
// disk; a component that does not exist keeps the spelling given.
KELCTRLS_API wxString KelInstallPath(const wxString& relative);

#endif
