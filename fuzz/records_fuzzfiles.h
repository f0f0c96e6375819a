// Helpers of the configuration file fuzz targets: a private working folder
// and a way to put the fuzzer's bytes into a file below it.
#ifndef KELCTRLS_FUZZ_RECORDS_FUZZFILES_H
#define KELCTRLS_FUZZ_RECORDS_FUZZFILES_H

#include "fuzzsupport.h"

#include <wx/ffile.h>
#include <wx/filefn.h>
#include <wx/filename.h>

// Makes the private temporary folder the working folder.
inline void KelFuzzEnterTempCwd()
{
    static const bool entered = wxSetWorkingDirectory(KelFuzzTempDir());
    (void)entered;
}

inline void KelFuzzWriteFile(const wxString& relative, const uint8_t* data, size_t size)
{
    const wxFileName name(wxGetCwd() + "/" + relative);
    wxFileName::Mkdir(name.GetPath(), wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
    wxFFile file(name.GetFullPath(), "wb");
    if ( file.IsOpened() && size )
        file.Write(data, size);
}

#endif
