// Helpers of the configuration file fuzz targets: the installation files are
// found below the working directory, so each input runs in a private folder
// that is the working directory only while the input is handled (libFuzzer
// itself writes to paths relative to the original one).
#ifndef KELCTRLS_FUZZ_RECORDS_FUZZFILES_H
#define KELCTRLS_FUZZ_RECORDS_FUZZFILES_H

#include "fuzzsupport.h"

#include <wx/ffile.h>
#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/log.h>

class KelFuzzInstallFolder
{
public:
    KelFuzzInstallFolder() : m_previous(wxGetCwd())
    {
        KelFuzzInitGui();
        wxSetWorkingDirectory(KelFuzzTempDir());
    }
    ~KelFuzzInstallFolder() { wxSetWorkingDirectory(m_previous); }

    // Puts the input into a file of the installation folder.
    void Write(const wxString& relative, const uint8_t* data, size_t size) const
    {
        const wxFileName name(wxGetCwd() + "/" + relative);
        wxFileName::Mkdir(name.GetPath(), wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
        wxFFile file(name.GetFullPath(), "wb");
        if (file.IsOpened() && size)
            file.Write(data, size);
    }

    void Remove(const wxString& relative) const
    {
        if (wxFileExists(relative))
            wxRemoveFile(relative);
    }

private:
    wxString m_previous;
};

#endif
