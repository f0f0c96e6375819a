// Ini files of the installation read and written through wxFileConfig. The
// file is read once into memory and every flush replaces it atomically.
#ifndef KELCTRLS_UISTATE_CONFIGFILE_H
#define KELCTRLS_UISTATE_CONFIGFILE_H

#include <wx/string.h>

class wxFileConfig;

// The configuration held in the file at path (empty when the file is missing
// or unreadable). The caller owns the result.
wxFileConfig* KelOpenConfigFile(const wxString& path);
// Writes the configuration to path atomically, creating missing folders. A
// write that fails leaves the file as it was and is reported through the log.
bool KelFlushConfigFile(wxFileConfig& config, const wxString& path);

#endif
